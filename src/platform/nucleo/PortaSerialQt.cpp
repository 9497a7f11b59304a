#include "platform/nucleo/PortaSerialQt.h"

#include <utility>

#include "comum/Texto.h"
#include "platform/sistema/ConfiguracaoSerial.h"

namespace etiquetas {

namespace {
constexpr std::size_t kLimiteRecebido = 64 * 1024;
}  // namespace

bool aplicarConfiguracaoSerial(QSerialPort& porta, const std::string& configuracao) {
    const auto c = interpretarConfiguracaoSerial(configuracao);
    if (!c) return false;
    static constexpr QSerialPort::Parity kParidades[] = {
        QSerialPort::NoParity, QSerialPort::EvenParity, QSerialPort::OddParity,
        QSerialPort::MarkParity, QSerialPort::SpaceParity};
    static constexpr QSerialPort::StopBits kParadas[] = {
        QSerialPort::OneStop, QSerialPort::OneAndHalfStop, QSerialPort::TwoStop};
    return porta.setBaudRate(static_cast<qint32>(c->baud)) &&
           porta.setDataBits(static_cast<QSerialPort::DataBits>(c->bitsDados)) &&
           porta.setParity(kParidades[static_cast<int>(c->paridade)]) &&
           porta.setStopBits(kParadas[static_cast<int>(c->bitsParada)]) &&
           porta.setFlowControl(QSerialPort::NoFlowControl);
}

PortaSerialQt::PortaSerialQt(std::function<void()> processarEventos)
    : processarEventos_(std::move(processarEventos)) {
    QObject::connect(&porta_, &QSerialPort::errorOccurred, this,
                     [this](QSerialPort::SerialPortError e) { aoErro(e); });
    QObject::connect(&porta_, &QSerialPort::readyRead, this, [this] {
        guardarRecebido();
        if (aoEvento) aoEvento(2);
    });
}

bool PortaSerialQt::abrir(const std::string& dispositivo, const std::string& configuracao) {
    if (porta_.isOpen()) porta_.close();
    porta_.setPortName(QString::fromStdString(cp1252ParaUtf8(dispositivo)));
    if (!porta_.open(QIODevice::ReadWrite)) {
        erro_ = utf8ParaCp1252(porta_.errorString().toStdString());
        return false;
    }
    if (!aplicarConfiguracaoSerial(porta_, configuracao)) {
        erro_ = "Configuração da porta serial inválida: " + configuracao;
        porta_.close();
        return false;
    }
    erro_.clear();
    return true;
}

void PortaSerialQt::fechar() {
    if (porta_.isOpen()) porta_.close();
}

bool PortaSerialQt::aberta() const {
    return porta_.isOpen();
}

bool PortaSerialQt::escrever(const std::string& bytes) {
    if (!porta_.isOpen()) {
        erro_ = "A porta serial não está aberta.";
        return false;
    }
    const auto escritos = porta_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (escritos != static_cast<qint64>(bytes.size())) {
        erro_ = utf8ParaCp1252(porta_.errorString().toStdString());
        return false;
    }
    return true;
}

long long PortaSerialQt::bytesPendentes() {
    return porta_.isOpen() ? porta_.bytesToWrite() : 0;
}

void PortaSerialQt::aguardarEnvio(int ms) {
    if (porta_.isOpen()) porta_.waitForBytesWritten(ms);
    if (processarEventos_) processarEventos_();
}

// Kept for whoever asks the printer's state; a printer that talks unasked
// does not fill the memory.
void PortaSerialQt::guardarRecebido() {
    const QByteArray bytes = porta_.readAll();
    recebido_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (recebido_.size() > kLimiteRecebido) recebido_.erase(0, recebido_.size() - kLimiteRecebido);
}

std::string PortaSerialQt::ler(int ms) {
    if (recebido_.empty() && porta_.isOpen()) {
        if (porta_.bytesAvailable() > 0 || porta_.waitForReadyRead(ms)) guardarRecebido();
    }
    return std::exchange(recebido_, {});
}

void PortaSerialQt::aoErro(QSerialPort::SerialPortError erro) {
    // Qt folds the line errors of the old control into these; the codes are
    // the control's, so the window shows the same messages.
    int codigo = 0;
    switch (erro) {
        case QSerialPort::NoError:
            return;
        case QSerialPort::WriteError:
            codigo = 1010;
            break;
        case QSerialPort::ReadError:
            codigo = 1006;
            break;
        case QSerialPort::UnsupportedOperationError:
            codigo = 1011;
            break;
        default:
            return;
    }
    if (aoEvento) aoEvento(codigo);
}

}  // namespace etiquetas
