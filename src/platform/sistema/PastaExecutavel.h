#pragma once

#include <filesystem>

#include "comum/PastasAplicacao.h"

namespace etiquetas {

// The folder of the running program, read from the system in its own
// encoding (UTF-16 on Windows), so that a folder such as "Área" is found.
std::filesystem::path pastaDoExecutavel();

// The running program's folder, whether this user may write there, and the
// user's own folders as the system names them.
Instalacao instalacaoDestePrograma();

// The folders of a front end's run: `escolhida` alone when given (--pasta),
// otherwise as this installation places them.
LocalizacaoPastas pastasDestePrograma(const std::filesystem::path& escolhida);

}  // namespace etiquetas
