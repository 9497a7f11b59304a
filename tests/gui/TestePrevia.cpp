// "Visualizar" in the main window: the labels the print command would send,
// page by page, nothing sent; from the preview the user prints or closes.
// With ETIQUETAS_CAPTURA_PREVIA=ARQ.png the preview's picture is saved.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

#include "ApoioJanela.h"
#include "gui/FrmEtiqueta.h"
#include "gui/FrmPrevia.h"

using namespace etiquetas;
using teste::achar;

namespace {

// Runs `acao` on the preview once it is up, then clicks `botao` on it.
void naPrevia(std::function<void(FrmPrevia&)> acao, const char* botao) {
    teste::quandoAbrir<FrmPrevia>([=](FrmPrevia& previa) {
        acao(previa);
        QTest::mouseClick(achar<QPushButton>(previa, botao), Qt::LeftButton);
    });
}

}  // namespace

class TestePrevia : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        a_ = std::make_unique<teste::AplicacaoNaPasta>(
            "#!/bin/sh\necho \"$1\" >>\"$(dirname \"$0\")/chamado\"\n");
    }
    void cleanup() { a_.reset(); }
    void mostraAsPaginasSemEnviarNada();
    void imprimeDaPrevia();

  private:
    bool scriptChamado() const { return a_->existe(QStringLiteral("chamado")); }
    void abrirEMarcar() {
        a_->abrir("Quelmonte_Preco_Cartolina_teste.xml");
        a_->app->janela().cmbImpressora.selecionar(1);  // a Zebra
        a_->app->janela().ckbMaterialForn.definirMarcada(true);
        a_->app->cmdSelTodos();
        a_->plataforma.mensagens.clear();
    }

    std::unique_ptr<teste::AplicacaoNaPasta> a_;
};

void TestePrevia::mostraAsPaginasSemEnviarNada() {
    FrmEtiqueta janela(*a_->app);
    janela.show();
    abrirEMarcar();
    int paginas = 0;
    naPrevia(
        [&](FrmPrevia& previa) {
            auto* titulo = achar<QLabel>(previa, "lblPagina");
            QVERIFY(titulo->text().startsWith(QStringLiteral("Etiqueta 1 de ")));
            paginas = titulo->text().section(QLatin1Char(' '), -1).toInt();
            QVERIFY(!achar<QPushButton>(previa, "cmdAnterior")->isEnabled());
            // The whole window on the screen, the label whole in it; one
            // printer dot a pixel once "Ajustar" is off, "+" zooms in.
            QVERIFY(previa.screen()->availableGeometry().contains(previa.frameGeometry()));
            auto* imagem = achar<QLabel>(previa, "imgEtiqueta");
            const auto* rolagem = previa.findChild<QScrollArea*>();
            QVERIFY(rolagem->viewport()->rect().contains(QRect({0, 0}, imagem->pixmap().size())));
            QTest::mouseClick(achar<QPushButton>(previa, "cmdAjustar"), Qt::LeftButton);
            QCOMPARE(imagem->pixmap().size(), QSize(650, 560));
            QTest::keyClick(&previa, Qt::Key_Plus);
            QVERIFY(imagem->pixmap().width() > 650);
            QCOMPARE(achar<QPlainTextEdit>(previa, "txtAvisos")->toPlainText(),
                     QStringLiteral("Nenhum aviso."));
            QTest::mouseClick(achar<QPushButton>(previa, "cmdProxima"), Qt::LeftButton);
            QVERIFY(titulo->text().startsWith(QStringLiteral("Etiqueta 2 de ")));
            QVERIFY(achar<QPushButton>(previa, "cmdAnterior")->isEnabled());
            QTest::keyClick(&previa, Qt::Key_PageDown);
            QVERIFY(titulo->text().startsWith(QStringLiteral("Etiqueta 3 de ")));
            QTest::keyClick(&previa, Qt::Key_Left);
            QVERIFY(titulo->text().startsWith(QStringLiteral("Etiqueta 2 de ")));
            if (const QString arquivo = qEnvironmentVariable("ETIQUETAS_CAPTURA_PREVIA");
                !arquivo.isEmpty())
                previa.grab().save(arquivo, "PNG");
        },
        "cmdFechar");
    QTest::mouseClick(achar<QPushButton>(janela, "cmdVisualizar"), Qt::LeftButton);
    QVERIFY(paginas > 2);  // separators and tags of three rows
    QVERIFY(!scriptChamado());
    QVERIFY(!a_->existe(QStringLiteral("SpoolEtq.PRN")));
    QVERIFY(a_->plataforma.mensagens.empty());
    QVERIFY(achar<QPushButton>(janela, "cmdImprimir")->isEnabled());
}

void TestePrevia::imprimeDaPrevia() {
    FrmEtiqueta janela(*a_->app);
    janela.show();
    abrirEMarcar();
    naPrevia([](FrmPrevia&) {}, "cmdImprimir");
    QTest::mouseClick(achar<QPushButton>(janela, "cmdVisualizar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!a_->app->comandoEmCurso(), 30000);  // the print goes on the worker
    QVERIFY(scriptChamado());
    QVERIFY(!a_->plataforma.mensagens.empty());
    QCOMPARE(a_->plataforma.mensagens.back().second, std::string("Fim da Impressão"));
}

QTEST_MAIN(TestePrevia)
#include "TestePrevia.moc"
