// Time to preview one label of each shipped ZPL and DPL template (data/*.zpl
// and data/*.prn, its tokens filled with sample values): interpreting the
// spool, drawing the picture, and both, at 8 dots/mm. Reports milliseconds a
// label.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <map>
#include <regex>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "dpl/Spool.h"
#include "previa/DesenhoEtiqueta.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

const std::map<std::string, std::string> kAmostras{
    {"Temperatura", "08"},
    {"CMD_VELOCIDADE", "4"},
    {"Desc.Linha 01", "N"},
    {"Desc.Linha 02", "CAMISETA MALHA ALGODÃO"},
    {"Catalogo", "BÁSICO - CAMISETAS"},
    {"Preco", "39,99"},
    {"CodBarra", "2001234500170001"},
    {"CodBarra1", "2001234500170001"},
    {"CodBarra2", "2001234500170002"},
    {"FONTE_NOME", ""},
};

// Every ":: NOME ::" token gets its sample value, or the name itself.
std::string preencher(std::string modelo) {
    substituirTodos(modelo, "^A*", "^A0");
    substituirTodos(modelo, "#INICIO#", "");
    substituirTodos(modelo, "#FIM#", "");
    substituirTodos(modelo, "FONTE_NOME", "");
    // DPL: the font and the position the layout settings give.
    modelo = std::regex_replace(modelo, std::regex("^1\\*"), "12");
    modelo = std::regex_replace(modelo, std::regex("\n1\\*"), "\n12");
    modelo = std::regex_replace(modelo, std::regex("_[A-Z]{2}_[A-Z]{4}"), "00500050");
    const std::regex token("::\\s*([^:]+?)\\s*::");
    std::string r;
    auto fim = modelo.cbegin();
    for (std::sregex_iterator i(modelo.begin(), modelo.end(), token), n; i != n; ++i) {
        r.append(fim, (*i)[0].first);
        const auto v = kAmostras.find((*i)[1].str());
        r += v != kAmostras.end() ? v->second : (*i)[1].str();
        fim = (*i)[0].second;
    }
    return r.append(fim, modelo.cend());
}

void interpretar(benchmark::State& estado, const std::string& spool) {
    for (auto _ : estado) benchmark::DoNotOptimize(dpl::interpretarSpool(spool));
}

void desenhar(benchmark::State& estado, const std::string& spool) {
    const auto r = dpl::interpretarSpool(spool);
    for (auto _ : estado) benchmark::DoNotOptimize(previa::desenharEtiqueta(r.etiquetas.at(0), 8));
}

void previa(benchmark::State& estado, const std::string& spool) {
    for (auto _ : estado) {
        const auto r = dpl::interpretarSpool(spool);
        for (const auto& e : r.etiquetas) benchmark::DoNotOptimize(previa::desenharEtiqueta(e, 8));
    }
}

void registrar() {
    for (const auto& e : fs::directory_iterator(ETIQUETAS_DADOS_FONTE)) {
        if (e.path().extension() != ".zpl" && e.path().extension() != ".prn") continue;
        const std::string spool = preencher(lerArquivo(e.path()).value_or(""));
        const std::string nome = e.path().stem().string();
        for (auto [etapa, funcao] :
             {std::pair{"Interpretar/", &interpretar}, std::pair{"Desenhar/", &desenhar},
              std::pair{"Previa/", &previa}})
            benchmark::RegisterBenchmark((etapa + nome).c_str(), funcao, spool)
                ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    registrar();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
