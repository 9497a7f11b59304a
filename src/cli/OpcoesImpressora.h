#pragma once

// Printer and port options shared by the commands that send to a printer
// (imprimir, teste, fonte): set in the window's lists and boxes as the user
// would set them, so the window's reactions fill what depends on them.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "app/Aplicacao.h"

namespace etiquetas::cli {

struct OpcoesImpressora {
    std::optional<int> impressora;
    std::optional<std::string> modelo, velocidade, temperatura;
    std::string porta = "LPT1";
    std::optional<std::string> rede;
    std::optional<std::string> serial;  // "BAUD,PARIDADE,DADOS,PARADA"
};

// Adds --impressora, --modelo, --velocidade, --temperatura, --porta, --rede
// and --serial to the subcommand.
void adicionarOpcoesImpressora(CLI::App& comando, OpcoesImpressora& opcoes);

// Applies them to the window; kArgumentos (reason on standard error) when a
// value does not fit.
int aplicarOpcoesImpressora(JanelaPrincipal& j, const OpcoesImpressora& opcoes);

// The exit status of a print, test print or font load: 0 when it reached its
// end (a label type that prints nothing included), 1 when it stopped on a
// message.
int statusImpressao(const Aplicacao& app);

}  // namespace etiquetas::cli
