#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "comum/Texto.h"
#include "platform/sistema/Rede.h"

namespace etiquetas {

namespace {

using Relogio = std::chrono::steady_clock;

int restanteMs(Relogio::time_point fim) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(fim - Relogio::now()).count();
    return ms < 0 ? 0 : static_cast<int>(ms);
}

// Waits for `eventos` until `fim`; false when the time ran out first.
bool aguardar(int fd, short eventos, Relogio::time_point fim) {
    for (;;) {
        pollfd p{fd, eventos, 0};
        const int n = ::poll(&p, 1, restanteMs(fim));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) return true;  // the call that follows says what failed
    }
}

// The reasons a worker meets at the bench, in Portuguese: the C library's own
// texts are English here (the program sets no locale).
std::string erroSistema(int codigo) {
    switch (codigo) {
        case ECONNREFUSED:
            return "conexão recusada";
        case ETIMEDOUT:
            return "tempo esgotado";
        case EHOSTUNREACH:
            return "o endereço não pode ser alcançado";
        case ENETUNREACH:
            return "a rede não pode ser alcançada";
        case ECONNRESET:
            return "a impressora desfez a conexão";
        case EPIPE:
            return "a impressora fechou a conexão";
        default:
            return utf8ParaCp1252(std::strerror(codigo));
    }
}

std::string erroNome(int codigo) {
    switch (codigo) {
        case EAI_NONAME:
            return "nome ou endereço desconhecido";
        case EAI_AGAIN:
            return "o nome não pôde ser consultado agora";
        default:
            return utf8ParaCp1252(::gai_strerror(codigo));
    }
}

class ConexaoPosix : public ConexaoRede {
  public:
    explicit ConexaoPosix(int fd) : fd_(fd) {}
    ~ConexaoPosix() override { ::close(fd_); }
    ConexaoPosix(const ConexaoPosix&) = delete;
    ConexaoPosix& operator=(const ConexaoPosix&) = delete;

    bool escrever(const std::string& bytes, std::chrono::milliseconds limite) override {
        const auto fim = Relogio::now() + limite;
        std::size_t enviados = 0;
        while (enviados < bytes.size()) {
            const ssize_t n =
                ::send(fd_, bytes.data() + enviados, bytes.size() - enviados, MSG_NOSIGNAL);
            if (n >= 0) {
                enviados += static_cast<std::size_t>(n);
                continue;
            }
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) return falhar(erroSistema(errno));
            if (!aguardar(fd_, POLLOUT, fim))
                return falhar("a impressora não recebeu os dados em " +
                              std::to_string(limite.count() / 1000) + " segundos");
        }
        return true;
    }

    std::string ler(std::chrono::milliseconds limite) override {
        if (!aguardar(fd_, POLLIN, Relogio::now() + limite)) return {};
        char bloco[4096];
        for (;;) {
            const ssize_t n = ::recv(fd_, bloco, sizeof bloco, 0);
            if (n > 0) return std::string(bloco, static_cast<std::size_t>(n));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) erro_ = erroSistema(errno);
            if (n == 0) erro_ = "a impressora fechou a conexão";
            return {};
        }
    }

    std::string ultimoErro() const override { return erro_; }

  private:
    bool falhar(std::string motivo) {
        erro_ = std::move(motivo);
        return false;
    }

    int fd_;
    std::string erro_;
};

// Connects one address without blocking past `fim`; the socket or -1.
int conectarEndereco(const addrinfo& a, Relogio::time_point fim, std::string& erro) {
    const int fd = ::socket(a.ai_family, a.ai_socktype | SOCK_CLOEXEC, a.ai_protocol);
    if (fd < 0) {
        erro = erroSistema(errno);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    int codigo = 0;
    if (::connect(fd, a.ai_addr, a.ai_addrlen) != 0) {
        codigo = errno;
        if (codigo == EINPROGRESS) {
            if (!aguardar(fd, POLLOUT, fim)) {
                codigo = ETIMEDOUT;
            } else {
                socklen_t tamanho = sizeof codigo;
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &codigo, &tamanho);
            }
        }
    }
    if (codigo == 0) return fd;
    erro = erroSistema(codigo);
    ::close(fd);
    return -1;
}

}  // namespace

ResultadoConexao conectarTcp(const std::string& servidor, int porta,
                             std::chrono::milliseconds limite) {
    const auto fim = Relogio::now() + limite;
    addrinfo dicas{};
    dicas.ai_family = AF_UNSPEC;
    dicas.ai_socktype = SOCK_STREAM;
    addrinfo* enderecos = nullptr;
    const int r =
        ::getaddrinfo(servidor.c_str(), std::to_string(porta).c_str(), &dicas, &enderecos);
    if (r != 0) return {nullptr, erroNome(r)};
    ResultadoConexao resultado;
    for (const addrinfo* a = enderecos; a; a = a->ai_next) {
        const int fd = conectarEndereco(*a, fim, resultado.erro);
        if (fd >= 0) {
            resultado.conexao = std::make_unique<ConexaoPosix>(fd);
            resultado.erro.clear();
            break;
        }
    }
    ::freeaddrinfo(enderecos);
    return resultado;
}

}  // namespace etiquetas
