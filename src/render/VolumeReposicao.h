#pragma once

// Box labels of automatic replenishment (type 3): one label per box of the
// grid's box count, numbered "Vol.001/003", with the store, the material and
// the box in the bar code.

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

void ImprimirVolumeReposicao(ExecucaoImpressao& execucao);

}  // namespace etiquetas
