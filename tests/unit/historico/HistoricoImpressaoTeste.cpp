// The history file: ranges sent before, versions, a damaged file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../render/ApoioImpressao.h"
#include "ExecucaoGravada.h"
#include "historico/HistoricoImpressao.h"
#include "historico/Sqlite.h"
#include "platform/sistema/PastaExecutavel.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

struct Historico {
    PastaTemporaria pasta;
    std::filesystem::path arquivo = arquivoHistorico(pasta.caminho() / "dados");
    HistoricoImpressao h{arquivo};

    long long execucao(int tipo = 1, bool volume = false, const std::string& destino = "LPT1") {
        return h.iniciarExecucao(apoio::execucaoGravada(tipo, volume, destino));
    }
    // Job `numero` of `e` carrying `primeira`-`ultima` of `variante`, with its outcome.
    void trabalho(long long e, int numero, const std::string& variante, long long primeira,
                  long long ultima, DesfechoTrabalho desfecho = DesfechoTrabalho::Enviada,
                  const std::string& pedido = "4512") {
        apoio::gravarTrabalho(h, e, numero, variante, primeira, ultima, desfecho, pedido);
    }
};

using Faixas = std::vector<std::pair<long long, long long>>;

Faixas faixas(const std::vector<ImpressaoAnterior>& anteriores) {
    Faixas r;
    for (const auto& a : anteriores) r.emplace_back(a.primeira, a.ultima);
    return r;
}

}  // namespace

// Only sent labels of the same variant, type and kind count, clipped to the range.
TEST(HistoricoImpressao, AnterioresDaMesmaVarianteTipoEEspecie) {
    Historico t;
    const long long a = t.execucao(), b = t.execucao(1, false, "COM1");
    t.trabalho(a, 1, "V-1", 1, 2);
    t.trabalho(a, 2, "V-1", 3, 4);
    t.trabalho(a, 3, "V-1", 9, 10, DesfechoTrabalho::Falhou);
    t.trabalho(a, 4, "V-1", 11, 12, DesfechoTrabalho::PodeTerSidoImpressa);
    t.trabalho(b, 1, "V-1", 7, 8);
    t.trabalho(b, 2, "V-2", 1, 8);
    t.trabalho(t.execucao(2), 1, "V-1", 5, 6);
    const long long caixas = t.execucao(3, true);
    t.trabalho(caixas, 1, "0012", 1, 1, DesfechoTrabalho::Enviada, "4512");
    t.trabalho(caixas, 2, "0012", 2, 2, DesfechoTrabalho::Enviada, "9999");
    struct Caso {
        FaixaPedida faixa;
        Faixas esperadas;
    };
    const std::vector<Caso> casos{{{1, false, "", "V-1", 1, 20}, {{1, 4}, {7, 8}}},
                                  {{1, false, "", "V-1", 4, 7}, {{4, 4}, {7, 7}}},
                                  {{1, false, "", "V-1", 5, 6}, {}},
                                  {{2, false, "", "V-1", 1, 20}, {{5, 6}}},
                                  {{3, true, "4512", "0012", 1, 1000}, {{1, 1}}},
                                  {{3, false, "", "0012", 1, 1000}, {}}};
    // All asked at once, as a request's rows are: each gets its own.
    std::vector<FaixaPedida> pedidas;
    for (const auto& c : casos) pedidas.push_back(c.faixa);
    const auto todas = t.h.anteriores(pedidas);
    ASSERT_EQ(todas.size(), casos.size());
    for (std::size_t i = 0; i < casos.size(); ++i)
        EXPECT_EQ(faixas(todas[i]), casos[i].esperadas)
            << casos[i].faixa.tipoEtiqueta << " " << casos[i].faixa.variante << " "
            << casos[i].faixa.primeira;
    const auto a1 = t.h.anteriores({1, false, "", "V-1", 7, 7});
    ASSERT_EQ(a1.size(), 1u);
    EXPECT_EQ(a1[0].destino, "COM1");
}

// A file of no version gets the schema; one of a newer program is refused.
TEST(HistoricoImpressao, VersaoDoEsquema) {
    PastaTemporaria pasta;
    pasta.gravar("vazio.sqlite", "");
    HistoricoImpressao vazio(pasta.caminho() / "vazio.sqlite");
    EXPECT_EQ(vazio.contar({}), 0);
    {
        sqlite::Banco b(pasta.caminho() / "vazio.sqlite", 1000);
        sqlite::Comando c(b, "PRAGMA user_version");
        ASSERT_TRUE(c.passo());
        EXPECT_EQ(c.inteiro(0), HistoricoImpressao::kVersaoEsquema);
        sqlite::Banco novo(pasta.caminho() / "novo.sqlite", 1000);
        novo.executar("PRAGMA user_version = 99");
    }
    EXPECT_THAT([&] { HistoricoImpressao novo(pasta.caminho() / "novo.sqlite"); },
                testing::ThrowsMessage<FalhaHistorico>(testing::HasSubstr("versão mais nova")));
}

TEST(HistoricoImpressao, ArquivoDanificadoPostoDeLadoENovoIniciado) {
    PastaTemporaria pasta;
    const std::string lixo(8192, 'x');
    pasta.gravar("historico.sqlite", lixo);
    HistoricoImpressao h(pasta.caminho() / "historico.sqlite");
    EXPECT_NE(h.aviso().find("estava danificado e foi guardado como"), std::string::npos)
        << h.aviso();
    std::vector<std::filesystem::path> guardados;
    for (const auto& e : std::filesystem::directory_iterator(pasta.caminho()))
        if (e.path().filename().string().starts_with("historico.sqlite.danificado-"))
            guardados.push_back(e.path());
    ASSERT_EQ(guardados.size(), 1u);
    EXPECT_EQ(lerArquivo(guardados[0]).value_or(""), lixo);
    const long long e = h.iniciarExecucao({"/p.xml", "", 1, "F", false, "", "", "", "", {}, {}});
    h.registrarTrabalho(e, 1, "etiquetas", {});
    EXPECT_EQ(h.contar({}), 1);
}

#ifdef _WIN32
// LOCALAPPDATA when set; without it, the system's own folder for it.
TEST(HistoricoImpressao, PastaNoWindowsSegueLocalAppData) {
    PastaTemporaria pasta;
    const wchar_t* valor = _wgetenv(L"LOCALAPPDATA");
    const std::wstring anterior = valor ? valor : L"";
    _wputenv_s(L"LOCALAPPDATA", pasta.caminho().c_str());
    EXPECT_EQ(pastaHistorico(instalacaoDestePrograma().usuario), pasta.caminho() / "etiquetas");
    _wputenv_s(L"LOCALAPPDATA", L"");  // an empty value removes it
    const auto semVariavel = pastaHistorico(instalacaoDestePrograma().usuario);
    _wputenv_s(L"LOCALAPPDATA", anterior.c_str());
    EXPECT_TRUE(semVariavel.is_absolute()) << semVariavel;
    EXPECT_EQ(semVariavel.filename(), "etiquetas");
}
#endif
