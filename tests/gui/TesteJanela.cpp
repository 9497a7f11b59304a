// The main window over its model: captions and lists come from the model,
// what the user does reaches the model, the model's changes repaint the
// widgets, and closing runs the window's closing steps.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
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

class PortaFalsa : public PortaSerial {
  public:
    bool abrir(const std::string&, const std::string&) override { return aberta_ = true; }
    void fechar() override {
        aberta_ = false;
        ++fechamentos;
    }
    bool aberta() const override { return aberta_; }
    bool escrever(const std::string&) override { return aberta_; }
    long long bytesPendentes() override { return 0; }
    void aguardarEnvio(int) override {}
    std::string ultimoErro() const override { return {}; }
    int fechamentos = 0;

  private:
    bool aberta_ = false;
};

// The Qt platform with the boxes recorded instead of shown and the end of
// the application observable.
class PlataformaTeste : public PlataformaQt {
  public:
    struct Mensagem {
        std::string texto, titulo;
        Icone icone;
    };
    Resposta mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                      Botoes botoes) override {
        mensagens.push_back({texto, titulo, icone});
        return botoes == Botoes::SimNao ? Resposta::Sim : Resposta::Ok;
    }
    std::string escolherArquivo(const std::string&, const std::string&) override { return arquivo; }
    [[noreturn]] void encerrarAplicacao() override { throw AplicacaoEncerrada(); }
    PortaSerial& portaSerial() override { return porta; }

    std::vector<Mensagem> mensagens;
    std::string arquivo;
    PortaFalsa porta;
};

// A copy of the built application folder, so that nothing a test does
// touches it.
class PastaTemporaria {
  public:
    PastaTemporaria() {
        const QDir origem(QStringLiteral(ETIQUETAS_PASTA_APLICACAO));
        for (const QFileInfo& f : origem.entryInfoList(QDir::Files))
            if (!f.isExecutable()) QFile::copy(f.filePath(), dir_.filePath(f.fileName()));
    }
    std::filesystem::path caminho() const { return dir_.path().toStdString(); }

  private:
    QTemporaryDir dir_;
};

template <typename W>
W* achar(QWidget& janela, const char* nome) {
    auto* w = janela.findChild<W*>(QString::fromLatin1(nome));
    if (!w) qFatal("widget %s ausente", nome);
    return w;
}

}  // namespace

class TesteJanela : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void abreComTituloListasECaptionsDoModelo();
    void acoesDoUsuarioChegamAoModelo();
    void mudancasDoModeloRepintamAJanela();
    void focoSegueOModelo();
    void fecharJanelaFechaSoPortaAberta();
    void janelaDestruidaDeixaDeOuvirOModelo();
    void arquivoAbertoMarcadoEEditadoPelaJanela();
    void filtroDoDialogoNaNotacaoDoQt_data();
    void filtroDoDialogoNaNotacaoDoQt();

  private:
    std::unique_ptr<PastaTemporaria> pasta_;
    std::unique_ptr<PlataformaTeste> plataforma_;
    std::unique_ptr<Aplicacao> app_;
};

void TesteJanela::init() {
    pasta_ = std::make_unique<PastaTemporaria>();
    plataforma_ = std::make_unique<PlataformaTeste>();
    app_ = std::make_unique<Aplicacao>(*plataforma_, pasta_->caminho());
}

void TesteJanela::cleanup() {
    app_.reset();
    plataforma_.reset();
    pasta_.reset();
}

void TesteJanela::abreComTituloListasECaptionsDoModelo() {
    app_->iniciar();
    FrmEtiqueta janela(*app_);
    auto& j = app_->janela();
    if (j.titulo.empty()) QSKIP("a inicialização ainda não monta o título");
    QCOMPARE(janela.windowTitle(),
             QStringLiteral(":: Quelmonte ::  Impressão de Etiquetas - Vs. (1.0.0.0)"));

    auto* impressoras = achar<QComboBox>(janela, "cmbImpressora");
    QVERIFY(impressoras->count() >= 4);
    QCOMPARE(impressoras->count(), j.cmbImpressora.contagem());
    QCOMPARE(impressoras->currentIndex(), 0);
    QVERIFY(achar<QComboBox>(janela, "cmbModelo")->count() > 0);
    QCOMPARE(achar<QComboBox>(janela, "cmbCaminhoImpressora")->currentText(),
             QStringLiteral("LPT1"));
    QVERIFY(achar<QComboBox>(janela, "cbvelocidade")->isHidden());
    QVERIFY(achar<QComboBox>(janela, "cbbitparada")->isHidden());
    QCOMPARE(achar<QLabel>(janela, "lblTipoArquivo")->text(),
             QStringLiteral("Nenhum Arquivo Selecionado !"));
    QCOMPARE(achar<QGroupBox>(janela, "fraImpressoras")->title(),
             QStringLiteral("Impressoras Homologadas para Impressão..."));
    QCOMPARE(achar<QPushButton>(janela, "cmdConfiguracao")->text(),
             QStringLiteral("&Configuração"));
    QVERIFY(achar<QGroupBox>(janela, "frmTipo")->isHidden());
}

void TesteJanela::acoesDoUsuarioChegamAoModelo() {
    FrmEtiqueta janela(*app_);
    janela.show();
    auto& j = app_->janela();

    int escolhas = 0;
    j.cbvTipoEtiq.escolhido.conectar([&] { ++escolhas; });
    j.cbvTipoEtiq.adicionar("Etiq. Interna");
    j.cbvTipoEtiq.adicionar("Etiq. Caixa");
    auto* tipo = achar<QComboBox>(janela, "cbvTipoEtiq");
    emit tipo->activated(1);
    QCOMPARE(j.cbvTipoEtiq.indice(), 1);
    QCOMPARE(j.cbvTipoEtiq.texto(), std::string("Etiq. Caixa"));
    emit tipo->activated(1);  // the same item again is no new choice
    QCOMPARE(escolhas, 1);

    int cliques = 0;
    j.cmdSelTodos.clicado.conectar([&] { ++cliques; });
    QTest::mouseClick(achar<QPushButton>(janela, "cmdSelTodos"), Qt::LeftButton);
    QCOMPARE(cliques, 1);

    // Option buttons of one frame exclude each other in the model too.
    int redes = 0;
    j.optRede.clicada.conectar([&] { ++redes; });
    j.optLocal.definirMarcada(true);
    auto* local = achar<QRadioButton>(janela, "optLocal");
    auto* rede = achar<QRadioButton>(janela, "optRede");
    QTest::mouseClick(rede, Qt::LeftButton);
    QTest::mouseClick(rede, Qt::LeftButton);
    QVERIFY(j.optRede.marcada());
    QVERIFY(!j.optLocal.marcada());
    QVERIFY(rede->isChecked());
    QVERIFY(!local->isChecked());
    QCOMPARE(redes, 1);

    auto* separador = achar<QCheckBox>(janela, "ckbMaterialForn");
    QTest::mouseClick(separador, Qt::LeftButton);
    QVERIFY(j.ckbMaterialForn.marcada());
    QTest::mouseClick(separador, Qt::LeftButton);
    QVERIFY(!j.ckbMaterialForn.marcada());

    auto* caminho = achar<QLineEdit>(janela, "txtCaminhoImpressora");
    caminho->clear();
    QTest::keyClicks(caminho, QStringLiteral("\\\\servidor\\Zebra Expedi"));
    QKeyEvent acentos(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("ção"));
    QApplication::sendEvent(caminho, &acentos);
    QCOMPARE(j.txtCaminhoImpressora.texto(), std::string("\\\\servidor\\Zebra Expedição"));
}

void TesteJanela::mudancasDoModeloRepintamAJanela() {
    FrmEtiqueta janela(*app_);
    janela.show();
    auto& j = app_->janela();

    j.cmbCaminhoImpressora.limpar();
    for (const char* p : {"LPT1", "LPT2", "COM1", "COM2"}) j.cmbCaminhoImpressora.adicionar(p);
    j.cmbCaminhoImpressora.selecionar(2);
    auto* porta = achar<QComboBox>(janela, "cmbCaminhoImpressora");
    QCOMPARE(porta->count(), 4);
    QCOMPARE(porta->currentText(), QStringLiteral("COM1"));

    // Text that matches no item shows in the empty list.
    auto* tipo = achar<QComboBox>(janela, "cbvTipoEtiq");
    j.cbvTipoEtiq.definirTexto("Etiq. Interna");
    QCOMPARE(tipo->currentIndex(), -1);
    QCOMPARE(tipo->placeholderText(), QStringLiteral("Etiq. Interna"));
    QCOMPARE(tipo->toolTip(), QStringLiteral("Selecione o tipo de etiqueta"));

    j.lblTotalPedidos.definirLegenda("000012");
    QCOMPARE(achar<QLabel>(janela, "lblTotalPedidos")->text(), QStringLiteral("000012"));
    j.LblZebra.definirCor(0x0000FF);
    QCOMPARE(achar<QLabel>(janela, "LblZebra")->palette().color(QPalette::WindowText),
             QColor(Qt::red));
    j.cmdImprimir.definirHabilitado(false);
    QVERIFY(!achar<QPushButton>(janela, "cmdImprimir")->isEnabled());
    j.cbvelocidade.definirVisivel(false);
    j.Lblcom1.definirVisivel(false);
    QVERIFY(achar<QComboBox>(janela, "cbvelocidade")->isHidden());
    QVERIFY(achar<QLabel>(janela, "Lblcom1")->isHidden());
    j.txtvelocidade.definirTexto("C");
    QCOMPARE(achar<QLineEdit>(janela, "txtvelocidade")->text(), QStringLiteral("C"));
    j.StatusBar1.definirTexto("Selecione o arquivo a ser gerada as Etiquetas. . .");
    QCOMPARE(achar<QLabel>(janela, "StatusBar1")->text(),
             QStringLiteral("Selecione o arquivo a ser gerada as Etiquetas. . ."));

    auto* barra = achar<QProgressBar>(janela, "ProgressBar1");
    j.ProgressBar1.definirFaixa(0, 0);  // an empty range is no busy indicator
    QVERIFY(barra->maximum() > barra->minimum());
    j.ProgressBar1.definirFaixa(0, 200);
    j.ProgressBar1.definirValor(150);
    QCOMPARE(barra->value(), 150);

    j.sprPedidos.definirVisivel(false);
    j.vaVolume.definirVisivel(true);
    QVERIFY(janela.sprPedidos().isHidden());
    QVERIFY(!janela.vaVolume().isHidden());
}

void TesteJanela::focoSegueOModelo() {
    FrmEtiqueta janela(*app_);
    janela.show();
    QApplication::setActiveWindow(&janela);
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    app_->janela().focar("cmbImpressora");
    QCOMPARE(QApplication::focusWidget(), achar<QWidget>(janela, "cmbImpressora"));
    app_->janela().focar("sprPedidos");
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&janela.sprPedidos()));
}

void TesteJanela::fecharJanelaFechaSoPortaAberta() {
    {
        FrmEtiqueta janela(*app_);
        janela.show();
        janela.close();
        QCOMPARE(plataforma_->porta.fechamentos, 0);
    }
    FrmEtiqueta janela(*app_);
    janela.show();
    plataforma_->porta.abrir("COM1", "9600,N,8,1");
    janela.close();
    QVERIFY(!plataforma_->porta.aberta());
    QCOMPARE(plataforma_->porta.fechamentos, 1);
}

void TesteJanela::janelaDestruidaDeixaDeOuvirOModelo() {
    auto& j = app_->janela();
    { FrmEtiqueta janela(*app_); }
    // Every kind of notice after the window is gone must find no widget.
    j.cmbImpressora.adicionar("Zebra - ZPL, 2");
    j.lblCaminho.definirLegenda("/tmp/x.xml");
    j.StatusBar1.definirTexto("ok");
    j.focar("cmbImpressora");
    j.sprPedidos.definirLinhas(3);
    j.sprPedidos.definirOculta(7, false);
    j.vaVolume.definirVisivel(false);
    FrmEtiqueta outra(*app_);
    QCOMPARE(achar<QComboBox>(outra, "cmbImpressora")->count(), 1);
    QCOMPARE(outra.sprPedidos().model()->rowCount(), 3);
}

namespace {

// Types into a cell through the view's own editor and leaves it with Enter.
void digitarNaCelula(QTableView& tabela, const QModelIndex& celula, const QString& texto) {
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

void TesteJanela::arquivoAbertoMarcadoEEditadoPelaJanela() {
    app_->iniciar();
    FrmEtiqueta janela(*app_);
    janela.show();
    QApplication::setActiveWindow(&janela);
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    const auto arquivo = app_->PastaAplicacao() / "Amostra_Preco_Cartolina_GerarTxt.xml";
    app_->AbrirArquivoPedidos(arquivo.string());
    QVERIFY(plataforma_->mensagens.empty());

    auto& grade = app_->janela().sprPedidos;
    TabelaGrade& tabela = janela.sprPedidos();
    QVERIFY(!tabela.isHidden());
    QVERIFY(janela.vaVolume().isHidden());
    QCOMPARE(tabela.model()->rowCount(), grade.linhas());
    QVERIFY(grade.linhas() >= 2);
    QCOMPARE(achar<QLabel>(janela, "lblTipoArquivo")->text(),
             QStringLiteral("Etiquetas de Preço (Cartolina)"));

    // Ticking with the keyboard, as a person does at the bench.
    tabela.setCurrentIndex(tabela.model()->index(1, 0));
    QTest::keyClick(&tabela, Qt::Key_Space);
    QCOMPARE(grade.texto(2, 1), std::string("1"));
    QVERIFY(grade.negrito(2));
    QVERIFY(tabela.model()->index(1, 3).data(Qt::FontRole).value<QFont>().bold());

    // Row 2 carries the range 3 to 5.
    QCOMPARE(grade.texto(2, 28), std::string("3"));
    QCOMPARE(grade.texto(2, 29), std::string("5"));
    digitarNaCelula(tabela, tabela.model()->index(1, 22), QStringLiteral("2"));
    QCOMPARE(plataforma_->mensagens.size(), std::size_t(1));
    QCOMPARE(plataforma_->mensagens[0].texto,
             std::string("Sequencia inicial precisa ser maior ou igual que a indicada no arquivo "
                         "de impressão!"));
    QCOMPARE(plataforma_->mensagens[0].titulo, std::string());
    QCOMPARE(tabela.model()->index(1, 22).data().toString(), QStringLiteral("3"));

    digitarNaCelula(tabela, tabela.model()->index(1, 23), QStringLiteral("6"));
    QCOMPARE(plataforma_->mensagens.size(), std::size_t(2));
    QCOMPARE(tabela.model()->index(1, 23).data().toString(), QStringLiteral("5"));

    digitarNaCelula(tabela, tabela.model()->index(1, 22), QStringLiteral("4"));
    QCOMPARE(plataforma_->mensagens.size(), std::size_t(2));
    QCOMPARE(grade.texto(2, 23), std::string("4"));
}

void TesteJanela::filtroDoDialogoNaNotacaoDoQt_data() {
    QTest::addColumn<QString>("antigo");
    QTest::addColumn<QString>("qt");
    QTest::newRow("um") << QStringLiteral("Arquivos XML|*.xml")
                        << QStringLiteral("Arquivos XML (*.xml)");
    QTest::newRow("acentos") << QStringLiteral("Pedidos de Impressão|*.xml")
                             << QStringLiteral("Pedidos de Impressão (*.xml)");
    QTest::newRow("dois") << QStringLiteral("XML|*.xml|Todos|*.*")
                          << QStringLiteral("XML (*.xml);;Todos (*.*)");
    QTest::newRow("varios padroes")
        << QStringLiteral("Pedidos|*.xml;*.XML") << QStringLiteral("Pedidos (*.xml *.XML)");
    QTest::newRow("ja com padroes")
        << QStringLiteral("XML (*.xml)|*.xml") << QStringLiteral("XML (*.xml)");
    QTest::newRow("sem descricao") << QStringLiteral("|*.xml") << QStringLiteral("*.xml");
    QTest::newRow("so descricao") << QStringLiteral("XML|") << QStringLiteral("XML (*)");
    QTest::newRow("notacao do Qt")
        << QStringLiteral("XML (*.xml)") << QStringLiteral("XML (*.xml)");
}

void TesteJanela::filtroDoDialogoNaNotacaoDoQt() {
    QFETCH(QString, antigo);
    QFETCH(QString, qt);
    QCOMPARE(filtroParaQt(antigo), qt);
}

QTEST_MAIN(TesteJanela)
#include "TesteJanela.moc"
