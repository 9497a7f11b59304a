#pragma once

// Cosmetic price labels (type 11): the price is all a label shows. One unit
// of the template stands for five labels, so a row's range is covered in
// units of five, the last one rounded up.

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

void ImprimirPrecoCosmetico(ExecucaoImpressao& execucao);

}  // namespace etiquetas
