// A print run in the real window: the controls locked while it goes on,
// "Cancelar" stopping it after the job in progress, everything given back.

#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <memory>

#include "app/Aplicacao.h"
#include "gui/FrmEtiqueta.h"
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

QPushButton* botao(QWidget& janela, const char* nome) {
    auto* b = janela.findChild<QPushButton*>(QString::fromLatin1(nome));
    if (!b) qFatal("botão %s ausente", nome);
    return b;
}

}  // namespace

class TesteImpressaoJanela : public QObject {
    Q_OBJECT

  private slots:
    void cancelarParaDepoisDoTrabalhoEmCurso();
};

void TesteImpressaoJanela::cancelarParaDepoisDoTrabalhoEmCurso() {
    QTemporaryDir pasta;
    const QDir origem(QStringLiteral(ETIQUETAS_PASTA_APLICACAO));
    for (const QFileInfo& f : origem.entryInfoList(QDir::Files))
        if (!f.isExecutable()) QFile::copy(f.filePath(), pasta.filePath(f.fileName()));
    // Each job takes a moment and leaves a file, as a slow printer would.
    std::ofstream(pasta.filePath(QStringLiteral("QuelmonteImprime.sh")).toStdString())
        << "sleep 0.2; d=$(dirname \"$0\"); cp \"$1\" \"$d/job-$(date +%s%N).prn\"\n";
    PlataformaTeste plataforma;
    Aplicacao app(plataforma, std::filesystem::path(pasta.path().toStdString()));
    app.iniciar();
    FrmEtiqueta janela(app);
    janela.show();
    app.AbrirArquivoPedidos(
        (app.PastaAplicacao() / "Quelmonte_Preco_Cartolina_teste.xml").string());
    auto& j = app.janela();
    j.cmbImpressora.selecionar(1);
    j.sprPedidos.definirTexto(1, 1, "1");
    j.sprPedidos.definirTexto(1, 23, "1");
    j.sprPedidos.definirTexto(1, 24, "60");
    plataforma.mensagens.clear();

    bool travadaDurante = false;
    QTimer::singleShot(700, &janela, [&] {
        travadaDurante = !botao(janela, "cmdLocalizar")->isEnabled() &&
                         !botao(janela, "cmdSair")->isEnabled() &&
                         botao(janela, "cmdCancelar")->isVisible();
        QTest::mouseClick(botao(janela, "cmdCancelar"), Qt::LeftButton);
    });
    QTest::mouseClick(botao(janela, "cmdImprimir"), Qt::LeftButton);

    QVERIFY(travadaDurante);
    const auto jobs = QDir(pasta.path()).entryList({QStringLiteral("job-*.prn")}).size();
    QVERIFY2(jobs >= 1 && jobs < 30, qPrintable(QString::number(jobs)));
    QCOMPARE(plataforma.mensagens.back().second, std::string("Fim da Impressão"));
    QVERIFY(plataforma.mensagens.back().first.starts_with("Impressão interrompida"));
    QVERIFY(botao(janela, "cmdImprimir")->isEnabled());
    QVERIFY(botao(janela, "cmdLocalizar")->isEnabled());
    QVERIFY(botao(janela, "cmdCancelar")->isHidden());
}

QTEST_MAIN(TesteImpressaoJanela)
#include "TesteImpressaoJanela.moc"
