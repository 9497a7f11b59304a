#include "gui/TabelaGrade.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>
#include <cmath>

#include "gui/Conexao.h"
#include "gui/ModeloGrade.h"

namespace etiquetas {

namespace {
constexpr int kMargemCelula = 8;
// Rows measured when a column widens to its contents: enough to see the
// codes of a file, few enough for a file of 100,000 rows.
constexpr int kLinhasMedidas = 200;
}  // namespace

TabelaGrade::TabelaGrade(Grade& grade, QWidget* pai)
    : QTableView(pai), grade_(grade), modelo_(new ModeloGrade(grade, this)) {
    setObjectName(paraTela(grade.nome()));
    // A font set in pixels has no point size; 9 points is the common default.
    modelo_->definirFonteBase(font().pointSizeF() > 0 ? font().pointSizeF() : 9);
    setModel(modelo_);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setWordWrap(false);

    // Uniform row heights: a file of 100,000 rows lays out at once. The
    // height leaves room for a bold row one point larger.
    QFont maior = font();
    maior.setBold(true);
    maior.setPointSizeF(font().pointSizeF() + 1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(maior).height() + 6);

    // Narrow columns with long captions ("Inf. a Seq. Inicial") wrap them.
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    horizontalHeader()->setMinimumHeight(2 * fontMetrics().lineSpacing() + 8);
    horizontalHeader()->setHighlightSections(false);

    horizontalHeader()->setResizeContentsPrecision(kLinhasMedidas);

    aplicarFormato();
    conectarEnquantoViver(this, grade_.formatoMudou, [this] { aplicarFormato(); });
    connect(modelo_, &QAbstractItemModel::modelReset, this, &TabelaGrade::aplicarFormato);
}

int TabelaGrade::larguraEmPixels(const ColunaGrade& coluna) const {
    const QFontMetrics medidas(font());
    if (coluna.largura > 0)
        return static_cast<int>(std::lround(coluna.largura * medidas.averageCharWidth())) +
               kMargemCelula;
    // The default width fits the caption on one line (the check column).
    return medidas.horizontalAdvance(paraTela(coluna.titulo)) + 2 * kMargemCelula;
}

void TabelaGrade::aplicarFormato() {
    for (int c = 1; c <= grade_.colunas(); ++c) {
        const ColunaGrade& coluna = grade_.coluna(c);
        setColumnHidden(c - 1, coluna.oculta);
        // A code longer than its column's width widens it: a cut variant or
        // order number cannot be told from its neighbours.
        if (!coluna.oculta)
            setColumnWidth(c - 1, std::max(larguraEmPixels(coluna), sizeHintForColumn(c - 1)));
    }
    // Without a parent a shown view would become a window of its own.
    if (parentWidget()) setVisible(grade_.visivel());
}

}  // namespace etiquetas
