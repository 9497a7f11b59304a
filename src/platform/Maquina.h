#pragma once

// What the machine does for the core: processes with time limits, the serial
// port, pauses and the clock. Nothing here shows anything to the user, so
// output/ and config/ can depend on it and still run without anyone watching.
// Every text crossing this seam is Windows-1252, as inside the core, but a
// program's name and arguments, which are UTF-8 (paths pass whole).

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comum/Versao.h"

namespace etiquetas {

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
    // What the printer sent, waiting up to `ms` milliseconds for the first
    // bytes; empty when nothing came.
    virtual std::string ler(int ms) = 0;

    // Communication events, with the codes of the serial control
    // (1001 break, 1004 framing, 1009 parity, 2 data received, ...).
    std::function<void(int codigo)> aoEvento;
};

// A printer's raw TCP connection: its jobs go out on it and its answers come
// back on it. Every wait has its limit.
class ConexaoRede {
  public:
    virtual ~ConexaoRede() = default;
    // Sends every byte within `limite`; false (ultimoErro) when it could not.
    virtual bool escrever(const std::string& bytes, std::chrono::milliseconds limite) = 0;
    // What arrives within `limite`, returning with the first bytes; empty
    // when nothing came or the printer closed the connection.
    virtual std::string ler(std::chrono::milliseconds limite) = 0;
    virtual std::string ultimoErro() const = 0;
};

struct ResultadoConexao {
    std::unique_ptr<ConexaoRede> conexao;  // none: `erro` says why
    std::string erro;
};

struct ResultadoProcesso {
    bool iniciou = false;        // false: the program could not be started
    int codigoSaida = 0;         // exit status when it ran
    bool excedeuLimite = false;  // ended by us when its time ran out
    std::string erroPadrao;      // the start of what it wrote on standard error
    std::string descricaoFalha;  // why it could not be started
};

// What the system's print spooler made of one job.
struct ResultadoSpooler {
    bool entregue = false;
    std::string motivo;  // why it was not, for the message
};

class Maquina {
  public:
    virtual ~Maquina() = default;

    virtual PortaSerial& portaSerial() = 0;
    // Starts the program with these UTF-8 arguments (no shell in between) and
    // waits until it ends. When `limite` passes, the program and everything
    // it started are ended.
    virtual ResultadoProcesso executarEAguardar(const std::string& programa,
                                                const std::vector<std::string>& argumentos,
                                                std::chrono::milliseconds limite) = 0;
    // Connects to `servidor`:`porta` within `limite`.
    virtual ResultadoConexao conectar(const std::string& servidor, int porta,
                                      std::chrono::milliseconds limite) = 0;
    // A printer installed in the system's print spooler (Windows); elsewhere
    // there is none and the print script serves every destination.
    virtual bool impressoraInstalada(const std::string& nome) = 0;
    // Sends the bytes RAW, in the printer's own language, as one spooler
    // document, and waits up to `limite` for the job to leave the queue.
    virtual ResultadoSpooler enviarAoSpooler(const std::string& impressora,
                                             const std::string& documento, const std::string& bytes,
                                             std::chrono::milliseconds limite) = 0;
    // Pauses without spinning.
    virtual void pausar(std::chrono::milliseconds duracao) = 0;
    virtual std::chrono::system_clock::time_point agora() const = 0;
    virtual Versao versao() const = 0;
};

}  // namespace etiquetas
