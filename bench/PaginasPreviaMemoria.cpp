// Peak memory of the preview window's pages for a run of N labels, one job
// a label as the print routines hand them over, against reading the whole
// run at once. One run a process, so the peak is the run's own:
//
//   PaginasPreviaMemoria 100000            pages (jobs kept on disk)
//   PaginasPreviaMemoria 100000 --inteira  the whole run read at once

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/PaginasPrevia.h"
#include "zpl/Interpretador.h"

using namespace etiquetas;

namespace {

std::string job(int n) {
    return "^XA^PW784^LL224^FO12,8^FB360,2,0,C^A0N,20,18^FDCAMISETA MALHA ALGODAO " +
           std::to_string(n) +
           "^FS^FO56,54^FB196,1,0,R^A0N,56,48^FD39^FS^FO60,146^BY2^BCN,46,N,N,N^FD>;" +
           std::to_string(2001234500170000LL + n) + "^FS^PQ1^XZ\r\n";
}

double picoMb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    const bool inteira = argc > 2 && std::string(argv[2]) == "--inteira";
    const auto inicio = std::chrono::steady_clock::now();
    int total = 0;
    if (inteira) {
        std::string spool;
        for (int i = 1; i <= n; ++i) spool += job(i);
        total = static_cast<int>(zpl::interpretar(spool).etiquetas.size());
    } else {
        PaginasPrevia paginas;
        for (int i = 1; i <= n; ++i)
            paginas.enviar({TipoTrabalho::Etiqueta, "SpoolEtq.PRN", job(i), 1, {}});
        paginas.terminar();
        total = paginas.total();
        while (paginas.atual() < total / 2) paginas.proxima();
        (void)paginas.etiquetaAtual();
    }
    const std::chrono::duration<double> s = std::chrono::steady_clock::now() - inicio;
    std::printf("%d etiquetas%s: pico %.1f MB, %.2f s\n", total, inteira ? " (inteira)" : "",
                picoMb(), s.count());
    return 0;
}
