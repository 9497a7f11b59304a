#include "app/HistoricoDaImpressao.h"

#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

constexpr std::size_t kRepeticoesNaMensagem = 20;

enum class Repetidas { Imprimir, Deixar, Parar };

// The window asks; the command line was told by its options.
Repetidas decidirRepeticoes(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                            const std::string& texto) {
    if (pedido.perguntarRepeticoes) {
        // Enter leaves out what was sent: the choice that cannot duplicate a code.
        switch (sessao.pessoa().escolher(
            texto, "Etiquetas já impressas", Icone::Pergunta,
            {"Imprimir tudo de novo", "Só o que nunca foi impresso", "Cancelar"}, 1)) {
            case 0:
                return Repetidas::Imprimir;
            case 1:
                return Repetidas::Deixar;
            default:
                return Repetidas::Parar;
        }
    }
    if (pedido.somenteNuncaImpressas) return Repetidas::Deixar;
    sessao.mensagem(texto + "\nSerão impressas novamente.", "Etiquetas já impressas",
                    Icone::Exclamacao);
    return Repetidas::Imprimir;
}

}  // namespace

// A file set right since the last print (its rights, a full disk) serves
// again.
std::optional<HistoricoDaExecucao> abrirHistorico(SessaoImpressao& sessao) {
    HistoricoDaExecucao h;
    const auto& arquivo = sessao.arquivoHistorico();
    if (!arquivo) return h;
    try {
        if (arquivo->empty())
            throw FalhaHistorico(
                "A pasta de dados do usuário não foi encontrada: o histórico de impressões não "
                "teria onde ser gravado.");
        h.historico = std::make_unique<HistoricoImpressao>(*arquivo);
        if (!h.historico->aviso().empty())
            sessao.mensagem(h.historico->aviso(), kTituloHistorico, Icone::Exclamacao);
    } catch (const FalhaHistorico& falha) {
        if (!sessao.seguirSemHistorico(falha.what())) return std::nullopt;
    }
    return h;
}

std::optional<DesfechoImpressao> conferirRepeticoes(SessaoImpressao& sessao,
                                                    PedidoImpressao& pedido,
                                                    const FamiliaEtiqueta& familia,
                                                    HistoricoDaExecucao& h) {
    if (!h.historico || !pedido.linhas || pedido.reimpressao) return std::nullopt;
    std::vector<RepeticaoEncontrada> repeticoes;
    try {
        repeticoes = procurarRepeticoes(pedido, familia, *h.historico);
    } catch (const FalhaHistorico& falha) {
        if (!sessao.seguirSemHistorico(falha.what())) return DesfechoImpressao::Recusada;
        h.historico.reset();
        return std::nullopt;
    }
    if (repeticoes.empty()) return std::nullopt;
    std::string texto = textoRepeticoes(repeticoes, kRepeticoesNaMensagem);
    switch (decidirRepeticoes(sessao, pedido, texto)) {
        case Repetidas::Imprimir:
            return std::nullopt;
        case Repetidas::Parar:
            return DesfechoImpressao::Recusada;
        case Repetidas::Deixar:
            break;
    }
    const bool volume = familia.arquivo == ArquivoFamilia::Volume;
    h.nuncaImpressas = std::make_unique<LinhasNuncaImpressas>(*pedido.linhas, volume, repeticoes);
    pedido.linhas = h.nuncaImpressas.get();
    texto = pedido.perguntarRepeticoes ? std::string()
                                       : texto + "\nSó o que nunca foi impresso será impresso.";
    for (int linha : h.nuncaImpressas->volumesRepetidos())
        texto += (texto.empty() ? "" : "\n") + std::string("A linha ") + std::to_string(linha) +
                 " teve só parte das caixas impressas e será impressa inteira.";
    if (!texto.empty()) sessao.mensagem(texto, "Etiquetas já impressas", Icone::Exclamacao);
    if (h.nuncaImpressas->linhas() > 0) return std::nullopt;
    sessao.mensagem("Todas as etiquetas marcadas já foram impressas.", "Fim da Impressão",
                    Icone::Exclamacao);
    return DesfechoImpressao::NadaImpresso;
}

std::optional<RegistroDaCadeia> registrarExecucao(SessaoImpressao& sessao, HistoricoDaExecucao& h,
                                                  const PedidoImpressao& pedido,
                                                  const FamiliaEtiqueta& familia) {
    if (!h.historico) return RegistroDaCadeia{};
    try {
        RegistroDaCadeia registro;
        registro.execucao = h.historico->iniciarExecucao(execucaoRegistrada(pedido, familia));
        registro.historico = h.historico.get();
        registro.aoFalhar = [&sessao](const std::string& motivo) {
            return sessao.seguirSemHistorico(motivo, true);
        };
        return registro;
    } catch (const FalhaHistorico& falha) {
        if (sessao.seguirSemHistorico(falha.what())) return RegistroDaCadeia{};
        return std::nullopt;
    }
}

// A history that fails here has had its say during the run, or will at the
// next: the run's own end is told all the same.
DesfechoImpressao registrarFim(const RegistroDaCadeia& registro, DesfechoImpressao desfecho,
                               bool confirmada) {
    const auto fim = desfecho == DesfechoImpressao::Impressa       ? DesfechoExecucao::Concluida
                     : desfecho == DesfechoImpressao::Interrompida ? DesfechoExecucao::Cancelada
                     : !confirmada                                 ? DesfechoExecucao::NaoConfirmada
                     : desfecho == DesfechoImpressao::Falhou       ? DesfechoExecucao::Falhou
                                                                   : DesfechoExecucao::SemRegistro;
    if (!registro.historico || fim == DesfechoExecucao::SemRegistro) return desfecho;
    try {
        registro.historico->concluirExecucao(registro.execucao, fim);
    } catch (const FalhaHistorico&) {
    }
    return desfecho;
}

}  // namespace etiquetas
