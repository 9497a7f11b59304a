// etiquetas-cli reimprimir: a run of the history printed again from its first
// bad label to its end, from the same order file (the same bytes) to the
// same printer line, language and destination.

#include <iostream>
#include <optional>

#include "app/Reimpressao.h"
#include "cli/ContextoCli.h"
#include "cli/OpcoesImpressora.h"
#include "cli/OpcoesLinhas.h"
#include "cli/Validadores.h"
#include "comum/Arquivos.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

struct OpcoesReimprimir {
    long long execucao = 0;
    std::optional<long long> aPartirDe, trabalho;
    bool semHistorico = false;
};

int falha(const std::string& texto) {
    std::cerr << cp1252ParaUtf8(texto) << '\n';
    return kFalha;
}

// The printer of the run: its line of the printer table, where it still is.
std::optional<ArgumentosImpressora> impressoraDaExecucao(const PastasAplicacao& pastas,
                                                         const ExecucaoRegistrada& e) {
    ArgumentosImpressora a;
    if (destinoEmPorta(e.destino))
        a.porta = aparar(e.destino);
    else
        a.rede = cp1252ParaUtf8(e.destino);
    for (int i = 0;; ++i) {
        OpcoesImpressora o;
        o.impressora = i;
        const auto escolha = escolherImpressora(pastas, o).escolha;
        if (!escolha) return std::nullopt;
        if (escolha->linha == e.impressora) {
            a.impressora = i;
            return a;
        }
    }
}

// The remainder's rows ticked, a price row's range set as it remains.
OpcoesLinhas linhasDoRestante(const RestanteExecucao& r, const Grade& grade) {
    OpcoesLinhas o;
    for (const auto& l : r.linhas) {
        o.linhas += (o.linhas.empty() ? "" : ",") + std::to_string(l.linha);
        if (r.execucao.volume || l.linha > grade.linhas()) continue;
        const auto finalArquivo =
            valorInteiro(grade.texto(l.linha, coluna(CampoPreco::SequenciaFinalOriginal)));
        const auto [primeira, ultima] = faixaReimpressa(l, finalArquivo);
        o.sequencias.push_back(std::to_string(l.linha) + ":" + std::to_string(primeira) + "-" +
                               std::to_string(ultima));
    }
    return o;
}

std::optional<RestanteExecucao> restante(const std::filesystem::path& arquivo,
                                         const OpcoesReimprimir& o) {
    std::error_code erro;
    if (arquivo.empty() || !std::filesystem::exists(arquivo, erro)) {
        falha("Não há histórico de impressões: nada foi reimpresso.");
        return std::nullopt;
    }
    try {
        HistoricoImpressao historico(arquivo, AberturaHistorico::Leitura);
        return restanteDaExecucao(historico, o.execucao, o.trabalho, o.aPartirDe);
    } catch (const FalhaHistorico& f) {
        falha(f.what());
        return std::nullopt;
    }
}

int reimprimir(ContextoCli& ctx, const OpcoesReimprimir& o) {
    ServicoImpressao& servico = ctx.iniciarServico();
    const auto historico = arquivoHistoricoDoUsuario(ctx.pastas());
    const auto r = restante(historico, o);
    if (!r) return kFalha;
    if (const auto motivo = motivoArquivoDiferente(*r); !motivo.empty()) return falha(motivo);
    const auto argumentos = impressoraDaExecucao(ctx.pastas(), r->execucao);
    if (!argumentos)
        return falha("A impressora \"" + r->execucao.impressora + "\" da impressão " +
                     std::to_string(r->id) +
                     " não está mais na tabela de impressoras: nada foi reimpresso.");
    const auto impressora = impressoraEscolhida(ctx.pastas(), *argumentos);
    if (!impressora) return kArgumentos;
    const auto pedidos = abrirPedidos(ctx, r->execucao.caminho);
    if (!pedidos) return kFalha;
    if (const int s =
            aplicarOpcoesLinhas(*pedidos->grade, linhasDoRestante(*r, *pedidos->grade), std::cerr);
        s != kOk)
        return s;
    PedidoImpressao pedido = pedidoImpressao(ctx, &*pedidos, *impressora, r->separador, "", true);
    pedido.reimpressao = true;  // on purpose: recorded as such, without the repeat warning
    if (nomeLinguagem(pedido.parametros.linguagem) != r->execucao.linguagem)
        return falha("A impressora \"" + r->execucao.impressora + "\" fala agora " +
                     nomeLinguagem(pedido.parametros.linguagem) + ", não " + r->execucao.linguagem +
                     " como na impressão " + std::to_string(r->id) + ": nada foi reimpresso.");
    servico.usarHistorico(historico,
                          o.semHistorico ? FalhaDoHistorico::Prosseguir : FalhaDoHistorico::Parar);
    ctx.interromperComSinais();
    AcompanhamentoCli acompanhamento(ctx);
    return statusImpressao(servico.imprimir(pedido, acompanhamento));
}

}  // namespace

void registrarReimprimir(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto o = std::make_shared<OpcoesReimprimir>();
    auto* c = app.add_subcommand(
        "reimprimir",
        utf8(u8"Reimprime uma impressão do histórico da primeira etiqueta perdida até o fim"));
    c->add_option("EXECUCAO", o->execucao,
                  utf8(u8"A impressão (coluna execucao de etiquetas-cli historico)"))
        ->required()
        ->check(numeroPositivo());
    c->add_option("--a-partir-de", o->aPartirDe,
                  utf8(u8"Sequência (ou caixa) da primeira etiqueta a reimprimir"));
    c->add_option("--trabalho", o->trabalho,
                  utf8(u8"A linha do histórico (coluna id) da primeira etiqueta a reimprimir"));
    c->add_flag("--sem-historico", o->semHistorico,
                utf8(u8"Imprime mesmo que o histórico de impressões não possa ser gravado"));
    c->callback([&ctx, &execucao, o] { execucao = [&ctx, o] { return reimprimir(ctx, *o); }; });
}

}  // namespace etiquetas::cli
