#pragma once

// The print history as a table for the "Histórico" view: newest first, a
// page of rows at a time as the view scrolls to them, so that a history of
// a million jobs opens as fast as one of ten.

#include <QAbstractTableModel>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "historico/HistoricoImpressao.h"

namespace etiquetas {

class ModeloHistorico : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kPagina = 300;

    // Nothing is created: a history not yet written shows empty.
    explicit ModeloHistorico(std::filesystem::path arquivo, QObject* pai = nullptr);
    ~ModeloHistorico() override;

    // Starts over with the rows `filtro` lets through, the first page read.
    void filtrar(const FiltroHistorico& filtro);
    const FiltroHistorico& filtro() const { return filtro_; }
    // Why the history could not be read (empty: it could).
    const std::string& erro() const { return erro_; }
    const LinhaHistorico& linha(int i) const { return linhas_.at(static_cast<std::size_t>(i)); }
    // The open history (none when there is no file or it failed).
    HistoricoImpressao* historico() { return historico_.get(); }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
    bool canFetchMore(const QModelIndex& pai) const override;
    void fetchMore(const QModelIndex& pai) override;

  private:
    bool abrir();
    std::vector<LinhaHistorico> lerPagina();

    std::filesystem::path arquivo_;
    std::unique_ptr<HistoricoImpressao> historico_;
    FiltroHistorico filtro_;
    std::vector<LinhaHistorico> linhas_;
    std::vector<QStringList> textos_;
    QStringList cabecalho_;
    bool fim_ = true;
    std::string erro_;
};

}  // namespace etiquetas
