// 10,000 adhesive labels of one grid row, classic layout two across (5,000
// printed rows), with the shipped Zebra template and layout file: rendering
// alone, rendering with the spool file written for every row (rendering +
// spool), and through the real dispatcher and a print script that discards
// its input. Reports microseconds a label.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "comum/Arquivos.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "platform/headless/PlataformaHeadless.h"
#include "render/FamiliasEtiqueta.h"
#include "render/PrecoAdesiva.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

constexpr int kEtiquetas = 10'000;

ParametrosImpressao parametrosZebra() {
    ParametrosImpressao p;
    p.impressora = "ZEBRA,2,ZPL";
    p.fabricante = "ZEBRA";
    p.linguagem = Linguagem::Zebra;
    p.velocidade = "4";
    p.temperatura = "8";
    p.porta = p.destino = "LPT1";
    p.serial = {"9600", "N", "8", "1"};
    return p;
}

struct SemProgresso : ProgressoImpressao {
    void mostrarStatus(const std::string&) override {}
    void processarEventos() override {}
};

struct SoContar : SaidaTrabalhos {
    SoContar(PlataformaHeadless&, const ParametrosImpressao&, const fs::path&, bool&) {}
    void enviar(const Trabalho&) override {}
};

struct SoGravaSpool : SaidaTrabalhos {
    SoGravaSpool(PlataformaHeadless&, const ParametrosImpressao&, const fs::path& pasta, bool&)
        : pasta_(pasta) {}
    void enviar(const Trabalho& t) override { regravarArquivo(pasta_ / t.spool, t.texto); }
    fs::path pasta_;
};

fs::path prepararPasta() {
    const fs::path dados = fs::path(__FILE__).parent_path().parent_path() / "data";
    const fs::path pasta = fs::temp_directory_path() / "etiquetas-bench-adesiva";
    fs::create_directories(pasta);
    for (const char* nome : {"QuelmonteEtiqPrecoAdesivaZebra.zpl", "QuelmonteEtiqueta.ini"})
        fs::copy_file(dados / nome, pasta / nome, fs::copy_options::overwrite_existing);
    std::ofstream(pasta / "QuelmonteImprime.sh") << "cat \"$1\" > /dev/null\n";
    return pasta;
}

Grade gradeUmaLinha() {
    Grade g("sprPedidos", colunasPedidosPreco());
    g.definirLinhas(1);
    const std::vector<std::pair<int, std::string>> celulas{{1, "1"},
                                                           {2, "CONFECCOES EXEMPLO"},
                                                           {3, "BERMUDA SARJA MASCULINA"},
                                                           {4, "38"},
                                                           {5, "000000000022345001"},
                                                           {6, "4500123457"},
                                                           {7, "10"},
                                                           {10, "3"},
                                                           {11, "345001"},
                                                           {12, "15/01/2027"},
                                                           {13, "210"},
                                                           {14, "06/12/2026"},
                                                           {15, "4455"},
                                                           {16, "BASICO"},
                                                           {17, "P02"},
                                                           {18, "N"},
                                                           {20, "000"},
                                                           {21, "79,90"},
                                                           {23, "1"},
                                                           {24, std::to_string(kEtiquetas)},
                                                           {26, "MF-5001"},
                                                           {27, "42"},
                                                           {39, "VER27"},
                                                           {40, "VERAO 2027"}};
    for (const auto& [c, t] : celulas) g.definirTexto(1, c, t);
    return g;
}

template <typename DespachoUsado>
void imprimirAdesiva(benchmark::State& estado) {
    const fs::path pasta = prepararPasta();
    const Grade grade = gradeUmaLinha();
    AtualizarConfiguracao cfg;
    cfg.TipoEtiqueta = 2;
    cfg.TipoImpressora = 1;
    cfg.Carregar(pasta);
    const ParametrosImpressao parametros = parametrosZebra();
    for (auto _ : estado) {
        PlataformaHeadless plataforma;
        SemProgresso progresso;
        MemoriaImpressao memoria;
        DespachoUsado saida(plataforma, parametros, pasta, memoria.ImagemEnviada);
        ExecucaoImpressao execucao({parametros, cfg, pasta, grade, "",
                                    "QuelmonteEtiqPrecoAdesivaZebra.zpl", "QuelmonteSeparador.zpl",
                                    memoria, saida, progresso});
        const auto resultado = executarRotina(ImprimirPrecoAdesiva, execucao);
        if (!resultado.concluida() || resultado.etiquetas != kEtiquetas)
            estado.SkipWithError("the run did not end well");
    }
    estado.counters["us_por_etiqueta"] =
        benchmark::Counter(kEtiquetas / 1e6, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(imprimirAdesiva<SoContar>)
    ->Name("AdesivaSoRenderizar")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(imprimirAdesiva<SoGravaSpool>)
    ->Name("AdesivaRenderizarEGravarSpool")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(imprimirAdesiva<Despacho>)
    ->Name("AdesivaDespachoCompleto")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
