// Time to rewrite one label unit for a 300 or 600 dpi printer, for every
// shipped ZPL and DPL template (its tokens left as they are: they hold no
// dots, and a filled label has the same commands). An iteration is one
// unit: the CPU column is the cost a unit. The graphic downloaded into Zebra
// printers is timed apart; it goes once per run.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "output/PreCargaZebra.h"
#include "resolucao/ConversaoResolucao.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

void converter(benchmark::State& estado, const std::string& spool, Linguagem linguagem, int dpi) {
    ConversorResolucao conversor(kResolucaoModelos, dpi);
    std::string saida;
    std::vector<AvisoConversao> avisos;
    for (auto _ : estado) {
        avisos.clear();
        conversor.converter(spool, linguagem, saida, avisos);
        benchmark::DoNotOptimize(saida.data());
    }
}

void registrar() {
    for (int dpi : {300, 600}) {
        for (const auto& e : fs::directory_iterator(ETIQUETAS_DADOS_FONTE)) {
            const bool zpl = e.path().extension() == ".zpl";
            if (!zpl && e.path().extension() != ".prn") continue;
            std::string spool = lerArquivo(e.path()).value_or("");
            substituirTodos(spool, "^A*", "^A0");
            benchmark::RegisterBenchmark(
                (e.path().stem().string() + "/" + std::to_string(dpi)).c_str(), converter, spool,
                zpl ? Linguagem::Zebra : Linguagem::DataMax, dpi)
                ->Unit(benchmark::kMicrosecond);
        }
        benchmark::RegisterBenchmark(("GraficoZebra/" + std::to_string(dpi)).c_str(), converter,
                                     std::string(RecursoGraficoZebra()), Linguagem::Zebra, dpi)
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    registrar();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
