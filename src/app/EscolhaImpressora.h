#pragma once

// The printer, model, speed, temperature, port and serial settings a print
// goes to, as values: the window reads them from its printer frame, the
// command line settles them from the saved choice, the tables and its
// options exactly as the frame's lists would.

#include <filesystem>
#include <optional>
#include <string>

#include "comum/PastasAplicacao.h"
#include "render/ParametrosImpressao.h"

namespace etiquetas {

struct ImpressoraEscolhida {
    int indice = -1;    // line of the printer list (the layout file's printer index)
    std::string linha;  // the printer table line
    std::string modelo, velocidade, temperatura;
    std::string porta = "LPT1";
    bool rede = false;    // "Rede": the destination is a network path
    std::string destino;  // the port, or the network path
    ConfiguracaoSerialImpressao serial;
    // The port or path was stated (the window always states it): one left
    // to its default does not replace the user's saved choice.
    bool portaInformada = true;
    int resolucao = 203;  // dots per inch, kept per printer line
};

// What a caller without the window states; anything left out stays as the
// user saved it (section "ConfigPess"), or as the tables start it.
struct OpcoesImpressora {
    std::optional<int> impressora;
    std::optional<std::string> modelo, velocidade, temperatura;
    std::string porta = "LPT1";
    std::optional<std::string> rede;
    std::optional<ConfiguracaoSerialImpressao> serial;
    bool portaInformada = true;
    std::optional<int> resolucao;
};

struct EscolhaResolvida {
    std::optional<ImpressoraEscolhida> escolha;  // none: the printer line does not exist
    int impressoras = 0;                         // lines of the printer list
};
EscolhaResolvida escolherImpressora(const PastasAplicacao& pastas, const OpcoesImpressora& opcoes);

// Saves the choice as the user's (section "ConfigPess", and the printer
// line's resolution in "ResolucaoImpressora"); false when the personal file
// could not be written.
bool salvarEscolhaPessoal(const PastasAplicacao& pastas, const ImpressoraEscolhida& escolha);

// The speed value the templates receive: the conversion table's code (in the
// data folder) for the printer and speed, or the speed itself.
std::string velocidadeConvertida(const std::filesystem::path& dados,
                                 const ImpressoraEscolhida& escolha);

// Why a DPL printer's speed has no code in the conversion table (the table
// cannot be read, or no line names the printer and speed): the user's
// message. Empty when the code is there, or the printer needs none.
std::string falhaConversaoVelocidade(const std::filesystem::path& dados,
                                     const ImpressoraEscolhida& escolha);

// The resolution kept for a printer line (dots per inch), 203 when none is.
int resolucaoDaImpressora(const PastasAplicacao& pastas, const std::string& linha);

// LPT1 and LPT2 in any case, blanks around: the ports the print script serves.
bool portaParalela(const std::string& porta);

}  // namespace etiquetas
