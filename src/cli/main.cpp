// etiquetas-cli: the window's workflow without a window. Messages go to
// standard error as "[title] text"; questions are answered Yes.

#include <iostream>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>

#include "cli/ContextoCli.h"
#include "cli/Validadores.h"
#include "comum/Texto.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#endif
#ifdef ETIQUETAS_PREVIA
#include <QCoreApplication>
#include <QGuiApplication>
#endif

using namespace etiquetas;
using namespace etiquetas::cli;

#ifdef ETIQUETAS_PREVIA
// Standard error carries the command's own lines; the offscreen platform's
// remarks about the session (no runtime folder, no display) are not for the
// user.
void semAvisosDoQt(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg) std::cerr << texto.toStdString() << '\n';
}

// Drawing label pictures needs fonts, and so a Qt Gui application; it runs
// on the offscreen platform unless the caller chose one. Other commands keep
// the lighter core application.
std::unique_ptr<QCoreApplication> aplicacaoQt(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "previa" || a == "--previa" || a.starts_with("--previa=")) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(semAvisosDoQt);
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Messages and listings are UTF-8 with bare LF, the same bytes as on
    // other systems.
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
#ifdef ETIQUETAS_PREVIA
    const auto qt = aplicacaoQt(argc, argv);
#endif
    ContextoCli ctx;
    ctx.plataforma.ecoMensagens = &std::cerr;

    CLI::App app{utf8(u8"etiquetas-cli: impressão de etiquetas Quelmonte sem janela")};
    app.require_subcommand(0, 1);
    // The same options on every system: on Windows "/x" stays a path.
    app.allow_windows_style_options(false);
    app.failure_message(mensagemFalhaArgumentos);
    bool versao = false;
    app.add_flag("--version", versao, utf8(u8"Mostra a versão do aplicativo"));
    app.add_option("--pasta", ctx.pasta,
                   utf8(u8"Uma pasta para tudo: tabelas, modelos, INI e spool (sem ela, a pasta do "
                        u8"programa ou, instalado, as pastas do usuário)"))
        ->check(pastaExistente());

    Execucao execucao;
    registrarAbrir(app, ctx, execucao);
    registrarImprimir(app, ctx, execucao);
    registrarExportar(app, ctx, execucao);
    registrarTeste(app, ctx, execucao);
    registrarHistorico(app, ctx, execucao);
    registrarReimprimir(app, ctx, execucao);
    registrarEstado(app, ctx, execucao);
#ifdef ETIQUETAS_PREVIA
    registrarPrevia(app, ctx, execucao);
#endif

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? kOk : kArgumentos;
    }
    if (versao) {
        std::cout << textoVersao(kVersaoCompilada) << '\n';
        return kOk;
    }
    if (!execucao) {
        std::cerr << app.help();
        return kArgumentos;
    }
    try {
        return execucao();
    } catch (const AplicacaoEncerrada&) {
        return kEncerrada;
    } catch (const PastasIndisponiveis& p) {
        ctx.plataforma.mensagem(p.motivo, "", Icone::Critico, Botoes::Ok);
    } catch (const std::bad_alloc&) {
        std::cerr << cp1252ParaUtf8("Memória insuficiente; comando interrompido") << '\n';
    } catch (const std::exception& e) {
        std::cerr << cp1252ParaUtf8(std::string("Erro: ") + e.what()) << '\n';
    }
    return kFalha;
}
