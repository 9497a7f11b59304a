#pragma once

// ILPN box labels (type 4 unless "Etiqueta Volume" is chosen): every box
// printed from its own volume entry of the order file, the i-th entry for
// the i-th box.

#include <string>

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

void ImprimirVolumeIlpn(ExecucaoImpressao& execucao);

// An article code without its leading zeros; all zeros stays as it is.
std::string artigoSemZeros(const std::string& codigo);

}  // namespace etiquetas
