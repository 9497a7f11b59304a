#pragma once

// A run taken up again from its first bad label (a jam in the printer): what
// remains of it, read from the history, and whether its order file is still
// the one it printed from.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "historico/HistoricoImpressao.h"

namespace etiquetas {

// A grid row of the remainder: the range to print again (for volume labels
// the boxes the run sent from the row: the row prints whole).
struct LinhaReimpressa {
    int linha = 0;
    long long primeira = 0, ultima = 0;
};

struct RestanteExecucao {
    long long id = 0;
    ExecucaoRegistrada execucao;
    bool separador = false;               // the run printed separator labels
    std::vector<LinhaReimpressa> linhas;  // in the order the run sent them
};

// What remains of run `execucao` from the label numbered `aPartirDe`: of the
// history row `trabalho` when given (its first number by default), otherwise
// the run's first label of that number. Throws FalhaHistorico with the
// user's message when the run or the label is not there.
RestanteExecucao restanteDaExecucao(HistoricoImpressao& historico, long long execucao,
                                    std::optional<long long> trabalho,
                                    std::optional<long long> aPartirDe);

// Why the run's order file cannot serve again (gone, or not the same bytes);
// empty when it can.
std::string motivoArquivoDiferente(const RestanteExecucao& restante);

// The range of a reprinted price row, within what the file asks for the row
// (`finalArquivo`): a pair of labels may have carried one more, and a
// reprint from that extra label prints the pair again.
std::pair<long long, long long> faixaReimpressa(const LinhaReimpressa& linha,
                                                std::optional<long long> finalArquivo);

// A destination that was a port (LPT1, COM2) rather than a network path.
bool destinoEmPorta(const std::string& destino);

}  // namespace etiquetas
