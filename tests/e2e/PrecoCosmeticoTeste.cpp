#include <gtest/gtest.h>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

Variante cosmetico(const std::string& primeira, const std::string& ultima,
                   const std::string& preco = "24,90") {
    Variante v = faixa(primeira, ultima);
    v.campos["PrecoMaterial"] = preco;
    return v;
}

// The shipped template filled as a unit goes out: speed, temperature, price.
std::string unidadeEsperada(const AplicacaoTemporaria& app, const std::string& nome,
                            const std::string& preco, const std::string& velocidade) {
    std::string modelo = app.ler(nome);
    substituirTodos(modelo, ":: CMD_VELOCIDADE ::", velocidade);
    substituirTodos(modelo, ":: Temperatura ::", "08");
    const auto inicio = modelo.find("#INICIO#"), fim = modelo.find("#FIM#");
    std::string corpo = modelo.substr(inicio + 8, fim - inicio - 8);
    substituirTodos(corpo, ":: Preco ::", preco);
    return modelo.substr(0, inicio) + "\r\n" + corpo + modelo.substr(fim + 5) + "\r\n";
}

}  // namespace

// Five labels a unit: a row's range is covered by whole units, rounded up.
TEST(PrecoCosmetico, UnidadesDeCincoArredondadasParaCima) {
    struct Caso {
        std::string primeira, ultima;
        std::size_t unidades;
    };
    const std::vector<Caso> casos{{"1", "1", 1},  {"1", "3", 1},       {"1", "5", 1},
                                  {"1", "6", 2},  {"1", "10", 2},      {"1", "11", 3},
                                  {"6", "15", 2}, {"9998", "10002", 1}};
    AplicacaoTemporaria app;
    std::vector<Variante> vs;
    for (const auto& c : casos) vs.push_back(cosmetico(c.primeira, c.ultima));
    const auto r = app.imprimir(xmlPreco(11, vs), kTodasZebra);
    std::size_t total = 0;
    for (const auto& c : casos) total += c.unidades;
    const auto jobs = app.trabalhos();
    ASSERT_EQ(jobs.size(), total);
    const auto unidade = unidadeEsperada(app, "QuelmonteEtiqPrecoCosmeticoZebra.zpl", "24,90", "4");
    for (const auto& j : jobs) {
        EXPECT_EQ(j.spool, unidade);
        EXPECT_EQ(j.args.at(0), (app.pasta() / "SpoolEtq.PRN").string());
    }
    EXPECT_NE(unidade.find("^PQ5"), std::string::npos) << "the unit prints five labels";
    EXPECT_EQ(r.codigo, 0);
    EXPECT_TRUE(contem(r.erros, "concluída com sucesso")) << r.erros;
}

// The new layout right-aligns the price in eight characters; it always prints as text.
TEST(PrecoCosmetico, PrecoAlinhadoNoLayoutNovo) {
    struct Caso {
        std::string preco, classico, novo;
    };
    const std::vector<Caso> casos{{"4,9", "4,9", "     4,9"},
                                  {"129,90", "129,90", "  129,90"},
                                  {"12345,67", "12345,67", "12345,67"},
                                  {"123456,78", "123456,78", "123456,78"},
                                  {"9^XZ", "9\\5EXZ", "    9\\5EXZ"}};
    for (const bool novo : {false, true}) {
        AplicacaoTemporaria app;
        std::vector<Variante> vs;
        for (const auto& c : casos) vs.push_back(cosmetico("1", "5", c.preco));
        const auto xml = xmlPreco(11, vs);
        const auto jobs = app.imprimirBem(novo ? comLayoutNovo(xml) : xml, kTodasZebra);
        ASSERT_EQ(jobs.size(), casos.size());
        const std::string nome = novo ? "QuelmonteEtiqPrecoCosmetico_NOVOZebra.zpl"
                                      : "QuelmonteEtiqPrecoCosmeticoZebra.zpl";
        for (std::size_t i = 0; i < casos.size(); ++i)
            EXPECT_EQ(jobs[i].spool,
                      unidadeEsperada(app, nome, novo ? casos[i].novo : casos[i].classico, "4"))
                << casos[i].preco << (novo ? " novo" : " classico");
    }
}

// Each Datamax unit goes after the set-up; an unfilled token reaches the printer as is.
TEST(PrecoCosmetico, DatamaxConfiguracaoAntesDeCadaUnidade) {
    for (const bool novo : {false, true}) {
        AplicacaoTemporaria app;
        const std::string nome = novo ? "QuelmonteEtiqPrecoCosmetico_NOVODataMax.prn"
                                      : "QuelmonteEtiqPrecoCosmeticoDataMax.prn";
        std::string modelo = app.ler(nome);
        substituirTodos(modelo, "#FIM#", ":: Tamanho ::\r\n#FIM#");
        app.gravar(nome, modelo);
        const auto xml = xmlPreco(11, {cosmetico("1", "7", "4,9")});
        const auto jobs =
            app.imprimirBem(novo ? comLayoutNovo(xml) : xml, mais(kTodasDatamax, {"--separador"}));
        EXPECT_EQ(arquivosDosSpools(jobs), (Lista{"SpoolEtq.PRN", "SpoolEtqImg.prn", "SpoolEtq.PRN",
                                                  "SpoolEtqImg.prn", "SpoolEtq.PRN"}));
        ASSERT_EQ(jobs.size(), 5u);
        EXPECT_NE(jobs[0].spool.find("PEDIDO: 0000004512"), std::string::npos);
        EXPECT_EQ(jobs[1].spool, app.ler("QuelmonteConfiguracaoDatamax.prn") + "\r\n");
        const auto unidade = unidadeEsperada(app, nome, novo ? "     4,9" : "4,9", "C");
        EXPECT_EQ(jobs[2].spool, unidade);
        EXPECT_EQ(jobs[4].spool, unidade);
        EXPECT_NE(unidade.find(":: Tamanho ::"), std::string::npos);
    }
}
