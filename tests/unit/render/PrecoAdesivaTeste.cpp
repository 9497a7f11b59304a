#include <gtest/gtest.h>

#include "BancadaRotina.h"
#include "render/PrecoAdesiva.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

// Runs of the adhesive routine on one application's memory, every job kept.
struct Execucoes : BancadaRotina {
    explicit Execucoes(const std::string& corpo) {
        pasta.gravar("QuelmonteEtiqueta.ini", "");
        pasta.gravar("QuelmonteConfiguracaoDatamax.prn", "CONFIG");
        pasta.gravar("Modelo.prn", "#INICIO#" + corpo + "#FIM#");
        cfg.CodigoFonte = "0", cfg.LarguraEtiqueta = 200, cfg.Repeticao = 1;
    }
    // The run's result and the texts of the jobs it sent.
    std::pair<ResultadoImpressao, Textos> imprimir(const std::vector<teste::LinhaPreco>& linhas) {
        saida.trabalhos.clear();
        BancadaRotina::imprimir(ImprimirPrecoAdesiva, gradePreco(linhas), "Modelo.prn",
                                "QuelmonteSeparador.prn");
        Textos textos;
        for (const auto& t : trabalhos()) textos.push_back(t.texto);
        return {resultado, textos};
    }
};

teste::LinhaPreco faixa(const std::string& primeira, const std::string& ultima) {
    teste::LinhaPreco l;
    l.primeira = primeira;
    l.ultima = ultima;
    return l;
}

}  // namespace

// The batch count outlives a run, the batch does not; a failed run's rows are dropped.
TEST(PrecoAdesiva, LoteDatamaxEntreExecucoes) {
    Execucoes e("<COL1:: Cod. da Barra ::>");
    e.datamax();
    const auto primeira = e.imprimir({faixa("1", "1")});
    EXPECT_EQ(primeira.second, (Textos{"CONFIG\r\n", "\r\n<2000000012350001>\r\n"}));
    EXPECT_EQ(e.memoria.ContadorLoteDatamax, 1);

    const auto vazia = e.imprimir({faixa("6", "4")});
    EXPECT_TRUE(vazia.first.concluida() && vazia.second.empty());

    const auto falha = e.imprimir({faixa("2", "2"), faixa("abc", "3")});
    EXPECT_FALSE(falha.first.concluida());
    EXPECT_TRUE(falha.second.empty()) << "the collected row is not sent";
    const auto depois = e.imprimir({faixa("3", "3")});
    EXPECT_EQ(depois.second, (Textos{"CONFIG\r\n", "\r\n<2000000012350003>\r\n"}));
    EXPECT_EQ(depois.first.etiquetas, 1);
}

// Each label is filled on its own: a value's markers reach the printer as written.
TEST(PrecoAdesiva, ValorDeUmaEtiquetaNaoEPreenchidoPelaSeguinte) {
    Execucoes e("<:: Catalogo ::|*|CCCC>");
    e.cfg.Repeticao = 2;
    teste::LinhaPreco l = faixa("1", "2");
    l.catalogo = "A*CCCC";
    const auto [resultado, textos] = e.imprimir({l});
    ASSERT_TRUE(resultado.concluida());
    EXPECT_EQ(textos, (Textos{"\r\n<A*CCCC|0|0000>\r\n<A*CCCC|0|0200>\r\n"}));
}
