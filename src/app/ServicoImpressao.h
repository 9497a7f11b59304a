#pragma once

// The printing service the window and etiquetas-cli hold: one session and
// the use cases over it (open, print with resume, preview, check, export,
// test page and font), each in a file of its own. What the system must say
// goes to the person seam, and a run's progress, stop and locking to the
// Acompanhamento the client passes.

#include <filesystem>
#include <functional>
#include <optional>

#include "app/AberturaPedidos.h"
#include "app/ExportacaoTxt.h"
#include "app/ImpressaoPedido.h"
#include "app/SessaoImpressao.h"
#include "app/TesteEFonte.h"
#include "app/VerificacaoAntes.h"
#include "app/Visualizacao.h"

namespace etiquetas {

class ServicoImpressao {
  public:
    ServicoImpressao(Maquina& maquina, Pessoa& pessoa, PastasAplicacao pastas)
        : sessao_(maquina, pessoa, std::move(pastas)) {}

    SessaoImpressao& sessao() { return sessao_; }
    const PastasAplicacao& pastas() const { return sessao_.pastas(); }
    // What printing carries from one run to the next.
    MemoriaImpressao& memoria() { return sessao_.memoria(); }

    ArquivoAberto abrir(const std::filesystem::path& caminho,
                        const std::function<void(long maximo)>& inicio = {},
                        const AvisoProgresso& aviso = {}) {
        return abrirArquivoPedidos(sessao_, caminho, inicio, aviso);
    }
    std::optional<ArquivoAberto> abrirEmPartes(const std::filesystem::path& caminho,
                                               const AcompanhamentoLeitura& leitura) {
        return abrirArquivoPedidosEmPartes(sessao_, caminho, leitura);
    }
    void encerrarPorVersao() { etiquetas::encerrarPorVersao(sessao_); }

    DesfechoImpressao imprimir(const PedidoImpressao& pedido, Acompanhamento& acompanhamento) {
        return imprimirPedido(sessao_, pedido, acompanhamento, retomada_);
    }
    // Nothing after a print that ended whole.
    const std::optional<Retomada>& retomada() const { return retomada_; }
    // Prints record their jobs in the history file `arquivo` (empty: the
    // user's data folder is unknown, which each print says); `falha` is what
    // a history that cannot be written does. Without this call nothing is
    // recorded, as in tests.
    void usarHistorico(std::filesystem::path arquivo, FalhaDoHistorico falha) {
        sessao_.usarHistorico(std::move(arquivo), falha);
    }
    const std::optional<std::filesystem::path>& arquivoHistorico() const {
        return sessao_.arquivoHistorico();
    }
    bool visualizar(const PedidoImpressao& pedido, Acompanhamento& acompanhamento,
                    SaidaTrabalhos& destino) {
        return visualizarPedido(sessao_, pedido, acompanhamento, destino);
    }
    std::optional<ResultadoVerificacao> verificar(const PedidoImpressao& pedido,
                                                  Acompanhamento& acompanhamento) {
        return verificarPedido(sessao_, pedido, acompanhamento);
    }
    // Runs the request's family into any sink with the given memory: the
    // checks and question of imprimir are the caller's.
    ResultadoImpressao executar(const PedidoImpressao& pedido, SaidaTrabalhos& saida,
                                MemoriaImpressao& memoria, ProgressoImpressao& progresso);
    Exportacao exportarTxt(const PedidoImpressao& pedido, Acompanhamento& acompanhamento) {
        return etiquetas::exportarTxt(sessao_, pedido, acompanhamento);
    }
    DesfechoImpressao imprimirTeste(const PedidoImpressao& pedido, Acompanhamento& acompanhamento) {
        return etiquetas::imprimirTeste(sessao_, pedido, acompanhamento);
    }
    DesfechoImpressao carregarFonte(const PedidoImpressao& pedido, Acompanhamento& acompanhamento) {
        return etiquetas::carregarFonte(sessao_, pedido, acompanhamento);
    }

    bool conferirSelecao(const PedidoImpressao& pedido, Acompanhamento& acompanhamento) {
        return sessao_.conferirSelecao(pedido, acompanhamento);
    }
    long long etiquetasQueSairao(const FamiliaEtiqueta* familia, const PedidoImpressao& pedido) {
        return sessao_.etiquetasQueSairao(familia, pedido).etiquetas;
    }
    std::filesystem::path arquivoTeste(int opcao) const {
        return etiquetas::arquivoTeste(sessao_, opcao);
    }
    void eventoSerial(int codigo) { sessao_.eventoSerial(codigo); }

  private:
    SessaoImpressao sessao_;
    std::optional<Retomada> retomada_;
};

}  // namespace etiquetas
