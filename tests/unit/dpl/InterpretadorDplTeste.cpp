#include <gtest/gtest.h>

#include "LeituraEmPedacos.h"
#include "dpl/CodigosBarras.h"
#include "dpl/Interpretador.h"
#include "dpl/Spool.h"

using namespace etiquetas;
using namespace etiquetas::zpl;

using etiquetas::apoio::doTipo;
using etiquetas::apoio::envolvente;
using std::tuple;

namespace {

// A label format between <STX>L and E, records one a line.
std::string formato(const std::string& registros, const std::string& sistema = "") {
    return sistema + "\x02L\r\nD11\r\n" + registros + "E\r\n";
}

std::string avisos(const Interpretacao& r) {
    std::string t;
    for (const auto& a : r.avisos) t += std::to_string(a.etiqueta) + ": " + a.texto + "\n";
    return t;
}

}  // namespace

// Rows count up from the bottom edge; the picture counts down from its top.
// Without a label length the picture ends at the highest field.
TEST(InterpretadorDpl, LinhasContamDaBaseEUnidadesViramPontos) {
    const auto r = dpl::interpretar(
        formato("1X1100000000010L100010\r\n"  // 1.00 x 0.10 in at the bottom, 0.10 in from the left
                "1X1100001000000B050050002002\r\n"    // 0.50 in box standing on row 1.00 in
                "m\r\n1X1100000100100L050005\r\n"));  // metric: 5 x 0.5 mm at 1 mm up, 10 mm right
    ASSERT_EQ(r.etiquetas.size(), 1u) << avisos(r);
    EXPECT_EQ(r.avisos.size(), 0u) << avisos(r);
    const auto& e = r.etiquetas[0];
    // 1.50 in long: the box's top; 4 in wide when the stream does not say.
    EXPECT_EQ(tuple(e.configuracao.comprimento, e.configuracao.largura), tuple(305, 813));
    const auto c = doTipo<OpCaixa>(e);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(tuple(c[0].area, c[1].area, c[1].espessura, c[2].area),
              tuple(Retangulo{20, 305 - 20, 203, 20}, Retangulo{0, 0, 102, 102}, 4,
                    Retangulo{80, 305 - 8 - 4, 40, 4}));
}

TEST(InterpretadorDpl, ComprimentoLarguraCopiasEConfiguracaoDoSistema) {
    const auto r = dpl::interpretar(formato("H12\r\nP4\r\nQ0003\r\n121100000500010Texto\r\n",
                                            "\002n\r\n\002KcLW0320\r\n\002c0200\r\n\002O0220\r\n"
                                            "\002V0\r\n\002e\r\n"));
    ASSERT_EQ(r.etiquetas.size(), 1u) << avisos(r);
    EXPECT_EQ(r.avisos.size(), 0u) << avisos(r);
    const auto& cfg = r.etiquetas[0].configuracao;
    EXPECT_EQ(tuple(cfg.largura, cfg.comprimento, cfg.copias, cfg.tonalidade, cfg.velocidade),
              tuple(650, 406, 3, "12", "4"));
}

// Bitmap fonts: cells times whole multipliers; font 9 in points, from the size field or the
// record. 5, 4 and 72 points need 300 dpi: at 203 the preview says so and uses 10.
TEST(InterpretadorDpl, CelulasDasFontes) {
    struct Caso {
        const char* registro;
        int dpmm;
        char fonte;
        int altura, largura;
        const char* texto;
    };
    for (const auto& c :
         std::vector<Caso>{{"121100000100010abc", 8, 'A', 18, 12, "abc"},
                           {"122300000100010abc", 8, 'A', 54, 24, "abc"},
                           {"141100000100010x", 12, 'A', 53, 31, "x"},
                           {"1A1100000100010x", 8, 'A', 0, 0, ""},  // a bar code id: not text
                           {"191100200100010R$", 8, '0', 22, 22, "R$"},
                           {"1922A1200100010R$", 8, '0', 68, 68, "R$"},
                           {"191100000100010x", 12, '0', 21, 21, "x"},
                           {"191100000100010x", 8, '0', 28, 28, "x"},
                           {"1911A0400100010x", 24, '0', 34, 34, "x"},
                           {"1911A7200100010x", 8, '0', 28, 28, "x"},
                           {"1911S0000100010P010P020Alto", 8, '0', 28, 56, "Alto"},
                           {"1911S000010001000400030ab", 8, '0', 40, 30, "ab"},
                           {"191100100100010\xe7\xe3o", 8, '0', 17, 17, "\xc3\xa7\xc3\xa3o"}}) {
        SCOPED_TRACE(c.registro);
        const auto r = dpl::interpretar(formato(std::string(c.registro) + "\r\n"), c.dpmm);
        ASSERT_EQ(r.etiquetas.size(), 1u);
        const auto t = doTipo<OpTexto>(r.etiquetas[0]);
        if (c.altura == 0) continue;
        ASSERT_EQ(t.size(), 1u) << avisos(r);
        EXPECT_EQ(tuple(t[0].fonte, t[0].altura, t[0].largura, t[0].texto),
                  tuple(c.fonte, c.altura, c.largura, c.texto));
        // The cell stands on its row: its bottom is 0.10 in (20 dots at 8/mm) up.
        if (c.dpmm == 8) {
            EXPECT_EQ(*r.etiquetas[0].configuracao.comprimento - t[0].y, 20 + c.altura);
        }
    }
}

TEST(InterpretadorDpl, Code128ComoADatamaxLe) {
    struct Caso {
        const char* dpl;
        const char* zpl;
    };
    for (const auto& c : std::vector<Caso>{
             {"12345", ">:12345"},
             {"B12345", ">:12345"},
             {"C1234", ">;1234"},
             {"C12345", ">;1234>65"},        // the odd digit goes to subset B
             {"C12&E34", ">;12>634"},        // &E switches to B: the digits stay in B
             {"ABC&Gde", ">9BC>8\x04\x05"},  // subset A: letters are control characters
             {"B1>2", ">:1>02"},             // '>' is data, not a ZPL invocation
             {"B&D1234", ">:>51234"}}) {
        EXPECT_EQ(dpl::code128ComoZpl(c.dpl), c.zpl) << c.dpl;
    }
}

// Every bar code id the templates use reads back as the data sent; the
// symbol (bars and the human-readable line below them) stands on its row.
TEST(InterpretadorDpl, CodigosDeBarrasNaPosicaoEComOsDadosLidos) {
    struct Caso {
        const char* registro;
        const char* simbologia;
        const char* lido;
        int modulo;
        bool legenda;
    };
    for (const auto& c :
         std::vector<Caso>{{"1E3305000200035C7891234567895", "Code 128", "7891234567895", 3, true},
                           {"1e2205000200035B12AB", "Code 128", "12AB", 2, false},
                           {"1F2205000200035789123456789", "EAN-13", "7891234567895", 2, true},
                           {"1a3105000200035ABC-1", "Code 39", "ABC-1", 1, false},
                           {"1d3105000200035123456", "Interleaved 2 of 5", "123456", 1, false}}) {
        SCOPED_TRACE(c.registro);
        const auto r = dpl::interpretar(formato(std::string(c.registro) + "\r\n"));
        ASSERT_EQ(r.etiquetas.size(), 1u);
        EXPECT_EQ(r.avisos.size(), 0u) << avisos(r);
        const auto& e = r.etiquetas[0];
        const auto b = doTipo<OpCodigoBarras>(e);
        ASSERT_EQ(b.size(), 1u);
        const Retangulo barras = envolvente(b[0].barras);  // 0.35 in from the left
        EXPECT_EQ(tuple(b[0].simbologia, b[0].dados, barras.x, barras.largura % c.modulo),
                  tuple(c.simbologia, c.lido, 71, 0));
        const auto t = doTipo<OpTexto>(e);
        ASSERT_EQ(t.size(), c.legenda ? 1u : 0u);
        const int base = c.legenda ? t[0].y + t[0].altura : barras.y + barras.altura;
        // 0.20 in up, 0.50 in high with the human-readable line.
        EXPECT_EQ(tuple(*e.configuracao.comprimento - base, base - barras.y), tuple(41, 102));
    }
}

TEST(InterpretadorDpl, EntradasRuinsViramAvisos) {
    struct Caso {
        std::string spool;
        std::string aviso;
        std::size_t etiquetas;
    };
    const std::string longo(300, 'x');
    for (const auto& c : std::vector<Caso>{
             {formato("1X1100005350006l382003\r\n"), "incompleto", 1},
             {formato("121100000x00010abc\r\n"), "não numérica", 1},
             {formato("12110000010\r\n"), "menos de 15", 1},
             {formato("W5\r\n"), "desconhecido", 1},
             {formato("1u1100500100010abc\r\n"), "não simulado", 1},
             {formato("1E11050001000100123\x01\r\n"), "não codifica", 1},
             {formato("1W1c00000100010abc\r\n"), "não simulado", 1},
             {formato("1Y1100000100010LOGO\r\n"), "não simulada", 1},
             {formato("1X1100000100010C0100010\r\n"), "não simulado", 1},
             {formato("121100000100010" + longo + "\r\n"), "cortados", 1},
             {formato("121100000109000fora\r\n"), "além da largura", 1},
             {formato("1911S0000100010P0\r\n"), "sem altura", 1},
             {formato("1911X0000100010abc\r\n"), "não residente", 1},
             {formato("D22\r\n"), "não simulado", 1},
             {formato("A5\r\n"), "não simulado", 1},
             {"\x02L\r\n121100000100010abc\r\n", "termina sem E", 0},
             {"lixo\r\n" + formato(""), "fora de comandos", 1},
             {formato("X\r\n"), "descartada", 0},
             {formato("1X1100000100010L000010\r\n"), "sem área", 1},
             {formato("121100000100010" + std::string(dpl::kLinhaMaxima, 'x') + "\r\n"),
              "linha 3: linha além de 65536 caracteres cortada", 1},
             {formato("Q" + longo + "\r\n"), "valor \"" + longo.substr(0, 40) + "...\" inválido",
              1}}) {
        SCOPED_TRACE(c.spool);
        const auto r = dpl::interpretar(c.spool);
        EXPECT_EQ(r.etiquetas.size(), c.etiquetas);
        EXPECT_NE(avisos(r).find(c.aviso), std::string::npos) << avisos(r);
    }
}

// Wherever a piece ends, even between CR and LF, the reading is the whole spool's.
TEST(InterpretadorDpl, LeituraEmPedacosIgualAInteira) {
    struct Caso {
        std::string spool;
        bool dpl;
    };
    for (const auto& [spool, ehDpl] :
         std::vector<Caso>{{"\x02n\r\n" + formato("121100000100010um\r\nQ0005\r\nZZ\r\n") +
                                formato("1X1100000100010L000010\r\n") + "\x02L\r\n",
                            true},
                           {"~SD10^XA^FO1,1^FDa^FS^ZZ^XZ\x02", false}}) {
        const auto inteira = dpl::interpretarSpool(spool);
        for (std::size_t corte = 0; corte <= spool.size(); ++corte) {
            dpl::LeitorSpool leitor(8, {});
            const auto r = apoio::lidoEmDoisPedacos(leitor, spool, corte);
            ASSERT_EQ(r.etiquetas.size(), inteira.etiquetas.size()) << corte;
            EXPECT_EQ(avisos(r), avisos(inteira)) << corte;
            EXPECT_EQ(leitor.dpl(), ehDpl) << corte;
            EXPECT_EQ(r.etiquetas[0].configuracao.copias, inteira.etiquetas[0].configuracao.copias);
        }
    }
}

TEST(InterpretadorDpl, LinguagemReconhecidaPeloInicio) {
    for (const auto& [spool, ehDpl] :
         std::vector<std::pair<std::string, bool>>{{"\x02n\r\n\x02L\r\nE\r\n", true},
                                                   {"\x02L\r\n121100000100010^XA\r\nE\r\n", true},
                                                   {"^XA^FO1,1^FDa^FS^XZ", false},
                                                   {"~SD10\r\n^xa^FD\x02^FS^XZ", false},
                                                   {"", false}})
        EXPECT_EQ(dpl::ehDpl(spool), ehDpl) << spool;
    EXPECT_EQ(dpl::interpretarSpool(formato("121100000100010a\r\n")).etiquetas.size(), 1u);
    EXPECT_EQ(dpl::interpretarSpool("^XA^XZ^XA^XZ").etiquetas.size(), 2u);
}

// A reader repeats what it read at a place when the same text comes there again: the result
// must be what a reader without that memory reads.
TEST(InterpretadorDpl, CampoRepetidoLeComoOLidoDeNovo) {
    struct Caso {
        std::string inicio;
        std::vector<std::string> etiquetas;
    };
    const std::string zpl =
        "^XA^PW300^FO5,5^AZN,20^FDfixo^FS^FO1,1^BY3^BCN,30^FD12^FS"
        "^FO9,9^GB9,9,1^FS^FX nota^FS^FO2,2^FDvaria";
    const std::string dpl =
        "121100000100010fixo\r\n1X1100000100010L000010\r\n1Z1100000100010a\r\n"
        "1911A2400200999longo demais para a largura\r\n";
    const std::vector<Caso> casos{
        {"~SD10",
         {zpl + "1^FS^XZ", zpl + "2^FS^XZ", zpl + "3^FS^XZ", zpl + "3^FS^XZ",
          "^XA^LH7,7^CI28" + zpl.substr(3) + "3^FS^XZ", zpl + "3^fs^FS^XZ",
          "^XA^CFB^FO5,5^AZN,20^FDfixo^FS^XZ", "^XA^FO5,5^AZN,20^FDfixo^FS^XZ"}},
        {"\x02n\r\n\x02KcLW0300\r\n",
         {formato(dpl + "121100000100010um\r\n"), formato(dpl + "121100000100010dois\r\n"),
          formato(dpl), formato(dpl), formato("R0050\r\n" + dpl), formato("m\r\n" + dpl),
          formato(dpl, "\x02KcLW0200\r\n")}},
    };
    for (const auto& c : casos) {
        Interpretacao lembrando, esquecido;
        dpl::LeitorSpool leitor(8, {});
        leitor.redirecionar({[&](Etiqueta&& e) { lembrando.etiquetas.push_back(std::move(e)); },
                             [&](const Aviso& a) { lembrando.avisos.push_back(a); }});
        leitor.ler(c.inicio);
        for (const auto& etiqueta : c.etiquetas) {
            const auto antes = lembrando;
            const auto semMemoria = leitor.copia();
            esquecido = antes;
            semMemoria->redirecionar(
                {[&](Etiqueta&& e) { esquecido.etiquetas.push_back(std::move(e)); },
                 [&](const Aviso& a) { esquecido.avisos.push_back(a); }});
            for (auto* l : {static_cast<Leitor*>(&leitor), semMemoria.get()}) {
                l->ler(etiqueta);
                l->terminar();  // a ZPL reader holds the last command until then
            }
            EXPECT_EQ(avisos(lembrando), avisos(esquecido)) << etiqueta;
            EXPECT_TRUE(lembrando.etiquetas == esquecido.etiquetas) << etiqueta;
        }
        EXPECT_EQ(lembrando.etiquetas.size(), c.etiquetas.size());
        EXPECT_FALSE(lembrando.avisos.empty());
    }
}
