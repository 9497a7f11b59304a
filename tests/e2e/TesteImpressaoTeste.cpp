// The test print and "Carregar Fonte Zebra" through etiquetas-cli.

#include <gtest/gtest.h>

#include "ApoioImprimir.h"
#include "output/PreCargaZebra.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

const Lista kZebraLpt1{"--impressora", "1", "--velocidade", "4", "--temperatura", "8"};
const std::string kApagar = "^XA\r\n^IDR:TESOURAS\r\n^XZ\r\n";

Resultado teste(const AplicacaoTemporaria& app, int opcao, const Lista& opcoes) {
    return app.executar(mais({"teste", std::to_string(opcao)}, opcoes));
}

enum class Tipo { Grafico, Fonte, Apagar, Outro };

Tipo tipoDoTrabalho(const e2e::Trabalho& t) {
    if (t.spool.starts_with("~DGTESOURAS,")) return Tipo::Grafico;
    if (t.spool.starts_with("~DTARIAL,")) return Tipo::Fonte;
    if (t.spool == kApagar) return Tipo::Apagar;
    return Tipo::Outro;
}

std::vector<Tipo> tipos(const std::vector<e2e::Trabalho>& jobs) {
    std::vector<Tipo> r;
    for (const auto& j : jobs) r.push_back(tipoDoTrabalho(j));
    return r;
}

std::size_t zerosFinais(std::string_view texto) {
    const auto ultimo = texto.find_last_not_of('\0');
    return ultimo == std::string_view::npos ? texto.size() : texto.size() - ultimo - 1;
}

// A ZPL comment put first in a template, so that a job shows where it came from.
const std::string kMarca = "^FXMODELO CLASSICO^FS\r\n";

}  // namespace

TEST(TestePagina, GraficoFonteEExclusaoByteAByte) {
    AplicacaoTemporaria app;
    ASSERT_EQ(app.executar({"fonte", "--impressora", "1"}).codigo, 0);
    ASSERT_EQ(teste(app, 4, kZebraLpt1).codigo, 0);
    const auto jobs = app.trabalhos();
    ASSERT_GE(jobs.size(), 5u);
    const std::string_view recursoGrafico = RecursoGraficoZebra();
    const std::string_view recursoFonte = RecursoFonteZebra();
    for (const auto& grafico : {jobs[0].spool, jobs[2].spool}) {
        ASSERT_TRUE(grafico.starts_with("~DGTESOURAS,01326,039,\r\n"));
        // The resource's last byte stays behind: one zero fewer, then CR LF.
        ASSERT_GE(zerosFinais(recursoGrafico), 2u);
        EXPECT_EQ(grafico,
                  std::string(recursoGrafico.substr(0, recursoGrafico.size() - 1)) + "\r\n");
        EXPECT_TRUE(grafico.ends_with(std::string(zerosFinais(recursoGrafico) - 1, '\0') + "\r\n"));
    }
    for (const auto& fonte : {jobs[1].spool, jobs[3].spool}) {
        ASSERT_TRUE(fonte.starts_with("~DTARIAL,50966,\r\n"));
        EXPECT_EQ(fonte, std::string(recursoFonte) + "\r\n");
        EXPECT_GE(zerosFinais(fonte.substr(0, fonte.size() - 2)), 1u);
    }
    EXPECT_EQ(jobs.back().spool, kApagar);
}

TEST(TestePagina, ArquivoDeTesteAusenteOuComListaDeVariantes) {
    {
        AplicacaoTemporaria app;
        fs::remove(app.pasta() / "Quelmonte_Preco_Adesiva_teste.xml");
        esperarFalha(teste(app, 3, kZebraLpt1), "Formato Não Reconhecido");
        EXPECT_TRUE(app.trabalhos().empty()) << "the selection check stops it before any job";
    }
    // A shown variant list with no text chosen ends the test print in the variant message.
    AplicacaoTemporaria app;
    std::string xml = app.ler("Quelmonte_Grade_Volume_Padrao_teste.xml");
    substituirTodos(xml, "ILPN=\"False\"", "ILPN=\"True\"");
    app.gravar("Quelmonte_Grade_Volume_Padrao_teste.xml", xml);
    esperarFalha(teste(app, 1, kZebraLpt1),
                 "[Tipo de Etiqueta] Selecione o tipo de etiqueta a ser impressa !");
    EXPECT_EQ(tipos(app.trabalhos()), (std::vector<Tipo>{Tipo::Grafico, Tipo::Fonte}));
}

// A Zebra gets graphic and font first, the deletion last; each option's classic template.
TEST(TestePagina, CadaOpcaoImprimeSuaFamiliaComModeloClassico) {
    const std::string modelos[] = {"VolumePadrao", "VolumeRepos", "PrecoAdesiva", "PrecoCartolina"};
    for (int opcao = 1; opcao <= 4; ++opcao) {
        const std::string modelo = "QuelmonteEtiq" + modelos[opcao - 1] + "Zebra.zpl";
        SCOPED_TRACE("opção " + std::to_string(opcao));
        AplicacaoTemporaria app;
        const bool cartolina = opcao == 4;
        if (cartolina)
            app.gravar("Quelmonte_Preco_Cartolina_teste.xml",
                       comLayoutNovo(app.ler("Quelmonte_Preco_Cartolina_teste.xml")));
        if (fs::exists(app.pasta() / modelo)) app.gravar(modelo, kMarca + app.ler(modelo));
        const auto r = teste(app, opcao, kZebraLpt1);
        const auto jobs = app.trabalhos();
        const auto t = tipos(jobs);
        ASSERT_GE(t.size(), 4u) << r.erros;
        EXPECT_EQ((std::vector{t[0], t[1], t.back()}),
                  (std::vector{Tipo::Grafico, Tipo::Fonte, Tipo::Apagar}));
        EXPECT_EQ(r.codigo, 0) << r.erros;
        EXPECT_TRUE(contem(r.erros, "[Impressão de Etiquetas] Confirma a Impressão de Teste ?"));
        EXPECT_TRUE(contem(r.erros, "Impressão das Etiquetas concluída com sucesso !"));
        bool algumaEtiqueta = false;
        for (std::size_t i = 2; i + 1 < jobs.size(); ++i) {
            EXPECT_EQ(tipoDoTrabalho(jobs[i]), Tipo::Outro);
            algumaEtiqueta |= jobs[i].spool.find(kMarca) != std::string::npos;
            // Every cartolina unit comes from the template.
            EXPECT_TRUE(!cartolina || jobs[i].spool.starts_with(kMarca)) << "job " << i + 1;
        }
        EXPECT_TRUE(algumaEtiqueta) << "a label from " << modelo;
        if (cartolina) {
            for (const auto& j : jobs)
                EXPECT_EQ(j.args, (Lista{(app.pasta() / "SpoolEtq.PRN").string(), "LPT1", "9600",
                                         "N", "8", "1"}));
        }
    }
}

TEST(CarregarFonteZebra, EnviaGraficoEFonteOuDizPorQueNao) {
    {
        AplicacaoTemporaria app;
        const auto r = app.executar({"fonte", "--impressora", "1", "--porta", "LPT2"});
        ASSERT_EQ(r.codigo, 0) << r.erros;
        EXPECT_EQ(r.erros, "");
        const auto jobs = app.trabalhos();
        EXPECT_EQ(tipos(jobs), (std::vector<Tipo>{Tipo::Grafico, Tipo::Fonte}));
        for (const auto& j : jobs) EXPECT_EQ(j.args.at(1), "LPT2");
    }
    {
        AplicacaoTemporaria app("echo 'impressora desligada' >&2; exit 3\n");
        const auto r = app.executar({"fonte", "--impressora", "1"});
        esperarFalha(r, "impressora desligada");
        EXPECT_TRUE(contem(r.erros, "[Erro !]")) << r.erros;
    }
    // A COM port that cannot be opened is said, not crashed on.
    AplicacaoTemporaria app;
    app.gravar("QuelmonteConfig.ini",
               "[PortasCom]\r\nCOM2=" + (app.pasta() / "nada").string() + "\r\n");
    for (const auto& comando : {Lista{"fonte", "--impressora", "1", "--porta", "COM2"},
                                Lista{"teste", "4", "--impressora", "1", "--porta", "COM2"}}) {
        const auto r = app.executar(comando);
        esperarFalha(r, "Não foi possível abrir a porta COM2");
        EXPECT_FALSE(contem(r.erros, "não encontrada")) << r.erros;
        EXPECT_TRUE(app.trabalhos().empty());
    }
}

// The deletion goes to the Zebra whatever table line names it; no ZPL to other printers.
TEST(TestePagina, ExclusaoSegueAImpressoraZebraNaoALinhaDaTabela) {
    struct Caso {
        std::string linha;
        std::vector<Tipo> preparoEExclusao;
    };
    for (const auto& c : {Caso{"1", {}}, Caso{"2", {Tipo::Grafico, Tipo::Fonte, Tipo::Apagar}}}) {
        AplicacaoTemporaria app;
        app.gravar("tb_impressoras.txt", "DATAMAX,1,DPL\r\nARGOX,3,DPL\r\nZEBRA,2,ZPL\r\n");
        const auto r = teste(app, 4, {"--impressora", c.linha});
        ASSERT_EQ(r.codigo, 0) << r.erros;
        const auto jobs = app.trabalhos();
        ASSERT_FALSE(jobs.empty());
        std::vector<Tipo> t;
        for (const auto& j : jobs) {
            if (tipoDoTrabalho(j) != Tipo::Outro) t.push_back(tipoDoTrabalho(j));
            EXPECT_TRUE(c.linha == "2" || j.spool.find("TESOURAS") == std::string::npos);
        }
        EXPECT_EQ(t, c.preparoEExclusao) << "line " << c.linha;
    }
}

// SIGTERM while the graphic goes out: the font does not follow, and the stop is said.
TEST(CarregarFonteZebra, SigtermParaAntesDaFonte) {
    AplicacaoTemporaria app("sleep 1\n");
    const auto r = interromperAoSurgir(app, "fonte --impressora 1", "job-1.spool");
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(tipos(app.trabalhos()), std::vector<Tipo>{Tipo::Grafico});
    EXPECT_TRUE(contem(r.erros, "interrompida")) << r.erros;
}
