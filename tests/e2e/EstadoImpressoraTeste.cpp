// The printer's own state through the simulated printer: "estado" and the runs that ask.

#include <gtest/gtest.h>

#include "ApoioImprimir.h"
#include "ImpressoraSimulada.h"

using namespace etiquetas;
using namespace etiquetas::e2e;
using Modo = apoio::ImpressoraSimulada::Modo;

namespace {

using apoio::ImpressoraSimulada;

// A silent printer costs one answer limit (one second); `com1`: the device COM1 leads to.
void limitesCurtos(const AplicacaoTemporaria& app, const std::string& com1 = {}) {
    app.gravar("QuelmonteConfig.ini",
               "[Impressao]\r\nLimiteRespostaSegundos=1\r\nLimiteFimImpressaoSegundos=2\r\n" +
                   (com1.empty() ? "" : "[PortasCom]\r\nCOM1=" + com1 + "\r\n"));
}

// The simulated printer on the network or on COM1, and the options that choose it.
struct Linha {
    std::unique_ptr<ImpressoraSimulada> impressora;
    Lista opcoes;
};

Linha ligar(const AplicacaoTemporaria& app, bool serial, bool datamax, Modo modo) {
    Linha l;
    if (serial) {
        l.impressora =
            std::make_unique<ImpressoraSimulada>(ImpressoraSimulada::NoTerminal{}, datamax, modo);
        l.opcoes = {"--porta", "COM1"};
    } else {
        l.impressora = std::make_unique<ImpressoraSimulada>(datamax, modo);
        l.opcoes = {"--rede", l.impressora->endereco()};
    }
    limitesCurtos(app, serial ? l.impressora->terminal() : "");
    return l;
}

}  // namespace

TEST(EstadoImpressora, ComandoDizOEstadoEPassaSoComAImpressoraPronta) {
    struct Caso {
        bool serial, datamax;
        Modo modo;
        std::string linha;
    };
    const AplicacaoTemporaria app;
    for (const auto& c : std::vector<Caso>{{false, false, Modo::Pronta, "pronta"},
                                           {false, false, Modo::SemPapel, "sem papel"},
                                           {false, false, Modo::CabecaAberta, "cabeça aberta"},
                                           {false, false, Modo::EmPausa, "em pausa"},
                                           {false, false, Modo::Muda, "não respondeu"},
                                           {false, true, Modo::Pronta, "pronta"},
                                           {false, true, Modo::SemPapel, "sem papel"},
                                           {false, true, Modo::EmPausa, "em pausa"},
                                           {false, true, Modo::Muda, "não respondeu"},
                                           {true, false, Modo::Pronta, "pronta"},
                                           {true, false, Modo::SemPapel, "sem papel"},
                                           {true, true, Modo::Pronta, "pronta"},
                                           {true, true, Modo::EmPausa, "em pausa"}}) {
        const Linha l = ligar(app, c.serial, c.datamax, c.modo);
        const auto r =
            app.executar(mais({"estado", "--impressora", c.datamax ? "0" : "1"}, l.opcoes));
        EXPECT_EQ(r.saida, cp1252ParaUtf8(c.linha) + "\n") << r.erros;
        EXPECT_EQ(r.codigo, c.modo == Modo::Pronta ? 0 : 1) << c.linha;
        EXPECT_EQ(l.impressora->recebido(), "") << c.linha;
    }
}

TEST(EstadoImpressora, ComandoSemImpressoraQueResponda) {
    const AplicacaoTemporaria app;
    limitesCurtos(app);
    int porta;
    {
        ImpressoraSimulada ninguem;  // a port that was free a moment ago
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
    EXPECT_TRUE(contem(recusada.erros, ": conexão recusada.")) << recusada.erros;
    // What the script delivers cannot be asked.
    const auto lpt = app.executar({"estado", "--impressora", "1", "--porta", "LPT1"});
    EXPECT_EQ(lpt.saida, cp1252ParaUtf8("não consultável\n"));
    EXPECT_EQ(lpt.codigo, 1);
}

// A run asks the printer first: a fault stops it before any label; a ready one takes all.
TEST(EstadoImpressora, ExecucaoPerguntaAntesDaPrimeiraEtiqueta) {
    struct Caso {
        bool serial, datamax;
        Modo modo;
        std::string mensagem;
    };
    const AplicacaoTemporaria app;
    const std::string xml = xmlPreco(5, {faixa("1", "4")});
    for (const auto& c :
         std::vector<Caso>{{false, false, Modo::Pronta, "4 enviadas; 4 impressas."},
                           {false, true, Modo::Pronta, "4 enviadas; 4 impressas."},
                           {false, false, Modo::SemPapel, "não está pronta: sem papel."},
                           {false, false, Modo::CabecaAberta, "não está pronta: cabeça aberta."},
                           {false, false, Modo::EmPausa, "não está pronta: em pausa."},
                           {false, true, Modo::EmPausa, "não está pronta: em pausa."},
                           {false, false, Modo::Muda, "não respondeu."},
                           {true, false, Modo::Pronta, "4 enviadas; 4 impressas."},
                           {true, true, Modo::Pronta, "4 enviadas; 4 impressas."},
                           {true, false, Modo::SemPapel, "não está pronta: sem papel."}}) {
        const Linha l = ligar(app, c.serial, c.datamax, c.modo);
        const auto r = app.imprimir(xml, mais(c.datamax ? kTodasDatamax : kTodasZebra, l.opcoes));
        EXPECT_TRUE(contem(r.erros, c.mensagem)) << r.erros;
        if (c.modo == Modo::Pronta) {
            EXPECT_EQ(r.codigo, 0) << r.erros;
            EXPECT_EQ(l.impressora->etiquetas(), 4) << c.mensagem;
        } else {
            esperarFalha(r, "Nenhuma etiqueta foi impressa.");
            EXPECT_EQ(l.impressora->recebido(), "") << c.mensagem;
        }
    }
    EXPECT_TRUE(app.trabalhos().empty());  // never through the script
}

// Paper out after the first job stops the run; message and history tell sent from printed.
TEST(EstadoImpressora, FaltaDePapelNoMeioParaAExecucao) {
    const AplicacaoTemporaria app;
    app.gravar("QuelmonteConfig.ini",
               "[Impressao]\r\nLimiteRespostaSegundos=1\r\n"
               "LimiteFimImpressaoSegundos=1\r\nIntervaloConsultaSegundos=0\r\n");
    ImpressoraSimulada impressora;
    impressora.semPapelApos(1);
    const auto r = app.imprimir(xmlPreco(5, {faixa("1", "8")}),
                                mais(kTodasZebra, {"--rede", impressora.endereco()}));
    esperarFalha(r, "A impressora parou: sem papel.");
    esperarFalha(r, " enviadas; a impressora parou sem papel com 1 por imprimir.");
    EXPECT_EQ(impressora.etiquetas(), 2);
    // This run's rows: the history of the test run is shared.
    const auto historico =
        apoio::executarCli({"--pasta", textoDoCaminho(app.pasta()), "historico", "--csv"});
    // Each job's outcome and the run's end, the last fields but the reprint mark.
    Lista desfechos;
    for (const auto& l : linhasDe(historico.saida))
        if (contem(l, impressora.endereco())) {
            const auto fim = l.rfind(',');
            const auto inicio = l.rfind(',', l.rfind(',', fim - 1) - 1);
            desfechos.push_back(l.substr(inicio + 1, fim - inicio - 1));
        }
    EXPECT_EQ(desfechos, (Lista{cp1252ParaUtf8("não confirmada,falhou"), "enviada,falhou"}))
        << historico.saida;
}
