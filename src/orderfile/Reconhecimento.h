#pragma once

// What kind of order file a document is, how much it holds and which label
// type it names: the checks made before anything of the window changes.

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace etiquetas {

enum TipoArquivo : short { kArquivoNaoReconhecido = 0, kArquivoPreco = 1, kArquivoVolume = 2 };

// 1 for a root named exactly "Preco", 2 for "Volume", 0 otherwise (also for
// no document or no root).
short IdentificarTipoArquivo(const pugi::xml_document* documento);

// Elements of each name in the whole document.
struct ContagemElementos {
    long pedidos = 0;  // PedidoQuel
    long itens = 0;    // Item
    long variantes = 0;
    long lojas = 0;
    std::vector<pugi::xml_node> listaPedidos;  // the PedidoQuel elements, in order
};
ContagemElementos contarElementos(const pugi::xml_document& documento);

struct Reconhecimento {
    bool valido = false;
    short tipoArquivo = kArquivoNaoReconhecido;
    ContagemElementos contagem;
    std::string codigoTipo;  // attribute #1 of the root's first child
    // Set when the file has the right elements but not where they are read
    // (no declaration before the root, a first order without its type).
    std::string erro;
};
Reconhecimento reconhecerArquivo(const pugi::xml_document& documento);

}  // namespace etiquetas
