#pragma once

// XML access for the order files, over pugixml. A document holds UTF-8 (the
// parser's own text) whatever the file's encoding; every value leaves these
// functions as Windows-1252 and every query enters as Windows-1252, so the
// conversion happens once, at the edge.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace etiquetas {

// Loads the file into a new document. Never fails loudly: a file that is
// missing, unreadable, not well-formed, in an encoding the portal does not
// use, or that declares a DTD or entities gives a document without a root
// element. Nothing outside the file is ever read. `caminho` is text of the
// core (Windows-1252), as CaminhoArquivoPedidos holds it.
std::shared_ptr<pugi::xml_document> CarregarXML(const std::string& caminho);
std::shared_ptr<pugi::xml_document> CarregarXML(const std::filesystem::path& caminho);
// The same from bytes already in memory (tests, fuzzing).
std::shared_ptr<pugi::xml_document> CarregarXMLDeBytes(std::string_view bytes);
// The encoding a file's start says it is in (a byte-order mark, the
// declaration), as the whole-file load reads it.
enum class Codificacao { Utf8, Latin1, Cp1252, PeloBom, Desconhecida };
Codificacao codificacaoDoArquivo(std::string_view inicio);
// A piece of a file read a piece at a time, parsed as the whole-file load
// parses it and added after the children of `pai`: false where that load
// would refuse it (not well-formed), or reads such a file only whole (a wide
// encoding). What a failed piece added is left for the caller to drop.
bool anexarTrecho(pugi::xml_node pai, std::string trecho, Codificacao codificacao);

// A path of the core's text (Windows-1252) as the file system names it.
std::filesystem::path caminhoDoTexto(const std::string& caminho);

// Child node `indice` of the document, counting the XML declaration, comments
// and processing instructions: with a declaration the root element is node 1.
pugi::xml_node filhoDoDocumento(const pugi::xml_document& documento, std::size_t indice);

// Visits every node below `inicio` in document order, without recursion
// (order files nest shallowly, hostile ones need not).
template <typename Visita>
void paraCadaDescendente(pugi::xml_node inicio, Visita&& visita) {
    struct Andarilho : pugi::xml_tree_walker {
        explicit Andarilho(Visita& v) : visita(v) {}
        bool for_each(pugi::xml_node& no) override {
            visita(no);
            return true;
        }
        Visita& visita;
    } andarilho(visita);
    inicio.traverse(andarilho);
}

// Every element of that exact name below `inicio`, in document order.
std::vector<pugi::xml_node> elementosPorNome(pugi::xml_node inicio, std::string_view nome);

// Attributes by position (0-based, as written in the file) and by name.
std::optional<std::string> atributoNaPosicao(pugi::xml_node elemento, std::size_t posicao);
std::optional<std::string> atributoPorNome(pugi::xml_node elemento, std::string_view nome);

// The first child element of that name (empty node when none).
pugi::xml_node filhoPorNome(pugi::xml_node elemento, std::string_view nome);
// The concatenated character data of the element and its descendants.
std::string textoElemento(pugi::xml_node elemento);
// Text of the first child element of that name; nothing when it is absent.
std::optional<std::string> textoDoFilho(pugi::xml_node elemento, std::string_view nome);

// A path query (XPath 1.0) from a node. A query that cannot be compiled
// selects nothing.
pugi::xpath_node_set selecionarNos(pugi::xml_node inicio, std::string_view consulta);
// A value quoted as an XPath string literal, whatever quotes it holds.
std::string literalXPath(std::string_view valor);
// "/Volume/PedidoQuel[@Codigo='..']/Loja[@Codigo='..'][ItemPedido='..']":
// the store of a volume file by order, store and item.
std::string consultaLojaVolume(std::string_view pedido, std::string_view loja,
                               std::string_view item);

// Parser text (UTF-8) as core text; plain ASCII costs one copy.
std::string textoDoParser(const char* utf8);

}  // namespace etiquetas
