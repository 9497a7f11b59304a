#pragma once

// A spool read in the language it is written in: DPL streams open with the
// STX of a system command, ZPL ones with ^XA (or a ~ command before it).

#include <string_view>

#include "zpl/Etiqueta.h"

namespace etiquetas::dpl {

// Whether an STX comes before the first ^XA.
bool ehDpl(std::string_view spool);

zpl::Interpretacao interpretarSpool(std::string_view spool, int dpmm = 8);

}  // namespace etiquetas::dpl
