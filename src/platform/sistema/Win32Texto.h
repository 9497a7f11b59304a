#pragma once

// Text at the Win32 edge: the core's Windows-1252 to and from UTF-16, and
// the system's description of an error code.

#include <string>

namespace etiquetas::win32 {

std::wstring larga(const std::string& cp1252);
std::wstring largaDeUtf8(const std::string& utf8);
std::string estreita(const std::wstring& utf16);
// Bytes in the console's OEM code page, as cmd writes them, in Windows-1252.
std::string oemParaCp1252(const std::string& oem);
std::string descricaoErro(unsigned long codigo);

}  // namespace etiquetas::win32
