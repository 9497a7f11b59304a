#include "app/PaginasPrevia.h"

#include <algorithm>

#include "render/FalhaImpressao.h"

namespace etiquetas {

namespace {

// Labels between two copies of the reader: a page is at most this many
// labels (and one job) away from where its reading starts.
constexpr int kEtiquetasPorMarco = 64;
// Copies of a reader that holds more stored objects than this cost too
// much to keep many of.
constexpr std::size_t kObjetosPorMarco = 256;
constexpr std::size_t kAvisosMaximos = 1000;

std::string textoAviso(const zpl::Aviso& a) {
    return a.etiqueta > 0 ? "Etiqueta " + std::to_string(a.etiqueta) + ": " + a.texto : a.texto;
}

}  // namespace

PaginasPrevia::PaginasPrevia(int dpmm)
    : spool_(std::tmpfile()), dpmm_(dpmm), leitor_(dpmm, {{}, [this](const zpl::Aviso& a) {
                                                              if (avisos_.size() < kAvisosMaximos)
                                                                  avisos_.push_back(textoAviso(a));
                                                              else
                                                                  ++avisosOmitidos_;
                                                          }}) {
    if (!spool_) throw FalhaImpressao("Não foi possível criar o arquivo temporário da prévia.");
    marcos_.push_back({leitor_.copia(), 0, 0});
}

void PaginasPrevia::enviar(const Trabalho& trabalho) {
    const auto& t = trabalho.texto;
    if (std::fwrite(t.data(), 1, t.size(), spool_.get()) != t.size())
        throw FalhaImpressao("Não foi possível gravar o arquivo temporário da prévia.");
    tamanho_ += static_cast<long>(t.size());
    leitor_.ler(t);
    total_ = leitor_.etiquetasLidas();
    marcar();
}

void PaginasPrevia::marcar() {
    if (total_ - marcos_.back().etiquetas < kEtiquetasPorMarco) return;
    if (leitor_.objetosArmazenados() > kObjetosPorMarco) return;
    marcos_.push_back({leitor_.copia(), tamanho_, total_});
}

void PaginasPrevia::terminar() {
    leitor_.terminar();
    total_ = leitor_.etiquetasLidas();
    if (std::fflush(spool_.get()) != 0)
        throw FalhaImpressao("Não foi possível gravar o arquivo temporário da prévia.");
}

void PaginasPrevia::anterior() {
    if (temAnterior()) --atual_;
}

void PaginasPrevia::proxima() {
    if (temProxima()) ++atual_;
}

zpl::Etiqueta PaginasPrevia::lerPagina(int pagina) const {
    const auto marco =
        std::prev(std::upper_bound(marcos_.begin(), marcos_.end(), pagina,
                                   [](int p, const Marco& m) { return p < m.etiquetas; }));
    const auto leitor = marco->leitor->copia();
    std::optional<zpl::Etiqueta> achada;
    int proxima = marco->etiquetas;
    leitor->redirecionar({[&](zpl::Etiqueta&& e) {
                              if (proxima++ == pagina) achada = std::move(e);
                          },
                          {}});
    std::fseek(spool_.get(), marco->posicao, SEEK_SET);
    std::string pedaco(1 << 16, '\0');
    while (!achada) {
        const std::size_t n = std::fread(pedaco.data(), 1, pedaco.size(), spool_.get());
        if (n == 0) break;
        leitor->ler(std::string_view(pedaco).substr(0, n));
    }
    if (!achada) leitor->terminar();
    std::fseek(spool_.get(), 0, SEEK_END);
    return achada.value_or(zpl::Etiqueta{});
}

const zpl::Etiqueta& PaginasPrevia::etiquetaAtual() const {
    if (paginaLida_ != atual_ || !pagina_) {
        pagina_ = lerPagina(atual_);
        paginaLida_ = atual_;
    }
    return *pagina_;
}

std::string PaginasPrevia::titulo() const {
    std::string t = "Etiqueta " + std::to_string(atual_ + 1) + " de " + std::to_string(total());
    if (total() > 0) {
        if (const int copias = etiquetaAtual().configuracao.copias; copias > 1)
            t += " (" + std::to_string(copias) + " cópias)";
    }
    return t;
}

void PaginasPrevia::acrescentarAvisos(std::vector<std::string> achados) {
    avisos_.insert(avisos_.begin(), std::make_move_iterator(achados.begin()),
                   std::make_move_iterator(achados.end()));
}

std::vector<std::string> PaginasPrevia::avisos() const {
    std::vector<std::string> r = avisos_;
    if (avisosOmitidos_ > 0)
        r.push_back("... e mais " + std::to_string(avisosOmitidos_) + " avisos não mostrados");
    return r;
}

}  // namespace etiquetas
