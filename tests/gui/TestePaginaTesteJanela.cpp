// The test-print options and "Carregar Fonte Zebra" clicked with the mouse in
// the real window: what reaches the print script and what the window shows.

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/Aplicacao.h"
#include "gui/FrmEtiqueta.h"
#include "platform/qt/PlataformaQt.h"

using namespace etiquetas;

namespace {

// The Qt platform with the boxes recorded and questions answered Yes.
class PlataformaTeste : public PlataformaQt {
  public:
    Resposta mensagem(const std::string& texto, const std::string&, Icone, Botoes botoes) override {
        mensagens.push_back(texto);
        return botoes == Botoes::SimNao ? Resposta::Sim : Resposta::Ok;
    }
    [[noreturn]] void encerrarAplicacao() override { throw AplicacaoEncerrada(); }
    std::vector<std::string> mensagens;
};

// Job n leaves job-n in the folder.
const QByteArray kScriptGravador =
    "d=$(dirname \"$0\"); n=$(($(cat \"$d/n\" 2>/dev/null || echo 0) + 1)); echo $n >\"$d/n\"\n"
    "cp \"$1\" \"$d/job-$n\"\n";

template <typename W>
W* achar(QWidget& janela, const char* nome) {
    auto* w = janela.findChild<W*>(QString::fromLatin1(nome));
    if (!w) qFatal("widget %s ausente", nome);
    return w;
}

}  // namespace

class TestePaginaTesteJanela : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void opcaoDeTesteImprimeEPodeSerRepetida();
    void botaoCarregaFonteESome();

  private:
    // The run goes on the worker: its end comes back through the event loop.
    void clicarEAguardar(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!app_->comandoEmCurso(), 30000);
    }
    QByteArray trabalho(int n) const;
    int trabalhos() const;
    std::unique_ptr<QTemporaryDir> pasta_;
    std::unique_ptr<PlataformaTeste> plataforma_;
    std::unique_ptr<Aplicacao> app_;
};

void TestePaginaTesteJanela::init() {
    pasta_ = std::make_unique<QTemporaryDir>();
    const QDir origem(QStringLiteral(ETIQUETAS_PASTA_APLICACAO));
    for (const QFileInfo& f : origem.entryInfoList(QDir::Files))
        if (!f.isExecutable()) QFile::copy(f.filePath(), pasta_->filePath(f.fileName()));
    QFile script(pasta_->filePath(QStringLiteral("QuelmonteImprime.sh")));
    QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write(kScriptGravador);
    script.close();
    plataforma_ = std::make_unique<PlataformaTeste>();
    app_ = std::make_unique<Aplicacao>(*plataforma_,
                                       std::filesystem::path(pasta_->path().toStdString()));
    app_->iniciar();
    app_->janela().cmbImpressora.selecionar(1);  // ZEBRA
}

void TestePaginaTesteJanela::cleanup() {
    app_.reset();
    plataforma_.reset();
    pasta_.reset();
}

QByteArray TestePaginaTesteJanela::trabalho(int n) const {
    QFile f(pasta_->filePath(QStringLiteral("job-%1").arg(n)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int TestePaginaTesteJanela::trabalhos() const {
    int n = 0;
    while (QFile::exists(pasta_->filePath(QStringLiteral("job-%1").arg(n + 1)))) ++n;
    return n;
}

void TestePaginaTesteJanela::opcaoDeTesteImprimeEPodeSerRepetida() {
    FrmEtiqueta janela(*app_);
    janela.show();
    QVERIFY(QTest::qWaitForWindowExposed(&janela));
    auto* cartolina = achar<QRadioButton>(janela, "Option4");
    QCOMPARE(cartolina->text(), QStringLiteral("Preco Cartolina"));

    clicarEAguardar(cartolina);
    const int primeira = trabalhos();
    QVERIFY2(primeira >= 4, "graphic, font, labels and deletion");
    QVERIFY(trabalho(1).startsWith("~DGTESOURAS,01326,039,"));
    QVERIFY(trabalho(2).startsWith("~DTARIAL,50966,"));
    QCOMPARE(trabalho(primeira), QByteArray("^XA\r\n^IDR:TESOURAS\r\n^XZ\r\n"));
    QCOMPARE(plataforma_->mensagens.front(), std::string("Confirma a Impressão de Teste ?"));
    QCOMPARE(achar<QLabel>(janela, "lblTipoArquivo")->text(),
             QStringLiteral("Etiquetas de Preço (Cartolina)"));
    QVERIFY(!cartolina->isChecked());

    clicarEAguardar(cartolina);
    QCOMPARE(trabalhos(), 2 * primeira);
}

void TestePaginaTesteJanela::botaoCarregaFonteESome() {
    // As the window starts when the saved printer is the Zebra line.
    app_->janela().CmZebra.definirVisivel(true);
    app_->janela().LblZebra.definirVisivel(true);
    FrmEtiqueta janela(*app_);
    janela.show();
    QVERIFY(QTest::qWaitForWindowExposed(&janela));
    auto* botao = achar<QPushButton>(janela, "CmZebra");
    QVERIFY(botao->isVisible());
    clicarEAguardar(botao);
    QCOMPARE(trabalhos(), 2);
    QVERIFY(trabalho(2).startsWith("~DTARIAL,50966,"));
    QVERIFY(botao->isHidden());
    QCOMPARE(achar<QLabel>(janela, "LblZebra")->text(), QStringLiteral("Fonte Carregada."));
    QVERIFY(plataforma_->mensagens.empty());
}

QTEST_MAIN(TestePaginaTesteJanela)
#include "TestePaginaTesteJanela.moc"
