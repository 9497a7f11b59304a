// Standard volume labels over a 5,000-store order file with every row
// ticked (10,000 labels), the shipped Zebra template, jobs counted and
// dropped (no spool file, no print script): the rendering of a whole run.
//
//   build/default/bench/ImpressaoVolumePadrao
//
// Two ways to find each row's store again in the order file:
//   VolumePadraoExecucaoCompleta  the routine: the file read and indexed once
//                                 per run (LeituraUmaVezPorExecucao is that
//                                 read alone, so its share of the run shows)
//   LeituraPorLinha               the file read again and the store selected
//                                 by its path query, for one row: what every
//                                 row would cost on top of its labels

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>

#include "GeradorPedidos.h"
#include "app/Aplicacao.h"
#include "comum/CamposGrade.h"
#include "config/AtualizarConfiguracao.h"
#include "orderfile/LojasVolume.h"
#include "orderfile/Xml.h"
#include "platform/headless/PlataformaHeadless.h"
#include "render/FamiliasEtiqueta.h"
#include "render/VolumePadrao.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

constexpr long kLojas = 5'000;

ParametrosImpressao parametrosZebra() {
    ParametrosImpressao p;
    p.impressora = "ZEBRA,2,ZPL";
    p.fabricante = "ZEBRA";
    p.linguagem = Linguagem::Zebra;
    p.velocidade = "4";
    p.temperatura = "8";
    p.porta = p.destino = "LPT1";
    p.serial = {"9600", "N", "8", "1"};
    p.variante = 4;
    return p;
}

struct SemProgresso : ProgressoImpressao {
    void mostrarStatus(const std::string&) override {}
};

struct SoContar : SaidaTrabalhos {
    void enviar(const Trabalho&) override {}
};

// The order file and the application with its grid loaded and every row
// ticked, made once for all the measurements.
struct Ambiente {
    fs::path pasta = fs::temp_directory_path() / "etiquetas-bench-volume";
    fs::path arquivo = pasta / "volume-5000.xml";
    PlataformaHeadless plataforma;
    std::unique_ptr<Aplicacao> app;

    Ambiente() {
        fs::create_directories(pasta);
        const fs::path dados = ETIQUETAS_DADOS_FONTE;
        fs::copy_file(dados / "QuelmonteEtiqVolumePadraoZebra.zpl",
                      pasta / "QuelmonteEtiqVolumePadraoZebra.zpl",
                      fs::copy_options::overwrite_existing);
        bench::gerarArquivo(arquivo, true, kLojas);
        app = std::make_unique<Aplicacao>(plataforma, pasta);
        app->AbrirArquivoPedidos(arquivo.string());
        app->SelecionarTodasLinhas();
    }
    const Grade& grade() { return app->janela().vaVolume; }
};

Ambiente& ambiente() {
    static Ambiente a;
    return a;
}

void VolumePadraoExecucaoCompleta(benchmark::State& estado) {
    Ambiente& a = ambiente();
    const ParametrosImpressao parametros = parametrosZebra();
    const AtualizarConfiguracao cfg;
    long long etiquetas = 0;
    for (auto _ : estado) {
        SemProgresso progresso;
        MemoriaImpressao memoria;
        SoContar saida;
        ExecucaoImpressao execucao({parametros,
                                    cfg,
                                    a.pasta,
                                    a.grade(),
                                    a.arquivo.string(),
                                    "QuelmonteEtiqVolumePadraoZebra.zpl",
                                    "QuelmonteSeparador.zpl",
                                    memoria,
                                    saida,
                                    progresso,
                                    {}});
        const auto resultado = executarRotina(ImprimirVolumePadrao, execucao);
        if (!resultado.concluida()) estado.SkipWithError(resultado.falha->descricao.c_str());
        etiquetas = resultado.etiquetas;
    }
    estado.counters["linhas"] = static_cast<double>(a.grade().linhas());
    estado.counters["etiquetas"] = static_cast<double>(etiquetas);
    estado.counters["us_por_linha"] = benchmark::Counter(
        kLojas / 1e6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void LeituraUmaVezPorExecucao(benchmark::State& estado) {
    Ambiente& a = ambiente();
    for (auto _ : estado) {
        auto lojas = LojasVolume::carregar(a.arquivo.string());
        if (!lojas || lojas->tamanho() != static_cast<std::size_t>(kLojas))
            estado.SkipWithError("the order file did not index");
        benchmark::DoNotOptimize(lojas);
    }
}

void LeituraPorLinha(benchmark::State& estado) {
    Ambiente& a = ambiente();
    int linha = 1;
    for (auto _ : estado) {
        const LinhaVolume celulas(a.grade(), linha);
        const auto documento = CarregarXML(a.arquivo.string());
        const auto nos =
            selecionarNos(*documento, consultaLojaVolume(celulas[CampoVolume::Pedido],
                                                         aparar(celulas[CampoVolume::Loja]),
                                                         celulas[CampoVolume::Item]));
        if (nos.empty()) estado.SkipWithError("the store was not found");
        linha = linha % kLojas + 1;
    }
}

}  // namespace

BENCHMARK(VolumePadraoExecucaoCompleta)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK(LeituraUmaVezPorExecucao)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(LeituraPorLinha)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
