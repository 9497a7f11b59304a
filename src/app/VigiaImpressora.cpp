#include "app/VigiaImpressora.h"

#include "comum/Texto.h"
#include "render/FalhaImpressao.h"

namespace etiquetas {

namespace {

// "parou sem papel", "parou em pausa", "parou (cabeça aberta)".
std::string parou(const EstadoImpressora& e) {
    const std::string t = textoEstado(e);
    const bool seLe = t.rfind("sem ", 0) == 0 || t.rfind("em ", 0) == 0;
    return "a impressora parou " + (seLe ? t : "(" + t + ")");
}

struct Consulta {
    EstadoImpressora estado;
    std::string motivo;  // the connection could not be made
};

Consulta consultar(Despacho& despacho) {
    try {
        return {despacho.consultarEstado(), {}};
    } catch (const FalhaImpressao& f) {
        return {estadoSemResposta(), f.what()};
    }
}

std::string textoFalhaAntes(const std::string& destino, const Consulta& c) {
    std::string texto =
        c.estado.soNaoRespondeu()
            ? "A impressora " + destino + " não respondeu."
            : "A impressora " + destino + " não está pronta: " + textoEstado(c.estado) + ".";
    if (!c.motivo.empty()) texto += "\n" + c.motivo;
    return texto + "\nNenhuma etiqueta foi impressa.";
}

}  // namespace

ProntaAntes impressoraProntaAntes(Despacho& despacho, const std::string& destino, Pessoa& pessoa,
                                  const std::function<void(const std::string&)>& mostrar) {
    if (!despacho.perguntaAImpressora()) return ProntaAntes::Pronta;
    for (;;) {
        const Consulta c = consultar(despacho);
        if (mostrar) mostrar(textoEstado(c.estado));
        if (c.estado.pronta() || !c.estado.consultavel) return ProntaAntes::Pronta;
        // Printing to a silent printer is the person's call; one that said
        // what is wrong, or could not be reached, is not printed to.
        const bool assimMesmo = c.estado.soNaoRespondeu() && c.motivo.empty();
        std::vector<std::string> botoes{"Tentar de novo"};
        if (assimMesmo) botoes.push_back("Imprimir assim mesmo");
        botoes.push_back("Cancelar");
        const int cancelar = static_cast<int>(botoes.size()) - 1;
        const int escolha = pessoa.escolher(textoFalhaAntes(destino, c), kTituloEstado,
                                            Icone::Exclamacao, botoes, cancelar);
        if (escolha == 0) continue;
        return assimMesmo && escolha == 1 ? ProntaAntes::AssimMesmo : ProntaAntes::Recusada;
    }
}

void SaidaVigiada::enviar(const Trabalho& trabalho) {
    const auto agora = std::chrono::steady_clock::now();
    if (enviou_ && despacho_.perguntaAImpressora() && agora - ultima_ >= intervalo_) {
        ultima_ = agora;
        const EstadoImpressora e = despacho_.consultarEstado();
        if (!e.pronta() && e.consultavel)
            throw FalhaImpressao("A impressora parou: " + textoEstado(e) + ".");
    }
    destino_.enviar(trabalho);
    if (!enviou_) ultima_ = agora;
    enviou_ = true;
}

EstadoImpressora aguardarFimDaImpressao(Despacho& despacho, Maquina& maquina,
                                        std::chrono::seconds limite) {
    if (!despacho.perguntaAImpressora()) return estadoNaoConsultavel();
    const auto fim = std::chrono::steady_clock::now() + limite;
    for (;;) {
        const EstadoImpressora e = consultar(despacho).estado;
        if (!e.consultavel || !e.pronta() || !e.ocupada) return e;
        if (std::chrono::steady_clock::now() >= fim) return e;
        maquina.pausar(std::chrono::milliseconds(500));
    }
}

FimNaImpressora fimNaImpressora(long long enviadas, const EstadoImpressora& final) {
    if (!final.consultavel) return {};
    const std::string inicio = milhares(enviadas) + " enviadas; ";
    const std::string resto =
        final.porImprimir > 0 ? " com " + milhares(final.porImprimir) + " por imprimir" : "";
    if (final.soNaoRespondeu())
        return {inicio + "a impressora não respondeu ao fim: impressão não confirmada.", false};
    if (!final.pronta()) return {inicio + parou(final) + resto + ".", false};
    if (final.ocupada)
        return {inicio + "a impressora ainda imprime" + resto + ": impressão não confirmada.",
                false};
    return {inicio + milhares(enviadas) + " impressas.", true};
}

}  // namespace etiquetas
