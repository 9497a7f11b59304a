#include "platform/qt/PlataformaQt.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "comum/Texto.h"
#include "platform/sistema/Processos.h"
#include "platform/sistema/Rede.h"
#include "platform/sistema/Spooler.h"
#ifdef _WIN32
#include "platform/sistema/PortaSerialWin32.h"
#else
#include "platform/nucleo/PortaSerialQt.h"
#endif

namespace etiquetas {

namespace {

QString paraQt(const std::string& cp1252) {
    return QString::fromStdString(cp1252ParaUtf8(cp1252));
}

QMessageBox::Icon iconeQt(Icone icone) {
    switch (icone) {
        case Icone::Informacao:
            return QMessageBox::Information;
        case Icone::Critico:
            return QMessageBox::Critical;
        case Icone::Pergunta:
            return QMessageBox::Question;
        case Icone::Exclamacao:
            return QMessageBox::Warning;
        case Icone::Nenhum:
            break;
    }
    return QMessageBox::NoIcon;
}

// A box shown while the busy pointer is up would otherwise get the hourglass
// too; the arrow comes back for the answer and leaves with the box.
class PonteiroNormal {
  public:
    PonteiroNormal() : ativo_(QApplication::overrideCursor() != nullptr) {
        if (ativo_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~PonteiroNormal() {
        if (ativo_) QApplication::restoreOverrideCursor();
    }
    PonteiroNormal(const PonteiroNormal&) = delete;
    PonteiroNormal& operator=(const PonteiroNormal&) = delete;

  private:
    bool ativo_;
};

// "Descrição" + "*.xml;*.txt" -> "Descrição (*.xml *.txt)", unless the
// description already shows its patterns.
QString entradaFiltro(QString descricao, QString padroes) {
    padroes = padroes.trimmed().replace(u';', u' ');
    descricao = descricao.trimmed();
    if (padroes.isEmpty()) padroes = QStringLiteral("*");
    if (descricao.isEmpty()) return padroes;
    const QString sufixo = u'(' + padroes + u')';
    if (descricao.endsWith(sufixo)) return descricao;
    return descricao + u' ' + sufixo;
}

}  // namespace

QString filtroParaQt(const QString& filtro) {
    if (!filtro.contains(u'|')) return filtro;
    const QStringList partes = filtro.split(u'|');
    QStringList entradas;
    for (qsizetype i = 0; i < partes.size(); i += 2) {
        const QString padroes = i + 1 < partes.size() ? partes[i + 1] : QString();
        entradas << entradaFiltro(partes[i], padroes);
    }
    return entradas.join(QStringLiteral(";;"));
}

PlataformaQt::PlataformaQt() = default;
PlataformaQt::~PlataformaQt() = default;

Resposta PlataformaQt::mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                                Botoes botoes) {
    QMessageBox caixa(QApplication::activeWindow());
    caixa.setWindowTitle(paraQt(titulo.empty() ? tituloAplicacao() : titulo));
    caixa.setTextFormat(Qt::PlainText);
    caixa.setText(paraQt(texto));
    caixa.setIcon(iconeQt(icone));
    if (botoes == Botoes::SimNao) {
        caixa.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // Enter answers Yes, Escape No.
        caixa.setDefaultButton(QMessageBox::Yes);
        caixa.setEscapeButton(QMessageBox::No);
    } else {
        caixa.setStandardButtons(QMessageBox::Ok);
    }
    PonteiroNormal ponteiro;
    const int escolhido = caixa.exec();
    if (botoes == Botoes::Ok) return Resposta::Ok;
    return escolhido == QMessageBox::Yes ? Resposta::Sim : Resposta::Nao;
}

int PlataformaQt::escolher(const std::string& texto, const std::string& titulo, Icone icone,
                           const std::vector<std::string>& botoes, int padrao) {
    QMessageBox caixa(QApplication::activeWindow());
    caixa.setWindowTitle(paraQt(titulo.empty() ? tituloAplicacao() : titulo));
    caixa.setTextFormat(Qt::PlainText);
    caixa.setText(paraQt(texto));
    caixa.setIcon(iconeQt(icone));
    std::vector<QPushButton*> criados;
    for (const auto& b : botoes)
        criados.push_back(caixa.addButton(paraQt(b), QMessageBox::ActionRole));
    if (!criados.empty()) {
        caixa.setDefaultButton(criados.at(
            static_cast<std::size_t>(std::clamp(padrao, 0, static_cast<int>(criados.size()) - 1))));
        caixa.setEscapeButton(criados.back());
    }
    PonteiroNormal ponteiro;
    caixa.exec();
    const auto achado = std::find(criados.begin(), criados.end(), caixa.clickedButton());
    return achado == criados.end() ? static_cast<int>(criados.size()) - 1
                                   : static_cast<int>(achado - criados.begin());
}

std::filesystem::path PlataformaQt::escolherArquivo(const std::string& titulo,
                                                    const std::string& filtro,
                                                    const std::string& pasta) {
    PonteiroNormal ponteiro;
    const QString escolhido = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), paraQt(titulo), paraQt(pasta), filtroParaQt(paraQt(filtro)));
    return std::filesystem::path(escolhido.toStdU16String());
}

void PlataformaQt::processarEventos() {
    QApplication::processEvents();
}

void PlataformaQt::cursorOcupado(bool ocupado) {
    if (ocupado == ocupado_) return;
    ocupado_ = ocupado;
    if (ocupado)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool PlataformaQt::vistaViva() const {
    return QCoreApplication::instance() != nullptr;
}

void PlataformaQt::naVista(std::function<void()> tarefa, bool aguardar) {
    QCoreApplication* aplicacao = QCoreApplication::instance();
    if (!aplicacao || QThread::currentThread() == aplicacao->thread()) return tarefa();
    QMetaObject::invokeMethod(aplicacao, std::move(tarefa),
                              aguardar ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
}

void PlataformaQt::encerrarAplicacao() {
    // At once: no closing steps of the window, no event loop to return to.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(0);
}

PortaSerial& PlataformaQt::portaSerial() {
#ifdef _WIN32
    // Win32's own serial port: Qt SerialPort is not built for Windows here.
    if (!porta_) porta_ = std::make_unique<PortaSerialWin32>();
#else
    if (!porta_) porta_ = std::make_unique<PortaSerialQt>();
#endif
    return *porta_;
}

ResultadoProcesso PlataformaQt::executarEAguardar(const std::string& programa,
                                                  const std::vector<std::string>& argumentos,
                                                  std::chrono::milliseconds limite) {
    return executarProcesso(programa, argumentos, limite);
}

ResultadoConexao PlataformaQt::conectar(const std::string& servidor, int porta,
                                        std::chrono::milliseconds limite) {
    return conectarTcp(servidor, porta, limite);
}

bool PlataformaQt::impressoraInstalada(const std::string& nome) {
    return impressoraNoSpooler(nome);
}

ResultadoSpooler PlataformaQt::enviarAoSpooler(const std::string& impressora,
                                               const std::string& documento,
                                               const std::string& bytes,
                                               std::chrono::milliseconds limite) {
    return enviarRawAoSpooler(impressora, documento, bytes, limite);
}

void PlataformaQt::pausar(std::chrono::milliseconds duracao) {
    std::this_thread::sleep_for(duracao);
}

std::chrono::system_clock::time_point PlataformaQt::agora() const {
    return std::chrono::system_clock::now();
}

}  // namespace etiquetas
