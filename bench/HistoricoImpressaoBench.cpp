// The print history's costs: recording one job (its intent before it leaves
// and its outcome after), and the check of a 100,000-variant request against
// 1,000,000 jobs recorded before. Reports microseconds a job and seconds a
// check.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "app/RegistroHistorico.h"
#include "app/ServicoImpressao.h"
#include "comum/CamposGrade.h"
#include "historico/HistoricoImpressao.h"
#include "historico/Sqlite.h"
#include "render/FamiliasEtiqueta.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

constexpr int kVariantes = 100'000;
constexpr int kTrabalhosGravados = 1'000'000;

fs::path pastaNova(const std::string& nome) {
    const fs::path pasta = fs::temp_directory_path() / ("etiquetas-bench-" + nome);
    fs::remove_all(pasta);
    fs::create_directories(pasta);
    return pasta;
}

ExecucaoRegistrada execucao() {
    return {"/pedidos/preco.xml",
            "0123456789ABCDEF0123456789ABCDEF",
            1,
            "QuelmonteEtiqPreco",
            false,
            "ZEBRA,2,ZPL",
            "Zebra",
            "LPT1",
            "ana"};
}

std::string variante(int n) {
    std::string v = std::to_string(n);
    return std::string(10 - v.size(), '0') + v + "-5";
}

void BM_RegistrarTrabalho(benchmark::State& state) {
    const fs::path pasta = pastaNova("registro");
    HistoricoImpressao h(arquivoHistorico(pasta));
    const long long e = h.iniciarExecucao(execucao());
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

// Ten jobs of two labels for each of the 100,000 variants, sent: what a year
// of orders leaves.
void gravarMilhao(const fs::path& arquivo) {
    HistoricoImpressao h(arquivo);
    const long long e = h.iniciarExecucao(execucao());
    sqlite::Banco banco(arquivo, 10'000);
    sqlite::Transacao t(banco);
    sqlite::Comando inserir(banco,
                            "INSERT INTO trabalhos(execucao, numero, tipo, linha, pedido, item, "
                            "variante, primeira, ultima, momento, desfecho) "
                            "VALUES(?1, ?2, 'etiquetas', ?3, '4512', '10', ?4, ?5, ?6, "
                            "'2026-12-07 10:31:00', 1)");
    for (int n = 0; n < kTrabalhosGravados; ++n) {
        const int v = n % kVariantes, vez = n / kVariantes;
        inserir.ligar(1, e).ligar(2, n + 1).ligar(3, v + 1).ligar(4, variante(v));
        inserir.ligar(5, vez * 2 + 1).ligar(6, vez * 2 + 2);
        inserir.executar();
    }
    t.confirmar();
}

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
