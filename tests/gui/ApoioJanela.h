#pragma once

// The Qt platform with its boxes recorded, widgets by name, an application on a copy.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../apoio/ScriptGravador.h"
#include "app/Aplicacao.h"
#include "platform/qt/PlataformaQt.h"

namespace etiquetas::teste {

class PlataformaTeste : public PlataformaQt {
  public:
    Resposta mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                      Botoes botoes) override {
        mensagens.push_back({texto, titulo});
        if (aoMostrar) aoMostrar(titulo);
        if (caixasReais) return PlataformaQt::mensagem(texto, titulo, icone, botoes);
        return botoes == Botoes::SimNao ? respostaPerguntas : Resposta::Ok;
    }
    // Without `escolha` the real box shows, for a test to drive.
    int escolher(const std::string& texto, const std::string& titulo, Icone icone,
                 const std::vector<std::string>& botoes, int padrao) override {
        mensagens.push_back({texto, titulo});
        if (escolha) return *escolha;
        return PlataformaQt::escolher(texto, titulo, icone, botoes, padrao);
    }
    [[noreturn]] void encerrarAplicacao() override { throw AplicacaoEncerrada(); }
    std::vector<std::pair<std::string, std::string>> mensagens;  // text, title
    std::optional<int> escolha;  // the button a question with buttons of its own gets
    Resposta respostaPerguntas = Resposta::Sim;
    bool caixasReais = false;  // boxes shown for a test to answer, where the focus matters
    std::function<void(const std::string& titulo)> aoMostrar;  // as each box shows
};

template <typename W>
W* achar(QWidget& janela, const char* nome) {
    auto* w = janela.findChild<W*>(QString::fromLatin1(nome));
    if (!w) qFatal("widget %s ausente", nome);
    return w;
}

inline QPushButton* botao(QWidget& janela, const char* nome) {
    return achar<QPushButton>(janela, nome);
}

inline QPushButton* botaoDaCaixa(QMessageBox& caixa, const QString& legenda) {
    for (auto* b : caixa.buttons())
        if (b->text() == legenda) return qobject_cast<QPushButton*>(b);
    qFatal("botão ausente");
}

// Runs `acao` on the modal window of type M once it is up, however late.
template <typename M>
void quandoAbrir(std::function<void(M&)> acao) {
    auto* espera = new QTimer;
    auto tentativas = std::make_shared<int>(0);
    QObject::connect(espera, &QTimer::timeout, [=] {
        auto* m = qobject_cast<M*>(QApplication::activeModalWidget());
        if (!m) {
            if (++*tentativas > 6000) qFatal("a janela esperada não abriu");
            return;
        }
        espera->stop();
        espera->deleteLater();
        acao(*m);
    });
    espera->start(10);
}

using apoio::scriptGravador;

struct AplicacaoNaPasta {
    // `script`, when given, is the folder's print script.
    explicit AplicacaoNaPasta(const std::string& script = "") {
        const QDir origem(QStringLiteral(ETIQUETAS_PASTA_APLICACAO));
        // The data, not the programs and their libraries.
        for (const QFileInfo& f : origem.entryInfoList(QDir::Files))
            if (!f.isExecutable() && f.suffix().compare(u"dll", Qt::CaseInsensitive) != 0)
                QFile::copy(f.filePath(), pasta.filePath(f.fileName()));
        if (!script.empty())
            std::ofstream(caminho() / apoio::kNomeScript, std::ios::binary) << script;
        reiniciar();
    }
    // A new start over the same folder, as the next day's.
    void reiniciar() {
        app = std::make_unique<Aplicacao>(plataforma, caminho());
        app->iniciar();
    }
    // A file of the application folder opened as "Localizar" opens it, read
    // to its end.
    void abrir(const std::string& arquivo) {
        app->AbrirArquivoPedidos((app->PastaAplicacao() / arquivo).string());
        aguardarAbertura();
    }
    void aguardarAbertura() {
        while (app->aberturaEmCurso())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    std::filesystem::path caminho() const { return pasta.path().toStdString(); }
    bool existe(const QString& nome) const { return QFile::exists(pasta.filePath(nome)); }
    // What kScriptGravador kept.
    QByteArray trabalho(int n) const {
        QFile f(pasta.filePath(QStringLiteral("job-%1.spool").arg(n)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int trabalhos() const {
        int n = 0;
        while (existe(QStringLiteral("job-%1.spool").arg(n + 1))) ++n;
        return n;
    }

    QTemporaryDir pasta;
    PlataformaTeste plataforma;
    std::unique_ptr<Aplicacao> app;
};

}  // namespace etiquetas::teste
