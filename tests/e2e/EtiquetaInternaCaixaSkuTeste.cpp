#include <gtest/gtest.h>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

// The portal's variant 000123 with check digit 5, as the sheets show it.
const std::string kVarianteLegivel = "0000000 123";
const std::string kCodigoSemNumero = "00000001235";

// A row of the internal/box family: department 565 shows the variant list.
Variante linha(const std::string& tipoEtiq, const std::string& primeira, const std::string& ultima,
               const std::string& depto = "565") {
    Variante v = faixa(primeira, ultima);
    v.campos["TipoEtiq"] = tipoEtiq;
    v.campos["CodDepto"] = depto;
    v.campos["CorIngles"] = "BLUE";
    v.campos["TamanhoIngles"] = "MEDIUM";
    return v;
}

bool separador(const Trabalho& t) {
    return arquivoDoSpool(t) == "SpoolEtq.PRN";
}

Lista codigos(const std::string& spool) {
    return spool.find("^XA") != std::string::npos ? codigosZpl(spool) : codigosDpl(spool);
}

// What follows the readable variant on each position: digit and number.
Lista linhasLegiveis(const std::string& spool, const std::string& legivel = kVarianteLegivel) {
    Lista r;
    for (auto p = spool.find(legivel + " "); p != std::string::npos;
         p = spool.find(legivel + " ", p + 1)) {
        const auto inicio = p + legivel.size() + 1;
        r.push_back(spool.substr(inicio, spool.find_first_of("^\r", inicio) - inicio));
    }
    return r;
}

// One line per job: "separador" or the sheet's bar-code numbers, each shown readable.
Lista resumo(const std::vector<Trabalho>& jobs) {
    Lista r;
    for (const auto& j : jobs) {
        if (separador(j)) {
            r.push_back("separador");
            continue;
        }
        EXPECT_EQ(arquivoDoSpool(j), "SpoolEtqVol.PRN");
        std::string folha;
        Lista esperadas;
        for (const auto& c : codigos(j.spool)) {
            EXPECT_EQ(c.substr(0, c.size() - 4), "2" + kCodigoSemNumero);
            folha += (folha.empty() ? "" : " ") + c.substr(c.size() - 4);
            esperadas.push_back("5 " + c.substr(c.size() - 4));
        }
        EXPECT_EQ(linhasLegiveis(j.spool), esperadas);
        r.push_back(folha);
    }
    return r;
}

}  // namespace

// Types 6, 7 and 99: each position takes the next number; an exact fill takes one sheet more.
TEST(EtiquetaInternaCaixa, FolhasENumeracaoPorPosicao) {
    struct Caso {
        int tipo;
        std::string tipoEtiq, primeira, ultima;
        int folhas, porFolha;
        int primeiroNumero;
    };
    const std::vector<Caso> casos{{6, "2", "1", "4", 1, 6, 2},          // q = 0
                                  {6, "2", "1", "6", 1, 6, 2},          // six fit one sheet
                                  {6, "1", "1", "6", 2, 6, 2},          // TipoEtiq 1: q = 1
                                  {6, "2", "1", "7", 3, 6, 2},          // q = 1.17
                                  {7, "2", "1", "12", 3, 6, 2},         // q = 2, exact
                                  {99, "2", "1", "2", 1, 2, 2},         // box: q = 0
                                  {99, "2", "1", "3", 3, 2, 2},         // q = 1.5
                                  {99, "2", "1", "4", 3, 2, 2},         // q = 2, exact
                                  {99, "1", "5", "5", 2, 2, 6},         // TipoEtiq 1: q = 0.5
                                  {7, "2", "10005", "10005", 1, 6, 7},  // 10005 runs as 6
                                  {6, "2", "9997", "9998", 1, 6, 9998}};
    for (const auto& c : casos) {  // wraps at the position
        AplicacaoTemporaria app;
        const auto r = app.imprimir(xmlPreco(c.tipo, {linha(c.tipoEtiq, c.primeira, c.ultima)}),
                                    mais(kTodasZebra, {"--tipo", "Etiq.Caixa"}));
        ASSERT_EQ(r.codigo, 0) << r.erros;
        EXPECT_TRUE(contem(r.erros, "sucesso"));
        Lista esperado{"separador"};
        for (int f = 0, k = c.primeiroNumero; f < c.folhas; ++f) {
            std::string folha;
            for (int p = 0; p < c.porFolha; ++p, k = k == 9999 ? 1 : k + 1)  // 9999, then 0001
                folha += (p ? " " : "") + formatarInteiro(k, "0000");
            esperado.push_back(folha);
        }
        EXPECT_EQ(resumo(app.trabalhos()), esperado)
            << c.tipo << " TipoEtiq " << c.tipoEtiq << " " << c.primeira << "-" << c.ultima;
    }
}

// A department-550 box row prints on the internal sheet, each with its own separator.
TEST(EtiquetaInternaCaixa, Departamento550NaFolhaInternaESeparadorDeCaixa) {
    AplicacaoTemporaria app;
    const auto xml = xmlPreco(
        99, {linha("2", "1", "2", "550"), linha("2", "1", "2"), linha("2", "1", "2", "550")});
    const auto jobs =
        app.imprimirBem(xml, mais(kZebra, {"--linhas", "1,2", "--tipo", "Etiq.Caixa"}));
    EXPECT_EQ(resumo(jobs),
              (Lista{"separador", "0002 0003 0004 0005 0006 0007", "separador", "0002 0003"}));
    ASSERT_EQ(jobs.size(), 4u);
    EXPECT_NE(jobs[1].spool.find("^LL600"), std::string::npos) << "internal sheet";
    EXPECT_NE(jobs[3].spool.find("^LL800"), std::string::npos) << "box sheet";
    EXPECT_NE(jobs[0].spool.find("ETIQUETA EXTERNA DA CAIXA"), std::string::npos);
    EXPECT_NE(jobs[0].spool.find("^PW812"), std::string::npos) << "the sheets' separator";
    EXPECT_EQ(jobs[0].spool.find("REF FORN"), std::string::npos);
}

// Data "2" & variant & digit & number; Zebra switches subset before an odd code's last digit.
TEST(EtiquetaInternaCaixa, CodigoDeBarrasELinhaLegivel) {
    struct Caso {
        Lista impressora;
        std::string variante, codigo, legivel;
    };
    const std::vector<Caso> casos{{kZebra, "0000123456", "2000012345670015", "0000123 456"},
                                  {kDatamax, "0000123456", "2000012345670015", "0000123 456"},
                                  {kZebra, "12345678901", "2123456789017001>65", "12345678 901"},
                                  {kDatamax, "12345678901", "21234567890170015", "12345678 901"}};
    for (const auto& c : casos) {
        AplicacaoTemporaria app;
        Variante v = linha("2", "14", "14");
        v.codigo = c.variante;
        v.campos["Digito"] = "7";
        const auto jobs = app.imprimirBem(xmlPreco(6, {v}),
                                          mais(c.impressora, {"--todas", "--tipo", "Etiq.Caixa"}));
        ASSERT_EQ(jobs.size(), 2u) << c.codigo;
        const auto folha = codigos(jobs[1].spool);
        ASSERT_EQ(folha.size(), 6u) << c.codigo;
        EXPECT_EQ(folha[0], c.codigo);
        EXPECT_EQ(linhasLegiveis(jobs[1].spool, c.legivel),
                  (Lista{"7 0015", "7 0016", "7 0017", "7 0018", "7 0019", "7 0020"}));
    }
}

// Order text prints as text: commands go out escaped, tokens in values are not filled.
TEST(EtiquetaInternaCaixa, ValoresDoPedidoSaoTexto) {
    AplicacaoTemporaria app;
    Variante v = linha("2", "1", "1");
    v.campos["DescricaoMaterial"] = "BLUSA ^XZ~JA";
    v.campos["CorIngles"] = ":: NUM_COD_BARRAS ::";
    v.campos["NomeForn"] = "LOJA ^FS";
    const auto jobs =
        app.imprimirBem(xmlPreco(6, {v}), mais(kTodasZebra, {"--tipo", "Etiq.Caixa"}));
    EXPECT_EQ(resumo(jobs), (Lista{"separador", "0002 0003 0004 0005 0006 0007"}));
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(contar(jobs[1].spool, "BLUSA \\5EXZ\\7EJA"), 6u);
    EXPECT_EQ(contar(jobs[1].spool, "^XZ"), 1u);
    EXPECT_EQ(contar(jobs[1].spool, "/ :: NUM_COD_BARRAS ::^FS"), 6u);
    EXPECT_NE(jobs[0].spool.find("FORNECEDOR: LOJA \\5EFS"), std::string::npos);
}

// SKU sheets carry the sheet's number; TipoEtiq 5 and 9 double the count and alternate.
TEST(EtiquetaSku, PrefixosAlternadosENumerosPorFolha) {
    struct Caso {
        Lista impressora;
        std::string tipoEtiq, primeira, ultima;
        Lista folhas;  // prefix and number of each sheet
    };
    const std::vector<Caso> casos{
        {kZebra, "5", "10", "12", {"3 0010", "4 0011", "3 0012", "4 0013", "3 0014", "4 0015"}},
        {kZebra, "2", "1", "4", {"2 0001", "2 0002", "2 0003", "2 0004"}},
        {kZebra, "9", "1", "2", {"5 0001", "6 0002", "5 0003", "6 0004"}},
        {kZebra, "5", "1", "4", {"3 0001", "4 0002", "3 0003"}},  // 8 > 6: two + 1
        {kZebra, "1", "1", "3", {"2 0001", "2 0002"}},
        {kZebra, "2", "9999", "10000", {"2 9999", "2 0001"}},
        {kZebra, "2", "10005", "10005", {"2 0006"}},
        {kDatamax, "5", "1", "1", {"3 0001", "4 0002"}}};
    for (const auto& c : casos) {
        AplicacaoTemporaria app;
        const auto jobs =
            app.imprimirBem(xmlPreco(99, {linha(c.tipoEtiq, c.primeira, c.ultima, "42")}),
                            mais(c.impressora, {"--todas"}));
        ASSERT_FALSE(jobs.empty());
        EXPECT_TRUE(separador(jobs[0]));
        EXPECT_NE(jobs[0].spool.find("REF FORN: "), std::string::npos) << "order/item separator";
        Lista folhas;
        for (std::size_t i = 1; i < jobs.size(); ++i) {
            const auto& s = jobs[i].spool;
            const auto cods = codigos(s);
            ASSERT_EQ(cods.size(), 6u);
            const std::string prefixo = cods[0].substr(0, 1), numero = cods[0].substr(12);
            EXPECT_EQ(cods, Lista(6, prefixo + kCodigoSemNumero + numero))
                << "no blank, one number";
            EXPECT_EQ(linhasLegiveis(s), Lista(6, "5 " + numero));
            EXPECT_EQ(
                contar(s, prefixo + " " + (s.find("^XA") != std::string::npos ? "^FS" : "\r")), 6u)
                << "the prefix field";
            folhas.push_back(prefixo + " " + numero);
        }
        EXPECT_EQ(folhas, c.folhas) << "TipoEtiq " << c.tipoEtiq << " " << c.primeira;
    }
}

// A row that cannot print stops the run before its separator, with no success announced.
TEST(EtiquetaInternaCaixa, ModeloAusenteParaAntesDoSeparador) {
    AplicacaoTemporaria app;
    fs::remove(app.pasta() / "QuelmonteEtiqCaixaZebra.zpl");
    const auto r = app.imprimir(xmlPreco(99, {linha("2", "1", "2", "550"), linha("2", "1", "2")}),
                                mais(kTodasZebra, {"--tipo", "Etiq.Caixa"}));
    esperarFalha(r, "[Erro !] Arquivo não encontrado: ");
    EXPECT_TRUE(contem(r.erros, "QuelmonteEtiqCaixaZebra.zpl Linha 2 da grade")) << r.erros;
    EXPECT_EQ(resumo(app.trabalhos()), (Lista{"separador", "0002 0003 0004 0005 0006 0007"}));
}
