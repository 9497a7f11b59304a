// "teste 1|2|3|4": the options of "Imprimir Pagina Teste"; "fonte": the
// button "Carregar Fonte Zebra".

#include "app/EdicaoGrade.h"
#include "cli/ContextoCli.h"
#include "cli/OpcoesImpressora.h"
#include "cli/Validadores.h"

namespace etiquetas::cli {

namespace {

struct OpcoesTeste {
    int opcao = 0;
    ArgumentosImpressora impressora;
};

int imprimirTeste(ContextoCli& ctx, const OpcoesTeste& o) {
    ServicoImpressao& servico = ctx.iniciarServico();
    const auto impressora = impressoraEscolhida(ctx.pastas(), o.impressora);
    if (!impressora) return kArgumentos;
    ctx.interromperComSinais();
    // A test file that cannot be opened is said; the command then finds no
    // row to print.
    auto pedidos = abrirPedidos(ctx, servico.arquivoTeste(o.opcao));
    if (pedidos) marcarTodas(*pedidos->grade, true, false);
    // Test pages use the classic layouts and templates.
    const PedidoImpressao pedido =
        pedidoImpressao(ctx, pedidos ? &*pedidos : nullptr, *impressora, false, "", false);
    AcompanhamentoCli acompanhamento(ctx);
    return statusImpressao(servico.imprimirTeste(pedido, acompanhamento));
}

int carregarFonte(ContextoCli& ctx, const ArgumentosImpressora& o) {
    ServicoImpressao& servico = ctx.iniciarServico();
    const auto impressora = impressoraEscolhida(ctx.pastas(), o);
    if (!impressora) return kArgumentos;
    ctx.interromperComSinais();
    AcompanhamentoCli acompanhamento(ctx);
    return statusImpressao(servico.carregarFonte(
        pedidoImpressao(ctx, nullptr, *impressora, false, "", false), acompanhamento));
}

}  // namespace

void registrarTeste(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto o = std::make_shared<OpcoesTeste>();
    auto* c = app.add_subcommand(
        "teste", utf8(u8"Imprime a página de teste da opção 1 a 4 (\"Grade Volume Padrao\", "
                      u8"\"Grade Volume Repos. Auto\", \"Preco Adesiva\", \"Preco Cartolina\")"));
    c->add_option("OPCAO", o->opcao, utf8(u8"Opção de teste, 1 a 4"))
        ->required()
        ->check(umDe({"1", "2", "3", "4"}));
    adicionarOpcoesImpressora(*c, o->impressora);
    c->callback([&ctx, &execucao, o] { execucao = [&ctx, o] { return imprimirTeste(ctx, *o); }; });

    auto f = std::make_shared<ArgumentosImpressora>();
    auto* cf = app.add_subcommand(
        "fonte", utf8(u8"\"Carregar Fonte Zebra\": envia o gráfico e a fonte à impressora"));
    adicionarOpcoesImpressora(*cf, *f);
    cf->callback([&ctx, &execucao, f] { execucao = [&ctx, f] { return carregarFonte(ctx, *f); }; });
}

}  // namespace etiquetas::cli
