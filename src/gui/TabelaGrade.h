#pragma once

#include <QTableView>
#include <vector>

#include "app/Grade.h"

namespace etiquetas {

class ModeloGrade;

// The view of one order grid: hidden columns, widths and visibility follow
// the grid's format; cells come from the model adapter.
class TabelaGrade : public QTableView {
    Q_OBJECT

  public:
    explicit TabelaGrade(Grade& grade, QWidget* pai = nullptr);
    ModeloGrade& modelo() { return *modelo_; }

  protected:
    void resizeEvent(QResizeEvent* evento) override;

  private:
    void aplicarFormato();
    void encaixarLarguras();
    int larguraEmPixels(const ColunaGrade& coluna) const;
    int larguraDoConteudo(int coluna) const;
    double fonteBase() const;

    Grade& grade_;
    ModeloGrade* modelo_;
    std::vector<int> larguraBase_;  // per column, before fitting the view
};

}  // namespace etiquetas
