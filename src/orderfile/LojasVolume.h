#pragma once

// The stores of a volume order file as the volume labels look them up: by
// order, store code and order item, the way the path query
// /Volume/PedidoQuel[@Codigo=..]/Loja[@Codigo=..][ItemPedido=..] selects
// them, first match in document order. The file is read once and indexed,
// so that a run over thousands of rows does not parse it thousands of times.

#include <filesystem>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>

namespace etiquetas {

class LojasVolume {
  public:
    // The file as it is on disk now; nothing when it does not load (missing,
    // unreadable, not well-formed). A file whose root is not "Volume" loads
    // and finds no store.
    static std::optional<LojasVolume> carregar(const std::filesystem::path& caminho);
    // The same from a document already loaded.
    explicit LojasVolume(std::shared_ptr<pugi::xml_document> documento);

    // The first store of that order, code and item; an empty node when none.
    pugi::xml_node loja(std::string_view pedido, std::string_view codigo,
                        std::string_view item) const;
    std::size_t tamanho() const { return indice_.size(); }

  private:
    void indexar();
    void indexarPedido(const std::string& pedido, pugi::xml_node no);

    std::shared_ptr<pugi::xml_document> documento_;
    std::unordered_map<std::string, pugi::xml_node> indice_;
};

}  // namespace etiquetas
