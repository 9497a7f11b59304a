#include <gtest/gtest.h>

#include "comum/Texto.h"
#include "orderfile/LojasVolume.h"
#include "orderfile/Md5.h"
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

// Elements nested in a value deeper than any stack: the text still comes
// out whole, with no recursion to overflow.
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

// The digest is the system library's: ours is the call and the upper-case hex.
TEST(Md5, VetoresDaRfc1321EmMaiusculas) {
    EXPECT_EQ(CalcularMD5(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(CalcularMD5("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(digestoDaVersao(Versao{1, 3, 12}), CalcularMD5("1.3.0.12"));
}

// The index answers as the path query would, on the shapes a hand-edited or
// hostile file can take: each lookup is checked against the query itself.
TEST(LojasVolume, AchaAMesmaLojaQueAConsultaPorCaminho) {
    const auto documento = CarregarXMLDeBytes(
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><Volume>"
        "<PedidoQuel Codigo=\"P1\" TipoEtiqueta=\"4\">"
        "<Loja Codigo=\"L1\" id=\"a\"><ItemPedido>10</ItemPedido></Loja>"
        "<Loja Codigo=\"L1\" id=\"b\"><ItemPedido>10</ItemPedido></Loja>"  // a second: first wins
        "<Loja Codigo=\"L2\" id=\"c\"><ItemPedido>10</ItemPedido><ItemPedido>20</ItemPedido></Loja>"
        "<Loja Codigo=\"L3\" id=\"d\"><ItemPedido>1<!-- -->0</ItemPedido></Loja>"
        "<Loja Outro=\"L4\" id=\"e\"><ItemPedido>10</ItemPedido></Loja>"
        "<Loja Codigo=\"L5\" id=\"f\"><Sub><ItemPedido>10</ItemPedido></Sub></Loja>"
        "<Loja Codigo=\"L'6\" id=\"g\"><ItemPedido>a\"b</ItemPedido></Loja>"
        "<Loja Codigo=\"L7\" id=\"h\"><ItemPedido> 10 </ItemPedido></Loja>"
        "</PedidoQuel>"
        "<PedidoQuel Codigo=\"P1\"><Loja Codigo=\"L9\" id=\"i\"><ItemPedido>10</ItemPedido></Loja>"
        "<Loja Codigo=\"L1\" id=\"j\"><ItemPedido>30</ItemPedido></Loja></PedidoQuel>"
        "<Outro Codigo=\"P2\"><Loja Codigo=\"L1\" "
        "id=\"k\"><ItemPedido>10</ItemPedido></Loja></Outro>"
        "<PedidoQuel Codigo=\"Preço\"><Loja Codigo=\"Ç\" id=\"l\"><ItemPedido>é</ItemPedido></Loja>"
        "</PedidoQuel></Volume>");
    const LojasVolume lojas(documento);
    struct Caso {
        std::string pedido, loja, item, id;  // id "": no store
    };
    const std::vector<Caso> casos{
        {"P1", "L1", "10", "a"},    {"P1", "L2", "20", "c"}, {"P1", "L2", "10", "c"},
        {"P1", "L3", "10", "d"},    {"P1", "L4", "10", ""},  {"P1", "L5", "10", ""},
        {"P1", "L'6", "a\"b", "g"}, {"P1", "L7", "10", ""},  {"P1", "L7", " 10 ", "h"},
        {"P1", "L9", "10", "i"},    {"P1", "L1", "30", "j"}, {"P2", "L1", "10", ""},
        {"Preço", "Ç", "é", "l"},   {"p1", "L1", "10", ""}};
    for (const auto& c : casos) {
        const std::string caso = c.pedido + "/" + c.loja + "/" + c.item;
        const auto achada = lojas.loja(c.pedido, c.loja, c.item);
        const auto consulta =
            selecionarNos(*documento, consultaLojaVolume(c.pedido, c.loja, c.item));
        const std::string pelaConsulta =
            consulta.empty() ? "" : consulta.first().node().attribute("id").value();
        EXPECT_EQ(tuple(std::string(achada.attribute("id").value()), pelaConsulta),
                  tuple(c.id, c.id))
            << caso;
    }
}

TEST(LojasVolume, ArquivoQueNaoCarregaNaoDaIndice) {
    EXPECT_FALSE(LojasVolume::carregar("/nao/existe/volume.xml"));
    const LojasVolume outraRaiz(CarregarXMLDeBytes(
        "<Preco><PedidoQuel Codigo=\"P\"><Loja Codigo=\"L\"><ItemPedido>1</ItemPedido></Loja>"
        "</PedidoQuel></Preco>"));
    EXPECT_EQ(outraRaiz.tamanho(), 0u);
}
