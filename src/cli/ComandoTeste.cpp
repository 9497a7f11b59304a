// "teste 1|2|3|4": the options of "Imprimir Pagina Teste"; "fonte": the
// button "Carregar Fonte Zebra".

#include "cli/ContextoCli.h"
#include "cli/OpcoesImpressora.h"

namespace etiquetas::cli {

namespace {

struct OpcoesTeste {
    int opcao = 0;
    OpcoesImpressora impressora;
};

Opcao& opcaoTeste(JanelaPrincipal& j, int opcao) {
    Opcao* opcoes[] = {&j.Option1, &j.Option2, &j.Option3, &j.Option4};
    return *opcoes[opcao - 1];
}

int imprimirTeste(ContextoCli& ctx, const OpcoesTeste& o) {
    Aplicacao& app = ctx.iniciarAplicacao();
    if (const int r = aplicarOpcoesImpressora(app.janela(), o.impressora); r != kOk) return r;
    ctx.interromperComSinais();
    opcaoTeste(app.janela(), o.opcao).clicar();
    return statusImpressao(app);
}

int carregarFonte(ContextoCli& ctx, const OpcoesImpressora& o) {
    Aplicacao& app = ctx.iniciarAplicacao();
    if (const int r = aplicarOpcoesImpressora(app.janela(), o); r != kOk) return r;
    ctx.interromperComSinais();
    app.janela().CmZebra.clicar();
    return statusImpressao(app);
}

}  // namespace

void registrarTeste(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto o = std::make_shared<OpcoesTeste>();
    auto* c = app.add_subcommand(
        "teste", utf8(u8"Imprime a página de teste da opção 1 a 4 (\"Grade Volume Padrao\", "
                      u8"\"Grade Volume Repos. Auto\", \"Preco Adesiva\", \"Preco Cartolina\")"));
    c->add_option("OPCAO", o->opcao, utf8(u8"Opção de teste, 1 a 4"))
        ->required()
        ->check(CLI::Range(1, 4));
    adicionarOpcoesImpressora(*c, o->impressora);
    c->callback([&ctx, &execucao, o] { execucao = [&ctx, o] { return imprimirTeste(ctx, *o); }; });

    auto f = std::make_shared<OpcoesImpressora>();
    auto* cf = app.add_subcommand(
        "fonte", utf8(u8"\"Carregar Fonte Zebra\": envia o gráfico e a fonte à impressora"));
    adicionarOpcoesImpressora(*cf, *f);
    cf->callback([&ctx, &execucao, f] { execucao = [&ctx, f] { return carregarFonte(ctx, *f); }; });
}

}  // namespace etiquetas::cli
