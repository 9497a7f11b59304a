#pragma once

#include <QTableView>
#include <functional>
#include <vector>

#include "app/Grade.h"

class QSortFilterProxyModel;
class QTimer;

namespace etiquetas {

class ModeloGrade;

// The view of one order grid: hidden columns, widths and visibility follow
// the grid's format; cells come from the model adapter through a filter of
// the rows shown.
class TabelaGrade : public QTableView {
    Q_OBJECT

  public:
    explicit TabelaGrade(Grade& grade, QWidget* pai = nullptr);
    ~TabelaGrade() override;
    ModeloGrade& modelo() { return *modelo_; }

    // Shows only the rows whose order, item, variant or description holds
    // `texto` (any case); empty shows every row.
    void filtrar(const QString& texto);
    // Ticks the selected rows that are shown, or unticks them when all are
    // ticked already.
    void marcarSelecionadas();
    // Ticked rows the filter keeps out of view.
    int marcadasForaDoFiltro() const;

    // Column widths the user set, kept by the front end (0: the default).
    using LerLarguras = std::function<std::vector<int>()>;
    using GravarLarguras = std::function<void(const std::vector<int>&)>;
    void guardarLarguras(LerLarguras ler, GravarLarguras gravar);

  protected:
    void resizeEvent(QResizeEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool viewportEvent(QEvent* evento) override;

  private:
    void aplicarFormato();
    void voltarACelula(int linha, int coluna);
    void mostrarLinhaEmImpressao(int linha);
    void encaixarLarguras();
    void trazerParaAFrente();
    int larguraEmPixels(const ColunaGrade& coluna) const;
    int larguraDoConteudo(int coluna) const;
    double fonteBase() const;
    bool mostrarTextoCortado(QHelpEvent* evento);
    void aoRedimensionarColuna(int coluna, int largura);

    Grade& grade_;
    ModeloGrade* modelo_;
    QSortFilterProxyModel* filtro_;
    std::vector<int> larguraBase_;       // per column, before fitting the view
    std::vector<int> larguraDoUsuario_;  // per column, 0 where the user set none
    bool encaixando_ = false;
    GravarLarguras gravarLarguras_;
    QTimer* gravacao_;
};

}  // namespace etiquetas
