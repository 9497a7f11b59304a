#pragma once

// Values from an order file reach the printer as text, never as commands.
// ZPL text fields carry "^FH\" in the shipped templates, so a command
// character in a value goes out as its hex escape and prints as itself; DPL
// has no escape, so control characters are taken out. A value without such
// characters is returned unchanged.

#include <string>
#include <string_view>

#include "render/ParametrosImpressao.h"

namespace etiquetas {

class PreenchimentoUnidade;

// A value for a text field of a template in `linguagem`.
std::string valorTexto(std::string_view valor, Linguagem linguagem);
// A value for bar-code data: only letters, digits, blanks and - . / + % $
// are kept; the routines add the code-set switches they need afterwards.
std::string valorCodigoBarras(std::string_view valor);

// substituirTodos with the value made safe for a text field.
void preencherTexto(std::string& texto, std::string_view token, std::string_view valor,
                    Linguagem linguagem);
// The same value given to a unit's filling.
void preencherTexto(PreenchimentoUnidade& unidade, std::string_view token, std::string_view valor,
                    Linguagem linguagem);

}  // namespace etiquetas
