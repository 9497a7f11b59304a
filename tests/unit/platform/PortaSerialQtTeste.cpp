// The window's serial port against a pseudo-terminal pair: the printer's end
// must receive exactly the bytes written and the sender see its buffer drain;
// bad settings and a missing device fail with a message.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QThread>

#include "platform/nucleo/PortaSerialQt.h"

namespace etiquetas {
namespace {

// A fresh pair per test: a pseudo-terminal keeps unread bytes for the next reader.
class PortaSerialQtTeste : public ::testing::Test {
  protected:
    void SetUp() override {
        static int argc = 1;
        static char nome[] = "testes_nucleo", *argv[] = {nome, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
        socat_.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + a_,
                                               QStringLiteral("pty,raw,echo=0,link=") + b_});
        QElapsedTimer relogio;
        relogio.start();
        while (!(QFileInfo::exists(a_) && QFileInfo::exists(b_)) && relogio.elapsed() < 5000)
            QThread::msleep(20);
        if (!QFileInfo::exists(b_)) GTEST_SKIP() << "socat não disponível";
    }
    void TearDown() override {
        socat_.kill();
        socat_.waitForFinished(2000);
    }
    QTemporaryDir pasta_;
    QString a_ = pasta_.filePath(QStringLiteral("A")), b_ = pasta_.filePath(QStringLiteral("B"));
    QProcess socat_;
};

TEST_F(PortaSerialQtTeste, OutraPontaRecebeExatamenteOsBytesEBufferEsvazia) {
    std::string enviado;
    for (int volta = 0; volta < 80; ++volta)
        for (int b = 0; b < 256; ++b) enviado.push_back(static_cast<char>(b));
    QSerialPort impressora(b_);
    ASSERT_TRUE(impressora.open(QIODevice::ReadOnly));
    PortaSerialQt porta;
    ASSERT_TRUE(porta.abrir(a_.toStdString(), "9600,N,8,1")) << porta.ultimoErro();
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

TEST_F(PortaSerialQtTeste, ConfiguracaoInvalidaOuDispositivoAusenteFalhamComMensagem) {
    const std::string par = a_.toStdString(), ausente = "/nao-existe/ttyX";
    const std::pair<std::string, const char*> casos[] = {
        {par, "9600,X,8,1"},  {par, "rapido,N,8,1"},  {par, "9600,N,8"},
        {par, "9600,N,9,1"},  {par, "9600,N,8,3"},    {par, ""},
        {par, "-9600,N,8,1"}, {ausente, "9600,N,8,1"}};
    for (const auto& [dispositivo, configuracao] : casos) {
        PortaSerialQt porta;
        EXPECT_FALSE(porta.abrir(dispositivo, configuracao)) << configuracao;
        EXPECT_FALSE(porta.aberta()) << configuracao;
        EXPECT_FALSE(porta.ultimoErro().empty()) << configuracao;
        EXPECT_FALSE(porta.escrever("^XA^XZ"));
        EXPECT_EQ(porta.bytesPendentes(), 0);
        // The device is free again for the next opening. (A pseudo-terminal
        // refuses even parity and 7 data bits; real ports take them.)
        if (dispositivo == par) {
            EXPECT_TRUE(porta.abrir(par, "19200,O,8,2")) << porta.ultimoErro();
        }
    }
}

}  // namespace
}  // namespace etiquetas
