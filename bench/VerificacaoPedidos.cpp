// The check before a run of a whole generated price file, every row ticked,
// on the Zebra and on the Datamax, against the time the same file takes to
// open (read, recognised, its grid filled): both through the print service,
// as etiquetas-cli drives them.
//
//   build/default/bench/VerificacaoPedidos [PASTA] [--tamanhos 1000,10000,100000]
//
// Each figure is the median of five rounds; "1a abert." is the open of the
// first round, the first large file the process reads.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "GeradorPedidos.h"
#include "app/EdicaoGrade.h"
#include "app/Grade.h"
#include "app/ServicoImpressao.h"
#include "platform/headless/PlataformaHeadless.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

constexpr int kRodadas = 5;

double cpu() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_utime.tv_sec + uso.ru_utime.tv_usec / 1e6 + uso.ru_stime.tv_sec +
           uso.ru_stime.tv_usec / 1e6;
}

fs::path prepararPasta(const fs::path& pasta) {
    fs::create_directories(pasta);
    for (const auto& e : fs::directory_iterator(ETIQUETAS_DADOS_FONTE))
        if (e.is_regular_file())
            fs::copy_file(e.path(), pasta / e.path().filename(),
                          fs::copy_options::overwrite_existing);
    return pasta;
}

double agora() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Medida {
    double abrir = 0, verificar = 0;                // CPU, every thread of the process
    double abrirRelogio = 0, verificarRelogio = 0;  // what the person waits
    long long achados = 0;
};

Medida medir(const fs::path& pasta, const fs::path& arquivo, int linhaImpressora) {
    PlataformaHeadless plataforma;
    ServicoImpressao servico(plataforma, plataforma, PastasAplicacao(pasta));
    Medida m;
    double inicio = cpu(), relogio = agora();
    ArquivoAberto aberto = servico.abrir(arquivo);
    auto grade = gradeDoArquivo(aberto, plataforma);
    m.abrir = cpu() - inicio;
    m.abrirRelogio = agora() - relogio;
    for (int l = 1; l <= grade->linhas(); ++l) grade->definirTexto(l, 1, "1");
    OpcoesImpressora opcoes;
    opcoes.impressora = linhaImpressora;
    PedidoImpressao pedido;
    pedido.tipoArquivo = aberto.tipoArquivo;
    pedido.tipoEtiqueta = aberto.carga.TipoEtiquetaPedido.value_or(0);
    pedido.linhas = grade.get();
    pedido.arquivoPedidos = aberto.caminho;
    pedido.documento = aberto.documento;
    pedido.impressora = *escolherImpressora(servico.pastas(), opcoes).escolha;
    pedido.parametros =
        resolverParametros(servico.pastas(), pedido.impressora, false, false, "", false, "");
    Acompanhamento quieto;
    inicio = cpu();
    relogio = agora();
    const auto r = servico.verificar(pedido, quieto);
    m.verificar = cpu() - inicio;
    m.verificarRelogio = agora() - relogio;
    if (r) m.achados = r->erros + r->avisos;
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    const auto [pasta, tamanhos] =
        bench::lerArgumentos(argc, argv, fs::temp_directory_path() / "etiquetas-bench-verificacao");
    prepararPasta(pasta);
    // CPU seconds of this process (the fair measure on a shared machine; the
    // check reads on a second thread, counted too), and the wall clock.
    std::printf("%-8s %7s %8s %9s %9s %9s %9s %7s %9s %8s\n", "impressora", "n", "MB", "abrir",
                "verif.", "abrir", "verif.", "razao", "1a abert.", "achados");
    std::printf("%-8s %7s %8s %9s %9s %9s %9s %7s %9s\n", "", "", "", "CPU s", "CPU s", "relogio",
                "relogio", "relogio", "relogio");
    for (long n : tamanhos) {
        const auto arquivo = pasta / ("preco_" + std::to_string(n) + ".xml");
        const double mb = bench::gerarArquivo(arquivo, false, n) / 1048576.0;
        for (int linha : {1, 0}) {
            // The machine's speed wanders, and the first open in a process
            // is the slowest: the medians of a few rounds, each round's ratio
            // taken within the round, and the first round's open apart.
            std::vector<Medida> rodadas;
            for (int r = 0; r < kRodadas; ++r) rodadas.push_back(medir(pasta, arquivo, linha));
            const auto mediana = [&](auto campo) {
                std::vector<double> v;
                for (const auto& m : rodadas) v.push_back(campo(m));
                std::sort(v.begin(), v.end());
                return v[v.size() / 2];
            };
            std::printf(
                "%-10s %7ld %8.1f %9.3f %9.3f %9.3f %9.3f %7.2f %9.3f %8lld\n",
                linha == 1 ? "ZEBRA" : "DATAMAX", n, mb,
                mediana([](const Medida& m) { return m.abrir; }),
                mediana([](const Medida& m) { return m.verificar; }),
                mediana([](const Medida& m) { return m.abrirRelogio; }),
                mediana([](const Medida& m) { return m.verificarRelogio; }),
                mediana([](const Medida& m) { return m.verificarRelogio / m.abrirRelogio; }),
                rodadas.front().abrirRelogio, rodadas.front().achados);
            std::fflush(stdout);
        }
        fs::remove(arquivo);
    }
    return 0;
}
