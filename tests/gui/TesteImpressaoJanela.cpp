// A run in the real window: controls locked; "Cancelar" and Escape stop after the job.

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "ApoioJanela.h"
#include "gui/FrmEtiqueta.h"
#include "gui/TabelaGrade.h"

using namespace etiquetas;

using teste::botao;

class TesteImpressaoJanela : public QObject {
    Q_OBJECT

  private slots:
    void cancelarParaDepoisDoTrabalhoEmCurso() {
        // A slow printer: each job takes 5 seconds and leaves a file.
        teste::AplicacaoNaPasta a(teste::scriptGravador(5));
        auto& app = *a.app;
        auto& plataforma = a.plataforma;
        FrmEtiqueta janela(app);
        janela.show();
        a.abrir("Quelmonte_Preco_Cartolina_teste.xml");
        auto& j = app.janela();
        j.cmbImpressora.selecionar(1);
        j.sprPedidos.definirTexto(1, 1, "1");
        j.sprPedidos.definirTexto(1, 23, "1");
        j.sprPedidos.definirTexto(1, 24, "60");
        plataforma.mensagens.clear();

        // The window's own timer keeps its pace while the script sleeps.
        QElapsedTimer relogio;
        qint64 ultimoTique = 0, maiorIntervalo = 0;
        int tiques = 0;
        QTimer pulso;
        QObject::connect(&pulso, &QTimer::timeout, [&] {
            const qint64 agora = relogio.elapsed();
            maiorIntervalo = std::max(maiorIntervalo, agora - ultimoTique);
            ultimoTique = agora;
            ++tiques;
        });
        bool travadaDurante = false;
        QString contagem, legenda;
        QTimer::singleShot(100, &janela, [&] {
            QTRY_VERIFY(botao(janela, "cmdCancelar")->isVisible());
            travadaDurante = !botao(janela, "cmdLocalizar")->isEnabled() &&
                             !botao(janela, "cmdSair")->isEnabled() &&
                             !botao(janela, "cmdImprimir")->isEnabled();
            // The count on the bar, and in the frame's caption for a screen reader.
            auto* barra = teste::achar<QProgressBar>(janela, "ProgressBar1");
            QTRY_VERIFY(barra->isTextVisible());
            contagem = barra->text();
            legenda = teste::achar<QGroupBox>(janela, "frameBarra")->title();
            QTRY_COMPARE(janela.sprPedidos().selectionModel()->selectedRows().size(), 1);
            // The picture in docs/: ETIQUETAS_CAPTURAS=folder.
            if (const QString pasta = qEnvironmentVariable("ETIQUETAS_CAPTURAS");
                !pasta.isEmpty()) {
                janela.resize(1024, 768);
                QApplication::processEvents();
                janela.grab().save(pasta + QStringLiteral("/impressao-em-andamento-1024x768.png"));
            }
            QApplication::setActiveWindow(&janela);
            QTest::keyClick(&janela, Qt::Key_Escape);  // as "Cancelar"
        });
        relogio.start();
        pulso.start(20);
        QTest::mouseClick(botao(janela, "cmdImprimir"), Qt::LeftButton);
        QVERIFY(app.comandoEmCurso());  // the click came back at once
        QTRY_VERIFY_WITH_TIMEOUT(!app.comandoEmCurso(), 60000);
        pulso.stop();

        QVERIFY(travadaDurante);
        QCOMPARE(contagem, QStringLiteral("0 de 60 etiquetas"));
        QCOMPARE(legenda, QStringLiteral("Etiquetas enviadas à impressora: 0 de 60 etiquetas"));
        QCOMPARE(a.trabalhos(), 1);
        QVERIFY2(tiques > 100, qPrintable(QString::number(tiques)));
        QVERIFY2(maiorIntervalo < 1000, qPrintable(QString::number(maiorIntervalo)));
        QCOMPARE(plataforma.mensagens.back().second, std::string("Fim da Impressão"));
        const std::string& fim = plataforma.mensagens.back().first;
        QVERIFY(fim.starts_with("Impressão interrompida"));
        // The row stays ticked and starts where the end says the run stopped.
        const std::string proxima = "Próxima sequência não impressa: ";
        const auto p = fim.find(proxima);
        QVERIFY(p != std::string::npos);
        const auto numero = fim.substr(p + proxima.size(), fim.find('.', p) - p - proxima.size());
        QCOMPARE(j.sprPedidos.texto(1, 23), numero);
        QVERIFY(j.sprPedidos.marcada(1));
        QVERIFY(fim.find("Retomar na linha 1: pedido ") != std::string::npos);
        QVERIFY(botao(janela, "cmdImprimir")->isEnabled());
        QVERIFY(botao(janela, "cmdLocalizar")->isEnabled());
        QVERIFY(botao(janela, "cmdCancelar")->isHidden());
        // The focus is back on the grid, not on "Sair" where Space would quit...
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("sprPedidos"));
        // ...and "Sair" asks before leaving rows ticked and not printed.
        plataforma.respostaPerguntas = Resposta::Nao;
        QTest::mouseClick(botao(janela, "cmdSair"), Qt::LeftButton);
        QCOMPARE(plataforma.mensagens.back().second, std::string("Sair"));
    }

    // The grid selects each row as it goes out; the end stays in the status line a while.
    void linhaEmImpressaoSelecionadaNaGrade() {
        teste::AplicacaoNaPasta a(teste::scriptGravador(1));
        FrmEtiqueta janela(*a.app);
        janela.show();
        QApplication::setActiveWindow(&janela);
        a.abrir("Quelmonte_Preco_Cartolina_teste.xml");
        teste::achar<QComboBox>(janela, "cmbImpressora")->setCurrentIndex(1);
        TabelaGrade& tabela = janela.sprPedidos();
        tabela.setFocus();
        QTest::keyClick(&tabela, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&tabela, Qt::Key_Space);
        auto* status = teste::achar<QLabel>(janela, "StatusBar1");
        const QString doArquivo = status->text();

        QString vistas;  // the rows selected one at a time, in order
        QTimer amostra;
        QObject::connect(&amostra, &QTimer::timeout, [&] {
            const auto linhas = tabela.selectionModel()->selectedRows();
            if (linhas.size() != 1) return;
            const QString linha = QString::number(linhas[0].row() + 1);
            if (!vistas.endsWith(linha)) vistas += linha;
        });
        amostra.start(20);
        QTest::mouseClick(botao(janela, "cmdImprimir"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!a.app->comandoEmCurso(), 30000);
        amostra.stop();

        QCOMPARE(vistas, QStringLiteral("123"));
        QCOMPARE(status->text(), QStringLiteral("Etiquetas impressas com Sucesso. . ."));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), doArquivo, 12000);
    }
};

QTEST_MAIN(TesteImpressaoJanela)
#include "TesteImpressaoJanela.moc"
