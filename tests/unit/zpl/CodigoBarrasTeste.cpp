#include <gtest/gtest.h>

#include "zpl/CodigoBarras.h"

using namespace etiquetas::zpl;
using std::tuple;

// What the printer encodes from ^BC data in its normal mode, and what it
// drops (with a warning) because the subset cannot carry it.
TEST(CodigoBarrasZpl, Code128SegueOsSubconjuntosEscritosNosDados) {
    struct Caso {
        std::string dados;
        std::string lido;
        std::size_t avisos;
    };
    for (const auto& c : std::vector<Caso>{
             {">;2001234500170001", "2001234500170001", 0},
             {">;2123456789017004>62", "21234567890170042", 0},
             {">;12345", "1234", 1},     // the unpaired last digit is dropped
             {">;123>64", "124", 1},     // and so is one before a switch
             {">;12A4", "12", 2},        // a letter in subset C, then an orphan digit
             {"ABc12", "ABc12", 0},      // no start code: subset B
             {">9AB\x01", "AB\x01", 0},  // subset A carries control characters
             {">9ab", "", 2},            // but not lower case
             {">:A>5123", "A12", 1},     // >5 switches to subset C
             {">:a><b>0c", "a>b>c", 0},  // >< and >0 are the ">" character
             {">:x\xE9y", "xy", 1},      // no byte above 127 in Code 128
             {">:A>Zb", "Ab", 1},        // an unknown invocation is dropped
         }) {
        std::vector<std::string> avisos;
        const auto s = code128(c.dados, 'N', Modulo{}, avisos);
        EXPECT_EQ(tuple(s.dados, avisos.size(), s.barras.empty()), tuple(c.lido, c.avisos, false))
            << c.dados;
    }
}

TEST(CodigoBarrasZpl, SimbologiasAjustamOsDadosComoAImpressora) {
    struct Caso {
        char simbolo;
        std::string dados;
        std::string lido;
        bool aviso;
    };
    for (const auto& c : std::vector<Caso>{
             {'E', "789123456789", "7891234567895", false},
             {'E', "7891234567895", "7891234567895", false},  // the right check digit
             {'E', "7891234567891", "7891234567895", true},   // a wrong one is replaced
             {'E', "12345", "0000000123457", true},           // padded on the left
             {'E', "78912345678A9", "7891234567895", true},   // the letter is dropped
             {'3', "ABC-123", "ABC-123", false},
             {'3', "abc*1", "1", true},
             {'2', "1234", "1234", false},
             {'2', "123", "0123", true},  // a leading zero evens the count
         }) {
        std::vector<std::string> avisos;
        const Modulo m;
        const SimboloLinear s = c.simbolo == 'E'   ? ean13(c.dados, m, avisos)
                                : c.simbolo == '3' ? code39(c.dados, false, m, avisos)
                                                   : interleaved2de5(c.dados, false, m, avisos);
        EXPECT_EQ(tuple(s.dados, !avisos.empty(), s.barras.empty()), tuple(c.lido, c.aviso, false))
            << c.dados;
    }
}
