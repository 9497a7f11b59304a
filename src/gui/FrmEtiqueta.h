#pragma once

#include <QLabel>

class QComboBox;
class QLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
#include <QMainWindow>
#include <map>
#include <string>

namespace etiquetas {

class Aplicacao;
class JanelaPrincipal;
class TabelaGrade;
class Rotulo;
class Botao;
class Lista;
class CaixaTexto;
class Opcao;
class Controle;

// A label that shortens long text (a file path) in the middle instead of
// widening the window; the whole text is in its tooltip.
class RotuloReduzido : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;
    void definirTextoCompleto(const QString& texto);
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* evento) override;

  private:
    void reduzir();
    QString completo_;
};

// The main window frmEtiqueta: every widget bound to its member of the
// window model; the commands run in the application.
class FrmEtiqueta : public QMainWindow {
    Q_OBJECT

  public:
    explicit FrmEtiqueta(Aplicacao& aplicacao, QWidget* pai = nullptr);

    TabelaGrade& sprPedidos() { return *sprPedidos_; }
    TabelaGrade& vaVolume() { return *vaVolume_; }

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    QWidget* montarArquivo();
    QWidget* montarDados();
    QWidget* montarPedidos();
    QWidget* montarFiltro(QWidget* pai);
    QWidget* montarImpressoras();
    QLayout* montarEstadoImpressora(QLabel* legendaImpressora, QWidget* pai);
    QWidget* montarPorta(QWidget* pai);
    QWidget* montarRede(QWidget* pai);
    QWidget* montarSerial(QWidget* pai);
    QWidget* montarTipo();
    QWidget* montarTeste();
    QWidget* montarComandos();
    QWidget* montarBarra();
    void montarStatus();
    void esquecerStatusDoFimComOTempo();
    void seguirFoco();

    // Widgets created on a parent, named and bound to their model.
    QLabel* rotulo(Rotulo& modelo, QWidget* pai);
    QPushButton* botao(Botao& modelo, QWidget* pai);
    QComboBox* lista(Lista& modelo, QWidget* pai);
    QLabel* legendaDe(Lista& modelo, QWidget* campo, QWidget* pai);
    QLabel* legenda(const std::string& texto, Controle& modelo, QWidget* campo, QWidget* pai);
    QLineEdit* caixa(CaixaTexto& modelo, QWidget* pai);
    QRadioButton* opcao(Opcao& modelo, QWidget* pai);
    QGroupBox* quadro(Rotulo& modelo, QWidget* pai);
    void registrar(QWidget* w, const std::string& nome);

    Aplicacao& aplicacao_;
    JanelaPrincipal& j_;
    TabelaGrade* sprPedidos_ = nullptr;
    TabelaGrade* vaVolume_ = nullptr;
    QLineEdit* filtro_ = nullptr;
    std::map<std::string, QWidget*> porNome_;
};

}  // namespace etiquetas
