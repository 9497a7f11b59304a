#include <gtest/gtest.h>

#include "../orderfile/ModelosPedidos.h"
#include "AplicacaoDeTeste.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

constexpr const char* kMaiorOuIgual =
    "Sequencia inicial precisa ser maior ou igual que a indicada no arquivo de impressão!";
constexpr const char* kMenorOuIgual =
    "Sequencia final precisa ser menor ou igual que a indicada no arquivo de impressão!";
constexpr const char* kInicialAteFinal =
    "Sequencia inicial precisa ser menor ou igual que sequencia final!";
constexpr const char* kInteiro = "Sequencia precisa ser um número inteiro!";

// A price file of two rows whose file sequence is 100 to 150.
void abrirPreco(AplicacaoDeTeste& t) {
    t.abrir("preco.xml", arquivoPreco(pedidoPreco({}, item("1", variante("A") + variante("B")))));
}

void abrirVolume(AplicacaoDeTeste& t, int lojas) {
    std::string corpo;
    for (int i = 1; i <= lojas; ++i) corpo += loja(std::to_string(i), "False");
    t.abrir("volume.xml", arquivoVolume(pedidoVolume("P", "4", corpo)));
}

}  // namespace

TEST(Grades, ConferenciaDaSequenciaComSuasMensagensERestauracoes) {
    struct Edicao {
        int coluna;
        const char* texto;
    };
    struct Caso {
        std::vector<Edicao> edicoes;
        const char* mensagem;  // of the last edit; nullptr: accepted
        const char* inicial;
        const char* final_;
    };
    for (const auto& c : std::vector<Caso>{
             {{{23, "90"}}, kMaiorOuIgual, "100", "150"},
             {{{24, "160"}}, kMenorOuIgual, "100", "150"},
             {{{23, "140"}, {24, "130"}}, kInicialAteFinal, "100", "150"},
             {{{23, "120"}, {24, "130"}}, nullptr, "120", "130"},
             {{{23, "100"}, {24, "150"}}, nullptr, "100", "150"},
             {{{23, "120"}, {23, "abc"}}, kInteiro, "120", "150"},
             {{{24, "12.5"}}, kInteiro, "100", "150"},
             {{{24, "99999999999"}}, kInteiro, "100", "150"},
         }) {
        AplicacaoDeTeste t;
        abrirPreco(t);
        auto& g = t.janela().sprPedidos;
        for (const auto& e : c.edicoes) {
            t.plataforma.mensagens.clear();
            g.editarPeloUsuario(1, e.coluna, e.texto);
        }
        const std::string caso = c.edicoes.back().texto;
        if (c.mensagem) {
            ASSERT_EQ(t.plataforma.mensagens.size(), 1u) << caso;
            EXPECT_EQ(t.plataforma.mensagens[0].texto, c.mensagem) << caso;
            EXPECT_EQ(t.plataforma.mensagens[0].icone, Icone::Nenhum) << caso;
            EXPECT_EQ(t.plataforma.mensagens[0].titulo, t.plataforma.tituloAplicacao()) << caso;
        } else {
            EXPECT_TRUE(t.plataforma.mensagens.empty()) << caso;
        }
        EXPECT_EQ(g.texto(1, 23), c.inicial) << caso;
        EXPECT_EQ(g.texto(1, 24), c.final_) << caso;
        EXPECT_EQ(g.texto(1, 28), "100") << caso;
        EXPECT_EQ(g.texto(2, 23), "100") << caso;
    }
}

TEST(Grades, SequenciaDoArquivoQueNaoEInteiraRecusaAEdicao) {
    AplicacaoDeTeste t;
    t.abrir("p.xml", precoSimples({{"SequenciaInicial", "A1"}}));
    auto& g = t.janela().sprPedidos;
    g.editarPeloUsuario(1, 24, "140");
    ASSERT_EQ(t.plataforma.mensagens.size(), 1u);
    EXPECT_EQ(g.texto(1, 24), "150");
    EXPECT_EQ(g.texto(1, 23), "A1");
}

TEST(Grades, AtualizaQtdVoltaAsSequenciasDoArquivo) {
    AplicacaoDeTeste t;
    abrirPreco(t);
    auto& g = t.janela().sprPedidos;
    g.editarPeloUsuario(1, 23, "120");
    g.editarPeloUsuario(2, 24, "140");
    g.clicarCaixa(2);
    t.app().cmdAtualizaQtd();
    for (int l : {1, 2}) {
        EXPECT_EQ(g.texto(l, 23), "100");
        EXPECT_EQ(g.texto(l, 24), "150");
    }
    EXPECT_EQ(t.janela().StatusBar1.texto(), "Fim da Atualização da Qtd. de Peças.");
}

TEST(Grades, CaixaDeVolumeFormatadaComOitoDigitos) {
    AplicacaoDeTeste t;
    abrirVolume(t, 1);
    auto& g = t.janela().vaVolume;
    EXPECT_EQ(g.texto(1, 10), "2");
    for (auto [digitado, esperado] : std::vector<std::pair<const char*, const char*>>{
             {"3", "00000003"}, {" 12 ", "00000012"}, {"tres", "tres"}}) {
        g.editarPeloUsuario(1, 10, digitado);
        EXPECT_EQ(g.texto(1, 10), esperado) << digitado;
    }
    g.editarPeloUsuario(1, 9, "7");  // other columns are not formatted
    EXPECT_EQ(g.texto(1, 9), "7");
}

TEST(Grades, CaixaDaLinhaInverteODestaque) {
    AplicacaoDeTeste t;
    abrirPreco(t);
    auto& g = t.janela().sprPedidos;
    g.clicarCaixa(1);
    EXPECT_EQ(g.texto(1, 1), "1");
    EXPECT_TRUE(g.negrito(1));
    EXPECT_EQ(g.tamanhoFonte(1), 9);
    EXPECT_FALSE(g.negrito(2));
    g.clicarCaixa(1);
    EXPECT_EQ(g.texto(1, 1), "0");
    EXPECT_FALSE(g.negrito(1));
    EXPECT_EQ(g.tamanhoFonte(1), 8);
}

TEST(Grades, SelecionaEDesmarcaTodosNaGradeDoArquivo) {
    AplicacaoDeTeste t;
    abrirVolume(t, 3);
    auto& g = t.janela().vaVolume;
    g.clicarCaixa(2);  // bold, 9 points
    t.app().cmdSelTodos();
    for (int l = 1; l <= 3; ++l) {
        EXPECT_EQ(g.texto(l, 1), "1");
        EXPECT_TRUE(g.negrito(l));
    }
    EXPECT_EQ(g.tamanhoFonte(2), 9);
    EXPECT_EQ(g.tamanhoFonte(1), 8);  // unchanged
    t.app().cmdDesmarcaTodos();
    for (int l = 1; l <= 3; ++l) {
        EXPECT_EQ(g.texto(l, 1), "0");
        EXPECT_FALSE(g.negrito(l));
        EXPECT_EQ(g.tamanhoFonte(l), 8);
    }
    EXPECT_EQ(t.janela().sprPedidos.linhas(), 0);
}

TEST(Grades, SelecionaTodosPedeDuasLinhasNumaDasGrades) {
    AplicacaoDeTeste t;
    t.abrir("um.xml", precoSimples());
    auto& g = t.janela().sprPedidos;
    t.app().cmdSelTodos();
    EXPECT_EQ(g.texto(1, 1), "0");
    t.app().SelecionarTodasLinhas();
    EXPECT_EQ(g.texto(1, 1), "1");

    AplicacaoDeTeste u;  // two rows left in the hidden volume grid are enough
    abrirVolume(u, 2);
    u.abrir("um.xml", precoSimples());
    u.app().cmdSelTodos();
    EXPECT_EQ(u.janela().sprPedidos.texto(1, 1), "1");
    EXPECT_EQ(u.janela().vaVolume.texto(1, 1), "0");
}

TEST(Grades, VerificarPedidoSelecionado) {
    struct Caso {
        bool volume;
        const char* mensagem;
    };
    for (const auto& c : std::vector<Caso>{
             {false, "Não foi selecionado nenhum Pedido para ser impressa a Etiqueta de Preço !"},
             {true, "Não foi selecionado nenhum Pedido para ser impressa a Etiqueta de Volume !"},
         }) {
        AplicacaoDeTeste t;
        auto& j = t.janela();
        EXPECT_FALSE(t.app().VerificarPedidoSelecionado());  // no file: no message
        EXPECT_TRUE(t.plataforma.mensagens.empty());
        c.volume ? abrirVolume(t, 2) : abrirPreco(t);
        j.cmdImprimir.definirHabilitado(false);
        j.cmdSair.definirHabilitado(false);
        j.focar("cmdImprimir");
        EXPECT_FALSE(t.app().VerificarPedidoSelecionado());
        ASSERT_EQ(t.plataforma.mensagens.size(), 1u);
        EXPECT_EQ(t.plataforma.mensagens[0].texto, c.mensagem);
        EXPECT_EQ(t.plataforma.mensagens[0].titulo, "Impressão");
        EXPECT_EQ(t.plataforma.mensagens[0].icone, Icone::Critico);
        EXPECT_TRUE(j.cmdImprimir.habilitado());
        EXPECT_TRUE(j.cmdSair.habilitado());
        EXPECT_EQ(j.foco(), c.volume ? "vaVolume" : "sprPedidos");
        EXPECT_FALSE(t.plataforma.ocupado());
        (c.volume ? j.vaVolume : j.sprPedidos).clicarCaixa(2);
        EXPECT_TRUE(t.app().VerificarPedidoSelecionado());
        EXPECT_TRUE(t.plataforma.ocupado());  // the caller resets it
    }
}
