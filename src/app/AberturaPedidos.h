#pragma once

// Opening an order file: recognised, checked and read, or refused with its
// reason said.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/SessaoImpressao.h"
#include "orderfile/CargaPedidos.h"

namespace etiquetas {

// An order file recognised and read, or refused (tipoArquivo 0, the reason
// already said).
struct ArquivoAberto {
    std::filesystem::path caminho;
    short tipoArquivo = kArquivoNaoReconhecido;
    std::optional<std::string> legendaTipo;  // caption of the label type it names
    long pedidos = 0, itens = 0, variantes = 0, lojas = 0;
    std::shared_ptr<pugi::xml_document> documento;
    ResultadoCarga carga;
    // The rows went to the client as they were read: carga holds no cells.
    bool linhasEntregues = false;
    bool aberto() const { return tipoArquivo != kArquivoNaoReconhecido; }
};

// The window's information block of an opened file.
struct InformacoesArquivo {
    std::string totalPedidos;
    std::string rotuloItens;  // "Total de Itens :" or "Total de Lojas :"
    std::string totalItens, totalVariantes;
    // Labels (price) or pieces (volume) to print; none when no row was read.
    std::optional<std::string> descricaoTotal, total;
};
InformacoesArquivo informacoesArquivo(const ArquivoAberto& arquivo);

// A refused file has been said (its reason, then "Formato Não Reconhecido");
// a file whose version is refused comes back with carga.pedidoVersaoRecusada,
// for encerrarPorVersao once the client has shown what it read. `inicio`
// learns the progress range, `aviso` the count as it grows.
ArquivoAberto abrirArquivoPedidos(SessaoImpressao& sessao, const std::filesystem::path& caminho,
                                  const std::function<void(long maximo)>& inicio,
                                  const AvisoProgresso& aviso);

// Rows of a file being read, as the grid of its kind takes them.
struct LinhasLidas {
    short tipoArquivo = kArquivoNaoReconhecido;
    int linhas = 0;
    std::vector<std::string> celulas;  // row-major
};
// What an open read a piece at a time reports, and asks, as it goes.
struct AcompanhamentoLeitura {
    std::function<bool()> interrompida;
    std::function<void(LinhasLidas)> linhas;
    std::function<void(std::uintmax_t lidos, std::uintmax_t tamanho)> progresso;
};
// The same open, the file read a piece at a time and each piece's rows handed
// over as soon as read, before the file's end is checked. The result and
// what is said are those of abrirArquivoPedidos: a file that the whole-file
// checks would refuse, or that this reading does not follow, is opened by it
// (its rows then come in the result, not handed over). Nothing once
// interrupted.
std::optional<ArquivoAberto> abrirArquivoPedidosEmPartes(SessaoImpressao& sessao,
                                                         const std::filesystem::path& caminho,
                                                         const AcompanhamentoLeitura& leitura);
void encerrarPorVersao(SessaoImpressao& sessao);

}  // namespace etiquetas
