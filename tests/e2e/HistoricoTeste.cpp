// The print history through etiquetas-cli.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <future>

#include "ApoioImprimir.h"
#include "PastaDadosUsuario.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

// `historico --csv`, its lines after the header.
Lista linhasHistorico(const AplicacaoTemporaria& app, const Lista& filtro = {}) {
    Lista argumentos = mais({"--pasta", textoDoCaminho(app.pasta()), "historico", "--csv"}, filtro);
    const auto s = apoio::executarCli(argumentos);
    EXPECT_EQ(s.codigo, 0) << s.erros;
    Lista linhas = linhasDe(s.saida);
    EXPECT_FALSE(linhas.empty());
    if (!linhas.empty()) linhas.erase(linhas.begin());
    return linhas;
}

// The listing's last fields: the job's outcome, the run's end, the reprint mark.
bool terminaEm(const std::string& linha, const std::string& fim) {
    return linha.ends_with(cp1252ParaUtf8(fim));
}

// The sequence numbers in the price tags' bar codes of every job.
Lista sequencias(const std::vector<Trabalho>& trabalhos) {
    Lista r;
    for (const auto& t : trabalhos)
        for (const auto& c : codigosZpl(t.spool)) r.push_back(c.substr(c.size() - 4));
    return r;
}

// Ten rows of two labels each, told apart by their codes 101 to 110. Its
// tests kill a process or fill a disk, which Windows runs do not.
[[maybe_unused]] std::vector<Variante> dezVariantes() {
    std::vector<Variante> r(10, faixa("1", "2"));
    for (int i = 0; i < 10; ++i) r[i].codigo = std::to_string(101 + i);
    return r;
}

// `a` and `b` print at once on one history; each order file is `xml(app)`.
std::pair<Resultado, Resultado> aoMesmoTempo(
    const AplicacaoTemporaria& a, const AplicacaoTemporaria& b,
    const std::function<std::string(const AplicacaoTemporaria&)>& xml, const Lista& extras = {}) {
    auto iniciar = [&](const AplicacaoTemporaria& app) {
        app.gravar("pedidos.xml", xml(app));
        const Lista l = mais(mais({"--pasta", textoDoCaminho(app.pasta()), "imprimir",
                                   textoDoCaminho(app.pasta() / "pedidos.xml")},
                                  extras),
                             kTodasZebra);
        return std::async(std::launch::async, [l] { return apoio::executarCli(l); });
    };
    auto primeira = iniciar(a), segunda = iniciar(b);
    return {primeira.get(), segunda.get()};
}

}  // namespace

TEST(Historico, FaixaImpressaDuasVezesAnunciadaEDeixadaDeLadoComSemRepetir) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    ASSERT_EQ(app.imprimir(xmlPreco(1, {faixa("1", "4")}), kTodasZebra).codigo, 0);
    EXPECT_EQ(sequencias(app.trabalhos()), (Lista{"0001", "0002", "0003", "0004"}));
    EXPECT_TRUE(fs::exists(dados.historico())) << "under the user's data folder";

    const auto semRepetir =
        app.imprimir(xmlPreco(1, {faixa("1", "8")}), mais(kTodasZebra, {"--sem-repetir"}));
    EXPECT_EQ(semRepetir.codigo, 0) << semRepetir.erros;
    EXPECT_TRUE(
        contem(semRepetir.erros,
               "[Etiquetas já impressas] Sequências 1-4 da variante 0000000123-5 já impressas em "))
        << semRepetir.erros;
    EXPECT_EQ(sequencias(app.trabalhos()),
              (Lista{"0001", "0002", "0003", "0004", "0005", "0006", "0007", "0008"}));

    const auto todas = app.imprimir(xmlPreco(1, {faixa("1", "8")}), kTodasZebra);
    EXPECT_EQ(todas.codigo, 0);
    // One range a run.
    EXPECT_TRUE(contem(todas.erros, "Sequências 5-8 da variante 0000000123-5 já impressas em "))
        << todas.erros;
    EXPECT_EQ(app.trabalhos().size(), 8u) << "printed again: 4 more jobs";

    const auto linhas = linhasHistorico(app, {textoDoCaminho(app.pasta() / "pedidos.xml")});
    ASSERT_EQ(linhas.size(), 8u);
    EXPECT_TRUE(contem(linhas.front(), ",4512,10,0000000123-5,7,8,etiquetas,")) << linhas.front();
    EXPECT_TRUE(contem(linhas.back(), ",0000000123-5,1,2,")) << linhas.back();
    for (const auto& l : linhas) EXPECT_TRUE(terminaEm(l, ",enviada,concluída,")) << l;

    esperarFalha(app.imprimir(xmlPreco(1, {faixa("1", "8")}), mais(kTodasZebra, {"--sem-repetir"})),
                 "Todas as etiquetas marcadas já foram impressas.");
    EXPECT_EQ(app.trabalhos().size(), 8u);
}

// The script kills the program while the third job is at the printer.
TEST(Historico, MortoNoMeioDeixaOTrabalhoEmCursoComoPodeTerSidoImpresso) {
    DadosProprios dados;
    const std::string copia = dados.pasta().filename().string() + ".exe";
    AplicacaoTemporaria app(
        "if [ $n = 3 ]; then kill -9 $PPID; sleep 2; fi\n",
        "if \"%N%\"==\"3\" (" + apoio::encerraBat(copia) + " & " + apoio::esperaBat(3) + ")\r\n");
    fs::path programa = ETIQUETAS_CLI;
#ifdef _WIN32
    programa = app.pasta() / copia;
    fs::copy_file(ETIQUETAS_CLI, programa);
#endif
    // A program killed on Windows may exit with any status: no end told shows the kill.
    const auto morto = app.imprimir(xmlPreco(1, {faixa("1", "8")}), kTodasZebra, false, programa);
    EXPECT_EQ(morto.erros.find("sucesso"), std::string::npos) << morto.erros;
    EXPECT_EQ(app.trabalhos().size(), 3u);
    const auto linhas = linhasHistorico(app);
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_TRUE(contem(linhas[0], ",5,6,etiquetas,")) << linhas[0];
    // The run never told its end.
    EXPECT_TRUE(terminaEm(linhas[0], ",pode ter sido impressa,sem registro,")) << linhas[0];
    for (const auto& l : {linhas[1], linhas[2]})
        EXPECT_TRUE(terminaEm(l, ",enviada,sem registro,")) << l;
}

TEST(Historico, DuasImpressoesAoMesmoTempoRegistradasInteiras) {
    DadosProprios dados;
    AplicacaoTemporaria a, b;
    const auto [primeira, segunda] = aoMesmoTempo(a, b, [&a](const AplicacaoTemporaria& app) {
        Variante v = faixa("1", "40");
        v.codigo = &app == &a ? "111" : "222";  // files of their own bytes
        return xmlPreco(1, {v});
    });
    EXPECT_EQ(primeira.codigo, 0);
    EXPECT_EQ(segunda.codigo, 0);
    for (const auto* app : {&a, &b}) {
        const auto linhas = linhasHistorico(*app, {textoDoCaminho(app->pasta() / "pedidos.xml")});
        EXPECT_EQ(linhas.size(), 20u);
        for (const auto& l : linhas) EXPECT_TRUE(terminaEm(l, ",enviada,concluída,")) << l;
    }
}

// Its folder cannot be made: a file stands where it would be.
TEST(Historico, SemComoGravarNadaSaiSemSemHistorico) {
    DadosProprios dados;
    std::ofstream(dados.pasta() / "etiquetas") << "um arquivo, não uma pasta";
    AplicacaoTemporaria app;
    esperarFalha(app.imprimir(xmlPreco(1, {faixa("1", "4")}), kTodasZebra),
                 "[Histórico de Impressões] O histórico de impressões ");
    EXPECT_TRUE(app.trabalhos().empty());

    const auto seguiu =
        app.imprimir(xmlPreco(1, {faixa("1", "4")}), mais(kTodasZebra, {"--sem-historico"}));
    EXPECT_EQ(seguiu.codigo, 0) << seguiu.erros;
    EXPECT_TRUE(contem(seguiu.erros, "A impressão segue sem registro no histórico."));
    EXPECT_EQ(app.trabalhos().size(), 2u);

    // --sem-repetir without a history to read prints nothing.
    for (const Lista& extras : {Lista{}, Lista{"--sem-historico"}}) {
        esperarFalha(app.imprimir(xmlPreco(1, {faixa("1", "4")}),
                                  mais(kTodasZebra, mais({"--sem-repetir"}, extras))),
                     "Nenhuma etiqueta foi impressa.");
        EXPECT_EQ(app.trabalhos().size(), 2u);
    }
}

// A jam at sequence 3: the reprint sends from 3 on, from the bytes the run printed.
TEST(Historico, ReimpressaoDaPrimeiraEtiquetaPerdidaAteOFim) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    Variante a = faixa("1", "6"), b = faixa("1", "4");
    b.codigo = "222";
    const std::string xml = xmlPreco(1, {a, b});
    ASSERT_EQ(app.imprimir(xml, kTodasZebra).codigo, 0);
    const auto jobsAntes = app.trabalhos().size();
    // The run's id, second field of its rows.
    std::istringstream linha(linhasHistorico(app).back());
    std::string execucao;
    for (int i = 0; i < 2; ++i) std::getline(linha, execucao, ',');
    const Lista reimprimir{
        "--pasta", textoDoCaminho(app.pasta()), "reimprimir", execucao, "--a-partir-de", "3"};

    const auto s = apoio::executarCli(reimprimir);
    EXPECT_EQ(s.codigo, 0) << s.erros;
    auto jobs = app.trabalhos();
    jobs.erase(jobs.begin(), jobs.begin() + static_cast<long>(jobsAntes));
    EXPECT_EQ(sequencias(jobs),
              (Lista{"0003", "0004", "0005", "0006", "0001", "0002", "0003", "0004"}));

    for (const auto& [mudanca, mensagem] : std::vector<std::pair<std::string, std::string>>{
             {xml + " ", " mudou desde a impressão " + execucao}, {"", " não existe mais"}}) {
        if (mudanca.empty())
            fs::remove(app.pasta() / "pedidos.xml");
        else
            app.gravar("pedidos.xml", mudanca);
        const auto total = app.trabalhos().size();
        esperarFalha(apoio::executarCli(reimprimir), mensagem);
        EXPECT_EQ(app.trabalhos().size(), total);
    }
}

// Order values and settings are text: a spreadsheet runs none of them as a formula.
TEST(Historico, CsvNaoLevaFormulasAPlanilha) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    Variante v = faixa("1", "2");
    v.pedido = "=cmd|' /C calc'!A0";
    v.item = "@SUM(A1)";
    ASSERT_EQ(app.imprimir(xmlPreco(1, {v}), mais(kTodasZebra, {"--rede", "+SUM(1,2)"})).codigo, 0);
    const auto linhas = linhasHistorico(app);
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_TRUE(contem(linhas[0], ",'=cmd|' /C calc'!A0,'@SUM(A1),")) << linhas[0];
    EXPECT_TRUE(contem(linhas[0], ",\"'+SUM(1,2)\",")) << linhas[0];
}

// `reimprimir ""` or 0 names no run: nothing is printed again.
TEST(Historico, ReimprimirSemNumeroDeImpressaoRecusado) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    ASSERT_EQ(app.imprimir(xmlPreco(1, {faixa("1", "4")}), kTodasZebra).codigo, 0);
    for (const std::string execucao : {"0", ""}) {
        const auto s = app.executar({"reimprimir", execucao});
        EXPECT_EQ(s.codigo, 2) << s.erros;
        EXPECT_TRUE(contem(s.erros, "EXECUCAO: informe um número a partir de 1, não \"" + execucao +
                                        "\". Veja etiquetas-cli --help."))
            << s.erros;
        EXPECT_EQ(app.trabalhos().size(), 2u);
    }
}

// Reading a damaged history leaves it in place and says so; only a print puts it aside.
TEST(Historico, DanificadoDitoSemSerPostoDeLadoAoLer) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    fs::create_directories(dados.historico().parent_path());
    std::ofstream(dados.historico(), std::ios::binary) << std::string(4096, 'x');
    for (const Lista& comando : {Lista{"historico"}, Lista{"reimprimir", "1"}}) {
        esperarFalha(app.executar(comando), "está danificado");
        EXPECT_EQ(lerArquivo(dados.historico()), std::string(4096, 'x')) << comando[0];
    }
    EXPECT_TRUE(app.trabalhos().empty());
}

#ifndef _WIN32
// A file name in another code page: the history keeps it, the reprint opens that file.
TEST(Historico, NomeDeArquivoForaDoUtf8Reimpresso) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    const std::string nome = "ped\xe7\xe3o.xml";  // Latin-1
    app.gravar(nome, xmlPreco(1, {faixa("1", "4")}));
    const std::string pasta = app.pasta().string();
    auto s = apoio::executarCliUtf8(mais(
        {"--pasta", pasta, "imprimir", pasta + "/" + nome, "--ignorar-verificacao"}, kTodasZebra));
    ASSERT_EQ(s.codigo, 0) << s.erros;
    s = apoio::executarCliUtf8({"--pasta", pasta, "reimprimir", "1"});
    EXPECT_EQ(s.codigo, 0) << s.erros;
    EXPECT_EQ(sequencias(app.trabalhos()),
              (Lista{"0001", "0002", "0003", "0004", "0001", "0002", "0003", "0004"}));
}
#endif

// Only ticked rows are looked up in the history.
TEST(Historico, SoLinhasMarcadasProcuradasNoHistorico) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    Variante a = faixa("1", "2"), b = faixa("1", "2");
    b.codigo = "222";
    const std::string xml = xmlPreco(1, {a, b});
    ASSERT_EQ(app.imprimir(xml, kTodasZebra).codigo, 0);
    const auto s = app.imprimir(xml, mais(kZebra, {"--linhas", "2"}));
    EXPECT_EQ(s.codigo, 0) << s.erros;
    EXPECT_TRUE(contem(s.erros, "da variante 0000000222-5 já impressas")) << s.erros;
    EXPECT_FALSE(contem(s.erros, "0000000123-5")) << s.erros;
}

#ifndef _WIN32
// Killed at row 4 of 10: the reprint prints rows 4 to 10, those never started included.
TEST(Historico, ReimpressaoDeExecucaoInterrompidaImprimeOQueNuncaComecou) {
    DadosProprios dados;
    AplicacaoTemporaria app("if [ $n = 4 ]; then kill -9 $PPID; sleep 2; fi\n");
    const auto morto = app.imprimir(xmlPreco(1, dezVariantes()), kTodasZebra);
    EXPECT_EQ(app.trabalhos().size(), 4u) << morto.erros;
    const auto linhas = linhasHistorico(app);
    ASSERT_EQ(linhas.size(), 4u);
    ASSERT_TRUE(terminaEm(linhas.front(), ",pode ter sido impressa,sem registro,"))
        << linhas.front();
    const std::string trabalho = linhas.front().substr(0, linhas.front().find(','));

    const auto s = app.executar({"reimprimir", "1", "--trabalho", trabalho});
    EXPECT_EQ(s.codigo, 0) << s.erros;
    const auto jobs = app.trabalhos();
    ASSERT_EQ(jobs.size(), 11u);
    for (std::size_t i = 4; i < jobs.size(); ++i)
        EXPECT_TRUE(contem(codigosZpl(jobs[i].spool).at(0), std::to_string(100 + i)))
            << codigosZpl(jobs[i].spool).at(0);
    EXPECT_TRUE(contem(s.erros, "14 etiquetas enviadas")) << s.erros;
    EXPECT_TRUE(terminaEm(linhasHistorico(app).front(), ",enviada,concluída,reimpressão"));
}
#endif

#ifndef _WIN32
// How a run ended is kept: stopped by a signal, or by a script failing at the third job.
TEST(Historico, FimDaExecucaoRegistrado) {
    DadosProprios dados;
    {
        AplicacaoTemporaria app("sleep 0.3\n");
        app.gravar("pedidos.xml", xmlPreco(5, {faixa("1", "50")}));
        interromperAoSurgir(
            app, "imprimir '" + (app.pasta() / "pedidos.xml").string() + "' --impressora 1 --todas",
            "job-2.spool");
        EXPECT_TRUE(terminaEm(linhasHistorico(app).back(), ",enviada,cancelada,"));
    }
    AplicacaoTemporaria app("if [ $n = 3 ]; then exit 1; fi\n");
    EXPECT_EQ(app.imprimir(xmlPreco(1, {faixa("1", "8")}), kTodasZebra).codigo, 1);
    const auto linhas = linhasHistorico(app, {textoDoCaminho(app.pasta() / "pedidos.xml")});
    EXPECT_TRUE(terminaEm(linhas.front(), ",falhou,falhou,")) << linhas.front();
    EXPECT_TRUE(terminaEm(linhas.back(), ",enviada,falhou,")) << linhas.back();
}
#endif

// A reprint from the extra label of an odd range's last pair prints the pair again.
TEST(Historico, ReimpressaoDaEtiquetaExtraDoUltimoPar) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    ASSERT_EQ(app.imprimir(xmlPreco(1, {faixa("21", "29")}), kTodasZebra).codigo, 0);
    const auto s = app.executar({"reimprimir", "1", "--a-partir-de", "30"});
    EXPECT_EQ(s.codigo, 0) << s.erros;
    const auto jobs = app.trabalhos();
    ASSERT_EQ(jobs.size(), 6u);
    EXPECT_EQ(sequencias({jobs.back()}), (Lista{"0029", "0030"}));
}

// Two --sem-repetir runs at once on one history print the rows once between them.
TEST(Historico, DuasImpressoesSemRepetirAoMesmoTempoImprimemUmaVez) {
    DadosProprios dados;
    AplicacaoTemporaria a, b;
    const auto [r1, r2] = aoMesmoTempo(
        a, b, [](const AplicacaoTemporaria&) { return xmlPreco(1, {faixa("1", "40")}); },
        {"--sem-repetir"});
    EXPECT_EQ(a.trabalhos().size() + b.trabalhos().size(), 20u) << r1.erros << r2.erros;
    EXPECT_TRUE(r1.codigo == 0 || r2.codigo == 0) << r1.erros << r2.erros;
}

#ifndef _WIN32
// A disk that fills mid-run: the run's own words count every job that reached the printer.
TEST(Historico, DiscoCheioContaOQueChegouAImpressora) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    app.gravar("pedidos.xml", xmlPreco(1, dezVariantes()));
    const auto p = app.pasta();
    const std::string imprimir = std::string("'") + ETIQUETAS_CLI + "' --pasta '" + p.string() +
                                 "' imprimir '" + (p / "pedidos.xml").string() +
                                 "' --ignorar-verificacao --todas --impressora 1 --velocidade 4 "
                                 "--temperatura 8 --serial 9600,N,8,1 2>'" +
                                 (p / "erros").string() + "'";
    ASSERT_EQ(std::system(imprimir.c_str()), 0) << app.ler("erros");  // the history's first pages
    bool cortada = false;
    for (int blocos : {40, 60, 80, 100, 120, 160, 200, 260}) {
        SCOPED_TRACE(blocos);
        const std::size_t antes = app.trabalhos().size();
        std::system(
            ("trap '' XFSZ; ulimit -f " + std::to_string(blocos) + "; " + imprimir).c_str());
        const std::size_t enviados = app.trabalhos().size() - antes;
        const std::string erros = app.ler("erros");
        if (enviados == 0 || enviados == 10) continue;
        cortada = true;
        EXPECT_TRUE(contem(erros, std::to_string(2 * enviados) + " etiquetas enviadas")) << erros;
        EXPECT_TRUE(contem(erros, "O histórico de impressões ")) << erros;
        EXPECT_FALSE(contem(erros, "Nenhuma etiqueta foi impressa")) << erros;
        EXPECT_EQ(erros.find("sucesso"), std::string::npos) << erros;
    }
    EXPECT_TRUE(cortada) << "no limit cut a run short";
}
#endif
