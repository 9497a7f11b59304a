// etiquetas: the main window.

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>
#include <filesystem>

#include "app/Aplicacao.h"
#include "gui/Conexao.h"
#include "gui/FrmEtiqueta.h"
#include "platform/qt/PlataformaQt.h"

namespace {

struct Opcoes {
    QString pasta;
    QString captura;  // save a picture of the window and end (documentation)
    QString abrir;    // an order file to open at start
};

Opcoes lerOpcoes(const QApplication& qt) {
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Impressão de etiquetas"));
    p.addHelpOption();
    const QCommandLineOption pasta(QStringLiteral("pasta"),
                                   QStringLiteral("Pasta da aplicação (tabelas, INI, modelos)."),
                                   QStringLiteral("DIR"));
    const QCommandLineOption abrir(QStringLiteral("abrir"),
                                   QStringLiteral("Arquivo de pedidos a abrir ao iniciar."),
                                   QStringLiteral("ARQUIVO"));
    const QCommandLineOption captura(QStringLiteral("captura"),
                                     QStringLiteral("Grava uma imagem PNG da janela e termina."),
                                     QStringLiteral("PNG"));
    p.addOptions({pasta, abrir, captura});
    p.process(qt);
    return {p.isSet(pasta) ? p.value(pasta) : QCoreApplication::applicationDirPath(),
            p.value(captura), p.value(abrir)};
}

// Fits the window on the screen it opens on (1366x768 benches included).
void dimensionar(QWidget& janela) {
    const QRect area = janela.screen()->availableGeometry();
    janela.resize(std::min(1360, area.width()), std::min(740, area.height()));
}

int capturar(QWidget& janela, const QString& arquivo) {
    // The picture of a 1366x768 screen less the title bar and a task bar.
    janela.resize(1366, 700);
    janela.show();
    QApplication::processEvents();
    return janela.grab().save(arquivo, "PNG") ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("etiquetas"));
    const Opcoes opcoes = lerOpcoes(qt);

    etiquetas::PlataformaQt plataforma;
    etiquetas::Aplicacao aplicacao(plataforma,
                                   std::filesystem::path(opcoes.pasta.toStdU16String()));
    aplicacao.iniciar();
    etiquetas::FrmEtiqueta janela(aplicacao);
    if (!opcoes.abrir.isEmpty()) {
        // As if chosen in the file dialog: the path shows above the grid.
        const std::string caminho = etiquetas::daTela(opcoes.abrir);
        aplicacao.janela().lblCaminho.definirLegenda(caminho);
        aplicacao.AbrirArquivoPedidos(caminho);
    }
    if (!opcoes.captura.isEmpty()) return capturar(janela, opcoes.captura);

    dimensionar(janela);
    janela.show();
    return qt.exec();
}
