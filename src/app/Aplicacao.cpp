#include "app/Aplicacao.h"

namespace etiquetas {

Aplicacao::Aplicacao(Plataforma& plataforma, PastasAplicacao pastas)
    : plataforma_(plataforma),
      pessoaServico_(plataforma),
      servico_(plataforma, pessoaServico_, std::move(pastas)),
      trabalhador_(plataforma.vistaViva()) {
    ligarReacoes();
}

Aplicacao::~Aplicacao() {
    *vivo_ = false;
    if (abertura_) abertura_->parada.request_stop();
}

Resposta Aplicacao::mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                             Botoes botoes) {
    return plataforma_.mensagem(texto, titulo, icone, botoes);
}

void Aplicacao::ligarReacoes() {
    auto& j = janela_;
    j.cmdLocalizar.clicado.conectar([this] { cmdLocalizar(); });
    j.cmdSelTodos.clicado.conectar([this] { cmdSelTodos(); });
    j.cmdDesmarcaTodos.clicado.conectar([this] { cmdDesmarcaTodos(); });
    j.cmdAtualizaQtd.clicado.conectar([this] { cmdAtualizaQtd(); });
    j.cmdImprimir.clicado.conectar([this] { cmdImprimir(); });
    j.cmdVisualizar.clicado.conectar([this] { cmdVisualizar(); });
    j.cmdGerarTxt.clicado.conectar([this] { cmdGerarTxt(); });
    j.cmdConfiguracao.clicado.conectar([this] { cmdConfiguracao(); });
    j.cmdHistorico.clicado.conectar([this] {
        if (mostrarHistorico) mostrarHistorico();
    });
    j.cmdSair.clicado.conectar([this] { cmdSair(); });
    j.cmdCancelar.clicado.conectar([this] { cmdCancelar(); });
    j.CmZebra.clicado.conectar([this] { CmZebra(); });
    j.cmdEstadoImpressora.clicado.conectar([this] { cmdEstadoImpressora(); });
    j.Option1.clicada.conectar([this] { imprimirTeste(1); });
    j.Option2.clicada.conectar([this] { imprimirTeste(2); });
    j.Option3.clicada.conectar([this] { imprimirTeste(3); });
    j.Option4.clicada.conectar([this] { imprimirTeste(4); });
    ligarReacoesImpressoras();
    ligarReacoesGrades();
    // A tick or a range changed since the last print that went out whole.
    for (Grade* g : {&j.sprPedidos, &j.vaVolume})
        g->mudou.conectar([this](int, int) {
            marcasPendentes_ = true;
            esquecerStatusDoFim();
        });
}

// What the last run ended with speaks of that run only.
void Aplicacao::esquecerStatusDoFim() {
    auto& status = janela_.StatusBar1;
    if (comandoEmCurso_ || statusDoFim_.empty()) return;
    if (status.texto() == statusDoFim_) status.definirTexto(statusDoArquivo_);
    statusDoFim_.clear();
}

}  // namespace etiquetas
