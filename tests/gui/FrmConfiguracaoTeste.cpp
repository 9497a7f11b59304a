// The layout dialog through its Qt view: field checks and their order, the
// focus rule, saving, restoring and the preview picture, on a temporary
// application folder with a recording platform.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/Aplicacao.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "gui/FrmConfiguracao.h"
#include "gui/FrmEtiqueta.h"
#include "platform/headless/PlataformaHeadless.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

// The layout file as an installation ships it (two sections are enough).
const std::string kLayoutInstalado =
    "[QuelmonteEtiqPrecoDatamax]\r\nRepeticao=0001\r\nLargura=0400\r\nMargemEsquerda=0010\r\n"
    "MargemTopo=0005\r\nFonteCodigo=2\r\nFonteNome=\r\nCmdIniciar=\r\n"
    "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0002\r\nLargura=0832\r\nMargemEsquerda=0000\r\n"
    "MargemTopo=0003\r\nFonteCodigo=@\r\nFonteNome=ARIAL.FNT\r\nCmdIniciar=^XA^MMT^XZ\r\n";

QString q(const std::string& cp1252) {
    return QString::fromStdString(cp1252ParaUtf8(cp1252));
}
std::string cp(const QString& texto) {
    return utf8ParaCp1252(texto.toStdString());
}

}  // namespace

class FrmConfiguracaoTeste : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir temporaria;
    fs::path pasta;
    PlataformaHeadless plataforma;
    std::unique_ptr<FrmConfiguracao> dialogo;

    template <typename W>
    W* widget(const char* nome) {
        auto* w = qobject_cast<W*>(dialogo->controle(nome));
        if (!w) qFatal("sem controle %s", nome);
        return w;
    }
    QLineEdit* campo(const char* nome) { return widget<QLineEdit>(nome); }
    void digitar(const char* nome, const QString& texto) {
        campo(nome)->clear();
        QTest::keyClicks(campo(nome), texto);
        // clear() is not an edit: tell the model about an empty field too.
        if (texto.isEmpty()) emit campo(nome)->textEdited(QString());
    }
    void escolher(const char* lista, const char* texto) {
        auto* combo = widget<QComboBox>(lista);
        const int i = combo->findText(q(texto));
        QVERIFY(i >= 0);
        emit combo->activated(i);
    }
    void clicar(const char* botao) { widget<QPushButton>(botao)->click(); }
    std::string layout() const { return lerArquivo(pasta / "QuelmonteEtiqueta.ini").value_or(""); }
    void reabrir() { dialogo = std::make_unique<FrmConfiguracao>(plataforma, pasta); }

  private slots:
    void init() {
        QVERIFY(temporaria.isValid());
        pasta = fs::path(temporaria.path().toStdString());
        QVERIFY(gravarArquivoAtomico(pasta / "QuelmonteEtiqueta.ini", kLayoutInstalado));
        QVERIFY(gravarArquivoAtomico(pasta / "QuelmonteEtiqueta.original.ini", kLayoutInstalado));
        plataforma.mensagens.clear();
        plataforma.respostaPerguntas = Resposta::Sim;
        reabrir();
    }
    void cleanup() {
        dialogo.reset();
        fs::remove_all(pasta);
        fs::create_directories(pasta);
    }

    void abreNaPrimeiraImpressoraEEtiqueta() {
        QCOMPARE(dialogo->windowTitle(), q("Configuração - Parametros de Impressão"));
        QCOMPARE(widget<QComboBox>("cmbTipoImpressora")->currentText(), q("Datamax - DPL"));
        QCOMPARE(widget<QComboBox>("cmbTipoEtiqueta")->currentText(), q("Preço Cartolina"));
        QCOMPARE(widget<QComboBox>("cmbTipoEtiqueta")->count(), 5);
        QCOMPARE(widget<QLabel>("lblTipoEtiqueta")->text(), q("Datamax - DPL\nPreço Cartolina"));
        QCOMPARE(campo("txtLargura")->text(), QStringLiteral("400"));
        QCOMPARE(campo("txtMargemEsquerda")->text(), QStringLiteral("10"));
        QCOMPARE(campo("txtFonteCodigo")->text(), QStringLiteral("2"));
        QVERIFY(!widget<QLabel>("imgEtiqueta")->pixmap().isNull());
        QCOMPARE(widget<QPushButton>("cmdGravar")->toolTip(),
                 q("Gravar os parametros de impressão"));
        QVERIFY(plataforma.mensagens.empty());
    }

    void camposRecusados_data() {
        QTest::addColumn<QString>("largura");
        QTest::addColumn<QString>("repeticao");
        QTest::addColumn<QString>("esquerda");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("foco");
        // Every row after the first has a valid width: the checks go in order.
        QTest::newRow("largura com letras antes de tudo")
            << "abc"
            << "x"
            << "y"
            << ""
            << "" << q("Informe um valor válido para a largura da etiqueta!") << "txtLargura";
        QTest::newRow("largura fora de 16 bits")
            << "40000"
            << "1"
            << "0"
            << "2"
            << "" << q("Informe um valor válido para a largura da etiqueta!") << "txtLargura";
        QTest::newRow("repeticao vazia")
            << "100"
            << ""
            << "0"
            << "2"
            << "" << q("Informe um valor válido para a repetição da etiqueta!") << "txtRepeticao";
        QTest::newRow("margem esquerda")
            << "100"
            << "1"
            << "1a"
            << "2"
            << "" << q("Informe um valor válido para margem esquerda!") << "txtMargemEsquerda";
        QTest::newRow("codigo da fonte em branco")
            << "100"
            << "1"
            << "0"
            << "   "
            << "" << q("Informe o código da fonte!") << "txtFonteCodigo";
        QTest::newRow("@ sem nome, antes de Configurar")
            << "100"
            << "1"
            << "0"
            << " @ "
            << "  " << q("Informe o nome da fonte!") << "txtFonteNome";
        QTest::newRow("largura 19: Configurar recusa, foco na repeticao")
            << "19"
            << "1"
            << "0"
            << "2"
            << "" << q("Largura da etiqueta deverá ser maior que 20.") << "txtRepeticao";
        QTest::newRow("repeticao 0: Configurar recusa")
            << "19"
            << "0"
            << "0"
            << "2"
            << "" << q("Repetição deverá ser maior que 0") << "txtRepeticao";
    }
    void camposRecusados() {
        QFETCH(QString, largura);
        QFETCH(QString, repeticao);
        QFETCH(QString, esquerda);
        QFETCH(QString, codigo);
        QFETCH(QString, nome);
        QFETCH(QString, mensagem);
        QFETCH(QString, foco);
        digitar("txtLargura", largura);
        digitar("txtRepeticao", repeticao);
        digitar("txtMargemEsquerda", esquerda);
        digitar("txtFonteCodigo", codigo);
        digitar("txtFonteNome", nome);
        clicar("cmdGravar");

        QCOMPARE(plataforma.mensagens.size(), std::size_t{1});
        const auto& m = plataforma.mensagens.front();
        QCOMPARE(q(m.texto), mensagem);
        QCOMPARE(m.titulo, std::string("ERRO"));
        QVERIFY(m.icone == Icone::Critico);
        QCOMPARE(q(dialogo->modelo().foco()), foco);
        QLineEdit* focado = campo(cp(foco).c_str());
        QCOMPARE(focado->selectedText(), focado->text());
        QCOMPARE(layout(), kLayoutInstalado);
    }

    void internaMantemAImagemAnterior() {
        escolher("cmbTipoEtiqueta", "Volume Padrão");
        QCOMPARE(dialogo->modelo().imgEtiqueta.recurso(), std::string("VOLUME_PADRAO"));
        const QImage padrao = widget<QLabel>("imgEtiqueta")->pixmap().toImage();
        escolher("cmbTipoEtiqueta", "Interna");
        QCOMPARE(dialogo->modelo().imgEtiqueta.recurso(), std::string("VOLUME_PADRAO"));
        QCOMPARE(widget<QLabel>("imgEtiqueta")->pixmap().toImage(), padrao);
        QCOMPARE(widget<QLabel>("lblTipoEtiqueta")->text(), q("Datamax - DPL\nInterna"));
        escolher("cmbTipoEtiqueta", "Preço Adesiva");
        QVERIFY(widget<QLabel>("imgEtiqueta")->pixmap().toImage() != padrao);
    }

    void gravaLarguraNaSecaoEReabreComEla() {
        escolher("cmbTipoImpressora", "Zebra - ZPL");
        QCOMPARE(campo("txtLargura")->text(), QStringLiteral("832"));
        digitar("txtLargura", QStringLiteral("120"));
        clicar("cmdGravar");
        QCOMPARE(plataforma.mensagens.size(), std::size_t{1});
        QCOMPARE(plataforma.mensagens[0].texto, std::string("Configuração salva com sucesso!"));
        QVERIFY(plataforma.mensagens[0].icone == Icone::Informacao);
        QCOMPARE(LerArquivoIni(pasta, "QuelmonteEtiqPrecoZebra", "Largura"), std::string("0120"));
        QCOMPARE(LerArquivoIni(pasta, "QuelmonteEtiqPrecoDatamax", "Largura"), std::string("0400"));
        QVERIFY(!layout().empty() && layout().find("[PortaSerial]") == std::string::npos);

        reabrir();
        QCOMPARE(campo("txtLargura")->text(), QStringLiteral("400"));
        escolher("cmbTipoImpressora", "Zebra - ZPL");
        QCOMPARE(campo("txtLargura")->text(), QStringLiteral("120"));
        QCOMPARE(campo("txtFonteNome")->text(), QStringLiteral("ARIAL.FNT"));
    }

    void restaurarTrazDeVoltaOInstaladoDepoisDaPergunta() {
        escolher("cmbTipoImpressora", "Zebra - ZPL");
        digitar("txtLargura", QStringLiteral("120"));
        digitar("txtFonteNome", QStringLiteral("OUTRA.FNT"));
        clicar("cmdGravar");
        const std::string alterado = layout();
        plataforma.mensagens.clear();

        plataforma.respostaPerguntas = Resposta::Nao;
        clicar("cmdRestaurar");
        QCOMPARE(plataforma.mensagens.size(), std::size_t{1});
        const auto& pergunta = plataforma.mensagens[0];
        QCOMPARE(pergunta.texto,
                 std::string("Confirma a restauração para o tipo de etiqueta selecionada (Preço "
                             "Cartolina)?\nTenha certeza da escolha, depois de restaurada as "
                             "informações atuais não poderam ser mais recuperadas!"));
        QCOMPARE(pergunta.titulo, std::string("Restauração"));
        QVERIFY(pergunta.icone == Icone::Pergunta && pergunta.botoes == Botoes::SimNao);
        QCOMPARE(layout(), alterado);

        plataforma.respostaPerguntas = Resposta::Sim;
        clicar("cmdRestaurar");
        QCOMPARE(plataforma.mensagens.size(), std::size_t{3});
        QCOMPARE(plataforma.mensagens[2].texto, std::string("Restauração realizada com sucesso!"));
        QCOMPARE(plataforma.mensagens[2].titulo, std::string("Restauração"));
        QCOMPARE(layout(), kLayoutInstalado);
        QCOMPARE(campo("txtLargura")->text(), QStringLiteral("832"));
        QCOMPARE(campo("txtFonteNome")->text(), QStringLiteral("ARIAL.FNT"));
    }

    void restaurarSemACopiaInstaladaAvisaENaoMexe() {
        digitar("txtLargura", QStringLiteral("500"));
        clicar("cmdGravar");
        const std::string alterado = layout();
        fs::remove(pasta / "QuelmonteEtiqueta.original.ini");
        plataforma.mensagens.clear();
        clicar("cmdRestaurar");
        QCOMPARE(plataforma.mensagens.size(), std::size_t{2});
        QVERIFY(plataforma.mensagens[1].icone == Icone::Critico);
        QVERIFY(plataforma.mensagens[1].texto.find("QuelmonteEtiqueta.original.ini") !=
                std::string::npos);
        QCOMPARE(layout(), alterado);
    }

    void cancelarFechaSemGravar() {
        dialogo->show();
        digitar("txtLargura", QStringLiteral("999"));
        clicar("cmdCancelar");
        QVERIFY(!dialogo->isVisible());
        QCOMPARE(dialogo->result(), int(QDialog::Rejected));
        QCOMPARE(layout(), kLayoutInstalado);
    }

    void configuracaoDaJanelaAbreODialogoModal() {
        Aplicacao aplicacao(plataforma, pasta);
        FrmEtiqueta janela(aplicacao);
        QString aberto;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<FrmConfiguracao*>(QApplication::activeModalWidget());
            if (!d) return;
            aberto = d->windowTitle();
            modal = d->isModal() && d->parentWidget() == &janela;
            d->modelo().cmdCancelar.clicar();
        });
        aplicacao.janela().cmdConfiguracao.clicar();
        QCOMPARE(aberto, q("Configuração - Parametros de Impressão"));
        QVERIFY(modal);
    }

    // The picture in docs/: ETIQUETAS_CAPTURA=docs/x.png, run under Xvfb.
    void captura() {
        const QString destino = qEnvironmentVariable("ETIQUETAS_CAPTURA");
        if (destino.isEmpty()) QSKIP("ETIQUETAS_CAPTURA not set");
        escolher("cmbTipoImpressora", "Zebra - ZPL");
        dialogo->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
        QVERIFY(dialogo->grab().save(destino));
    }
};

QTEST_MAIN(FrmConfiguracaoTeste)
#include "FrmConfiguracaoTeste.moc"
