#pragma once

// Printer and port options shared by the commands that send to a printer
// (imprimir, teste, fonte): settled over the saved choice as the window's
// lists would take them.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "app/EscolhaImpressora.h"

namespace etiquetas::cli {

struct ArgumentosImpressora {
    std::optional<int> impressora;
    std::optional<std::string> modelo, velocidade, temperatura;
    std::optional<std::string> porta;  // none: LPT1, and the saved choice kept
    std::optional<std::string> rede;
    std::optional<std::string> serial;  // "BAUD,PARIDADE,DADOS,PARADA"
    std::optional<int> dpi;
};

// Adds --impressora, --modelo, --velocidade, --temperatura, --porta, --rede,
// --serial and --dpi to the subcommand.
void adicionarOpcoesImpressora(CLI::App& comando, ArgumentosImpressora& argumentos);

// The printer chosen; none (reason on standard error, exit status
// kArgumentos) when a value does not fit.
std::optional<ImpressoraEscolhida> impressoraEscolhida(const PastasAplicacao& pastas,
                                                       const ArgumentosImpressora& argumentos);

}  // namespace etiquetas::cli
