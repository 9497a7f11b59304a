// The window's serial port against a pseudo-terminal pair: the printer's end
// must receive exactly the bytes written, and the sender must see its buffer
// drain.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <string>

#include "platform/nucleo/PortaSerialQt.h"

namespace etiquetas {
namespace {

void garantirAplicacaoQt() {
    static int argc = 1;
    static char nome[] = "testes_nucleo";
    static char* argv[] = {nome, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// A fresh pair per test: a pseudo-terminal keeps unread bytes for the next
// reader.
class ParPseudoTerminal {
  public:
    ParPseudoTerminal() {
        a_ = pasta_.filePath(QStringLiteral("A"));
        b_ = pasta_.filePath(QStringLiteral("B"));
        socat_.start(QStringLiteral("socat"), {QStringLiteral("-d"), QStringLiteral("-d"),
                                               QStringLiteral("pty,raw,echo=0,link=") + a_,
                                               QStringLiteral("pty,raw,echo=0,link=") + b_});
        QElapsedTimer relogio;
        relogio.start();
        while (!(QFileInfo::exists(a_) && QFileInfo::exists(b_)) && relogio.elapsed() < 5000)
            QThread::msleep(20);
    }
    ~ParPseudoTerminal() {
        socat_.kill();
        socat_.waitForFinished(2000);
    }
    bool pronto() const { return QFileInfo::exists(a_) && QFileInfo::exists(b_); }
    std::string a() const { return a_.toStdString(); }
    QString b() const { return b_; }

  private:
    QTemporaryDir pasta_;
    QProcess socat_;
    QString a_, b_;
};

class PortaSerialQtTeste : public ::testing::Test {
  protected:
    void SetUp() override {
        garantirAplicacaoQt();
        par_ = std::make_unique<ParPseudoTerminal>();
        if (!par_->pronto()) GTEST_SKIP() << "socat não disponível";
    }
    std::unique_ptr<ParPseudoTerminal> par_;
};

TEST_F(PortaSerialQtTeste, OutraPontaRecebeExatamenteOsBytesEBufferEsvazia) {
    std::string enviado;
    for (int volta = 0; volta < 80; ++volta)
        for (int b = 0; b < 256; ++b) enviado.push_back(static_cast<char>(b));

    QSerialPort impressora(par_->b());
    ASSERT_TRUE(impressora.open(QIODevice::ReadOnly));
    PortaSerialQt porta;
    ASSERT_TRUE(porta.abrir(par_->a(), "9600,N,8,1")) << porta.ultimoErro();
    ASSERT_TRUE(porta.aberta());
    ASSERT_TRUE(porta.escrever(enviado)) << porta.ultimoErro();

    QByteArray recebido;
    QElapsedTimer relogio;
    relogio.start();
    while ((porta.bytesPendentes() > 0 || recebido.size() < qsizetype(enviado.size())) &&
           relogio.elapsed() < 10000) {
        porta.aguardarEnvio(20);
        if (impressora.waitForReadyRead(20)) recebido += impressora.readAll();
    }
    EXPECT_EQ(porta.bytesPendentes(), 0);
    EXPECT_EQ(recebido.toStdString(), enviado);
    porta.fechar();
    EXPECT_FALSE(porta.aberta());
}

TEST_F(PortaSerialQtTeste, ConfiguracaoInvalidaFalhaComMensagemEPortaFechada) {
    const char* configuracoes[] = {
        "9600,X,8,1", "rapido,N,8,1", "9600,N,8", "9600,N,9,1", "9600,N,8,3", "", "-9600,N,8,1"};
    for (const char* configuracao : configuracoes) {
        PortaSerialQt porta;
        EXPECT_FALSE(porta.abrir(par_->a(), configuracao)) << configuracao;
        EXPECT_FALSE(porta.aberta()) << configuracao;
        EXPECT_FALSE(porta.ultimoErro().empty()) << configuracao;
        // The device is free again for the next opening. (A pseudo-terminal
        // refuses even parity and 7 data bits; real ports take them.)
        EXPECT_TRUE(porta.abrir(par_->a(), "19200,O,8,2")) << porta.ultimoErro();
    }
}

TEST_F(PortaSerialQtTeste, DispositivoAusenteOuPortaFechadaFalhamComMensagem) {
    PortaSerialQt porta;
    EXPECT_FALSE(porta.abrir(QDir::temp().filePath(QStringLiteral("nao-existe-ttyX")).toStdString(),
                             "9600,N,8,1"));
    EXPECT_FALSE(porta.ultimoErro().empty());
    EXPECT_FALSE(porta.escrever("^XA^XZ"));
    EXPECT_FALSE(porta.ultimoErro().empty());
    EXPECT_EQ(porta.bytesPendentes(), 0);
}

}  // namespace
}  // namespace etiquetas
