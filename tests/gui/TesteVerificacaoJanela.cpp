// The check before a print in the real window, driven by keys and clicks.

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <functional>

#include "ApoioJanela.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "gui/FrmEtiqueta.h"

using namespace etiquetas;

using teste::botao;
using teste::botaoDaCaixa;

class TesteVerificacaoJanela : public QObject {
    Q_OBJECT

  private slots:
    void enterCancelaVisualizarMostraEImprimirMesmoAssimImprime() {
        teste::AplicacaoNaPasta a(teste::scriptGravador());
        {
            const auto modelo = a.caminho() / "QuelmonteEtiqPrecoCartolinaZebra.zpl";
            std::string texto = lerArquivo(modelo).value_or("");
            substituirTodos(texto, "^FDCOR^FS", "^FD:: COR_ALTERNATIVA ::^FS");
            std::ofstream(modelo, std::ios::binary) << texto;
        }
        auto& app = *a.app;
        FrmEtiqueta janela(app);
        janela.show();
        bool previaAberta = false;
        std::vector<std::string> avisosDaPrevia;
        app.mostrarPrevia = [&](PaginasPrevia& paginas) {
            previaAberta = true;
            avisosDaPrevia = paginas.avisos();
        };
        a.abrir("Quelmonte_Preco_Cartolina_teste.xml");
        auto& j = app.janela();
        j.cmbImpressora.selecionar(1);
        j.sprPedidos.definirTexto(1, 1, "1");
        QString texto;  // what the check's box said
        const auto imprimir = [&](std::function<void(QMessageBox&)> acao) {
            a.plataforma.mensagens.clear();
            texto.clear();
            teste::quandoAbrir<QMessageBox>([&texto, acao](QMessageBox& caixa) {
                texto = caixa.text();
                acao(caixa);
            });
            QTest::mouseClick(botao(janela, "cmdImprimir"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!app.comandoEmCurso(), 60000);
        };

        // Enter does not print past an error: "Cancelar" is the default.
        imprimir([](QMessageBox& caixa) { QTest::keyClick(&caixa, Qt::Key_Return); });
        QVERIFY2(texto.contains(QStringLiteral("Linha 1 (pedido 4500123456")), qPrintable(texto));
        QVERIFY2(texto.contains(QStringLiteral("\":: COR_ALTERNATIVA ::\" não foi preenchido")),
                 qPrintable(texto));
        QCOMPARE(a.plataforma.mensagens.size(), std::size_t{1});  // no confirmation asked
        QCOMPARE(a.trabalhos(), 0);
        QVERIFY(botao(janela, "cmdImprimir")->isEnabled());

        imprimir([](QMessageBox& caixa) {
            QTest::mouseClick(botaoDaCaixa(caixa, QStringLiteral("&Visualizar")), Qt::LeftButton);
        });
        QTRY_VERIFY(previaAberta);
        QCOMPARE(a.trabalhos(), 0);
        // The preview lists what the check found first among its warnings.
        QVERIFY(!avisosDaPrevia.empty());
        QVERIFY2(avisosDaPrevia.front().find("COR_ALTERNATIVA") != std::string::npos,
                 avisosDaPrevia.front().c_str());

        imprimir([](QMessageBox& caixa) {
            QTest::mouseClick(botaoDaCaixa(caixa, QStringLiteral("&Imprimir mesmo assim")),
                              Qt::LeftButton);
        });
        QVERIFY(a.trabalhos() > 0);
        QCOMPARE(a.plataforma.mensagens.back().second, std::string("Fim da Impressão"));
    }

    // Escape stops a check of twenty thousand rows within a second, nothing sent.
    void cancelarParaAVerificacaoLonga() {
        teste::AplicacaoNaPasta a(teste::scriptGravador());
        {
            std::string texto =
                lerArquivo(a.caminho() / "Quelmonte_Preco_Cartolina_teste.xml").value_or("");
            const auto inicio = texto.find("      <Variante ");
            const auto fim = texto.find('<', texto.find("</Variante>", inicio) + 1);
            QVERIFY(inicio != std::string::npos && fim > inicio);
            std::string variantes;
            for (int i = 0; i < 20000; ++i) variantes.append(texto, inicio, fim - inicio);
            texto.replace(inicio, fim - inicio, variantes);
            std::ofstream(a.caminho() / "grande.xml", std::ios::binary) << texto;
            // Labels of a thousand fields, more than the reader remembers, so
            // that every label is read whole and the check is long in any
            // build: the template's fields again and again, each time lower.
            const auto modelo = a.caminho() / "QuelmonteEtiqPrecoCartolinaZebra.zpl";
            std::string zpl = lerArquivo(modelo).value_or("");
            const auto corpo = zpl.find("#INICIO#") + 8, fimCorpo = zpl.find("#FIM#");
            QVERIFY(corpo > 8 && fimCorpo != std::string::npos);
            const std::string campos = zpl.substr(corpo, fimCorpo - corpo);
            for (int i = 1; i <= 30; ++i)
                zpl.insert(corpo, "^LH0," + std::to_string(600 * i) + "\n" + campos);
            std::ofstream(modelo, std::ios::binary) << zpl;
        }
        auto& app = *a.app;
        FrmEtiqueta janela(app);
        janela.show();
        QApplication::setActiveWindow(&janela);
        a.abrir("grande.xml");
        app.janela().cmbImpressora.selecionar(1);
        auto& grade = app.janela().sprPedidos;
        for (int l = 1; l <= grade.linhas(); ++l) grade.definirTexto(l, 1, "1");
        QVERIFY(grade.marcada(20000));
        a.plataforma.mensagens.clear();

        QElapsedTimer relogio;
        bool emCursoAoCancelar = false;
        QTimer::singleShot(500, &janela, [&] {
            emCursoAoCancelar = app.comandoEmCurso() && a.plataforma.mensagens.empty();
            relogio.start();
            QTest::keyClick(&janela, Qt::Key_Escape);
        });
        QTest::mouseClick(botao(janela, "cmdImprimir"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!app.comandoEmCurso(), 60000);
        const qint64 ateParar = relogio.elapsed();

        QVERIFY(emCursoAoCancelar);
        QVERIFY2(ateParar < 1000, qPrintable(QString::number(ateParar)));
        QCOMPARE(a.trabalhos(), 0);
        QCOMPARE(a.plataforma.mensagens.size(), std::size_t{1});  // no question asked
        QCOMPARE(a.plataforma.mensagens.back().first,
                 std::string("Impressão interrompida a pedido do usuário.\nNenhuma etiqueta "
                             "foi impressa."));
    }
};

QTEST_MAIN(TesteVerificacaoJanela)
#include "TesteVerificacaoJanela.moc"
