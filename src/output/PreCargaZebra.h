#pragma once

// What some Zebra templates need in the printer's memory: the graphic
// TESOURAS and the font ARIAL. Both travel inside the program as the printer
// commands that store them; each operation hands one job to the sink, written
// to "SpoolEtq.PRN" like a label.

#include <string_view>

#include "render/Trabalho.h"

namespace etiquetas {

// The embedded objects as they were made: a "~DG" or "~DT" command, hex
// lines ending in CR LF, and a few zero bytes of padding.
std::string_view RecursoGraficoZebra();
std::string_view RecursoFonteZebra();

// The graphic without the last padding byte, then CR LF.
void EnviarGraficoZebra(SaidaTrabalhos& saida);
// The whole font resource, then CR LF.
void EnviarFonteZebra(SaidaTrabalhos& saida);
// Deletes the stored graphic from the printer's memory.
void ApagarGraficoZebra(SaidaTrabalhos& saida);

}  // namespace etiquetas
