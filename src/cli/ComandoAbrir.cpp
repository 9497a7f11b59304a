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

std::string blocoInformacoes(JanelaPrincipal& j) {
    std::string saida;
    escreverLinha(saida, j.lblTituloTipo.legenda() + " " + j.lblTipoArquivo.legenda());
    escreverLinha(saida, j.lblTituloPedidos.legenda() + " " + j.lblTotalPedidos.legenda());
    escreverLinha(saida, j.Label2.legenda() + " " + j.lblTotalitens.legenda());
    escreverLinha(saida, j.lblTituloVariantes.legenda() + " " + j.lblTotalVariantes.legenda());
    escreverLinha(saida, j.lblDescImp.legenda() + " " + j.lblTotalEtiquetas.legenda());
    escreverLinha(saida, "Arquivo : " + j.CaminhoArquivoPedidos);
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
    Aplicacao& app = ctx.iniciarAplicacao();
    std::error_code erro;
    const auto absoluto = std::filesystem::absolute(std::filesystem::path(arquivo), erro);
    const std::string caminho = erro ? utf8ParaCp1252(arquivo) : textoDoCaminho(absoluto);
    app.AbrirArquivoPedidos(caminho);
    auto& j = app.janela();
    if (j.CaminhoArquivoPedidos != caminho || j.tipoArquivo() == 0) return kFalha;
    std::cout << blocoInformacoes(j) << '\n';
    escreverGrade(j.tipoArquivo() == 1 ? j.sprPedidos : j.vaVolume, std::cout);
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
