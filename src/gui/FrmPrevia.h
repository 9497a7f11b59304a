#pragma once

// "Visualizar Etiquetas": the labels the print command would send, page by
// page, with the warnings of the printer's reading. Nothing is sent from
// here; "Imprimir" closes the window and runs the print command.

#include <QDialog>
#include <QImage>

#include "app/PaginasPrevia.h"

class QLabel;
class QScrollArea;
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

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

  private:
    void montarTela();
    void caberNaTela();
    void mostrarPagina();
    void proximaPagina();
    void paginaAnterior();
    void aproximar(double fator);

    PaginasPrevia& paginas_;
    QLabel* titulo_ = nullptr;
    QLabel* imagem_ = nullptr;
    QScrollArea* rolagem_ = nullptr;
    QPushButton* ajustar_ = nullptr;
    QImage etiqueta_;  // the page drawn, one printer dot a pixel
    int desenhada_ = -1;
    double escala_ = 1.0;          // the user's zoom when not fitting
    double escalaMostrada_ = 1.0;  // what the picture shows now
    QPlainTextEdit* avisos_ = nullptr;
    QPushButton* anterior_ = nullptr;
    QPushButton* proxima_ = nullptr;
    bool imprimir_ = false;
};

// Shows the window modally over `pai`; prints when the user chooses to.
void mostrarFrmPrevia(Aplicacao& aplicacao, PaginasPrevia& paginas, QWidget* pai);

}  // namespace etiquetas
