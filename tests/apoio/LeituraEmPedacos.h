#pragma once

// A spool handed to a reader in two pieces, as a run's jobs come, to compare with the whole.

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

}  // namespace etiquetas::apoio
