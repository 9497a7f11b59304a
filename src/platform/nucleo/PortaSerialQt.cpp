#include "platform/nucleo/PortaSerialQt.h"

#include <sstream>
#include <vector>

#include "comum/Texto.h"

namespace etiquetas {

namespace {

std::vector<std::string> dividir(const std::string& texto, char separador) {
    std::vector<std::string> partes;
    std::stringstream fluxo(texto);
    std::string parte;
    while (std::getline(fluxo, parte, separador)) partes.push_back(aparar(parte));
    return partes;
}

bool paridade(const std::string& p, QSerialPort::Parity& saida) {
    const std::string m = maiusculas(p);
    if (m == "N")
        saida = QSerialPort::NoParity;
    else if (m == "E")
        saida = QSerialPort::EvenParity;
    else if (m == "O")
        saida = QSerialPort::OddParity;
    else if (m == "M")
        saida = QSerialPort::MarkParity;
    else if (m == "S")
        saida = QSerialPort::SpaceParity;
    else
        return false;
    return true;
}

bool bitsParada(const std::string& p, QSerialPort::StopBits& saida) {
    if (p == "1")
        saida = QSerialPort::OneStop;
    else if (p == "1.5" || p == "1,5")
        saida = QSerialPort::OneAndHalfStop;
    else if (p == "2")
        saida = QSerialPort::TwoStop;
    else
        return false;
    return true;
}

}  // namespace

bool aplicarConfiguracaoSerial(QSerialPort& porta, const std::string& configuracao) {
    const auto partes = dividir(configuracao, ',');
    if (partes.size() != 4) return false;
    const auto baud = valorInteiro(partes[0]);
    const auto dados = valorInteiro(partes[2]);
    QSerialPort::Parity p{};
    QSerialPort::StopBits s{};
    if (!baud || *baud <= 0 || *baud > 4'000'000 || !dados || *dados < 5 || *dados > 8 ||
        !paridade(partes[1], p) || !bitsParada(partes[3], s))
        return false;
    return porta.setBaudRate(static_cast<qint32>(*baud)) &&
           porta.setDataBits(static_cast<QSerialPort::DataBits>(*dados)) && porta.setParity(p) &&
           porta.setStopBits(s) && porta.setFlowControl(QSerialPort::NoFlowControl);
}

PortaSerialQt::PortaSerialQt(std::function<void()> processarEventos)
    : processarEventos_(std::move(processarEventos)) {
    QObject::connect(&porta_, &QSerialPort::errorOccurred, this,
                     [this](QSerialPort::SerialPortError e) { aoErro(e); });
    QObject::connect(&porta_, &QSerialPort::readyRead, this, [this] {
        porta_.readAll();  // the printer's answers are not read
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
