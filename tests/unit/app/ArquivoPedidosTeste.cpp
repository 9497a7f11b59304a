#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "../orderfile/ModelosPedidos.h"
#include "AplicacaoDeTeste.h"
#include "comum/Arquivos.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

// What the window shows of the loaded file, caption and status bar included,
// to compare before and after.
std::string retrato(JanelaPrincipal& j) {
    std::string r = j.lblTipoArquivo.tag() + "|" + j.lblTipoArquivo.legenda() + "|" +
                    std::to_string(j.lblTipoArquivo.cor()) + "|" + j.StatusBar1.texto();
    for (const auto* l : {&j.lblTotalPedidos, &j.lblTotalitens, &j.lblTotalVariantes,
                          &j.lblTotalEtiquetas, &j.lblDescImp, &j.Label2})
        r += "|" + l->legenda();
    return r + "|" + textoDoCaminho(j.CaminhoArquivoPedidos) + "|" + j.sprPedidos.texto(1, 5) +
           "|" + std::to_string(j.sprPedidos.linhas() * 100 + j.vaVolume.linhas()) +
           std::to_string(j.TipoEtiquetaPedido) + (j.sprPedidos.visivel() ? "S" : "N") +
           std::to_string(reinterpret_cast<std::uintptr_t>(j.DocumentoPedidos.get()));
}

std::string precoDeDuasVariantes() {
    return arquivoPreco(pedidoPreco({}, item("00010", variante("A") + variante("B"))));
}

std::string volumeDaLoja(const Campos& mudancas, const std::string& lojaTexto = "") {
    return arquivoVolume(
        pedidoVolume("P", "4", lojaTexto.empty() ? loja("7", "False", mudancas) : lojaTexto));
}

const char* kVersaoVelha =
    "Versão desatualizada para efetuar a impressão deste arquivo ! Acesse o Portal de "
    "Fornecedores e efetue o DOWNLOAD da nova versão do aplicativo de Etiquetas.\rO "
    "Programa será encerrado !\r\n";

}  // namespace

// Type names and counts of every kind are proven by the CLI on the sample files;
// here what only the window shows.
TEST(AbrirArquivoPedidos, CadaTipoMostraSuaGradeBotoesETotais) {
    struct Caso {
        const char* nome;
        std::string bytes;
        bool preco;
        const char* esperado;  // tag|total|grids and buttons shown|focus|grid rows|progress
    };
    AplicacaoDeTeste t;
    auto& j = t.janela();
    for (const auto& c : std::vector<Caso>{
             {"preco.xml", precoDeDuasVariantes(), true, "1|00000020|SNSN|sprPedidos|2|44"},
             {"volume.xml",
              arquivoVolume(pedidoVolume("P1", "4",
                                         loja("1", "True", {{"QuantidadePeca", "10.7"}}) +
                                             loja("2", "False", {{"QuantidadePeca", "5"}})),
                            " AutorizadoGerarTXT=\"True\""),
              false, "2|00000015|NSNS|vaVolume|2|33"},
         }) {
        const auto caminho = t.abrir(c.nome, c.bytes);
        EXPECT_TRUE(t.plataforma.mensagens.empty()) << c.nome;
        const auto sn = [](bool b) { return b ? "S" : "N"; };
        // Grids, buttons and the focus follow the file's kind; the bar ends full.
        EXPECT_EQ(
            j.lblTipoArquivo.tag() + "|" + j.lblTotalEtiquetas.legenda() + "|" +
                sn(j.sprPedidos.visivel()) + sn(j.vaVolume.visivel()) +
                sn(j.cmdAtualizaQtd.visivel()) + sn(j.cmdGerarTxt.visivel()) + "|" + j.foco() +
                "|" + std::to_string((c.preco ? j.sprPedidos : j.vaVolume).linhas()) + "|" +
                std::to_string(j.ProgressBar1.maximo()) + std::to_string(j.ProgressBar1.valor()),
            c.esperado);
        EXPECT_EQ(textoDoCaminho(j.CaminhoArquivoPedidos), caminho);
        EXPECT_EQ(j.StatusBar1.texto(),
                  c.preco ? "Selecione os Pedidos / Itens a serem impressas as Etiquetas e "
                            "informe a quantidade desejada..."
                          : "Selecione os Pedidos a serem impressas as Etiquetas e informe a "
                            "quantidade de caixas necessária para cada Volume...");
        EXPECT_FALSE(t.plataforma.ocupado());
    }
}

TEST(AbrirArquivoPedidos, SeletorDeTipoSegueAUltimaVarianteOuLoja) {
    AtributosPedido sku;
    sku.tipo = "99";
    sku.sku = "S";
    const auto sim = variante("A", {{"TipoEtiq", "5"}});
    const auto nao = variante("B", {{"TipoEtiq", "1"}});
    const auto precoCom = [](const AtributosPedido& a, const std::string& variantes) {
        return arquivoPreco(pedidoPreco(a, item("1", variantes)));
    };
    const auto volumeCom = [](auto lojas) { return arquivoVolume(pedidoVolume("P", "4", lojas)); };
    const char* interna = "Etiq.Interna|Etiq.Caixa|";
    const char* ilpn = "Etiqueta ILPN|Etiqueta Volume|";
    struct Caso {
        std::string bytes;
        std::string itens;  // "" when the chooser is hidden
    };
    for (const auto& c : std::vector<Caso>{
             {precoCom(sku, nao + sim), interna},
             {precoCom(sku, sim + nao), ""},
             {precoCom({}, sim), ""},  // type 1 is no SKU file
             {precoSimples({{"CodDepto", "565"}}), interna},
             {precoSimples({{"CodDepto", "0550"}}), ""},  // compared as text
             {volumeCom(loja("1", "False") + loja("2", "true")), ilpn},
             {volumeCom(loja("1", "True") + loja("2", "False")), ""},
             {volumeCom(loja("1", "1")), ilpn},
         }) {
        AplicacaoDeTeste t;
        t.abrir("a.xml", c.bytes);
        auto& j = t.janela();
        std::string itens;
        for (const auto& i : j.cbvTipoEtiq.itens()) itens += i.texto + "|";
        EXPECT_EQ(j.frmTipo.visivel() ? itens : "", c.itens) << c.bytes;
    }
}

TEST(AbrirArquivoPedidos, CodigoDeTipoNaoListadoDeixaALegenda) {
    AplicacaoDeTeste t;
    t.abrir("bom.xml", precoSimples());
    for (const char* codigo : {"01", "3"}) {  // "3" is a volume code
        AtributosPedido a;
        a.tipo = codigo;
        t.abrir(std::string("tipo") + codigo + ".xml", precoSimples({}, a));
        EXPECT_TRUE(t.plataforma.mensagens.empty()) << codigo;
        EXPECT_EQ(t.janela().lblTipoArquivo.legenda(), "Etiquetas de Preço (Cartolina)") << codigo;
        EXPECT_EQ(t.janela().TipoEtiquetaPedido, codigo == std::string("01") ? 1 : 3);
    }
}

TEST(AbrirArquivoPedidos, ArquivoRuimDepoisDeUmBomMantemOBomImprimivel) {
    const auto pedido = pedidoPreco({}, item("1", variante("A")));
    const auto v = digestoAtual();
    AtributosPedido tipoRuim, layoutRuim;
    tipoRuim.tipo = "abc";
    layoutRuim.layoutNovo = "talvez";
    const std::string risadas =
        "<?xml version=\"1.0\"?><!DOCTYPE Preco [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
        "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]><Preco>&c;"
        "</Preco>";
    const std::string externa =
        "<?xml version=\"1.0\"?><!DOCTYPE Preco [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
        "<Preco>&x;</Preco>";
    const std::string trocado = arquivoPreco(
        "<PedidoQuel Codigo=\"9\" IndicadorTipoSku=\"N\" Versao=\"" + v +
        "\" TipoEtiqueta=\"1\" LayoutNovo=\"False\">" + item("1", variante("A")) + "</PedidoQuel>");
    const std::string tresAtributos =
        arquivoPreco("<PedidoQuel Codigo=\"9\" T=\"1\" V=\"" + v + "\">" +
                     item("1", variante("A")) + "</PedidoQuel>");
    struct Caso {
        const char* nome;
        std::string bytes;
        // nullptr: not an order file; else read as one, its error telling these
        // '|'-separated parts.
        const char* diz;
    };
    {  // With nothing loaded before, the caption says the file was refused.
        AplicacaoDeTeste t;
        t.abrir("ruim.xml", "");
        EXPECT_EQ(t.janela().lblTipoArquivo.legenda(),
                  "O Arquivo selecionado acima não é válido para impressão de Etiquetas "
                  "Quelmonte !");
        EXPECT_EQ(t.janela().lblTipoArquivo.cor(), 255);
    }
    for (const auto& c : std::vector<Caso>{
             {"vazio", "", nullptr},
             {"binario", std::string("\x89PNG\r\n\x1A\n\0\0", 10), nullptr},
             {"mal formado", "<Preco><PedidoQuel>", nullptr},
             {"EBCDIC", "<?xml version=\"1.0\" encoding=\"EBCDIC-XYZ\"?><Preco/>", nullptr},
             {"UTF-8 ruim", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Preco>\xE7</Preco>",
              nullptr},
             {"raiz minuscula", documento("preco", pedido), nullptr},
             {"raiz sem filhos", arquivoPreco(""), nullptr},
             {"item sem variantes", arquivoPreco(pedidoPreco({}, item("1", ""))), nullptr},
             {"pedido sem lojas", arquivoVolume(pedidoVolume("P", "3", "")), nullptr},
             {"entidades em cascata", risadas, nullptr},
             {"entidade externa", externa, nullptr},
             {"sem declaracao", cp1252ParaUtf8("<Preco>" + pedido + "</Preco>"), ""},
             {"falta elemento", precoSimples({{"NomeForn", std::nullopt}}),
              "Pedido 4500000001|item 00010|variante V1|NomeForn"},
             {"etiquetas em texto", precoSimples({{"QuantidadeEtiqueta", "dez"}}),
              "QuantidadeEtiqueta|dez"},
             {"etiquetas 10.5", precoSimples({{"QuantidadeEtiqueta", "10.5"}}),
              "QuantidadeEtiqueta"},
             {"etiquetas negativas", precoSimples({{"QuantidadeEtiqueta", "-5"}}),
              "QuantidadeEtiqueta|-5"},
             {"etiquetas demais", precoSimples({{"QuantidadeEtiqueta", "99999999999"}}),
              "QuantidadeEtiqueta"},
             {"tipo em texto", precoSimples({}, tipoRuim), "tipo de etiqueta|abc"},
             {"layout em texto", precoSimples({}, layoutRuim), "layout novo|talvez"},
             // Attributes are read by position: here the type code would be "N".
             {"atributos em outra ordem", trocado, "Pedido 9"},
             {"tres atributos", tresAtributos, "Pedido 9|atributo nº 4"},
             {"item sem atributos",
              arquivoPreco(pedidoPreco({}, "<Item>" + variante("A") + "</Item>")),
              "atributo nº 1|código do item"},
             {"texto no pedido", arquivoPreco(pedidoPreco({}, item("1", variante("A")) + "solto")),
              "Pedido 4500000001|não é um elemento"},
             {"comentario no item",
              arquivoPreco(pedidoPreco({}, item("1", "<!-- x -->" + variante("A")))),
              "item 1|não é um elemento"},
             {"volume sem volumes", volumeDaLoja({{"DADOS_VOLUME", ""}}), "loja 7|DADOS_VOLUME"},
             {"volume sem total", volumeDaLoja({{"DADOS_VOLUME", "<V><x>1</x></V>"}}), "qtdeTotal"},
             {"pecas em texto", volumeDaLoja({{"QuantidadePeca", "muitas"}}),
              "QuantidadePeca|muitas"},
             {"loja sem CNPJ", volumeDaLoja({{"CNPJ", std::nullopt}}), "Pedido P|loja 7|CNPJ"},
             {"ILPN em texto", volumeDaLoja({}, loja("7", "talvez")), "ILPN|talvez"},
             {"loja sem ILPN", volumeDaLoja({}, "<Loja Codigo=\"8\"/>"), "atributo nº 2"},
         }) {
        AplicacaoDeTeste t;
        auto& j = t.janela();
        const auto bom = t.abrir("bom.xml", precoDeDuasVariantes());
        j.sprPedidos.clicarCaixa(2);
        const auto antes = retrato(j);
        const auto caminho = t.abrir("ruim.xml", c.bytes);
        ASSERT_FALSE(t.plataforma.mensagens.empty()) << c.nome;
        const auto& primeira = t.plataforma.mensagens.front();
        EXPECT_EQ(
            std::pair(primeira.titulo, primeira.icone),
            std::pair(std::string(c.diz ? "Erro !" : "Formato Não Reconhecido"), Icone::Critico))
            << c.nome << ": " << primeira.texto;
        std::istringstream partes(c.diz ? c.diz : "");
        for (std::string parte; std::getline(partes, parte, '|');)
            EXPECT_NE(primeira.texto.find(parte), std::string::npos)
                << c.nome << ": " << primeira.texto;
        const auto& ultima = t.plataforma.mensagens.back();
        EXPECT_EQ(ultima.titulo + ": " + ultima.texto,
                  "Formato Não Reconhecido: Arquivo " + caminho +
                      " não é um arquivo válido para impressão de etiquetas Quelmonte !")
            << c.nome;
        // Caption, status bar and path still name the file the grid shows.
        EXPECT_EQ(retrato(j), antes) << c.nome;
        EXPECT_TRUE(t.app().VerificarPedidoSelecionado()) << c.nome;
        EXPECT_EQ(j.lblCaminho.legenda(), caminho + "   |   Arquivo carregado: " + bom) << c.nome;
    }
}

TEST(AbrirArquivoPedidos, VersaoDeOutraCompilacaoMostraOQueVeioAntesEEncerra) {
    AtributosPedido velho;
    velho.digesto = CalcularMD5("0.9.0.1");
    struct Caso {
        const char* nome;
        std::string bytes;
        std::optional<Versao> versao;
        int linhasPreco, linhasVolume;
    };
    for (const auto& c : std::vector<Caso>{
             {"segundo pedido de preco",
              arquivoPreco(pedidoPreco({}, item("1", variante("A") + variante("B"))) +
                           pedidoPreco(velho, item("1", variante("C")))),
              std::nullopt, 2, 0},
             {"volume", arquivoVolume(pedidoVolume("P", "3", loja("1", "False"))), Versao{2, 0, 7},
              0, 0},
         }) {
        AplicacaoDeTeste t;
        if (c.versao) t.plataforma.definirVersao(*c.versao);
        EXPECT_THROW(t.app().AbrirArquivoPedidos(t.arquivo("v.xml", c.bytes)), AplicacaoEncerrada);
        ASSERT_EQ(t.plataforma.mensagens.size(), 1u) << c.nome;
        const auto& m = t.plataforma.mensagens[0];
        EXPECT_EQ(
            std::tuple(m.texto, m.titulo, m.icone, m.botoes),
            std::tuple(kVersaoVelha, t.plataforma.tituloAplicacao(), Icone::Nenhum, Botoes::Ok));
        const auto& j = t.janela();
        EXPECT_EQ(std::tuple(j.sprPedidos.linhas(), j.vaVolume.linhas(), j.sprPedidos.texto(2, 5)),
                  std::tuple(c.linhasPreco, c.linhasVolume, c.linhasPreco ? "B" : ""))
            << c.nome;
    }
}

TEST(CmdLocalizar, DialogoCancelamentoEPastaLembrada) {
    AplicacaoDeTeste t;
    auto& j = t.janela();
    const auto pastaApp = t.app().PastaAplicacao();
    std::filesystem::create_directory(pastaApp / "pedidos");
    t.plataforma.arquivoEscolhido = t.arquivo("pedidos/a.xml", precoSimples());
    t.app().cmdLocalizar();
    EXPECT_EQ(t.plataforma.dialogos,
              std::vector<std::string>{"Selecione um arquivo de etiquetas:"});
    // The first time in the application folder, where the samples are.
    EXPECT_EQ(t.plataforma.pastaDoDialogo, pastaApp.string());
    EXPECT_EQ(j.lblCaminho.legenda(), textoDoCaminho(t.plataforma.arquivoEscolhido));
    EXPECT_EQ(j.sprPedidos.linhas(), 1);

    // Cancelled with a file loaded: the path of the loaded file stays.
    const auto carregado = t.plataforma.arquivoEscolhido;
    t.plataforma.arquivoEscolhido.clear();
    t.app().cmdLocalizar();
    EXPECT_EQ(t.plataforma.pastaDoDialogo, (pastaApp / "pedidos").string());
    EXPECT_EQ(j.lblCaminho.legenda(), textoDoCaminho(carregado));
    EXPECT_EQ(j.sprPedidos.linhas(), 1);
    EXPECT_FALSE(t.plataforma.ocupado());

    // The folder outlives the window; once gone, the application folder again.
    Aplicacao outra(t.plataforma, pastaApp);
    outra.cmdLocalizar();
    EXPECT_EQ(t.plataforma.pastaDoDialogo, (pastaApp / "pedidos").string());
    EXPECT_EQ(outra.janela().lblCaminho.legenda(),
              "Para localizar o arquivo clique no Botão Localizar...");
    std::filesystem::remove_all(pastaApp / "pedidos");
    outra.cmdLocalizar();
    EXPECT_EQ(t.plataforma.pastaDoDialogo, pastaApp.string());

    // A folder name the settings' code page cannot hold still opens, named as the file system
    // names it, and the folder remembered before stays.
    const std::filesystem::path polaca = pastaApp / u8"Łódź";
    std::filesystem::create_directory(polaca);
    std::ofstream(polaca / "b.xml", std::ios::binary) << precoSimples();
    t.plataforma.arquivoEscolhido = polaca / "b.xml";
    outra.cmdLocalizar();
    EXPECT_EQ(outra.janela().CaminhoArquivoPedidos, polaca / "b.xml");
    EXPECT_EQ(outra.janela().sprPedidos.linhas(), 1);
    outra.cmdLocalizar();
    EXPECT_EQ(t.plataforma.pastaDoDialogo, pastaApp.string());
}
