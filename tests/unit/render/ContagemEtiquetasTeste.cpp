#include <gtest/gtest.h>

#include "BancadaRotina.h"
#include "comum/CamposGrade.h"
#include "render/ContagemEtiquetas.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

// The shipped templates and layout, a family's whole run and its count.
struct Contagem : BancadaRotina {
    const FamiliaEtiqueta& familia;

    Contagem(int tipo, int variante, bool datamax) : familia(*familiaEtiqueta(tipo, variante)) {
        for (const auto& e : std::filesystem::directory_iterator(ETIQUETAS_DADOS_FONTE))
            if (e.is_regular_file()) pasta.copiarDados(e.path().filename().string());
        if (datamax) BancadaRotina::datamax();
        cfg.CodigoFonte = "0", cfg.LarguraEtiqueta = 300, cfg.Repeticao = 1;
    }
    ResultadoImpressao rodar(const LeitorGrade& grade, SaidaTrabalhos& destino) {
        MemoriaImpressao copia = memoria;
        ExecucaoImpressao e({parametros, cfg, pasta.caminho(), grade, "",
                             nomeTemplate(familia, false, parametros.linguagem),
                             nomeSeparador(familia, parametros.linguagem), copia, destino,
                             progresso, nullptr, true});
        return executarRotina(familia.rotina, e);
    }
    std::optional<ContagemEtiquetas> contar(const Grade& grade) {
        return contarEtiquetas(
            familia, grade, parametros,
            [this](const LeitorGrade& g, SaidaTrabalhos& s) { return rodar(g, s); });
    }
    long long enviadas(const Grade& grade) {
        ColetorTrabalhos todos;
        return rodar(grade, todos).etiquetas;
    }
};

Grade linhas(const std::vector<std::array<const char*, 4>>& faixas) {
    std::vector<teste::LinhaPreco> l;
    for (const auto& [pedido, item, primeira, ultima] : faixas) {
        l.emplace_back();
        l.back().pedido = pedido, l.back().item = item;
        l.back().primeira = primeira, l.back().ultima = ultima;
    }
    Grade g = gradePreco(l);
    for (int r = 1; r <= g.linhas(); ++r) g.definirTexto(r, coluna(CampoPreco::TipoEtiq), "1");
    return g;
}

}  // namespace

// Every price family with a rule counts what its run hands on.
TEST(ContagemEtiquetas, RegraIgualAExecucao) {
    Grade g = linhas({{"4512", "10", "1", "1"},
                      {"4512", "10", "1", "2"},
                      {"4512", "010", "3", "9"},
                      {"777", "1", "9998", "10004"},
                      {"777", "1", "5", "4"},
                      {"778", "2", "1", "13"}});
    g.definirTexto(2, 1, "0");
    for (const auto& [tipo, variante] :
         std::vector<std::pair<int, int>>{{1, 0}, {5, 0}, {9, 0}, {7, 1}, {11, 0}, {99, 1}, {2, 0}})
        for (bool datamax : {false, true})
            for (bool separador : {false, true}) {
                Contagem c(tipo, variante, datamax);
                c.parametros.separadorPorPedido = separador;
                const auto contada = c.contar(g);
                ASSERT_TRUE(contada) << tipo;
                EXPECT_EQ(std::tuple(contada->etiquetas, contada->aproximada),
                          std::tuple(c.enviadas(g), false))
                    << tipo << (datamax ? " datamax" : " zebra") << separador;
            }
}

// A huge range is counted at once; without a rule, from a sample; a bad cell gives none.
TEST(ContagemEtiquetas, FaixasGrandesEIlegiveis) {
    Contagem cartolina(1, 0, false);
    EXPECT_EQ(cartolina.contar(linhas({{"1", "1", "1", "2000000000"}}))->etiquetas, 2000000000);
    Contagem cosmetico(11, 0, false);
    EXPECT_EQ(cosmetico.contar(linhas({{"1", "1", "1", "2000000001"}}))->etiquetas, 2000000005);
    EXPECT_FALSE(cartolina.contar(linhas({{"1", "1", "1", "12A"}})));

    Contagem sku(99, 1, false);
    const Grade grande = linhas({{"1", "1", "1", "600"}, {"1", "1", "1", "7"}});
    const auto contada = sku.contar(grande);
    ASSERT_TRUE(contada);
    EXPECT_TRUE(contada->aproximada);
    EXPECT_NEAR(static_cast<double>(contada->etiquetas), static_cast<double>(sku.enviadas(grande)),
                0.02 * static_cast<double>(sku.enviadas(grande)));
}

// A classic adhesive range of any length gives its own labels, and the count says so.
TEST(ContagemEtiquetas, AdesivaClassicaDaAFaixaInteira) {
    for (int repeticao : {1, 2, 3, 4})
        for (bool datamax : {false, true}) {
            Contagem c(2, 0, datamax);
            c.cfg.Repeticao = repeticao;
            const std::string r = std::to_string(repeticao), r2 = std::to_string(2 * repeticao),
                              r3 = std::to_string(2 + 3 * repeticao);
            Grade g = linhas({{"4512", "10", "1", r.c_str()},
                              {"4512", "11", "1", r2.c_str()},
                              {"4513", "12", "3", r3.c_str()},
                              {"4513", "13", "5", "5"},
                              {"4513", "14", "1", "7"}});
            const long long faixas = repeticao + 2 * repeticao + 3 * repeticao + 1 + 7;
            const auto contada = c.contar(g);
            ASSERT_TRUE(contada);
            EXPECT_EQ(std::tuple(c.enviadas(g), contada->etiquetas), std::tuple(faixas, faixas))
                << repeticao << (datamax ? " datamax" : " zebra");
        }
}
