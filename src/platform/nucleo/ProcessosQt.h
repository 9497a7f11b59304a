#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Plataforma.h"

namespace etiquetas {

// Starts a program with QProcess (no shell) and waits in short slices,
// running `aoEsperar` between them so a window can repaint.
ResultadoProcesso executarProcessoQt(const std::string& programa,
                                     const std::vector<std::string>& argumentos,
                                     const std::function<void()>& aoEsperar);

// Sleeps in short slices, running `aoEsperar` between them.
void pausarQt(std::chrono::milliseconds duracao, const std::function<void()>& aoEsperar);

}  // namespace etiquetas
