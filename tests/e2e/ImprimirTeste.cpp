#include <gtest/gtest.h>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

using Lista = std::vector<std::string>;

const Lista kZebra{"--impressora",  "1", "--velocidade", "4",
                   "--temperatura", "8", "--serial",     "9600,N,8,1"};
const Lista kDatamax{"--impressora",  "0", "--velocidade", "",
                     "--temperatura", "8", "--serial",     "9600,N,8,1"};

Lista mais(Lista a, const Lista& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Variante faixa(const std::string& primeira, const std::string& ultima) {
    Variante v;
    v.primeira = primeira;
    v.ultima = ultima;
    return v;
}

// The template's text before "#INICIO#" and after "#FIM#", tokens filled.
std::pair<std::string, std::string> moldura(const AplicacaoTemporaria& app, const std::string& nome,
                                            const std::string& velocidade,
                                            const std::string& temperatura) {
    std::string t = app.ler(nome);
    substituirTodos(t, ":: CMD_VELOCIDADE ::", velocidade);
    substituirTodos(t, ":: Temperatura ::", temperatura);
    return {t.substr(0, t.find("#INICIO#")), t.substr(t.find("#FIM#") + 5)};
}

}  // namespace

TEST(Imprimir, CartolinaZebraFaixasCodigosMolduraEArgumentos) {
    AplicacaoTemporaria app;
    // Rows: 5-5, 1-5, 9998-10001 (edited from the file's 9990-10010), 10005-10006.
    const auto xml = xmlPreco(
        1, {faixa("5", "5"), faixa("1", "5"), faixa("9990", "10010"), faixa("10005", "10006")});
    const auto r = app.imprimir(xml, mais(kZebra, {"--todas", "--sequencia", "3:9998-10001"}));
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_NE(r.erros.find(cp1252ParaUtf8("[Fim da Impressão] Impressão das Etiquetas concluída "
                                          "com sucesso !")),
              std::string::npos)
        << r.erros;
    const auto jobs = app.trabalhos();
    const std::string p = "200000001235";
    const std::vector<Lista> esperados{
        {p + "0005", p + "0006"},  // 5-5: one unit
        {p + "0001", p + "0002"}, {p + "0003", p + "0004"}, {p + "0005", p + "0006"},  // 1-5
        {p + "9998", p + "9999"}, {p + "0001", p + "0002"},  // 9998-10001 wraps
        {p + "0006", p + "0007"}};                           // 10005 starts at 6
    ASSERT_EQ(jobs.size(), esperados.size());
    const auto [cabecalho, rodape] =
        moldura(app, "QuelmonteEtiqPrecoCartolinaZebra.zpl", "4", "08");
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_EQ(codigosZpl(jobs[i].spool), esperados[i]) << "job " << i + 1;
        EXPECT_EQ(jobs[i].spool.substr(0, cabecalho.size() + 4), cabecalho + "\r\n\r\n");
        EXPECT_EQ(jobs[i].spool.substr(jobs[i].spool.size() - rodape.size() - 2), rodape + "\r\n");
        EXPECT_EQ(jobs[i].args,
                  (Lista{(app.pasta() / "SpoolEtq.PRN").string(), "LPT1", "9600", "N", "8", "1"}));
    }
}

TEST(Imprimir, CodigoDeBarrasZebraComTrocaEDatamaxSimplesComConfiguracaoAntes) {
    Variante v = faixa("42", "43");
    v.codigo = "12345678901";
    v.digito = "7";
    {
        AplicacaoTemporaria app;
        ASSERT_EQ(app.imprimir(xmlPreco(1, {v}), mais(kZebra, {"--todas"})).codigo, 0);
        const auto jobs = app.trabalhos();
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(codigosZpl(jobs[0].spool), (Lista{"2123456789017004>62", "2123456789017004>63"}));
    }
    {
        AplicacaoTemporaria app;
        v.ultima = "45";  // two units
        const auto r = app.imprimir(xmlPreco(1, {v}), mais(kDatamax, {"--todas", "--separador"}));
        ASSERT_EQ(r.codigo, 0) << r.erros;
        const auto jobs = app.trabalhos();
        Lista arquivos;
        for (const auto& j : jobs) arquivos.push_back(j.arquivo());
        EXPECT_EQ(arquivos, (Lista{"SpoolEtq.PRN", "SpoolEtqImg.prn", "SpoolEtq.PRN",
                                   "SpoolEtqImg.prn", "SpoolEtq.PRN"}));
        ASSERT_EQ(jobs.size(), 5u);
        EXPECT_EQ(jobs[1].spool, app.ler("QuelmonteConfiguracaoDatamax.prn") + "\r\n");
        EXPECT_NE(jobs[2].spool.find("21234567890170042"), std::string::npos);
        EXPECT_NE(jobs[2].spool.find("21234567890170043"), std::string::npos);
        EXPECT_EQ(jobs[2].spool.find(">6"), std::string::npos);
        // Empty speed on a Datamax: "C"; temperature 8 is 08 in the label
        // template and 8 as typed in the separator.
        EXPECT_NE(jobs[2].spool.find("\r\nH08\r\nPC\r\n"), std::string::npos);
        EXPECT_NE(jobs[0].spool.find("\r\nH8\r\nPC\r\n"), std::string::npos);
        EXPECT_NE(jobs[0].spool.find("PEDIDO: 0000004512"), std::string::npos);
    }
}

TEST(Imprimir, LayoutDoIniDeslocamentosFonteTamanhoEJuncoes) {
    AplicacaoTemporaria app;
    std::string ini = app.ler("QuelmonteEtiqueta.ini");
    const std::string secao = "[QuelmonteEtiqPrecoZebra]";
    const auto inicio = ini.find(secao);
    ASSERT_NE(inicio, std::string::npos);
    ini.insert(inicio + secao.size(),
               "\r\nRepeticao=0002\r\nLargura=0300\r\nFonteCodigo=@\r\nFonteNome=E:ARIAL.TTF");
    // The first key of a section wins: the inserted ones replace the shipped.
    app.gravar("QuelmonteEtiqueta.ini", ini);
    app.gravar("QuelmonteEtiqPrecoCartolinaZebra.zpl",
               "^XA\r\n#INICIO#\r\nO=GGGG;F=^A*N,20,20,FONTE_NOME;U=:: TamanhoUnico ::;"
               "T=:: Tamanho ::;C=:: Catalogo ::;P=:: Promocao ::;\r\n#FIM#\r\n^XZ");
    Variante v = faixa("1", "4");
    v.tamanho = "u";
    v.tendencia = "X";
    v.familia = "";
    v.catalogo = "A";
    v.promocao = "";
    v.coordenado = "C";
    ASSERT_EQ(app.imprimir(xmlPreco(1, {v}), mais(kZebra, {"--todas"})).codigo, 0);
    const auto jobs = app.trabalhos();
    ASSERT_EQ(jobs.size(), 2u);
    const std::string comum = ";F=^A@N,20,20,E:ARIAL.TTF;U=UNICO;T=;C=X;P=A - C;";
    EXPECT_EQ(jobs[0].spool, "^XA\r\n\r\n\r\nO=0000" + comum + "\r\n\r\n^XZ\r\n");
    EXPECT_EQ(jobs[1].spool, "^XA\r\n\r\n\r\nO=-0300" + comum + "\r\n\r\n^XZ\r\n");
}

TEST(Imprimir, ComSemEConjuntoPrefixosESupressaoSoParaOrigemI) {
    struct Caso {
        int tipo;
        std::string origem, a, b;
        bool suprimido;
    };
    for (const auto& c : std::vector<Caso>{{5, "I", "3", "4", true},
                                           {5, "i", "3", "4", false},
                                           {9, "I", "5", "6", true},
                                           {9, "N", "5", "6", false}}) {
        AplicacaoTemporaria app;
        Variante v = faixa("1", "3");
        v.origem = c.origem;
        const auto r = app.imprimir(xmlPreco(c.tipo, {v}), mais(kZebra, {"--todas"}));
        ASSERT_EQ(r.codigo, 0) << r.erros;
        const auto jobs = app.trabalhos();
        ASSERT_EQ(jobs.size(), 3u) << "one unit per sequence number";
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            const std::string n = "000" + std::to_string(i + 1);
            EXPECT_EQ(codigosZpl(jobs[i].spool),
                      (Lista{c.a + "00000001235" + n, c.b + "00000001235" + n}));
            EXPECT_EQ(contar(jobs[i].spool, "129,90"), c.suprimido ? 0u : 2u) << c.tipo << c.origem;
            EXPECT_EQ(contar(jobs[i].spool, "R$"), c.suprimido ? 0u : 2u) << c.tipo << c.origem;
        }
    }
}

TEST(Imprimir, UmSeparadorPorMudancaDePedidoOuItem) {
    AplicacaoTemporaria app;
    std::vector<Variante> vs(5, faixa("1", "1"));
    vs[0].pedido = vs[1].pedido = vs[2].pedido = "100";
    vs[0].item = vs[1].item = "10";
    vs[2].item = "20";
    vs[3].pedido = "200";  // not ticked
    vs[3].item = "20";
    vs[4].pedido = "100";
    vs[4].item = "20";
    ASSERT_EQ(
        app.imprimir(xmlPreco(1, vs), mais(kZebra, {"--linhas", "1-3,5", "--separador"})).codigo,
        0);
    auto campo = [](const std::string& spool, const std::string& rotulo) {
        const auto p = spool.find(rotulo);
        return spool.substr(p, spool.find("^FS", p) - p);
    };
    Lista ordem;
    for (const auto& j : app.trabalhos())
        ordem.push_back(j.spool.find("PEDIDO: ") == std::string::npos
                            ? "etiqueta"
                            : campo(j.spool, "PEDIDO: ") + " " + campo(j.spool, "ITEM PED.: "));
    EXPECT_EQ(ordem, (Lista{"PEDIDO: 0000000100 ITEM PED.: 0010", "etiqueta", "etiqueta",
                            "PEDIDO: 0000000100 ITEM PED.: 0020", "etiqueta", "etiqueta"}));
}

TEST(Imprimir, ParaAntesDeQualquerTrabalho) {
    struct Caso {
        std::string descricao;
        Lista opcoes;
        std::string mensagem;
    };
    for (const auto& c : std::vector<Caso>{
             {"network path empty", mais(kZebra, {"--todas", "--rede", ""}),
              "[Caminho para Impressora] Informe o caminho de rede da Impressora !"},
             {"nothing ticked", kZebra,
              "Não foi selecionado nenhum Pedido para ser impressa a Etiqueta de Preço !"}}) {
        AplicacaoTemporaria app;
        const auto r = app.imprimir(xmlPreco(1, {faixa("1", "2")}), c.opcoes);
        EXPECT_EQ(r.codigo, 1) << c.descricao;
        EXPECT_NE(r.erros.find(cp1252ParaUtf8(c.mensagem)), std::string::npos) << r.erros;
        EXPECT_EQ(r.erros.find("confirmada"), std::string::npos);
        EXPECT_TRUE(app.trabalhos().empty()) << c.descricao;
    }
}

TEST(Imprimir, CaminhoDeRedeChegaIntactoEScriptQueFalhaParaAExecucao) {
    AplicacaoTemporaria app;
    const std::string rede = "\\\\srv\\fila & echo x; $(touch invadido)";
    auto r =
        app.imprimir(xmlPreco(1, {faixa("1", "4")}), mais(kZebra, {"--todas", "--rede", rede}));
    ASSERT_EQ(r.codigo, 0) << r.erros;
    ASSERT_EQ(app.trabalhos().size(), 2u);
    EXPECT_EQ(app.trabalhos()[0].args.at(1), rede);
    EXPECT_FALSE(fs::exists(app.pasta() / "invadido"));

    AplicacaoTemporaria falha;
    falha.gravar("QuelmonteImprime.sh",
                 kScriptGravador + std::string("echo 'Sem papel.' >&2\nexit 2\n"));
    r = falha.imprimir(xmlPreco(1, {faixa("1", "4")}), mais(kZebra, {"--todas"}));
    EXPECT_EQ(r.codigo, 1);
    EXPECT_NE(r.erros.find(cp1252ParaUtf8("[Erro !] A etiqueta não foi entregue à impressora: Sem "
                                          "papel. Linha: 22")),
              std::string::npos)
        << r.erros;
    EXPECT_EQ(r.erros.find("sucesso"), std::string::npos);
    EXPECT_EQ(falha.trabalhos().size(), 1u) << "the run stops at the first failed job";
}

TEST(Imprimir, TipoAindaSemRotinaNaoFingeImprimir) {
    AplicacaoTemporaria app;
    const auto r = app.imprimir(xmlPreco(2, {faixa("1", "2")}), mais(kZebra, {"--todas"}));
    EXPECT_EQ(r.codigo, 1);
    EXPECT_NE(r.erros.find("[Tipo de Etiqueta]"), std::string::npos) << r.erros;
    EXPECT_TRUE(app.trabalhos().empty());
}
