// How a print run ends: what it tells, what it sent, and that order data
// never becomes printer commands.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#endif

#include <chrono>
#include <thread>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

const Lista kZebra{"--impressora", "1", "--todas"};

}  // namespace

// A run that delivered nothing never announces success.
TEST(Execucao, SemEntregaNaoHaSucesso) {
    struct Caso {
        std::string nome, xml, mensagem;
        bool semScript;
    };
    for (const auto& c : std::vector<Caso>{
             {"script ausente", xmlPreco(1, {faixa("1", "2")}), "Unable to find", true},
             {"faixa vazia", xmlPreco(5, {faixa("5", "3")}),
              "[Fim da Impressão] Nenhuma etiqueta foi impressa.", false}}) {
        AplicacaoTemporaria app;
        if (c.semScript) {
            fs::remove(app.pasta() / "QuelmonteImprime.sh");
            fs::remove(app.pasta() / "QuelmonteImprime.bat");
        }
        const auto r = app.imprimir(c.xml, kZebra);
        EXPECT_EQ(r.codigo, 1) << c.nome;
        EXPECT_NE(r.erros.find(cp1252ParaUtf8(c.mensagem)), std::string::npos) << r.erros;
        EXPECT_EQ(r.erros.find("sucesso"), std::string::npos) << c.nome;
        EXPECT_TRUE(app.trabalhos().empty()) << c.nome;
    }
}

TEST(Execucao, ConfirmacaoEFimContamEtiquetas) {
    AplicacaoTemporaria app;
    const auto r = app.imprimir(xmlPreco(5, {faixa("1", "3")}), kZebra);
    EXPECT_EQ(r.codigo, 0);
    EXPECT_NE(r.erros.find(cp1252ParaUtf8("Selecionados ? 3 etiquetas — ZEBRA, LPT1")),
              std::string::npos)
        << r.erros;
    EXPECT_NE(r.erros.find(cp1252ParaUtf8("sucesso ! 3 etiquetas enviadas à impressora.")),
              std::string::npos)
        << r.erros;
}

// Printer commands, control characters and the hex indicator in an order
// value print as characters; the label count and the commands stay the
// template's own. DEL is a control character too; the euro sign after it is
// not.
TEST(Execucao, DadosDoPedidoImprimemComoTexto) {
    const std::string injecao = "X^FS^XZ^XA^FDINJECTED^FS^XZ~JR&#13;&#10;&#127;&#8364;\\5E";
    Variante v = faixa("1", "1");
    v.campos["DescricaoMaterial"] = injecao;
    AplicacaoTemporaria app;
    const auto r = app.imprimir(xmlPreco(5, {v}), kZebra);
    EXPECT_EQ(r.codigo, 0) << r.erros;
    const auto trabalhos = app.trabalhos();
    ASSERT_EQ(trabalhos.size(), 1u);
    const std::string& spool = trabalhos[0].spool;
    EXPECT_EQ(contar(spool, "^XA"), 1u);
    EXPECT_EQ(contar(spool, "^XZ"), 1u);
    EXPECT_EQ(contar(spool, "~JR"), 0u);
    EXPECT_NE(spool.find("X\\5EFS\\5EXZ\\5EXA\\5EFDINJECTED\\5EFS\\5EXZ\\7EJR   \x80\\5C5E"),
              std::string::npos)
        << spool;
}

#ifndef _WIN32
// Signals and shell scripts: POSIX only.

// SIGTERM stops the run after the job in progress, says what was sent and
// where to resume, and exits 1.
TEST(Execucao, SigtermParaDepoisDoTrabalhoEmCurso) {
    AplicacaoTemporaria app("sleep 0.3\n");
    app.gravar("pedidos.xml", xmlPreco(5, {faixa("1", "50")}));
    const std::string linha = std::string("'") + ETIQUETAS_CLI + "' --pasta '" +
                              app.pasta().string() + "' imprimir '" +
                              (app.pasta() / "pedidos.xml").string() +
                              "' --impressora 1 --todas 2>'" + (app.pasta() / "erros").string() +
                              "' </dev/null & echo $! >'" + (app.pasta() / "pid").string() +
                              "'; wait $!; echo $? >'" + (app.pasta() / "rc").string() + "'";
    std::thread execucao([&] { std::system(linha.c_str()); });
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(app.pasta() / "job-2.spool") && std::chrono::steady_clock::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const int pid = std::atoi(app.ler("pid").c_str());
    if (pid > 0) kill(pid, SIGTERM);
    execucao.join();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(std::atoi(app.ler("rc").c_str()), 1);
    const auto enviados = app.trabalhos().size();
    EXPECT_GE(enviados, 2u);
    EXPECT_LT(enviados, 50u);
    const std::string erros = app.ler("erros");
    EXPECT_NE(erros.find(cp1252ParaUtf8(std::to_string(enviados) + " etiquetas enviadas")),
              std::string::npos)
        << erros;
    EXPECT_NE(erros.find(cp1252ParaUtf8("Próxima sequência não impressa: " +
                                        std::to_string(enviados + 1))),
              std::string::npos)
        << erros;
    EXPECT_EQ(erros.find("sucesso"), std::string::npos);
}

// A script that never ends (a sleeping child, a FIFO nobody reads) is
// stopped at the limit of the personal settings, with the destination named.
TEST(Execucao, ScriptSemFimParaNoLimite) {
    for (const std::string& corpo : {std::string("sleep 100000 & wait\n"),
                                     std::string("mkfifo \"$(dirname \"$0\")/fifo\"; "
                                                 "cat \"$1\" > \"$(dirname \"$0\")/fifo\"\n")}) {
        AplicacaoTemporaria app(corpo);
        app.gravar("QuelmonteConfig.ini", "[Impressao]\r\nLimiteEnvioSegundos=2\r\n");
        const auto inicio = std::chrono::steady_clock::now();
        const auto r = app.imprimir(xmlPreco(5, {faixa("1", "3")}), kZebra);
        const auto segundos = std::chrono::duration_cast<std::chrono::seconds>(
                                  std::chrono::steady_clock::now() - inicio)
                                  .count();
        EXPECT_EQ(r.codigo, 1) << corpo;
        EXPECT_LT(segundos, 15) << corpo;
        EXPECT_NE(r.erros.find(cp1252ParaUtf8("[Erro !] A etiqueta não foi entregue à impressora "
                                              "LPT1: o script de impressão não terminou em 2 "
                                              "segundos")),
                  std::string::npos)
            << r.erros;
        EXPECT_EQ(r.erros.find("sucesso"), std::string::npos);
    }
}
#endif
