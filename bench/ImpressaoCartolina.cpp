// 10,000 cartolina units (20,000 tags) of one grid row, the shipped Zebra
// template: rendering alone, rendering with the spool file written
// (rendering + spool), and through the real dispatcher and a print script
// that discards its input (the whole dispatch). Reports microseconds a unit.

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
#include "render/PrecoCartolina.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

constexpr int kUnidades = 10'000;

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
};

// Rendering alone: the jobs are counted and dropped.
struct SoContar : SaidaTrabalhos {
    SoContar(PlataformaHeadless&, const ParametrosImpressao&, const fs::path&, bool&) {}
    void enviar(const Trabalho&) override {}
};

// Rendering and the spool file, no print script.
struct SoGravaSpool : SaidaTrabalhos {
    SoGravaSpool(PlataformaHeadless&, const ParametrosImpressao&, const fs::path& pasta, bool&)
        : pasta_(pasta) {}
    void enviar(const Trabalho& t) override { regravarArquivo(pasta_ / t.spool, t.texto); }
    fs::path pasta_;
};

fs::path prepararPasta() {
    const fs::path dados = fs::path(__FILE__).parent_path().parent_path() / "data";
    const fs::path pasta = fs::temp_directory_path() / "etiquetas-bench-cartolina";
    fs::create_directories(pasta);
    fs::copy_file(dados / "QuelmonteEtiqPrecoCartolinaZebra.zpl",
                  pasta / "QuelmonteEtiqPrecoCartolinaZebra.zpl",
                  fs::copy_options::overwrite_existing);
    std::ofstream(pasta / "QuelmonteEtiqueta.ini")
        << "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0001\r\n";
    std::ofstream(pasta / "QuelmonteImprime.sh") << "cat \"$1\" > /dev/null\n";
    return pasta;
}

Grade gradeUmaLinha() {
    Grade g("sprPedidos", colunasPedidosPreco());
    g.definirLinhas(1);
    const std::vector<std::pair<int, std::string>> celulas{{1, "1"},
                                                           {2, "CONFECCOES EXEMPLO"},
                                                           {3, "BLUSA MALHA CANELADA"},
                                                           {4, "GG"},
                                                           {5, "12345678901"},
                                                           {6, "4512"},
                                                           {7, "10"},
                                                           {10, "7"},
                                                           {11, "A"},
                                                           {12, "20261231"},
                                                           {13, "42"},
                                                           {15, "C"},
                                                           {16, "INVERNO"},
                                                           {18, "VALE A PENA"},
                                                           {20, "P12"},
                                                           {21, "129,90"},
                                                           {23, "1"},
                                                           {24, std::to_string(2 * kUnidades)},
                                                           {26, "REF77"},
                                                           {27, "00042"},
                                                           {34, "AZUL"},
                                                           {38, "BASICOS"},
                                                           {39, "EC1"},
                                                           {40, "VERAO"}};
    for (const auto& [c, t] : celulas) g.definirTexto(1, c, t);
    return g;
}

template <typename DespachoUsado>
void imprimirCartolina(benchmark::State& estado) {
    const fs::path pasta = prepararPasta();
    const Grade grade = gradeUmaLinha();
    AtualizarConfiguracao cfg;
    cfg.CodigoFonte = "0";
    cfg.LarguraEtiqueta = 400;
    cfg.Repeticao = 1;
    const ParametrosImpressao parametros = parametrosZebra();
    for (auto _ : estado) {
        PlataformaHeadless plataforma;
        SemProgresso progresso;
        MemoriaImpressao memoria;
        DespachoUsado saida(plataforma, parametros, pasta, memoria.ImagemEnviada);
        ExecucaoImpressao execucao({parametros,
                                    cfg,
                                    pasta,
                                    grade,
                                    "",
                                    "QuelmonteEtiqPrecoCartolinaZebra.zpl",
                                    "QuelmonteSeparador.zpl",
                                    memoria,
                                    saida,
                                    progresso,
                                    {}});
        const auto resultado = executarRotina(ImprimirPrecoCartolina, execucao);
        if (!resultado.concluida() || resultado.etiquetas != 2 * kUnidades)
            estado.SkipWithError("the run did not end well");
    }
    estado.counters["us_por_unidade"] =
        benchmark::Counter(kUnidades / 1e6, benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(imprimirCartolina<SoContar>)
    ->Name("CartolinaSoRenderizar")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(imprimirCartolina<SoGravaSpool>)
    ->Name("CartolinaRenderizarEGravarSpool")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(imprimirCartolina<Despacho>)
    ->Name("CartolinaDespachoCompleto")
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
