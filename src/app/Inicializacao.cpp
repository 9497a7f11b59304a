#include "app/Aplicacao.h"

namespace etiquetas {

void Aplicacao::iniciar() {}
void Aplicacao::fechar() {
    if (plataforma_.portaSerial().aberta()) plataforma_.portaSerial().fechar();
}
void Aplicacao::cmdSair() {
    fechar();
    plataforma_.encerrarAplicacao();
}
void Aplicacao::ligarReacoesImpressoras() {}
void Aplicacao::salvarConfiguracaoPessoal() {}
void Aplicacao::restaurarConfiguracaoPessoal() {}
void Aplicacao::montavelocidadetemperatura() {}

}  // namespace etiquetas
