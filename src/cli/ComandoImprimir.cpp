#include <iostream>
#include <optional>

#include "app/EscolhaImpressora.h"
#include "app/RegistroHistorico.h"
#include "cli/ContextoCli.h"
#include "cli/OpcoesImpressora.h"
#include "cli/OpcoesLinhas.h"
#include "cli/Validadores.h"
#include "comum/Texto.h"
#include "resolucao/Escala.h"

namespace etiquetas::cli {

namespace {

struct OpcoesImprimir {
    std::string arquivo;
    OpcoesLinhas linhas;
    bool separador = false;
    std::optional<std::string> tipo;
    ArgumentosImpressora impressora;
    bool semRepetir = false;    // print only what the history never saw sent
    bool semHistorico = false;  // a history that cannot be written does not stop the print
    bool verificar = false;     // check the jobs, print nothing
    bool ignorarVerificacao = false;
#ifdef ETIQUETAS_PREVIA
    std::optional<std::string> previa;  // picture prefix: draw instead of sending
#endif
};

void escreverAchados(std::ostream& saida, const ResultadoVerificacao& r, const char* prefixo) {
    for (const auto& a : r.achados) saida << cp1252ParaUtf8(prefixo + linhaAchado(a)) << '\n';
    if (r.omitidos > 0)
        saida << cp1252ParaUtf8(std::string(prefixo) + "... e mais " + std::to_string(r.omitidos))
              << '\n';
}

#ifdef ETIQUETAS_PREVIA

// The jobs the print would send, drawn as they are made instead of sent; a
// run that made no label writes no picture and fails.
int visualizar(ContextoCli& ctx, const PedidoImpressao& pedido, const std::string& prefixo) {
    AcompanhamentoCli acompanhamento(ctx);
    GravadorPrevia gravador(prefixo, pontosPorMilimetro(pedido.parametros.resolucao));
    if (!ctx.servico->visualizar(pedido, acompanhamento, gravador)) return kFalha;
    const int status = gravador.terminar();
    if (const auto r = ctx.servico->verificar(pedido, acompanhamento); r && !r->achados.empty())
        escreverAchados(std::cerr, *r, "[Verificação das Etiquetas] ");
    return status;
}
#endif

// Before the question: the findings on standard error; an error stops the
// print unless --ignorar-verificacao.
class AcompanhamentoVerificado : public AcompanhamentoCli {
  public:
    AcompanhamentoVerificado(ContextoCli& ctx, bool ignorar)
        : AcompanhamentoCli(ctx), ignorar_(ignorar) {}
    bool verificarAntes() const override { return verificacaoDisponivel(); }
    bool prosseguirApesarDe(const ResultadoVerificacao& r) override {
        std::cerr << cp1252ParaUtf8("[Verificação das Etiquetas] " + resumoVerificacao(r)) << '\n';
        escreverAchados(std::cerr, r, "[Verificação das Etiquetas] ");
        if (r.erros == 0 || ignorar_) return true;
        std::cerr << cp1252ParaUtf8(
                         "[Verificação das Etiquetas] Nenhuma etiqueta foi impressa "
                         "(--ignorar-verificacao imprime mesmo assim).")
                  << '\n';
        return false;
    }

  private:
    bool ignorar_;
};

// --verificar: the findings on standard output, exit 1 on an error.
int verificar(ContextoCli& ctx, const PedidoImpressao& pedido) {
    if (!verificacaoDisponivel()) {
        std::cerr << cp1252ParaUtf8("A verificação das etiquetas não está disponível nesta versão.")
                  << '\n';
        return kFalha;
    }
    AcompanhamentoCli acompanhamento(ctx);
    const auto r = ctx.servico->verificar(pedido, acompanhamento);
    if (!r) return kFalha;
    escreverAchados(std::cout, *r, "");
    std::cout << cp1252ParaUtf8(resumoVerificacao(*r)) << '\n';
    return r->erros > 0 ? kFalha : kOk;
}

// Two runs that leave out what the history says was sent, checking at once,
// would each find the rows unsent and both print them: one at a time. A
// lock that holds nothing (no history folder yet) lets the run meet the
// history's own failure.
std::optional<TravaImpressao> travarSemRepetir(ContextoCli& ctx, const PedidoImpressao& pedido) {
    const auto arquivo = arquivoHistoricoDoUsuario(ctx.pastas());
    std::string quem;
    auto trava =
        travarHistorico(arquivo, pedido.parametros.esperaOutraImpressao, ctx.plataforma, quem);
    if (!trava)
        ctx.plataforma.mensagem(
            "Outra impressão com --sem-repetir confere o mesmo histórico de impressões (" +
                (quem.empty() ? std::string("outro programa") : quem) +
                ").\nAguarde o fim dela e tente novamente. Nenhuma etiqueta foi impressa.",
            "Histórico de Impressões", Icone::Critico, Botoes::Ok);
    return trava;
}

int imprimir(ContextoCli& ctx, const OpcoesImprimir& o) {
    // Without a history nothing says what was printed: leaving nothing out
    // would print it all again.
    if (o.semRepetir && !historicoDisponivel()) {
        std::cerr << cp1252ParaUtf8(
                         "Esta versão não tem histórico de impressões: --sem-repetir não tem como "
                         "saber o que já foi impresso. Nenhuma etiqueta foi impressa.")
                  << '\n';
        return kFalha;
    }
    ServicoImpressao& servico = ctx.iniciarServico();
    const auto pedidos = abrirPedidos(ctx, caminhoDoArgumento(o.arquivo));
    if (!pedidos) return kFalha;
    const auto impressora = impressoraEscolhida(ctx.pastas(), o.impressora);
    if (!impressora) return kArgumentos;
    if (const int r = aplicarOpcoesLinhas(*pedidos->grade, o.linhas, std::cerr); r != kOk) return r;
    // The window shows the list only for files that have label kinds.
    if (o.tipo && !listaTipoVisivel(pedidos->arquivo.carga.seletor)) {
        std::cerr << cp1252ParaUtf8(
                         "--tipo não se aplica a este arquivo: etiquetas do tipo " +
                         std::to_string(pedidos->arquivo.carga.TipoEtiquetaPedido.value_or(0)) +
                         " não têm lista de tipo de etiqueta")
                  << '\n';
        return kArgumentos;
    }
    PedidoImpressao pedido = pedidoImpressao(ctx, &*pedidos, *impressora, o.separador,
                                             o.tipo ? utf8ParaCp1252(*o.tipo) : "", true);
    pedido.somenteNuncaImpressas = o.semRepetir;
#ifdef ETIQUETAS_PREVIA
    if (o.previa) return visualizar(ctx, pedido, *o.previa);
#endif
    if (o.verificar) return verificar(ctx, pedido);
    if (const auto falha = falhaConversaoVelocidade(ctx.pastas().dados, *impressora);
        !falha.empty()) {
        ctx.plataforma.mensagem(falha + "\nNenhuma etiqueta foi impressa.", "Impressora",
                                Icone::Critico, Botoes::Ok);
        return kFalha;
    }
    // --sem-repetir reads the history: without it nothing says what to leave
    // out, --sem-historico or not.
    if (historicoDisponivel())
        servico.usarHistorico(arquivoHistoricoDoUsuario(ctx.pastas()),
                              o.semHistorico && !o.semRepetir ? FalhaDoHistorico::Prosseguir
                                                              : FalhaDoHistorico::Parar);
    std::optional<TravaImpressao> trava;
    if (o.semRepetir && !(trava = travarSemRepetir(ctx, pedido))) return kFalha;
    ctx.interromperComSinais();
    AcompanhamentoVerificado acompanhamento(ctx, o.ignorarVerificacao);
    return statusImpressao(servico.imprimir(pedido, acompanhamento));
}

}  // namespace

void registrarImprimir(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto o = std::make_shared<OpcoesImprimir>();
    auto* c = app.add_subcommand("imprimir", "Imprime as etiquetas das linhas marcadas");
    c->add_option("ARQUIVO", o->arquivo, "Arquivo de pedidos XML")
        ->required()
        ->check(arquivoExistente());
    adicionarOpcoesLinhas(*c, o->linhas);
    c->add_flag("--separador", o->separador, "Marca \"Imprimir separador por Pedido/Item\"");
    c->add_option("--tipo", o->tipo, "Texto da lista de tipo de etiqueta (ex.: Etiq.Interna)");
    adicionarOpcoesImpressora(*c, o->impressora);
    c->add_flag("--sem-repetir", o->semRepetir,
                utf8(u8"Imprime só o que o histórico nunca registrou como enviado"));
    c->add_flag("--sem-historico", o->semHistorico,
                utf8(u8"Imprime mesmo que o histórico de impressões não possa ser gravado"));
    c->add_flag("--verificar", o->verificar,
                utf8(u8"Só verifica as etiquetas que seriam enviadas (marcadores, campos fora da "
                     u8"etiqueta, códigos de barras); sai com 1 se houver erro"));
    c->add_flag("--ignorar-verificacao", o->ignorarVerificacao,
                utf8(u8"Imprime mesmo quando a verificação encontra erros"));
#ifdef ETIQUETAS_PREVIA
    c->add_option("--previa", o->previa,
                  utf8(u8"Desenha o que seria enviado em PREFIXO-1.png, PREFIXO-2.png, ... e não "
                       u8"envia nada"))
        ->check(prefixoImagens());
#endif
    c->callback([&ctx, &execucao, o] { execucao = [&ctx, o] { return imprimir(ctx, *o); }; });
}

}  // namespace etiquetas::cli
