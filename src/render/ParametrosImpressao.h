#pragma once

// The printer, port and options of one print run, resolved from the window
// once when the run starts. The window stays locked while it runs, so the
// routines never read it back.

#include <chrono>
#include <string>

namespace etiquetas {

enum class Linguagem { Nenhuma, Zebra, DataMax };

// "Zebra", "DataMax" or "": the spelling of the template file names.
const char* nomeLinguagem(Linguagem linguagem);
// ".zpl", ".prn" or "".
const char* extensaoLinguagem(Linguagem linguagem);

// First comma field of a printer table line, blanks removed, upper case
// ("ZEBRA"): the printer maker, for the language and the speed rule alike.
std::string fabricanteImpressora(const std::string& linhaImpressora);
// DataMax for DATAMAX, ARGOX and ELTRON; Zebra for ZEBRA; none otherwise.
Linguagem linguagemDoFabricante(const std::string& fabricante);

struct ConfiguracaoSerialImpressao {
    std::string velocidade, paridade, bitsDados, bitsParada;
};

// The label variant chosen in the window: 9 when the variant list is hidden;
// otherwise 1 "Etiq.Interna", 2 "Etiq.Caixa", 3 "Etiqueta ILPN",
// 4 "Etiqueta Volume", 0 any other text.
int varianteDoTexto(bool listaVisivel, const std::string& texto);

struct ParametrosImpressao {
    std::string impressora;  // the printer table line
    std::string fabricante;
    Linguagem linguagem = Linguagem::Nenhuma;
    std::string velocidade;   // the speed value the templates receive ("C" rule applied)
    std::string temperatura;  // as typed
    std::string porta;        // LPT1, LPT2, COM1, COM2
    std::string destino;      // the port or the network path given to the print script
    ConfiguracaoSerialImpressao serial;
    bool separadorPorPedido = false;
    int variante = 9;
    bool layoutNovo = false;
    std::string origemSolicitacao;
    // The printer line's dots per inch; the templates are drawn for 203.
    int resolucao = 203;
    // How long one job may take to leave (print script or serial port).
    std::chrono::seconds limiteEnvio{120};
    // How long a run waits for another run of the same folder to end.
    std::chrono::seconds esperaOutraImpressao{5};
    // A network printer's connect, and a printer's answer to "how are you".
    std::chrono::seconds limiteConexao{10};
    std::chrono::seconds limiteResposta{3};
    // How long the end of a run waits for the printer to print what it holds.
    std::chrono::seconds limiteFimImpressao{60};
    // How often a run asks the printer between jobs (zero: before every one).
    std::chrono::seconds intervaloConsulta{1};

    bool zebra() const { return fabricante == "ZEBRA"; }
    bool datamax() const { return linguagem == Linguagem::DataMax; }
};

// The speed value: the trimmed speed box, or "C" for ARGOX and DATAMAX
// printers when it is empty.
std::string valorVelocidade(const std::string& velocidade, const std::string& fabricante);

}  // namespace etiquetas
