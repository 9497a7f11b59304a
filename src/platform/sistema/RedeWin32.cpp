#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <memory>

#include "platform/sistema/Rede.h"
#include "platform/sistema/Win32Texto.h"

namespace etiquetas {

namespace {

using Relogio = std::chrono::steady_clock;

// Winsock is started once for the program's life.
bool iniciarWinsock() {
    static const bool iniciado = [] {
        WSADATA dados;
        return WSAStartup(MAKEWORD(2, 2), &dados) == 0;
    }();
    return iniciado;
}

timeval restante(Relogio::time_point fim) {
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(fim - Relogio::now()).count();
    if (us < 0) us = 0;
    return {static_cast<long>(us / 1000000), static_cast<long>(us % 1000000)};
}

// select, not WSAPoll: older WSAPoll never reports a refused connect.
// False when the time ran out first.
bool aguardar(SOCKET s, bool escrita, Relogio::time_point fim) {
    fd_set conjunto, falhas;
    FD_ZERO(&conjunto);
    FD_ZERO(&falhas);
    FD_SET(s, &conjunto);
    FD_SET(s, &falhas);
    timeval t = restante(fim);
    return select(0, escrita ? nullptr : &conjunto, escrita ? &conjunto : nullptr, &falhas, &t) !=
           0;
}

std::string erroSocket(int codigo) {
    return win32::descricaoErro(static_cast<unsigned long>(codigo));
}

class ConexaoWin32 : public ConexaoRede {
  public:
    explicit ConexaoWin32(SOCKET s) : s_(s) {}
    ~ConexaoWin32() override { closesocket(s_); }
    ConexaoWin32(const ConexaoWin32&) = delete;
    ConexaoWin32& operator=(const ConexaoWin32&) = delete;

    bool escrever(const std::string& bytes, std::chrono::milliseconds limite) override {
        const auto fim = Relogio::now() + limite;
        std::size_t enviados = 0;
        while (enviados < bytes.size()) {
            const int n =
                send(s_, bytes.data() + enviados,
                     static_cast<int>(std::min<std::size_t>(bytes.size() - enviados, 1 << 20)), 0);
            if (n >= 0) {
                enviados += static_cast<std::size_t>(n);
                continue;
            }
            const int codigo = WSAGetLastError();
            if (codigo != WSAEWOULDBLOCK) return falhar(erroSocket(codigo));
            if (!aguardar(s_, true, fim))
                return falhar("a impressora não recebeu os dados em " +
                              std::to_string(limite.count() / 1000) + " segundos");
        }
        return true;
    }

    std::string ler(std::chrono::milliseconds limite) override {
        if (!aguardar(s_, false, Relogio::now() + limite)) return {};
        char bloco[4096];
        const int n = recv(s_, bloco, sizeof bloco, 0);
        if (n > 0) return std::string(bloco, static_cast<std::size_t>(n));
        if (n == 0) erro_ = "a impressora fechou a conexão";
        if (n < 0 && WSAGetLastError() != WSAEWOULDBLOCK) erro_ = erroSocket(WSAGetLastError());
        return {};
    }

    std::string ultimoErro() const override { return erro_; }

  private:
    bool falhar(std::string motivo) {
        erro_ = std::move(motivo);
        return false;
    }

    SOCKET s_;
    std::string erro_;
};

SOCKET conectarEndereco(const addrinfo& a, Relogio::time_point fim, std::string& erro) {
    SOCKET s = socket(a.ai_family, a.ai_socktype, a.ai_protocol);
    if (s == INVALID_SOCKET) {
        erro = erroSocket(WSAGetLastError());
        return s;
    }
    u_long semBloqueio = 1;
    ioctlsocket(s, FIONBIO, &semBloqueio);
    int codigo = 0;
    if (connect(s, a.ai_addr, static_cast<int>(a.ai_addrlen)) != 0) {
        codigo = WSAGetLastError();
        if (codigo == WSAEWOULDBLOCK) {
            if (!aguardar(s, true, fim)) {
                codigo = WSAETIMEDOUT;
            } else {
                int tamanho = sizeof codigo;
                getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&codigo), &tamanho);
            }
        }
    }
    if (codigo == 0) return s;
    erro = erroSocket(codigo);
    closesocket(s);
    return INVALID_SOCKET;
}

}  // namespace

ResultadoConexao conectarTcp(const std::string& servidor, int porta,
                             std::chrono::milliseconds limite) {
    if (!iniciarWinsock()) return {nullptr, erroSocket(WSAGetLastError())};
    const auto fim = Relogio::now() + limite;
    addrinfo dicas{};
    dicas.ai_family = AF_UNSPEC;
    dicas.ai_socktype = SOCK_STREAM;
    dicas.ai_protocol = IPPROTO_TCP;
    addrinfo* enderecos = nullptr;
    const int r = getaddrinfo(servidor.c_str(), std::to_string(porta).c_str(), &dicas, &enderecos);
    if (r != 0) return {nullptr, erroSocket(r)};
    ResultadoConexao resultado;
    for (const addrinfo* a = enderecos; a; a = a->ai_next) {
        const SOCKET s = conectarEndereco(*a, fim, resultado.erro);
        if (s != INVALID_SOCKET) {
            resultado.conexao = std::make_unique<ConexaoWin32>(s);
            resultado.erro.clear();
            break;
        }
    }
    freeaddrinfo(enderecos);
    return resultado;
}

}  // namespace etiquetas
