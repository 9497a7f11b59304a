#pragma once

#include <vector>

#include "app/Grade.h"

namespace etiquetas {

// The 40 columns of sprPedidos and the 20 of vaVolume: captions, widths and
// the visibility they start with.
std::vector<ColunaGrade> colunasPedidosPreco();
std::vector<ColunaGrade> colunasVolume();

}  // namespace etiquetas
