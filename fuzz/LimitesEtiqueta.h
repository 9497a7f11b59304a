#pragma once

// What every label of a preview reader must keep, whatever the spool: sizes
// and coordinates within the bounds that keep its picture finite, and the
// same reading however the spool is cut into pieces.

#include <cstdlib>
#include <string_view>

#include "zpl/Etiqueta.h"
#include "zpl/Leitor.h"

namespace etiquetas::fuzz {

inline void exigir(bool condicao) {
    if (!condicao) std::abort();
}

inline bool limitado(const zpl::Retangulo& r) {
    constexpr int kLimite = 4 * zpl::kCoordenadaMaxima;
    return r.x >= -kLimite && r.x <= kLimite && r.y >= -kLimite && r.y <= kLimite &&
           r.largura >= 0 && r.largura <= kLimite && r.altura >= 0 && r.altura <= kLimite;
}

struct Verificador {
    std::size_t textoMaximo;
    void operator()(const zpl::OpTexto& t) const {
        exigir(t.altura > 0 && t.altura <= zpl::kCoordenadaMaxima && t.largura > 0);
        exigir(t.texto.size() <= textoMaximo);
    }
    void operator()(const zpl::OpCaixa& c) const { exigir(limitado(c.area)); }
    void operator()(const zpl::OpCirculo& c) const { exigir(c.diametro <= 4095); }
    void operator()(const zpl::OpDiagonal& d) const { exigir(limitado(d.area)); }
    void operator()(const zpl::OpCodigoBarras& b) const {
        for (const auto& r : b.barras) exigir(limitado(r));
    }
    void operator()(const zpl::OpGrafico& g) const {
        exigir(g.bits && g.bits->size() == static_cast<std::size_t>(g.bytesPorLinha) * g.altura);
    }
};

inline void verificar(const zpl::Interpretacao& r, std::size_t textoMaximo) {
    for (const auto& e : r.etiquetas) {
        exigir(e.configuracao.largura.value_or(1) <= zpl::kLarguraMaxima);
        exigir(e.configuracao.comprimento.value_or(1) <= zpl::kComprimentoMaximo);
        for (const auto& op : e.operacoes) std::visit(Verificador{textoMaximo}, op);
    }
}

// Read in two pieces, cut at `corte`, the spool gives the reading it gives
// whole.
inline void verificarEmPedacos(zpl::Leitor& leitor, std::string_view spool, std::size_t corte,
                               const zpl::Interpretacao& inteira) {
    std::size_t etiquetas = 0, avisos = 0;
    leitor.redirecionar(
        {[&](zpl::Etiqueta&&) { ++etiquetas; }, [&](const zpl::Aviso&) { ++avisos; }});
    leitor.ler(spool.substr(0, corte));
    leitor.ler(spool.substr(corte));
    leitor.terminar();
    exigir(etiquetas == inteira.etiquetas.size() && avisos == inteira.avisos.size());
}

}  // namespace etiquetas::fuzz
