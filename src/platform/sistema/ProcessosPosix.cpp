#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "comum/Texto.h"
#include "platform/sistema/Processos.h"

extern char** environ;

namespace etiquetas {

namespace {

using Relogio = std::chrono::steady_clock;
constexpr int kFatiaMs = 20;
// After SIGTERM a script gets this long to clean up before SIGKILL.
constexpr auto kCarenciaTermino = std::chrono::milliseconds(1000);
// A process killed with SIGKILL is gone within this; past it we stop waiting.
constexpr auto kLimiteColeta = std::chrono::milliseconds(5000);

struct Tubo {
    int leitura = -1;
    int escrita = -1;
    ~Tubo() {
        fecharLeitura();
        fecharEscrita();
    }
    void fecharLeitura() {
        if (leitura >= 0) ::close(leitura);
        leitura = -1;
    }
    void fecharEscrita() {
        if (escrita >= 0) ::close(escrita);
        escrita = -1;
    }
};

// Reads what the pipe holds now. False once the writer side has closed.
bool lerDisponivel(int fd, detalhe::ErroPadraoLimitado& destino) {
    char bloco[4096];
    for (;;) {
        const ssize_t n = ::read(fd, bloco, sizeof bloco);
        if (n > 0) {
            destino.acrescentar(bloco, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0) return false;
        return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
    }
}

// Standard input leads nowhere, standard output to a file or nowhere;
// standard error goes to the pipe.
class AcoesFilho {
  public:
    AcoesFilho(int escritaErro, const std::string& saida, const std::string& erro) {
        posix_spawn_file_actions_init(&acoes_);
        posix_spawn_file_actions_addopen(&acoes_, 0, "/dev/null", O_RDONLY, 0);
        abrirEm(1, saida.empty() ? "/dev/null" : saida.c_str());
        if (erro.empty())
            posix_spawn_file_actions_adddup2(&acoes_, escritaErro, 2);
        else
            abrirEm(2, erro.c_str());
    }
    ~AcoesFilho() { posix_spawn_file_actions_destroy(&acoes_); }
    const posix_spawn_file_actions_t* get() const { return &acoes_; }

  private:
    void abrirEm(int fd, const char* caminho) {
        posix_spawn_file_actions_addopen(&acoes_, fd, caminho, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    posix_spawn_file_actions_t acoes_;
};

// Its own process group, so that a time-out reaches everything it started;
// default signal handling and no blocked signals, whatever the caller set.
class AtributosFilho {
  public:
    AtributosFilho() {
        posix_spawnattr_init(&atributos_);
        posix_spawnattr_setflags(
            &atributos_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawnattr_setpgroup(&atributos_, 0);
        sigset_t vazio;
        sigemptyset(&vazio);
        posix_spawnattr_setsigmask(&atributos_, &vazio);
        sigset_t padrao;
        sigemptyset(&padrao);
        for (int s : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGCHLD}) sigaddset(&padrao, s);
        posix_spawnattr_setsigdefault(&atributos_, &padrao);
    }
    ~AtributosFilho() { posix_spawnattr_destroy(&atributos_); }
    const posix_spawnattr_t* get() const { return &atributos_; }

  private:
    posix_spawnattr_t atributos_;
};

// Reaps the child if it has ended; its status goes to `status`.
bool terminou(pid_t pid, int& status) {
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) return true;
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) {  // not our child any more: nothing left to wait for
            status = -1;
            return true;
        }
        return false;
    }
}

bool aguardarTermino(pid_t pid, int& status, std::chrono::milliseconds prazo) {
    const auto fim = Relogio::now() + prazo;
    while (!terminou(pid, status)) {
        if (Relogio::now() >= fim) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// SIGTERM to the whole group, a short grace, then SIGKILL to whatever of the
// group is left (a grandchild may outlive the script), and reap the script.
void encerrarGrupo(pid_t pid, int& status) {
    ::kill(-pid, SIGTERM);
    const bool saiu = aguardarTermino(pid, status, kCarenciaTermino);
    ::kill(-pid, SIGKILL);
    if (!saiu) aguardarTermino(pid, status, kLimiteColeta);
}

int codigoDeSaida(int status) {
    if (status >= 0 && WIFEXITED(status)) return WEXITSTATUS(status);
    return -1;
}

}  // namespace

ResultadoProcesso executarProcesso(const std::string& programa,
                                   const std::vector<std::string>& argumentos,
                                   std::chrono::milliseconds limite, const SaidasProcesso& saidas) {
    ResultadoProcesso resultado;
    Tubo tubo;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        resultado.descricaoFalha = std::strerror(errno);
        return resultado;
    }
    tubo.leitura = fds[0];
    tubo.escrita = fds[1];

    std::vector<std::string> textos{programa};
    textos.insert(textos.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (const auto& t : textos) argv.push_back(const_cast<char*>(t.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    const std::string saida = saidas.saidaPadrao.string(),
                      erroEmArquivo = saidas.erroPadrao.string();
    const AcoesFilho acoes(tubo.escrita, saida, erroEmArquivo);
    const AtributosFilho atributos;
    const int erro =
        ::posix_spawnp(&pid, argv[0], acoes.get(), atributos.get(), argv.data(), environ);
    tubo.fecharEscrita();
    if (erro != 0) {
        resultado.descricaoFalha = utf8ParaCp1252(textos[0] + ": " + std::strerror(erro));
        return resultado;
    }
    resultado.iniciou = true;
    ::fcntl(tubo.leitura, F_SETFL, ::fcntl(tubo.leitura, F_GETFL) | O_NONBLOCK);

    detalhe::ErroPadraoLimitado erroPadrao;
    const auto prazo = Relogio::now() + limite;
    int status = -1;
    bool tuboAberto = true;
    // Once the script closed its standard error it is usually about to end:
    // short naps first, so that a run of many short jobs is not paced by
    // the slice.
    auto cochilo = std::chrono::milliseconds(1);
    while (!terminou(pid, status)) {
        if (Relogio::now() >= prazo) {
            encerrarGrupo(pid, status);
            resultado.excedeuLimite = true;
            break;
        }
        if (tuboAberto) {
            pollfd p{tubo.leitura, POLLIN, 0};
            ::poll(&p, 1, kFatiaMs);
            tuboAberto = lerDisponivel(tubo.leitura, erroPadrao);
        } else {
            std::this_thread::sleep_for(cochilo);
            cochilo = std::min(cochilo * 2, std::chrono::milliseconds(kFatiaMs));
        }
    }
    // What the script wrote just before it ended; a grandchild that keeps the
    // pipe open does not hold us here, the read does not block.
    if (tuboAberto) lerDisponivel(tubo.leitura, erroPadrao);
    resultado.codigoSaida = resultado.excedeuLimite ? -1 : codigoDeSaida(status);
    resultado.erroPadrao = utf8ParaCp1252(erroPadrao.texto());
    return resultado;
}

}  // namespace etiquetas
