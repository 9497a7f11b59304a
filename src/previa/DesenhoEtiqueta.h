#pragma once

// A label of the ZPL interpreter drawn as the printer prints it: one pixel a
// dot, black on white, no smoothing (a thermal head has none).

#include <QImage>
#include <QString>
#include <vector>

#include "zpl/Etiqueta.h"

namespace etiquetas::previa {

// Resolutions a ZPL printer comes in, in dots per millimetre.
bool resolucaoValida(int dpmm);

// The picture's size: ^PW and ^LL when the label gives them, else a 4 by 6
// inch label, never beyond the interpreter's bounds.
QSize tamanhoEtiqueta(const zpl::ConfiguracaoEtiqueta& configuracao, int dpmm);

// Needs a QGuiApplication (fonts). The picture carries its resolution.
QImage desenharEtiqueta(const zpl::Etiqueta& etiqueta, int dpmm);

// The label's picture as a PNG file. The picture goes to a temporary file
// beside it, renamed only once every byte is written, and its size on disk
// is checked: a full disk leaves no empty or cut picture. False when it
// could not be written.
bool gravarEtiqueta(const zpl::Etiqueta& etiqueta, int dpmm, const QString& arquivo);

}  // namespace etiquetas::previa
