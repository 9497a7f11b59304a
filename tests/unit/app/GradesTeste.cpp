#include <gtest/gtest.h>

#include <tuple>

#include "../orderfile/ModelosPedidos.h"
#include "AplicacaoDeTeste.h"
#include "app/FiltroGrade.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

// A price file of two rows whose file sequence is 100 to 150.
void abrirPreco(AplicacaoDeTeste& t, const Campos& mudancas = {}) {
    t.abrir("preco.xml", arquivoPreco(pedidoPreco(
                             {}, item("1", variante("A", mudancas) + variante("B", mudancas)))));
}

void abrirVolume(AplicacaoDeTeste& t, int lojas) {
    std::string corpo;
    for (int i = 1; i <= lojas; ++i) corpo += loja(std::to_string(i), "False");
    t.abrir("volume.xml", arquivoVolume(pedidoVolume("P", "4", corpo)));
}

}  // namespace

// Below or above the file's range is the window test's (TesteJanela).
TEST(Grades, ConferenciaDaSequenciaComSuasMensagensERestauracoes) {
    // Each refusal names the range of the file's row, 100 to 150.
    const std::string faixa = " Informe de 100 a 150.";
    const std::string inicialAteFinal =
        "Sequencia inicial precisa ser menor ou igual que sequencia final!" + faixa;
    const std::string inteiro = "Sequencia precisa ser um número inteiro!" + faixa;
    const char* doArquivo = "Sequencia indicada no arquivo de impressão não é um número inteiro!";
    struct Caso {
        const char* inicialDoArquivo;
        std::vector<std::pair<int, const char*>> edicoes;  // column, text
        std::string mensagem;                              // of the last edit; "": accepted
        const char* inicial;
        const char* final_;
    };
    const std::vector<Caso> casos{
        {"100", {{23, "140"}, {24, "130"}}, inicialAteFinal, "100", "150"},
        {"100", {{23, "120"}, {24, "130"}}, "", "120", "130"},
        {"100", {{23, "100"}, {24, "150"}}, "", "100", "150"},
        {"100", {{23, "120"}, {23, "abc"}}, inteiro, "120", "150"},
        {"100", {{24, "12.5"}}, inteiro, "100", "150"},
        {"100", {{24, "99999999999"}}, inteiro, "100", "150"},
        {"A1", {{24, "140"}}, doArquivo, "A1", "150"}};
    for (const auto& c : casos) {
        AplicacaoDeTeste t;
        abrirPreco(t, {{"SequenciaInicial", c.inicialDoArquivo}});
        auto& g = t.janela().sprPedidos;
        for (const auto& [coluna, texto] : c.edicoes) {
            t.plataforma.mensagens.clear();
            g.editarPeloUsuario(1, coluna, texto);
        }
        const std::string caso = c.edicoes.back().second;
        if (!c.mensagem.empty()) {
            ASSERT_EQ(t.plataforma.mensagens.size(), 1u) << caso;
            const auto& m = t.plataforma.mensagens[0];
            EXPECT_EQ(std::tuple(m.texto, m.icone, m.titulo),
                      std::tuple(c.mensagem, Icone::Nenhum, t.plataforma.tituloAplicacao()))
                << caso;
        } else {
            EXPECT_TRUE(t.plataforma.mensagens.empty()) << caso;
        }
        EXPECT_EQ(std::tuple(g.texto(1, 23), g.texto(1, 24), g.texto(1, 28), g.texto(2, 23)),
                  std::tuple(c.inicial, c.final_, c.inicialDoArquivo, c.inicialDoArquivo))
            << caso;
    }
}

TEST(Grades, AtualizaQtdVoltaAsSequenciasDoArquivo) {
    AplicacaoDeTeste t;
    abrirPreco(t);
    auto& g = t.janela().sprPedidos;
    g.editarPeloUsuario(1, 23, "120");
    g.editarPeloUsuario(2, 24, "140");
    g.clicarCaixa(2);
    t.app().cmdAtualizaQtd();
    for (int l : {1, 2}) EXPECT_EQ(g.texto(l, 23) + "-" + g.texto(l, 24), "100-150") << l;
    EXPECT_EQ(t.janela().StatusBar1.texto(), "Fim da Atualização da Qtd. de Peças.");
}

// A count that is not a whole number is refused and the cell keeps its value.
TEST(Grades, CaixaDeVolumeComoNumeroOuRecusada) {
    AplicacaoDeTeste t;
    abrirVolume(t, 1);
    auto& g = t.janela().vaVolume;
    const std::string recusa = "Qtd. de Caixas precisa ser um número inteiro de 0 a 32767!";
    const std::vector<std::tuple<const char*, const char*, bool>> casos{
        {"3", "3", false},    {" 12 ", "12", false}, {"007", "7", false},      {"0", "0", false},
        {"tres", "0", true},  {"abc", "0", true},    {"2,5", "0", true},       {"-1", "0", true},
        {"32768", "0", true}, {"", "0", true},       {"32767", "32767", false}};
    for (auto [digitado, esperado, recusado] : casos) {
        t.plataforma.mensagens.clear();
        g.editarPeloUsuario(1, 10, digitado);
        EXPECT_EQ(g.texto(1, 10), esperado) << digitado;
        ASSERT_EQ(t.plataforma.mensagens.size(), recusado ? 1u : 0u) << digitado;
        if (recusado) {
            EXPECT_EQ(t.plataforma.mensagens[0].texto, recusa);
        }
    }
    g.editarPeloUsuario(1, 9, "7");  // other columns are not formatted
    EXPECT_EQ(g.texto(1, 9), "7");
}

TEST(Grades, SelecionaTodosPedeDuasLinhasNumaDasGrades) {
    AplicacaoDeTeste t;
    t.abrir("um.xml", precoSimples());
    t.app().cmdSelTodos();
    EXPECT_EQ(t.janela().sprPedidos.texto(1, 1), "0");
    t.app().SelecionarTodasLinhas();
    EXPECT_EQ(t.janela().sprPedidos.texto(1, 1), "1");
    AplicacaoDeTeste u;  // two rows left in the hidden volume grid are enough
    abrirVolume(u, 2);
    u.abrir("um.xml", precoSimples());
    u.app().cmdSelTodos();
    EXPECT_EQ(u.janela().sprPedidos.texto(1, 1) + u.janela().vaVolume.texto(1, 1), "10");
}

TEST(Grades, VerificarPedidoSelecionado) {
    for (bool volume : {false, true}) {
        AplicacaoDeTeste t;
        auto& j = t.janela();
        EXPECT_FALSE(t.app().VerificarPedidoSelecionado());  // no file: no message
        EXPECT_TRUE(t.plataforma.mensagens.empty());
        volume ? abrirVolume(t, 2) : abrirPreco(t);
        j.cmdImprimir.definirHabilitado(false);
        j.cmdSair.definirHabilitado(false);
        j.focar("cmdImprimir");
        EXPECT_FALSE(t.app().VerificarPedidoSelecionado());
        ASSERT_EQ(t.plataforma.mensagens.size(), 1u);
        const auto& m = t.plataforma.mensagens[0];
        EXPECT_EQ(std::tuple(m.texto, m.titulo, m.icone),
                  std::tuple(std::string("Não foi selecionado nenhum Pedido para ser impressa a "
                                         "Etiqueta de ") +
                                 (volume ? "Volume !" : "Preço !"),
                             "Impressão", Icone::Critico));
        EXPECT_TRUE(j.cmdImprimir.habilitado() && j.cmdSair.habilitado());
        EXPECT_EQ(j.foco(), volume ? "vaVolume" : "sprPedidos");
        EXPECT_FALSE(t.plataforma.ocupado());
        (volume ? j.vaVolume : j.sprPedidos).clicarCaixa(2);
        EXPECT_TRUE(t.app().VerificarPedidoSelecionado());
        EXPECT_TRUE(t.plataforma.ocupado());  // the caller resets it
    }
}

// The TXT command gives the cursor back whether a file was written or not.
TEST(GerarTxt, CursorLivreDepoisDoComando) {
    for (const std::string tipo : {"1", "5", "99"}) {
        AtributosPedido a;
        a.tipo = tipo;
        AplicacaoDeTeste t;
        t.abrir("p.xml", arquivoPreco(pedidoPreco(a, item("00010", variante("V1"))),
                                      " AutorizadoGerarTXT=\"True\""));
        t.janela().sprPedidos.clicarCaixa(1);
        t.plataforma.mensagens.clear();
        t.janela().cmdGerarTxt.clicar();
        ASSERT_EQ(t.plataforma.mensagens.size(), tipo == "1" ? 1u : 0u) << tipo;
        for (const auto& m : t.plataforma.mensagens) EXPECT_EQ(m.icone, Icone::Nenhum);
        EXPECT_FALSE(t.plataforma.ocupado()) << tipo;
    }
}

// Typed and erased: case and accents ignored, the same rows as typed afresh.
TEST(Grades, FiltroAoDigitarEApagar) {
    Grade g("sprPedidos", {{"Pedido"}, {"Item"}, {"Descricao"}});
    g.definirLinhas(3);
    // Octal escapes: a hex one would swallow the letter after it.
    const char* celulas[3][3]{
        {"4500099", "10", "BLUSA \307\303O"}, {"4500100", "20", "cal\347a"}, {"99", "1", "Saia"}};
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c) g.definirTexto(l + 1, c + 1, celulas[l][c]);
    FiltroGrade filtro(g, {1, 3});
    const auto aceitas = [&](const std::string& texto) {
        filtro.definirTexto(texto);
        std::string r;
        for (int l = 1; l <= 3; ++l) r += filtro.aceita(l) ? '1' : '0';
        return r;
    };
    const std::vector<std::pair<std::string, std::string>> casos{
        {"45", "110"}, {"4500099", "100"}, {"450", "110"}, {" \307A ", "010"},
        {"10", "010"}, {"", "111"},        {"SAIA", "001"}};
    for (const auto& [texto, esperado] : casos) EXPECT_EQ(aceitas(texto), esperado) << texto;
    g.definirTexto(3, 1, "4512");
    filtro.invalidar();
    EXPECT_EQ(aceitas("45"), "111");
}
