// The shipped POSIX print script never loses a job nor waits for ever.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

struct Entrega {
    int codigo;
    std::string erro;
};

// Runs the installed script from `pasta` with a spool file of `conteudo`.
Entrega entregar(const AplicacaoTemporaria& app, const std::string& destino,
                 const std::string& ambiente = "") {
    const std::string linha =
        "cd '" + app.pasta().string() + "' && " + ambiente + " sh '" +
        (fs::path(ETIQUETAS_PASTA_APLICACAO) / "QuelmonteImprime.sh").string() + "' spool.prn '" +
        destino + "' 9600 N 8 1 2>erro.txt";
    const int estado = std::system(linha.c_str());
    return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, app.ler("erro.txt")};
}

}  // namespace

TEST(ScriptImpressao, RecusaDestinosQuePerderiamAEtiqueta) {
    for (const auto& [destino, motivo] : std::vector<std::pair<std::string, std::string>>{
             {"naoexiste/impressora.prn", "Caminho da impressora não encontrado"},
             {"impressora:abc", "Porta de rede inválida"},
             {"filainexistente", "Impressora ou caminho não encontrado"}}) {
        AplicacaoTemporaria app;
        app.gravar("spool.prn", "^XA^XZ\r\n");
        const auto e = entregar(app, destino);
        EXPECT_NE(e.codigo, 0) << destino;
        EXPECT_TRUE(contem(e.erro, motivo)) << e.erro;
        EXPECT_FALSE(fs::exists(app.pasta() / destino)) << destino;
    }
}

TEST(ScriptImpressao, ArquivoExistenteRecebeOsTrabalhosEmSequencia) {
    AplicacaoTemporaria app;
    app.gravar("saida.prn", "");
    for (const std::string etiqueta : {"^XA1^XZ\r\n", "^XA2^XZ\r\n"}) {
        app.gravar("spool.prn", etiqueta);
        EXPECT_EQ(entregar(app, (app.pasta() / "saida.prn").string()).codigo, 0);
    }
    EXPECT_EQ(app.ler("saida.prn"), "^XA1^XZ\r\n^XA2^XZ\r\n");
}

// A printer that takes the connection and never reads fails at the limit.
TEST(ScriptImpressao, ImpressoraDeRedeQueNaoLeParaNoLimite) {
    AplicacaoTemporaria app;
    app.gravar("spool.prn", std::string(8 << 20, 'x'));
    const int porta = 20000 + static_cast<int>(getpid() % 20000);
    const std::string ouvinte = "socat TCP-LISTEN:" + std::to_string(porta) +
                                ",reuseaddr EXEC:'sleep 30' >/dev/null 2>&1 & echo $!";
    FILE* f = popen(ouvinte.c_str(), "r");
    ASSERT_NE(f, nullptr);
    int pid = 0;
    if (std::fscanf(f, "%d", &pid) != 1) pid = 0;
    pclose(f);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto inicio = std::chrono::steady_clock::now();
    const auto e = entregar(app, "127.0.0.1:" + std::to_string(porta), "ETIQUETAS_LIMITE_ENVIO=2");
    const auto segundos =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - inicio)
            .count();
    if (pid > 0) kill(pid, SIGKILL);
    EXPECT_NE(e.codigo, 0);
    EXPECT_LT(segundos, 10);
    EXPECT_NE(e.erro.find("impressora de rede 127.0.0.1:"), std::string::npos) << e.erro;
}
