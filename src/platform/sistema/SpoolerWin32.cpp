#include "platform/sistema/Spooler.h"

#include <windows.h>
#include <winspool.h>

#include <thread>
#include <vector>

#include "platform/sistema/Win32Texto.h"

namespace etiquetas {

namespace {

constexpr auto kIntervaloConsulta = std::chrono::milliseconds(100);

class Impressora {
  public:
    explicit Impressora(const std::string& nome) {
        std::wstring largo = win32::larga(nome);
        PRINTER_DEFAULTSW padrao{nullptr, nullptr, PRINTER_ACCESS_USE};
        if (!OpenPrinterW(largo.data(), &h_, &padrao)) h_ = nullptr;
    }
    ~Impressora() {
        if (h_) ClosePrinter(h_);
    }
    Impressora(const Impressora&) = delete;
    Impressora& operator=(const Impressora&) = delete;
    HANDLE h() const { return h_; }

  private:
    HANDLE h_ = nullptr;
};

std::string ultimoErro() {
    return win32::descricaoErro(GetLastError());
}

template <class Info>
std::vector<BYTE> consultar(auto&& obter) {
    DWORD necessario = 0;
    obter(nullptr, 0, &necessario);
    std::vector<BYTE> dados(necessario < sizeof(Info) ? sizeof(Info) : necessario);
    if (!obter(dados.data(), static_cast<DWORD>(dados.size()), &necessario)) return {};
    return dados;
}

// Why the queue would hold the job instead of printing it, or "".
std::string impedimentoDaFila(HANDLE h) {
    const auto dados = consultar<PRINTER_INFO_2W>(
        [h](BYTE* d, DWORD n, DWORD* necessario) { return GetPrinterW(h, 2, d, n, necessario); });
    if (dados.empty()) return {};
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(dados.data());
    if (info->Status & PRINTER_STATUS_PAUSED) return "a impressora está pausada no Windows.";
    if ((info->Status & PRINTER_STATUS_OFFLINE) ||
        (info->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE))
        return "o Windows indica a impressora desconectada (offline).";
    if (info->Status & PRINTER_STATUS_PAPER_OUT) return "o Windows indica falta de papel.";
    if (info->Status & PRINTER_STATUS_ERROR) return "o Windows indica erro na impressora.";
    return {};
}

bool gravarDocumento(HANDLE h, const std::string& documento, const std::string& bytes,
                     DWORD& trabalho, std::string& motivo) {
    std::wstring nome = win32::larga(documento);
    std::wstring tipo = L"RAW";
    DOC_INFO_1W info{nome.data(), nullptr, tipo.data()};
    trabalho = StartDocPrinterW(h, 1, reinterpret_cast<BYTE*>(&info));
    if (trabalho == 0) {
        motivo = "o Windows recusou o documento: " + ultimoErro();
        return false;
    }
    bool ok = StartPagePrinter(h);
    for (std::size_t feito = 0; ok && feito < bytes.size();) {
        DWORD escritos = 0;
        const auto resto = static_cast<DWORD>(bytes.size() - feito);
        ok = WritePrinter(h, const_cast<char*>(bytes.data() + feito), resto, &escritos) &&
             escritos > 0;
        feito += escritos;
    }
    if (!ok) motivo = "o Windows não aceitou os dados: " + ultimoErro();
    EndPagePrinter(h);
    EndDocPrinter(h);
    return ok;
}

// The job's state: gone (or printed) is delivered; stopped on an error is not.
enum class EstadoTrabalho { NaFila, Entregue, Parado };
EstadoTrabalho estadoDoTrabalho(HANDLE h, DWORD trabalho, std::string& motivo) {
    const auto dados = consultar<JOB_INFO_1W>([h, trabalho](BYTE* d, DWORD n, DWORD* necessario) {
        return GetJobW(h, trabalho, 1, d, n, necessario);
    });
    if (dados.empty()) return EstadoTrabalho::Entregue;  // no longer in the queue
    const DWORD status = reinterpret_cast<const JOB_INFO_1W*>(dados.data())->Status;
    if (status & (JOB_STATUS_PRINTED | JOB_STATUS_COMPLETE)) return EstadoTrabalho::Entregue;
    if (status & JOB_STATUS_PAPEROUT)
        motivo = "falta de papel.";
    else if (status & JOB_STATUS_OFFLINE)
        motivo = "a impressora está desconectada (offline).";
    else if (status & (JOB_STATUS_ERROR | JOB_STATUS_USER_INTERVENTION | JOB_STATUS_BLOCKED_DEVQ))
        motivo = "o Windows parou o trabalho com erro.";
    else if (status & (JOB_STATUS_DELETING | JOB_STATUS_DELETED))
        motivo = "o trabalho foi cancelado na fila do Windows.";
    return motivo.empty() ? EstadoTrabalho::NaFila : EstadoTrabalho::Parado;
}

}  // namespace

bool impressoraNoSpooler(const std::string& nome) {
    return !nome.empty() && Impressora(nome).h() != nullptr;
}

ResultadoSpooler enviarRawAoSpooler(const std::string& impressora, const std::string& documento,
                                    const std::string& bytes, std::chrono::milliseconds limite) {
    Impressora fila(impressora);
    if (!fila.h()) return {false, "a impressora não foi encontrada no Windows: " + ultimoErro()};
    if (auto impedimento = impedimentoDaFila(fila.h()); !impedimento.empty())
        return {false, impedimento};
    DWORD trabalho = 0;
    std::string motivo;
    if (!gravarDocumento(fila.h(), documento, bytes, trabalho, motivo)) {
        if (trabalho != 0) SetJobW(fila.h(), trabalho, 0, nullptr, JOB_CONTROL_DELETE);
        return {false, motivo};
    }
    const auto fim = std::chrono::steady_clock::now() + limite;
    for (;;) {
        const auto estado = estadoDoTrabalho(fila.h(), trabalho, motivo);
        if (estado == EstadoTrabalho::Entregue) return {true, {}};
        if (estado == EstadoTrabalho::Parado) break;
        if (std::chrono::steady_clock::now() >= fim) {
            motivo =
                "o trabalho não saiu da fila do Windows em " +
                std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limite).count()) +
                " segundos e foi cancelado.";
            break;
        }
        std::this_thread::sleep_for(kIntervaloConsulta);
    }
    // A job left behind would print whenever the queue clears, after the
    // worker has been told it failed.
    SetJobW(fila.h(), trabalho, 0, nullptr, JOB_CONTROL_DELETE);
    return {false, motivo};
}

}  // namespace etiquetas
