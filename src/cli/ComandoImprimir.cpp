#include <iostream>
#include <optional>

#include "cli/ContextoCli.h"
#include "cli/OpcoesImpressora.h"
#include "cli/OpcoesLinhas.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

struct OpcoesImprimir {
    std::string arquivo;
    OpcoesLinhas linhas;
    bool separador = false;
    std::optional<std::string> tipo;
    OpcoesImpressora impressora;
};

int imprimir(ContextoCli& ctx, const OpcoesImprimir& o) {
    Aplicacao& app = ctx.iniciarAplicacao();
    app.AbrirArquivoPedidos(o.arquivo);
    if (ctx.houveFalha()) return kFalha;
    JanelaPrincipal& j = app.janela();
    if (j.tipoArquivo() == 0) {
        std::cerr << cp1252ParaUtf8("arquivo de pedidos não reconhecido: ") << o.arquivo << '\n';
        return kFalha;
    }
    if (const int r = aplicarOpcoesImpressora(j, o.impressora); r != kOk) return r;
    j.ckbMaterialForn.definirMarcada(o.separador);
    if (o.tipo) j.cbvTipoEtiq.definirTexto(utf8ParaCp1252(*o.tipo));
    if (const int r = aplicarOpcoesLinhas(app, o.linhas, std::cerr); r != kOk) return r;
    ctx.interromperComSinais();
    j.cmdImprimir.clicar();
    return statusImpressao(app);
}

}  // namespace

void registrarImprimir(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto o = std::make_shared<OpcoesImprimir>();
    auto* c = app.add_subcommand("imprimir", "Imprime as etiquetas das linhas marcadas");
    c->add_option("ARQUIVO", o->arquivo, "Arquivo de pedidos XML")
        ->required()
        ->check(CLI::ExistingFile);
    adicionarOpcoesLinhas(*c, o->linhas);
    c->add_flag("--separador", o->separador, "Marca \"Imprimir separador por Pedido/Item\"");
    c->add_option("--tipo", o->tipo, "Texto da lista de tipo de etiqueta (ex.: Etiq.Interna)");
    adicionarOpcoesImpressora(*c, o->impressora);
    c->callback([&ctx, &execucao, o] { execucao = [&ctx, o] { return imprimir(ctx, *o); }; });
}

}  // namespace etiquetas::cli
