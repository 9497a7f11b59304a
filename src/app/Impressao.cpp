#include "app/Aplicacao.h"

namespace etiquetas {

void Aplicacao::cmdImprimir() {}

}  // namespace etiquetas
