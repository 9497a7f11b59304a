#pragma once

// The preview: the same rows, printer and layout as a print, each job handed
// to a sink as it is made instead of sent.

#include "app/SessaoImpressao.h"

namespace etiquetas {

// No question, no port opened, nothing written, and what carries over
// between runs left as it was. False when the command refuses or a routine
// fails (said why).
bool visualizarPedido(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                      Acompanhamento& acompanhamento, SaidaTrabalhos& destino);

}  // namespace etiquetas
