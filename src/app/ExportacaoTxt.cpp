#include "app/Aplicacao.h"

namespace etiquetas {

void Aplicacao::cmdGerarTxt() {}

}  // namespace etiquetas
