// Reading and writing single keys of the shipped layout file: the adhesive
// routines read twelve field positions for every grid row.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"

namespace {

namespace fs = std::filesystem;

// A copy of the installed layout file in a folder of its own.
struct PastaLayout {
    fs::path pasta;
    PastaLayout() {
        pasta = fs::temp_directory_path() /
                ("etiquetas_bench_ini_" + std::to_string(std::random_device{}()));
        fs::create_directories(pasta);
        fs::copy_file(
            fs::path(__FILE__).parent_path().parent_path() / "data" / "QuelmonteEtiqueta.ini",
            pasta / "QuelmonteEtiqueta.ini");
        // As installed: written long before the run.
        fs::last_write_time(pasta / "QuelmonteEtiqueta.ini",
                            fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    ~PastaLayout() { fs::remove_all(pasta); }
};

void LerPosicaoDeCampo(benchmark::State& estado) {
    PastaLayout p;
    etiquetas::AtualizarConfiguracao cfg;
    short x = 0, y = 0;
    for (auto _ : estado) {
        std::string chave = "Bureau";
        etiquetas::LerPosicaoTemplate(cfg, p.pasta, "QuelmonteEtiqPrecoAdesivaDataMax.prn", chave,
                                      x, y);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(LerPosicaoDeCampo);

void CarregarParametros(benchmark::State& estado) {
    PastaLayout p;
    for (auto _ : estado) {
        etiquetas::AtualizarConfiguracao cfg;
        cfg.RaizSecao = "QuelmonteEtiqInterna";
        cfg.TipoImpressora = 1;
        cfg.Carregar(p.pasta);
        benchmark::DoNotOptimize(cfg.LarguraEtiqueta);
    }
}
BENCHMARK(CarregarParametros);

void GravarChave(benchmark::State& estado) {
    PastaLayout p;
    int n = 0;
    for (auto _ : estado)
        etiquetas::GravarArquivoIni(p.pasta, "QuelmonteEtiqInternaZebra", "MargemTopo",
                                    std::to_string(n++ % 10));
}
BENCHMARK(GravarChave);

}  // namespace

BENCHMARK_MAIN();
