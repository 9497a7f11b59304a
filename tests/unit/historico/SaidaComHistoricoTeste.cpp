// Each job's outcome as the history keeps it, and a history that fails once
// a job is at the printer.

#include <gtest/gtest.h>

#include <functional>

#include "../render/ApoioImpressao.h"
#include "ExecucaoGravada.h"
#include "app/RegistroHistorico.h"
#include "historico/Sqlite.h"
#include "render/FalhaImpressao.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

// The printer's end: delivers, or throws as `aoEnviar` says.
struct Impressora : SaidaTrabalhos {
    std::function<void()> aoEnviar;
    int entregues = 0;
    void enviar(const Trabalho&) override {
        if (aoEnviar) aoEnviar();
        ++entregues;
    }
};

struct Registro {
    PastaTemporaria pasta;
    HistoricoImpressao historico{arquivoHistorico(pasta.caminho())};
    long long execucao = historico.iniciarExecucao(apoio::execucaoGravada());
    Impressora impressora;
    std::vector<std::string> ditos;
    // etiquetas-cli's way: say nothing here and stop.
    SaidaComHistorico saida{impressora, historico, execucao, [this](const std::string& t) {
                                ditos.push_back(t);
                                return false;
                            }};

    static Trabalho trabalho(long long sequencia) {
        return {TipoTrabalho::Etiqueta,
                "SpoolEtq.PRN",
                "^XA^XZ",
                1,
                {{1, "4512", "10", "0000000123-5", sequencia, sequencia}}};
    }
    std::vector<DesfechoTrabalho> desfechos() {
        std::vector<DesfechoTrabalho> r;
        historico.percorrer({}, 0, -1, [&](const LinhaHistorico& l) {
            r.insert(r.begin(), l.desfecho);
            return true;
        });
        return r;
    }
};

}  // namespace

// A send that fails is "falhou", never "enviada" (a later run would take its
// labels for printed); a run stopped by Cancelar or a signal is "cancelada".
TEST(SaidaComHistorico, DesfechoDeCadaTrabalho) {
    struct Caso {
        const char* nome;
        std::function<void()> aoEnviar;
        DesfechoTrabalho desfecho;
    };
    for (const auto& c : std::vector<Caso>{
             {"entregue", nullptr, DesfechoTrabalho::Enviada},
             {"recusado", [] { throw FalhaImpressao("sem papel"); }, DesfechoTrabalho::Falhou},
             {"interrompido", [] { throw ImpressaoInterrompida(); },
              DesfechoTrabalho::Cancelada}}) {
        Registro r;
        r.impressora.aoEnviar = c.aoEnviar;
        try {
            r.saida.enviar(Registro::trabalho(1));
        } catch (const std::exception&) {
        }
        EXPECT_EQ(r.desfechos(), std::vector{c.desfecho}) << c.nome;
    }
}

// The history cannot record that job 2 went out: job 2 stays sent (the run
// counts it), the history keeps it as "pode ter sido impressa", and the run
// stops before job 3 with the reason.
TEST(SaidaComHistorico, TrabalhoEntregueSemRegistroContaEParaOSeguinte) {
    Registro r;
    r.saida.enviar(Registro::trabalho(1));
    {
        sqlite::Banco outro(r.historico.arquivo(), 1000);
        outro.executar(
            "CREATE TRIGGER cheio BEFORE UPDATE ON trabalhos BEGIN SELECT RAISE(FAIL, 'x'); END");
    }
    EXPECT_NO_THROW(r.saida.enviar(Registro::trabalho(2)));
    EXPECT_EQ(r.impressora.entregues, 2);
    ASSERT_FALSE(r.saida.semRegistro().empty());
    EXPECT_NE(r.saida.semRegistro().find("histórico não pôde registrá-lo como enviado"),
              std::string::npos)
        << r.saida.semRegistro();
    EXPECT_THROW(r.saida.enviar(Registro::trabalho(3)), FalhaImpressao);
    EXPECT_EQ(r.impressora.entregues, 2);
    EXPECT_EQ(r.desfechos(),
              (std::vector{DesfechoTrabalho::Enviada, DesfechoTrabalho::PodeTerSidoImpressa}));
}
