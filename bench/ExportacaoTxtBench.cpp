// The TXT export of a large price file: 100,000 ticked variants with ranges
// of 10 labels, one million 322-character records, written to disk.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "export/ArquivoSequencial.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

Grade gradeDePrecos(int linhas) {
    Grade g("sprPedidos", colunasPedidosPreco());
    const int colunas = g.colunas();
    std::vector<std::string> celulas(static_cast<std::size_t>(linhas) * colunas);
    for (int l = 0; l < linhas; ++l) {
        auto cel = [&](int coluna) -> std::string& { return celulas[l * colunas + coluna - 1]; };
        cel(1) = "1";
        cel(3) = "Camiseta manga curta algodão azul marinho";
        cel(4) = "M";
        cel(5) = std::to_string(1000000000000LL + l);
        cel(6) = std::to_string(4500000000LL + l / 20);
        cel(7) = "00010";
        cel(9) = "12345678000199";
        cel(10) = "7";
        cel(11) = "CAT-01";
        cel(21) = "49,90";
        cel(22) = "PMG";
        cel(23) = "1";
        cel(24) = "10";
        cel(26) = "MF-998";
        cel(27) = "00042";
    }
    g.substituirConteudo(linhas, std::move(celulas));
    for (int l = 1; l <= linhas; ++l) g.definirTexto(l, 1, "1");
    return g;
}

void BM_ExportarPrecos(benchmark::State& state) {
    const Grade grade = gradeDePrecos(static_cast<int>(state.range(0)));
    const fs::path pasta = fs::temp_directory_path() / "etiquetas_bench_txt";
    fs::create_directories(pasta);
    long long registros = 0;
    for (auto _ : state) {
        ArquivoSequencial arquivo(pasta);
        arquivo.definirGrid(grade);
        if (!arquivo.Gerar({RegistroTxt::Preco, "QuelmonteEtiquetaPrecoCartolina_", 1},
                           std::chrono::system_clock::now())) {
            state.SkipWithError(arquivo.Erro().c_str());
            break;
        }
        registros += arquivo.registrosGravados();
        state.PauseTiming();
        fs::remove(arquivo.NomeTXT());
        state.ResumeTiming();
    }
    state.counters["registros/s"] =
        benchmark::Counter(static_cast<double>(registros), benchmark::Counter::kIsRate);
    fs::remove_all(pasta);
}
BENCHMARK(BM_ExportarPrecos)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
