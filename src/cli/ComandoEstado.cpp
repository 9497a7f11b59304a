// "estado": the chosen printer's own state, one line; exit 0 when it is
// ready to print.

#include <iostream>

#include "app/ConsultaImpressora.h"
#include "cli/ContextoCli.h"
#include "cli/OpcoesImpressora.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

int mostrarEstado(ContextoCli& ctx, const ArgumentosImpressora& o) {
    ServicoImpressao& servico = ctx.iniciarServico();
    const auto impressora = impressoraEscolhida(ctx.pastas(), o);
    if (!impressora) return kArgumentos;
    const ParametrosImpressao parametros =
        resolverParametros(servico.pastas(), *impressora, false, false, "", false, "");
    const ConsultaImpressora c = consultarImpressora(ctx.plataforma, ctx.pastas(), parametros);
    if (!c.motivo.empty())
        ctx.plataforma.mensagem(c.motivo, "Estado da Impressora", Icone::Critico, Botoes::Ok);
    std::cout << cp1252ParaUtf8(textoEstado(c.estado)) << '\n';
    return c.estado.pronta() ? kOk : kFalha;
}

}  // namespace

void registrarEstado(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto o = std::make_shared<ArgumentosImpressora>();
    auto* c = app.add_subcommand(
        "estado", utf8(u8"Pergunta o estado à impressora (rede servidor:porta ou COM1/COM2): "
                       u8"\"pronta\" ou o que a impede de imprimir"));
    adicionarOpcoesImpressora(*c, *o);
    c->callback([&ctx, &execucao, o] { execucao = [&ctx, o] { return mostrarEstado(ctx, *o); }; });
}

}  // namespace etiquetas::cli
