// The open chain (the file read a piece at a time) against the bare parse and
// against the whole file parsed then loaded, on generated order files of
// 1,000, 10,000 and 100,000 variants (price) and as many stores (volume).
//
//   build/default/bench/AberturaPedidos [PASTA] [--tamanhos 1000,10000,100000]
//
// Each measurement runs in a child process of its own, so that the peak
// resident memory (ru_maxrss) of one does not hide another's.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "GeradorPedidos.h"
#include "app/Aplicacao.h"
#include "platform/headless/PlataformaHeadless.h"

using namespace etiquetas;
using Relogio = std::chrono::steady_clock;

namespace {

// Child: one measurement; prints the seconds taken on stdout.
int medir(const std::string& modo, const std::string& arquivo) {
    const auto inicio = Relogio::now();
    long linhas = 0;
    if (modo == "analise") {
        pugi::xml_document doc;
        if (!doc.load_file(arquivo.c_str())) return 1;
        linhas = doc.document_element() ? 1 : 0;
    } else if (modo == "inteiro") {
        // The whole file parsed, then loaded, as a file the pieces cannot follow.
        PlataformaHeadless plataforma;
        Aplicacao app(plataforma, std::filesystem::path(arquivo).parent_path());
        linhas = app.servico().abrir(arquivo).carga.linhas;
    } else {
        PlataformaHeadless plataforma;
        Aplicacao app(plataforma, std::filesystem::path(arquivo).parent_path());
        app.AbrirArquivoPedidos(arquivo);
        if (!plataforma.mensagens.empty()) return 1;
        auto& j = app.janela();
        linhas = j.tipoArquivo() == 1 ? j.sprPedidos.linhas() : j.vaVolume.linhas();
    }
    const double segundos = std::chrono::duration<double>(Relogio::now() - inicio).count();
    std::printf("%.4f %ld\n", segundos, linhas);
    return 0;
}

struct Medida {
    double segundos = 0;
    double cpu = 0;  // user + system: what the work cost, whatever else runs
    double picoMb = 0;
    long linhas = 0;
};

Medida emProcessoFilho(const char* programa, const std::string& modo, const std::string& arquivo) {
    int tubo[2];
    if (pipe(tubo) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(tubo[1], STDOUT_FILENO);
        close(tubo[0]);
        execl(programa, programa, "--medir", modo.c_str(), arquivo.c_str(), nullptr);
        _exit(127);
    }
    close(tubo[1]);
    std::string saida;
    char buffer[256];
    for (ssize_t n; (n = read(tubo[0], buffer, sizeof buffer)) > 0;) saida.append(buffer, n);
    close(tubo[0]);
    int status = 0;
    rusage uso{};
    wait4(pid, &status, 0, &uso);
    Medida m;
    std::istringstream(saida) >> m.segundos >> m.linhas;
    m.picoMb = uso.ru_maxrss / 1024.0;
    m.cpu = uso.ru_utime.tv_sec + uso.ru_utime.tv_usec / 1e6 + uso.ru_stime.tv_sec +
            uso.ru_stime.tv_usec / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) m.segundos = -1;
    return m;
}

// Best of a few runs for time; the peak is the same every run.
Medida melhorDe(int vezes, const char* programa, const std::string& modo,
                const std::string& arquivo) {
    Medida melhor = emProcessoFilho(programa, modo, arquivo);
    for (int i = 1; i < vezes; ++i) {
        const Medida m = emProcessoFilho(programa, modo, arquivo);
        if (m.segundos >= 0 && m.cpu < melhor.cpu) melhor = m;
    }
    return melhor;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--medir") == 0) return medir(argv[2], argv[3]);
    const auto [pasta, tamanhos] = bench::lerArgumentos(
        argc, argv, std::filesystem::temp_directory_path() / "etiquetas-bench");
    std::filesystem::create_directories(pasta);
    // Times are the process's CPU time (user + system), the fair measure on a
    // shared machine; the wall time of the same run follows in brackets.
    std::printf("%-7s %7s %6s %15s %15s %15s %6s %10s %11s %6s %8s\n", "tipo", "n", "MB",
                "analise s [rel]", "inteiro s [rel]", "cadeia s [rel]", "razao", "pico an.MB",
                "pico cad.MB", "razao", "pico/arq");
    for (bool volume : {false, true}) {
        for (long n : tamanhos) {
            const auto arquivo =
                pasta / ((volume ? "volume_" : "preco_") + std::to_string(n) + ".xml");
            const double mb = bench::gerarArquivo(arquivo, volume, n) / 1048576.0;
            const int vezes = n >= 100000 ? 3 : 5;
            const Medida a = melhorDe(vezes, argv[0], "analise", arquivo.string());
            const Medida i = melhorDe(vezes, argv[0], "inteiro", arquivo.string());
            const Medida c = melhorDe(vezes, argv[0], "cadeia", arquivo.string());
            if (c.linhas != n) std::printf("cadeia leu %ld linhas de %ld!\n", c.linhas, n);
            std::printf(
                "%-7s %7ld %6.1f %6.3f [%6.3f] %6.3f [%6.3f] %6.3f [%6.3f] %6.2f %10.0f %11.0f "
                "%6.2f "
                "%8.2f\n",
                volume ? "volume" : "preco", n, mb, a.cpu, a.segundos, i.cpu, i.segundos, c.cpu,
                c.segundos, c.cpu / a.cpu, a.picoMb, c.picoMb, c.picoMb / a.picoMb, c.picoMb / mb);
            std::fflush(stdout);
            std::filesystem::remove(arquivo);
        }
    }
    return 0;
}
