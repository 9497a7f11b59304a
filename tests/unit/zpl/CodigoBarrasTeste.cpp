#include <gtest/gtest.h>

#include "zpl/CodigoBarras.h"

using namespace etiquetas::zpl;
using std::tuple;

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
