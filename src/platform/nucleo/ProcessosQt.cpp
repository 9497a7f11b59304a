#include "platform/nucleo/ProcessosQt.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include "comum/Texto.h"

namespace etiquetas {

namespace {
QString paraQString(const std::string& cp1252) {
    return QString::fromStdString(cp1252ParaUtf8(cp1252));
}
constexpr int kFatiaMs = 20;
}  // namespace

ResultadoProcesso executarProcessoQt(const std::string& programa,
                                     const std::vector<std::string>& argumentos,
                                     const std::function<void()>& aoEsperar) {
    QStringList args;
    for (const auto& a : argumentos) args << paraQString(a);
    QProcess processo;
    processo.setProcessChannelMode(QProcess::SeparateChannels);
    processo.start(paraQString(programa), args);
    ResultadoProcesso resultado;
    if (!processo.waitForStarted(10000)) {
        resultado.descricaoFalha = utf8ParaCp1252(processo.errorString().toStdString());
        return resultado;
    }
    resultado.iniciou = true;
    while (!processo.waitForFinished(kFatiaMs)) {
        if (processo.state() == QProcess::NotRunning) break;
        if (aoEsperar) aoEsperar();
    }
    resultado.codigoSaida =
        processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    resultado.erroPadrao = utf8ParaCp1252(processo.readAllStandardError().toStdString());
    return resultado;
}

void pausarQt(std::chrono::milliseconds duracao, const std::function<void()>& aoEsperar) {
    QElapsedTimer relogio;
    relogio.start();
    while (relogio.elapsed() < duracao.count()) {
        if (aoEsperar) aoEsperar();
        const auto resta = duracao.count() - relogio.elapsed();
        if (resta > 0)
            QThread::msleep(static_cast<unsigned long>(std::min<qint64>(resta, kFatiaMs)));
    }
}

}  // namespace etiquetas
