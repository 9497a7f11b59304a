#include "orderfile/LojasVolume.h"

#include "orderfile/Xml.h"

namespace etiquetas {

namespace {

// Order file text holds no NUL, so it cannot blur the three parts.
std::string chave(std::string_view pedido, std::string_view codigo, std::string_view item) {
    std::string c;
    c.reserve(pedido.size() + codigo.size() + item.size() + 2);
    c.append(pedido).append(1, '\0').append(codigo).append(1, '\0').append(item);
    return c;
}

bool elemento(pugi::xml_node no, const char* nome) {
    return no.type() == pugi::node_element && std::string_view(no.name()) == nome;
}

}  // namespace

std::optional<LojasVolume> LojasVolume::carregar(const std::filesystem::path& caminho) {
    auto documento = CarregarXML(caminho);
    if (!documento || !documento->document_element()) return std::nullopt;
    return LojasVolume(std::move(documento));
}

LojasVolume::LojasVolume(std::shared_ptr<pugi::xml_document> documento)
    : documento_(std::move(documento)) {
    indexar();
}

void LojasVolume::indexar() {
    const auto raiz = documento_->document_element();
    if (!elemento(raiz, "Volume")) return;
    for (auto pedido : raiz.children()) {
        if (!elemento(pedido, "PedidoQuel")) continue;
        if (const auto codigo = atributoPorNome(pedido, "Codigo")) indexarPedido(*codigo, pedido);
    }
}

// A store answers for every ItemPedido it holds, as the predicate compares
// each of them; the first store in document order wins.
void LojasVolume::indexarPedido(const std::string& pedido, pugi::xml_node no) {
    for (auto loja : no.children()) {
        if (!elemento(loja, "Loja")) continue;
        const auto codigo = atributoPorNome(loja, "Codigo");
        if (!codigo) continue;
        for (auto item : loja.children())
            if (elemento(item, "ItemPedido"))
                indice_.emplace(chave(pedido, *codigo, textoElemento(item)), loja);
    }
}

pugi::xml_node LojasVolume::loja(std::string_view pedido, std::string_view codigo,
                                 std::string_view item) const {
    const auto achado = indice_.find(chave(pedido, codigo, item));
    return achado == indice_.end() ? pugi::xml_node() : achado->second;
}

}  // namespace etiquetas
