#pragma once

// Fonts that stand in for the printer's: DejaVu Sans Condensed Bold for the
// scalable font 0 (the printer's is a bold condensed sans), DejaVu Sans Mono
// Bold stretched to the cell for the bitmap fonts. Both are built into the
// library, so the preview looks the same on every machine.

#include <QFont>

#include "zpl/Etiqueta.h"

namespace etiquetas::previa {

struct FonteCampo {
    QFont fonte;
    double escalaX = 1;     // horizontal stretch to reach the cell width
    double ascendente = 0;  // from the top of the cell to the baseline, in dots
};

FonteCampo fonteDoCampo(const zpl::OpTexto& texto);

}  // namespace etiquetas::previa
