#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "LeituraEmPedacos.h"
#include "zpl/Graficos.h"
#include "zpl/Interpretador.h"

using namespace etiquetas::zpl;

using etiquetas::apoio::doTipo;
using std::tuple;

namespace {

std::string u8s(const char8_t* s) {
    return reinterpret_cast<const char*>(s);
}

// The warnings' texts, one a line.
std::string avisos(const Interpretacao& r) {
    std::string t;
    for (const auto& a : r.avisos) t += a.texto + "\n";
    return t;
}

bool avisaSobre(const Interpretacao& r, const std::string& trecho) {
    return std::any_of(r.avisos.begin(), r.avisos.end(),
                       [&](const Aviso& a) { return a.texto.find(trecho) != std::string::npos; });
}

}  // namespace

TEST(InterpretadorZpl, NadaQueAImpressoraIgnoraPassaCalado) {
    struct Caso {
        const char* spool;
        const char* aviso;
        std::size_t etiquetas;
    };
    for (const auto& c : std::vector<Caso>{
             {"^XA^ZZ1,2^FO1,1^FDa^FS^XZ", "^ZZ: comando desconhecido", 1},
             {"^XA~JX^XZ", "~JX: comando desconhecido", 1},
             {"^FO1,1^FDa^FS^XA^XZ", "^FO: fora de ^XA", 1},
             {"^XA^FO1,1^FDa^FS", "termina sem ^XZ", 0},
             {"^XA^FO1,1^FDa^FO5,5^FDb^FS^XZ", "campo sem ^FS antes de ^FO", 1},
             {"^XA^FO1,1^FDa^XZ", "campo sem ^FS no fim", 1},
             {"^XA^FO1,1^F", "^F: comando incompleto no fim do spool", 0},
             {"^XA^F^FO1,1^FDa^FS^XZ", "^F: comando incompleto, cortado pelo comando seguinte", 1},
             {"^XA^BY11^XZ", "^BY: valor 11 fora de 1 a 10", 1},
             {"^XA^XZ#INICIO#", "texto ignorado depois do comando", 1},
             {"lixo^XA^XZ", "texto fora de comandos", 1},
             {"^XA^FOx,1^FDa^FS^XZ", "valor \"x\" inválido", 1},
             {"^XA^A9N,20,20^FO1,1^FDa^FS^XZ", "fonte \"9\" não residente", 1},
             {"^XA^CI30^XZ", "^CI30: conjunto de caracteres não simulado", 1},
             {"^XA^FO1,1^FDa^FDb^FS^XZ", "^FD repetido", 1},
             {"^XZ", "^XZ sem ^XA", 0},
             {"^XA^XA^XZ", "^XA dentro de um formato", 1},
             {"^XA^FO1,1^XGR:NADA.GRF^FS^XZ", "R:NADA.GRF não está na memória", 1},
             {"^XA^FO1,1^BCN,50^FS^XZ", "sem dados", 1}}) {
        const auto r = interpretar(c.spool);
        EXPECT_TRUE(avisaSobre(r, c.aviso)) << c.spool << "\n" << avisos(r);
        EXPECT_EQ(r.etiquetas.size(), c.etiquetas) << c.spool;
    }
    // Each warning names the label it came from.
    const auto r = interpretar("^ZZ^XA^XZ^XA^ZY^XZ");
    ASSERT_EQ(r.avisos.size(), 2u);
    EXPECT_EQ(tuple(r.avisos[0].etiqueta, r.avisos[1].etiqueta), tuple(0, 2));
}

TEST(InterpretadorZpl, TamanhosHostisFicamLimitados) {
    const auto r = interpretar(
        "^XA^PW100000^LL999999999999^FO99999,-5^GB99999999,99999999,99999999^FS"
        "^FO0,0^GC999999,5^FS^BY99,9.5,0^FO1,1^BCN,99999^FD123^FS^XZ");
    ASSERT_EQ(r.etiquetas.size(), 1u);
    const auto& e = r.etiquetas[0];
    EXPECT_EQ(tuple(e.configuracao.largura, e.configuracao.comprimento),
              tuple(kLarguraMaxima, kComprimentoMaximo));
    const auto caixa = doTipo<OpCaixa>(e).at(0);
    EXPECT_LE(std::max(caixa.area.x, caixa.area.largura), kCoordenadaMaxima);
    EXPECT_EQ(doTipo<OpCirculo>(e).at(0).diametro, 4095);
    const auto codigos = doTipo<OpCodigoBarras>(e);
    ASSERT_EQ(codigos.size(), 1u);
    for (const auto& b : codigos[0].barras) {
        EXPECT_LE(b.altura, kCoordenadaMaxima);
        EXPECT_LE(b.largura, 4 * 10);  // a module of at most 10 dots
    }
    EXPECT_TRUE(avisaSobre(r, "^PW: valor 100000 fora de 2 a 3000"));
    EXPECT_TRUE(avisaSobre(r, "^BY: razão 9.5 fora de 2,0 a 3,0"));
}

TEST(InterpretadorZpl, CampoComHexadecimalECodificacao) {
    struct Caso {
        const char* spool;
        std::string esperado;  // UTF-8
        bool aviso;
    };
    for (const auto& c : std::vector<Caso>{
             {"^XA^CI27^FO1,1^FH\\^FDA\\5E\\7E\xE7^FS^XZ", u8s(u8"A^~ç"), false},
             {"^XA^CI27^FO1,1^FH^FD_41_4^FS^XZ", "A_4", true},    // broken escape stays as written
             {"^XA^FO1,1^FDa_41^FS^XZ", "a_41", false},           // no ^FH: no escapes
             {"^XA^CI0^FO1,1^FDa\xE7^FS^XZ", u8s(u8"aþ"), true},  // code page 850
             {"^XA^CI28^FO1,1^FD\xC3\xA7^FS^XZ", u8s(u8"ç"), false},
             {"^XA^CI28^FO1,1^FD\xE7^FS^XZ", u8s(u8"ç"), true},  // not UTF-8
         }) {
        const auto r = interpretar(c.spool);
        ASSERT_EQ(r.etiquetas.size(), 1u) << c.spool;
        EXPECT_EQ(doTipo<OpTexto>(r.etiquetas[0]).at(0).texto, c.esperado) << c.spool;
        EXPECT_EQ(!r.avisos.empty(), c.aviso) << c.spool << "\n" << avisos(r);
    }
}

// Wherever a piece ends, the reading is the one of the whole spool.
TEST(InterpretadorZpl, LeituraEmPedacosIgualAInteira) {
    const std::string spool =
        "~DGR:LOGO.GRF,4,2,FF00F0F0\r\n^XA^PQ5^FO10,10^XGLOGO^FS^F^FO1,1^A0N,20^FDum^FS^XZ"
        "^XA^FO2,2^BCN,30^FD123^FS^ZZ^XZ^XA^IDR:LOGO.GRF^XZ";
    const auto inteira = interpretar(spool);
    for (std::size_t corte = 0; corte <= spool.size(); ++corte) {
        const auto r = etiquetas::apoio::lidoEmDoisPedacos(*novoLeitor(8, {}), spool, corte);
        ASSERT_EQ(r.etiquetas.size(), inteira.etiquetas.size()) << corte;
        EXPECT_EQ(avisos(r), avisos(inteira)) << corte;
        EXPECT_EQ(r.etiquetas[0].operacoes.size(), inteira.etiquetas[0].operacoes.size()) << corte;
        EXPECT_EQ(r.etiquetas[0].configuracao.copias, 5) << corte;
    }
}

// Stored graphics share one budget: too big is refused, same name replaces, delete frees.
TEST(InterpretadorZpl, GraficosArmazenadosTemOrcamento) {
    const auto carga = [](const std::string& nome) {
        return "~DGR:" + nome + ".GRF,2097152,512,FF\r\n";  // 2 MB, the most one may hold
    };
    const auto recusados = [](const Interpretacao& r) {
        return std::count_if(r.avisos.begin(), r.avisos.end(), [](const Aviso& a) {
            return a.texto.find("memória de gráficos da impressora cheia") != std::string::npos;
        });
    };
    std::string quatro;
    for (const char* n : {"A", "B", "C", "D"}) quatro += carga(n);
    EXPECT_EQ(recusados(interpretar(quatro + carga("A"))), 0);
    EXPECT_EQ(recusados(interpretar(quatro + carga("E"))), 1);
    EXPECT_EQ(recusados(interpretar(quatro + "^IDR:A.GRF\r\n" + carga("E"))), 0);
    // A thousand downloads of 2 MB each keep only what fits.
    std::string mil;
    for (int i = 0; i < 1000; ++i) mil += carga("G" + std::to_string(i));
    mil += "^XA^FO0,0^XGR:G3.GRF^FS^FO0,0^XGR:G4.GRF^FS^XZ";
    const auto r = interpretar(mil);
    EXPECT_EQ(recusados(r), 996);
    EXPECT_EQ(doTipo<OpGrafico>(r.etiquetas.at(0)).size(), 1u);
}

// Wildcards against a long stored name end at once.
TEST(InterpretadorZpl, ApagarComCuringas) {
    struct Caso {
        const char* padrao;
        bool apaga;
    };
    const std::string nome(60, 'A');
    for (const auto& c : std::vector<Caso>{{"R:*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*B.GRF", false},
                                           {"R:*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*.GRF", true},
                                           {"R:A?*A.GRF", true},
                                           {"*:*", true},
                                           {"R:A.GRF", false},
                                           {"R:*.ZPL", false}}) {
        const auto r = interpretar("~DGR:" + nome + ".GRF,2,1,FF^XA^ID" + c.padrao +
                                   "^FO0,0^XGR:" + nome + ".GRF^FS^XZ");
        EXPECT_EQ(doTipo<OpGrafico>(r.etiquetas.at(0)).empty(), c.apaga) << c.padrao;
    }
}

TEST(InterpretadorZpl, GraficoGrandeDemaisEReduzido) {
    const auto r = interpretar("~DGR:G.GRF,999999999,99999,FF^XA^FO0,0^XGR:G.GRF^FS^XZ");
    const auto g = doTipo<OpGrafico>(r.etiquetas.at(0)).at(0);
    EXPECT_LE(g.bits->size(), static_cast<std::size_t>(kBytesGraficoMaximo + kBytesPorLinhaMaximo));
    EXPECT_TRUE(avisaSobre(r, "grande demais"));
}
