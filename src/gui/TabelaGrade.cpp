#include "gui/TabelaGrade.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "app/FiltroGrade.h"
#include "gui/Conexao.h"
#include "gui/ModeloGrade.h"

namespace etiquetas {

namespace {
constexpr int kMargemCelula = 8;
// Rows measured when a column widens to its contents: enough to see the
// codes of a file, few enough for a file of 100,000 rows.
constexpr int kLinhasMedidas = 200;
// A drag of a column edge is saved once it rests.
constexpr int kEsperaGravacaoMs = 400;
// Ticking more rows than this at once repaints the grid once, not row by row.
constexpr int kMarcacaoEmBloco = 100;

// The columns a worker searches by: order, item, variant (or material) and
// description.
bool filtravel(const ColunaGrade& c) {
    static const std::set<std::string> titulos{"Pedido",   "Item",        "Variante",
                                               "Material", "Mercadorias", "Mercadoria"};
    return titulos.count(c.titulo) > 0;
}

// The columns shown right after the tick column: the cells a worker edits
// and, on the volume grid, what names the box being counted. On a
// 1024-pixel screen they stay in view while the names give up width.
int posicaoNaFrente(const ColunaGrade& c) {
    static const std::vector<std::string> frente{
        "Pedido",          "Item", "Loja", "Informe a Qtd. de Caixas...", "Inf. a Seq. Inicial",
        "Inf. a Seq.Final"};
    const auto p = std::find(frente.begin(), frente.end(), c.titulo);
    return p == frente.end() || c.oculta ? -1 : static_cast<int>(p - frente.begin());
}

class FiltroLinhas : public QSortFilterProxyModel {
  public:
    FiltroLinhas(Grade& grade, QObject* pai)
        : QSortFilterProxyModel(pai), filtro_(grade, colunasFiltraveis(grade)) {
        conectarEnquantoViver(this, grade.mudou, [this, &grade](int, int c) {
            if (c < 1 || filtravel(grade.coluna(c))) filtro_.invalidar();
        });
    }

    void definirTexto(const QString& texto) {
        filtro_.definirTexto(daTela(texto.trimmed()));
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int linha, const QModelIndex&) const override {
        return filtro_.aceita(linha + 1);
    }

  private:
    static std::vector<int> colunasFiltraveis(const Grade& grade) {
        std::vector<int> colunas;
        for (int c = 1; c <= grade.colunas(); ++c)
            if (filtravel(grade.coluna(c))) colunas.push_back(c);
        return colunas;
    }

    // Rows added while a file is read are indexed as the proxy first asks.
    mutable FiltroGrade filtro_;
};

// The editable cells hold whole numbers (sequences, box counts): a letter
// is refused as it is typed.
class DelegadoNumerico : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao,
                          const QModelIndex& indice) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(pai, opcao, indice);
        if (auto* caixa = qobject_cast<QLineEdit*>(editor))
            caixa->setValidator(new QIntValidator(0, 999999999, caixa));
        return editor;
    }
};
}  // namespace

TabelaGrade::TabelaGrade(Grade& grade, QWidget* pai)
    : QTableView(pai),
      grade_(grade),
      modelo_(new ModeloGrade(grade, this)),
      filtro_(new FiltroLinhas(grade, this)),
      gravacao_(new QTimer(this)) {
    setObjectName(paraTela(grade.nome()));
    modelo_->definirFonteBase(fonteBase());
    filtro_->setSourceModel(modelo_);
    setModel(filtro_);
    setItemDelegate(new DelegadoNumerico(this));
    setAlternatingRowColors(true);
    // Shift+click and Shift+arrows select a range that Space then ticks.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
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

    // Narrow columns with long captions ("Inf. a Seq. Inicial") wrap them;
    // a caption wider than its column keeps its start ("Fornecedo", not
    // "ornecedo"), so that it can still be read.
    horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap));
    horizontalHeader()->setMinimumHeight(2 * fontMetrics().lineSpacing() + 8);
    horizontalHeader()->setHighlightSections(false);

    horizontalHeader()->setResizeContentsPrecision(kLinhasMedidas);

    aplicarFormato();
    conectarEnquantoViver(this, grade_.formatoMudou, [this] { aplicarFormato(); });
    // After the box, once the editor has closed: the focus would otherwise go
    // wherever the box hands it, far from the cell to type again.
    conectarEnquantoViver(this, grade_.edicaoRecusada, [this](int linha, int coluna) {
        QTimer::singleShot(0, this, [this, linha, coluna] { voltarACelula(linha, coluna); });
    });
    conectarEnquantoViver(this, grade_.linhaEmImpressao,
                          [this](int linha) { mostrarLinhaEmImpressao(linha); });
    connect(modelo_, &QAbstractItemModel::modelReset, this, &TabelaGrade::aplicarFormato);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int coluna, int, int largura) { aoRedimensionarColuna(coluna, largura); });
    gravacao_->setSingleShot(true);
    gravacao_->setInterval(kEsperaGravacaoMs);
    connect(gravacao_, &QTimer::timeout, this, [this] {
        if (gravarLarguras_) gravarLarguras_(larguraDoUsuario_);
    });
}

TabelaGrade::~TabelaGrade() {
    if (gravacao_->isActive() && gravarLarguras_) gravarLarguras_(larguraDoUsuario_);
}

void TabelaGrade::guardarLarguras(LerLarguras ler, GravarLarguras gravar) {
    larguraDoUsuario_ = ler ? ler() : std::vector<int>{};
    gravarLarguras_ = std::move(gravar);
    aplicarFormato();
}

void TabelaGrade::aoRedimensionarColuna(int coluna, int largura) {
    if (encaixando_ || largura <= 0 || coluna < 0 || coluna >= grade_.colunas()) return;
    larguraDoUsuario_.resize(grade_.colunas(), 0);
    larguraDoUsuario_[coluna] = largura;
    if (coluna < static_cast<int>(larguraBase_.size())) larguraBase_[coluna] = largura;
    gravacao_->start();
}

void TabelaGrade::voltarACelula(int linha, int coluna) {
    const QModelIndex celula = filtro_->mapFromSource(modelo_->index(linha - 1, coluna - 1));
    if (!celula.isValid()) return;
    window()->activateWindow();
    setFocus(Qt::OtherFocusReason);
    setCurrentIndex(celula);
    scrollTo(celula);
}

// Selected without taking the focus: the window is locked while it prints.
void TabelaGrade::mostrarLinhaEmImpressao(int linha) {
    const QModelIndex indice = filtro_->mapFromSource(modelo_->index(linha - 1, 0));
    if (!indice.isValid()) return;
    selectionModel()->setCurrentIndex(
        indice, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(indice);
}

void TabelaGrade::filtrar(const QString& texto) {
    static_cast<FiltroLinhas*>(filtro_)->definirTexto(texto);
}

int TabelaGrade::marcadasForaDoFiltro() const {
    if (filtro_->rowCount() == grade_.linhas()) return 0;
    int ocultas = 0;
    for (int l = 1; l <= grade_.linhas(); ++l)
        if (grade_.marcada(l) && !filtro_->mapFromSource(modelo_->index(l - 1, 0)).isValid())
            ++ocultas;
    return ocultas;
}

void TabelaGrade::marcarSelecionadas() {
    // By ranges: Ctrl+A on 100,000 rows is one range, not 800,000 cells.
    std::vector<int> linhas;  // grid rows, 1-based
    std::vector<char> vista(static_cast<std::size_t>(grade_.linhas()) + 1, 0);
    const auto incluir = [&](int linhaDaVista) {
        const int l = filtro_->mapToSource(filtro_->index(linhaDaVista, 0)).row() + 1;
        if (l >= 1 && l <= grade_.linhas() && !vista[l]) {
            vista[l] = 1;
            linhas.push_back(l);
        }
    };
    for (const QItemSelectionRange& faixa : selectionModel()->selection())
        for (int r = faixa.top(); r <= faixa.bottom(); ++r) incluir(r);
    if (linhas.empty() && currentIndex().isValid()) incluir(currentIndex().row());
    if (linhas.empty()) return;
    const bool marcar = std::any_of(linhas.begin(), linhas.end(),
                                    [this](int l) { return grade_.texto(l, 1) != "1"; });
    const QModelIndex atual = currentIndex();
    const bool emBloco = linhas.size() > kMarcacaoEmBloco;
    if (emBloco) grade_.suspenderAvisos();
    for (int l : linhas)
        if ((grade_.texto(l, 1) == "1") != marcar) grade_.clicarCaixa(l);
    if (emBloco) {
        grade_.retomarAvisos();
        if (atual.isValid()) setCurrentIndex(filtro_->index(atual.row(), atual.column()));
    }
}

void TabelaGrade::keyPressEvent(QKeyEvent* evento) {
    const bool espaco = evento->key() == Qt::Key_Space &&
                        !(evento->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (espaco && state() != QAbstractItemView::EditingState) {
        marcarSelecionadas();
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}

bool TabelaGrade::viewportEvent(QEvent* evento) {
    if (evento->type() == QEvent::ToolTip)
        return mostrarTextoCortado(static_cast<QHelpEvent*>(evento));
    return QTableView::viewportEvent(evento);
}

// A cell too narrow for its text shows the whole text in a tooltip.
bool TabelaGrade::mostrarTextoCortado(QHelpEvent* evento) {
    const QModelIndex celula = indexAt(evento->pos());
    const QString texto = celula.data().toString();
    const QRect lugar = visualRect(celula);
    const QVariant fonte = celula.data(Qt::FontRole);
    const QFontMetrics medidas(fonte.isValid() ? fonte.value<QFont>() : font());
    if (!texto.isEmpty() && medidas.horizontalAdvance(texto) + kMargemCelula > lugar.width())
        QToolTip::showText(evento->globalPos(), texto, viewport(), lugar);
    else
        QToolTip::hideText();
    return true;
}

int TabelaGrade::larguraEmPixels(const ColunaGrade& coluna) const {
    const QFontMetrics medidas(font());
    if (coluna.largura > 0)
        return static_cast<int>(std::lround(coluna.largura * medidas.averageCharWidth())) +
               kMargemCelula;
    // The default width fits the caption's longest word (the check column):
    // the header wraps the rest.
    int largura = 0;
    for (const QString& palavra : paraTela(coluna.titulo).split(u' '))
        largura = std::max(largura, medidas.horizontalAdvance(palavra));
    return largura + 2 * kMargemCelula;
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
    encaixando_ = true;
    larguraBase_.assign(grade_.colunas(), 0);
    larguraDoUsuario_.resize(grade_.colunas(), 0);
    for (int c = 1; c <= grade_.colunas(); ++c) {
        const ColunaGrade& coluna = grade_.coluna(c);
        setColumnHidden(c - 1, coluna.oculta);
        // A code longer than its column's width widens it: a cut variant or
        // order number cannot be told from its neighbours. A width the user
        // chose wins.
        if (!coluna.oculta)
            larguraBase_[c - 1] = larguraDoUsuario_[c - 1] > 0
                                      ? larguraDoUsuario_[c - 1]
                                      : std::max(larguraEmPixels(coluna), larguraDoConteudo(c));
    }
    encaixando_ = false;
    trazerParaAFrente();
    encaixarLarguras();
    // Without a parent a shown view would become a window of its own.
    if (parentWidget()) setVisible(grade_.visivel());
}

// The price grid's order number is no edit aid: it keeps its place there.
void TabelaGrade::trazerParaAFrente() {
    const bool volume = grade_.nome() == "vaVolume";
    std::vector<std::pair<int, int>> frente;  // rank, column
    for (int c = 2; c <= grade_.colunas(); ++c) {
        const int posicao = posicaoNaFrente(grade_.coluna(c));
        if (posicao >= 0 && (volume || grade_.coluna(c).editavel))
            frente.push_back({posicao, c - 1});
    }
    std::sort(frente.begin(), frente.end());
    QHeaderView* cabecalho = horizontalHeader();
    int destino = 1;
    for (const auto& [posicao, coluna] : frente)
        cabecalho->moveSection(cabecalho->visualIndex(coluna), destino++);
}

namespace {
// Supplier and goods names may give up width so that the codes and the
// editable columns stay in view; they are still told apart by their start.
bool encolhivel(const ColunaGrade& c) {
    return !c.oculta && !c.editavel && !c.caixa && c.largura >= 20;
}
}  // namespace

void TabelaGrade::encaixarLarguras() {
    const int minimo = 10 * fontMetrics().averageCharWidth();
    const auto podeEncolher = [this](int c) {
        return encolhivel(grade_.coluna(c)) && larguraDoUsuario_[c - 1] == 0;
    };
    int total = 0, folga = 0;
    for (int c = 1; c <= grade_.colunas(); ++c) {
        total += larguraBase_[c - 1];
        if (podeEncolher(c)) folga += std::max(0, larguraBase_[c - 1] - minimo);
    }
    // Room for the vertical scroll bar that a long file brings, so that it
    // does not push the last column out of view when it appears.
    int disponivel = viewport()->width() - 2;
    if (!verticalScrollBar()->isVisible()) disponivel -= verticalScrollBar()->sizeHint().width();
    const int excesso = std::min(total - disponivel, folga);
    encaixando_ = true;
    for (int c = 1; c <= grade_.colunas(); ++c) {
        if (grade_.coluna(c).oculta) continue;
        int largura = larguraBase_[c - 1];
        if (excesso > 0 && podeEncolher(c))
            largura -= excesso * std::max(0, largura - minimo) / folga;
        setColumnWidth(c - 1, largura);
    }
    encaixando_ = false;
}

void TabelaGrade::resizeEvent(QResizeEvent* evento) {
    QTableView::resizeEvent(evento);
    encaixarLarguras();
}

}  // namespace etiquetas
