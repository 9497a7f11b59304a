#pragma once

#include <string>
#include <string_view>

#include "comum/Versao.h"

namespace etiquetas {

// The MD5 digest (RFC 1321) of the bytes, as 32 upper-case hexadecimal digits.
std::string CalcularMD5(std::string_view texto);

// The digest the order files carry for this version: of "major.minor.0.revision".
std::string digestoDaVersao(const Versao& versao);

}  // namespace etiquetas
