#pragma once

#include <QObject>
#include <QSerialPort>
#include <functional>

#include "platform/Plataforma.h"

namespace etiquetas {

// The window's serial port over QSerialPort. Line errors arrive as the
// serial control's event codes.
class PortaSerialQt : public QObject, public PortaSerial {
    Q_OBJECT

  public:
    explicit PortaSerialQt(std::function<void()> processarEventos = {});
    bool abrir(const std::string& dispositivo, const std::string& configuracao) override;
    void fechar() override;
    bool aberta() const override;
    bool escrever(const std::string& bytes) override;
    long long bytesPendentes() override;
    void aguardarEnvio(int ms) override;
    std::string ultimoErro() const override { return erro_; }
    std::string ler(int ms) override;

  private:
    void aoErro(QSerialPort::SerialPortError erro);
    void guardarRecebido();

    QSerialPort porta_;
    std::function<void()> processarEventos_;
    std::string erro_;
    std::string recebido_;  // the printer's answers not yet read
};

// "9600,N,8,1" applied to a port; false when a value is not understood.
bool aplicarConfiguracaoSerial(QSerialPort& porta, const std::string& configuracao);

}  // namespace etiquetas
