// The serial route through a socat pseudo-terminal pair, and the Qt port's refusals.

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
#include "platform/nucleo/PortaSerialQt.h"
#include "render/FalhaImpressao.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

class ParSocat {
  public:
    explicit ParSocat(const std::filesystem::path& pasta) : a_(pasta / "ttyA"), b_(pasta / "ttyB") {
        if ((pid_ = fork()) == 0) {
            execlp("socat", "socat", ("pty,raw,echo=0,link=" + a_.string()).c_str(),
                   ("pty,raw,echo=0,link=" + b_.string()).c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && !pronto(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (pronto()) leitor_ = open(b_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    }
    ~ParSocat() { encerrar(); }
    // The printer's end goes away, as a cable pulled out.
    void encerrar() {
        if (leitor_ >= 0) close(leitor_), leitor_ = -1;
        if (pid_ > 0) kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0), pid_ = -1;
    }
    bool pronto() const { return std::filesystem::exists(a_) && std::filesystem::exists(b_); }
    // What the printer's end received since the last call.
    std::string recebido() const {
        std::string r;
        char buf[4096];
        for (int vazias = 0; vazias < 5;) {
            const auto n = read(leitor_, buf, sizeof buf);
            if (n > 0)
                r.append(buf, static_cast<std::size_t>(n)), vazias = 0;
            else
                ++vazias, std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return r;
    }

  private:
    std::filesystem::path a_, b_;
    pid_t pid_ = -1;
    int leitor_ = -1;
};

// A pair per test, in a folder of its own, and the Qt application its port needs.
class SerialPty : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!par.pronto()) GTEST_SKIP() << "socat is not available";
        static int argc = 1;
        static char nome[] = "testes", *argv[] = {nome, nullptr};
        if (!QCoreApplication::instance()) static QCoreApplication qt(argc, argv);
    }
    PastaTemporaria pasta;
    ParSocat par{pasta.caminho()};
};

struct PlataformaContaPausas : PlataformaHeadless {
    std::vector<long long> pendentesNaPausa;
    void pausar(std::chrono::milliseconds) override {
        pendentesNaPausa.push_back(portaSerial().bytesPendentes());
    }
};

}  // namespace

TEST_F(SerialPty, EntregaOsBytesExatosMaisCrEConfiguracaoUmaVezPorAbertura) {
    EXPECT_EQ(dispositivoPortaCom(pasta.caminho(), 2), "/dev/ttyS1") << "unmapped: the system's";
    pasta.gravar("QuelmonteConfig.ini",
                 "[PortasCom]\r\nCOM1=" + (pasta.caminho() / "ttyA").string() + "\r\n");
    pasta.gravar("QuelmonteConfiguracaoDatamax.prn", "\x02n\r\n\x02M0500");
    ASSERT_TRUE(PortaComDisponivel(pasta.caminho(), 1));

    PlataformaContaPausas plataforma;
    ParametrosImpressao parametros = parametrosZebra();
    parametros.porta = "COM1";
    bool imagemEnviada = false;
    Despacho despacho(plataforma, parametros, pasta.caminho(), imagemEnviada);
    const Trabalho configuracao{
        TipoTrabalho::ConfiguracaoDatamax, "SpoolEtqImg.prn", "\x02n\r\n\x02M0500\r\n", 0, {}};
    PortaSerial& porta = plataforma.portaSerial();
    ASSERT_TRUE(porta.abrir(dispositivoPortaCom(pasta.caminho(), 1), "9600,N,8,1"))
        << porta.ultimoErro();

    // Every byte value, as a graphic download or Windows-1252 text carries them.
    std::string texto = "^XA^FDPreço^FS^XZ";
    for (int b = 0; b < 256; ++b) texto += static_cast<char>(b);
    despacho.enviar(configuracao);
    despacho.enviar({TipoTrabalho::Etiqueta, "SpoolEtq.PRN", texto + "\r\n", 1, {}});
    despacho.enviar(configuracao);
    EXPECT_EQ(plataforma.pendentesNaPausa, std::vector<long long>(22, 0))
        << "each send returns after the buffer drained and eleven pauses";
    EXPECT_EQ(par.recebido(), "\x02n\r\n\x02M0500\r\n\r" + texto + "\r\n\r");

    porta.fechar();
    ASSERT_TRUE(porta.abrir(dispositivoPortaCom(pasta.caminho(), 1), "9600,N,8,1"));
    imagemEnviada = false;  // what the print command does when it opens the port
    despacho.enviar(configuracao);
    EXPECT_EQ(par.recebido(), "\x02n\r\n\x02M0500\r\n\r");
    porta.fechar();
}

// A port that never drains fails the job at the limit with one message.
TEST_F(SerialPty, PortaQueNaoEsvaziaParaNoLimite) {
    PlataformaHeadless plataforma;
    plataforma.semPausas = true;
    ParametrosImpressao parametros = parametrosZebra();
    parametros.porta = "COM1";
    parametros.limiteEnvio = std::chrono::seconds(2);
    bool imagemEnviada = false;
    Despacho despacho(plataforma, parametros, pasta.caminho(), imagemEnviada);
    PortaSerial& porta = plataforma.portaSerial();
    ASSERT_TRUE(porta.abrir((pasta.caminho() / "ttyA").string(), "9600,N,8,1"));
    par.encerrar();
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_THROW(
        despacho.enviar({TipoTrabalho::Etiqueta, "SpoolEtq.PRN", std::string(4 << 20, 'x'), 1, {}}),
        FalhaImpressao);
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(8));
    porta.fechar();
}

// More than a pseudo-terminal buffers: every byte arrives and the buffer drains.
TEST_F(SerialPty, PortaQtEntregaMaisQueOBufferEEsvazia) {
    std::string enviado, recebido;
    for (int volta = 0; volta < 80; ++volta)
        for (int b = 0; b < 256; ++b) enviado.push_back(static_cast<char>(b));
    PortaSerialQt porta;
    ASSERT_TRUE(porta.abrir((pasta.caminho() / "ttyA").string(), "9600,N,8,1"))
        << porta.ultimoErro();
    ASSERT_TRUE(porta.escrever(enviado)) << porta.ultimoErro();
    for (int i = 0; i < 100 && (porta.bytesPendentes() > 0 || recebido.size() < enviado.size());
         ++i) {
        porta.aguardarEnvio(20);
        recebido += par.recebido();
    }
    EXPECT_EQ(porta.bytesPendentes(), 0);
    EXPECT_EQ(recebido, enviado);
}

TEST_F(SerialPty, ConfiguracaoInvalidaOuDispositivoAusenteFalhamComMensagem) {
    const std::string tty = (pasta.caminho() / "ttyA").string(), ausente = "/nao-existe/ttyX";
    const std::pair<std::string, const char*> casos[] = {
        {tty, "9600,X,8,1"},  {tty, "rapido,N,8,1"},  {tty, "9600,N,8"},
        {tty, "9600,N,9,1"},  {tty, "9600,N,8,3"},    {tty, ""},
        {tty, "-9600,N,8,1"}, {ausente, "9600,N,8,1"}};
    for (const auto& [dispositivo, configuracao] : casos) {
        PortaSerialQt porta;
        EXPECT_FALSE(porta.abrir(dispositivo, configuracao)) << configuracao;
        EXPECT_EQ(std::tuple(porta.aberta(), porta.ultimoErro().empty(), porta.escrever("^XA^XZ"),
                             porta.bytesPendentes()),
                  std::tuple(false, false, false, 0LL))
            << configuracao;
        // The device is free again (a pseudo-terminal refuses even parity and 7 data bits).
        if (dispositivo == tty) {
            EXPECT_TRUE(porta.abrir(tty, "19200,O,8,2")) << porta.ultimoErro();
        }
    }
}
