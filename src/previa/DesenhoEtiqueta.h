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

// PREFIXO-1.png, PREFIXO-2.png, ... for the labels, in order. Returns the
// files written; stops at the first that cannot be written (erro says which).
std::vector<QString> gravarEtiquetas(const std::vector<zpl::Etiqueta>& etiquetas, int dpmm,
                                     const QString& prefixo, QString& erro);

}  // namespace etiquetas::previa
