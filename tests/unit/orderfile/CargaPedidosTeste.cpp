#include <gtest/gtest.h>

#include "ModelosPedidos.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/Reconhecimento.h"
#include "orderfile/Xml.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

ResultadoCarga carregarPreco(const std::string& xml) {
    const auto doc = CarregarXMLDeBytes(xml);
    return CarregarPedidosPreco(*doc, digestoAtual());
}

ResultadoCarga carregarVolume(const std::string& xml) {
    const auto doc = CarregarXMLDeBytes(xml);
    return CarregarPedidosVolume(*doc, digestoAtual());
}

// Cell (linha, coluna), both 1-based, of a result.
const std::string& celula(const ResultadoCarga& r, int linha, int coluna, int colunas) {
    return r.celulas.at(static_cast<std::size_t>(linha - 1) * colunas + coluna - 1);
}

const std::string& precoCel(const ResultadoCarga& r, int l, int c) {
    return celula(r, l, c, kColunasPreco);
}
const std::string& volumeCel(const ResultadoCarga& r, int l, int c) {
    return celula(r, l, c, kColunasVolume);
}

}  // namespace

TEST(CargaPreco, CadaElementoVaiParaSuaColuna) {
    const auto r = carregarPreco(precoSimples({{"Cor", "AZUL MARINHO"}}));
    ASSERT_TRUE(r.erro.empty()) << r.erro;
    ASSERT_EQ(r.linhas, 1);
    ASSERT_EQ(r.celulas.size(), 40u);
    const std::vector<std::string> esperado{"0",
                                            "CONFECÇÕES ARAÚJO",
                                            "CAMISETA ALGODÃO",
                                            "M",
                                            "V1",
                                            "4500000001",
                                            "00010",
                                            "10",
                                            "12.345.678/0001-90",
                                            "7",
                                            "CAT1",
                                            "15/01/2027",
                                            "120",
                                            "06/12/2026",
                                            "4455",
                                            "TEND",
                                            "P02",
                                            "N",
                                            "7891234567895",
                                            "000",
                                            "39,99",
                                            "PMG",
                                            "100",
                                            "150",
                                            "10",
                                            "MF-1",
                                            "00042",
                                            "100",
                                            "150",
                                            "0055",
                                            "CD CAJAMAR",
                                            "0012",
                                            "MATRIZ",
                                            "AZUL MA",
                                            "BLUE",
                                            "M",
                                            "1",
                                            "CAMISETAS",
                                            "VER27",
                                            "VERAO"};
    for (int c = 1; c <= 40; ++c) EXPECT_EQ(precoCel(r, 1, c), esperado[c - 1]) << "coluna " << c;
    EXPECT_EQ(r.TipoEtiquetaPedido, 1);
    EXPECT_EQ(r.IndicadorTipoSku, "N");
    EXPECT_EQ(r.LayoutNovoArquivo, false);
    EXPECT_EQ(r.OrigemSolicitacao, "N");
    EXPECT_EQ(r.passos, 3);
}

TEST(CargaPreco, FormatosEPadroesDosElementos) {
    struct Caso {
        Campos mudancas;
        int coluna;
        std::string esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {{{"CodigoBureau", " 42 "}}, 27, "00042"},
             {{{"CodigoBureau", ""}}, 27, "00000"},
             {{{"CodigoBureau", "   "}}, 27, "00000"},
             {{{"CodigoBureau", "ABC"}}, 27, "ABC"},
             {{{"centroentrega", std::nullopt}}, 30, "0000"},
             {{{"descricaocentroentrega", ""}}, 31, "00000000000000000000"},
             {{{"descricaocentrofaturamento", std::nullopt}}, 33, "00000000000000000000"},
             {{{"centrofaturamento", "7"}}, 32, "0007"},
             {{{"Cor", "VERDE BANDEIRA"}}, 34, "VERDE B"},
             {{{"Cor", std::nullopt}}, 34, ""},
             {{{"EstrColecao", std::nullopt}}, 39, ""},
             {{{"Familia", std::nullopt}}, 38, ""},
             {{{"QuantidadeEtiqueta", " 12 "}}, 8, " 12 "},
             {{{"QuantidadeEtiqueta", " 12 "}}, 25, "12"},
             {{{"DescricaoMaterial", "AÇÚCAR &amp; CAFÉ"}}, 3, "AÇÚCAR & CAFÉ"},
         }) {
        const auto r = carregarPreco(precoSimples(c.mudancas));
        ASSERT_TRUE(r.erro.empty()) << r.erro;
        EXPECT_EQ(precoCel(r, 1, c.coluna), c.esperado) << c.mudancas[0].first;
    }
}

TEST(CargaPreco, TotalDeEtiquetasSomaAsQuantidades) {
    const auto r = carregarPreco(arquivoPreco(
        pedidoPreco({}, item("1", variante("A", {{"QuantidadeEtiqueta", "10"}}) +
                                      variante("B", {{"QuantidadeEtiqueta", "5"}})) +
                            item("2", variante("C", {{"QuantidadeEtiqueta", "100"}})))));
    EXPECT_EQ(r.total, 115);
    EXPECT_EQ(r.linhas, 3);
    EXPECT_EQ(precoCel(r, 3, 5), "C");
    EXPECT_EQ(precoCel(r, 3, 7), "2");
}

TEST(CargaPreco, SeletorDeTipoSegueAUltimaVariante) {
    AtributosPedido sku;
    sku.tipo = "99";
    sku.sku = "S";
    const auto sim = variante("A", {{"TipoEtiq", "5"}});
    const auto nao = variante("B", {{"TipoEtiq", "1"}});
    struct Caso {
        const char* nome;
        AtributosPedido pedido;
        std::string variantes;
        SeletorTipo esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {"sku na ultima", sku, nao + sim, SeletorTipo::InternaCaixa},
             {"sku so na primeira", sku, sim + nao, SeletorTipo::Oculto},
             {"tipo 1 nao e sku", {}, sim, SeletorTipo::Oculto},
             {"departamento 565",
              {},
              variante("C", {{"CodDepto", "565"}}),
              SeletorTipo::InternaCaixa},
             {"departamento 0550 e texto",
              {},
              variante("C", {{"CodDepto", "0550"}}),
              SeletorTipo::Oculto},
         }) {
        const auto r = carregarPreco(arquivoPreco(pedidoPreco(c.pedido, item("1", c.variantes))));
        ASSERT_TRUE(r.erro.empty()) << r.erro;
        EXPECT_EQ(r.seletor, c.esperado) << c.nome;
    }
}

TEST(CargaPreco, AutorizacaoDoTxtSoComTrueExatoNoUltimoNo) {
    const auto corpo = pedidoPreco({}, item("1", variante("A")));
    struct Caso {
        std::string xml;
        bool esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {arquivoPreco(corpo, " AutorizadoGerarTXT=\"True\""), true},
             {arquivoPreco(corpo, " AutorizadoGerarTXT=\"true\""), false},
             {arquivoPreco(corpo), false},
             {arquivoPreco(corpo, " AutorizadoGerarTXT=\"True\"") + "<!-- fim -->", false},
         })
        EXPECT_EQ(carregarPreco(c.xml).autorizadoGerarTxt, c.esperado) << c.xml;
}

TEST(CargaPreco, VersaoErradaNoSegundoPedidoGuardaAsLinhasDoPrimeiro) {
    AtributosPedido errado;
    errado.numero = "2";
    errado.digesto = CalcularMD5("0.9.0.1");
    const auto r =
        carregarPreco(arquivoPreco(pedidoPreco({}, item("1", variante("A") + variante("B"))) +
                                   pedidoPreco(errado, item("1", variante("C")))));
    EXPECT_EQ(r.pedidoVersaoRecusada, 1u);
    EXPECT_TRUE(r.erro.empty());
    EXPECT_EQ(r.linhas, 2);
    EXPECT_EQ(r.celulas.size(), 80u);

    AtributosPedido minusculo;
    minusculo.digesto = minusculas(digestoAtual());
    EXPECT_EQ(carregarPreco(precoSimples({}, minusculo)).pedidoVersaoRecusada, 0u);
}

TEST(CargaPreco, EstadoDaJanelaVemDoUltimoPedido) {
    AtributosPedido a, b;
    b.tipo = "2";
    b.sku = "S";
    b.layoutNovo = "1";
    const auto r = carregarPreco(arquivoPreco(
        pedidoPreco(a, item("1", variante("A"))) +
        pedidoPreco(b, item("1", variante("B", {{"OrigemSolicitacao", std::nullopt}})))));
    EXPECT_EQ(r.TipoEtiquetaPedido, 2);
    EXPECT_EQ(r.IndicadorTipoSku, "S");
    EXPECT_EQ(r.LayoutNovoArquivo, true);
    EXPECT_EQ(r.OrigemSolicitacao, "");
    for (const char* v : {"TRUE", "-1", "2,5"}) EXPECT_EQ(valorLogico(v), true) << v;
    for (const char* v : {"false", "0", " 0 "}) EXPECT_EQ(valorLogico(v), false) << v;
    for (const char* v : {"", "sim", "T"}) EXPECT_FALSE(valorLogico(v)) << v;
}

TEST(CargaPreco, ArquivoIncompletoERecusadoDizendoOndeEOQue) {
    AtributosPedido tipoRuim;
    tipoRuim.tipo = "abc";
    AtributosPedido layoutRuim;
    layoutRuim.layoutNovo = "talvez";
    const std::string semAtributos =
        arquivoPreco("<PedidoQuel Codigo=\"9\" T=\"1\" V=\"" + digestoAtual() + "\">" +
                     item("1", variante("A")) + "</PedidoQuel>");
    struct Caso {
        std::string xml;
        std::vector<std::string> trechos;
    };
    for (const auto& c : std::vector<Caso>{
             {precoSimples({{"NomeForn", std::nullopt}}),
              {"Pedido 4500000001", "item 00010", "variante V1", "NomeForn"}},
             {precoSimples({{"QuantidadeEtiqueta", "dez"}}), {"QuantidadeEtiqueta", "dez"}},
             {precoSimples({{"QuantidadeEtiqueta", "10.5"}}), {"QuantidadeEtiqueta"}},
             {precoSimples({{"QuantidadeEtiqueta", "99999999999"}}), {"QuantidadeEtiqueta"}},
             {precoSimples({}, tipoRuim), {"tipo de etiqueta", "abc"}},
             {precoSimples({}, layoutRuim), {"layout novo", "talvez"}},
             {semAtributos, {"Pedido 9", "atributo nº 4"}},
             {arquivoPreco(pedidoPreco({}, item("1", variante("A")) + "texto solto")),
              {"Pedido 4500000001", "não é um elemento"}},
             {arquivoPreco(pedidoPreco({}, item("1", "<!-- x -->" + variante("A")))),
              {"item 1", "não é um elemento"}},
             {arquivoPreco(pedidoPreco({}, "<Item/>")), {"atributo nº 1", "código do item"}},
         }) {
        const auto r = carregarPreco(c.xml);
        for (const auto& t : c.trechos)
            EXPECT_NE(r.erro.find(t), std::string::npos) << r.erro << " / " << t;
    }
}

TEST(CargaVolume, CadaElementoDaLojaVaiParaSuaColuna) {
    const auto r = carregarVolume(arquivoVolume(pedidoVolume("P1", "4", loja("0101", "False"))));
    ASSERT_TRUE(r.erro.empty()) << r.erro;
    ASSERT_EQ(r.linhas, 1);
    const std::vector<std::string> esperado{"0",
                                            "MALHARIA SÃO JOSÉ",
                                            "CALÇA JEANS",
                                            "",
                                            "000000000012345678",
                                            "P1",
                                            "00010",
                                            "0101",
                                            "20",
                                            "2",
                                            "23.456.789/0001-01",
                                            "12",
                                            "MF-9",
                                            "000123",
                                            "0055",
                                            "0012",
                                            "51",
                                            "",
                                            "",
                                            ""};
    for (int c = 1; c <= 20; ++c) EXPECT_EQ(volumeCel(r, 1, c), esperado[c - 1]) << "coluna " << c;
    EXPECT_EQ(r.TipoEtiquetaPedido, 4);
    EXPECT_EQ(r.total, 20);
    EXPECT_FALSE(r.IndicadorTipoSku);
    EXPECT_FALSE(r.LayoutNovoArquivo);
}

TEST(CargaVolume, PecasSomamAParteInteiraEPadroes) {
    const auto r = carregarVolume(arquivoVolume(
        pedidoVolume("P1", "3",
                     loja("1", "False",
                          {{"QuantidadePeca", "10.7"},
                           {"CodigoBureau", " "},
                           {"centroentrega", std::nullopt},
                           {"SemanaEntr", std::nullopt}}) +
                         loja("2", "False", {{"QuantidadePeca", "5"}, {"CodigoBureau", "X1"}}))));
    ASSERT_TRUE(r.erro.empty()) << r.erro;
    EXPECT_EQ(r.total, 15);
    EXPECT_EQ(volumeCel(r, 1, 9), "10.7");
    EXPECT_EQ(volumeCel(r, 1, 14), "000000");
    EXPECT_EQ(volumeCel(r, 1, 15), "0000");
    EXPECT_EQ(volumeCel(r, 1, 17), "");
    EXPECT_EQ(volumeCel(r, 2, 14), "X1");
}

TEST(CargaVolume, SeletorIlpnSegueAUltimaLoja) {
    struct Caso {
        std::string lojas;
        SeletorTipo esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {loja("1", "True") + loja("2", "False"), SeletorTipo::Oculto},
             {loja("1", "False") + loja("2", "true"), SeletorTipo::IlpnVolume},
             {loja("1", "1"), SeletorTipo::IlpnVolume},
         })
        EXPECT_EQ(carregarVolume(arquivoVolume(pedidoVolume("P", "4", c.lojas))).seletor,
                  c.esperado);
}

TEST(CargaVolume, SoAVersaoDoPrimeiroPedidoConta) {
    const std::string velho = CalcularMD5("0.9.0.1");
    const auto r =
        carregarVolume(arquivoVolume(pedidoVolume("P1", "4", loja("1", "False")) +
                                     pedidoVolume("P2", "4", loja("2", "False"), velho)));
    EXPECT_FALSE(r.pedidoVersaoRecusada);
    EXPECT_EQ(r.linhas, 2);
    const auto recusado =
        carregarVolume(arquivoVolume(pedidoVolume("P1", "4", loja("1", "False"), velho) +
                                     pedidoVolume("P2", "4", loja("2", "False"))));
    EXPECT_EQ(recusado.pedidoVersaoRecusada, 0u);
    EXPECT_EQ(recusado.linhas, 0);
}

TEST(CargaVolume, ArquivoIncompletoERecusadoDizendoOndeEOQue) {
    struct Caso {
        std::string lojas;
        std::vector<std::string> trechos;
    };
    for (const auto& c : std::vector<Caso>{
             {loja("7", "False", {{"DADOS_VOLUME", ""}}), {"loja 7", "DADOS_VOLUME"}},
             {loja("7", "False", {{"DADOS_VOLUME", "<V><x>1</x></V>"}}), {"qtdeTotal"}},
             {loja("7", "False", {{"DADOS_VOLUME", std::nullopt}}), {"DADOS_VOLUME"}},
             {loja("7", "False", {{"QuantidadePeca", "muitas"}}), {"QuantidadePeca", "muitas"}},
             {loja("7", "False", {{"CNPJ", std::nullopt}}), {"Pedido P", "loja 7", "CNPJ"}},
             {loja("7", "talvez"), {"ILPN", "talvez"}},
             {"<Loja Codigo=\"8\"/>", {"atributo nº 2"}},
         }) {
        const auto r = carregarVolume(arquivoVolume(pedidoVolume("P", "4", c.lojas)));
        for (const auto& t : c.trechos)
            EXPECT_NE(r.erro.find(t), std::string::npos) << r.erro << " / " << t;
    }
}

TEST(Reconhecimento, TipoContagensENomeDoTipo) {
    struct Caso {
        std::string xml;
        bool valido;
        short tipo;
        std::string codigo;
        bool comErro;
    };
    const auto pedido = pedidoPreco({}, item("1", variante("A")));
    AtributosPedido zeroUm;
    zeroUm.tipo = "01";
    for (const auto& c : std::vector<Caso>{
             {precoSimples(), true, kArquivoPreco, "1", false},
             {precoSimples({}, zeroUm), true, kArquivoPreco, "01", false},
             {arquivoVolume(pedidoVolume("P", "3", loja("1", "False"))), true, kArquivoVolume, "3",
              false},
             {documento("preco", pedido), false, kArquivoNaoReconhecido, "", false},
             {arquivoPreco(pedidoPreco({}, item("1", ""))), false, kArquivoPreco, "", false},
             {arquivoVolume(pedidoVolume("P", "3", "")), false, kArquivoVolume, "", false},
             {arquivoPreco(""), false, kArquivoPreco, "", false},
             {cp1252ParaUtf8("<Preco>" + pedido + "</Preco>"), false, kArquivoPreco, "", true},
             {arquivoPreco("<PedidoQuel Codigo=\"1\">" + item("1", variante("A")) +
                           "</PedidoQuel>"),
              false, kArquivoPreco, "", true},
         }) {
        const auto doc = CarregarXMLDeBytes(c.xml);
        const auto r = reconhecerArquivo(*doc);
        EXPECT_EQ(r.valido, c.valido) << c.xml;
        EXPECT_EQ(IdentificarTipoArquivo(doc.get()), c.tipo) << c.xml;
        EXPECT_EQ(r.codigoTipo, c.codigo) << c.xml;
        EXPECT_EQ(!r.erro.empty(), c.comErro) << c.xml;
    }
    EXPECT_EQ(IdentificarTipoArquivo(nullptr), kArquivoNaoReconhecido);
    EXPECT_EQ(nomeTipoEtiqueta(kArquivoPreco, "1"), "Etiquetas de Preço (Cartolina)");
    EXPECT_EQ(nomeTipoEtiqueta(kArquivoVolume, "4"), "Etiquetas de Volume(Padrão)");
    EXPECT_FALSE(nomeTipoEtiqueta(kArquivoPreco, "01"));
    EXPECT_FALSE(nomeTipoEtiqueta(kArquivoPreco, "3"));  // a volume code in a price file
}
