// 10,000 adhesive labels, classic layout two across (5,000 printed rows),
// from one grid row or from 5,000 grid rows of two labels each (the field
// positions are read again for every grid row), with the shipped Zebra
// template and layout file: rendering
// alone, rendering with the spool file written for every row (rendering +
// spool), and through the real dispatcher and a print script that discards
// its input. Reports microseconds a label.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
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
    // As installed: a layout file written seconds ago is read again at every key.
    fs::last_write_time(pasta / "QuelmonteEtiqueta.ini",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    return pasta;
}

Grade gradePedidos(int linhas) {
    Grade g("sprPedidos", colunasPedidosPreco());
    g.definirLinhas(linhas);
    const std::vector<std::pair<int, std::string>> celulas{
        {1, "1"},
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
        {24, std::to_string(kEtiquetas / linhas)},
        {26, "MF-5001"},
        {27, "42"},
        {39, "VER27"},
        {40, "VERAO 2027"}};
    for (int l = 1; l <= linhas; ++l)
        for (const auto& [c, t] : celulas) g.definirTexto(l, c, t);
    return g;
}

template <typename DespachoUsado>
void imprimirAdesiva(benchmark::State& estado) {
    const fs::path pasta = prepararPasta();
    const Grade grade = gradePedidos(static_cast<int>(estado.range(0)));
    AtualizarConfiguracao cfg = configuracaoLayout(2, 1, false);
    cfg.Carregar(pasta);
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
                                    "QuelmonteEtiqPrecoAdesivaZebra.zpl",
                                    "QuelmonteSeparador.zpl",
                                    memoria,
                                    saida,
                                    progresso,
                                    {}});
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
    ->Arg(1)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(imprimirAdesiva<SoGravaSpool>)
    ->Name("AdesivaRenderizarEGravarSpool")
    ->Arg(1)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(imprimirAdesiva<Despacho>)
    ->Name("AdesivaDespachoCompleto")
    ->Arg(1)
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
