#include "app/PaginasPrevia.h"

#include "dpl/Spool.h"

namespace etiquetas {

namespace {

std::string emSequencia(const std::vector<Trabalho>& trabalhos) {
    std::string spool;
    for (const auto& t : trabalhos) spool += t.texto;
    return spool;
}

}  // namespace

PaginasPrevia::PaginasPrevia(const std::vector<Trabalho>& trabalhos, int dpmm)
    : interpretacao_(dpl::interpretarSpool(emSequencia(trabalhos), dpmm)), dpmm_(dpmm) {}

void PaginasPrevia::anterior() {
    if (temAnterior()) --atual_;
}

void PaginasPrevia::proxima() {
    if (temProxima()) ++atual_;
}

std::string PaginasPrevia::titulo() const {
    return "Etiqueta " + std::to_string(atual_ + 1) + " de " + std::to_string(total());
}

std::vector<std::string> PaginasPrevia::avisos() const {
    std::vector<std::string> r;
    for (const auto& a : interpretacao_.avisos)
        r.push_back(a.etiqueta > 0 ? "Etiqueta " + std::to_string(a.etiqueta) + ": " + a.texto
                                   : a.texto);
    return r;
}

}  // namespace etiquetas
