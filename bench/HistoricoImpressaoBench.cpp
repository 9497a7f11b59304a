// The print history's costs: recording one job (its intent before it leaves
// and its outcome after), and the check of a 100,000-variant request against
// 1,000,000 jobs recorded before. Reports microseconds a job and seconds a
// check.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "HistoricoGravado.h"
#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "app/RegistroHistorico.h"
#include "app/ServicoImpressao.h"
#include "comum/CamposGrade.h"
#include "historico/HistoricoImpressao.h"
#include "render/FamiliasEtiqueta.h"

using namespace etiquetas;
using namespace etiquetas::bench;
namespace fs = std::filesystem;

namespace {

void BM_RegistrarTrabalho(benchmark::State& state) {
    const fs::path pasta = pastaNova("registro");
    HistoricoImpressao h(arquivoHistorico(pasta));
    const long long e = h.iniciarExecucao(apoio::execucaoGravada());
    int numero = 0;
    for (auto _ : state) {
        ++numero;
        h.registrarTrabalho(e, numero, "etiquetas",
                            {{1, "4512", "10", variante(numero % 1000), numero, numero}});
        h.concluirTrabalho(e, numero, DesfechoTrabalho::Enviada);
    }
    state.SetItemsProcessed(state.iterations());
    fs::remove_all(pasta);
}
BENCHMARK(BM_RegistrarTrabalho)->Unit(benchmark::kMicrosecond);

// The request: each variant asks 15-24, so that every one finds its range
// partly printed.
Grade gradePedido() {
    Grade g("sprPedidos", colunasPedidosPreco());
    g.definirLinhas(kVariantes);
    for (int l = 1; l <= kVariantes; ++l) {
        g.definirTexto(l, coluna(CampoPreco::Marcada), "1");
        g.definirTexto(l, coluna(CampoPreco::Pedido), "4512");
        g.definirTexto(l, coluna(CampoPreco::Variante), std::to_string(l - 1));
        g.definirTexto(l, coluna(CampoPreco::Digito), "5");
        g.definirTexto(l, coluna(CampoPreco::SequenciaInicial), "15");
        g.definirTexto(l, coluna(CampoPreco::SequenciaFinal), "24");
    }
    return g;
}

void BM_ConferirRepeticoes(benchmark::State& state) {
    const fs::path pasta = pastaNova("repeticoes");
    const fs::path arquivo = arquivoHistorico(pasta);
    gravarMilhao(arquivo);
    HistoricoImpressao h(arquivo);
    const Grade grade = gradePedido();
    PedidoImpressao pedido;
    pedido.tipoArquivo = kArquivoPreco;
    pedido.tipoEtiqueta = 1;
    pedido.linhas = &grade;
    const FamiliaEtiqueta& familia = *familiaEtiqueta(1, 9);
    std::size_t encontradas = 0;
    for (auto _ : state) encontradas = procurarRepeticoes(pedido, familia, h).size();
    state.counters["faixas"] = static_cast<double>(encontradas);
    fs::remove_all(pasta);
}
BENCHMARK(BM_ConferirRepeticoes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
