#pragma once

// The platform without a window: etiquetas-cli and the tests. Messages are
// recorded (and, for the CLI, written to standard error as "[title] text");
// questions get the configured answer (Yes); ending the application throws
// AplicacaoEncerrada, which the caller turns into its exit path.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Plataforma.h"

namespace etiquetas {

struct MensagemRegistrada {
    std::string texto;
    std::string titulo;  // as shown: the application's title when none was given
    Icone icone = Icone::Nenhum;
    Botoes botoes = Botoes::Ok;
};

class PlataformaHeadless : public Plataforma {
  public:
    PlataformaHeadless();
    ~PlataformaHeadless() override;

    Resposta mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                      Botoes botoes) override;
    std::filesystem::path escolherArquivo(const std::string& titulo, const std::string& filtro,
                                          const std::string& pasta) override;
    void processarEventos() override;
    void cursorOcupado(bool ocupado) override { ocupado_ = ocupado; }
    [[noreturn]] void encerrarAplicacao() override;
    PortaSerial& portaSerial() override;
    ResultadoProcesso executarEAguardar(const std::string& programa,
                                        const std::vector<std::string>& argumentos,
                                        std::chrono::milliseconds limite) override;
    ResultadoConexao conectar(const std::string& servidor, int porta,
                              std::chrono::milliseconds limite) override;
    bool impressoraInstalada(const std::string& nome) override;
    ResultadoSpooler enviarAoSpooler(const std::string& impressora, const std::string& documento,
                                     const std::string& bytes,
                                     std::chrono::milliseconds limite) override;
    void pausar(std::chrono::milliseconds duracao) override;
    std::chrono::system_clock::time_point agora() const override;
    Versao versao() const override { return versao_; }

    // Settings and records for tests and the CLI.
    std::vector<MensagemRegistrada> mensagens;
    Resposta respostaPerguntas = Resposta::Sim;
    std::string pastaDoDialogo;              // where the last file dialog opened
    std::filesystem::path arquivoEscolhido;  // what the file dialog returns
    std::ostream* ecoMensagens = nullptr;    // the CLI's standard error
    std::optional<std::chrono::system_clock::time_point> relogioFixo;
    std::vector<std::string> dialogos;  // titles of the file dialogs shown
    bool ocupado() const { return ocupado_; }
    void definirVersao(const Versao& v) { versao_ = v; }
    // Replaces the real serial port (tests with a fake or a pty pair).
    void definirPortaSerial(std::unique_ptr<PortaSerial> porta);
    // Pauses return at once (tests).
    bool semPausas = false;

  private:
    Versao versao_ = kVersaoCompilada;
    bool ocupado_ = false;
    std::unique_ptr<PortaSerial> porta_;
};

}  // namespace etiquetas
