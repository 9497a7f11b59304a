#pragma once

// Opening an order file: recognised, checked and read, or refused with its
// reason said.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

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
// The start of a large file, read at once so that its first rows show while
// the whole is read: its whole orders, through the same version gate. Said
// nothing; none for a file small enough to open at once, or a start that
// holds no whole order or would be refused.
std::optional<ArquivoAberto> abrirInicioPedidos(SessaoImpressao& sessao,
                                                const std::filesystem::path& caminho);
void encerrarPorVersao(SessaoImpressao& sessao);

}  // namespace etiquetas
