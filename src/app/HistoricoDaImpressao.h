#pragma once

// What a print does with the history before it sends: the file opened, the
// ranges sent before said and, as asked, left out, and the run's row begun.

#include <memory>
#include <optional>

#include "app/CadeiaTrabalhos.h"
#include "app/SessaoImpressao.h"

namespace etiquetas {

// The history a print records in: none when it is not used, or when it
// cannot be and the user goes on without it.
struct HistoricoDaExecucao {
    std::unique_ptr<HistoricoImpressao> historico;
    // What the rows of a request less the ones sent read from.
    std::unique_ptr<LinhasNuncaImpressas> nuncaImpressas;
};

// Opened afresh for each print; nothing: the print stops (said).
std::optional<HistoricoDaExecucao> abrirHistorico(SessaoImpressao& sessao);

// Says which ranges of the ticked rows were sent before and, as asked (or
// chosen), keeps only the rest in the request. A value: the run stops there
// (said).
std::optional<DesfechoImpressao> conferirRepeticoes(SessaoImpressao& sessao,
                                                    PedidoImpressao& pedido,
                                                    const FamiliaEtiqueta& familia,
                                                    HistoricoDaExecucao& historico);

// The run's row in the history, for the chain; nothing: stop before the
// first job (said).
std::optional<RegistroDaCadeia> registrarExecucao(SessaoImpressao& sessao,
                                                  HistoricoDaExecucao& historico,
                                                  const PedidoImpressao& pedido,
                                                  const FamiliaEtiqueta& familia);
// How the run ended, kept with its row; gives `desfecho` back. A run sent
// whole that the printer did not confirm (`confirmada` false) is kept as such.
DesfechoImpressao registrarFim(const RegistroDaCadeia& registro, DesfechoImpressao desfecho,
                               bool confirmada = true);

}  // namespace etiquetas
