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
    const int antes = total_;
    leitor_.ler(t);
    total_ = leitor_.etiquetasLidas();
    anotarTrecho(trabalho, antes);
    marcar();
}

// A reader may end a job's last label only when the next job begins: pages
// that come then go first to a job that has tags and no page yet.
void PaginasPrevia::anotarTrecho(const Trabalho& trabalho, int paginasAntes) {
    int novas = total_ - paginasAntes;
    if (novas > 0 && !trechos_.empty() && trechos_.back().paginas == 0 &&
        trechos_.back().etiquetas > 0) {
        const int daAnterior = std::min(novas, trechos_.back().etiquetas);
        trechos_.back().paginas = daAnterior;
        novas -= daAnterior;
        paginasAntes += daAnterior;
    }
    if (trabalho.etiquetas > 0 || trechos_.empty()) {
        Trecho t{paginasAntes, 0, etiquetas_, trabalho.etiquetas, {}, 0, 0};
        if (const auto& o = trabalho.origens; !o.empty()) {
            t.origem = "Pedido " + o.front().pedido + ", Item " + o.front().item +
                       (volume_ ? ", Loja " : ", Variante ") + o.front().variante;
            t.primeira = o.front().primeira;
            t.ultima = o.back().ultima;
        }
        trechos_.push_back(std::move(t));
    }
    trechos_.back().paginas += novas;
    etiquetas_ += trabalho.etiquetas;
}

// One number a page when the job's numbers go one to each of its pages.
std::string PaginasPrevia::numerosDaPagina(const Trecho& t, int pagina) const {
    std::string r = volume_ ? ", Caixa " : ", Sequência ";
    if (t.ultima - t.primeira + 1 == t.paginas && t.paginas > 1)
        return r + std::to_string(t.primeira + (pagina - t.primeiraPagina));
    r += std::to_string(t.primeira);
    return t.ultima == t.primeira ? r : r + " a " + std::to_string(t.ultima);
}

// A page holds its job's tags in equal parts (a cartolina pair on one page:
// two); a job whose tags do not divide among its pages is counted by pages.
std::string PaginasPrevia::etiquetasDaPagina(int pagina) const {
    const auto t = std::upper_bound(trechos_.begin(), trechos_.end(), pagina,
                                    [](int p, const Trecho& tr) { return p < tr.primeiraPagina; });
    const std::string porPagina =
        "Etiqueta " + std::to_string(pagina + 1) + " de " + std::to_string(total());
    if (t == trechos_.begin()) return porPagina;
    const Trecho& tr = *std::prev(t);
    if (tr.paginas <= 0 || tr.etiquetas <= 0 || tr.etiquetas % tr.paginas != 0) return porPagina;
    const long long k = tr.etiquetas / tr.paginas;
    const long long primeira = tr.etiquetasAntes + (pagina - tr.primeiraPagina) * k + 1;
    std::string r =
        k == 1 ? "Etiqueta " + std::to_string(primeira)
        : k == 2
            ? "Etiquetas " + std::to_string(primeira) + " e " + std::to_string(primeira + 1)
            : "Etiquetas " + std::to_string(primeira) + " a " + std::to_string(primeira + k - 1);
    r += " de " + std::to_string(etiquetas_);
    if (!tr.origem.empty()) r += " — " + tr.origem + numerosDaPagina(tr, pagina);
    return r;
}

void PaginasPrevia::marcar() {
    if (total_ - marcos_.back().etiquetas < kEtiquetasPorMarco) return;
    if (leitor_.objetosArmazenados() > kObjetosPorMarco) return;
    marcos_.push_back({leitor_.copia(), tamanho_, total_});
}

void PaginasPrevia::terminar() {
    const int antes = total_;
    leitor_.terminar();
    total_ = leitor_.etiquetasLidas();
    if (!trechos_.empty()) trechos_.back().paginas += total_ - antes;
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
    std::string t = etiquetasDaPagina(atual_);
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
