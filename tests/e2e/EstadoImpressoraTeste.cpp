// The printer's own state through the simulated printer: the "estado"
// command, and runs that ask before and after.

#include <gtest/gtest.h>

#include "ApoioImprimir.h"
#include "ImpressoraSimulada.h"

using namespace etiquetas;
using namespace etiquetas::e2e;
using Modo = apoio::ImpressoraSimulada::Modo;

namespace {

// A silent printer costs one answer limit: one second here.
void limitesCurtos(const AplicacaoTemporaria& app) {
    app.gravar("QuelmonteConfig.ini",
               "[Impressao]\r\nLimiteRespostaSegundos=1\r\nLimiteFimImpressaoSegundos=2\r\n");
}

}  // namespace

TEST(EstadoImpressora, ComandoDizOEstadoEPassaSoComAImpressoraPronta) {
    struct Caso {
        bool datamax;
        Modo modo;
        std::string linha;
    };
    const AplicacaoTemporaria app;
    limitesCurtos(app);
    for (const auto& c : std::vector<Caso>{{false, Modo::Pronta, "pronta"},
                                           {false, Modo::SemPapel, "sem papel"},
                                           {false, Modo::CabecaAberta, "cabeça aberta"},
                                           {false, Modo::EmPausa, "em pausa"},
                                           {false, Modo::Muda, "não respondeu"},
                                           {true, Modo::Pronta, "pronta"},
                                           {true, Modo::SemPapel, "sem papel"},
                                           {true, Modo::EmPausa, "em pausa"},
                                           {true, Modo::Muda, "não respondeu"}}) {
        apoio::ImpressoraSimulada impressora(c.datamax, c.modo);
        const auto r = app.executar(
            {"estado", "--impressora", c.datamax ? "0" : "1", "--rede", impressora.endereco()});
        EXPECT_EQ(r.saida, cp1252ParaUtf8(c.linha) + "\n") << r.erros;
        EXPECT_EQ(r.codigo, c.modo == Modo::Pronta ? 0 : 1) << c.linha;
        EXPECT_EQ(impressora.recebido(), "") << c.linha;
    }
}

TEST(EstadoImpressora, ComandoSemImpressoraQueResponda) {
    const AplicacaoTemporaria app;
    limitesCurtos(app);
    int porta;
    {
        apoio::ImpressoraSimulada ninguem;  // a port that was free a moment ago
        porta = std::stoi(ninguem.endereco().substr(10));
    }
    const auto recusada = app.executar(
        {"estado", "--impressora", "1", "--rede", "127.0.0.1:" + std::to_string(porta)});
    EXPECT_EQ(recusada.saida, cp1252ParaUtf8("não respondeu\n"));
    EXPECT_EQ(recusada.codigo, 1);
    EXPECT_TRUE(contem(recusada.erros,
                       "[Estado da Impressora] Não foi possível conectar à "
                       "impressora 127.0.0.1:"))
        << recusada.erros;
    // What the script delivers cannot be asked.
    const auto lpt = app.executar({"estado", "--impressora", "1", "--porta", "LPT1"});
    EXPECT_EQ(lpt.saida, cp1252ParaUtf8("não consultável\n"));
    EXPECT_EQ(lpt.codigo, 1);
}
