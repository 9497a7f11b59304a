// The serial route against a real pseudo-terminal pair: the program opens one
// end through the COM mapping of the personal INI file, the test reads what
// a printer on the other end would receive.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include "../render/ApoioImpressao.h"
#include "output/PortasCom.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

void aplicacaoQt() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char nome[] = "testes";
    static char* argv[] = {nome, nullptr};
    static QCoreApplication app(argc, argv);
}

// A fresh pair per test: a pseudo-terminal keeps unread bytes.
class ParSocat {
  public:
    explicit ParSocat(const std::filesystem::path& pasta) : a_(pasta / "ttyA"), b_(pasta / "ttyB") {
        pid_ = fork();
        if (pid_ == 0) {
            const std::string ladoA = "pty,raw,echo=0,link=" + a_.string();
            const std::string ladoB = "pty,raw,echo=0,link=" + b_.string();
            execlp("socat", "socat", ladoA.c_str(), ladoB.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && !(std::filesystem::exists(a_) && std::filesystem::exists(b_));
             ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~ParSocat() {
        if (leitor_ >= 0) close(leitor_);
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool pronto() const { return std::filesystem::exists(a_) && std::filesystem::exists(b_); }
    const std::filesystem::path& ladoPrograma() const { return a_; }
    // Everything the printer's end has received so far.
    std::string recebido() {
        if (leitor_ < 0) leitor_ = open(b_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
        std::string r;
        char buf[4096];
        for (int vazias = 0; vazias < 5;) {
            const auto n = read(leitor_, buf, sizeof buf);
            if (n > 0) {
                r.append(buf, static_cast<std::size_t>(n));
                vazias = 0;
            } else {
                ++vazias;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        return r;
    }

  private:
    std::filesystem::path a_, b_;
    pid_t pid_ = -1;
    int leitor_ = -1;
};

struct PlataformaContaPausas : PlataformaHeadless {
    std::vector<long long> pendentesNaPausa;
    void pausar(std::chrono::milliseconds) override {
        pendentesNaPausa.push_back(portaSerial().bytesPendentes());
    }
};

}  // namespace

TEST(SerialPty, EntregaOsBytesExatosMaisCrEConfiguracaoUmaVezPorAbertura) {
    aplicacaoQt();
    PastaTemporaria pasta;
    ParSocat par(pasta.caminho());
    if (!par.pronto()) GTEST_SKIP() << "socat is not available";
    pasta.gravar("QuelmonteConfig.ini",
                 "[PortasCom]\r\nCOM1=" + par.ladoPrograma().string() + "\r\n");
    pasta.gravar("QuelmonteConfiguracaoDatamax.prn", "\x02n\r\n\x02M0500");
    ASSERT_TRUE(PortaComDisponivel(pasta.caminho(), 1));

    PlataformaContaPausas plataforma;
    JanelaFalsa janela;
    janela.portaTexto = "COM1";
    bool imagemEnviada = false;
    Despacho despacho(plataforma, janela, pasta.caminho(), imagemEnviada);
    PortaSerial& porta = plataforma.portaSerial();
    ASSERT_TRUE(porta.abrir(dispositivoPortaCom(pasta.caminho(), 1), "9600,N,8,1"))
        << porta.ultimoErro();

    // Every byte value, as a graphic download or Windows-1252 text carries them.
    std::string texto = "^XA^FDPreço :: CMD_VELOCIDADE ::^FS^XZ";
    for (int b = 0; b < 256; ++b) texto += static_cast<char>(b);
    despacho.EnviarConfiguracaoDatamax();
    despacho.EnviarSpool(despacho.caminhoSpool("SpoolEtq.PRN"), texto);
    despacho.EnviarConfiguracaoDatamax();
    EXPECT_EQ(plataforma.pendentesNaPausa, std::vector<long long>(22, 0))
        << "each send returns after the buffer drained and eleven pauses";
    EXPECT_EQ(par.recebido(), "\x02n\r\n\x02M0500\r\n\r" + texto + "\r\n\r");

    porta.fechar();
    ASSERT_TRUE(porta.abrir(dispositivoPortaCom(pasta.caminho(), 1), "9600,N,8,1"));
    imagemEnviada = false;  // what the print command does when it opens the port
    despacho.EnviarConfiguracaoDatamax();
    EXPECT_EQ(par.recebido(), "\x02n\r\n\x02M0500\r\n\r");
    porta.fechar();
}
