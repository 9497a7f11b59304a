#pragma once

// The layout dialog "Configuração - Parametros de Impressão": a Qt view over
// the DialogoConfiguracao model, shown modally from the main window.

#include <QDialog>
#include <filesystem>

#include "app/DialogoConfiguracao.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace etiquetas {

class Aplicacao;

class FrmConfiguracao : public QDialog {
    Q_OBJECT

  public:
    FrmConfiguracao(Plataforma& plataforma, const PastasAplicacao& pastas, QWidget* pai = nullptr,
                    DialogoConfiguracao::Escolha escolha = {});

    DialogoConfiguracao& modelo() { return modelo_; }
    // The widget bound to the model's control of that name, or nullptr.
    QWidget* controle(const std::string& nome) const;

    // Escape, like the close button, runs "Cancelar".
    void reject() override;

  private:
    void montarTela();
    QComboBox* ligarLista(Lista& lista);
    QLineEdit* ligarCaixa(CaixaTexto& caixa);
    QPushButton* ligarBotao(Botao& botao);
    QLabel* ligarRotulo(Rotulo& rotulo);
    QLabel* ligarImagem(Imagem& imagem);
    void aplicarFoco();

    DialogoConfiguracao modelo_;
};

// "&Configuração": shows the dialog modally over `pai` until it closes.
void mostrarFrmConfiguracao(Aplicacao& aplicacao, QWidget* pai);

}  // namespace etiquetas
