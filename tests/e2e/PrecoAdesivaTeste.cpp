// Adhesive price labels (type 2) and the intimate-apparel family (type 6).

#include <gtest/gtest.h>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

const std::string kPrefixo = "200000001235";  // "2", variant 000123, digit 5

std::string xmlAdesiva(int tipo, const std::vector<Variante>& variantes, bool novo = false) {
    return novo ? comLayoutNovo(xmlPreco(tipo, variantes)) : xmlPreco(tipo, variantes);
}

// The family's template base name.
std::string baseAdesiva(int tipo, bool novo) {
    return std::string(tipo == 2 ? "QuelmonteEtiqPrecoAdesiva"
                                 : "QuelmonteEtiqPrecoAdesivaIntima") +
           (novo ? "_NOVO" : "");
}

// A template whose body is one "[...]" group of the given tokens per label.
void modeloGrupos(const AplicacaoTemporaria& app, const std::string& nome,
                  const std::string& campos) {
    app.gravar(nome, "INICIO\r\n#INICIO# [" + campos + "] #FIM#\r\nFIM");
}

// The "[...]" groups of each job, split at "|".
std::vector<std::vector<Lista>> grupos(const std::vector<Trabalho>& jobs) {
    std::vector<std::vector<Lista>> r;
    for (const auto& j : jobs) {
        std::vector<Lista> doJob;
        for (const auto& grupo : entre(j.spool, "[", "]")) {
            doJob.emplace_back();
            std::istringstream campos(grupo);
            for (std::string c; std::getline(campos, c, '|');) doJob.back().push_back(c);
        }
        r.push_back(doJob);
    }
    return r;
}

// Sequence numbers read from bar codes of the known prefix, jobs apart by "|".
std::string sequencias(const std::vector<Trabalho>& jobs) {
    std::string r;
    const auto g = grupos(jobs);
    for (std::size_t j = 0; j < g.size(); ++j) {
        r += j ? " | " : "";
        for (const auto& campos : g[j])
            for (const auto& c : campos)
                if (c.starts_with(kPrefixo))
                    r += (r.empty() || r.ends_with(' ') ? "" : " ") + c.substr(kPrefixo.size());
    }
    substituirTodos(r, ">6", "");  // an odd digit count's last digit
    return r;
}

}  // namespace

// A classic row holds `Repeticao` labels a width apart; each row restarts from the layout.
TEST(PrecoAdesiva, FileirasClassicasColunasEMargens) {
    struct Caso {
        std::string repeticao;
        std::vector<Variante> linhas;
        std::string numeros;
    };
    const std::vector<Caso> casos{{"0003",
                                   {faixa("1", "7"), faixa("1", "2")},
                                   "0001 0002 0003 | 0004 0005 0006 | 0007 | 0001 0002"},
                                  {"0002",
                                   {faixa("1", "1"), faixa("5", "4"), faixa("6", "4"),
                                    faixa("9998", "10001"), faixa("10005", "10006")},
                                   "0001 | 0005 | 9998 9999 | 0001 0002 | 10005 0001"}};
    for (const auto& c : casos) {
        AplicacaoTemporaria app;
        app.ajustarIni("QuelmonteEtiqPrecoAdesivaZebra",
                       "Repeticao=" + c.repeticao +
                           "\r\nMargemEsquerda=0010\r\nMargemTopo=0005\r\nPreco=01000050\r\n");
        modeloGrupos(app, "QuelmonteEtiqPrecoAdesivaZebra.zpl",
                     "COL1:: Cod. da Barra ::|PPPP|_PP_");
        const auto jobs = app.imprimirBem(xmlAdesiva(2, c.linhas), kTodasZebra);
        EXPECT_EQ(sequencias(jobs), c.numeros) << c.repeticao;
        for (const auto& job : grupos(jobs))
            for (std::size_t coluna = 0; coluna < job.size(); ++coluna)
                EXPECT_EQ(job[coluna][1] + "," + job[coluna][2],
                          formatarInteiro(110 + 400 * coluna, "0000") + ",0055");
    }
}

// The new layout prints pairs; its body stays in place whatever the repetition.
TEST(PrecoAdesiva, LayoutNovoImprimePares) {
    AplicacaoTemporaria app;
    app.ajustarIni("QuelmonteEtiqPrecoAdesiva_NOVOZebra", "Repeticao=0002\r\n");
    modeloGrupos(app, "QuelmonteEtiqPrecoAdesiva_NOVOZebra.zpl",
                 "COL1:: Cod. da Barra ::|COL1:: Cod. da Barra2 ::|CCCC|:: Dados Dt,Depto,Mat,"
                 "Dig ::|:: Dados Dt,Depto,Mat,Dig2 ::");
    const auto jobs =
        app.imprimirBem(xmlAdesiva(2, {faixa("1", "4"), faixa("1", "5")}, true), kTodasZebra);
    EXPECT_EQ(sequencias(jobs), "0001 0002 | 0003 0004 | 0001 0002 | 0003 0004 | 0005 0006");
    for (const auto& job : grupos(jobs)) {
        ASSERT_EQ(job.size(), 1u);
        EXPECT_EQ(job[0][2], "0016");
        // Data lines: delivery date, department, material, digit, sent date, number.
        EXPECT_TRUE(job[0][3].starts_with("2026 042 0000000123 5 2026 0000")) << job[0][3];
    }
}

// Datamax rows batch by two full rows; the rest goes at the end, after the set-up file.
TEST(PrecoAdesiva, LotesDatamaxAoLongoDaExecucao) {
    struct Caso {
        int tipo;
        bool novo;
        std::string repeticao;
        std::vector<Variante> linhas;
        Lista arquivos;
        std::string numeros;  // of the label jobs
    };
    const std::string I = "SpoolEtqImg.prn", E = "SpoolEtq.PRN";
    const std::vector<Caso> casos{
        {2, false, "0002", {faixa("1", "4")}, {E, I, E}, "0001 0002 | 0003 0004"},
        {2, false, "0001", {faixa("1", "3")}, {I, E}, "0001 0002 0003"},
        {2,
         false,
         "0002",
         {faixa("1", "3"), faixa("1", "2")},
         {E, I, E},
         "0001 0002 | 0003 0001 0002"},
        {2, true, "0002", {faixa("1", "4")}, {E, E}, "0001 0002 | 0003 0004"},
        {6, false, "0001", {faixa("1", "3")}, {E}, "0001 0002 0003"},
        {6, false, "0002", {faixa("1", "4")}, {E, E}, "0001 0002 | 0003 0004"}};
    for (const auto& c : casos) {
        AplicacaoTemporaria app;
        const std::string base = baseAdesiva(c.tipo, c.novo);
        app.ajustarIni(base + "Datamax", "Repeticao=" + c.repeticao + "\r\n");
        modeloGrupos(
            app, base + "DataMax.prn",
            c.tipo == 2 ? "COL1:: Cod. da Barra ::|COL1:: Cod. da Barra2 ::" : ":: CodBarras ::");
        const auto jobs = app.imprimirBem(xmlAdesiva(c.tipo, c.linhas, c.novo), kTodasDatamax);
        EXPECT_EQ(arquivosDosSpools(jobs), c.arquivos) << base << " " << c.repeticao;
        std::vector<Trabalho> etiquetas;
        for (const auto& j : jobs)
            if (arquivoDoSpool(j) == E)
                etiquetas.push_back(j);
            else
                EXPECT_EQ(j.spool, app.ler("QuelmonteConfiguracaoDatamax.prn") + "\r\n");
        EXPECT_EQ(sequencias(etiquetas), c.numeros) << base << " " << c.repeticao;
    }
}

// Shipped templates leave no token, place every field and carry readable bar codes.
TEST(PrecoAdesiva, ModelosInstaladosPreenchemTudo) {
    Variante v = faixa("41", "44");
    v.codigo = "12345678901";  // eleven digits: the Zebra code needs a switch
    v.campos["Digito"] = "7";
    for (int caso = 0; caso < 8; ++caso) {
        const int tipo = caso & 1 ? 6 : 2;
        const bool novo = caso & 2, zebra = caso & 4;
        SCOPED_TRACE(std::to_string(tipo) + (novo ? " novo " : " ") +
                     (zebra ? "zebra" : "datamax"));
        AplicacaoTemporaria app;
        const auto jobs =
            app.imprimirBem(xmlAdesiva(tipo, {v}, novo), zebra ? kTodasZebra : kTodasDatamax);
        ASSERT_FALSE(jobs.empty());
        std::string tudo;
        for (const auto& j : jobs) tudo += j.spool;
        EXPECT_EQ(contar(tudo, "::"), 0u);
        for (const std::string token :
             {"CCCC", "DDDD", "TTTT", "DLDL", "LDLD", "REFF", "CBCB",       "EEEE", "MMMM",
              "PPPP", "BBBB", "LILI", "_LI_", "_CC_", "_DD_", "_TT_",       "_LD_", "_DL_",
              "_EF_", "_BC_", "_EE_", "_MM_", "_PP_", "_BB_", "FONTE_NOME", "COL1", "%1922"})
            EXPECT_EQ(contar(tudo, token), 0u) << token;
        EXPECT_EQ(contar(tudo, "129,90"), 4u);
        if (zebra) {
            EXPECT_EQ(codigosZpl(tudo), (Lista{"2123456789017004>61", "2123456789017004>62",
                                               "2123456789017004>63", "2123456789017004>64"}));
        }
    }
}

// Sizes, prices, descriptions and order text as each family writes them.
TEST(PrecoAdesiva, DadosDaEtiquetaPorFamilia) {
    struct Caso {
        int tipo;
        bool novo;
        std::string campos;  // "Nome=valor;Nome=valor"
        std::string modelo;
        std::string esperado;
    };
    const std::string desc = "CALCINHA RENDA FIO DENTAL ALGODAO PRETA";  // 39 characters
    const std::vector<Caso> casos{
        {2, false, "Tamanho= u ", ":: Tamanho ::|:: TamanhoUnico ::", "TAM: |UNICO"},
        {2, true, "Tamanho=M", ":: Tamanho ::|:: TamanhoUnico ::", "      M|"},
        {2, true, "", ":: Prec|:: Catalogo ::|:: Desc. Linha 02 ::", "  129,90|AZUL|0000000123"},
        {2, false, "CodigoPromocao=P9",
         ":: Catalogo ::|:: Desc. Linha 02 ::|:: Desc.Linha 01 ::|:: Prec",
         "A|BLUSA MALHA   P9|C INVERNO  P1    VALE A PENA|129,90"},
        {6, false, "PrecoMaterial=9,90", ":: Preco ::", "R$ 9,90"},
        {6, true, "PrecoMaterial=9,90", ":: Preco ::", "    9,90"},
        {6, false, "Tamanho=U", ":: Tamanho ::|:: TamanhoUnico ::", "TAM:  - INVERNO|UNICO"},
        {6, false, "DescricaoMaterial=" + desc, ":: Desc. Linha 01 ::|:: Desc.Linha 02 ::|_DL_",
         "0000000123 CALCINHA RENDA FIO D|CALCINHA RENDA FIO DENTAL ALGOD|0000"},
        {6, false, "CodigoPromocao=P9",
         ":: REF_FORNECEDOR ::|:: Dados Dt,Depto,Mat,Dig ::", "REF77   P9|042 2000000012350001"},
        // An odd digit count switches subset before its last digit.
        {2, false, "Codigo=12345678901;Digito=7;SequenciaInicial=10005;SequenciaFinal=10005",
         "COL1:: Cod. da Barra ::|:: Dados Dt,Depto,Mat,Dig ::",
         "212345678901710005|2026 042 12345678901 7 2026 10005"},
        {6, false, "Codigo=12345678901;Digito=7;SequenciaInicial=9999;SequenciaFinal=9999",
         ":: CodBarras ::", "2123456789017999>69"},
        // Order text that looks like printer commands prints as text.
        {2, false, "Catalogo=^XZ~JR", ":: Catalogo ::", "\\5EXZ\\7EJR"},
        {6, false, "MaterialForn=A^FS", ":: REF_FORNECEDOR ::", "A\\5EFS   "}};
    for (const auto& c : casos) {
        AplicacaoTemporaria app;
        Variante v = faixa("1", "1");
        std::istringstream campos(c.campos);
        for (std::string par; std::getline(campos, par, ';');)
            (par.starts_with("Codigo=") ? v.codigo : v.campos[par.substr(0, par.find('='))]) =
                par.substr(par.find('=') + 1);
        modeloGrupos(app, baseAdesiva(c.tipo, c.novo) + "Zebra.zpl", c.modelo);
        const auto jobs = app.imprimirBem(xmlAdesiva(c.tipo, {v}, c.novo), kTodasZebra);
        ASSERT_EQ(jobs.size(), 1u) << c.modelo;
        const auto& s = jobs[0].spool;
        EXPECT_EQ(s.substr(s.find('[') + 1, s.find(']') - s.find('[') - 1), c.esperado)
            << c.tipo << " " << c.modelo;
    }
}

// A bad cell or layout value ends the run with "Erro !" and the row, no success.
TEST(PrecoAdesiva, FalhasTerminamAExecucao) {
    struct Caso {
        std::string chaves;  // put first in the Zebra section
        std::string segundaPrimeira;
        std::string mensagem;
        std::size_t trabalhos;
    };
    for (const auto& c : std::vector<Caso>{
             {"", "abc", "Valor não numérico em Inf. a Seq. Inicial: \"abc\". Linha 2 da grade", 1},
             {"Preco=00A00050\r\n", "1",
              "Posição inválida em QuelmonteEtiqueta.ini, seção QuelmonteEtiqPrecoAdesivaZebra, "
              "chave Preco: \"00A00050\". Linha 1 da grade",
              0},
             {"Catalogo=0100\r\n", "1", "chave Catalogo: \"0100\". Linha 1 da grade", 0},
             {"Repeticao=0000\r\n", "1",
              "Repetição deverá ser maior que 0 na seção "
              "QuelmonteEtiqPrecoAdesivaZebra",
              0},
             {"Repeticao=99999\r\n", "1",
              "Valor inválido para Repeticao na seção QuelmonteEtiqPrecoAdesivaZebra de "
              "QuelmonteEtiqueta.ini: \"99999\"",
              0},
             {"MargemEsquerda=32000\r\nCatalogo=09990010\r\n", "1", "Estouro de capacidade.", 0}}) {
        AplicacaoTemporaria app;
        app.ajustarIni("QuelmonteEtiqPrecoAdesivaZebra", c.chaves);
        const auto r = app.imprimir(xmlAdesiva(2, {faixa("1", "2"), faixa(c.segundaPrimeira, "3")}),
                                    kTodasZebra);
        esperarFalha(r, c.mensagem);
        EXPECT_TRUE(contem(r.erros, "[Erro !] ")) << r.erros;
        EXPECT_EQ(app.trabalhos().size(), c.trabalhos) << c.mensagem;
    }
}
