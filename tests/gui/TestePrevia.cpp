// "Visualizar" in the main window: the labels the print command would send,
// page by page, nothing sent; from the preview the user prints or closes.
// With ETIQUETAS_CAPTURA_PREVIA=ARQ.png the preview's picture is saved.

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/Aplicacao.h"
#include "gui/FrmEtiqueta.h"
#include "gui/FrmPrevia.h"
#include "platform/qt/PlataformaQt.h"

using namespace etiquetas;

namespace {

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

// Runs `acao` on the preview window once it is up (the run before it lets
// events through, so a timer may fire early), then clicks `botao` on it.
void naPrevia(std::function<void(FrmPrevia&)> acao, const char* botao) {
    auto* espera = new QTimer;
    auto tentativas = std::make_shared<int>(0);
    QObject::connect(espera, &QTimer::timeout, [=] {
        auto* previa = qobject_cast<FrmPrevia*>(QApplication::activeModalWidget());
        if (!previa) {
            if (++*tentativas > 500) qFatal("a prévia não abriu");
            return;
        }
        espera->stop();
        espera->deleteLater();
        acao(*previa);
        QTest::mouseClick(achar<QPushButton>(*previa, botao), Qt::LeftButton);
    });
    espera->start(10);
}

}  // namespace

class TestePrevia : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void mostraAsPaginasSemEnviarNada();
    void imprimeDaPrevia();

  private:
    bool scriptChamado() const {
        return QFile::exists(pasta_->filePath(QStringLiteral("chamado")));
    }
    void abrirEMarcar();

    std::unique_ptr<QTemporaryDir> pasta_;
    std::unique_ptr<PlataformaTeste> plataforma_;
    std::unique_ptr<Aplicacao> app_;
};

void TestePrevia::init() {
    pasta_ = std::make_unique<QTemporaryDir>();
    const QDir origem(QStringLiteral(ETIQUETAS_PASTA_APLICACAO));
    for (const QFileInfo& f : origem.entryInfoList(QDir::Files))
        if (!f.isExecutable()) QFile::copy(f.filePath(), pasta_->filePath(f.fileName()));
    QFile script(pasta_->filePath(QStringLiteral("QuelmonteImprime.sh")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$1\" >>\"$(dirname \"$0\")/chamado\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    plataforma_ = std::make_unique<PlataformaTeste>();
    app_ = std::make_unique<Aplicacao>(*plataforma_,
                                       std::filesystem::path(pasta_->path().toStdString()));
    app_->iniciar();
}

void TestePrevia::cleanup() {
    app_.reset();
    plataforma_.reset();
    pasta_.reset();
}

void TestePrevia::abrirEMarcar() {
    app_->AbrirArquivoPedidos(
        (app_->PastaAplicacao() / "Quelmonte_Preco_Cartolina_teste.xml").string());
    app_->janela().cmbImpressora.selecionar(1);  // a Zebra
    app_->janela().ckbMaterialForn.definirMarcada(true);
    app_->cmdSelTodos();
    plataforma_->mensagens.clear();
}

void TestePrevia::mostraAsPaginasSemEnviarNada() {
    FrmEtiqueta janela(*app_);
    janela.show();
    abrirEMarcar();
    int paginas = 0;
    naPrevia(
        [&](FrmPrevia& previa) {
            auto* titulo = achar<QLabel>(previa, "lblPagina");
            QVERIFY(titulo->text().startsWith(QStringLiteral("Etiqueta 1 de ")));
            paginas = titulo->text().section(QLatin1Char(' '), -1).toInt();
            QVERIFY(!achar<QPushButton>(previa, "cmdAnterior")->isEnabled());
            QCOMPARE(achar<QLabel>(previa, "imgEtiqueta")->pixmap().size(), QSize(650, 560));
            QCOMPARE(achar<QPlainTextEdit>(previa, "txtAvisos")->toPlainText(),
                     QStringLiteral("Nenhum aviso."));
            QTest::mouseClick(achar<QPushButton>(previa, "cmdProxima"), Qt::LeftButton);
            QVERIFY(titulo->text().startsWith(QStringLiteral("Etiqueta 2 de ")));
            QVERIFY(achar<QPushButton>(previa, "cmdAnterior")->isEnabled());
            if (const QString arquivo = qEnvironmentVariable("ETIQUETAS_CAPTURA_PREVIA");
                !arquivo.isEmpty())
                previa.grab().save(arquivo, "PNG");
        },
        "cmdFechar");
    QTest::mouseClick(achar<QPushButton>(janela, "cmdVisualizar"), Qt::LeftButton);
    QVERIFY(paginas > 2);  // separators and tags of three rows
    QVERIFY(!scriptChamado());
    QVERIFY(!QFile::exists(pasta_->filePath(QStringLiteral("SpoolEtq.PRN"))));
    QVERIFY(plataforma_->mensagens.empty());
    QVERIFY(achar<QPushButton>(janela, "cmdImprimir")->isEnabled());
}

void TestePrevia::imprimeDaPrevia() {
    FrmEtiqueta janela(*app_);
    janela.show();
    abrirEMarcar();
    naPrevia([](FrmPrevia&) {}, "cmdImprimir");
    QTest::mouseClick(achar<QPushButton>(janela, "cmdVisualizar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!app_->comandoEmCurso(), 30000);  // the print goes on the worker
    QVERIFY(scriptChamado());
    QVERIFY(!plataforma_->mensagens.empty());
    QCOMPARE(plataforma_->mensagens.back().second, std::string("Fim da Impressão"));
}

QTEST_MAIN(TestePrevia)
#include "TestePrevia.moc"
