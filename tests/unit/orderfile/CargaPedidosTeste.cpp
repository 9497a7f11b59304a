#include <gtest/gtest.h>

#include "ModelosPedidos.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/Xml.h"

// Files the loaders refuse are in the bad-files group of the window tests.

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

ResultadoCarga carregar(const std::string& xml, bool volume = false) {
    const auto doc = CarregarXMLDeBytes(xml);
    return volume ? CarregarPedidosVolume(*doc, digestoAtual())
                  : CarregarPedidosPreco(*doc, digestoAtual());
}

}  // namespace

TEST(CargaPedidos, FormatosEPadroesDosElementos) {
    struct Caso {
        bool volume;
        Campos mudancas;
        int coluna;
        std::string esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {false, {{"CodigoBureau", " 42 "}}, 27, "00042"},
             {false, {{"CodigoBureau", ""}}, 27, "00000"},
             {false, {{"CodigoBureau", "ABC"}}, 27, "ABC"},
             {false, {{"centroentrega", std::nullopt}}, 30, "0000"},
             {false, {{"descricaocentroentrega", ""}}, 31, "00000000000000000000"},
             {false, {{"descricaocentrofaturamento", std::nullopt}}, 33, "00000000000000000000"},
             {false, {{"centrofaturamento", "7"}}, 32, "0007"},
             {false, {{"Cor", "VERDE BANDEIRA"}}, 34, "VERDE B"},
             {false, {{"Cor", std::nullopt}}, 34, ""},
             {false, {{"EstrColecao", std::nullopt}}, 39, ""},
             {false, {{"Familia", std::nullopt}}, 38, ""},
             {false, {{"QuantidadeEtiqueta", " 12 "}}, 8, " 12 "},
             {false, {{"QuantidadeEtiqueta", " 12 "}}, 25, "12"},
             {false, {{"DescricaoMaterial", "AÇÚCAR &amp; CAFÉ"}}, 3, "AÇÚCAR & CAFÉ"},
             {true, {{"QuantidadePeca", "10.7"}}, 9, "10.7"},
             {true, {{"CodigoBureau", " "}}, 14, "000000"},
             {true, {{"CodigoBureau", "X1"}}, 14, "X1"},
             {true, {{"centroentrega", std::nullopt}}, 15, "0000"},
             {true, {{"SemanaEntr", std::nullopt}}, 17, ""}}) {
        const auto r =
            c.volume
                ? carregar(arquivoVolume(pedidoVolume("P", "3", loja("1", "False", c.mudancas))),
                           true)
                : carregar(precoSimples(c.mudancas));
        ASSERT_TRUE(r.erro.empty()) << r.erro;
        EXPECT_EQ(r.celulas.at(c.coluna - 1), c.esperado) << c.mudancas[0].first;
    }
}

TEST(CargaPedidos, AutorizacaoDoTxtSoComTrueExatoNoUltimoNo) {
    const auto corpo = pedidoPreco({}, item("1", variante("A")));
    const auto com = [&](const char* valor) {
        return arquivoPreco(corpo, std::string(" AutorizadoGerarTXT=\"") + valor + "\"");
    };
    EXPECT_TRUE(carregar(com("True")).autorizadoGerarTxt);
    for (const auto& xml : {com("true"), arquivoPreco(corpo), com("True") + "<!-- fim -->"})
        EXPECT_FALSE(carregar(xml).autorizadoGerarTxt) << xml;
}

// A volume file is gated on its first order only, digest compared exactly.
TEST(CargaPedidos, VersaoDoVolumeSoNoPrimeiroPedido) {
    const std::string velho = CalcularMD5("0.9.0.1"), atual = digestoAtual();
    struct Caso {
        std::string primeiro, segundo;
        int linhas;
        std::optional<std::size_t> recusado;
    };
    for (const auto& c : std::vector<Caso>{{atual, velho, 2, std::nullopt},
                                           {velho, atual, 0, 0u},
                                           {minusculas(atual), atual, 0, 0u}}) {
        const auto r =
            carregar(arquivoVolume(pedidoVolume("P1", "4", loja("1", "False"), c.primeiro) +
                                   pedidoVolume("P2", "4", loja("2", "False"), c.segundo)),
                     true);
        EXPECT_EQ(r.linhas, c.linhas) << c.primeiro;
        EXPECT_EQ(r.pedidoVersaoRecusada, c.recusado) << c.primeiro;
        EXPECT_TRUE(r.erro.empty()) << r.erro;
    }
}
