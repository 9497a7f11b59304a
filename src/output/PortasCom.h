#pragma once

// Where "COM1" and "COM2" lead on this machine, and which operating-system
// family the print script follows.

#include <filesystem>
#include <string>

#include "comum/PastasAplicacao.h"

namespace etiquetas {

// The device of "COM" + numero: the mapping of section "PortasCom" of the
// personal INI file when it names one; otherwise on Windows the port itself,
// elsewhere the system's first two serial devices.
std::string dispositivoPortaCom(const PastasAplicacao& pastas, int numero);

// True when the device that "COM" + numero leads to exists.
bool PortaComDisponivel(const PastasAplicacao& pastas, int numero);

// "WINDOWS NT" on Windows, "" elsewhere.
std::string IdentificarSistemaOperacional();

}  // namespace etiquetas
