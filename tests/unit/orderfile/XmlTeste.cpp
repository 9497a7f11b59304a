#include <gtest/gtest.h>

#include "comum/Texto.h"
#include "orderfile/Md5.h"
#include "orderfile/Xml.h"

using namespace etiquetas;

namespace {

std::string declaracao(const std::string& codificacao) {
    return codificacao.empty() ? "<?xml version=\"1.0\"?>"
                               : "<?xml version=\"1.0\" encoding=\"" + codificacao + "\"?>";
}

}  // namespace

TEST(Xml, ValoresChegamEmWindows1252QualquerQueSejaACodificacaoDoArquivo) {
    const std::string cp = "Preço AÇÚCAR €";  // core literal: Windows-1252 bytes
    const std::string semEuro = "Preço AÇÚCAR";
    struct Caso {
        std::string codificacao;
        std::string corpo;  // bytes of the value in the file
        std::string esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {"UTF-8", cp1252ParaUtf8(cp), cp},
             {"", cp1252ParaUtf8(cp), cp},  // no encoding declared: UTF-8
             {"utf-8", cp1252ParaUtf8(cp), cp},
             {"ISO-8859-1", semEuro, semEuro},
             {"windows-1252", cp, cp},
             {"UTF-8", "Pre&#231;o &#x20AC;", "Preço €"},
         }) {
        const auto doc = CarregarXMLDeBytes(declaracao(c.codificacao) + "<R a=\"" + c.corpo +
                                            "\"><T>" + c.corpo + "</T></R>");
        const auto raiz = doc->document_element();
        ASSERT_TRUE(raiz) << c.codificacao;
        EXPECT_EQ(textoDoFilho(raiz, "T"), c.esperado) << c.codificacao;
        EXPECT_EQ(atributoNaPosicao(raiz, 0), c.esperado) << c.codificacao;
    }
}

TEST(Xml, ArquivosQueNaoSaoOrdensViramDocumentoSemRaiz) {
    const std::string risadas =
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
        "<r>&c;</r>";
    const std::string externa =
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><r>&x;</r>";
    for (const std::string& bytes : std::vector<std::string>{
             "", "<Preco><PedidoQuel></Preco>", risadas, externa,
             std::string("\x00\x01\xFF\xFE\x89PNG\r\n", 10),
             "<?xml version=\"1.0\" encoding=\"EBCDIC-XYZ\"?><Preco/>",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Preco>\xE7</Preco>",  // not UTF-8
             "<?xml version=\"1.0\"?><Preco/><Volume/>"}) {
        EXPECT_FALSE(CarregarXMLDeBytes(bytes)->document_element()) << bytes;
    }
    EXPECT_FALSE(CarregarXML(std::string("/nao/existe/arquivo.xml"))->document_element());
}

TEST(Xml, NosPorPosicaoENomeComoOArquivoOsEscreve) {
    const auto doc = CarregarXMLDeBytes(
        "<?xml version=\"1.0\"?>\n<Volume><PedidoQuel Codigo=\"P1\" Tipo=\"4\">"
        "<Loja Codigo=\"L1\"><ItemPedido>10</ItemPedido><X>a<b>b</b>c</X></Loja>"
        "<Loja Codigo=\"L1\"><ItemPedido>20</ItemPedido></Loja>"
        "<Loja Tipo=\"x\" Codigo=\"O'Brien &quot;1&quot;\"><ItemPedido>30</ItemPedido></Loja>"
        "</PedidoQuel></Volume>");
    EXPECT_EQ(filhoDoDocumento(*doc, 0).type(), pugi::node_declaration);
    EXPECT_EQ(filhoDoDocumento(*doc, 1), doc->document_element());
    EXPECT_FALSE(filhoDoDocumento(*doc, 2));
    const auto lojas = elementosPorNome(*doc, "Loja");
    ASSERT_EQ(lojas.size(), 3u);
    EXPECT_TRUE(elementosPorNome(*doc, "loja").empty());
    EXPECT_EQ(atributoNaPosicao(lojas[2], 0), "x");  // position, not name
    EXPECT_EQ(atributoPorNome(lojas[2], "Codigo"), "O'Brien \"1\"");
    EXPECT_FALSE(atributoNaPosicao(lojas[0], 1));
    EXPECT_EQ(textoDoFilho(lojas[0], "X"), "abc");
    EXPECT_FALSE(textoDoFilho(lojas[0], "Y"));

    EXPECT_EQ(selecionarNos(*doc, consultaLojaVolume("P1", "L1", "20")).first().node(), lojas[1]);
    EXPECT_EQ(selecionarNos(*doc, consultaLojaVolume("P1", "O'Brien \"1\"", "30")).size(), 1u);
    EXPECT_EQ(selecionarNos(*doc, consultaLojaVolume("P1", "L1", "99")).size(), 0u);
    EXPECT_EQ(selecionarNos(*doc, "/Volume/PedidoQuel[").size(), 0u);  // malformed query
    EXPECT_EQ(selecionarNos(lojas[0], "ItemPedido").size(), 1u);
}

TEST(Md5, VetoresDaRfc1321EmMaiusculas) {
    struct Caso {
        const char* texto;
        const char* digesto;
    };
    for (const auto& c : std::vector<Caso>{
             {"", "D41D8CD98F00B204E9800998ECF8427E"},
             {"a", "0CC175B9C0F1B6A831C399E269772661"},
             {"abc", "900150983CD24FB0D6963F7D28E17F72"},
             {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
             {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
             {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
              "D174AB98D277D9F5A5611C2C9F419D9F"},
             {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
              "57EDF4A22BE3C955AC49DA2E2107B67A"},
         })
        EXPECT_EQ(CalcularMD5(c.texto), c.digesto) << c.texto;
    EXPECT_EQ(digestoDaVersao(Versao{1, 3, 12}), CalcularMD5("1.3.0.12"));
}
