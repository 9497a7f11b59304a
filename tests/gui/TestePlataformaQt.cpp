// The window's message boxes, the busy pointer, and standard buttons in Portuguese.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QtTest>

#include "ApoioJanela.h"
#include "gui/TraducoesQt.h"
#include "platform/qt/PlataformaQt.h"

using namespace etiquetas;

class TestePlataformaQt : public QObject {
    Q_OBJECT

  private slots:
    void caixaDevolveOBotaoPressionado() {
        QString tituloNaCaixa, textoNaCaixa;  // stay empty if no box comes up
        bool cursorNormal = false;
        teste::quandoAbrir<QMessageBox>([&](QMessageBox& caixa) {
            tituloNaCaixa = caixa.windowTitle();
            textoNaCaixa = caixa.text();
            cursorNormal = QApplication::overrideCursor()->shape() == Qt::ArrowCursor;
            caixa.button(QMessageBox::Yes)->click();
        });

        PlataformaQt plataforma;
        plataforma.cursorOcupado(true);
        plataforma.cursorOcupado(true);  // busy twice is still one pointer to restore
        const Resposta r = plataforma.mensagem("Não foi selecionado nenhum Pedido !", {},
                                               Icone::Pergunta, Botoes::SimNao);
        QVERIFY(cursorNormal);
        plataforma.cursorOcupado(false);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(r, Resposta::Sim);
        QCOMPARE(tituloNaCaixa,
                 QStringLiteral(":: Quelmonte ::  Impressão de Etiquetas - Vs. (1.0.0.0)"));
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
