// 10,000 cartolina units (20,000 tags) of one grid row, the shipped Zebra
// template: once with dispatch replaced by writing the spool file only
// (rendering + spool), once through the real dispatcher and a print script
// that discards its input (the whole dispatch). Reports microseconds a unit.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "platform/headless/PlataformaHeadless.h"
#include "render/PrecoCartolina.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

constexpr int kUnidades = 10'000;

struct JanelaFixa : JanelaImpressao {
    std::string impressora() const override { return "ZEBRA,2,ZPL"; }
    std::string velocidade() const override { return "4"; }
    std::string temperatura() const override { return "8"; }
    std::string porta() const override { return "LPT1"; }
    std::string destino() const override { return "LPT1"; }
    std::string velocidadeCom() const override { return "9600"; }
    std::string paridadeCom() const override { return "N"; }
    std::string bitsDadosCom() const override { return "8"; }
    std::string bitsParadaCom() const override { return "1"; }
    bool separadorPorPedido() const override { return false; }
    std::string origemSolicitacao() const override { return ""; }
    void mostrarStatus(const std::string&) override {}
    void mostrarDetalhePortaCom(const std::string&) override {}
};

class SoGravaSpool : public Despacho {
  public:
    using Despacho::Despacho;
    void despachar(const fs::path&) override {}
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
    for (auto _ : estado) {
        PlataformaHeadless plataforma;
        JanelaFixa janela;
        ModuloImpressao modulo;
        bool imagemEnviada = false;
        DespachoUsado despacho(plataforma, janela, pasta, imagemEnviada);
        AmbienteImpressao ambiente{despacho, modulo, grade};
        ImprimirPrecoCartolina(ambiente, cfg, "QuelmonteEtiqPrecoCartolinaZebra.zpl",
                               "QuelmonteSeparador.zpl", "Zebra");
        if (plataforma.mensagens.size() != 1) estado.SkipWithError("the run did not end well");
    }
    estado.counters["us_por_unidade"] =
        benchmark::Counter(kUnidades / 1e6, benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}

}  // namespace

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
