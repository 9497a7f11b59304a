#include <gtest/gtest.h>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

const Lista kArgox{"--impressora",  "2", "--velocidade", "",
                   "--temperatura", "8", "--serial",     "9600,N,8,1"};

// Bar-code data of a Zebra unit, left label first.
Lista codigos(const std::string& spool) {
    return entre(spool, "^SN>;", "^FS");
}

Variante relogio(const std::string& primeira, const std::string& ultima,
                 const std::string& preco = "159,90") {
    Variante v = faixa(primeira, ultima);
    v.campos["PrecoMaterial"] = preco;
    return v;
}

}  // namespace

TEST(PrecoRelogio, ParcelaDeDezComCentavosCortados) {
    struct Caso {
        std::string preco, produto, parcela;  // "value text|cents"
    };
    const std::vector<Caso> casos{
        {"159,90", "159,|90", "15,|99"},     {"150,00", "150,|00", "15,|00"},
        {"99,95", "99,|95", "9,|99"},        {"150", "150,|00", "15,|00"},
        {"4,9", "4,|90", "0,|49"},           {"0,99", "0,|99", "0,|09"},
        {"1234,567", "1234,|56", "123,|45"}, {"  59.90 ", "59,|90", "5,|99"}};
    AplicacaoTemporaria app;
    app.gravar("QuelmonteEtiqPrecoRelogioZebra.zpl",
               "^XA\r\n#INICIO#\r\n::VAL_PRODUTO::|::CEN_PRODUTO::;"
               "::VAL_PARCELA::|::CEN_PARCELA::\r\n#FIM#\r\n^XZ");
    std::vector<Variante> vs;
    for (const auto& c : casos) vs.push_back(relogio("1", "2", c.preco));
    const auto jobs = app.imprimirBem(xmlPreco(7, vs), kTodasZebra);
    ASSERT_EQ(jobs.size(), casos.size());
    for (std::size_t i = 0; i < casos.size(); ++i)
        EXPECT_EQ(jobs[i].spool,
                  "^XA\r\n\r\n\r\n" + casos[i].produto + ";" + casos[i].parcela + "\r\n\r\n^XZ\r\n")
            << casos[i].preco;
}

// Left labels odd, right even; 9999 wraps to 1; an odd count prints its last alone.
TEST(PrecoRelogio, NumerosCorridosDeTrabalhosSeguidos) {
    struct Caso {
        std::string primeira, ultima;
        std::vector<Lista> numeros;  // per job, left then right
    };
    const std::vector<Caso> casos{{"1", "4", {{"0001", "0002"}, {"0003", "0004"}}},
                                  {"9998", "10001", {{"9998", "9999"}, {"0001", "0002"}}},
                                  {"10005", "10006", {{"0006", "0007"}}},
                                  {"1", "3", {{"0001", "0002"}, {"0003"}}},
                                  {"7", "7", {{"0007"}}}};
    for (const auto& c : casos) {
        AplicacaoTemporaria app;
        Variante v = relogio(c.primeira, c.ultima);
        v.campos["DescricaoMaterial"] = "RELOGIO ^XZ~JR";
        const auto jobs = app.imprimirBem(xmlPreco(7, {v}), kTodasZebra);
        ASSERT_EQ(jobs.size(), c.numeros.size()) << c.primeira << "-" << c.ultima;
        for (std::size_t j = 0; j < jobs.size(); ++j) {
            Lista esperados, legiveisEsperados;
            for (const auto& n : c.numeros[j]) {
                esperados.push_back("200000001235" + n + ",1,N");
                legiveisEsperados.push_back("0000000123 5 0" + n);
            }
            const auto& spool = jobs[j].spool;
            EXPECT_EQ(codigos(spool), esperados) << c.primeira << " job " << j + 1;
            EXPECT_EQ(entre(spool, "^FH\\^FD2 ", "^FS"), legiveisEsperados)
                << c.primeira << " job " << j + 1;
            EXPECT_EQ(contar(spool, "15,"), c.numeros[j].size()) << "one parcel a label";
            EXPECT_EQ(spool.find("::"), std::string::npos) << "no token left in job " << j + 1;
            EXPECT_EQ(spool.find("#DIREITA#"), std::string::npos);
            EXPECT_EQ(contar(spool, "RELOGIO \\5EXZ\\7EJR^FS"), c.numeros[j].size());
            EXPECT_EQ(contar(spool, "^XZ"), 1u);
        }
    }
}

TEST(PrecoRelogio, CodigoDeBarrasPorFabricante) {
    struct Caso {
        std::string nome;
        Lista impressora;
        std::string variante, esquerda, direita;
    };
    const std::vector<Caso> casos{
        // An 11-character variant makes the data odd: code set B for the last digit.
        {"zebra 11", kZebra, "12345678901", "^SN>;2123456789015001>62^FS",
         "^SN>;2123456789015001>63^FS"},
        {"zebra 10", kZebra, "1234567890", "^SN>;2123456789050012,1,N^FS",
         "^SN>;2123456789050013,1,N^FS"},
        {"datamax", kDatamax, "12345678901", "1e2202000160030C21234567890150012\r\n",
         "1e2202000160226C21234567890150013\r\n"},
        {"argox", kArgox, "1234567890", "1e2202000160030C2123456789050012\r\n",
         "1e2202000160226C2123456789050013\r\n"}};
    for (const auto& c : casos) {
        AplicacaoTemporaria app;
        Variante v = relogio("12", "13");
        v.codigo = c.variante;
        SCOPED_TRACE(c.nome);
        const auto jobs = app.imprimirBem(xmlPreco(7, {v}), mais(c.impressora, {"--todas"}));
        ASSERT_EQ(jobs.size(), 1u) << c.nome << ": no Datamax set-up before watch labels";
        const auto& spool = jobs[0].spool;
        EXPECT_EQ(contar(spool, c.esquerda), 1u) << c.nome << "\n" << spool;
        EXPECT_EQ(contar(spool, c.direita), 1u) << c.nome;
        // Every wide bar of 4 is narrowed to 2 for printers other than Zebra.
        EXPECT_EQ(contar(spool, "1e42020"), 0u) << c.nome;
        EXPECT_EQ(contar(spool, "1e22020"), c.impressora == kZebra ? 0u : 2u) << c.nome;
    }
}

TEST(PrecoRelogio, LinhaDeArquivoDatamaxComecaComCabecalhoEAsDuasEtiquetas) {
    AplicacaoTemporaria app;
    const auto jobs = app.imprimirBem(xmlPreco(7, {relogio("1", "2")}), kTodasDatamax);
    ASSERT_EQ(jobs.size(), 1u);
    std::string modelo = app.ler("QuelmonteEtiqPrecoRelogioDataMax.prn");
    substituirTodos(modelo, ":: CMD_VELOCIDADE ::", "C");
    substituirTodos(modelo, ":: Temperatura ::", "08");
    const auto cabecalho = modelo.substr(0, modelo.find("#INICIO#")) + "\r\n\r\n";
    const auto rodape = modelo.substr(modelo.find("#FIM#") + 5) + "\r\n";
    const auto& s = jobs[0].spool;
    EXPECT_EQ(s.substr(0, cabecalho.size()), cabecalho);
    EXPECT_EQ(s.substr(s.size() - rodape.size()), rodape);
    EXPECT_EQ(contar(s, "1911A0800960006BLUSA MALHA\r\n"), 1u) << s;
    EXPECT_EQ(contar(s, "1911A1800560064159,\r\n"), 1u);
    EXPECT_EQ(contar(s, "10x de R$ 15,99\r\n"), 2u);
    EXPECT_EQ(contar(s, "2 0000000123 5 00001\r\n"), 1u);
    EXPECT_EQ(contar(s, "2 0000000123 5 00002\r\n"), 1u);
    EXPECT_EQ(s.find("::"), std::string::npos);
}

// A price that is not a number stops the run at its row, separator included.
TEST(PrecoRelogio, PrecoQueNaoENumeroParaAExecucao) {
    for (const std::string preco : {"", "R$ 10,00", "12,3,4", "1e3"}) {
        AplicacaoTemporaria app;
        std::vector<Variante> vs{relogio("1", "2"), relogio("1", "2", preco), relogio("1", "2")};
        vs[1].pedido = "4513";
        esperarFalha(app.imprimir(xmlPreco(7, vs), mais(kTodasZebra, {"--separador"})),
                     "[Erro !] Preço inválido: \"" + preco + "\".");
        const auto jobs = app.trabalhos();
        ASSERT_EQ(jobs.size(), 2u) << preco;
        EXPECT_NE(jobs[0].spool.find("PEDIDO: 0000004512"), std::string::npos);
        EXPECT_EQ(codigos(jobs[1].spool).size(), 2u);
    }
}

// A template without the right label's mark still prints an odd range's last label.
TEST(PrecoRelogio, ModeloSemMarcaDaDireitaNaoDeixaEtiquetaParaTras) {
    AplicacaoTemporaria app;
    app.gravar("QuelmonteEtiqPrecoRelogioZebra.zpl",
               "^XA\r\n#INICIO#\r\nE=::COD_BARRAS::|::COD_QUELMONTE::;"
               "D=::COD_BARRAS2::|::COD_QUELMONTE2::\r\n#FIM#\r\n^XZ");
    const auto jobs = app.imprimirBem(xmlPreco(7, {relogio("1", "3")}), kTodasZebra);
    ASSERT_EQ(jobs.size(), 2u);
    const auto corpo = [](const std::string& s) { return entre(s, "\r\n\r\n\r\n", "\r\n").at(0); };
    EXPECT_EQ(corpo(jobs[0].spool),
              "E=2000000012350001,1,N|2 0000000123 5 00001;"
              "D=2000000012350002,1,N|2 0000000123 5 00002");
    EXPECT_EQ(corpo(jobs[1].spool), "E=2000000012350003,1,N|2 0000000123 5 00003;D=|");
}

// Type 7 prints watch labels unless the shown variant list asks for a variant.
TEST(PrecoRelogio, VarianteDaListaEscolheAFamilia) {
    struct Caso {
        std::string departamento, tipo;
        bool imprime;
    };
    for (const auto& c : std::vector<Caso>{
             {"410", "", true}, {"550", "Etiq.Interna", true}, {"550", "Etiq. Interna", false}}) {
        AplicacaoTemporaria app;
        Variante v = relogio("1", "2");
        v.campos["CodDepto"] = c.departamento;
        const auto opcoes = c.tipo.empty() ? kTodasZebra : mais(kTodasZebra, {"--tipo", c.tipo});
        const auto r = app.imprimir(xmlPreco(7, {v}), opcoes);
        const auto jobs = app.trabalhos();
        if (c.imprime) {
            EXPECT_EQ(r.codigo, 0) << c.tipo << r.erros;
            ASSERT_EQ(jobs.size(), 1u) << c.tipo;
            EXPECT_EQ(codigos(jobs[0].spool).size(), 2u) << c.tipo;
        } else {
            esperarFalha(r, "[Tipo de Etiqueta] Selecione o tipo de etiqueta");
            EXPECT_TRUE(jobs.empty());
        }
    }
}

// A unit the printer did not take is where a new run must resume.
TEST(PrecoRelogio, FalhaNoEnvioApontaAPrimeiraSequenciaNaoEntregue) {
    for (const auto& [tipo, ultima, proxima] :
         std::vector<std::tuple<int, std::string, std::string>>{{7, "6", "3"}, {11, "15", "6"}}) {
        AplicacaoTemporaria app("[ \"$n\" = 2 ] && exit 4\nexit 0\n",
                                "if \"%N%\"==\"2\" exit /b 4\r\nexit /b 0\r\n");
        esperarFalha(app.imprimir(xmlPreco(tipo, {relogio("1", ultima)}), kTodasZebra),
                     "Próxima sequência não impressa: " + proxima + ".");
        EXPECT_EQ(app.trabalhos().size(), 2u) << tipo;
    }
}
