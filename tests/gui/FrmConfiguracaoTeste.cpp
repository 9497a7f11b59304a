// The layout dialog through its Qt view, on a temporary application folder.

#include <QtTest>
#include <QtWidgets>

#include "ApoioJanela.h"
#include "app/Aplicacao.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "gui/FrmConfiguracao.h"
#include "gui/FrmEtiqueta.h"
#include "platform/headless/PlataformaHeadless.h"

using namespace etiquetas;
using namespace Qt::StringLiterals;
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

// The fields as typed; the message and the field that gets the focus.
void recusa(const char* caso, const char* campos, const char* mensagem, const char* foco) {
    QTest::newRow(caso) << q(campos) << q(mensagem) << q(foco);
}

}  // namespace

class FrmConfiguracaoTeste : public QObject {
    Q_OBJECT

  private:
    std::optional<QTemporaryDir> temporaria;
    fs::path pasta;
    PlataformaHeadless plataforma;
    std::unique_ptr<FrmConfiguracao> dialogo;

    template <typename W = QLineEdit>
    W* widget(const std::string& nome) {
        return qobject_cast<W*>(dialogo->controle(nome));
    }
    void digitar(const std::string& nome, const QString& texto) {
        widget(nome)->clear();
        QTest::keyClicks(widget(nome), texto);
        // clear() is not an edit: tell the model about an empty field too.
        if (texto.isEmpty()) emit widget(nome)->textEdited(QString());
    }
    void escolher(const std::string& lista, const char* texto) {
        auto* combo = widget<QComboBox>(lista);
        emit combo->activated(combo->findText(q(texto)));
    }
    void clicar(const std::string& botao) { widget<QPushButton>(botao)->click(); }
    QString texto(const std::string& nome) { return widget(nome)->text(); }
    std::string layout() const { return lerArquivo(pasta / "QuelmonteEtiqueta.ini").value_or(""); }
    void reabrir() { dialogo = std::make_unique<FrmConfiguracao>(plataforma, pasta); }

  private slots:
    void init() {
        pasta = fs::path(temporaria.emplace().path().toStdString());
        QVERIFY(gravarArquivoAtomico(pasta / "QuelmonteEtiqueta.ini", kLayoutInstalado));
        QVERIFY(gravarArquivoAtomico(pasta / "QuelmonteEtiqueta.original.ini", kLayoutInstalado));
        plataforma.mensagens.clear();
        plataforma.respostaPerguntas = Resposta::Sim;
        reabrir();
    }

    // The checks go in order: every row after the first has a valid width.
    void camposRecusados_data() {
        QTest::addColumn<QString>("campos");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("foco");
        const char* largura = "Informe um valor válido para a largura da etiqueta!";
        recusa("letras na largura antes de tudo", "abc|x|y||", largura, "txtLargura");
        recusa("largura fora de 16 bits", "40000|1|0|2|", largura, "txtLargura");
        recusa("repeticao vazia", "100||0|2|",
               "Informe um valor válido para a repetição da etiqueta!", "txtRepeticao");
        recusa("margem esquerda", "100|1|1a|2|", "Informe um valor válido para margem esquerda!",
               "txtMargemEsquerda");
        recusa("codigo da fonte em branco", "100|1|0|   |", "Informe o código da fonte!",
               "txtFonteCodigo");
        recusa("@ sem nome, antes de Configurar", "100|1|0| @ |  ", "Informe o nome da fonte!",
               "txtFonteNome");
        recusa("largura 19: Configurar recusa, foco na repeticao", "19|1|0|2|",
               "Largura da etiqueta deverá ser maior que 20.", "txtRepeticao");
        recusa("repeticao 0: Configurar recusa", "19|0|0|2|", "Repetição deverá ser maior que 0",
               "txtRepeticao");
    }
    void camposRecusados() {
        QFETCH(QString, campos);
        QFETCH(QString, mensagem);
        QFETCH(QString, foco);
        const QStringList valores = campos.split(u'|');
        const char* nomes[]{"txtLargura", "txtRepeticao", "txtMargemEsquerda", "txtFonteCodigo",
                            "txtFonteNome"};
        for (int i = 0; i < 5; ++i) digitar(nomes[i], valores[i]);
        clicar("cmdGravar");

        QCOMPARE(plataforma.mensagens.size(), std::size_t{1});
        const auto& m = plataforma.mensagens.front();
        QCOMPARE(q(m.texto), mensagem);
        QVERIFY(m.titulo == "ERRO" && m.icone == Icone::Critico);
        QCOMPARE(q(dialogo->modelo().foco()), foco);
        QCOMPARE(widget(foco.toStdString())->selectedText(), texto(foco.toStdString()));
        QCOMPARE(layout(), kLayoutInstalado);
    }

    // Enter in a field saves, as the Gravar button does.
    void gravaLarguraNaSecaoEReabreComEla() {
        escolher("cmbTipoImpressora", "Zebra - ZPL");
        QCOMPARE(texto("txtLargura"), u"832"_s);
        dialogo->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo.get()));
        digitar("txtLargura", u"120"_s);
        QTest::keyClick(widget("txtLargura"), Qt::Key_Return);
        QCOMPARE(plataforma.mensagens.back().texto, std::string("Configuração salva com sucesso!"));
        QCOMPARE(LerArquivoIni(pasta, "QuelmonteEtiqPrecoZebra", "Largura"), std::string("0120"));
        QCOMPARE(LerArquivoIni(pasta, "QuelmonteEtiqPrecoDatamax", "Largura"), std::string("0400"));
        QVERIFY(layout().find("[PortaSerial]") == std::string::npos);

        reabrir();
        QCOMPARE(texto("txtLargura"), u"400"_s);
        escolher("cmbTipoImpressora", "Zebra - ZPL");
        QCOMPARE(texto("txtLargura"), u"120"_s);
    }

    void restaurarTrazDeVoltaOInstaladoDepoisDaPergunta() {
        escolher("cmbTipoImpressora", "Zebra - ZPL");
        digitar("txtLargura", u"120"_s);
        clicar("cmdGravar");
        for (const auto resposta : {Resposta::Nao, Resposta::Sim}) {
            plataforma.respostaPerguntas = resposta;
            plataforma.mensagens.clear();
            clicar("cmdRestaurar");
            const auto& pergunta = plataforma.mensagens.at(0);
            QVERIFY(pergunta.texto.find("(Preço Cartolina)?") != std::string::npos);
            QVERIFY(pergunta.icone == Icone::Pergunta && pergunta.botoes == Botoes::SimNao);
            const bool sim = resposta == Resposta::Sim;
            QCOMPARE(texto("txtLargura"), sim ? u"832"_s : u"120"_s);
            QCOMPARE(LerArquivoIni(pasta, "QuelmonteEtiqPrecoZebra", "Largura"),
                     std::string(sim ? "0832" : "0120"));
        }
        QCOMPARE(plataforma.mensagens.back().texto,
                 std::string("Restauração realizada com sucesso!"));
        QCOMPARE(layout(), kLayoutInstalado);
    }

    // Installed, "Gravar" writes the user's copy and the shipped layout file stays.
    void instaladoGravaACopiaDoUsuario() {
        const PastasAplicacao pastas(pasta, pasta / "config", pasta / "estado", pasta);
        fs::create_directories(pastas.configuracao);
        Aplicacao aplicacao(plataforma, pastas);
        FrmEtiqueta janela(aplicacao);
        teste::quandoAbrir<FrmConfiguracao>([](FrmConfiguracao& d) {
            auto* impressora = qobject_cast<QComboBox*>(d.controle("cmbTipoImpressora"));
            emit impressora->activated(impressora->findText(u"Zebra - ZPL"_s));
            auto* largura = qobject_cast<QLineEdit*>(d.controle("txtLargura"));
            largura->clear();
            QTest::keyClicks(largura, u"120"_s);
            qobject_cast<QPushButton*>(d.controle("cmdGravar"))->click();
            d.modelo().cmdCancelar.clicar();
        });
        aplicacao.janela().cmdConfiguracao.clicar();
        QCOMPARE(plataforma.mensagens.back().texto, std::string("Configuração salva com sucesso!"));
        QCOMPARE(layout(), kLayoutInstalado);
        std::string esperado = kLayoutInstalado;
        esperado.replace(esperado.find("Largura=0832"), 12, "Largura=0120");
        QCOMPARE(lerArquivo(pastas.configuracao / "QuelmonteEtiqueta.ini").value_or(""), esperado);
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
