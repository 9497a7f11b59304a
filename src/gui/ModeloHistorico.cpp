#include "gui/ModeloHistorico.h"

#include "gui/Conexao.h"

namespace etiquetas {

ModeloHistorico::ModeloHistorico(std::filesystem::path arquivo, QObject* pai)
    : QAbstractTableModel(pai), arquivo_(std::move(arquivo)) {
    for (const auto& nome : legendasCamposHistorico()) cabecalho_ << paraTela(nome);
}

ModeloHistorico::~ModeloHistorico() = default;

bool ModeloHistorico::abrir() {
    if (historico_) return true;
    std::error_code e;
    if (arquivo_.empty()) {
        erro_ = "A pasta de dados do usuário não foi encontrada: não há histórico de impressões.";
        return false;
    }
    if (!std::filesystem::exists(arquivo_, e)) return false;
    try {
        historico_ = std::make_unique<HistoricoImpressao>(arquivo_, AberturaHistorico::Leitura);
        erro_ = historico_->aviso();
    } catch (const FalhaHistorico& f) {
        erro_ = f.what();
    }
    return historico_ != nullptr;
}

void ModeloHistorico::filtrar(const FiltroHistorico& filtro) {
    beginResetModel();
    filtro_ = filtro;
    filtro_.antesDe = 0;
    linhas_.clear();
    textos_.clear();
    fim_ = !abrir();
    endResetModel();
    if (!fim_) fetchMore({});
}

// Keyset paging: the rows older than the last one shown, so that the
// thousandth page costs what the first does.
std::vector<LinhaHistorico> ModeloHistorico::lerPagina() {
    std::vector<LinhaHistorico> pagina;
    FiltroHistorico f = filtro_;
    if (!linhas_.empty()) f.antesDe = linhas_.back().id;
    try {
        historico_->percorrer(f, 0, kPagina, [&](const LinhaHistorico& l) {
            pagina.push_back(l);
            return true;
        });
    } catch (const FalhaHistorico& falha) {
        erro_ = falha.what();
        historico_.reset();
    }
    return pagina;
}

bool ModeloHistorico::canFetchMore(const QModelIndex& pai) const {
    return !pai.isValid() && !fim_;
}

void ModeloHistorico::fetchMore(const QModelIndex& pai) {
    if (pai.isValid() || fim_ || !historico_) return;
    auto pagina = lerPagina();
    fim_ = static_cast<int>(pagina.size()) < kPagina;
    if (pagina.empty()) return;
    const int primeira = static_cast<int>(linhas_.size());
    beginInsertRows({}, primeira, primeira + static_cast<int>(pagina.size()) - 1);
    for (auto& l : pagina) {
        QStringList textos;
        for (const auto& campo : camposHistorico(l)) textos << paraTela(campo);
        textos_.push_back(std::move(textos));
        linhas_.push_back(std::move(l));
    }
    endInsertRows();
}

int ModeloHistorico::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int ModeloHistorico::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(cabecalho_.size());
}

QVariant ModeloHistorico::data(const QModelIndex& indice, int papel) const {
    if (papel != Qt::DisplayRole || !indice.isValid()) return {};
    return textos_.at(static_cast<std::size_t>(indice.row())).value(indice.column());
}

QVariant ModeloHistorico::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole || orientacao != Qt::Horizontal) return {};
    return cabecalho_.value(secao);
}

}  // namespace etiquetas
