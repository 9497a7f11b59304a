// The window's platform: boxes carry the title, icon, text and buttons the
// logic asked for and return the button pressed; the busy pointer does not
// pile up.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "comum/Texto.h"
#include "platform/qt/PlataformaQt.h"

using namespace etiquetas;

Q_DECLARE_METATYPE(etiquetas::Icone)
Q_DECLARE_METATYPE(etiquetas::Botoes)
Q_DECLARE_METATYPE(etiquetas::Resposta)

namespace {

struct CaixaVista {
    QString titulo, texto;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QMessageBox::StandardButtons botoes;
    bool cursorNormal = false;
};

// Looks at the box once it is up, then presses `botao`.
void responderQuandoAparecer(CaixaVista& vista, QMessageBox::StandardButton botao) {
    QTimer::singleShot(0, [&vista, botao] {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caixa) return;
        vista.titulo = caixa->windowTitle();
        vista.texto = caixa->text();
        vista.icone = caixa->icon();
        vista.botoes = caixa->standardButtons();
        vista.cursorNormal = !QApplication::overrideCursor() ||
                             QApplication::overrideCursor()->shape() == Qt::ArrowCursor;
        caixa->button(botao)->click();
    });
}

}  // namespace

class TestePlataformaQt : public QObject {
    Q_OBJECT

  private slots:
    void caixaMostraOPedidoEDevolveOBotao_data();
    void caixaMostraOPedidoEDevolveOBotao();
    void ponteiroOcupadoNaoSeAcumula();
    void tituloDaAplicacaoTemAVersao();
};

void TestePlataformaQt::caixaMostraOPedidoEDevolveOBotao_data() {
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<Icone>("icone");
    QTest::addColumn<Botoes>("botoes");
    QTest::addColumn<int>("pressionado");
    QTest::addColumn<QString>("tituloVisto");
    QTest::addColumn<int>("iconeVisto");
    QTest::addColumn<Resposta>("resposta");
    const QString app = QStringLiteral(":: Quelmonte ::  Impressão de Etiquetas - Vs. (1.0.0.0)");
    QTest::newRow("sem titulo") << QString() << Icone::Nenhum << Botoes::Ok << int(QMessageBox::Ok)
                                << app << int(QMessageBox::NoIcon) << Resposta::Ok;
    QTest::newRow("critica") << QStringLiteral("Erro !") << Icone::Critico << Botoes::Ok
                             << int(QMessageBox::Ok) << QStringLiteral("Erro !")
                             << int(QMessageBox::Critical) << Resposta::Ok;
    QTest::newRow("pergunta sim") << QStringLiteral("Impressão") << Icone::Pergunta
                                  << Botoes::SimNao << int(QMessageBox::Yes)
                                  << QStringLiteral("Impressão") << int(QMessageBox::Question)
                                  << Resposta::Sim;
    QTest::newRow("pergunta nao") << QStringLiteral("Impressão") << Icone::Pergunta
                                  << Botoes::SimNao << int(QMessageBox::No)
                                  << QStringLiteral("Impressão") << int(QMessageBox::Question)
                                  << Resposta::Nao;
    QTest::newRow("informacao") << QString() << Icone::Informacao << Botoes::Ok
                                << int(QMessageBox::Ok) << app << int(QMessageBox::Information)
                                << Resposta::Ok;
}

void TestePlataformaQt::caixaMostraOPedidoEDevolveOBotao() {
    QFETCH(QString, titulo);
    QFETCH(Icone, icone);
    QFETCH(Botoes, botoes);
    QFETCH(int, pressionado);
    QFETCH(QString, tituloVisto);
    QFETCH(int, iconeVisto);
    QFETCH(Resposta, resposta);

    PlataformaQt plataforma;
    plataforma.cursorOcupado(true);
    CaixaVista vista;
    responderQuandoAparecer(vista, QMessageBox::StandardButton(pressionado));
    // Texts cross the seam as Windows-1252.
    const Resposta r = plataforma.mensagem("Não foi selecionado nenhum Pedido <b>!</b>",
                                           utf8ParaCp1252(titulo.toStdString()), icone, botoes);
    plataforma.cursorOcupado(false);
    QCOMPARE(r, resposta);
    QCOMPARE(vista.titulo, tituloVisto);
    QCOMPARE(vista.texto, QStringLiteral("Não foi selecionado nenhum Pedido <b>!</b>"));
    QCOMPARE(int(vista.icone), iconeVisto);
    QCOMPARE(vista.botoes, botoes == Botoes::SimNao
                               ? (QMessageBox::Yes | QMessageBox::No)
                               : QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(vista.cursorNormal);
    QVERIFY(!QApplication::overrideCursor());
}

void TestePlataformaQt::ponteiroOcupadoNaoSeAcumula() {
    PlataformaQt plataforma;
    plataforma.cursorOcupado(true);
    plataforma.cursorOcupado(true);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    plataforma.cursorOcupado(false);
    QVERIFY(!QApplication::overrideCursor());
    plataforma.cursorOcupado(false);
    QVERIFY(!QApplication::overrideCursor());
}

void TestePlataformaQt::tituloDaAplicacaoTemAVersao() {
    PlataformaQt plataforma;
    QCOMPARE(plataforma.tituloAplicacao(),
             std::string(":: Quelmonte ::  Impressão de Etiquetas - Vs. (1.0.0.0)"));
}

QTEST_MAIN(TestePlataformaQt)
#include "TestePlataformaQt.moc"
