#include "gui/ModeloGrade.h"

#include <QColor>
#include <QFont>

#include "gui/Conexao.h"

namespace etiquetas {

namespace {
constexpr int kFonteNormal = 8;
}

QColor corDaJanela(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

ModeloGrade::ModeloGrade(Grade& grade, QObject* pai) : QAbstractTableModel(pai), grade_(grade) {
    conectarEnquantoViver(this, grade_.mudou, [this](int l, int c) { aoMudar(l, c); });
    // Rows of a file still being read: added, not a reset, so the view keeps
    // its place, its selection and the cell being edited.
    conectarEnquantoViver(this, grade_.linhasPorAcrescentar, [this](int primeira, int ultima) {
        beginInsertRows({}, primeira - 1, ultima - 1);
    });
    conectarEnquantoViver(this, grade_.linhasAcrescentadas, [this](int, int) { endInsertRows(); });
}

int ModeloGrade::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : grade_.linhas();
}

int ModeloGrade::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : grade_.colunas();
}

bool ModeloGrade::celulaValida(const QModelIndex& indice) const {
    return indice.isValid() && indice.model() == this && indice.row() < rowCount() &&
           indice.column() < columnCount();
}

QVariant ModeloGrade::data(const QModelIndex& indice, int papel) const {
    if (!celulaValida(indice)) return {};
    const int linha = indice.row() + 1;
    const int coluna = indice.column() + 1;
    const ColunaGrade& c = grade_.coluna(coluna);
    switch (papel) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (c.caixa) return {};
            return paraTela(grade_.texto(linha, coluna));
        case Qt::CheckStateRole:
            if (!c.caixa) return {};
            return grade_.texto(linha, coluna) == "1" ? Qt::Checked : Qt::Unchecked;
        case Qt::ForegroundRole:
            if (c.cor == 0) return {};
            return corDaJanela(c.cor);
        case Qt::FontRole:
            return fonte(linha);
        default:
            return {};
    }
}

QVariant ModeloGrade::fonte(int linha) const {
    const bool negrito = grade_.negrito(linha);
    const int tamanho = grade_.tamanhoFonte(linha);
    if (!negrito && tamanho == kFonteNormal) return {};
    QFont f;
    f.setBold(negrito);
    f.setPointSizeF(fonteBase_ + (tamanho - kFonteNormal));
    return f;
}

QVariant ModeloGrade::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole) return {};
    if (orientacao == Qt::Vertical) return secao + 1;
    if (secao < 0 || secao >= grade_.colunas()) return {};
    return paraTela(grade_.texto(0, secao + 1));
}

Qt::ItemFlags ModeloGrade::flags(const QModelIndex& indice) const {
    if (!celulaValida(indice)) return Qt::NoItemFlags;
    const ColunaGrade& c = grade_.coluna(indice.column() + 1);
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (c.caixa)
        f |= Qt::ItemIsUserCheckable;
    else if (c.editavel)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModeloGrade::setData(const QModelIndex& indice, const QVariant& valor, int papel) {
    if (!celulaValida(indice)) return false;
    const int linha = indice.row() + 1;
    const int coluna = indice.column() + 1;
    const ColunaGrade& c = grade_.coluna(coluna);
    if (c.caixa && papel == Qt::CheckStateRole) {
        const bool marcar = valor.toInt() == Qt::Checked;
        if (marcar != (grade_.texto(linha, coluna) == "1")) grade_.clicarCaixa(linha);
        return true;
    }
    if (c.editavel && !c.caixa && papel == Qt::EditRole) {
        std::string texto = daTela(valor.toString());
        // Leaving a cell unchanged is not an edit: the checks run on changes.
        if (texto != grade_.texto(linha, coluna))
            grade_.editarPeloUsuario(linha, coluna, std::move(texto));
        return true;
    }
    return false;
}

void ModeloGrade::aoMudar(int linha, int coluna) {
    if (linha < 1 || linha > rowCount()) {
        beginResetModel();
        endResetModel();
        return;
    }
    const int primeira = coluna < 1 ? 0 : coluna - 1;
    const int ultima = coluna < 1 ? columnCount() - 1 : coluna - 1;
    if (ultima < 0) return;
    emit dataChanged(index(linha - 1, primeira), index(linha - 1, ultima));
}

}  // namespace etiquetas
