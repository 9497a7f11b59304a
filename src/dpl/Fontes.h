#pragma once

// The Datamax's resident fonts: 0 to 8 are bitmaps of fixed cells that grow
// by whole multiples; 9 is the smooth font, chosen by point size.

#include <optional>
#include <string_view>

namespace etiquetas::dpl {

struct CelulaDpl {
    int altura = 0;
    int avanco = 0;  // character width plus the gap to the next, in dots
    bool operator==(const CelulaDpl&) const = default;
};

// Bitmap font 0 to 8 at this resolution (dots per millimetre: 8, 12, 24).
std::optional<CelulaDpl> celulaBitmap(char fonte, int dpmm);

// The point size of font 9's size field: "000" to "010" index the resident
// sizes, "A04" to "A72" give the points; none when the field names a size
// the printer at this resolution lacks (at 203 dpi there is no 4, 5 or 72
// point size, so no "000") or a font the preview does not have.
std::optional<int> pontosFonteSuave(std::string_view tamanho, int dpmm);

// A size in points as dots at this resolution.
int pontosEmDots(double pontos, int dpmm);

}  // namespace etiquetas::dpl
