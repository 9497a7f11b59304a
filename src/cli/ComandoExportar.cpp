#include <iostream>

#include "cli/ContextoCli.h"
#include "cli/OpcoesLinhas.h"
#include "cli/Validadores.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

struct OpcoesExportar {
    std::string arquivo;
    OpcoesLinhas linhas;
};

int exportar(ContextoCli& ctx, const OpcoesExportar& opcoes) {
    ServicoImpressao& servico = ctx.iniciarServico();
    const auto pedidos = abrirPedidos(ctx, caminhoDoArgumento(opcoes.arquivo));
    if (!pedidos) return kFalha;
    // The window offers the export only when the order file allows it.
    if (!pedidos->arquivo.carga.autorizadoGerarTxt) {
        std::cerr << cp1252ParaUtf8("o arquivo de pedidos não autoriza a geração do TXT") << '\n';
        return kFalha;
    }
    if (const int r = aplicarOpcoesLinhas(*pedidos->grade, opcoes.linhas, std::cerr); r != kOk)
        return r;
    AcompanhamentoCli acompanhamento(ctx);
    const PedidoImpressao pedido = pedidoImpressao(ctx, &*pedidos, {}, false, "", true);
    const auto exportacao = servico.exportarTxt(pedido, acompanhamento);
    if (exportacao.tipoSemExportacao)
        std::cerr << cp1252ParaUtf8("nenhum arquivo gerado: o tipo de etiqueta " +
                                    std::to_string(pedido.tipoEtiqueta) + " não tem exportação TXT")
                  << '\n';
    if (!exportacao.arquivo) return kFalha;
    std::cout << exportacao.arquivo->string() << '\n';
    return kOk;
}

}  // namespace

void registrarExportar(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto opcoes = std::make_shared<OpcoesExportar>();
    auto* comando = app.add_subcommand(
        "exportar", "Gera o arquivo TXT das linhas marcadas e mostra o nome do arquivo gravado");
    comando->add_option("ARQUIVO", opcoes->arquivo, "Arquivo de pedidos XML")
        ->required()
        ->check(arquivoExistente());
    adicionarOpcoesLinhas(*comando, opcoes->linhas);
    comando->callback([&ctx, &execucao, opcoes] {
        execucao = [&ctx, opcoes] { return exportar(ctx, *opcoes); };
    });
}

}  // namespace etiquetas::cli
