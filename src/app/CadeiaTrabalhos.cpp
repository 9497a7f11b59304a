#include "app/CadeiaTrabalhos.h"

#include <algorithm>
#include <utility>

#include "app/VigiaImpressora.h"

namespace etiquetas {

class CadeiaTrabalhos::EntregasPorLinha : public SaidaTrabalhos {
  public:
    EntregasPorLinha(SaidaTrabalhos& destino, std::function<void(int)> aoEntregar)
        : destino_(destino), aoEntregar_(std::move(aoEntregar)) {}
    void enviar(const Trabalho& trabalho) override {
        if (aoEntregar_ && !trabalho.origens.empty()) aoEntregar_(trabalho.origens.front().linha);
        destino_.enviar(trabalho);
        for (const auto& o : trabalho.origens) ultimaLinha = std::max(ultimaLinha, o.linha);
    }
    int ultimaLinha = 0;

  private:
    SaidaTrabalhos& destino_;
    std::function<void(int)> aoEntregar_;
};

// The rows of a request less what was sent are not the grid's: each job's
// origin is given back the grid's row before the history or the resume
// point sees it.
class CadeiaTrabalhos::OrigensNaGrade : public SaidaTrabalhos {
  public:
    OrigensNaGrade(SaidaTrabalhos& destino, const LinhasNuncaImpressas& linhas)
        : destino_(destino), linhas_(linhas) {}
    void enviar(const Trabalho& trabalho) override {
        Trabalho t = trabalho;
        for (auto& o : t.origens) o.linha = linhas_.linhaNaGrade(o.linha);
        destino_.enviar(t);
    }

  private:
    SaidaTrabalhos& destino_;
    const LinhasNuncaImpressas& linhas_;
};

CadeiaTrabalhos::CadeiaTrabalhos(SaidaTrabalhos& destino, const RegistroDaCadeia& registro,
                                 const LinhasNuncaImpressas* nuncaImpressas,
                                 const VigiaDaCadeia& vigia,
                                 std::function<void(int)> aoEntregarLinha) {
    SaidaTrabalhos* elo = &destino;
    if (registro.historico)
        elo = (historico_ = std::make_unique<SaidaComHistorico>(
                   *elo, *registro.historico, registro.execucao, registro.aoFalhar))
                  .get();
    if (vigia.despacho)
        elo = (vigiada_ = std::make_unique<SaidaVigiada>(*elo, *vigia.despacho, vigia.intervalo))
                  .get();
    elo = (entregas_ = std::make_unique<EntregasPorLinha>(*elo, std::move(aoEntregarLinha))).get();
    if (nuncaImpressas)
        elo = (naGrade_ = std::make_unique<OrigensNaGrade>(*elo, *nuncaImpressas)).get();
    entrada_ = elo;
}

CadeiaTrabalhos::~CadeiaTrabalhos() = default;

int CadeiaTrabalhos::ultimaLinha() const {
    return entregas_->ultimaLinha;
}

void CadeiaTrabalhos::marcarNaoConfirmadas(long long porImprimir) {
    if (historico_) historico_->marcarNaoConfirmadas(porImprimir);
}

}  // namespace etiquetas
