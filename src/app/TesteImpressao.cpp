#include "app/Aplicacao.h"

namespace etiquetas {

namespace {
constexpr const char* kAindaNao =
    "Esta função ainda não está disponível nesta versão do aplicativo de Etiquetas.";
}

// The test print and the Zebra font load arrive with the printer preload;
// until then the buttons say so instead of pretending to work.
void Aplicacao::CmZebra() {
    mensagem(kAindaNao, {}, Icone::Informacao);
}
void Aplicacao::imprimirTeste(int) {
    mensagem(kAindaNao, {}, Icone::Informacao);
}

}  // namespace etiquetas
