#include "output/TravaImpressao.h"

#include <chrono>
#include <ctime>

#include "comum/Arquivos.h"
#include "comum/Texto.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTamanhoOcupante = 200;

std::string momentoAtual() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm* local = std::localtime(&t);
    char texto[32] = {};
    if (local) std::strftime(texto, sizeof texto, "%d/%m/%Y %H:%M:%S", local);
    return texto;
}

#ifdef _WIN32
fs::path executavel() {
    std::wstring nome(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    nome.resize(n);
    return nome;
}
unsigned long processoAtual() {
    return GetCurrentProcessId();
}
#else
fs::path executavel() {
    std::error_code erro;
    auto caminho = fs::read_symlink("/proc/self/exe", erro);
    return erro ? fs::path() : caminho;
}
unsigned long processoAtual() {
    return static_cast<unsigned long>(::getpid());
}
#endif

// What a waiting run shows of the holder: which program, which process, since when.
std::string descricaoDesteProcesso() {
    const std::string programa = textoDoCaminho(executavel().stem());
    return (programa.empty() ? "" : programa + ", ") + "processo " +
           std::to_string(processoAtual()) + ", desde " + momentoAtual();
}

}  // namespace

#ifdef _WIN32
// The lock covers a byte far past the holder's line, so that others can
// still read who holds it.
struct TravaImpressao::Sistema {
    HANDLE arquivo = INVALID_HANDLE_VALUE;

    static OVERLAPPED regiao() {
        OVERLAPPED o{};
        o.OffsetHigh = 1;
        return o;
    }
    // nullptr: another holds it.
    static std::unique_ptr<Sistema> travar(const fs::path& caminho) {
        auto s = std::make_unique<Sistema>();
        const DWORD acessos[] = {GENERIC_READ | GENERIC_WRITE, GENERIC_READ};
        for (const DWORD acesso : acessos) {
            s->arquivo = CreateFileW(caminho.c_str(), acesso,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (s->arquivo != INVALID_HANDLE_VALUE) break;
        }
        if (s->arquivo == INVALID_HANDLE_VALUE) return s;
        OVERLAPPED o = regiao();
        if (LockFileEx(s->arquivo, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &o))
            return s;
        const DWORD erro = GetLastError();
        CloseHandle(s->arquivo);
        s->arquivo = INVALID_HANDLE_VALUE;
        if (erro == ERROR_LOCK_VIOLATION || erro == ERROR_IO_PENDING) return nullptr;
        return s;
    }
    void anotar(const std::string& texto) {
        if (arquivo == INVALID_HANDLE_VALUE) return;
        DWORD escritos = 0;
        SetFilePointer(arquivo, 0, nullptr, FILE_BEGIN);
        WriteFile(arquivo, texto.data(), static_cast<DWORD>(texto.size()), &escritos, nullptr);
        SetEndOfFile(arquivo);
    }
    ~Sistema() {
        if (arquivo == INVALID_HANDLE_VALUE) return;
        SetFilePointer(arquivo, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(arquivo);
        OVERLAPPED o = regiao();
        UnlockFileEx(arquivo, 0, 1, 0, &o);
        CloseHandle(arquivo);
    }
};
#else
// flock belongs to the open file, not the process: two runs of one process
// exclude each other too, and with O_CLOEXEC a print script never inherits it.
struct TravaImpressao::Sistema {
    int arquivo = -1;

    // nullptr: another holds it.
    static std::unique_ptr<Sistema> travar(const fs::path& caminho) {
        auto s = std::make_unique<Sistema>();
        // Read-only is enough to lock: a file another user created still serves.
        for (int modo : {O_RDWR, O_RDONLY}) {
            s->arquivo = ::open(caminho.c_str(), modo | O_CREAT | O_CLOEXEC, 0666);
            if (s->arquivo >= 0) break;
        }
        if (s->arquivo < 0) return s;
        int r;
        while ((r = ::flock(s->arquivo, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
        }
        if (r == 0) return s;
        const int erro = errno;
        ::close(s->arquivo);
        s->arquivo = -1;
        if (erro == EWOULDBLOCK) return nullptr;
        return s;
    }
    void anotar(const std::string& texto) {
        if (arquivo < 0 || ::ftruncate(arquivo, 0) != 0) return;
        [[maybe_unused]] const auto n = ::pwrite(arquivo, texto.data(), texto.size(), 0);
    }
    ~Sistema() {
        if (arquivo < 0) return;
        [[maybe_unused]] const int r = ::ftruncate(arquivo, 0);
        ::close(arquivo);
    }
};
#endif

TravaImpressao::TravaImpressao(std::unique_ptr<Sistema> sistema) : sistema_(std::move(sistema)) {}
TravaImpressao::TravaImpressao(TravaImpressao&&) noexcept = default;
TravaImpressao& TravaImpressao::operator=(TravaImpressao&&) noexcept = default;
TravaImpressao::~TravaImpressao() = default;

std::optional<TravaImpressao> TravaImpressao::tentar(const fs::path& pasta, std::string_view nome) {
    auto sistema = Sistema::travar(caminhoNaPasta(pasta, nome));
    if (!sistema) return std::nullopt;
    sistema->anotar(descricaoDesteProcesso());
    return TravaImpressao(std::move(sistema));
}

std::string TravaImpressao::ocupante(const fs::path& pasta, std::string_view nome) {
    const std::string texto = lerArquivo(caminhoNaPasta(pasta, nome), kLimiteIni).value_or("");
    std::string limpo;
    for (char c : texto.substr(0, kTamanhoOcupante)) {
        if (c == '\r' || c == '\n') break;
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) limpo += c;
    }
    return aparar(limpo);
}

}  // namespace etiquetas
