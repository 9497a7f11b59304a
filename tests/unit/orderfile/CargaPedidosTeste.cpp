#include <gtest/gtest.h>

#include <sstream>

#include "../config/PastaTeste.h"
#include "ModelosPedidos.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/LeituraEmPartes.h"
#include "orderfile/Reconhecimento.h"
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

namespace {

struct LidoEmPartes {
    bool terminou = false;
    std::string xml;  // the document, serialised
    ResultadoCarga carga;
};

std::string serializado(const pugi::xml_document& d) {
    std::ostringstream saida;
    d.save(saida, "", pugi::format_raw, pugi::encoding_utf8);
    return saida.str();
}

LidoEmPartes lerEmPartes(const std::filesystem::path& arquivo, std::size_t parte, short tipo) {
    LidoEmPartes lido;
    LeituraEmPartes leitura(arquivo, parte);
    if (!leitura.proxima()) return lido;
    CargaEmPartes carga(tipo, *leitura.documento(), digestoAtual());
    std::vector<std::string> celulas;
    while (leitura.proxima()) {
        EXPECT_TRUE(carga.continuar());
        carga.retirarLinhas(celulas);
        for (auto& c : celulas) lido.carga.celulas.push_back(std::move(c));
    }
    lido.terminou = leitura.terminou();
    lido.xml = serializado(*leitura.documento());
    const auto celulasLidas = std::move(lido.carga.celulas);
    lido.carga = carga.concluir();
    lido.carga.celulas = celulasLidas;
    return lido;
}

}  // namespace

// A file read a piece at a time, down to pieces cut inside an order, makes
// the document and the rows of the whole-file load; what the pieces cannot
// follow is left to that load.
TEST(LeituraEmPartes, MesmoDocumentoEMesmasLinhasQueOArquivoInteiro) {
    const auto itens =
        item("00010", variante("V1") + variante("V2")) + item("00020", variante("V3"));
    AtributosPedido outro;
    outro.numero = "4500000002";
    outro.layoutNovo = "True";
    const auto pedidos =
        pedidoPreco({}, itens) + "\r\n  <!-- </PedidoQuel> --><?pi </Item>?>" +
        pedidoPreco(outro, item("00030", variante("V4", {{"Cor", "<![CDATA[a</Item>>b]]>"}})));
    const auto raizComMaior = " Nome=\"a>b/>\" AutorizadoGerarTXT=\"True\"";
    struct Caso {
        const char* nome;
        std::string bytes;
        short tipo;
        bool segue;  // the pieces follow it to its end
    };
    const std::vector<Caso> casos{
        {"preco", arquivoPreco(pedidos, raizComMaior), kArquivoPreco, true},
        {"volume",
         arquivoVolume(pedidoVolume("P1", "4", loja("L1", "False") + loja("L2", "True")) +
                       pedidoVolume("P2", "4", loja("L3", "False"))),
         kArquivoVolume, true},
        {"cp1252",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?><Preco>" +
             pedidoPreco({}, item("1", variante("V\xC7"))) + "</Preco>",
         kArquivoPreco, true},
        {"dtd", "<?xml version=\"1.0\"?><!DOCTYPE Preco><Preco>" + pedidos + "</Preco>",
         kArquivoPreco, false},
        {"texto depois", arquivoPreco(pedidos) + "x", kArquivoPreco, false},
        {"cortado", arquivoPreco(pedidos).substr(0, 2000), kArquivoPreco, false},
        {"utf-16", "\xFF\xFE<\0?\0", kArquivoPreco, false},
    };
    PastaTeste pasta;
    for (const auto& c : casos) {
        pasta.gravar("a.xml", c.bytes);
        const auto inteiro = CarregarXML(pasta / "a.xml");
        const auto esperada = c.tipo == kArquivoPreco
                                  ? CarregarPedidosPreco(*inteiro, digestoAtual())
                                  : CarregarPedidosVolume(*inteiro, digestoAtual());
        for (std::size_t parte : {16, 100, 700, 1 << 20}) {
            const auto lido = lerEmPartes(pasta / "a.xml", parte, c.tipo);
            SCOPED_TRACE(std::string(c.nome) + ", partes de " + std::to_string(parte));
            ASSERT_EQ(lido.terminou, c.segue);
            if (!c.segue) continue;
            EXPECT_EQ(lido.xml, serializado(*inteiro));
            EXPECT_EQ(lido.carga.celulas, esperada.celulas);
            EXPECT_EQ(lido.carga.linhas, esperada.linhas);
            EXPECT_EQ(lido.carga.total, esperada.total);
            EXPECT_EQ(lido.carga.LayoutNovoArquivo, esperada.LayoutNovoArquivo);
            EXPECT_EQ(lido.carga.seletor, esperada.seletor);
            EXPECT_EQ(lido.carga.autorizadoGerarTxt, esperada.autorizadoGerarTxt);
        }
    }
}
