// The main window over its model: it opens with the model's title and lists,
// and a file opened through the model is ticked and edited through the view.

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/Aplicacao.h"
#include "gui/FrmEtiqueta.h"
#include "gui/TabelaGrade.h"
#include "platform/qt/PlataformaQt.h"

using namespace etiquetas;

namespace {

// The Qt platform with the boxes recorded instead of shown.
class PlataformaTeste : public PlataformaQt {
  public:
    Resposta mensagem(const std::string& texto, const std::string& titulo, Icone,
                      Botoes botoes) override {
        mensagens.push_back({texto, titulo});
        return botoes == Botoes::SimNao ? Resposta::Sim : Resposta::Ok;
    }
    [[noreturn]] void encerrarAplicacao() override { throw AplicacaoEncerrada(); }
    std::vector<std::pair<std::string, std::string>> mensagens;  // text, title
};

template <typename W>
W* achar(QWidget& janela, const char* nome) {
    auto* w = janela.findChild<W*>(QString::fromLatin1(nome));
    if (!w) qFatal("widget %s ausente", nome);
    return w;
}

// Types into a cell through the view's own editor and leaves it with Enter.
void digitarNaCelula(QTableView& tabela, int linha, int coluna, const QString& texto) {
    const QModelIndex celula = tabela.model()->index(linha, coluna);
    tabela.setCurrentIndex(celula);
    tabela.edit(celula);
    auto* editor = tabela.viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits in a queued call
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor
}

}  // namespace

class TesteJanela : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void abreComTituloEListasDoModelo();
    void arquivoAbertoMarcadoEEditadoPelaJanela();

  private:
    std::unique_ptr<QTemporaryDir> pasta_;  // a copy of the application folder
    std::unique_ptr<PlataformaTeste> plataforma_;
    std::unique_ptr<Aplicacao> app_;
};

void TesteJanela::init() {
    pasta_ = std::make_unique<QTemporaryDir>();
    const QDir origem(QStringLiteral(ETIQUETAS_PASTA_APLICACAO));
    for (const QFileInfo& f : origem.entryInfoList(QDir::Files))
        if (!f.isExecutable()) QFile::copy(f.filePath(), pasta_->filePath(f.fileName()));
    plataforma_ = std::make_unique<PlataformaTeste>();
    app_ = std::make_unique<Aplicacao>(*plataforma_, pasta_->path().toStdString());
    app_->iniciar();
}

void TesteJanela::cleanup() {
    app_.reset();
    plataforma_.reset();
    pasta_.reset();
}

void TesteJanela::abreComTituloEListasDoModelo() {
    FrmEtiqueta janela(*app_);
    janela.show();
    QCOMPARE(janela.windowTitle(),
             QStringLiteral(":: Quelmonte ::  Impressão de Etiquetas - Vs. (1.0.0.0)"));
    auto* impressoras = achar<QComboBox>(janela, "cmbImpressora");
    QVERIFY(impressoras->count() >= 4);
    QCOMPARE(impressoras->count(), app_->janela().cmbImpressora.contagem());
    QCOMPARE(impressoras->currentIndex(), 0);
    QCOMPARE(achar<QComboBox>(janela, "cmbCaminhoImpressora")->currentText(),
             QStringLiteral("LPT1"));
    for (const char* oculto : {"cbvelocidade", "cbbitparada", "frmTipo", "cmdGerarTxt",
                               "frameBarra", "lblDescImp", "lblTotalEtiquetas"})
        QVERIFY2(achar<QWidget>(janela, oculto)->isHidden(), oculto);
}

void TesteJanela::arquivoAbertoMarcadoEEditadoPelaJanela() {
    FrmEtiqueta janela(*app_);
    janela.show();
    QApplication::setActiveWindow(&janela);
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    app_->AbrirArquivoPedidos(
        (app_->PastaAplicacao() / "Amostra_Preco_Cartolina_GerarTxt.xml").string());
    QVERIFY(plataforma_->mensagens.empty());

    auto& grade = app_->janela().sprPedidos;
    TabelaGrade& tabela = janela.sprPedidos();
    QCOMPARE(tabela.model()->rowCount(), grade.linhas());
    QCOMPARE(achar<QLabel>(janela, "lblTipoArquivo")->text(),
             QStringLiteral("Etiquetas de Preço (Cartolina)"));

    // Ticking with the keyboard, as a person does at the bench.
    tabela.setCurrentIndex(tabela.model()->index(1, 0));
    QTest::keyClick(&tabela, Qt::Key_Space);
    QCOMPARE(grade.texto(2, 1), std::string("1"));
    QVERIFY(tabela.model()->index(1, 3).data(Qt::FontRole).value<QFont>().bold());

    // Row 2 carries the range 3 to 5: below it and above it come back.
    QCOMPARE(grade.texto(2, 28), std::string("3"));
    QCOMPARE(grade.texto(2, 29), std::string("5"));
    digitarNaCelula(tabela, 1, 22, QStringLiteral("2"));
    QCOMPARE(plataforma_->mensagens.size(), std::size_t(1));
    QCOMPARE(plataforma_->mensagens[0].first,
             std::string("Sequencia inicial precisa ser maior ou igual que a indicada no arquivo "
                         "de impressão!"));
    QCOMPARE(tabela.model()->index(1, 22).data().toString(), QStringLiteral("3"));
    digitarNaCelula(tabela, 1, 23, QStringLiteral("6"));
    QCOMPARE(plataforma_->mensagens.size(), std::size_t(2));
    QCOMPARE(tabela.model()->index(1, 23).data().toString(), QStringLiteral("5"));
    digitarNaCelula(tabela, 1, 22, QStringLiteral("4"));
    QCOMPARE(plataforma_->mensagens.size(), std::size_t(2));
    QCOMPARE(grade.texto(2, 23), std::string("4"));
}

QTEST_MAIN(TesteJanela)
#include "TesteJanela.moc"
