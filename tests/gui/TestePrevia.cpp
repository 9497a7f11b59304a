// "Visualizar": the labels a print would send, page by page, nothing sent.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "ApoioJanela.h"
#include "gui/FrmEtiqueta.h"
#include "gui/FrmPrevia.h"

using namespace etiquetas;
using teste::achar;
using namespace Qt::StringLiterals;

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
    void init() { a_ = std::make_unique<teste::AplicacaoNaPasta>(teste::scriptGravador()); }
    void cleanup() { a_.reset(); }
    void mostraAsPaginasSemEnviarNada();
    void imprimeDaPrevia();

  private:
    bool scriptChamado() const { return a_->trabalhos() > 0; }
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
            QVERIFY(!achar<QPushButton>(previa, "cmdAnterior")->isEnabled());
            QCOMPARE(achar<QPlainTextEdit>(previa, "txtAvisos")->toPlainText(),
                     QStringLiteral("Nenhum aviso."));
            // Each page names its tags of the run, counted as the window counts them, and whose.
            QStringList titulos{titulo->text()};
            while (achar<QPushButton>(previa, "cmdProxima")->isEnabled()) {
                QTest::keyClick(&previa, Qt::Key_PageDown);
                titulos << titulo->text();
            }
            paginas = titulos.size();
            QVERIFY(achar<QPushButton>(previa, "cmdAnterior")->isEnabled());
            QTest::keyClick(&previa, Qt::Key_Left);
            QCOMPARE(titulo->text(), titulos.value(paginas - 2));
            const QStringList deLinhas = titulos.filter(u" — Pedido "_s);
            QVERIFY2(!deLinhas.isEmpty(), qPrintable(titulos.join(u'\n')));
            const QRegularExpression titulo_(
                uR"(^Etiquetas? \d+( e \d+)? de (\d+) — Pedido \S+, Item \S+, Variante \S+, Sequência \d+)"_s);
            for (const QString& t : deLinhas) QVERIFY2(titulo_.match(t).hasMatch(), qPrintable(t));
            // Row 3 asks for 3 to 3: its pair's second tag, 4, is shown too.
            QVERIFY2(titulos.filter(u"Etiquetas 6 e 7 de 7 — Pedido 4500123456, Item 00010, "
                                    u"Variante 0012345003-7, Sequência 3 a 4"_s)
                             .size() == 1,
                     qPrintable(titulos.join(u'\n')));
            QVERIFY(
                titulos.back().contains(u" de "_s + titulo_.match(deLinhas.back()).captured(2)));
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
