// The grid adapters: consistent as Qt models, the grid's notices become the
// model's signals, and what a person does in the view reaches the grid's
// user actions (and only real changes do).

#include <QAbstractItemModelTester>
#include <QFont>
#include <QSignalSpy>
#include <QtTest>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "gui/ModeloGrade.h"
#include "gui/TabelaGrade.h"

using namespace etiquetas;

namespace {

Grade gradeDoTipo(const QString& tipo) {
    return tipo == QStringLiteral("precos") ? Grade("sprPedidos", colunasPedidosPreco())
                                            : Grade("vaVolume", colunasVolume());
}

// Rows "r1c1", "r1c2", ... so a misplaced cell shows which one it is.
void preencher(Grade& grade, int linhas) {
    std::vector<std::string> celulas;
    for (int l = 1; l <= linhas; ++l)
        for (int c = 1; c <= grade.colunas(); ++c)
            celulas.push_back(c == 1 ? "0" : "r" + std::to_string(l) + "c" + std::to_string(c));
    grade.substituirConteudo(linhas, std::move(celulas));
}

int colunaEditavel(const Grade& g) {
    return g.nome() == "sprPedidos" ? 23 : 10;
}

}  // namespace

class TesteModeloGrade : public QObject {
    Q_OBJECT

  private slots:
    void modeloConsistenteAtravesDasMudancas_data();
    void modeloConsistenteAtravesDasMudancas();
    void papeisMostramCaixaTextoCorEFonte_data();
    void papeisMostramCaixaTextoCorEFonte();
    void acoesDaVistaChegamAGradeSoQuandoMudam_data();
    void acoesDaVistaChegamAGradeSoQuandoMudam();
    void avisosDaGradeViramSinaisDoModelo();
    void tabelaSegueColunasOcultasLargurasEVisibilidade();
};

void TesteModeloGrade::modeloConsistenteAtravesDasMudancas_data() {
    QTest::addColumn<QString>("tipo");
    QTest::newRow("precos") << QStringLiteral("precos");
    QTest::newRow("volumes") << QStringLiteral("volumes");
}

void TesteModeloGrade::modeloConsistenteAtravesDasMudancas() {
    QFETCH(QString, tipo);
    Grade grade = gradeDoTipo(tipo);
    ModeloGrade modelo(grade);
    QAbstractItemModelTester tester(&modelo,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    preencher(grade, 3);
    QCOMPARE(modelo.rowCount(), 3);
    QCOMPARE(modelo.columnCount(), grade.colunas());
    grade.clicarCaixa(2);
    grade.definirNegrito(2, true);
    grade.definirTexto(3, colunaEditavel(grade), "00000007");
    grade.definirLinhas(5);
    QCOMPARE(modelo.rowCount(), 5);
    grade.suspenderAvisos();
    preencher(grade, 2);
    grade.retomarAvisos();
    QCOMPARE(modelo.rowCount(), 2);
    grade.definirLinhas(0);
    QCOMPARE(modelo.rowCount(), 0);
}

void TesteModeloGrade::papeisMostramCaixaTextoCorEFonte_data() {
    modeloConsistenteAtravesDasMudancas_data();
}

void TesteModeloGrade::papeisMostramCaixaTextoCorEFonte() {
    QFETCH(QString, tipo);
    Grade grade = gradeDoTipo(tipo);
    ModeloGrade modelo(grade);
    modelo.definirFonteBase(10);
    preencher(grade, 2);
    grade.definirTexto(1, 2, "Confecções Araújo");  // Windows-1252 inside the grid
    const int editavel = colunaEditavel(grade);

    QCOMPARE(modelo.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Imprime ?"));
    QCOMPARE(modelo.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Fornecedor"));
    QCOMPARE(modelo.index(0, 1).data().toString(), QStringLiteral("Confecções Araújo"));

    const QModelIndex caixa = modelo.index(0, 0);
    QVERIFY(!caixa.data(Qt::DisplayRole).isValid());
    QCOMPARE(caixa.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(caixa.flags() & Qt::ItemIsUserCheckable);
    QVERIFY(!(caixa.flags() & Qt::ItemIsEditable));
    grade.definirTexto(1, 1, "1");
    QCOMPARE(caixa.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

    const QModelIndex sequencia = modelo.index(0, editavel - 1);
    QVERIFY(sequencia.flags() & Qt::ItemIsEditable);
    QCOMPARE(sequencia.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(!(modelo.index(0, 1).flags() & Qt::ItemIsEditable));
    QVERIFY(!modelo.index(0, 1).data(Qt::ForegroundRole).isValid());

    // A normal row takes the view's font; a ticked row is bold one point larger.
    QVERIFY(!modelo.index(1, 1).data(Qt::FontRole).isValid());
    grade.definirNegrito(1, true);
    grade.definirTamanhoFonte(1, 9);
    const QFont fonte = modelo.index(0, 3).data(Qt::FontRole).value<QFont>();
    QVERIFY(fonte.bold());
    QCOMPARE(fonte.pointSizeF(), 11.0);
}

void TesteModeloGrade::acoesDaVistaChegamAGradeSoQuandoMudam_data() {
    modeloConsistenteAtravesDasMudancas_data();
}

void TesteModeloGrade::acoesDaVistaChegamAGradeSoQuandoMudam() {
    QFETCH(QString, tipo);
    Grade grade = gradeDoTipo(tipo);
    ModeloGrade modelo(grade);
    preencher(grade, 2);
    std::vector<int> caixas;
    std::vector<std::pair<int, int>> edicoes;
    grade.caixaClicada.conectar([&](int l) { caixas.push_back(l); });
    grade.celulaEditada.conectar([&](int l, int c) { edicoes.emplace_back(l, c); });
    const int editavel = colunaEditavel(grade);

    QVERIFY(modelo.setData(modelo.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(modelo.setData(modelo.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(caixas, std::vector<int>{2});
    QCOMPARE(grade.texto(2, 1), std::string("1"));
    QVERIFY(modelo.setData(modelo.index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(grade.texto(2, 1), std::string("0"));
    QCOMPARE(caixas.size(), std::size_t(2));

    const QModelIndex celula = modelo.index(0, editavel - 1);
    QVERIFY(modelo.setData(celula, QStringLiteral("120"), Qt::EditRole));
    QVERIFY(modelo.setData(celula, QStringLiteral("120"), Qt::EditRole));
    QCOMPARE(edicoes, (std::vector<std::pair<int, int>>{{1, editavel}}));
    QCOMPARE(grade.texto(1, editavel), std::string("120"));
    QVERIFY(modelo.setData(celula, QStringLiteral("Preço"), Qt::EditRole));
    QCOMPARE(grade.texto(1, editavel), std::string("Preço"));

    // Read-only cells refuse edits; the check box refuses text.
    QVERIFY(!modelo.setData(modelo.index(0, 1), QStringLiteral("x"), Qt::EditRole));
    QVERIFY(!modelo.setData(modelo.index(0, 0), QStringLiteral("1"), Qt::EditRole));
    QCOMPARE(grade.texto(1, 2), std::string("r1c2"));
    QCOMPARE(edicoes.size(), std::size_t(2));
}

void TesteModeloGrade::avisosDaGradeViramSinaisDoModelo() {
    Grade grade("sprPedidos", colunasPedidosPreco());
    ModeloGrade modelo(grade);
    preencher(grade, 4);
    QSignalSpy celulas(&modelo, &QAbstractItemModel::dataChanged);
    QSignalSpy resets(&modelo, &QAbstractItemModel::modelReset);

    grade.definirTexto(2, 5, "V1");
    QCOMPARE(celulas.size(), 1);
    QCOMPARE(celulas[0][0].toModelIndex(), modelo.index(1, 4));
    QCOMPARE(celulas[0][1].toModelIndex(), modelo.index(1, 4));

    grade.definirNegrito(3, true);
    QCOMPARE(celulas.size(), 2);
    QCOMPARE(celulas[1][0].toModelIndex(), modelo.index(2, 0));
    QCOMPARE(celulas[1][1].toModelIndex(), modelo.index(2, grade.colunas() - 1));
    QCOMPARE(resets.size(), 0);

    preencher(grade, 7);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(modelo.rowCount(), 7);
}

void TesteModeloGrade::tabelaSegueColunasOcultasLargurasEVisibilidade() {
    QWidget pai;
    Grade grade("sprPedidos", colunasPedidosPreco());
    TabelaGrade tabela(grade, &pai);
    pai.show();
    tabela.resize(2000, 300);
    QApplication::processEvents();
    for (int c = 1; c <= grade.colunas(); ++c)
        QVERIFY2(tabela.isColumnHidden(c - 1) == grade.coluna(c).oculta,
                 qPrintable(QString::number(c)));
    // Widths keep the grid's proportions: 31.12 > 28.5 > 14.25 > 10.25 > 4.25.
    QVERIFY(tabela.columnWidth(1) > tabela.columnWidth(2));
    QVERIFY(tabela.columnWidth(2) > tabela.columnWidth(4));
    QVERIFY(tabela.columnWidth(4) > tabela.columnWidth(5));
    QVERIFY(tabela.columnWidth(5) > tabela.columnWidth(3));
    QVERIFY(tabela.columnWidth(0) > 0);

    grade.definirOculta(7, false);
    grade.definirOculta(4, true);
    QVERIFY(!tabela.isColumnHidden(6));
    QVERIFY(tabela.isColumnHidden(3));

    // A narrow view shortens the names, not the codes or the editable columns.
    const int sequencia = tabela.columnWidth(22);
    const int variante = tabela.columnWidth(4);
    const int fornecedor = tabela.columnWidth(1);
    tabela.resize(500, 300);
    QApplication::processEvents();
    QVERIFY(tabela.columnWidth(1) < fornecedor);
    QCOMPARE(tabela.columnWidth(22), sequencia);
    QCOMPARE(tabela.columnWidth(4), variante);
    tabela.resize(2000, 300);
    QApplication::processEvents();
    QCOMPARE(tabela.columnWidth(1), fornecedor);

    grade.definirVisivel(false);
    QVERIFY(tabela.isHidden());
    grade.definirVisivel(true);
    QVERIFY(!tabela.isHidden());
}

QTEST_MAIN(TesteModeloGrade)
#include "TesteModeloGrade.moc"
