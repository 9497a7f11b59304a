#pragma once

// Intimate-apparel adhesive price labels (type 6 with the internal label
// variant): the adhesive run with seven fields, one sequence number a label
// on every layout.

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

void ImprimirPrecoAdesivaIntima(ExecucaoImpressao& execucao);

}  // namespace etiquetas
