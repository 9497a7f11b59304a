#pragma once

// The printer's resident fonts: "0" is scalable; the letters are bitmaps
// that only grow by whole multiples of their cell.

#include <optional>

namespace etiquetas::zpl {

struct Celula {
    int altura = 0, largura = 0;
    bool operator==(const Celula&) const = default;
};

// The cell of a bitmap font at this resolution (dots per millimetre); none
// for the scalable font or an unknown name.
std::optional<Celula> celulaBitmap(char fonte, int dpmm);
bool fonteResidente(char fonte);

// ^A f,o,h,w: the cell the printer prints, given the size asked (0 when left
// out) and the default of ^CF.
Celula tamanhoImpresso(char fonte, int altura, int largura, const Celula& padrao, int dpmm);

}  // namespace etiquetas::zpl
