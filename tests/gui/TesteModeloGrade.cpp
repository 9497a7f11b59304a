// The grid adapters: sound Qt models through loads and edits, real changes only reaching the
// grid, hidden columns followed.

#include <QAbstractItemModelTester>
#include <QFont>
#include <QtTest>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "gui/ModeloGrade.h"
#include "gui/TabelaGrade.h"

using namespace etiquetas;

namespace {

// Rows "r1c2", "r1c3", ... so a misplaced cell shows which one it is.
void preencher(Grade& grade, int linhas) {
    std::vector<std::string> celulas;
    for (int l = 1; l <= linhas; ++l)
        for (int c = 1; c <= grade.colunas(); ++c)
            celulas.push_back(c == 1 ? "0" : "r" + std::to_string(l) + "c" + std::to_string(c));
    grade.substituirConteudo(linhas, std::move(celulas));
}

}  // namespace

class TesteModeloGrade : public QObject {
    Q_OBJECT

  private slots:
    void modeloConsistenteEAcoesChegamAGrade_data() {
        QTest::addColumn<bool>("precos");
        QTest::addColumn<int>("editavel");  // the sequence or box-count column
        QTest::newRow("precos") << true << 23;
        QTest::newRow("volumes") << false << 10;
    }

    void modeloConsistenteEAcoesChegamAGrade() {
        QFETCH(bool, precos);
        QFETCH(int, editavel);
        Grade grade = precos ? Grade("sprPedidos", colunasPedidosPreco())
                             : Grade("vaVolume", colunasVolume());
        ModeloGrade modelo(grade);
        QAbstractItemModelTester tester(&modelo,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        preencher(grade, 3);
        QCOMPARE(modelo.rowCount(), 3);
        QCOMPARE(modelo.columnCount(), grade.colunas());
        grade.definirTexto(1, 2, "Confecções Araújo");  // Windows-1252 inside the grid
        QCOMPARE(modelo.index(0, 1).data().toString(), QStringLiteral("Confecções Araújo"));
        QCOMPARE(modelo.index(0, editavel - 1).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::red));

        std::vector<int> caixas;
        std::vector<std::pair<int, int>> edicoes;
        grade.caixaClicada.conectar([&](int l) { caixas.push_back(l); });
        grade.celulaEditada.conectar([&](int l, int c) { edicoes.emplace_back(l, c); });
        const QModelIndex caixa = modelo.index(1, 0);
        QVERIFY(modelo.setData(caixa, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(modelo.setData(caixa, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(caixas, std::vector<int>{2});
        QCOMPARE(grade.texto(2, 1), std::string("1"));
        QCOMPARE(caixa.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        grade.definirNegrito(2, true);
        QVERIFY(modelo.index(1, 3).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(modelo.setData(caixa, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(grade.texto(2, 1), std::string("0"));

        const QModelIndex celula = modelo.index(0, editavel - 1);
        QVERIFY(modelo.setData(celula, QStringLiteral("120"), Qt::EditRole));
        QVERIFY(modelo.setData(celula, QStringLiteral("120"), Qt::EditRole));
        QCOMPARE(edicoes, (std::vector<std::pair<int, int>>{{1, editavel}}));
        QCOMPARE(grade.texto(1, editavel), std::string("120"));
        // Read-only cells refuse edits; the check box refuses text.
        QVERIFY(!modelo.setData(modelo.index(0, 1), QStringLiteral("x"), Qt::EditRole));
        QVERIFY(!modelo.setData(modelo.index(0, 0), QStringLiteral("1"), Qt::EditRole));
        QCOMPARE(grade.texto(1, 1), std::string("0"));

        grade.definirLinhas(5);
        QCOMPARE(modelo.rowCount(), 5);
        grade.suspenderAvisos();
        preencher(grade, 2);
        grade.retomarAvisos();
        QCOMPARE(modelo.rowCount(), 2);
        grade.definirLinhas(0);
        QCOMPARE(modelo.rowCount(), 0);
    }

    void tabelaSegueColunasOcultasDaGrade() {
        QWidget pai;
        Grade grade("sprPedidos", colunasPedidosPreco());
        TabelaGrade tabela(grade, &pai);
        pai.show();
        const auto conferir = [&] {
            for (int c = 1; c <= grade.colunas(); ++c)
                QVERIFY2(tabela.isColumnHidden(c - 1) == grade.coluna(c).oculta,
                         qPrintable(QString::number(c)));
        };
        conferir();
        grade.definirOculta(7, false);
        grade.definirOculta(4, true);
        conferir();
        QVERIFY(!tabela.isColumnHidden(6));
        QVERIFY(tabela.isColumnHidden(3));
        grade.definirVisivel(false);
        QVERIFY(tabela.isHidden());
    }
};

QTEST_MAIN(TesteModeloGrade)
#include "TesteModeloGrade.moc"
