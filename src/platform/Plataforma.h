#pragma once

// What the logic needs from the machine and the toolkit. The window runs on
// the Qt implementation; etiquetas-cli and the tests on the headless one.
// Every text crossing this seam is Windows-1252, as inside the core.

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "comum/Texto.h"
#include "comum/Versao.h"

namespace etiquetas {

enum class Icone { Nenhum, Informacao, Critico, Pergunta, Exclamacao };
enum class Botoes { Ok, SimNao };
enum class Resposta { Ok, Sim, Nao };

// The serial port of the window (msComPrinter). Settings text in the
// notation "9600,N,8,1".
class PortaSerial {
  public:
    virtual ~PortaSerial() = default;
    virtual bool abrir(const std::string& dispositivo, const std::string& configuracao) = 0;
    virtual void fechar() = 0;
    virtual bool aberta() const = 0;
    // Queues the bytes for sending; false when the port is closed or refuses.
    virtual bool escrever(const std::string& bytes) = 0;
    // Bytes still waiting to leave (64-bit: a font download alone is ~100 KB).
    virtual long long bytesPendentes() = 0;
    // Lets the port drain for up to `ms` milliseconds without spinning.
    virtual void aguardarEnvio(int ms) = 0;
    // Description of the last failure of abrir/escrever.
    virtual std::string ultimoErro() const = 0;

    // Communication events, with the codes of the serial control
    // (1001 break, 1004 framing, 1009 parity, 2 data received, ...).
    std::function<void(int codigo)> aoEvento;
};

struct ResultadoProcesso {
    bool iniciou = false;        // false: the program could not be started
    int codigoSaida = 0;         // exit status when it ran
    bool excedeuLimite = false;  // ended by us when its time ran out
    std::string erroPadrao;      // the start of what it wrote on standard error
    std::string descricaoFalha;  // why it could not be started
};

// Thrown by the headless platform when the application must end at once
// (version gate, "&Sair"); the CLI turns it into exit status 3.
struct AplicacaoEncerrada : std::runtime_error {
    AplicacaoEncerrada() : std::runtime_error("aplicação encerrada") {}
};

class Plataforma {
  public:
    virtual ~Plataforma() = default;

    // A box with icon, title and buttons; an empty title shows the
    // application's title. Returns the button pressed.
    virtual Resposta mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                              Botoes botoes) = 0;
    // The file-open dialog, opening in `pasta`; "" when cancelled. Filter
    // as "Descrição|*.xml".
    virtual std::string escolherArquivo(const std::string& titulo, const std::string& filtro,
                                        const std::string& pasta) = 0;
    // Lets pending window events run (repaint, progress).
    virtual void processarEventos() = 0;
    virtual void cursorOcupado(bool ocupado) = 0;
    // Ends the application at once, without the window's closing steps.
    // Does not return (the headless platform throws AplicacaoEncerrada).
    [[noreturn]] virtual void encerrarAplicacao() = 0;

    virtual PortaSerial& portaSerial() = 0;
    // Starts the program with these arguments (no shell in between) and
    // waits until it ends, letting window events run meanwhile. When `limite`
    // passes, the program and everything it started are ended.
    virtual ResultadoProcesso executarEAguardar(const std::string& programa,
                                                const std::vector<std::string>& argumentos,
                                                std::chrono::milliseconds limite) = 0;
    // Pauses without spinning, letting window events run.
    virtual void pausar(std::chrono::milliseconds duracao) = 0;
    virtual std::chrono::system_clock::time_point agora() const = 0;

    virtual Versao versao() const = 0;
    // The application's title, shown on boxes without a title of their own:
    // the window's caption with the running version.
    std::string tituloAplicacao() const {
        return ":: Quelmonte ::  Impressão de Etiquetas - Vs. (" + textoVersao(versao()) + ")";
    }
};

}  // namespace etiquetas
