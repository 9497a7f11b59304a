#pragma once

#include <filesystem>

namespace etiquetas {

// The folder of the running program, read from the system in its own
// encoding (UTF-16 on Windows), so that a folder such as "Área" is found.
std::filesystem::path pastaDoExecutavel();

}  // namespace etiquetas
