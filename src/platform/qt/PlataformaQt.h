#pragma once

// The platform of the window: message boxes, the file dialog, the busy
// pointer and the event pump through Qt Widgets; serial port and processes
// through the Qt Core implementations shared with the headless front.

#include <QString>
#include <memory>
#include <string>

#include "platform/Plataforma.h"

class QWidget;

namespace etiquetas {

// "Descrição|*.xml|Todos|*.*" (the old dialog's notation) as Qt writes it:
// "Descrição (*.xml);;Todos (*.*)". Input and output in UTF-8.
QString filtroParaQt(const QString& filtro);

class PlataformaQt : public Plataforma {
  public:
    PlataformaQt();
    ~PlataformaQt() override;

    Resposta mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                      Botoes botoes) override;
    int escolher(const std::string& texto, const std::string& titulo, Icone icone,
                 const std::vector<std::string>& botoes, int padrao) override;
    std::filesystem::path escolherArquivo(const std::string& titulo, const std::string& filtro,
                                          const std::string& pasta) override;
    void processarEventos() override;
    void cursorOcupado(bool ocupado) override;
    bool vistaViva() const override;
    void naVista(std::function<void()> tarefa, bool aguardar) override;
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
    Versao versao() const override { return kVersaoCompilada; }

  private:
    std::unique_ptr<PortaSerial> porta_;
    bool ocupado_ = false;
};

}  // namespace etiquetas
