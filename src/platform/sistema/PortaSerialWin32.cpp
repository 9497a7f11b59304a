#include "platform/sistema/PortaSerialWin32.h"

#include <windows.h>

#include <algorithm>

#include "comum/Texto.h"
#include "platform/sistema/ConfiguracaoSerial.h"
#include "platform/sistema/Win32Texto.h"

namespace etiquetas {

namespace {

// A write that the line cannot take (flow control held, cable pulled) ends
// with an error instead of waiting forever: 30 s plus 10 ms a byte, far
// beyond what 1200 baud needs.
constexpr DWORD kEscritaConstanteMs = 30000;
constexpr DWORD kEscritaPorByteMs = 10;

bool aplicar(HANDLE porta, const ConfiguracaoSerial& c) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(porta, &dcb)) return false;
    static constexpr BYTE kParidades[] = {NOPARITY, EVENPARITY, ODDPARITY, MARKPARITY, SPACEPARITY};
    static constexpr BYTE kParadas[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};
    dcb.BaudRate = static_cast<DWORD>(c.baud);
    dcb.ByteSize = static_cast<BYTE>(c.bitsDados);
    dcb.Parity = kParidades[static_cast<int>(c.paridade)];
    dcb.StopBits = kParadas[static_cast<int>(c.bitsParada)];
    dcb.fBinary = TRUE;
    dcb.fParity = c.paridade != Paridade::Nenhuma;
    // No flow control, as the serial control was set.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    if (!SetCommState(porta, &dcb)) return false;
    COMMTIMEOUTS tempos{};
    tempos.ReadIntervalTimeout = MAXDWORD;  // reads return at once
    tempos.WriteTotalTimeoutConstant = kEscritaConstanteMs;
    tempos.WriteTotalTimeoutMultiplier = kEscritaPorByteMs;
    return SetCommTimeouts(porta, &tempos);
}

}  // namespace

std::string nomeDispositivoWin32(const std::string& dispositivo) {
    if (dispositivo.rfind("\\\\", 0) == 0 || dispositivo.find_first_of(":\\/") != std::string::npos)
        return dispositivo;
    return "\\\\.\\" + dispositivo;
}

struct PortaSerialWin32::Estado {
    HANDLE porta = INVALID_HANDLE_VALUE;
    OVERLAPPED escrita{};
    std::string buffer;  // what the write in progress sends; alive until it ends
    bool escrevendo = false;
};

PortaSerialWin32::PortaSerialWin32() : estado_(std::make_unique<Estado>()) {
    estado_->escrita.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

PortaSerialWin32::~PortaSerialWin32() {
    fechar();
    if (estado_->escrita.hEvent) CloseHandle(estado_->escrita.hEvent);
}

bool PortaSerialWin32::abrir(const std::string& dispositivo, const std::string& configuracao) {
    fechar();
    const auto config = interpretarConfiguracaoSerial(configuracao);
    if (!config) {
        erro_ = "Configuração da porta serial inválida: " + configuracao;
        return false;
    }
    const std::wstring nome = win32::larga(nomeDispositivoWin32(dispositivo));
    HANDLE porta = CreateFileW(nome.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (porta == INVALID_HANDLE_VALUE) {
        erro_ = dispositivo + ": " + win32::descricaoErro(GetLastError());
        return false;
    }
    if (!aplicar(porta, *config)) {
        erro_ = "Configuração da porta serial inválida: " + configuracao + " (" +
                win32::descricaoErro(GetLastError()) + ")";
        CloseHandle(porta);
        return false;
    }
    estado_->porta = porta;
    erro_.clear();
    return true;
}

void PortaSerialWin32::fechar() {
    if (!aberta()) return;
    if (estado_->escrevendo) {
        CancelIo(estado_->porta);
        concluirEscrita(true);
    }
    CloseHandle(estado_->porta);
    estado_->porta = INVALID_HANDLE_VALUE;
}

bool PortaSerialWin32::aberta() const {
    return estado_->porta != INVALID_HANDLE_VALUE;
}

bool PortaSerialWin32::escrever(const std::string& bytes) {
    if (!aberta()) {
        erro_ = "A porta serial não está aberta.";
        return false;
    }
    // One write at a time: the next waits for the one before.
    if (estado_->escrevendo) concluirEscrita(true);
    estado_->buffer = bytes;
    ResetEvent(estado_->escrita.hEvent);
    estado_->escrita.Offset = estado_->escrita.OffsetHigh = 0;
    if (WriteFile(estado_->porta, estado_->buffer.data(),
                  static_cast<DWORD>(estado_->buffer.size()), nullptr, &estado_->escrita))
        return true;
    if (GetLastError() == ERROR_IO_PENDING) {
        estado_->escrevendo = true;
        return true;
    }
    erro_ = win32::descricaoErro(GetLastError());
    return false;
}

void PortaSerialWin32::concluirEscrita(bool esperar) {
    DWORD escritos = 0;
    if (GetOverlappedResult(estado_->porta, &estado_->escrita, &escritos, esperar)) {
        estado_->escrevendo = false;
        return;
    }
    const DWORD erro = GetLastError();
    if (erro == ERROR_IO_INCOMPLETE) return;
    estado_->escrevendo = false;
    erro_ = win32::descricaoErro(erro);
    if (aoEvento) aoEvento(1010);  // the control's "send error"
}

long long PortaSerialWin32::bytesPendentes() {
    if (!aberta()) return 0;
    if (estado_->escrevendo) concluirEscrita(false);
    DWORD erros = 0;
    COMSTAT estado{};
    const long long naFila = ClearCommError(estado_->porta, &erros, &estado) ? estado.cbOutQue : 0;
    if (estado_->escrevendo)
        return std::max<long long>(naFila, static_cast<long long>(estado_->buffer.size()));
    return naFila;
}

void PortaSerialWin32::aguardarEnvio(int ms) {
    if (aberta() && estado_->escrevendo)
        WaitForSingleObject(estado_->escrita.hEvent, static_cast<DWORD>(ms));
    else if (aberta())
        Sleep(static_cast<DWORD>(ms < 20 ? ms : 20));
}

}  // namespace etiquetas

namespace etiquetas {

// Reads return at once (ReadIntervalTimeout): the wait is ours, in slices.
std::string PortaSerialWin32::ler(int ms) {
    const auto fim = GetTickCount64() + static_cast<ULONGLONG>(ms < 0 ? 0 : ms);
    while (aberta()) {
        char bloco[4096];
        OVERLAPPED leitura{};
        leitura.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        DWORD lidos = 0;
        if (!ReadFile(estado_->porta, bloco, sizeof bloco, nullptr, &leitura) &&
            GetLastError() != ERROR_IO_PENDING) {
            const DWORD codigo = GetLastError();
            CloseHandle(leitura.hEvent);
            erro_ = win32::descricaoErro(codigo);
            return {};
        }
        const bool leu = GetOverlappedResult(estado_->porta, &leitura, &lidos, TRUE);
        CloseHandle(leitura.hEvent);
        if (leu && lidos > 0) return std::string(bloco, lidos);
        if (GetTickCount64() >= fim) break;
        Sleep(20);
    }
    return {};
}

}  // namespace etiquetas
