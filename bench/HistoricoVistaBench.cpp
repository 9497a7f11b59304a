// The "Histórico" view opened over 1,000,000 recorded jobs: from the
// dialog's construction to its first page shown, offscreen; and a page far
// down (the 1,000th), which keyset paging keeps as quick as the first.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "HistoricoGravado.h"
#include "gui/FrmHistorico.h"
#include "platform/qt/PlataformaQt.h"

using namespace etiquetas;
using namespace etiquetas::bench;

namespace {

const std::filesystem::path& historicoMilhao() {
    static const std::filesystem::path arquivo = [] {
        const auto a = arquivoHistorico(pastaNova("vista"));
        gravarMilhao(a);
        return a;
    }();
    return arquivo;
}

void BM_AbrirVista(benchmark::State& state) {
    const auto& arquivo = historicoMilhao();
    PlataformaQt plataforma;
    int linhas = 0;
    for (auto _ : state) {
        FrmHistorico vista(plataforma, arquivo);
        vista.show();
        QApplication::processEvents();
        linhas = vista.modelo().rowCount();
    }
    state.counters["linhas"] = linhas;
}
BENCHMARK(BM_AbrirVista)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PaginaMilesima(benchmark::State& state) {
    const auto& arquivo = historicoMilhao();
    PlataformaQt plataforma;
    FrmHistorico vista(plataforma, arquivo);
    auto& modelo = vista.modelo();
    while (modelo.rowCount() < 1000 * ModeloHistorico::kPagina) modelo.fetchMore({});
    for (auto _ : state) modelo.fetchMore({});
}
BENCHMARK(BM_PaginaMilesima)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(historicoMilhao().parent_path());
    return 0;
}
