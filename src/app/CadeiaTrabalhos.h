#pragma once

// The sinks a print's jobs climb through on their way from the routine to
// the destination (the dispatcher, or a collector): the rows of a request
// less what was sent given back their grid rows, the last row that went out
// kept for a resume, and each job recorded in the history before it leaves.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/RegistroHistorico.h"
#include "render/Trabalho.h"

namespace etiquetas {

// A history the run records in: none leaves the run unrecorded.
struct RegistroDaCadeia {
    HistoricoImpressao* historico = nullptr;
    long long execucao = 0;
    // Said when the history fails during the run; true goes on without it.
    std::function<bool(const std::string&)> aoFalhar;
};

class CadeiaTrabalhos {
  public:
    // `aoEntregarLinha` hears the grid row of each job before it leaves.
    CadeiaTrabalhos(SaidaTrabalhos& destino, const RegistroDaCadeia& registro,
                    const LinhasNuncaImpressas* nuncaImpressas,
                    std::function<void(int linha)> aoEntregarLinha = {});
    CadeiaTrabalhos(const CadeiaTrabalhos&) = delete;
    CadeiaTrabalhos& operator=(const CadeiaTrabalhos&) = delete;
    ~CadeiaTrabalhos();

    // Where the routine hands its jobs.
    SaidaTrabalhos& entrada() { return *entrada_; }
    // The last grid row whose job reached the destination: rows are printed
    // in order, so every ticked row before it went out whole.
    int ultimaLinha() const;

  private:
    class EntregasPorLinha;
    class OrigensNaGrade;
    std::unique_ptr<SaidaComHistorico> historico_;
    std::unique_ptr<EntregasPorLinha> entregas_;
    std::unique_ptr<OrigensNaGrade> naGrade_;
    SaidaTrabalhos* entrada_ = nullptr;
};

}  // namespace etiquetas
