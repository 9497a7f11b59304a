// etiquetas: the main window.

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>
#include <filesystem>

#include "app/Aplicacao.h"
#include "comum/Arquivos.h"
#include "gui/Conexao.h"
#include "gui/FrmEtiqueta.h"
#include "gui/TraducoesQt.h"
#include "platform/qt/PlataformaQt.h"
#include "platform/sistema/PastaExecutavel.h"

namespace {

struct Opcoes {
    QString pasta;
    QString captura;    // save a picture of the window and end (documentation)
    QSize tamanho;      // of the picture
    QString abrir;      // an order file to open at start
    QList<int> marcar;  // rows of the opened file to tick before the picture
};

// "1024x768"; a text that is no size gives the picture of a 1366x768 screen
// less the title bar and a task bar.
QSize tamanhoDaCaptura(const QString& texto) {
    const QStringList partes = texto.split(u'x');
    bool largura = false, altura = false;
    if (partes.size() == 2) {
        const QSize t(partes[0].toInt(&largura), partes[1].toInt(&altura));
        if (largura && altura && !t.isEmpty()) return t;
    }
    return {1366, 700};
}

QList<int> linhasParaMarcar(const QString& texto) {
    QList<int> linhas;
    for (const QString& parte : texto.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int linha = parte.trimmed().toInt(&ok);
        if (ok) linhas << linha;
    }
    return linhas;
}

Opcoes lerOpcoes(const QApplication& qt) {
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Impressão de etiquetas"));
    p.addHelpOption();
    const QCommandLineOption pasta(
        QStringLiteral("pasta"),
        QStringLiteral("Uma pasta para tudo: tabelas, modelos, INI e spool."),
        QStringLiteral("DIR"));
    const QCommandLineOption abrir(QStringLiteral("abrir"),
                                   QStringLiteral("Arquivo de pedidos a abrir ao iniciar."),
                                   QStringLiteral("ARQUIVO"));
    const QCommandLineOption captura(QStringLiteral("captura"),
                                     QStringLiteral("Grava uma imagem PNG da janela e termina."),
                                     QStringLiteral("PNG"));
    const QCommandLineOption tamanho(QStringLiteral("tamanho"),
                                     QStringLiteral("Tamanho da imagem (por exemplo 1024x768)."),
                                     QStringLiteral("LxA"));
    const QCommandLineOption marcar(
        QStringLiteral("marcar"),
        QStringLiteral("Linhas do arquivo aberto a marcar antes da imagem (por exemplo 1,3)."),
        QStringLiteral("LINHAS"));
    p.addOptions({pasta, abrir, captura, tamanho, marcar});
    p.process(qt);
    return {p.value(pasta), p.value(captura), tamanhoDaCaptura(p.value(tamanho)), p.value(abrir),
            linhasParaMarcar(p.value(marcar))};
}

// Fits the window on the screen it opens on (1366x768 benches included).
void dimensionar(QWidget& janela) {
    const QRect area = janela.screen()->availableGeometry();
    janela.resize(std::min(1360, area.width()), std::min(740, area.height()));
}

int capturar(QWidget& janela, const Opcoes& opcoes) {
    janela.resize(opcoes.tamanho);
    janela.show();
    QApplication::processEvents();
    return janela.grab().save(opcoes.captura, "PNG") ? 0 : 1;
}

// Ticked as a click on each row's box would tick it.
void marcarLinhas(etiquetas::Aplicacao& aplicacao, const QList<int>& linhas) {
    etiquetas::Grade* grade = aplicacao.janela().gradeDoArquivo();
    if (!grade) return;
    for (int linha : linhas)
        if (linha >= 1 && linha <= grade->linhas()) grade->clicarCaixa(linha);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("etiquetas"));
    etiquetas::carregarTraducoesQt(qt);
    const Opcoes opcoes = lerOpcoes(qt);

    etiquetas::PlataformaQt plataforma;
    auto local =
        etiquetas::pastasDestePrograma(std::filesystem::path(opcoes.pasta.toStdU16String()));
    if (!local.pastas) {
        plataforma.mensagem(local.erro, "", etiquetas::Icone::Critico, etiquetas::Botoes::Ok);
        return 1;
    }
    etiquetas::Aplicacao aplicacao(plataforma, std::move(*local.pastas));
    // A history that cannot be written: the window asks whether to print anyway.
    if (etiquetas::historicoDisponivel())
        aplicacao.servico().usarHistorico(
            etiquetas::arquivoHistoricoDoUsuario(aplicacao.servico().pastas()),
            etiquetas::FalhaDoHistorico::Perguntar);
    aplicacao.iniciar();
    etiquetas::FrmEtiqueta janela(aplicacao);
    if (!opcoes.abrir.isEmpty()) {
        // As if chosen in the file dialog: the path shows above the grid.
        const std::filesystem::path caminho(opcoes.abrir.toStdU16String());
        aplicacao.janela().lblCaminho.definirLegenda(etiquetas::textoDoCaminho(caminho));
        aplicacao.AbrirArquivoPedidos(caminho, [&aplicacao, &opcoes](bool aberto) {
            if (!aberto) return;
            marcarLinhas(aplicacao, opcoes.marcar);
            // Counted now: a picture is taken before the count's pause.
            aplicacao.atualizarEtiquetasMarcadas();
        });
    }
    if (!opcoes.captura.isEmpty()) {
        // The picture shows the whole file.
        while (aplicacao.aberturaEmCurso())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return capturar(janela, opcoes);
    }

    dimensionar(janela);
    janela.show();
    return qt.exec();
}
