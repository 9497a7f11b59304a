// The chosen printer's state in the real window, shown on request and before a run.

#include <QLabel>
#include <QMessageBox>
#include <QtTest>
#include <fstream>
#include <functional>

#include "../apoio/ImpressoraSimulada.h"
#include "ApoioJanela.h"
#include "gui/FrmEtiqueta.h"

using namespace etiquetas;
using namespace Qt::StringLiterals;
using teste::botao;
using Modo = apoio::ImpressoraSimulada::Modo;

class TesteEstadoImpressoraJanela : public QObject {
    Q_OBJECT

  private slots:
    void estadoAoLadoDaEscolhaERecusaAteFicarPronta() {
        teste::AplicacaoNaPasta a(teste::scriptGravador());
        std::ofstream(a.caminho() / "QuelmonteConfig.ini", std::ios::binary)
            << "[Impressao]\r\nLimiteRespostaSegundos=1\r\nLimiteFimImpressaoSegundos=2\r\n"
               "IntervaloConsultaSegundos=0\r\n";
        apoio::ImpressoraSimulada impressora(false, Modo::SemPapel);
        auto& app = *a.app;
        FrmEtiqueta janela(app);
        janela.show();
        a.abrir("Quelmonte_Preco_Cartolina_teste.xml");
        auto& j = app.janela();
        j.cmbImpressora.selecionar(1);  // Zebra
        j.sprPedidos.definirTexto(1, 1, "1");
        auto* estado = teste::achar<QLabel>(janela, "lblEstadoImpressora");
        app.escolherDestino(false, "LPT1");
        QCOMPARE(estado->text(), u"não consultável"_s);
        // An unreachable printer says why, and the window still fits its screen.
        std::string fechada;
        {
            apoio::ImpressoraSimulada ninguem;
            fechada = ninguem.endereco();
        }
        app.escolherDestino(true, fechada);
        QTest::mouseClick(botao(janela, "cmdEstadoImpressora"), Qt::LeftButton);
        const QString conexao =
            u"Não foi possível conectar à impressora "_s + QString::fromLatin1(fechada);
        QTRY_VERIFY2(estado->text().startsWith(conexao), qPrintable(estado->text()));
        QVERIFY(estado->toolTip().startsWith(conexao));
        QVERIFY(janela.minimumSizeHint().width() <= 1024);
        app.escolherDestino(true, impressora.endereco());
        QCOMPARE(estado->text(), QString());
        QTest::mouseClick(botao(janela, "cmdEstadoImpressora"), Qt::LeftButton);
        QTRY_COMPARE(estado->text(), u"sem papel"_s);

        QString texto;
        QStringList botoes;
        const auto imprimir = [&](std::function<void(QMessageBox&)> acao) {
            teste::quandoAbrir<QMessageBox>([&, acao](QMessageBox& caixa) {
                texto = caixa.text();
                botoes.clear();
                for (auto* b : caixa.buttons()) botoes << b->text();
                acao(caixa);
            });
            QTest::mouseClick(botao(janela, "cmdImprimir"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!app.comandoEmCurso(), 30000);
        };
        // A printer that says what is wrong is never printed to anyway.
        imprimir([](QMessageBox& caixa) {
            QTest::mouseClick(teste::botaoDaCaixa(caixa, u"Cancelar"_s), Qt::LeftButton);
        });
        QVERIFY2(texto.contains(u"não está pronta: sem papel."_s), qPrintable(texto));
        QCOMPARE(botoes, (QStringList{u"Tentar de novo"_s, u"Cancelar"_s}));
        QCOMPARE(impressora.recebido(), std::string());

        impressora.definirModo(Modo::EmPausa);
        imprimir([&](QMessageBox& caixa) {
            impressora.definirModo(Modo::Pronta);
            QTest::mouseClick(teste::botaoDaCaixa(caixa, u"Tentar de novo"_s), Qt::LeftButton);
        });
        QVERIFY2(texto.contains(u"em pausa"_s), qPrintable(texto));
        QVERIFY(impressora.etiquetas() > 0);
        QCOMPARE(estado->text(), u"pronta"_s);
        QCOMPARE(a.plataforma.mensagens.back().second, std::string("Fim da Impressão"));
        QCOMPARE(a.trabalhos(), 0);  // on the program's own connection, not the script

        // Printed to although silent: nothing stops the run; only its end stays unconfirmed.
        impressora.definirModo(Modo::Muda);
        j.sprPedidos.definirTexto(2, 1, "1");
        imprimir([](QMessageBox& caixa) {
            QTest::mouseClick(teste::botaoDaCaixa(caixa, u"Imprimir assim mesmo"_s),
                              Qt::LeftButton);
        });
        QCOMPARE(botoes,
                 (QStringList{u"Tentar de novo"_s, u"Imprimir assim mesmo"_s, u"Cancelar"_s}));
        const auto& fim = a.plataforma.mensagens.back();
        QCOMPARE(fim.second, std::string("Fim da Impressão"));
        QVERIFY2(fim.first.find("a impressora não respondeu ao fim") != std::string::npos,
                 fim.first.c_str());
    }
};

QTEST_MAIN(TesteEstadoImpressoraJanela)
#include "TesteEstadoImpressoraJanela.moc"
