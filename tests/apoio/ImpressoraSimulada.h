#pragma once

// A Zebra or Datamax on 127.0.0.1 or a pty that keeps its jobs and answers status questions.

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace etiquetas::apoio {

class ImpressoraSimulada {
  public:
    enum class Modo { Pronta, EmPausa, SemPapel, CabecaAberta, Muda };

    // Listens on a free port of 127.0.0.1.
    explicit ImpressoraSimulada(bool datamax = false, Modo modo = Modo::Pronta)
        : datamax_(datamax), modo_(modo) {
        ouvinte_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        if (::bind(ouvinte_, reinterpret_cast<sockaddr*>(&a), n) != 0 ||
            ::listen(ouvinte_, 4) != 0 ||
            ::getsockname(ouvinte_, reinterpret_cast<sockaddr*>(&a), &n) != 0)
            return;
        porta_ = ntohs(a.sin_port);
        linha_ = std::thread([this] { atenderRede(); });
    }
    // On a pseudo-terminal instead, as on a serial cable: COM1 maps to terminal().
    struct NoTerminal {};
    ImpressoraSimulada(NoTerminal, bool datamax, Modo modo = Modo::Pronta)
        : datamax_(datamax), modo_(modo) {
        const int mestre = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (mestre < 0) return;
        if (::grantpt(mestre) != 0 || ::unlockpt(mestre) != 0) {
            ::close(mestre);
            return;
        }
        terminal_ = ::ptsname(mestre);
        // Held open and raw: the line stays up between openings and no byte is echoed.
        escravo_ = ::open(terminal_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios t{};
        ::tcgetattr(escravo_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(escravo_, TCSANOW, &t);
        linha_ = std::thread([this, mestre] { atender(mestre), ::close(mestre); });
    }
    ~ImpressoraSimulada() {
        parar_ = true;
        if (linha_.joinable()) linha_.join();
        if (ouvinte_ >= 0) ::close(ouvinte_);
        if (escravo_ >= 0) ::close(escravo_);
    }
    ImpressoraSimulada(const ImpressoraSimulada&) = delete;
    ImpressoraSimulada& operator=(const ImpressoraSimulada&) = delete;

    std::string endereco() const { return "127.0.0.1:" + std::to_string(porta_); }
    const std::string& terminal() const { return terminal_; }
    void definirModo(Modo modo) {
        std::lock_guard l(m_);
        modo_ = modo;
    }
    // From the label after the n-th on, the paper is out and they stay unprinted.
    void semPapelApos(int n) {
        std::lock_guard l(m_);
        papelPara_ = n;
    }
    // The job bytes, in order, less the status questions.
    std::string recebido() const {
        std::lock_guard l(m_);
        return recebido_;
    }
    int etiquetas() const {
        std::lock_guard l(m_);
        return etiquetas_;
    }
    int perguntas() const { return perguntas_; }

  private:
    void atenderRede() {
        while (!parar_) {
            pollfd p{ouvinte_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int fd = ::accept4(ouvinte_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            // Each answer leaves at once, as a printer's does (no Nagle delay).
            const int sim = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &sim, sizeof sim);
            atender(fd);
            ::close(fd);
        }
    }

    // One connection at a time, as a printer's raw port serves them.
    void atender(int fd) {
        std::string pendente;
        char bloco[65536];
        while (!parar_) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = ::read(fd, bloco, sizeof bloco);
            if (n <= 0) break;
            pendente.append(bloco, static_cast<std::size_t>(n));
            processar(fd, pendente, false);
        }
        processar(fd, pendente, true);
    }

    // Questions are taken out wherever they fall; a possible start waits for more bytes.
    void processar(int fd, std::string& pendente, bool fim) {
        static const std::string kPerguntas[] = {"~HQES", "~HS",
                                                 "\x01"
                                                 "A",
                                                 "\x01"
                                                 "E"};
        for (;;) {
            std::size_t onde = std::string::npos, tamanho = 0;
            for (const auto& p : kPerguntas) {
                const auto i = pendente.find(p);
                if (i < onde) onde = i, tamanho = p.size();
            }
            if (onde == std::string::npos) break;
            guardar(pendente.substr(0, onde));
            responder(fd, pendente.substr(onde, tamanho));
            pendente.erase(0, onde + tamanho);
        }
        const std::size_t guarda = fim ? 0 : inicioDePergunta(pendente);
        guardar(pendente.substr(0, pendente.size() - guarda));
        pendente.erase(0, pendente.size() - guarda);
    }

    static std::size_t inicioDePergunta(const std::string& s) {
        for (std::size_t k = std::min<std::size_t>(s.size(), 4); k > 0; --k)
            for (const char* p : {"~HQES", "~HS", "\x01"})
                if (std::string(p).compare(0, k, s, s.size() - k, k) == 0) return k;
        return 0;
    }

    void guardar(const std::string& bytes) {
        std::lock_guard l(m_);
        const std::string marca = datamax_ ? "\x02L" : "^XZ";
        const std::size_t desde =
            recebido_.size() < marca.size() ? 0 : recebido_.size() - marca.size() + 1;
        recebido_ += bytes;
        for (auto i = recebido_.find(marca, desde); i != std::string::npos;
             i = recebido_.find(marca, i + 1))
            ++etiquetas_;
    }

    void responder(int fd, const std::string& pergunta) {
        std::string resposta;
        {
            std::lock_guard l(m_);
            Modo modo = modo_;
            int porImprimir = 0;
            if (papelPara_ && etiquetas_ > *papelPara_) {
                modo = Modo::SemPapel;
                porImprimir = etiquetas_ - *papelPara_;
            }
            if (modo == Modo::Muda || pergunta == "~HQES") return;
            ++perguntas_;
            resposta = datamax_ ? respostaDatamax(pergunta, modo, porImprimir)
                                : respostaZebra(modo, porImprimir);
        }
        (void)!::write(fd, resposta.data(), resposta.size());
    }

    static std::string respostaZebra(Modo modo, int porImprimir) {
        const auto b = [](bool v) { return v ? "1" : "0"; };
        char restantes[9];
        std::snprintf(restantes, sizeof restantes, "%08d", porImprimir);
        return std::string("\x02") + "030," + b(modo == Modo::SemPapel) + "," +
               b(modo == Modo::EmPausa) + ",1245,000,0,0,0,000,0,0,0\x03\r\n" +
               "\x02"
               "000,0," +
               b(modo == Modo::CabecaAberta) + ",0,0,2,4,0," + restantes + ",1,000\x03\r\n" +
               "\x02"
               "1234,0\x03\r\n";
    }

    static std::string respostaDatamax(const std::string& pergunta, Modo modo, int porImprimir) {
        if (pergunta ==
            "\x01"
            "E") {
            char n[12];
            std::snprintf(n, sizeof n, "%05d\r", porImprimir);
            return n;
        }
        std::string flags = "NNNNNNNN\r";
        if (modo == Modo::SemPapel || modo == Modo::CabecaAberta) flags[1] = 'Y';
        if (modo == Modo::EmPausa) flags[5] = 'Y';
        if (porImprimir > 0) flags[3] = 'Y';
        return flags;
    }

    const bool datamax_;
    mutable std::mutex m_;
    Modo modo_;
    std::optional<int> papelPara_;
    std::string recebido_;
    int etiquetas_ = 0;
    std::atomic<int> perguntas_{0};
    std::atomic<bool> parar_{false};
    int ouvinte_ = -1;
    int porta_ = 0;
    int escravo_ = -1;
    std::string terminal_;
    std::thread linha_;
};

}  // namespace etiquetas::apoio
