#pragma once

// The window's serial port on Windows without a toolkit: CreateFileW,
// SetCommState, an overlapped WriteFile, ClearCommError for the bytes still
// queued in the driver.

#include <functional>
#include <memory>
#include <string>

#include "platform/Plataforma.h"

namespace etiquetas {

class PortaSerialWin32 : public PortaSerial {
  public:
    PortaSerialWin32();
    ~PortaSerialWin32() override;
    bool abrir(const std::string& dispositivo, const std::string& configuracao) override;
    void fechar() override;
    bool aberta() const override;
    bool escrever(const std::string& bytes) override;
    long long bytesPendentes() override;
    void aguardarEnvio(int ms) override;
    std::string ultimoErro() const override { return erro_; }
    std::string ler(int ms) override;

  private:
    struct Estado;
    void concluirEscrita(bool esperar);

    std::unique_ptr<Estado> estado_;
    std::string erro_;
};

// "COM1" and the like as CreateFileW opens them: "\\.\COM1" (required from
// COM10 on); a name that already names a device or a path stays as it is.
std::string nomeDispositivoWin32(const std::string& dispositivo);

}  // namespace etiquetas
