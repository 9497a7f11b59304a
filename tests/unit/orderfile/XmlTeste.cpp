#include <gtest/gtest.h>

#include "comum/Texto.h"
#include "orderfile/LojasVolume.h"
#include "orderfile/Xml.h"

using namespace etiquetas;
using std::tuple;

TEST(Xml, ValoresChegamEmWindows1252QualquerQueSejaACodificacaoDoArquivo) {
    const std::string cp = "Preço AÇÚCAR €";  // core literal: Windows-1252 bytes
    const std::string semEuro = "Preço AÇÚCAR";
    struct Caso {
        std::string codificacao;
        std::string corpo;  // bytes of the value in the file
        std::string esperado;
    };
    for (const auto& c :
         std::vector<Caso>{{"UTF-8", cp1252ParaUtf8(cp), cp},
                           {"", cp1252ParaUtf8(cp), cp},  // no encoding declared: UTF-8
                           {"utf-8", cp1252ParaUtf8(cp), cp},
                           {"ISO-8859-1", semEuro, semEuro},
                           {"windows-1252", cp, cp},
                           {"UTF-8", "Pre&#231;o &#x20AC;", "Preço €"}}) {
        const auto declaracao = c.codificacao.empty() ? "" : " encoding=\"" + c.codificacao + "\"";
        const auto doc = CarregarXMLDeBytes("<?xml version=\"1.0\"" + declaracao + "?><R a=\"" +
                                            c.corpo + "\"><T>" + c.corpo + "</T></R>");
        const auto raiz = doc->document_element();
        ASSERT_TRUE(raiz) << c.codificacao;
        EXPECT_EQ(textoDoFilho(raiz, "T"), c.esperado) << c.codificacao;
        EXPECT_EQ(atributoNaPosicao(raiz, 0), c.esperado) << c.codificacao;
    }
}

// Deep nesting in a value: the text comes out whole, with no recursion to overflow.
TEST(Xml, TextoComAninhamentoProfundo) {
    constexpr int kNiveis = 200'000;
    std::string xml = "<?xml version=\"1.0\"?><R><T>a";
    for (int i = 0; i < kNiveis; ++i) xml += "<e>";
    xml += "b";
    for (int i = 0; i < kNiveis; ++i) xml += "</e>";
    xml += "c</T></R>";
    const auto doc = CarregarXMLDeBytes(xml);
    ASSERT_TRUE(doc->document_element());
    EXPECT_EQ(textoDoFilho(doc->document_element(), "T"), "abc");
}

TEST(LojasVolume, ArquivoQueNaoCarregaNaoDaIndice) {
    EXPECT_FALSE(LojasVolume::carregar("/nao/existe/volume.xml"));
    const LojasVolume outraRaiz(CarregarXMLDeBytes(
        "<Preco><PedidoQuel Codigo=\"P\"><Loja Codigo=\"L\"><ItemPedido>1</ItemPedido></Loja>"
        "</PedidoQuel></Preco>"));
    EXPECT_EQ(outraRaiz.tamanho(), 0u);
}
