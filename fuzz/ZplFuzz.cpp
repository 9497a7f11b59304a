// libFuzzer target over the ZPL interpreter: any spool gives labels and
// warnings, never a crash, and every operation stays within the bounds that
// keep its picture finite.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "zpl/Interpretador.h"

using namespace etiquetas::zpl;

namespace {

void exigir(bool condicao) {
    if (!condicao) std::abort();
}

bool limitado(const Retangulo& r) {
    constexpr int kLimite = 4 * kCoordenadaMaxima;
    return r.x >= -kLimite && r.x <= kLimite && r.y >= -kLimite && r.y <= kLimite &&
           r.largura >= 0 && r.largura <= kLimite && r.altura >= 0 && r.altura <= kLimite;
}

struct Verificador {
    void operator()(const OpTexto& t) const {
        exigir(t.altura > 0 && t.altura <= kCoordenadaMaxima && t.largura > 0);
        exigir(t.texto.size() <= 4 * kDadosCampoMaximo);
    }
    void operator()(const OpCaixa& c) const { exigir(limitado(c.area)); }
    void operator()(const OpCirculo& c) const { exigir(c.diametro <= 4095); }
    void operator()(const OpDiagonal& d) const { exigir(limitado(d.area)); }
    void operator()(const OpCodigoBarras& b) const {
        for (const auto& r : b.barras) exigir(limitado(r));
    }
    void operator()(const OpGrafico& g) const {
        exigir(g.bits.size() == static_cast<std::size_t>(g.bytesPorLinha) * g.altura);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view spool(reinterpret_cast<const char*>(dados), tamanho);
    const int dpmm = tamanho > 0 && dados[0] % 2 ? 12 : 8;
    const Interpretacao r = interpretar(spool, dpmm);
    for (const auto& e : r.etiquetas) {
        exigir(e.configuracao.largura.value_or(1) <= kLarguraMaxima);
        exigir(e.configuracao.comprimento.value_or(1) <= kComprimentoMaximo);
        for (const auto& op : e.operacoes) std::visit(Verificador{}, op);
    }
    return 0;
}
