#pragma once

// Spools read in two pieces, one kind of operation, the box around a bar code's bars.

#include <algorithm>

#include <string_view>
#include <variant>
#include <vector>

#include "zpl/Leitor.h"

namespace etiquetas::apoio {

inline zpl::Interpretacao lidoEmDoisPedacos(zpl::Leitor& leitor, std::string_view spool,
                                            std::size_t corte) {
    zpl::Interpretacao r;
    leitor.redirecionar({[&](zpl::Etiqueta&& e) { r.etiquetas.push_back(std::move(e)); },
                         [&](const zpl::Aviso& a) { r.avisos.push_back(a); }});
    leitor.ler(spool.substr(0, corte));
    leitor.ler(spool.substr(corte));
    leitor.terminar();
    return r;
}

template <class Op>
std::vector<Op> doTipo(const zpl::Etiqueta& e) {
    std::vector<Op> r;
    for (const auto& op : e.operacoes)
        if (const auto* o = std::get_if<Op>(&op)) r.push_back(*o);
    return r;
}

inline zpl::Retangulo envolvente(const std::vector<zpl::Retangulo>& barras) {
    zpl::Retangulo r = barras.front();
    for (const auto& b : barras) {
        const int direita = std::max(r.x + r.largura, b.x + b.largura);
        const int base = std::max(r.y + r.altura, b.y + b.altura);
        r.x = std::min(r.x, b.x), r.y = std::min(r.y, b.y);
        r.largura = direita - r.x, r.altura = base - r.y;
    }
    return r;
}

}  // namespace etiquetas::apoio
