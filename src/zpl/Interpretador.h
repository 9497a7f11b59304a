#pragma once

// A ZPL spool read as a printer reads it: each format between ^XA and ^XZ
// becomes one label of drawing operations; what the printer would ignore,
// drop or change is listed as a warning, never passed over in silence.

#include <memory>
#include <string_view>

#include "zpl/Etiqueta.h"
#include "zpl/Leitor.h"

namespace etiquetas::zpl {

// Field data longer than this is cut, as the printer cuts it.
inline constexpr std::size_t kDadosCampoMaximo = 3072;

// dpmm: the printer's resolution in dots per millimetre (8, 12 or 24); it
// decides the cells of the bitmap fonts.
std::unique_ptr<Leitor> novoLeitor(int dpmm, DestinoLeitura destino);

// The whole spool at once, its labels and warnings kept.
Interpretacao interpretar(std::string_view spool, int dpmm = 8);

}  // namespace etiquetas::zpl
