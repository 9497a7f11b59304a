#pragma once

#include <QAbstractTableModel>

#include "app/Grade.h"

namespace etiquetas {

// An order grid as a Qt table model. The grid stays the only store: cells
// are read when a view paints them, so 100,000 rows cost nothing here. Grid
// row r and column c (1-based) are model row r-1 and column c-1.
class ModeloGrade : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit ModeloGrade(Grade& grade, QObject* pai = nullptr);

    Grade& grade() { return grade_; }
    // The view's font size; the grid's 8 points map to it, larger sizes
    // keep their difference, so emphasis stays visible at a readable size.
    void definirFonteBase(qreal pontos) { fonteBase_ = pontos; }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int papel) override;

  private:
    bool celulaValida(const QModelIndex& indice) const;
    void aoMudar(int linha, int coluna);
    QVariant fonte(int linha) const;

    Grade& grade_;
    qreal fonteBase_ = 9;
};

// 0x00BBGGRR, the colour notation of the window's controls.
QColor corDaJanela(int bgr);

}  // namespace etiquetas
