#include "app/Aplicacao.h"

namespace etiquetas {

void Aplicacao::cmdLocalizar() {}
void Aplicacao::AbrirArquivoPedidos(const std::string&) {}

}  // namespace etiquetas
