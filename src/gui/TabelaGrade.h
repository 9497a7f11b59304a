#pragma once

#include <QTableView>

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

  private:
    void aplicarFormato();
    int larguraEmPixels(const ColunaGrade& coluna) const;

    Grade& grade_;
    ModeloGrade* modelo_;
};

}  // namespace etiquetas
