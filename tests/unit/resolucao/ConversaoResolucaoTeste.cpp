#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resolucao/ConversaoResolucao.h"
#include "resolucao/SaidaEmResolucao.h"

using namespace etiquetas;
using std::tuple;

namespace {

struct Convertido {
    std::string texto;
    std::vector<AvisoConversao> avisos;
};

Convertido converter(const std::string& texto, int dpi, Linguagem linguagem = Linguagem::Zebra) {
    ConversorResolucao conversor(203, dpi);
    Convertido r;
    conversor.converter(texto, linguagem, r.texto, r.avisos);
    return r;
}

std::string campos(const std::vector<AvisoConversao>& avisos) {
    std::string r;
    for (const auto& a : avisos) r += (r.empty() ? "" : " ") + a.campo;
    return r;
}

}  // namespace

// Every dot at 300 and 600 dpi; warnings name sizes a step away from exact.
TEST(ConversaoZpl, MedidasEmPontosAcompanhamAResolucao) {
    struct Caso {
        std::string modelo, a300, a600, avisos300 = "", avisos600 = "";
    };
    for (const auto& c : std::vector<Caso>{
             {"^PW650\r\n^LL560\r\n^LH0,0\r\n^LT-20^LS10",
              "^PW975\r\n^LL840\r\n^LH0,0\r\n^LT-30^LS15",
              "^PW1950\r\n^LL1680\r\n^LH0,0\r\n^LT-60^LS30"},
             {"^FO12,12^GB300,360,2,B,3^FS", "^FO18,18^GB450,540,3,B,3^FS",
              "^FO36,36^GB900,1080,6,B,3^FS"},
             {"^FT31,327^A0N,23,24^FH\\^FDR$ 1,5^FS", "^FT47,491^A0N,35,36^FH\\^FDR$ 1,5^FS",
              "^FT93,981^A0N,69,72^FH\\^FDR$ 1,5^FS"},
             // the line count and the justification are no dots
             {"^FB276,2,4,C,10", "^FB414,2,6,C,15", "^FB828,2,12,C,30"},
             {"^A@N,22,22,ARIAL^A0N,40", "^A@N,33,33,ARIAL^A0N,60", "^A@N,66,66,ARIAL^A0N,120"},
             {"^GC50,3^GD20,40,1,B,L^GE30,20,2", "^GC75,5^GD30,60,2,B,L^GE45,30,3",
              "^GC150,9^GD60,120,3,B,L^GE90,60,6"},
             {"^BY2^BCN,80,N,N,N^FD>;123456^FS", "^BY3^BCN,120,N,N,N^FD>;123456^FS",
              "^BY6^BCN,240,N,N,N^FD>;123456^FS"},
             {"^BY3,2.5,100^B3N,N,,Y", "^BY5,2.5,150^B3N,N,,Y", "^BY9,2.5,300^B3N,N,,Y",
              "^BY3,2.5,100"},
             {"^BY4^B3N,N,70", "^BY6^B3N,N,105", "^BY10^B3N,N,210", "", "^BY4"},
             {"^BQN,2,3", "^BQN,2,5", "^BQN,2,9", "^BQN,2,3"},
             // bitmap cells grow in whole multiples of each resolution's own
             {"^ADN,36,20", "^ADN,54,30", "^ADN,108,60"},
             {"^AEN,28,15", "^AEN,42,20", "^AEN,84,40", "^AEN,28,15", "^AEN,28,15"},
             {"^AAN,9,5", "^AAN,18,10", "^AAN,27,15", "^AAN,9,5"},
             {"^CFA,18,10^FO0,0^AAN^FDX^FS", "^CFA,27,15^FO0,0^AAN,27,15^FDX^FS",
              "^CFA,54,30^FO0,0^AAN,54,30^FDX^FS"},
             // what is not a size is not touched, the field data least of all
             {"^FOCBCB,_BC_^FDFO10,20^FS^XZ", "^FOCBCB,_BC_^FDFO10,20^FS^XZ",
              "^FOCBCB,_BC_^FDFO10,20^FS^XZ"},
             {"^MUM^GFB,2,2,1,xx", "^MUM^GFB,2,2,1,xx", "^MUM^GFB,2,2,1,xx", "^MUM ^GFB,2,2,1,xx",
              "^MUM ^GFB,2,2,1,xx"},
         }) {
        const auto a300 = converter(c.modelo, 300), a600 = converter(c.modelo, 600);
        EXPECT_EQ(tuple(a300.texto, campos(a300.avisos)), tuple(c.a300, c.avisos300)) << c.modelo;
        EXPECT_EQ(tuple(a600.texto, campos(a600.avisos)), tuple(c.a600, c.avisos600)) << c.modelo;
    }
}

// A warning tells the size printed and the exact one, once per job.
TEST(ConversaoZpl, AvisoDizOTamanhoImpressoEOExatoUmaVez) {
    const auto r = converter("^BY3^BCN,80^FDA^FS^BY3^BCN,80^FDB^FS", 300);
    ASSERT_EQ(r.avisos.size(), 1u);
    EXPECT_EQ(r.avisos[0].problema,
              "módulo de 3 pontos vira 5 a 300 dpi (4,5 exatos): o código sai 11% maior");
}

// Graphics are resampled dot for dot, written with the row shorthand the printer reads back.
TEST(ConversaoZpl, GraficoReamostradoLeDeVoltaOsMesmosPontos) {
    EXPECT_EQ(converter("~DGR:X.GRF,2,1,C0\r\n80\r\n", 600).texto,
              "~DGR:X.GRF,18,3,FC,::E0,::\r\n");
    EXPECT_EQ(converter("^FO0,0^GFA,2,2,1,C080^FS", 300).texto, "^FO0,0^GFA,6,6,2,E0,80,:^FS");
}

// Hundredths of inch stay; dots are rewritten in place, each record keeps its length.
TEST(ConversaoDpl, SoOQueEstaEmPontosMuda) {
    struct Caso {
        std::string registro, a300, a600, avisos300 = "";
    };
    for (const auto& c : std::vector<Caso>{
             {"1E3203501120012C123", "1E5303501120012C123", "1E9603501120012C123"},
             {"1a3101000100010123", "1a6201000100010123", "1a9301000100010123", "1a3101000100010"},
             {"1X1100002130031B120025001001", "1X1100002130031B120025001001",
              "1X1100002130031B120025001001"},
             {"191100200850013R$", "191100200850013R$", "191100200850013R$"},
             {"1911S010030007000200030ABC", "1911S010030007000300045ABC",
              "1911S010030007000600090ABC"},
             {"1911S0100300070P012P012ABC", "1911S0100300070P012P012ABC",
              "1911S0100300070P012P012ABC"},
             // the Datamax's own cells are drawn for each resolution
             {"1211000027500120", "1211000027500120", "1211000027500120"},
             {"1133000027500120", "1133000027500120", "1133000027500120"},
             {"1Y1100000100010LOGO", "1Y1100000100010LOGO", "1Y1100000100010LOGO",
              "1Y1100000100010"},
         }) {
        const std::string antes = "\x02KcLW0320\r\n1a3101000100010fora\r\n\x02L\r\nD11\r\n";
        const auto r300 = converter(antes + c.registro + "\r\nE\r\n", 300, Linguagem::DataMax);
        const auto r600 = converter(antes + c.registro + "\r\nE\r\n", 600, Linguagem::DataMax);
        EXPECT_EQ(tuple(r300.texto, campos(r300.avisos)),
                  tuple(antes + c.a300 + "\r\nE\r\n", c.avisos300));
        EXPECT_EQ(r600.texto, antes + c.a600 + "\r\nE\r\n");
    }
}

// Jobs pass as they came at the templates' resolution; above it, converted and warned.
TEST(SaidaEmResolucao, SoConverteForaDaResolucaoDosModelos) {
    const std::string label = "^XA^FO10,10^BY3^BCN,80^FDA^FS^XZ";
    for (int dpi : {203, 300}) {
        ColetorTrabalhos coletor;
        std::vector<std::pair<std::string, int>> avisos;
        SaidaEmResolucao saida(coletor, Linguagem::Zebra, dpi,
                               [&](const AvisoConversao& a, const Trabalho&, int primeira) {
                                   avisos.emplace_back(a.campo, primeira);
                               });
        saida.enviar({TipoTrabalho::Grafico, "SpoolEtq.PRN", "~DGX,1,1,FF", 0, {}});
        for (int i = 0; i < 2; ++i)
            saida.enviar({TipoTrabalho::Etiqueta, "SpoolEtq.PRN", label, 2, {}});
        ASSERT_EQ(coletor.trabalhos.size(), 3u);
        EXPECT_EQ(coletor.trabalhos[2].texto,
                  dpi == 203 ? label : "^XA^FO15,15^BY5^BCN,120^FDA^FS^XZ");
        const std::vector<std::pair<std::string, int>> esperados{
            {"~DGX,1,1,FF", 0}, {"^BY3", 1}, {"^BY3", 3}};
        EXPECT_EQ(avisos, dpi == 203 ? decltype(avisos){} : esperados);
    }
}
