#include <windows.h>

#include "comum/Texto.h"
#include "platform/sistema/ArgumentosLote.h"
#include "platform/sistema/Processos.h"
#include "platform/sistema/Win32Texto.h"

namespace etiquetas {

namespace {

using Relogio = std::chrono::steady_clock;
constexpr DWORD kFatiaMs = 20;
// A terminated job is gone within this; past it we stop waiting.
constexpr DWORD kLimiteColetaMs = 5000;

class Alca {
  public:
    explicit Alca(HANDLE h = nullptr) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    Alca(const Alca&) = delete;
    Alca& operator=(const Alca&) = delete;
    ~Alca() { fechar(); }
    void fechar() {
        if (h_) CloseHandle(h_);
        h_ = nullptr;
    }
    HANDLE get() const { return h_; }
    HANDLE* endereco() { return &h_; }

  private:
    HANDLE h_;
};

bool eArquivoDeLote(const std::string& programa) {
    const std::string nome = minusculas(programa);
    auto terminaCom = [&](const std::string& fim) {
        return nome.size() >= fim.size() &&
               nome.compare(nome.size() - fim.size(), fim.size(), fim) == 0;
    };
    return terminaCom(".bat") || terminaCom(".cmd");
}

std::wstring interpretadorDeComandos() {
    wchar_t pasta[MAX_PATH];
    const UINT n = GetSystemDirectoryW(pasta, MAX_PATH);
    return std::wstring(pasta, n) + L"\\cmd.exe";
}

void lerDisponivel(HANDLE leitura, detalhe::ErroPadraoLimitado& destino) {
    char bloco[4096];
    for (;;) {
        DWORD disponivel = 0;
        if (!PeekNamedPipe(leitura, nullptr, 0, nullptr, &disponivel, nullptr) || disponivel == 0)
            return;
        DWORD lidos = 0;
        const DWORD pedir = disponivel < sizeof bloco ? disponivel : sizeof bloco;
        if (!ReadFile(leitura, bloco, pedir, &lidos, nullptr) || lidos == 0) return;
        destino.acrescentar(bloco, lidos);
    }
}

struct Preparo {
    std::wstring aplicacao;  // empty: the first word of the line names it
    std::wstring linha;
    std::string recusa;  // why it must not start
};

Preparo preparar(const std::string& programa, const std::vector<std::string>& argumentos) {
    Preparo preparo;
    if (!eArquivoDeLote(programa)) {
        preparo.linha = win32::largaDeUtf8(detalhe::linhaDeComandoWindows(programa, argumentos));
        return preparo;
    }
    const auto lote = detalhe::linhaDeComandoLote(programa, argumentos);
    if (!lote.recusa.empty()) {
        preparo.recusa = lote.recusa;
        return preparo;
    }
    // cmd explicitly, without AutoRun (/d), the outer quotes taken off (/s).
    preparo.aplicacao = interpretadorDeComandos();
    preparo.linha = L"cmd.exe /d /s /c \"" + win32::largaDeUtf8(lote.linha) + L"\"";
    return preparo;
}

// A start the system refused for want of resources (seen under load as an
// "internal error") is tried again: nothing ran, so nothing is sent twice.
bool falhaPassageira(DWORD erro) {
    return erro == ERROR_INTERNAL_ERROR || erro == ERROR_NOT_ENOUGH_MEMORY ||
           erro == ERROR_OUTOFMEMORY || erro == ERROR_NO_SYSTEM_RESOURCES ||
           erro == ERROR_COMMITMENT_LIMIT;
}

DWORD criarProcesso(Preparo& preparo, STARTUPINFOW& inicio, PROCESS_INFORMATION& info) {
    constexpr int kTentativas = 4;
    DWORD erro = ERROR_SUCCESS;
    for (int tentativa = 0; tentativa < kTentativas; ++tentativa) {
        if (tentativa > 0) Sleep(100 * tentativa);
        if (CreateProcessW(preparo.aplicacao.empty() ? nullptr : preparo.aplicacao.c_str(),
                           preparo.linha.data(), nullptr, nullptr, TRUE,
                           CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &inicio, &info))
            return ERROR_SUCCESS;
        erro = GetLastError();
        if (!falhaPassageira(erro)) break;
    }
    return erro;
}

}  // namespace

ResultadoProcesso executarProcesso(const std::string& programa,
                                   const std::vector<std::string>& argumentos,
                                   std::chrono::milliseconds limite, const SaidasProcesso& saidas) {
    ResultadoProcesso resultado;
    Preparo preparo = preparar(programa, argumentos);
    if (!preparo.recusa.empty()) {
        resultado.descricaoFalha = preparo.recusa;
        return resultado;
    }

    SECURITY_ATTRIBUTES herdavel{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Alca leitura, escrita;
    if (!CreatePipe(leitura.endereco(), escrita.endereco(), &herdavel, 0)) {
        resultado.descricaoFalha = win32::descricaoErro(GetLastError());
        return resultado;
    }
    SetHandleInformation(leitura.get(), HANDLE_FLAG_INHERIT, 0);
    Alca nulo(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          &herdavel, OPEN_EXISTING, 0, nullptr));

    auto arquivo = [&](const std::filesystem::path& caminho) {
        return caminho.empty() ? nullptr
                               : CreateFileW(caminho.wstring().c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, &herdavel,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    Alca saida(arquivo(saidas.saidaPadrao)), erroEmArquivo(arquivo(saidas.erroPadrao));

    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    inicio.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    inicio.wShowWindow = SW_HIDE;
    inicio.hStdInput = nulo.get();
    inicio.hStdOutput = saida.get() ? saida.get() : nulo.get();
    inicio.hStdError = erroEmArquivo.get() ? erroEmArquivo.get() : escrita.get();
    PROCESS_INFORMATION info{};
    if (const DWORD erro = criarProcesso(preparo, inicio, info); erro != ERROR_SUCCESS) {
        resultado.descricaoFalha = win32::descricaoErro(erro);
        return resultado;
    }
    Alca processo(info.hProcess), linhaExecucao(info.hThread);
    escrita.fechar();
    saida.fechar();
    erroEmArquivo.fechar();
    // Everything the program starts joins the job, so a time-out ends it all.
    Alca trabalho(CreateJobObjectW(nullptr, nullptr));
    const bool noTrabalho =
        trabalho.get() && AssignProcessToJobObject(trabalho.get(), processo.get());
    ResumeThread(linhaExecucao.get());
    resultado.iniciou = true;

    detalhe::ErroPadraoLimitado erroPadrao;
    const auto prazo = Relogio::now() + limite;
    for (;;) {
        const DWORD espera = WaitForSingleObject(processo.get(), kFatiaMs);
        lerDisponivel(leitura.get(), erroPadrao);
        if (espera != WAIT_TIMEOUT) break;
        if (Relogio::now() >= prazo) {
            if (noTrabalho)
                TerminateJobObject(trabalho.get(), 1);
            else
                TerminateProcess(processo.get(), 1);
            WaitForSingleObject(processo.get(), kLimiteColetaMs);
            resultado.excedeuLimite = true;
            break;
        }
    }
    DWORD codigo = 0;
    resultado.codigoSaida = !resultado.excedeuLimite && GetExitCodeProcess(processo.get(), &codigo)
                                ? static_cast<int>(codigo)
                                : -1;
    resultado.erroPadrao = win32::oemParaCp1252(erroPadrao.texto());
    return resultado;
}

}  // namespace etiquetas
