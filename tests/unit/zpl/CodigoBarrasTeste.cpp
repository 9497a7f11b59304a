#include <gtest/gtest.h>
#include <zint.h>

#include <algorithm>

#include "LeituraEmPedacos.h"
#include "zpl/CodigoBarras.h"
#include "zpl/Interpretador.h"
#include "zpl/SimboloZint.h"

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

// Where the printer's subsets and an automatic encoder agree, the bars must
// be the same: this checks the symbol table against zint's.
TEST(CodigoBarrasZpl, Code128DaImpressoraTemAsBarrasDoZint) {
    struct Caso {
        std::string impressora, automatico;
    };
    std::vector<std::string> avisos;
    for (const auto& c : std::vector<Caso>{
             {">;2001234500170001", "2001234500170001"},
             {">;0099887766554433221100", "0099887766554433221100"},
             {"Hello World", "Hello World"},
             {"!\"#$%&'()*+,-./:;<=?@[\\]^_`{|}~", "!\"#$%&'()*+,-./:;<=?@[\\]^_`{|}~"},
             {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
             {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxyz"}}) {
        for (int modulo : {1, 3}) {
            const Modulo m{modulo, 3.0};
            const auto nossa = code128(c.impressora, 'N', m, avisos);
            const auto zint = simboloZint(BARCODE_CODE128, c.automatico, 0, m, avisos);
            EXPECT_EQ(tuple(nossa.barras, nossa.largura), tuple(zint.barras, zint.largura))
                << c.impressora;
        }
    }
    EXPECT_TRUE(avisos.empty());
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

// ^BY's ratio widens the wide elements of Code 39; Code 128 has no ratio.
TEST(CodigoBarrasZpl, RazaoDoByAlargaSoOsElementosLargos) {
    std::vector<std::string> avisos;
    const auto estreito = code39("A", false, Modulo{2, 2.0}, avisos);
    const auto largo = code39("A", false, Modulo{2, 3.0}, avisos);
    EXPECT_GT(largo.largura, estreito.largura);
    const auto estreitas = std::count_if(largo.barras.begin(), largo.barras.end(),
                                         [](const Barra& b) { return b.largura == 2; });
    const auto largas = std::count_if(largo.barras.begin(), largo.barras.end(),
                                      [](const Barra& b) { return b.largura == 6; });
    EXPECT_GT(std::min(estreitas, largas), 0);
    EXPECT_EQ(estreitas + largas, static_cast<long>(largo.barras.size()));
    EXPECT_EQ(code128("A", 'N', Modulo{2, 2.0}, avisos).barras,
              code128("A", 'N', Modulo{2, 3.0}, avisos).barras);
}

// The bars of a field placed by ^FO (top-left of the field) and ^FT (bottom
// of the bars), upright and turned.
TEST(CodigoBarrasZpl, PosicaoEOrientacaoDasBarras) {
    struct Caso {
        const char* spool;
        Retangulo envolvente;
    };
    // ">:" + "A" in Code 128 with module 1: 11 + 11 + 11 + 13 = 46 modules wide.
    for (const auto& c :
         std::vector<Caso>{{"^XA^BY1^FO100,50^BCN,30,N^FD>:A^FS^XZ", {100, 50, 46, 30}},
                           {"^XA^BY1^FT100,50^BCN,30,N^FD>:A^FS^XZ", {100, 20, 46, 30}},
                           {"^XA^BY1^FO100,50^BCR,30,N^FD>:A^FS^XZ", {100, 50, 30, 46}},
                           {"^XA^BY1^FO100,50^BCI,30,N^FD>:A^FS^XZ", {100, 50, 46, 30}},
                           {"^XA^BY1^FO100,50^BCB,30,N^FD>:A^FS^XZ", {100, 50, 30, 46}},
                           {"^XA^BY1^LH5,5^FO100,50^BCN,30,N^FD>:A^FS^XZ", {105, 55, 46, 30}}}) {
        const auto r = interpretar(c.spool);
        const auto& op = std::get<OpCodigoBarras>(r.etiquetas.at(0).operacoes.at(0));
        EXPECT_EQ(etiquetas::apoio::envolvente(op.barras), c.envolvente) << c.spool;
    }
}

TEST(CodigoBarrasZpl, LinhaDeInterpretacaoSoQuandoPedida) {
    const auto com = interpretar("^XA^FO0,0^BCN,50,Y^FD>;1234^FS^XZ");
    const auto sem = interpretar("^XA^FO0,0^BCN,50,N^FD>;1234^FS^XZ");
    ASSERT_EQ(tuple(com.etiquetas.at(0).operacoes.size(), sem.etiquetas.at(0).operacoes.size()),
              tuple(2u, 1u));
    EXPECT_EQ(std::get<OpTexto>(com.etiquetas[0].operacoes[1]).texto, "1234");
}
