#pragma once

// Field data as the printer reads it: ^FH escapes turned into bytes, then the
// bytes read in the character set chosen by ^CI.

#include <string>
#include <string_view>
#include <vector>

namespace etiquetas::zpl {

// Each indicator followed by two hexadecimal digits becomes that byte; an
// indicator without them stays as written, with a warning.
std::string decodificarHexadecimal(std::string_view dados, char indicador,
                                   std::vector<std::string>& avisos);

// The characters printed for these bytes, in UTF-8. ^CI27 reads Windows-1252,
// ^CI28 UTF-8; ^CI0 to ^CI13 print bytes above 127 from code page 850, which
// changes every accented Windows-1252 letter, so that is a warning.
std::string caracteresImpressos(std::string_view bytes, int codificacao,
                                std::vector<std::string>& avisos);

// Whether the preview knows the character set of ^CI n.
bool codificacaoConhecida(int codificacao);

}  // namespace etiquetas::zpl
