// etiquetas-cli abrir: recognise and load an order file, then print the file
// information block and the shown grid (tab-separated, header first).

#include <iostream>
#include <memory>

#include "cli/ContextoCli.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

void escreverLinha(std::string& saida, const std::string& cp1252) {
    saida += cp1252ParaUtf8(cp1252);
    saida += '\n';
}

std::string blocoInformacoes(const ArquivoAberto& arquivo) {
    const InformacoesArquivo i = informacoesArquivo(arquivo);
    std::string saida;
    escreverLinha(saida, "Tipo da Etiqueta : " +
                             arquivo.legendaTipo.value_or("Nenhum Arquivo Selecionado !"));
    escreverLinha(saida, "Total de Pedidos : " + i.totalPedidos);
    escreverLinha(saida, i.rotuloItens + " " + i.totalItens);
    escreverLinha(saida, "Total de Variantes : " + i.totalVariantes);
    escreverLinha(saida, i.descricaoTotal.value_or("Total de Etiquetas a Imprimir:") + " " +
                             i.total.value_or(""));
    // The path as the file system names it, not as a label would print it.
    saida += "Arquivo : " + utf8DoCaminho(arquivo.caminho) + '\n';
    return saida;
}

void escreverGrade(const Grade& g, std::ostream& saida) {
    std::string linha;
    for (int l = 0; l <= g.linhas(); ++l) {
        linha.clear();
        for (int c = 1; c <= g.colunas(); ++c) {
            if (c > 1) linha += '\t';
            linha += g.texto(l, c);
        }
        linha += '\n';
        saida << cp1252ParaUtf8(linha);
    }
}

int abrir(ContextoCli& ctx, const std::string& arquivo) {
    ctx.iniciarServico();
    std::error_code erro;
    const auto dado = caminhoDoArgumento(arquivo);
    const auto absoluto = std::filesystem::absolute(dado, erro);
    const auto pedidos = abrirPedidos(ctx, erro ? dado : absoluto);
    if (!pedidos) return kFalha;
    std::cout << blocoInformacoes(pedidos->arquivo) << '\n';
    escreverGrade(*pedidos->grade, std::cout);
    std::cout.flush();
    return kOk;
}

}  // namespace

void registrarAbrir(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto arquivo = std::make_shared<std::string>();
    auto* sub = app.add_subcommand(
        "abrir", "Reconhece e carrega um arquivo de pedidos; mostra os dados do arquivo e a grade");
    sub->add_option("arquivo", *arquivo, "Arquivo XML de pedidos")->required();
    sub->callback([&ctx, &execucao, arquivo] {
        execucao = [&ctx, arquivo] { return abrir(ctx, *arquivo); };
    });
}

}  // namespace etiquetas::cli
