#pragma once

// A DPL spool read as a Datamax reads it: each label format, from <STX>L to
// E, becomes one label of the drawing operations the ZPL reader makes, so
// one painter draws both languages. What the printer would ignore, drop or
// change is listed as a warning, never passed over in silence.

#include <cstddef>
#include <string_view>

#include "zpl/Etiqueta.h"

namespace etiquetas::dpl {

// A record's data beyond this is cut, as the printer cuts it.
inline constexpr std::size_t kDadosRegistroMaximo = 255;
// Only this much of a spool is read; a label printer's buffer holds less.
inline constexpr std::size_t kSpoolMaximo = std::size_t{8} << 20;

// dpmm: the printer's resolution (8, 12 or 24 dots per millimetre), which
// decides the cells of the bitmap fonts and the dots of a hundredth of inch.
zpl::Interpretacao interpretar(std::string_view spool, int dpmm = 8);

}  // namespace etiquetas::dpl
