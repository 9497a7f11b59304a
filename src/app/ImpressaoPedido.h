#pragma once

// Printing a request: request, check, chain of sinks, routine. A run that
// stops early says where to resume.

#include <optional>
#include <vector>

#include "app/SessaoImpressao.h"

namespace etiquetas {

// Where a print that stopped early (cancelled or failed) resumes: the rows
// it printed whole, the row it stopped in and, for a price row, the next
// sequence not sent.
struct Retomada {
    std::vector<int> concluidas;
    int linha = 0;
    std::optional<long long> proximaSequencia;
};

// `retomada` is set when the run stopped early and emptied when a run
// starts.
DesfechoImpressao imprimirPedido(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                                 Acompanhamento& acompanhamento, std::optional<Retomada>& retomada);

}  // namespace etiquetas
