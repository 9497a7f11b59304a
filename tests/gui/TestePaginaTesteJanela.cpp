// The test-print options and "Carregar Fonte Zebra" clicked in the real window.

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "ApoioJanela.h"
#include "gui/FrmEtiqueta.h"
#include "gui/TabelaGrade.h"

using namespace etiquetas;
using teste::achar;

class TestePaginaTesteJanela : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        a_ = std::make_unique<teste::AplicacaoNaPasta>(teste::scriptGravador());
        a_->app->janela().cmbImpressora.selecionar(1);  // ZEBRA
    }

    void cleanup() { a_.reset(); }
    // The test page leaves the worker's file, ticks and counts in the window.
    void opcaoDeTesteImprimeEPodeSerRepetida() {
        FrmEtiqueta janela(*a_->app);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        a_->abrir("Amostra_Volume_Padrao_GerarTxt.xml");
        auto& grade = a_->app->janela().vaVolume;
        TabelaGrade& tabela = janela.vaVolume();
        tabela.setFocus();
        tabela.setCurrentIndex(tabela.model()->index(0, 9));
        QTest::keyClick(&tabela, Qt::Key_Space);
        QTest::keyClick(&tabela, Qt::Key_F2);
        auto* editor = tabela.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("7"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        // Tick, box count, the file's type and name.
        const auto estado = [&] {
            return QString::fromStdString(grade.texto(1, 1) + "|" + grade.texto(1, 10) + "|") +
                   achar<QLabel>(janela, "lblTipoArquivo")->text() + u'|' +
                   QFileInfo(achar<QLabel>(janela, "lblCaminho")->toolTip()).fileName();
        };
        const QString doTrabalhador = estado();
        QCOMPARE(doTrabalhador, QStringLiteral("1|7|Etiquetas de Volume(Padrão)|"
                                               "Amostra_Volume_Padrao_GerarTxt.xml"));
        auto* cartolina = achar<QRadioButton>(janela, "Option4");
        QCOMPARE(cartolina->text(), QStringLiteral("Preco Cartolina"));

        a_->plataforma.respostaPerguntas = Resposta::Nao;
        clicarEAguardar(cartolina);
        QCOMPARE(a_->trabalhos(), 0);
        QCOMPARE(estado(), doTrabalhador);

        a_->plataforma.respostaPerguntas = Resposta::Sim;
        a_->plataforma.mensagens.clear();
        int noFim = -1;  // jobs the script had when the end was told
        a_->plataforma.aoMostrar = [&](const std::string& titulo) {
            if (titulo == "Fim da Impressão") noFim = a_->trabalhos();
        };
        clicarEAguardar(cartolina);
        a_->plataforma.aoMostrar = nullptr;
        const int primeira = a_->trabalhos();
        QCOMPARE(noFim, primeira);
        QVERIFY2(primeira >= 4, "graphic, font, labels and deletion");
        QCOMPARE(a_->plataforma.mensagens.front().first,
                 std::string("Confirma a Impressão de Teste ?\n6 etiquetas — ZEBRA, LPT1"));
        QCOMPARE(estado(), doTrabalhador);
        QVERIFY(!cartolina->isChecked());

        clicarEAguardar(cartolina);
        QCOMPARE(a_->trabalhos(), 2 * primeira);
    }

    void botaoCarregaFonteEFica() {
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
        // Still there: a printer switched off forgets the font.
        QVERIFY(botao->isVisible());
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
