// The status round trip on the loopback: the question written, the three
// ~HS frames (or the Datamax flags and count) read and understood, on a
// connection kept open as a run keeps it. A run asks once before its first
// label and again after its last, so this is what asking adds to a run.

#include <benchmark/benchmark.h>

#include "../tests/apoio/ImpressoraSimulada.h"
#include "output/ConsultaEstado.h"
#include "platform/sistema/Rede.h"

using namespace etiquetas;

static void IdaEVoltaDoEstado(benchmark::State& estado) {
    const bool datamax = estado.range(0) == 1;
    apoio::ImpressoraSimulada impressora(datamax);
    const std::string endereco = impressora.endereco();
    auto conexao = conectarTcp("127.0.0.1", std::stoi(endereco.substr(endereco.rfind(':') + 1)),
                               std::chrono::seconds(2));
    if (!conexao.conexao) {
        estado.SkipWithError("sem conexão");
        return;
    }
    const auto linguagem = datamax ? Linguagem::DataMax : Linguagem::Zebra;
    for (auto _ : estado) {
        const auto e = consultarEstado(linguagem, *conexao.conexao, std::chrono::seconds(2));
        if (!e.pronta()) estado.SkipWithError("resposta não entendida");
        benchmark::DoNotOptimize(e);
    }
    estado.SetLabel(datamax ? "Datamax <SOH>A <SOH>E" : "Zebra ~HQES~HS");
}
BENCHMARK(IdaEVoltaDoEstado)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
