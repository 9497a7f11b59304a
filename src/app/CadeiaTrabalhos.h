#pragma once

// The sinks a print's jobs climb through on their way from the routine to
// the destination (the dispatcher, or a collector): the rows of a request
// less what was sent given back their grid rows, the last row that went out
// kept for a resume, the printer asked between jobs, and each job recorded
// in the history before it leaves.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/RegistroHistorico.h"
#include "render/Trabalho.h"

namespace etiquetas {

class Despacho;
class SaidaVigiada;

// A history the run records in: none leaves the run unrecorded.
struct RegistroDaCadeia {
    HistoricoImpressao* historico = nullptr;
    long long execucao = 0;
    // Said when the history fails during the run; true goes on without it.
    std::function<bool(const std::string&)> aoFalhar;
};

// The printer asked between jobs, outside the history: a fault found before
// a job stops the run with that job never recorded. No dispatcher: none.
struct VigiaDaCadeia {
    Despacho* despacho = nullptr;
    std::chrono::seconds intervalo{1};
};

class CadeiaTrabalhos {
  public:
    // `aoEntregarLinha` hears the grid row of each job before it leaves.
    CadeiaTrabalhos(SaidaTrabalhos& destino, const RegistroDaCadeia& registro,
                    const LinhasNuncaImpressas* nuncaImpressas, const VigiaDaCadeia& vigia = {},
                    std::function<void(int linha)> aoEntregarLinha = {});
    CadeiaTrabalhos(const CadeiaTrabalhos&) = delete;
    CadeiaTrabalhos& operator=(const CadeiaTrabalhos&) = delete;
    ~CadeiaTrabalhos();

    // Where the routine hands its jobs.
    SaidaTrabalhos& entrada() { return *entrada_; }
    // The last grid row whose job reached the destination: rows are printed
    // in order, so every ticked row before it went out whole.
    int ultimaLinha() const;
    // The last jobs recorded, as many as hold the `porImprimir` labels the
    // printer still had after the run, become "não confirmada".
    void marcarNaoConfirmadas(long long porImprimir);

  private:
    class EntregasPorLinha;
    class OrigensNaGrade;
    std::unique_ptr<SaidaComHistorico> historico_;
    std::unique_ptr<SaidaVigiada> vigiada_;
    std::unique_ptr<EntregasPorLinha> entregas_;
    std::unique_ptr<OrigensNaGrade> naGrade_;
    SaidaTrabalhos* entrada_ = nullptr;
};

}  // namespace etiquetas
