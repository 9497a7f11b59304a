#pragma once

// A label of the ZPL interpreter drawn as the printer prints it: one pixel a
// dot, black on white, no smoothing (a thermal head has none).

#include <QImage>
#include <QString>
#include <filesystem>
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
// beside it, renamed over the name only once every byte is written: a full
// disk leaves no empty or cut picture, and a symbolic link of that name is
// replaced, never written through. False when it could not be written.
bool gravarEtiqueta(const zpl::Etiqueta& etiqueta, int dpmm, const std::filesystem::path& arquivo);

}  // namespace etiquetas::previa
