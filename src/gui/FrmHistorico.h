#pragma once

// "Histórico de Impressões": what was printed, newest first, filtered by
// order file, order, variant or store and dates, exported to CSV. The
// history file's path shows above the table.

#include <QDialog>
#include <filesystem>
#include <functional>

#include "gui/ModeloHistorico.h"

class QLabel;
class QLineEdit;
class QTableView;

namespace etiquetas {

class Aplicacao;
class Pessoa;
struct RestanteExecucao;

class FrmHistorico : public QDialog {
    Q_OBJECT

  public:
    FrmHistorico(Pessoa& pessoa, const std::filesystem::path& arquivo, QWidget* pai = nullptr);

    ModeloHistorico& modelo() { return modelo_; }
    // "Filtrar": the table starts over with the filter's rows. False: a
    // field does not fit (said).
    bool filtrar();
    // Every row the filter lets through, not only those shown; false when
    // the file cannot be written (said).
    bool exportarCsv(const std::filesystem::path& destino);
    // "Reimprimir a partir de...": the run of table row `linha` from its
    // label `aPartirDe` handed to `reimprimir`; the view closes when it
    // takes it. False: refused (said).
    bool reimprimirDaLinha(int linha, long long aPartirDe);
    std::function<bool(const RestanteExecucao&)> reimprimir;

  private:
    void montarTela(const std::filesystem::path& arquivo);
    void escolherExportacao();
    void escolherReimpressao();
    void mostrarErro();
    void ajustarLarguras();
    void ordenarColunas();

    Pessoa& pessoa_;
    ModeloHistorico modelo_;
    QLineEdit* arquivo_ = nullptr;
    QLineEdit* pedido_ = nullptr;
    QLineEdit* variante_ = nullptr;
    QLineEdit* desde_ = nullptr;
    QLineEdit* ate_ = nullptr;
    QTableView* tabela_ = nullptr;
};

// The view over the history the application records in, modal over `pai`.
void mostrarFrmHistorico(Aplicacao& aplicacao, QWidget* pai);

}  // namespace etiquetas
