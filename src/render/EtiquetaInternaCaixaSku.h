#pragma once

// Internal, box and SKU labels: sheets of a whole-file template whose bar
// codes carry the variant, its check digit and a running number. Every sheet
// is a printer job of its own, after one separator per ticked row.

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

// Internal sheets (six positions) and box sheets (two); each bar-code
// position takes the next running number.
void ImprimirEtiquetaInternaCaixa(ExecucaoImpressao& execucao);
// SKU sheets: every position of a sheet carries the same number, the next
// sheet the next one.
void ImprimirEtiquetaSku(ExecucaoImpressao& execucao);

}  // namespace etiquetas
