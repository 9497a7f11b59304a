#pragma once

// Order files built in tests: a complete variant or store with every element,
// from which a case changes, adds or removes what it is about. Text is
// written in the core's code page and encoded as UTF-8 at the end.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "comum/Texto.h"
#include "comum/Versao.h"
#include "orderfile/Md5.h"

namespace etiquetas::teste {

using Campos = std::vector<std::pair<std::string, std::optional<std::string>>>;

inline std::string digestoAtual() {
    return digestoDaVersao(kVersaoCompilada);
}

inline std::string elementos(Campos base, const Campos& mudancas) {
    for (const auto& [nome, valor] : mudancas) {
        bool achou = false;
        for (auto& campo : base)
            if (campo.first == nome) campo.second = valor, achou = true;
        if (!achou) base.emplace_back(nome, valor);
    }
    std::string xml;
    for (const auto& [nome, valor] : base)
        if (valor) xml += "<" + nome + ">" + *valor + "</" + nome + ">";
    return xml;
}

inline Campos camposVariante() {
    return {{"CNPJ", "12.345.678/0001-90"},
            {"Digito", "7"},
            {"QuantidadeEtiqueta", "10"},
            {"SequenciaInicial", "100"},
            {"SequenciaFinal", "150"},
            {"Catalogo", "CAT1"},
            {"Tamanho", "M"},
            {"EstrColecao", "VER27"},
            {"Estacao", "VERAO"},
            {"DataEntrega", "15/01/2027"},
            {"CodDepto", "120"},
            {"DataTransmissao", "06/12/2026"},
            {"CodigoCoordenado", "4455"},
            {"Tendencia", "TEND"},
            {"Parede", "P02"},
            {"ValeAPena", "N"},
            {"DescricaoMaterial", "CAMISETA ALGODÃO"},
            {"CodigoBarra", "7891234567895"},
            {"CodigoPromocao", "000"},
            {"PrecoMaterial", "39,99"},
            {"Grade", "PMG"},
            {"MaterialForn", "MF-1"},
            {"NomeForn", "CONFECÇÕES ARAÚJO"},
            {"CodigoBureau", "42"},
            {"centroentrega", "55"},
            {"descricaocentroentrega", "CD CAJAMAR"},
            {"centrofaturamento", "12"},
            {"descricaocentrofaturamento", "MATRIZ"},
            {"OrigemSolicitacao", "N"},
            {"Cor", "AZUL"},
            {"CorIngles", "BLUE"},
            {"TamanhoIngles", "M"},
            {"TipoEtiq", "1"},
            {"Familia", "CAMISETAS"}};
}

inline std::string variante(const std::string& codigo, const Campos& mudancas = {}) {
    return "<Variante Codigo=\"" + codigo + "\">" + elementos(camposVariante(), mudancas) +
           "</Variante>";
}

inline std::string item(const std::string& codigo, const std::string& variantes) {
    return "<Item Codigo=\"" + codigo + "\">" + variantes + "</Item>";
}

struct AtributosPedido {
    std::string numero = "4500000001";
    std::string tipo = "1";
    std::string digesto = digestoAtual();
    std::string sku = "N";
    std::string layoutNovo = "False";
};

inline std::string pedidoPreco(const AtributosPedido& a, const std::string& itens) {
    return "<PedidoQuel Codigo=\"" + a.numero + "\" TipoEtiqueta=\"" + a.tipo + "\" Versao=\"" +
           a.digesto + "\" IndicadorTipoSku=\"" + a.sku + "\" LayoutNovo=\"" + a.layoutNovo +
           "\">" + itens + "</PedidoQuel>";
}

inline std::string documento(const std::string& raiz, const std::string& conteudo,
                             const std::string& atributosRaiz = "") {
    return cp1252ParaUtf8("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<" + raiz + atributosRaiz +
                          ">" + conteudo + "</" + raiz + ">\r\n");
}

inline std::string arquivoPreco(const std::string& pedidos, const std::string& atributosRaiz = "") {
    return documento("Preco", pedidos, atributosRaiz);
}

// A price file of one order, one item and one variant.
inline std::string precoSimples(const Campos& mudancas = {}, const AtributosPedido& a = {}) {
    return arquivoPreco(pedidoPreco(a, item("00010", variante("V1", mudancas))));
}

inline Campos camposLoja() {
    return {{"CNPJ", "23.456.789/0001-01"},
            {"ItemPedido", "00010"},
            {"DescricaoMaterial", "CALÇA JEANS"},
            {"CodigoMaterial", "000000000012345678"},
            {"DADOS_VOLUME",
             "<VOLUME><numVolume>1</numVolume><qtdeTotal>12</qtdeTotal></VOLUME>"
             "<VOLUME><numVolume>2</numVolume><qtdeTotal>8</qtdeTotal></VOLUME>"},
            {"MaterialForn", "MF-9"},
            {"SemanaEntr", "51"},
            {"NomeForn", "MALHARIA SÃO JOSÉ"},
            {"CodigoBureau", "123"},
            {"QuantidadePeca", "20"},
            {"QuantidadeEtiqueta", "2"},
            {"QuantidadePecGrade", "10"},
            {"centroentrega", "55"},
            {"centrofaturamento", "12"}};
}

inline std::string loja(const std::string& codigo, const std::string& ilpn,
                        const Campos& mudancas = {}) {
    return "<Loja Codigo=\"" + codigo + "\" ILPN=\"" + ilpn + "\">" +
           elementos(camposLoja(), mudancas) + "</Loja>";
}

inline std::string pedidoVolume(const std::string& numero, const std::string& tipo,
                                const std::string& lojas,
                                const std::string& digesto = digestoAtual()) {
    return "<PedidoQuel Codigo=\"" + numero + "\" TipoEtiqueta=\"" + tipo + "\" Versao=\"" +
           digesto + "\">" + lojas + "</PedidoQuel>";
}

inline std::string arquivoVolume(const std::string& pedidos,
                                 const std::string& atributosRaiz = "") {
    return documento("Volume", pedidos, atributosRaiz);
}

}  // namespace etiquetas::teste
