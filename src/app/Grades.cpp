#include "app/Aplicacao.h"

namespace etiquetas {

void Aplicacao::ligarReacoesGrades() {}
void Aplicacao::cmdSelTodos() {}
void Aplicacao::cmdDesmarcaTodos() {}
void Aplicacao::cmdAtualizaQtd() {}
void Aplicacao::SelecionarTodasLinhas() {}
bool Aplicacao::VerificarPedidoSelecionado() {
    return false;
}

}  // namespace etiquetas
