#include <gtest/gtest.h>

#include "orderfile/LojasVolume.h"
#include "orderfile/Xml.h"

using namespace etiquetas;
using std::tuple;

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
