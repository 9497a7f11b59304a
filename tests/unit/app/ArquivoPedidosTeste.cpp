#include <gtest/gtest.h>

#include "../orderfile/ModelosPedidos.h"
#include "AplicacaoDeTeste.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

const char* kRejeicao =
    "O Arquivo selecionado acima não é válido para impressão de Etiquetas Quelmonte !";

// What the window shows of the loaded file, to compare before and after.
struct Retrato {
    std::string tipo, tag, pedidos, itens, variantes, total, descricao, caminho, rotulo2;
    int linhasPreco, linhasVolume;
    std::string celula;
    const void* documento;
    short tipoEtiqueta;
    bool precoVisivel;
    bool operator==(const Retrato&) const = default;
};

Retrato retratar(JanelaPrincipal& j) {
    return {
        j.lblTipoArquivo.legenda(), j.lblTipoArquivo.tag(),        j.lblTotalPedidos.legenda(),
        j.lblTotalitens.legenda(),  j.lblTotalVariantes.legenda(), j.lblTotalEtiquetas.legenda(),
        j.lblDescImp.legenda(),     j.CaminhoArquivoPedidos,       j.Label2.legenda(),
        j.sprPedidos.linhas(),      j.vaVolume.linhas(),           j.sprPedidos.texto(1, 5),
        j.DocumentoPedidos.get(),   j.TipoEtiquetaPedido,          j.sprPedidos.visivel()};
}

std::string precoDeDuasVariantes() {
    return arquivoPreco(pedidoPreco({}, item("00010", variante("A") + variante("B"))));
}

}  // namespace

TEST(AbrirArquivoPedidos, ArquivoDePrecoPreencheInformacoesGradeEEstado) {
    AplicacaoDeTeste t;
    auto& j = t.janela();
    const auto caminho = t.abrir("preco.xml", precoDeDuasVariantes());
    EXPECT_TRUE(t.plataforma.mensagens.empty());
    EXPECT_EQ(j.lblTipoArquivo.legenda(), "Etiquetas de Preço (Cartolina)");
    EXPECT_EQ(j.lblTipoArquivo.tag(), "1");
    EXPECT_EQ(j.lblTotalPedidos.legenda(), "000001");
    EXPECT_EQ(j.lblTotalitens.legenda(), "000001");
    EXPECT_EQ(j.lblTotalVariantes.legenda(), "000002");
    EXPECT_EQ(j.Label2.legenda(), "Total de Itens :");
    EXPECT_EQ(j.lblTotalEtiquetas.legenda(), "00000020");
    EXPECT_EQ(j.lblDescImp.legenda(), "Total de Etiquetas a Imprimir:");
    EXPECT_TRUE(j.lblTotalEtiquetas.visivel());
    EXPECT_EQ(j.CaminhoArquivoPedidos, caminho);
    ASSERT_TRUE(j.DocumentoPedidos);
    EXPECT_EQ(j.sprPedidos.linhas(), 2);
    EXPECT_EQ(j.sprPedidos.texto(2, 5), "B");
    EXPECT_EQ(j.sprPedidos.texto(1, 1), "0");
    EXPECT_TRUE(j.sprPedidos.visivel());
    EXPECT_FALSE(j.vaVolume.visivel());
    EXPECT_TRUE(j.cmdAtualizaQtd.visivel());
    EXPECT_FALSE(j.cmdGerarTxt.visivel());
    EXPECT_FALSE(j.frameBarra.visivel());
    EXPECT_EQ(j.ProgressBar1.maximo(), 4);
    EXPECT_EQ(j.ProgressBar1.valor(), 4);
    EXPECT_EQ(j.foco(), "sprPedidos");
    EXPECT_EQ(j.StatusBar1.texto(),
              "Selecione os Pedidos / Itens a serem impressas as Etiquetas e informe a "
              "quantidade desejada...");
    EXPECT_EQ(j.TipoEtiquetaPedido, 1);
    EXPECT_FALSE(t.plataforma.ocupado());
}

TEST(AbrirArquivoPedidos, ArquivoDeVolumePreencheSuaGradeEEscondeADePreco) {
    AplicacaoDeTeste t;
    auto& j = t.janela();
    t.abrir("preco.xml", precoDeDuasVariantes());
    t.abrir("volume.xml",
            arquivoVolume(pedidoVolume("P1", "4",
                                       loja("1", "True", {{"QuantidadePeca", "10.7"}}) +
                                           loja("2", "False", {{"QuantidadePeca", "5"}})),
                          " AutorizadoGerarTXT=\"True\""));
    EXPECT_TRUE(t.plataforma.mensagens.empty());
    EXPECT_EQ(j.lblTipoArquivo.legenda(), "Etiquetas de Volume(Padrão)");
    EXPECT_EQ(j.lblTipoArquivo.tag(), "2");
    EXPECT_EQ(j.lblTotalitens.legenda(), "000002");
    EXPECT_EQ(j.lblTotalVariantes.legenda(), "000000");
    EXPECT_EQ(j.Label2.legenda(), "Total de Lojas :");
    EXPECT_EQ(j.lblTotalEtiquetas.legenda(), "00000015");
    EXPECT_EQ(j.lblDescImp.legenda(), "Total de Peças dos Volumes :");
    EXPECT_EQ(j.vaVolume.linhas(), 2);
    EXPECT_EQ(j.sprPedidos.linhas(), 2);  // kept, hidden
    EXPECT_TRUE(j.vaVolume.visivel());
    EXPECT_FALSE(j.sprPedidos.visivel());
    EXPECT_FALSE(j.cmdAtualizaQtd.visivel());
    EXPECT_TRUE(j.cmdGerarTxt.visivel());
    EXPECT_FALSE(j.frmTipo.visivel());  // the last store has no ILPN
    EXPECT_EQ(j.foco(), "vaVolume");
}

TEST(AbrirArquivoPedidos, SeletorDeTipoMostraAsOpcoesDoArquivo) {
    AplicacaoDeTeste t;
    auto& j = t.janela();
    t.abrir("ilpn.xml", arquivoVolume(pedidoVolume("P1", "4", loja("1", "True"))));
    EXPECT_TRUE(j.frmTipo.visivel());
    ASSERT_EQ(j.cbvTipoEtiq.contagem(), 2);
    EXPECT_EQ(j.cbvTipoEtiq.itens()[0].texto, "Etiqueta ILPN");
    EXPECT_EQ(j.cbvTipoEtiq.itens()[1].texto, "Etiqueta Volume");
    t.abrir("depto.xml", precoSimples({{"CodDepto", "550"}}));
    EXPECT_TRUE(j.frmTipo.visivel());
    EXPECT_EQ(j.cbvTipoEtiq.itens()[0].texto, "Etiq.Interna");
    t.abrir("comum.xml", precoSimples());
    EXPECT_FALSE(j.frmTipo.visivel());
}

TEST(AbrirArquivoPedidos, CodigoDeTipoNaoListadoDeixaALegenda) {
    AplicacaoDeTeste t;
    auto& j = t.janela();
    t.abrir("bom.xml", precoSimples());
    for (const char* codigo : {"01", "3"}) {
        AtributosPedido a;
        a.tipo = codigo;
        t.abrir(std::string("tipo") + codigo + ".xml", precoSimples({}, a));
        EXPECT_TRUE(t.plataforma.mensagens.empty()) << codigo;
        EXPECT_EQ(j.lblTipoArquivo.legenda(), "Etiquetas de Preço (Cartolina)") << codigo;
        EXPECT_EQ(j.TipoEtiquetaPedido, codigo == std::string("01") ? 1 : 3);
    }
}

TEST(AbrirArquivoPedidos, ArquivoRuimDepoisDeUmBomMantemOBomImprimivel) {
    const std::string bom = precoDeDuasVariantes();
    const auto pedido = pedidoPreco({}, item("1", variante("A")));
    // Attributes in another order are read by position: the type code is "N".
    const std::string trocado = arquivoPreco(
        "<PedidoQuel Codigo=\"9\" IndicadorTipoSku=\"N\" Versao=\"" + digestoAtual() +
        "\" TipoEtiqueta=\"1\" LayoutNovo=\"False\">" + item("1", variante("A")) + "</PedidoQuel>");
    struct Caso {
        const char* nome;
        std::string bytes;
        std::string tituloPrimeiraMensagem;
    };
    for (const auto& c : std::vector<Caso>{
             {"vazio", "", "Formato Não Reconhecido"},
             {"binario", std::string("\x89PNG\r\n\x1A\n\0\0", 10), "Formato Não Reconhecido"},
             {"mal formado", "<Preco><PedidoQuel>", "Formato Não Reconhecido"},
             {"raiz minuscula", documento("preco", pedido), "Formato Não Reconhecido"},
             {"raiz sem filhos", arquivoPreco(""), "Formato Não Reconhecido"},
             {"sem variantes", arquivoPreco(pedidoPreco({}, item("1", ""))),
              "Formato Não Reconhecido"},
             {"sem declaracao", cp1252ParaUtf8("<Preco>" + pedido + "</Preco>"), "Erro !"},
             {"dtd com entidades",
              "<?xml version=\"1.0\"?><!DOCTYPE Preco [<!ENTITY a \"aaaa\"><!ENTITY b "
              "\"&a;&a;&a;&a;\">]><Preco>&b;</Preco>",
              "Formato Não Reconhecido"},
             {"entidade externa",
              "<?xml version=\"1.0\"?><!DOCTYPE Preco [<!ENTITY x SYSTEM "
              "\"file:///etc/passwd\">]><Preco>&x;</Preco>",
              "Formato Não Reconhecido"},
             {"falta elemento", precoSimples({{"CodigoBarra", std::nullopt}}), "Erro !"},
             {"quantidade nao numerica", precoSimples({{"QuantidadeEtiqueta", "x"}}), "Erro !"},
             {"atributos em outra ordem", trocado, "Erro !"},
             {"pedido com tres atributos",
              arquivoPreco("<PedidoQuel Codigo=\"9\" TipoEtiqueta=\"1\" Versao=\"" +
                           digestoAtual() + "\">" + item("1", variante("A")) + "</PedidoQuel>"),
              "Erro !"},
             {"filho que nao e elemento",
              arquivoPreco(pedidoPreco({}, item("1", variante("A")) + "<!-- nota -->")), "Erro !"},
             {"volume sem volumes",
              arquivoVolume(pedidoVolume("P", "4", loja("1", "False", {{"DADOS_VOLUME", ""}}))),
              "Erro !"},
             {"volume pecas nao numericas",
              arquivoVolume(pedidoVolume("P", "4", loja("1", "False", {{"QuantidadePeca", "?"}}))),
              "Erro !"},
         }) {
        AplicacaoDeTeste t;
        auto& j = t.janela();
        t.abrir("bom.xml", bom);
        t.janela().sprPedidos.clicarCaixa(2);
        const Retrato antes = retratar(j);
        const auto caminho = t.abrir("ruim.xml", c.bytes);
        ASSERT_FALSE(t.plataforma.mensagens.empty()) << c.nome;
        const auto& primeira = t.plataforma.mensagens.front();
        EXPECT_EQ(primeira.titulo, c.tituloPrimeiraMensagem) << c.nome;
        EXPECT_EQ(primeira.icone, Icone::Critico) << c.nome;
        const auto& ultima = t.plataforma.mensagens.back();
        EXPECT_EQ(ultima.titulo, "Formato Não Reconhecido") << c.nome;
        EXPECT_EQ(ultima.texto, "Arquivo " + caminho +
                                    " não é um arquivo válido para impressão de etiquetas "
                                    "Quelmonte !")
            << c.nome;
        EXPECT_EQ(j.lblTipoArquivo.legenda(), kRejeicao) << c.nome;
        EXPECT_EQ(j.lblTipoArquivo.cor(), 255) << c.nome;
        Retrato depois = retratar(j);
        depois.tipo = antes.tipo;
        EXPECT_TRUE(depois == antes) << c.nome;
        EXPECT_EQ(j.sprPedidos.texto(2, 1), "1") << c.nome;
        EXPECT_TRUE(t.app().VerificarPedidoSelecionado()) << c.nome;
    }
}

TEST(AbrirArquivoPedidos, VersaoErradaNoSegundoPedidoDePrecoMostraOPrimeiroEEncerra) {
    AplicacaoDeTeste t;
    auto& j = t.janela();
    AtributosPedido velho;
    velho.digesto = CalcularMD5("0.9.0.1");
    const auto caminho = t.arquivo(
        "velho.xml", arquivoPreco(pedidoPreco({}, item("1", variante("A") + variante("B"))) +
                                  pedidoPreco(velho, item("1", variante("C")))));
    EXPECT_THROW(t.app().AbrirArquivoPedidos(caminho), AplicacaoEncerrada);
    ASSERT_EQ(t.plataforma.mensagens.size(), 1u);
    const auto& m = t.plataforma.mensagens[0];
    EXPECT_EQ(m.texto,
              "Versão desatualizada para efetuar a impressão deste arquivo ! Acesse o Portal de "
              "Fornecedores e efetue o DOWNLOAD da nova versão do aplicativo de Etiquetas.\rO "
              "Programa será encerrado !\r\n");
    EXPECT_EQ(m.titulo, t.plataforma.tituloAplicacao());
    EXPECT_EQ(m.icone, Icone::Nenhum);
    EXPECT_EQ(m.botoes, Botoes::Ok);
    EXPECT_EQ(j.sprPedidos.linhas(), 2);
    EXPECT_EQ(j.sprPedidos.texto(2, 5), "B");
}

TEST(AbrirArquivoPedidos, VersaoDeOutraCompilacaoEncerraMesmoNoVolume) {
    AplicacaoDeTeste t;
    t.plataforma.definirVersao(Versao{2, 0, 7});
    const auto caminho =
        t.arquivo("volume.xml", arquivoVolume(pedidoVolume("P", "3", loja("1", "False"))));
    EXPECT_THROW(t.app().AbrirArquivoPedidos(caminho), AplicacaoEncerrada);
    EXPECT_EQ(t.janela().vaVolume.linhas(), 0);
}

TEST(CmdLocalizar, DialogoECancelamento) {
    AplicacaoDeTeste t;
    auto& j = t.janela();
    t.plataforma.arquivoEscolhido = t.arquivo("a.xml", precoSimples());
    t.app().cmdLocalizar();
    ASSERT_EQ(t.plataforma.dialogos.size(), 1u);
    EXPECT_EQ(t.plataforma.dialogos[0], "Selecione um arquivo de etiquetas:");
    EXPECT_EQ(j.lblCaminho.legenda(), t.plataforma.arquivoEscolhido);
    EXPECT_EQ(j.sprPedidos.linhas(), 1);
    t.plataforma.arquivoEscolhido.clear();
    t.app().cmdLocalizar();
    EXPECT_EQ(j.lblCaminho.legenda(), "Para localizar o arquivo clique no Botão Localizar...");
    EXPECT_EQ(j.sprPedidos.linhas(), 1);
    EXPECT_FALSE(t.plataforma.ocupado());
}
