// How a print run ends, and that order data never becomes printer commands.

#include <gtest/gtest.h>

#include <optional>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

const Lista kLpt1{"--impressora", "1", "--todas"};

}  // namespace

// A run that delivered nothing never announces success.
TEST(Execucao, SemEntregaNaoHaSucesso) {
    struct Caso {
        std::string nome, xml, mensagem;
        std::optional<std::string> script;  // replaces the recording one; "-": none at all
        std::string separador = "";         // QuelmonteSeparador.zpl, when given
    };
    for (const auto& c : std::vector<Caso>{
             {"script ausente", xmlPreco(1, {faixa("1", "2")}),
              " não foi encontrado: a etiqueta não foi entregue à impressora.", "-"},
             {"script vazio", xmlPreco(1, {faixa("1", "2")}), " está vazio: ", ""},
             {"faixa vazia", xmlPreco(5, {faixa("5", "3")}),
              "[Fim da Impressão] Nenhuma etiqueta foi impressa.", std::nullopt},
             // Blank, it would go out as a line break counted as a label.
             {"separador em branco", xmlPreco(1, {faixa("1", "2")}),
              "O modelo de separador QuelmonteSeparador.zpl está vazio.", std::nullopt, " \r\n"}}) {
        AplicacaoTemporaria app;
        for (const char* nome : {"QuelmonteImprime.sh", "QuelmonteImprime.bat"}) {
            if (!c.script) break;
            fs::remove(app.pasta() / nome);
            if (*c.script != "-") app.gravar(nome, *c.script);
        }
        if (!c.separador.empty()) app.gravar("QuelmonteSeparador.zpl", c.separador);
        esperarFalha(
            app.imprimir(c.xml, c.separador.empty() ? kLpt1 : mais(kLpt1, {"--separador"})),
            c.mensagem);
        EXPECT_TRUE(app.trabalhos().empty()) << c.nome;
    }
}

TEST(Execucao, ConfirmacaoEFimContamEtiquetas) {
    AplicacaoTemporaria app;
    const auto r = app.imprimir(xmlPreco(5, {faixa("1", "3")}), kLpt1);
    EXPECT_EQ(r.codigo, 0);
    EXPECT_TRUE(contem(r.erros, "Selecionados ? 3 etiquetas — ZEBRA, LPT1")) << r.erros;
    EXPECT_TRUE(contem(r.erros, "sucesso ! 3 etiquetas enviadas à impressora.")) << r.erros;
}

// Commands, control characters and ^FH indicators in order values print as characters.
TEST(Execucao, DadosDoPedidoImprimemComoTexto) {
    const std::string injecao = "X^FS^XZ^XA^FDINJECTED^FS^XZ~JR&#13;&#10;&#127;&#8364;\\5E";
    Variante v = faixa("1", "1");
    v.campos["DescricaoMaterial"] = injecao;
    AplicacaoTemporaria app;
    const auto trabalhos = app.imprimirBem(xmlPreco(5, {v}), kLpt1);
    ASSERT_EQ(trabalhos.size(), 1u);
    const auto& spool = trabalhos[0].spool;
    EXPECT_EQ(contar(spool, "^XA"), 1u);
    EXPECT_EQ(contar(spool, "^XZ"), 1u);
    EXPECT_EQ(contar(spool, "~JR"), 0u);
    EXPECT_NE(spool.find("X\\5EFS\\5EXZ\\5EXA\\5EFDINJECTED\\5EFS\\5EXZ\\7EJR   \x80\\5C5E"),
              std::string::npos)
        << spool;
}

#ifndef _WIN32
// Signals and shell scripts: POSIX only.

// SIGTERM stops after the job in progress, says what was sent and where to resume.
TEST(Execucao, SigtermParaDepoisDoTrabalhoEmCurso) {
    AplicacaoTemporaria app("sleep 0.3\n");
    app.gravar("pedidos.xml", xmlPreco(5, {faixa("1", "50")}));
    const auto r = interromperAoSurgir(
        app, "imprimir '" + (app.pasta() / "pedidos.xml").string() + "' --impressora 1 --todas",
        "job-2.spool");
    const auto enviados = app.trabalhos().size();
    EXPECT_GE(enviados, 2u);
    EXPECT_LT(enviados, 50u);
    EXPECT_NE(r.erros.find(std::to_string(enviados) + " etiquetas enviadas"), std::string::npos)
        << r.erros;
    esperarFalha(r, "Próxima sequência não impressa: " + std::to_string(enviados + 1));
    esperarFalha(r, "Retomar na linha 1: pedido ");
}

// The resume names the first label not sent, never a pair's extra number.
TEST(Execucao, SigtermRetomaNaPrimeiraEtiquetaNaoImpressa) {
    for (const auto& [ate, retomada] : std::vector<std::pair<std::string, std::string>>{
             {"job-1.spool", "Próxima sequência não impressa: 2. Retomar na linha 2: pedido "},
             {"job-3.spool", ""}}) {
        AplicacaoTemporaria app("sleep 0.3\n");
        const auto r = interromperAoSurgir(
            app,
            "imprimir '" + (app.pasta() / "Quelmonte_Preco_Cartolina_teste.xml").string() +
                "' --impressora 1 --todas",
            ate);
        if (retomada.empty())
            EXPECT_FALSE(contem(r.erros, "Próxima sequência") || contem(r.erros, "Retomar"))
                << r.erros;
        else
            esperarFalha(r, retomada);
    }
}

// A layout file that cannot be read says why, not that it is missing or wrong.
TEST(Execucao, IniIlegivelDizPorque) {
    struct Caso {
        std::string nome, antes, mensagem;
    };
    for (const auto& c :
         std::vector<Caso>{{"pasta", "mkdir", "não é um arquivo comum"},
                           {"fila", "mkfifo", "não é um arquivo comum"},
                           {"grande demais", "truncate -s 2M", "passa do limite de 1 MB"}}) {
        AplicacaoTemporaria app;
        const auto ini = app.pasta() / "QuelmonteEtiqueta.ini";
        fs::remove(ini);
        ASSERT_EQ(std::system((c.antes + " '" + ini.string() + "'").c_str()), 0) << c.nome;
        esperarFalha(app.imprimir(xmlPreco(1, {faixa("1", "2")}), kLpt1),
                     "QuelmonteEtiqueta.ini não pôde ser lido: " + c.mensagem);
        EXPECT_TRUE(app.trabalhos().empty()) << c.nome;
    }
}

// A huge range is counted without rendering: the question comes at once, the stop stops.
TEST(Execucao, FaixaEnormePerguntadaNaHoraEParadaPeloSinal) {
    AplicacaoTemporaria app;
    app.gravar("pedidos.xml", xmlPreco(1, {faixa("1", "2000000000")}));
    const auto r = interromperAoSurgir(
        app, "imprimir '" + (app.pasta() / "pedidos.xml").string() + "' --impressora 1 --todas",
        "job-1.spool");
    EXPECT_NE(r.erros.find("2.000.000.000 etiquetas"), std::string::npos) << r.erros;
    esperarFalha(r, "Impressão interrompida a pedido do usuário.");
}

// A script that never ends is stopped at the settings' limit, the destination named.
TEST(Execucao, ScriptSemFimParaNoLimite) {
    for (const std::string& corpo : {std::string("sleep 100000 & wait\n"),
                                     std::string("mkfifo \"$(dirname \"$0\")/fifo\"; "
                                                 "cat \"$1\" > \"$(dirname \"$0\")/fifo\"\n")}) {
        AplicacaoTemporaria app(corpo);
        app.gravar("QuelmonteConfig.ini", "[Impressao]\r\nLimiteEnvioSegundos=2\r\n");
        const auto inicio = std::chrono::steady_clock::now();
        const auto r = app.imprimir(xmlPreco(5, {faixa("1", "3")}), kLpt1);
        const auto segundos = std::chrono::duration_cast<std::chrono::seconds>(
                                  std::chrono::steady_clock::now() - inicio)
                                  .count();
        EXPECT_LT(segundos, 15) << corpo;
        esperarFalha(r,
                     "[Erro !] A etiqueta não foi entregue à impressora LPT1: o script de "
                     "impressão não terminou em 2 segundos");
    }
}
#endif
