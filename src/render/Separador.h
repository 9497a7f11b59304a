#pragma once

// Separator labels: one label between the orders or items of a run, so the
// packer sees where a group ends. Sent at once, outside any Datamax batch.

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

// Order/item separator for row `linha` of the price grid being printed.
void ImprimirSeparador(ExecucaoImpressao& execucao, int linha);
// The box variant: "ETIQUETA EXTERNA DA CAIXA" in place of the supplier reference.
void ImprimirSeparadorCaixa(ExecucaoImpressao& execucao, int linha);

}  // namespace etiquetas
