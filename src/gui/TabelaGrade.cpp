#include "gui/TabelaGrade.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
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
    modelo_->definirFonteBase(fonteBase());
    setModel(modelo_);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    // Tab leaves the grid for the next control; the arrows move between cells.
    setTabKeyNavigation(false);

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

// A font set in pixels has no point size; 9 points is the common default.
double TabelaGrade::fonteBase() const {
    return font().pointSizeF() > 0 ? font().pointSizeF() : 9;
}

// Measured in the font of a ticked row (bold, one point larger), so that
// ticking a row does not cut its codes.
int TabelaGrade::larguraDoConteudo(int coluna) const {
    const ColunaGrade& c = grade_.coluna(coluna);
    if (c.caixa) return sizeHintForColumn(coluna - 1);
    QFont negrito = font();
    negrito.setBold(true);
    negrito.setPointSizeF(fonteBase() + 1);
    const QFontMetrics medidas(negrito);
    int largura = 0;
    const int linhas = std::min(grade_.linhas(), kLinhasMedidas);
    for (int l = 1; l <= linhas; ++l)
        largura = std::max(largura, medidas.horizontalAdvance(paraTela(grade_.texto(l, coluna))));
    return largura + 2 * kMargemCelula;
}

void TabelaGrade::aplicarFormato() {
    larguraBase_.assign(grade_.colunas(), 0);
    for (int c = 1; c <= grade_.colunas(); ++c) {
        const ColunaGrade& coluna = grade_.coluna(c);
        setColumnHidden(c - 1, coluna.oculta);
        // A code longer than its column's width widens it: a cut variant or
        // order number cannot be told from its neighbours.
        if (!coluna.oculta)
            larguraBase_[c - 1] = std::max(larguraEmPixels(coluna), larguraDoConteudo(c));
    }
    encaixarLarguras();
    // Without a parent a shown view would become a window of its own.
    if (parentWidget()) setVisible(grade_.visivel());
}

namespace {
// Supplier and goods names may give up width so that the codes and the
// editable columns stay in view; they are still told apart by their start.
bool encolhivel(const ColunaGrade& c) {
    return !c.oculta && !c.editavel && !c.caixa && c.largura >= 20;
}
}  // namespace

void TabelaGrade::encaixarLarguras() {
    const int minimo = 14 * fontMetrics().averageCharWidth();
    int total = 0, folga = 0;
    for (int c = 1; c <= grade_.colunas(); ++c) {
        total += larguraBase_[c - 1];
        if (encolhivel(grade_.coluna(c))) folga += std::max(0, larguraBase_[c - 1] - minimo);
    }
    // Room for the vertical scroll bar that a long file brings, so that it
    // does not push the last column out of view when it appears.
    int disponivel = viewport()->width() - 2;
    if (!verticalScrollBar()->isVisible()) disponivel -= verticalScrollBar()->sizeHint().width();
    const int excesso = std::min(total - disponivel, folga);
    for (int c = 1; c <= grade_.colunas(); ++c) {
        if (grade_.coluna(c).oculta) continue;
        int largura = larguraBase_[c - 1];
        if (excesso > 0 && encolhivel(grade_.coluna(c)))
            largura -= excesso * std::max(0, largura - minimo) / folga;
        setColumnWidth(c - 1, largura);
    }
}

void TabelaGrade::resizeEvent(QResizeEvent* evento) {
    QTableView::resizeEvent(evento);
    encaixarLarguras();
}

}  // namespace etiquetas
