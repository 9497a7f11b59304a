#pragma once

// A DPL spool read as a Datamax reads it: each label format, from <STX>L to
// E, becomes one label of the drawing operations the ZPL reader makes, so
// one painter draws both languages. What the printer would ignore, drop or
// change is listed as a warning, never passed over in silence.

#include <cstddef>
#include <memory>
#include <string_view>

#include "zpl/Etiqueta.h"
#include "zpl/Leitor.h"

namespace etiquetas::dpl {

// A record's data beyond this is cut, as the printer cuts it.
inline constexpr std::size_t kDadosRegistroMaximo = 255;
// A line beyond this is cut; no command of a label printer comes near it.
inline constexpr std::size_t kLinhaMaxima = std::size_t{1} << 16;

// dpmm: the printer's resolution (8, 12 or 24 dots per millimetre), which
// decides the cells of the bitmap fonts and the dots of a hundredth of inch.
std::unique_ptr<zpl::Leitor> novoLeitor(int dpmm, zpl::DestinoLeitura destino);

zpl::Interpretacao interpretar(std::string_view spool, int dpmm = 8);

}  // namespace etiquetas::dpl
