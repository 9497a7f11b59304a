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
    PedidosAbertos pedidos{ctx.servico->abrir(caminho), nullptr};
    if (!pedidos.arquivo.aberto()) return std::nullopt;
    pedidos.grade = gradeDoArquivo(pedidos.arquivo, ctx.plataforma);
    if (pedidos.arquivo.carga.pedidoVersaoRecusada) ctx.servico->encerrarPorVersao();
    return pedidos;
}

PedidoImpressao pedidoImpressao(const ContextoCli& ctx, const PedidosAbertos* pedidos,
                                const ImpressoraEscolhida& impressora, bool separador,
                                const std::string& textoTipo, bool layoutDoArquivo) {
    PedidoImpressao p;
    bool listaVisivel = false, layoutNovo = false;
    std::string origem;
    if (pedidos) {
        const ResultadoCarga& carga = pedidos->arquivo.carga;
        p.tipoArquivo = pedidos->arquivo.tipoArquivo;
        p.tipoEtiqueta = carga.TipoEtiquetaPedido.value_or(0);
        p.linhas = pedidos->grade.get();
        p.arquivoPedidos = pedidos->arquivo.caminho;
        p.documento = pedidos->arquivo.documento;
        listaVisivel = listaTipoVisivel(carga.seletor);
        layoutNovo = layoutDoArquivo && carga.LayoutNovoArquivo.value_or(false);
        origem = carga.OrigemSolicitacao.value_or("");
    }
    p.impressora = impressora;
    p.parametros = resolverParametros(ctx.pastas(), impressora, separador, listaVisivel, textoTipo,
                                      layoutNovo, origem);
    return p;
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
