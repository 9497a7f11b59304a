// The window's message boxes: text, title (the application's by default), buttons and the
// answer; the busy pointer does not pile up; standard buttons read in Portuguese.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QtTest>

#include "ApoioJanela.h"
#include "comum/Texto.h"
#include "gui/TraducoesQt.h"
#include "platform/qt/PlataformaQt.h"

using namespace etiquetas;

Q_DECLARE_METATYPE(etiquetas::Botoes)
Q_DECLARE_METATYPE(etiquetas::Resposta)

class TestePlataformaQt : public QObject {
    Q_OBJECT

  private slots:
    void caixaDevolveOBotaoPressionado_data() {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<Botoes>("botoes");
        QTest::addColumn<int>("pressionado");
        QTest::addColumn<Resposta>("resposta");
        QTest::newRow("sem titulo")
            << QString() << Botoes::Ok << int(QMessageBox::Ok) << Resposta::Ok;
        QTest::newRow("sim") << QStringLiteral("Impressão") << Botoes::SimNao
                             << int(QMessageBox::Yes) << Resposta::Sim;
        QTest::newRow("nao") << QStringLiteral("Impressão") << Botoes::SimNao
                             << int(QMessageBox::No) << Resposta::Nao;
    }

    void caixaDevolveOBotaoPressionado() {
        QFETCH(QString, titulo);
        QFETCH(Botoes, botoes);
        QFETCH(int, pressionado);
        QFETCH(Resposta, resposta);
        QString tituloNaCaixa, textoNaCaixa;  // stay empty if no box comes up
        bool cursorNormal = false;
        teste::quandoAbrir<QMessageBox>([&](QMessageBox& caixa) {
            tituloNaCaixa = caixa.windowTitle();
            textoNaCaixa = caixa.text();
            cursorNormal = QApplication::overrideCursor()->shape() == Qt::ArrowCursor;
            caixa.button(QMessageBox::StandardButton(pressionado))->click();
        });

        PlataformaQt plataforma;
        plataforma.cursorOcupado(true);
        plataforma.cursorOcupado(true);  // busy twice is still one pointer to restore
        // Texts cross the seam as Windows-1252.
        const Resposta r =
            plataforma.mensagem("Não foi selecionado nenhum Pedido !",
                                utf8ParaCp1252(titulo.toStdString()), Icone::Pergunta, botoes);
        QVERIFY(cursorNormal);
        plataforma.cursorOcupado(false);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(r, resposta);
        QCOMPARE(tituloNaCaixa,
                 titulo.isEmpty()
                     ? QStringLiteral(":: Quelmonte ::  Impressão de Etiquetas - Vs. (1.0.0.0)")
                     : titulo);
        QCOMPARE(textoNaCaixa, QStringLiteral("Não foi selecionado nenhum Pedido !"));
    }

    void botoesDaPerguntaEmPortugues() {
        QVERIFY2(carregarTraducoesQt(*QCoreApplication::instance()),
                 "traduções do Qt ausentes (pacote qt6-translations-l10n)");
        QStringList textos;
        bool escapeDizNao = false;
        teste::quandoAbrir<QMessageBox>([&](QMessageBox& caixa) {
            for (auto* b : caixa.buttons()) textos << b->text().remove(u'&');
            escapeDizNao = caixa.escapeButton() == caixa.button(QMessageBox::No);
            QTest::keyClick(&caixa, Qt::Key_Escape);
        });
        PlataformaQt plataforma;
        const Resposta r =
            plataforma.mensagem("Confirma ?", "Impressão", Icone::Pergunta, Botoes::SimNao);
        textos.sort();
        QCOMPARE(textos, QStringList({QStringLiteral("Não"), QStringLiteral("Sim")}));
        QVERIFY(escapeDizNao);
        QCOMPARE(r, Resposta::Nao);
    }
};

QTEST_MAIN(TestePlataformaQt)
#include "TestePlataformaQt.moc"
