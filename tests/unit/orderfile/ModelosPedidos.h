#pragma once

// Order files built in tests: every element present, a case changes what it is about.

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

inline std::string elementos(std::string xml, const Campos& mudancas) {
    for (const auto& [nome, valor] : mudancas) {
        const std::string novo = valor ? "<" + nome + ">" + *valor + "</" + nome + ">" : "";
        const auto inicio = xml.find("<" + nome + ">");
        if (inicio == std::string::npos) {
            xml += novo;
            continue;
        }
        const auto fim = xml.find("</" + nome + ">", inicio) + nome.size() + 3;
        xml.replace(inicio, fim - inicio, novo);
    }
    return xml;
}

inline std::string variante(const std::string& codigo, const Campos& mudancas = {}) {
    const std::string campos =
        "<CNPJ>12.345.678/0001-90</CNPJ><Digito>7</Digito>"
        "<QuantidadeEtiqueta>10</QuantidadeEtiqueta>"
        "<SequenciaInicial>100</SequenciaInicial><SequenciaFinal>150</SequenciaFinal>"
        "<Catalogo>CAT1</Catalogo><Tamanho>M</Tamanho><EstrColecao>VER27</EstrColecao>"
        "<Estacao>VERAO</Estacao><DataEntrega>15/01/2027</DataEntrega><CodDepto>120</CodDepto>"
        "<DataTransmissao>06/12/2026</DataTransmissao><CodigoCoordenado>4455</CodigoCoordenado>"
        "<Tendencia>TEND</Tendencia><Parede>P02</Parede><ValeAPena>N</ValeAPena>"
        "<DescricaoMaterial>CAMISETA ALGODÃO</DescricaoMaterial><CodigoBarra>7891234567895"
        "</CodigoBarra><CodigoPromocao>000</CodigoPromocao><PrecoMaterial>39,99</PrecoMaterial>"
        "<Grade>PMG</Grade><MaterialForn>MF-1</MaterialForn><NomeForn>CONFECÇÕES ARAÚJO</NomeForn>"
        "<CodigoBureau>42</CodigoBureau><centroentrega>55</centroentrega>"
        "<descricaocentroentrega>CD CAJAMAR</descricaocentroentrega>"
        "<centrofaturamento>12</centrofaturamento>"
        "<descricaocentrofaturamento>MATRIZ</descricaocentrofaturamento>"
        "<OrigemSolicitacao>N</OrigemSolicitacao><Cor>AZUL</Cor><CorIngles>BLUE</CorIngles>"
        "<TamanhoIngles>M</TamanhoIngles><TipoEtiq>1</TipoEtiq><Familia>CAMISETAS</Familia>";
    return "<Variante Codigo=\"" + codigo + "\">" + elementos(campos, mudancas) + "</Variante>";
}

inline std::string item(const std::string& codigo, const std::string& variantes) {
    return "<Item Codigo=\"" + codigo + "\">" + variantes + "</Item>";
}

struct AtributosPedido {
    std::string numero = "4500000001", tipo = "1", digesto = digestoAtual(), sku = "N",
                layoutNovo = "False";
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

inline std::string loja(const std::string& codigo, const std::string& ilpn,
                        const Campos& mudancas = {}) {
    const std::string campos =
        "<CNPJ>23.456.789/0001-01</CNPJ><ItemPedido>00010</ItemPedido>"
        "<DescricaoMaterial>CALÇA JEANS</DescricaoMaterial>"
        "<CodigoMaterial>000000000012345678</CodigoMaterial><DADOS_VOLUME>"
        "<VOLUME><numVolume>1</numVolume><qtdeTotal>12</qtdeTotal></VOLUME>"
        "<VOLUME><numVolume>2</numVolume><qtdeTotal>8</qtdeTotal></VOLUME></DADOS_VOLUME>"
        "<MaterialForn>MF-9</MaterialForn><SemanaEntr>51</SemanaEntr>"
        "<NomeForn>MALHARIA SÃO JOSÉ</NomeForn><CodigoBureau>123</CodigoBureau>"
        "<QuantidadePeca>20</QuantidadePeca><QuantidadeEtiqueta>2</QuantidadeEtiqueta>"
        "<QuantidadePecGrade>10</QuantidadePecGrade><centroentrega>55</centroentrega>"
        "<centrofaturamento>12</centrofaturamento>";
    return "<Loja Codigo=\"" + codigo + "\" ILPN=\"" + ilpn + "\">" + elementos(campos, mudancas) +
           "</Loja>";
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
