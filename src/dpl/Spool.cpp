#include "dpl/Spool.h"

#include <algorithm>
#include <cctype>

#include "dpl/Interpretador.h"
#include "zpl/Interpretador.h"

namespace etiquetas::dpl {

namespace {

// Text with neither an STX nor a ^XA in it is ZPL's loose text once it is
// this long: no template opens with so much of it.
constexpr std::size_t kEsperaMaxima = std::size_t{1} << 20;

std::size_t inicioZpl(std::string_view spool) {
    for (std::size_t i = spool.find('^'); i != std::string_view::npos; i = spool.find('^', i + 1))
        if (i + 2 < spool.size() && std::toupper(static_cast<unsigned char>(spool[i + 1])) == 'X' &&
            std::toupper(static_cast<unsigned char>(spool[i + 2])) == 'A')
            return i;
    return std::string_view::npos;
}

}  // namespace

bool ehDpl(std::string_view spool) {
    const std::size_t stx = spool.find('\x02');
    return stx != std::string_view::npos && stx < inicioZpl(spool);
}

LeitorSpool::LeitorSpool(int dpmm, zpl::DestinoLeitura destino)
    : dpmm_(dpmm), destino_(std::move(destino)) {}

LeitorSpool::LeitorSpool(const LeitorSpool& outro)
    : dpmm_(outro.dpmm_),
      destino_(outro.destino_),
      inicio_(outro.inicio_),
      leitor_(outro.leitor_ ? outro.leitor_->copia() : nullptr),
      dpl_(outro.dpl_) {}

void LeitorSpool::ler(std::string_view pedaco) {
    if (leitor_) return leitor_->ler(pedaco);
    inicio_.append(pedaco);
    decidir(false);
}

void LeitorSpool::terminar() {
    if (!leitor_) decidir(true);
    leitor_->terminar();
}

// An STX before any ^XA is DPL. A ^XA cut between two pieces is seen whole
// in the next one, and one that starts before the STX lies wholly before it.
void LeitorSpool::decidir(bool fimDoSpool) {
    const std::size_t stx = inicio_.find('\x02');
    if (!fimDoSpool && stx == std::string::npos && inicioZpl(inicio_) == std::string::npos &&
        inicio_.size() < kEsperaMaxima)
        return;
    dpl_ = ehDpl(inicio_);
    leitor_ = dpl_ ? dpl::novoLeitor(dpmm_, destino_) : zpl::novoLeitor(dpmm_, destino_);
    leitor_->ler(inicio_);
    std::string().swap(inicio_);
}

int LeitorSpool::etiquetasLidas() const {
    return leitor_ ? leitor_->etiquetasLidas() : 0;
}

std::size_t LeitorSpool::objetosArmazenados() const {
    return leitor_ ? leitor_->objetosArmazenados() : 0;
}

void LeitorSpool::redirecionar(zpl::DestinoLeitura destino) {
    if (leitor_) leitor_->redirecionar(destino);
    destino_ = std::move(destino);
}

std::unique_ptr<zpl::Leitor> LeitorSpool::copia() const {
    return std::make_unique<LeitorSpool>(*this);
}

zpl::Interpretacao interpretarSpool(std::string_view spool, int dpmm) {
    LeitorSpool leitor(dpmm, {});
    return zpl::interpretarCom(leitor, spool);
}

}  // namespace etiquetas::dpl
