#include "app/Aplicacao.h"

namespace etiquetas {

void Aplicacao::cmdConfiguracao() {
    if (mostrarDialogoConfiguracao) mostrarDialogoConfiguracao();
}

}  // namespace etiquetas
