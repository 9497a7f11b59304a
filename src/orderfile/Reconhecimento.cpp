#include "orderfile/Reconhecimento.h"

#include <cstring>

#include "orderfile/Xml.h"

namespace etiquetas {

namespace {

bool temConteudo(short tipo, const ContagemElementos& c) {
    if (tipo == kArquivoVolume) return c.pedidos >= 1 && c.lojas >= 1;
    return c.pedidos >= 1 && c.itens >= 1 && c.variantes >= 1;
}

}  // namespace

short IdentificarTipoArquivo(const pugi::xml_document* documento) {
    if (!documento) return kArquivoNaoReconhecido;
    const auto raiz = documento->document_element();
    if (!raiz) return kArquivoNaoReconhecido;
    if (std::strcmp(raiz.name(), "Volume") == 0) return kArquivoVolume;
    if (std::strcmp(raiz.name(), "Preco") == 0) return kArquivoPreco;
    return kArquivoNaoReconhecido;
}

ContagemElementos contarElementos(const pugi::xml_document& documento) {
    ContagemElementos c;
    paraCadaDescendente(documento, [&c](pugi::xml_node no) {
        const char* nome = no.name();
        switch (nome[0]) {  // most names are none of these: one byte tells
            case 'V':
                if (std::strcmp(nome, "Variante") == 0 && no.type() == pugi::node_element)
                    ++c.variantes;
                break;
            case 'I':
                if (std::strcmp(nome, "Item") == 0 && no.type() == pugi::node_element) ++c.itens;
                break;
            case 'P':
                if (std::strcmp(nome, "PedidoQuel") == 0 && no.type() == pugi::node_element) {
                    ++c.pedidos;
                    c.listaPedidos.push_back(no);
                }
                break;
            case 'L':
                if (std::strcmp(nome, "Loja") == 0 && no.type() == pugi::node_element) ++c.lojas;
                break;
        }
    });
    return c;
}

Reconhecimento reconhecerArquivo(const pugi::xml_document& documento) {
    Reconhecimento r;
    if (!documento.document_element()) return r;
    r.tipoArquivo = IdentificarTipoArquivo(&documento);
    if (r.tipoArquivo == kArquivoNaoReconhecido) return r;
    r.contagem = contarElementos(documento);
    if (!temConteudo(r.tipoArquivo, r.contagem)) return r;
    // The type is read where the portal writes it: attribute #1 of the first
    // child of the document's second node (the first being the declaration).
    const auto raiz = filhoDoDocumento(documento, 1);
    if (raiz.type() != pugi::node_element) {
        r.erro =
            "O arquivo não começa pela declaração XML (<?xml ... ?>) seguida do elemento "
            "raiz.";
        return r;
    }
    const auto primeiro = raiz.first_child();
    if (!primeiro) {
        r.erro = "O elemento raiz " + textoDoParser(raiz.name()) + " não tem nós filhos.";
        return r;
    }
    const auto codigo = atributoNaPosicao(primeiro, 1);
    if (!codigo) {
        r.erro =
            "O primeiro pedido do arquivo não tem o atributo do tipo de etiqueta "
            "(segundo atributo).";
        return r;
    }
    r.codigoTipo = *codigo;
    r.valido = true;
    return r;
}

}  // namespace etiquetas
