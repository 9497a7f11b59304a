// The window's prints and the history, and the "Histórico" view.

#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "../apoio/ExecucaoGravada.h"
#include "ApoioJanela.h"
#include "app/Reimpressao.h"
#include "comum/CamposGrade.h"
#include "gui/FrmEtiqueta.h"
#include "gui/FrmHistorico.h"
#include "gui/TabelaGrade.h"
#include "historico/HistoricoImpressao.h"

using namespace etiquetas;
using namespace Qt::StringLiterals;

namespace {

struct JanelaComHistorico {
    explicit JanelaComHistorico(const std::filesystem::path& historico = {})
        : a(teste::scriptGravador()), janela(*a.app) {
        arquivo = historico.empty() ? a.caminho() / "historico.sqlite" : historico;
        a.app->servico().usarHistorico(arquivo, FalhaDoHistorico::Perguntar);
        janela.show();
        a.abrir("Quelmonte_Preco_Cartolina_teste.xml");
        a.app->janela().cmbImpressora.selecionar(1);
        // Row 1 as a file that asks for sequences 1 to 20.
        auto& grade = a.app->janela().sprPedidos;
        grade.definirTexto(1, coluna(CampoPreco::SequenciaInicialOriginal), "1");
        grade.definirTexto(1, coluna(CampoPreco::SequenciaFinalOriginal), "20");
    }

    // Row 1 ticked with the range, then "Imprimir" until the run ends.
    void imprimir(int primeira, int ultima) {
        auto& grade = a.app->janela().sprPedidos;
        grade.definirTexto(1, 1, "1");
        grade.definirTexto(1, 23, std::to_string(primeira));
        grade.definirTexto(1, 24, std::to_string(ultima));
        QTest::mouseClick(teste::achar<QPushButton>(janela, "cmdImprimir"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!a.app->comandoEmCurso(), 30000);
    }

    // The label rows recorded, newest first.
    std::vector<LinhaHistorico> registradas() {
        std::vector<LinhaHistorico> r;
        HistoricoImpressao h(arquivo);
        h.percorrer({}, 0, 1000, [&](const LinhaHistorico& l) {
            if (l.origem.ultima > 0) r.push_back(l);
            return true;
        });
        return r;
    }

    bool perguntou(const std::string& titulo) const {
        const auto& m = a.plataforma.mensagens;
        return std::any_of(m.begin(), m.end(), [&](const auto& x) { return x.second == titulo; });
    }

    teste::AplicacaoNaPasta a;
    FrmEtiqueta janela;
    std::filesystem::path arquivo;
};

// Answers the next box with the button `botao` (Escape when empty); `texto` gets it.
void responder(const QString& botao, QString& texto) {
    teste::quandoAbrir<QMessageBox>([botao, &texto](QMessageBox& caixa) {
        texto = caixa.windowTitle() + u'\n' + caixa.text();
        if (botao.isEmpty()) return QTest::keyClick(&caixa, Qt::Key_Escape);
        for (auto* b : caixa.buttons())
            if (b->text() == botao) return b->click();
        caixa.reject();
    });
}

}  // namespace

class TesteHistoricoJanela : public QObject {
    Q_OBJECT

  private slots:
    void repeticaoPerguntadaAntesDaConfirmacao_data() {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<int>("etiquetas");  // of the second run, 1-16 after 5-10
        QTest::newRow("tudo de novo") << QStringLiteral("Imprimir tudo de novo") << 16;
        // 1-4 and 11-16, both recorded under the grid's row 1.
        QTest::newRow("só o que nunca foi impresso")
            << QStringLiteral("Só o que nunca foi impresso") << 10;
        QTest::newRow("Escape cancela") << QString() << 0;
    }

    void repeticaoPerguntadaAntesDaConfirmacao() {
        QFETCH(QString, botao);
        QFETCH(int, etiquetas);
        JanelaComHistorico j;
        j.imprimir(5, 10);
        QCOMPARE(j.a.trabalhos() > 0, true);
        const auto antes = j.registradas().size();
        const int trabalhosAntes = j.a.trabalhos();
        j.a.plataforma.mensagens.clear();

        QString caixa;
        responder(botao, caixa);
        // Cartolina labels go in pairs: even ranges print just what they ask.
        j.imprimir(1, 16);
        QVERIFY2(caixa.startsWith(u"Etiquetas já impressas\nSequências 5-10 da variante "_s),
                 qPrintable(caixa));
        QVERIFY(caixa.contains(u" já impressas em "_s));
        // Cancelar ends before the confirmation; the other two go on to it.
        QCOMPARE(j.perguntou("Impressão de Etiquetas"), etiquetas > 0);

        auto novas = j.registradas();
        novas.resize(novas.size() - antes);
        int total = 0, menor = 0;
        for (const auto& l : novas) {
            QCOMPARE(l.origem.linha, 1);
            QCOMPARE(l.desfecho, DesfechoTrabalho::Enviada);
            total += static_cast<int>(l.origem.ultima - l.origem.primeira + 1);
            menor = menor ? std::min<int>(menor, l.origem.primeira) : l.origem.primeira;
        }
        QCOMPARE(total, etiquetas);
        QCOMPARE(menor, etiquetas > 0 ? 1 : 0);
        QCOMPARE(j.a.trabalhos() > trabalhosAntes, etiquetas > 0);
    }

    void historicoInutilizavelPerguntaSeImprimeSemRegistro() {
        // A history under a plain file has no folder to live in.
        QTemporaryDir pasta;
        const auto comum = std::filesystem::path(pasta.path().toStdString()) / "comum";
        std::ofstream(comum) << "x";
        JanelaComHistorico j(comum / "historico.sqlite");
        for (const Resposta resposta : {Resposta::Nao, Resposta::Sim}) {
            j.a.plataforma.mensagens.clear();
            j.a.plataforma.respostaPerguntas = resposta;
            j.imprimir(1, 3);
            const auto& primeira = j.a.plataforma.mensagens.front();
            QCOMPARE(primeira.second, std::string("Histórico de Impressões"));
            QVERIFY(primeira.first.ends_with("Imprimir mesmo assim, sem registrar no histórico?"));
            QCOMPARE(j.a.trabalhos() > 0, resposta == Resposta::Sim);
        }
    }

    // The view pages as it scrolls, newest first; a filter starts over; the export takes all.
    void vistaEmPaginasFiltradaEExportada() {
        QTemporaryDir pasta;
        const auto arquivo = std::filesystem::path(pasta.path().toStdString()) / "historico.sqlite";
        const int total = ModeloHistorico::kPagina * 2 + 50;
        {
            HistoricoImpressao h(arquivo);
            auto reimpressao = apoio::execucaoGravada();
            reimpressao.reimpressao = true;
            const long long e = h.iniciarExecucao(reimpressao);
            for (int n = 1; n <= total; ++n)
                apoio::gravarTrabalho(h, e, n, "0000000123-5", n, n, DesfechoTrabalho::Enviada,
                                      n % 10 == 0 ? "4513" : "4512");
            h.concluirExecucao(e, DesfechoExecucao::Concluida);
        }
        teste::PlataformaTeste plataforma;
        FrmHistorico vista(plataforma, arquivo);
        vista.show();
        QVERIFY(teste::achar<QLabel>(vista, "lblArquivoHistorico")
                    ->text()
                    .endsWith(QString::fromStdString(arquivo.string())));
        auto& modelo = vista.modelo();
        QCOMPARE(modelo.rowCount(), ModeloHistorico::kPagina);
        QCOMPARE(modelo.linha(0).origem.primeira, total);
        auto* tabela = teste::achar<QTableView>(vista, "tblHistorico");
        for (int i = 0; i < 10 && modelo.canFetchMore({}); ++i) {
            tabela->scrollToBottom();
            QApplication::processEvents();
        }
        QCOMPARE(modelo.rowCount(), total);
        QCOMPARE(modelo.linha(total - 1).origem.primeira, 1);

        // The picture in docs/: ETIQUETAS_CAPTURAS=folder.
        if (const QString pasta = qEnvironmentVariable("ETIQUETAS_CAPTURAS"); !pasta.isEmpty()) {
            vista.resize(1024, 768);
            QApplication::processEvents();
            vista.grab().save(pasta + u"/historico-1024x768.png"_s);
        }
        // Beside the run's number: how the run ended, and that it was a reprint.
        QString aoLado;
        for (int visual : {2, 3}) {
            const int c = tabela->horizontalHeader()->logicalIndex(visual);
            aoLado += modelo.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() + u": "_s +
                      modelo.index(0, c).data().toString() + u"; "_s;
        }
        QCOMPARE(aoLado, u"Resultado da impressão: concluída; Reimpressão: reimpressão; "_s);

        // The order, and the variant as the grid shows it (18 digits).
        QTest::keyClicks(teste::achar<QLineEdit>(vista, "txtPedido"), u"4513"_s);
        QTest::keyClicks(teste::achar<QLineEdit>(vista, "txtVariante"), u"000000000000000123"_s);
        QTest::mouseClick(teste::achar<QPushButton>(vista, "cmdFiltrar"), Qt::LeftButton);
        QCOMPARE(modelo.rowCount(), total / 10);
        // In columns for a spreadsheet set for Brazil, and it says where.
        const auto csv = std::filesystem::path(pasta.path().toStdString()) / "h.csv";
        QVERIFY(vista.exportarCsv(csv));
        std::ifstream lido(csv, std::ios::binary);
        std::vector<std::string> linhas;
        for (std::string l; std::getline(lido, l);) linhas.push_back(l);
        QCOMPARE(linhas.size(), std::size_t(1 + total / 10));
        QVERIFY(linhas[0].starts_with("\xEF\xBB\xBF"));
        QVERIFY(QString::fromUtf8(linhas[0]).startsWith(u"Nº;Impressão;Data e hora;"_s));
        QCOMPARE(std::count(linhas[1].begin(), linhas[1].end(), ';'), 20);
        QCOMPARE(plataforma.mensagens.back().first,
                 std::to_string(total / 10) + " linhas exportadas para " + csv.string() + ".");

        teste::achar<QLineEdit>(vista, "txtDesde")->setText(QStringLiteral("07/12/2026"));
        QVERIFY(!vista.filtrar());
        QCOMPARE(plataforma.mensagens.back().second, std::string("Histórico de Impressões"));
        QCOMPARE(modelo.rowCount(), total / 10);  // the table as it was
    }

    // A reprint from label 5 chosen in the view sets row 1 to 5-10; other ticks are asked.
    void reimpressaoDaVistaMarcaORestante() {
        JanelaComHistorico j;
        j.imprimir(1, 10);
        auto& app = *j.a.app;
        auto& grade = app.janela().sprPedidos;
        grade.definirTexto(1, 1, "0");
        app.janela().cmbImpressora.selecionar(0);

        FrmHistorico vista(j.a.plataforma, j.arquivo);
        vista.reimprimir = [&app](const RestanteExecucao& r) { return app.reimprimirAPartirDe(r); };
        vista.show();
        int linha = 0;
        while (!(vista.modelo().linha(linha).origem.primeira <= 5 &&
                 vista.modelo().linha(linha).origem.ultima >= 5))
            ++linha;
        auto* tabela = teste::achar<QTableView>(vista, "tblHistorico");
        const auto reimprimirDe5 = [&] {
            QTest::mouseClick(tabela->viewport(), Qt::LeftButton, {},
                              tabela->visualRect(vista.modelo().index(linha, 0)).center());
            teste::quandoAbrir<QInputDialog>([](QInputDialog& d) {
                auto* numero = d.findChild<QSpinBox*>();
                numero->selectAll();
                QTest::keyClicks(numero, u"5"_s);
                QTest::keyClick(numero, Qt::Key_Return);
            });
            QTest::mouseClick(teste::achar<QPushButton>(vista, "cmdReimprimir"), Qt::LeftButton);
        };
        // Row 2 ticked meanwhile and not printed: "Não" leaves it as it was.
        TabelaGrade& pedidos = j.janela.sprPedidos();
        pedidos.setCurrentIndex(pedidos.model()->index(1, 0));
        QTest::keyClick(&pedidos, Qt::Key_Space);
        j.a.plataforma.mensagens.clear();
        j.a.plataforma.respostaPerguntas = Resposta::Nao;
        reimprimirDe5();
        QCOMPARE(j.a.plataforma.mensagens.back().second, std::string("Reimprimir a partir de..."));
        QCOMPARE(std::to_string(grade.marcada(1)) + std::to_string(grade.marcada(2)) + " " +
                     grade.texto(1, 23) + "-" + grade.texto(1, 24),
                 std::string("01 1-10"));
        QVERIFY(vista.isVisible());
        j.a.plataforma.respostaPerguntas = Resposta::Sim;
        reimprimirDe5();
        QVERIFY(!vista.isVisible());
        // Ticked, range, printer line.
        QCOMPARE(std::to_string(grade.marcada(1)) + " " + grade.texto(1, 23) + "-" +
                     grade.texto(1, 24) + " " + std::to_string(app.janela().cmbImpressora.indice()),
                 std::string("1 5-10 1"));

        // A reprint asked from the history skips the repeat question.
        const auto antes = j.registradas().size();
        j.a.plataforma.mensagens.clear();
        QString caixa;
        responder(u"Cancelar"_s, caixa);
        QTest::mouseClick(teste::achar<QPushButton>(j.janela, "cmdImprimir"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!app.comandoEmCurso(), 30000);
        QVERIFY(!j.perguntou("Etiquetas já impressas"));
        auto novas = j.registradas();
        novas.resize(novas.size() - antes);
        QVERIFY(!novas.empty());
        QCOMPARE(novas.back().origem.primeira, 5);
        QCOMPARE(novas.front().origem.ultima, 10);
        // Recorded as a reprint, ended whole; the run it came from was none.
        const auto marca = [](const LinhaHistorico& l) {
            return std::string(textoDesfecho(l.execucao.desfecho)) +
                   (l.execucao.reimpressao ? " reimpressão" : "");
        };
        QCOMPARE(marca(novas.front()) + ", " + marca(j.registradas().back()),
                 std::string("concluída reimpressão, concluída"));
        // Printed whole, the same rows are asked about again like any other.
        j.imprimir(5, 10);
        QVERIFY(j.perguntou("Etiquetas já impressas"));
    }
};

QTEST_MAIN(TesteHistoricoJanela)
#include "TesteHistoricoJanela.moc"
