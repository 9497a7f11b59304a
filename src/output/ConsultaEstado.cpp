#include "output/ConsultaEstado.h"

#include <functional>

namespace etiquetas {

namespace {

using Relogio = std::chrono::steady_clock;
using Leitura = std::function<std::string(std::chrono::milliseconds)>;

constexpr int kDescartesMaximos = 16;

void descartarAntigo(const Leitura& ler) {
    for (int i = 0; i < kDescartesMaximos && !ler(std::chrono::milliseconds(0)).empty(); ++i) {
    }
}

// An empty read before the limit means the line closed: waiting longer
// brings nothing.
EstadoImpressora lerResposta(Linguagem linguagem, const Leitura& ler,
                             std::chrono::milliseconds limite) {
    const auto fim = Relogio::now() + limite;
    std::string recebido;
    AnaliseResposta analise;
    for (;;) {
        const auto resta =
            std::chrono::duration_cast<std::chrono::milliseconds>(fim - Relogio::now());
        if (resta.count() <= 0) break;
        const std::string parte = ler(resta);
        if (parte.empty()) break;
        recebido += parte;
        analise = analisarResposta(linguagem, recebido);
        if (analise.leitura != LeituraResposta::Incompleta) break;
    }
    return estadoDaResposta(analise);
}

EstadoImpressora consultar(Linguagem linguagem,
                           const std::function<bool(const std::string&)>& escrever,
                           const Leitura& ler, std::chrono::milliseconds limite) {
    const std::string pedido = pedidoEstado(linguagem);
    if (pedido.empty()) return estadoNaoConsultavel();
    descartarAntigo(ler);
    if (!escrever(pedido)) return estadoSemResposta();
    return lerResposta(linguagem, ler, limite);
}

}  // namespace

std::optional<EnderecoRede> enderecoRede(const std::string& destino) {
    const auto doisPontos = destino.rfind(':');
    if (doisPontos == std::string::npos || doisPontos == 0) return std::nullopt;
    if (destino.find_first_of("/\\") != std::string::npos) return std::nullopt;
    const std::string porta = destino.substr(doisPontos + 1);
    if (porta.empty() || porta.size() > 5 ||
        porta.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int numero = std::stoi(porta);
    if (numero < 1 || numero > 65535) return std::nullopt;
    return EnderecoRede{destino.substr(0, doisPontos), numero};
}

EstadoImpressora consultarEstado(Linguagem linguagem, ConexaoRede& conexao,
                                 std::chrono::milliseconds limite) {
    return consultar(
        linguagem, [&](const std::string& b) { return conexao.escrever(b, limite); },
        [&](std::chrono::milliseconds ms) { return conexao.ler(ms); }, limite);
}

EstadoImpressora consultarEstado(Linguagem linguagem, PortaSerial& porta,
                                 std::chrono::milliseconds limite) {
    return consultar(
        linguagem, [&](const std::string& b) { return porta.escrever(b); },
        [&](std::chrono::milliseconds ms) { return porta.ler(static_cast<int>(ms.count())); },
        limite);
}

}  // namespace etiquetas
