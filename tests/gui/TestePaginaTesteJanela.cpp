// The test-print options and "Carregar Fonte Zebra" clicked with the mouse in
// the real window: what reaches the print script and what the window shows.

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "ApoioJanela.h"
#include "gui/FrmEtiqueta.h"

using namespace etiquetas;
using teste::achar;

class TestePaginaTesteJanela : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        a_ = std::make_unique<teste::AplicacaoNaPasta>(teste::kScriptGravador);
        a_->app->janela().cmbImpressora.selecionar(1);  // ZEBRA
    }

    void cleanup() { a_.reset(); }
    void opcaoDeTesteImprimeEPodeSerRepetida() {
        FrmEtiqueta janela(*a_->app);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        auto* cartolina = achar<QRadioButton>(janela, "Option4");
        QCOMPARE(cartolina->text(), QStringLiteral("Preco Cartolina"));

        clicarEAguardar(cartolina);
        const int primeira = a_->trabalhos();
        QVERIFY2(primeira >= 4, "graphic, font, labels and deletion");
        QVERIFY(a_->trabalho(1).startsWith("~DGTESOURAS,01326,039,"));
        QVERIFY(a_->trabalho(2).startsWith("~DTARIAL,50966,"));
        QCOMPARE(a_->trabalho(primeira), QByteArray("^XA\r\n^IDR:TESOURAS\r\n^XZ\r\n"));
        QCOMPARE(a_->plataforma.mensagens.front().first,
                 std::string("Confirma a Impressão de Teste ?\n6 etiquetas — ZEBRA, LPT1"));
        QCOMPARE(achar<QLabel>(janela, "lblTipoArquivo")->text(),
                 QStringLiteral("Etiquetas de Preço (Cartolina)"));
        QVERIFY(achar<QLabel>(janela, "lblCaminho")
                    ->toolTip()
                    .endsWith(QStringLiteral("Quelmonte_Preco_Cartolina_teste.xml")));
        QVERIFY(!cartolina->isChecked());

        clicarEAguardar(cartolina);
        QCOMPARE(a_->trabalhos(), 2 * primeira);
    }

    void botaoCarregaFonteESome() {
        // As the window starts when the saved printer is the Zebra line.
        a_->app->janela().CmZebra.definirVisivel(true);
        a_->app->janela().LblZebra.definirVisivel(true);
        FrmEtiqueta janela(*a_->app);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        auto* botao = achar<QPushButton>(janela, "CmZebra");
        QVERIFY(botao->isVisible());
        clicarEAguardar(botao);
        QCOMPARE(a_->trabalhos(), 2);
        QVERIFY(a_->trabalho(2).startsWith("~DTARIAL,50966,"));
        QVERIFY(botao->isHidden());
        QCOMPARE(achar<QLabel>(janela, "LblZebra")->text(), QStringLiteral("Fonte Carregada."));
        QVERIFY(a_->plataforma.mensagens.empty());
    }

  private:
    // The run goes on the worker: its end comes back through the event loop.
    void clicarEAguardar(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!a_->app->comandoEmCurso(), 30000);
    }

    std::unique_ptr<teste::AplicacaoNaPasta> a_;
};

QTEST_MAIN(TestePaginaTesteJanela)
#include "TestePaginaTesteJanela.moc"
