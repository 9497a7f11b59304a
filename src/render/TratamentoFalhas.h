#pragma once

// The one failure handler of a rendering routine: whatever fails inside a
// run ends it with a critical box "Erro !" naming the failure and the step
// that was running. Labels already sent stay sent.

#include <functional>

#include "platform/Plataforma.h"

namespace etiquetas {

// Runs `corpo`, which keeps `passo` at the number of the step it is in.
// Returns false when the run ended on a failure (already reported).
bool executarRotina(Plataforma& plataforma, const std::function<void(int& passo)>& corpo);

}  // namespace etiquetas
