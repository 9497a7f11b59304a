#include "cli/ContextoCli.h"

#include <atomic>
#include <csignal>

#include "app/EdicaoGrade.h"
#include "platform/sistema/PastaExecutavel.h"

namespace etiquetas::cli {

ServicoImpressao& ContextoCli::iniciarServico() {
    auto local = pastasDestePrograma(pasta);
    if (!local.pastas) throw PastasIndisponiveis{local.erro};
    servico = std::make_unique<ServicoImpressao>(plataforma, plataforma, std::move(*local.pastas));
    plataforma.portaSerial().aoEvento = [this](int codigo) { servico->eventoSerial(codigo); };
    return *servico;
}

namespace {
std::atomic<bool> sinalRecebido{false};
extern "C" void registrarSinal(int) {
    sinalRecebido = true;
}
}  // namespace

void ContextoCli::interromperComSinais() {
    std::signal(SIGINT, registrarSinal);
    std::signal(SIGTERM, registrarSinal);
}

bool AcompanhamentoCli::cancelado() const {
    return sinalRecebido.load();
}

std::optional<PedidosAbertos> abrirPedidos(ContextoCli& ctx, const std::filesystem::path& caminho) {
    return etiquetas::abrirPedidos(*ctx.servico, ctx.plataforma, caminho);
}

PedidoImpressao pedidoImpressao(const ContextoCli& ctx, const PedidosAbertos* pedidos,
                                const ImpressoraEscolhida& impressora, bool separador,
                                const std::string& textoTipo, bool layoutDoArquivo) {
    return etiquetas::pedidoImpressao(ctx.pastas(), pedidos, impressora, separador, textoTipo,
                                      layoutDoArquivo);
}

int statusImpressao(DesfechoImpressao desfecho) {
    switch (desfecho) {
        case DesfechoImpressao::Impressa:
        case DesfechoImpressao::SemRotina:
            return kOk;
        case DesfechoImpressao::Recusada:
        case DesfechoImpressao::Falhou:
        case DesfechoImpressao::Interrompida:
        case DesfechoImpressao::NadaImpresso:
            break;
    }
    return kFalha;
}

}  // namespace etiquetas::cli
