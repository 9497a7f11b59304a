#include "app/ImpressaoPedido.h"

#include "app/HistoricoDaImpressao.h"
#include "app/VerificacaoAntes.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

std::vector<int> linhasMarcadas(const PedidoImpressao& pedido) {
    std::vector<int> r;
    for (int l = 1; pedido.linhas && l <= pedido.linhas->linhas(); ++l)
        if (pedido.linhas->marcada(l)) r.push_back(l);
    return r;
}

// The row a stopped run resumes in, and what went out whole before it. A
// price row whose next sequence lies past its last went out whole too.
Retomada retomadaDe(const PedidoImpressao& pedido, int ultimaLinha,
                    std::optional<long long> proxima) {
    Retomada r;
    const auto marcadas = linhasMarcadas(pedido);
    for (int l : marcadas) {
        if (l < ultimaLinha) {
            r.concluidas.push_back(l);
            continue;
        }
        if (l == ultimaLinha && pedido.tipoArquivo == kArquivoPreco && proxima) {
            const auto ultima =
                valorInteiro(LinhaPreco(*pedido.linhas, l)[CampoPreco::SequenciaFinal]);
            if (ultima && *proxima > *ultima) {
                r.concluidas.push_back(l);
                continue;
            }
            r.proximaSequencia = proxima;
        }
        r.linha = l;
        break;
    }
    return r;
}

// The first sequence that did not go out: the next of the row the run
// stopped in, or the first of a price row it never reached (the last unit
// sent may carry a number past its own row's range, which names nothing
// there). None when every row went out.
std::optional<long long> primeiraNaoImpressa(const PedidoImpressao& pedido, const Retomada& r,
                                             int ultimaLinha) {
    if (r.linha <= ultimaLinha || pedido.tipoArquivo != kArquivoPreco) return r.proximaSequencia;
    return valorInteiro(LinhaPreco(*pedido.linhas, r.linha)[CampoPreco::SequenciaInicial]);
}

// "Retomar na linha N: pedido P, item I, variante V." for the row a stopped
// run resumes in.
std::string textoRetomada(const PedidoImpressao& pedido, const Retomada& r) {
    if (r.linha == 0 || !pedido.linhas) return {};
    std::string texto = "Retomar na linha " + std::to_string(r.linha) + ": pedido ";
    if (pedido.tipoArquivo == kArquivoPreco) {
        const LinhaPreco l(*pedido.linhas, r.linha);
        texto += l[CampoPreco::Pedido] + ", item " + l[CampoPreco::Item] + ", variante " +
                 l[CampoPreco::Variante];
    } else {
        const LinhaVolume l(*pedido.linhas, r.linha);
        texto += l[CampoVolume::Pedido] + ", item " + l[CampoVolume::Item] + ", loja " +
                 l[CampoVolume::Loja];
    }
    return texto + ".";
}

struct Impressao {
    SessaoImpressao& sessao;
    Acompanhamento& a;
    std::optional<Retomada>& retomada;

    // `pedido` may be the grid's rows less what was sent; `daGrade` is the
    // grid's own, where a resume points.
    DesfechoImpressao enviar(const FamiliaEtiqueta& familia, const PedidoImpressao& pedido,
                             const PedidoImpressao& daGrade, HistoricoDaExecucao& historico) {
        const ParametrosImpressao& p = pedido.parametros;
        Despacho despacho = sessao.despacho(p, a);
        // A printer that says it cannot print is asked before the run is
        // recorded, so that a refused run leaves no rows behind.
        const auto mostrar = [this](const std::string& estado) {
            a.mostrarEstadoImpressora(estado);
        };
        const ProntaAntes pronta =
            impressoraProntaAntes(despacho, p.destino, sessao.pessoa(), mostrar);
        if (pronta == ProntaAntes::Recusada) return DesfechoImpressao::Recusada;
        const auto registro = registrarExecucao(sessao, historico, pedido, familia);
        if (!registro) return DesfechoImpressao::Recusada;
        // A printer printed to although silent would stop the run at the
        // next question: it is not asked again before the end.
        Despacho* vigia = pronta == ProntaAntes::AssimMesmo ? nullptr : &despacho;
        CadeiaTrabalhos cadeia(despacho, *registro, historico.nuncaImpressas.get(),
                               {vigia, p.intervaloConsulta},
                               [this](int linha) { a.imprimindoLinha(linha); });
        const ResultadoImpressao resultado =
            sessao.rodar(familia, pedido, cadeia.entrada(), sessao.memoria(), a);
        const FimNaImpressora fim = fimDaExecucao(despacho, cadeia, resultado.etiquetas, p);
        if (resultado.concluida())
            return registrarFim(*registro, sessao.concluir(resultado, a, {}, fim), fim.confirmada);
        // The window unticks what went out whole, so that "Imprimir" again
        // goes on from there.
        retomada = retomadaDe(daGrade, cadeia.ultimaLinha(), resultado.proximaSequencia);
        ResultadoImpressao parado = resultado;
        parado.proximaSequencia = primeiraNaoImpressa(daGrade, *retomada, cadeia.ultimaLinha());
        return registrarFim(*registro,
                            sessao.concluir(parado, a, textoRetomada(daGrade, *retomada), fim));
    }

    // The printer's batch waited for; the jobs it still holds are not
    // confirmed in the history.
    FimNaImpressora fimDaExecucao(Despacho& despacho, CadeiaTrabalhos& cadeia, long long enviadas,
                                  const ParametrosImpressao& p) {
        if (enviadas == 0) return {};
        const EstadoImpressora final =
            aguardarFimDaImpressao(despacho, sessao.maquina(), p.limiteFimImpressao);
        cadeia.marcarNaoConfirmadas(final.porImprimir);
        if (final.consultavel) a.mostrarEstadoImpressora(textoEstado(final));
        return fimNaImpressora(enviadas, final);
    }

    // Stopped by the user while the check or the count went on: nothing left.
    DesfechoImpressao paradaAntesDeEnviar() {
        sessao.mensagem(
            "Impressão interrompida a pedido do usuário.\nNenhuma etiqueta foi impressa.",
            "Fim da Impressão", Icone::Exclamacao);
        return DesfechoImpressao::Interrompida;
    }

    DesfechoImpressao conferido(const PedidoImpressao& daGrade, HistoricoDaExecucao& historico) {
        retomada.reset();
        PedidoImpressao pedido = daGrade;
        const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
        if (familia && familia->rotina)
            if (const auto parada = conferirRepeticoes(sessao, pedido, *familia, historico))
                return *parada;
        if (familia && familia->rotina && a.verificarAntes() &&
            !aprovadoNaVerificacao(sessao, pedido, *familia, a))
            return a.cancelado() ? paradaAntesDeEnviar() : DesfechoImpressao::Recusada;
        const ContagemEtiquetas pedidas = sessao.etiquetasQueSairao(familia, pedido, &a);
        if (pedidas.interrompida || a.cancelado()) return paradaAntesDeEnviar();
        if (sessao.mensagem("Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?\n" +
                                etiquetasEDestino(pedidas, pedido.parametros),
                            "Impressão de Etiquetas", Icone::Pergunta,
                            Botoes::SimNao) != Resposta::Sim)
            return DesfechoImpressao::Recusada;
        const SessaoImpressao::Execucao execucao(sessao, a);
        if (!sessao.conferirSelecao(pedido, a)) return DesfechoImpressao::Recusada;
        a.mostrarProgresso(pedidas.etiquetas);
        DesfechoImpressao desfecho = sessao.conferirFamilia(familia, pedido.tipoEtiqueta);
        if (desfecho == DesfechoImpressao::Impressa)
            desfecho = enviar(*familia, pedido, daGrade, historico);
        if (sessao.maquina().portaSerial().aberta()) sessao.maquina().portaSerial().fechar();
        return desfecho;
    }

    DesfechoImpressao imprimir(const PedidoImpressao& pedido) {
        if (!sessao.impressoraCadastrada() || sessao.tipoSemEtiquetas(pedido))
            return DesfechoImpressao::Recusada;
        const auto abertura = sessao.abrirPortaCom(pedido.impressora, true);
        if (abertura == SessaoImpressao::AberturaPorta::Falhou) return DesfechoImpressao::Recusada;
        if (abertura == SessaoImpressao::AberturaPorta::Aberta)
            sessao.memoria().ImagemEnviada = false;
        salvarEscolhaPessoal(sessao.pastas(), pedido.impressora);
        // An empty label kind is said before the question, not after a yes.
        if (!sessao.caminhoInformado(pedido, a) || !sessao.conferirVariante(pedido, a))
            return DesfechoImpressao::Recusada;
        auto historico = abrirHistorico(sessao);
        if (!historico) return DesfechoImpressao::Recusada;
        return conferido(pedido, *historico);
    }
};

}  // namespace

DesfechoImpressao imprimirPedido(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                                 Acompanhamento& a, std::optional<Retomada>& retomada) {
    Impressao impressao{sessao, a, retomada};
    return sessao.protegido([&] { return impressao.imprimir(pedido); });
}

}  // namespace etiquetas
