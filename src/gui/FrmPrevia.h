#pragma once

// "Visualizar Etiquetas": the labels the print command would send, page by
// page, with the warnings of the printer's reading. Nothing is sent from
// here; "Imprimir" closes the window and runs the print command.

#include <QDialog>

#include "app/PaginasPrevia.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace etiquetas {

class Aplicacao;

class FrmPrevia : public QDialog {
    Q_OBJECT

  public:
    FrmPrevia(PaginasPrevia& paginas, QWidget* pai = nullptr);

    // Closed with "Imprimir" (rather than "Fechar").
    bool imprimir() const { return imprimir_; }

  private:
    void montarTela();
    void mostrarPagina();

    PaginasPrevia& paginas_;
    QLabel* titulo_ = nullptr;
    QLabel* imagem_ = nullptr;
    QPlainTextEdit* avisos_ = nullptr;
    QPushButton* anterior_ = nullptr;
    QPushButton* proxima_ = nullptr;
    bool imprimir_ = false;
};

// Shows the window modally over `pai`; prints when the user chooses to.
void mostrarFrmPrevia(Aplicacao& aplicacao, PaginasPrevia& paginas, QWidget* pai);

}  // namespace etiquetas
