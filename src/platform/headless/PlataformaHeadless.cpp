#include "platform/headless/PlataformaHeadless.h"

#include <ostream>
#include <thread>

#include "comum/Texto.h"
#include "platform/sistema/Processos.h"
#include "platform/sistema/Rede.h"
#include "platform/sistema/Spooler.h"

#ifdef _WIN32
#include "platform/sistema/PortaSerialWin32.h"
#else
#include <QCoreApplication>

#include "platform/nucleo/PortaSerialQt.h"
#endif

namespace etiquetas {

PlataformaHeadless::PlataformaHeadless() = default;
PlataformaHeadless::~PlataformaHeadless() = default;

Resposta PlataformaHeadless::mensagem(const std::string& texto, const std::string& titulo,
                                      Icone icone, Botoes botoes) {
    const std::string mostrado = titulo.empty() ? tituloAplicacao() : titulo;
    mensagens.push_back({texto, mostrado, icone, botoes});
    if (ecoMensagens) {
        std::string linha = texto;
        // One line per message: line breaks inside the text become blanks.
        for (auto& c : linha)
            if (c == '\r' || c == '\n') c = ' ';
        *ecoMensagens << '[' << cp1252ParaUtf8(mostrado) << "] " << cp1252ParaUtf8(aparar(linha))
                      << std::endl;
    }
    return botoes == Botoes::SimNao ? respostaPerguntas : Resposta::Ok;
}

std::filesystem::path PlataformaHeadless::escolherArquivo(const std::string& titulo,
                                                          const std::string&,
                                                          const std::string& pasta) {
    dialogos.push_back(titulo);
    pastaDoDialogo = pasta;
    return arquivoEscolhido;
}

void PlataformaHeadless::processarEventos() {
#ifndef _WIN32
    // The Qt serial port delivers its signals through the event loop.
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
#endif
}

void PlataformaHeadless::encerrarAplicacao() {
    throw AplicacaoEncerrada();
}

PortaSerial& PlataformaHeadless::portaSerial() {
#ifdef _WIN32
    if (!porta_) porta_ = std::make_unique<PortaSerialWin32>();
#else
    if (!porta_) porta_ = std::make_unique<PortaSerialQt>([this] { processarEventos(); });
#endif
    return *porta_;
}

void PlataformaHeadless::definirPortaSerial(std::unique_ptr<PortaSerial> porta) {
    porta_ = std::move(porta);
}

ResultadoProcesso PlataformaHeadless::executarEAguardar(const std::string& programa,
                                                        const std::vector<std::string>& argumentos,
                                                        std::chrono::milliseconds limite) {
    return executarProcesso(programa, argumentos, limite);
}

ResultadoConexao PlataformaHeadless::conectar(const std::string& servidor, int porta,
                                              std::chrono::milliseconds limite) {
    return conectarTcp(servidor, porta, limite);
}

bool PlataformaHeadless::impressoraInstalada(const std::string& nome) {
    return impressoraNoSpooler(nome);
}

ResultadoSpooler PlataformaHeadless::enviarAoSpooler(const std::string& impressora,
                                                     const std::string& documento,
                                                     const std::string& bytes,
                                                     std::chrono::milliseconds limite) {
    return enviarRawAoSpooler(impressora, documento, bytes, limite);
}

void PlataformaHeadless::pausar(std::chrono::milliseconds duracao) {
    if (semPausas) return;
    std::this_thread::sleep_for(duracao);
}

std::chrono::system_clock::time_point PlataformaHeadless::agora() const {
    return relogioFixo ? *relogioFixo : std::chrono::system_clock::now();
}

}  // namespace etiquetas
