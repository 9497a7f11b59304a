#include <gtest/gtest.h>

#include "../orderfile/ModelosPedidos.h"
#include "AplicacaoDeTeste.h"

using namespace etiquetas;
using namespace etiquetas::teste;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> arquivosTxt(const fs::path& pasta) {
    std::vector<fs::path> r;
    for (const auto& e : fs::directory_iterator(pasta))
        if (e.path().extension() == ".txt" || e.path().extension() == ".tmp~")
            r.push_back(e.path());
    return r;
}

std::string autorizado() {
    return " AutorizadoGerarTXT=\"True\"";
}

}  // namespace

TEST(GerarTxt, ArquivoGeradoAnunciaONomeNumaCaixaSemIcone) {
    AplicacaoDeTeste t;
    const auto caminho = t.abrir(
        "p.xml", arquivoPreco(pedidoPreco({}, item("00010", variante("V1"))), autorizado()));
    const fs::path pasta = fs::path(caminho).parent_path();
    t.janela().sprPedidos.clicarCaixa(1);
    t.plataforma.mensagens.clear();
    t.plataforma.relogioFixo = std::chrono::system_clock::now();

    t.janela().cmdGerarTxt.clicar();

    const auto txt = arquivosTxt(pasta);
    ASSERT_EQ(txt.size(), 1u);
    ASSERT_EQ(t.plataforma.mensagens.size(), 1u);
    const auto& m = t.plataforma.mensagens[0];
    EXPECT_EQ(m.texto, "Arquivo gerado com sucesso!\nNome: " + txt[0].string());
    EXPECT_EQ(m.titulo, t.plataforma.tituloAplicacao());
    EXPECT_EQ(m.icone, Icone::Nenhum);
    EXPECT_EQ(m.botoes, Botoes::Ok);
    EXPECT_FALSE(t.plataforma.ocupado());
}

TEST(GerarTxt, SemArquivoNemMensagemDeSucesso) {
    struct Caso {
        const char* nome;
        std::string tipo;
        bool marcar;
        bool celulaRuim;
        std::size_t mensagens;
        Icone icone;
    };
    for (const auto& c :
         std::vector<Caso>{{"tipo sem exportacao", "5", true, false, 0, Icone::Nenhum},
                           {"tipo interno", "99", true, false, 0, Icone::Nenhum},
                           {"nada marcado", "1", false, false, 1, Icone::Critico},
                           {"celula sem numero", "2", true, true, 1, Icone::Critico}}) {
        AtributosPedido a;
        a.tipo = c.tipo;
        AplicacaoDeTeste t;
        const auto caminho = t.abrir(
            "p.xml", arquivoPreco(pedidoPreco(a, item("00010", variante("V1"))), autorizado()));
        if (c.marcar) t.janela().sprPedidos.clicarCaixa(1);
        if (c.celulaRuim) t.janela().sprPedidos.definirTexto(1, 24, "1O0");
        t.plataforma.mensagens.clear();

        t.app().cmdGerarTxt();

        EXPECT_TRUE(arquivosTxt(fs::path(caminho).parent_path()).empty()) << c.nome;
        ASSERT_EQ(t.plataforma.mensagens.size(), c.mensagens) << c.nome;
        if (c.mensagens) {
            EXPECT_EQ(t.plataforma.mensagens[0].icone, c.icone) << c.nome;
        }
        EXPECT_FALSE(t.plataforma.ocupado()) << c.nome;
    }
}
