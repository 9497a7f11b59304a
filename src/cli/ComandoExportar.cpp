#include <iostream>

#include "cli/ContextoCli.h"
#include "cli/OpcoesLinhas.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

struct OpcoesExportar {
    std::string arquivo;
    OpcoesLinhas linhas;
};

int exportar(ContextoCli& ctx, const OpcoesExportar& opcoes) {
    Aplicacao& app = ctx.iniciarAplicacao();
    app.AbrirArquivoPedidos(caminhoDoArgumento(opcoes.arquivo));
    if (ctx.houveFalha()) return kFalha;
    if (app.janela().tipoArquivo() == 0) {
        std::cerr << cp1252ParaUtf8("arquivo de pedidos não reconhecido: ") << opcoes.arquivo
                  << '\n';
        return kFalha;
    }
    // The window offers the export only when the order file allows it.
    if (!app.janela().cmdGerarTxt.visivel()) {
        std::cerr << cp1252ParaUtf8("o arquivo de pedidos não autoriza a geração do TXT") << '\n';
        return kFalha;
    }
    if (const int r = aplicarOpcoesLinhas(app, opcoes.linhas, std::cerr); r != kOk) return r;
    const auto nome = app.GerarArquivoTxt();
    if (!nome) {
        if (!ctx.houveFalha())
            std::cerr << cp1252ParaUtf8("nenhum arquivo gerado: o tipo de etiqueta " +
                                        std::to_string(app.janela().TipoEtiquetaPedido) +
                                        " não tem exportação TXT")
                      << '\n';
        return kFalha;
    }
    std::cout << nome->string() << '\n';
    return kOk;
}

}  // namespace

void registrarExportar(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto opcoes = std::make_shared<OpcoesExportar>();
    auto* comando = app.add_subcommand(
        "exportar", "Gera o arquivo TXT das linhas marcadas e mostra o nome do arquivo gravado");
    comando->add_option("ARQUIVO", opcoes->arquivo, "Arquivo de pedidos XML")
        ->required()
        ->check(CLI::ExistingFile);
    adicionarOpcoesLinhas(*comando, opcoes->linhas);
    comando->callback([&ctx, &execucao, opcoes] {
        execucao = [&ctx, opcoes] { return exportar(ctx, *opcoes); };
    });
}

}  // namespace etiquetas::cli
