#include <gtest/gtest.h>

#include "BancadaRotina.h"
#include "render/PrecoCartolina.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

using Rotina = decltype(&ImprimirPrecoCartolina);

// One run of a price routine against a throw-away folder, every job collected.
struct Execucao : BancadaRotina {
    std::string nomeTemplate = "Modelo.zpl";

    explicit Execucao(const std::string& corpo = "") {
        pasta.gravar("QuelmonteEtiqueta.ini",
                     "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0001\r\n"
                     "[QuelmonteEtiqPrecoDatamax]\r\nRepeticao=0001\r\n");
        pasta.gravar("QuelmonteConfiguracaoDatamax.prn", "CONFIG");
        modelo(nomeTemplate, corpo);
        cfg.CodigoFonte = "0", cfg.LarguraEtiqueta = 300, cfg.Repeticao = 1;
    }
    void modelo(const std::string& nome, const std::string& corpo) {
        pasta.gravar(nome, "HDR:: CMD_VELOCIDADE ::|:: Temperatura ::\r\n#INICIO#\r\n" + corpo +
                               "\r\n#FIM#\r\nFTR");
    }
    void imprimir(const std::vector<LinhaPreco>& linhas, Rotina rotina = ImprimirPrecoCartolina) {
        BancadaRotina::imprimir(rotina, gradePreco(linhas), nomeTemplate, "QuelmonteSeparador.zpl");
    }
    // The body of every unit, between the framing's blank lines.
    Textos corpos() const {
        Textos r;
        for (const auto& t : trabalhos()) {
            const auto inicio = t.texto.find("\r\n\r\n\r\n") + 6;
            r.push_back(t.texto.substr(inicio, t.texto.rfind("\r\n\r\nFTR") - inicio));
        }
        return r;
    }
};

}  // namespace

TEST(PrecoCartolina, UnidadeCompletaByteAByte) {
    Execucao e(
        "[:: CodigoBureau ::|:: ESTACAO ::|:: ESTRCOLECAO ::|:: Catalogo ::|:: Promocao ::|"
        ":: CodBarra1 ::|:: CodBarra2 ::|:: TamanhoUnico ::|%1922A12%|:: Tamanho ::|:: COR ::|"
        ":: Preco ::|:: NUM_COD_BARRAS1 ::|:: NUM_COD_BARRAS2 ::|:: NUM_COD_BARRAS3 ::|"
        ":: Desc.Linha 02 ::|:: Desc.Linha 01 ::|:: REF_FORNECEDOR ::|GGGG|LILI|_BB_|^A*|"
        "FONTE_NOME|::Temperatura::|:: CMD_VELOCIDADE ::]1X11000_LI_LILIl01100010");
    LinhaPreco linha;
    linha.descricao = "BLUSA Ç*";
    e.imprimir({linha});
    ASSERT_EQ(e.trabalhos().size(), 1u);
    const auto& t = e.trabalhos()[0];
    // Two sequence numbers a unit.
    EXPECT_EQ(std::tuple(t.spool, t.tipo, e.resultado.concluida(), e.resultado.etiquetas),
              std::tuple("SpoolEtq.PRN", TipoTrabalho::Etiqueta, true, 2));
    EXPECT_EQ(t.texto,
              "HDR4|08\r\n\r\n\r\n[000042|VERAO|EC1|X|A - C|2000000012350001|2000000012350002||"
              "1922A12|M|AZUL|9,99|2026 042|0000000123|5|BLUSA Ç*|VALE A PENA|REF77|0000|0000|"
              "0000|^A0||8|4]\r\n\r\nFTR\r\n");
}

TEST(PrecoCartolina, DeslocamentosSeguemLarguraERepeticaoEntreLinhas) {
    for (const auto& [repeticao, offsets] : std::vector<std::pair<short, Textos>>{
             {2, {"0000", "-0300", "-0600"}}, {0, {"0000", "0300", "0600"}}}) {
        Execucao e("GGGG|B1B1|LILI|_LI_");
        e.cfg.Repeticao = repeticao;
        LinhaPreco a, b;
        a.ultima = "4";  // two units, and the offsets carry over to the next row
        b.ultima = "1";
        e.imprimir({a, b});
        Textos esperado;
        for (const auto& o : offsets) esperado.push_back(o + "|" + o + "|" + o + "|0000");
        EXPECT_EQ(e.corpos(), esperado) << repeticao;
    }
}

// The new layout pads size and price; a value's "*" or token prints as itself; blank parts
// drop out of the joins.
TEST(PrecoCartolina, TamanhoPrecoEJuncoes) {
    struct Caso {
        std::string nomeTemplate, tamanho, preco, tendencia, familia, catalogo, promocao,
            coordenado, esperado;
    };
    const std::string n = "Modelo_NOVOZebra.zpl", m = "Modelo.zpl";
    for (const auto& c : std::vector<Caso>{
             {m, "M", "9,99", "X", "", "A", "", "C", "^A0||M|9,99|*|X|A - C"},
             {n, "M", "9,99", "X", "", "A", "", "C", "^A0||      M|    9,99|*|X|A - C"},
             {n, " u ", "1234,99", "X", "", "A", "", "C", "^A0|UNICO|| 1234,99|*|X|A - C"},
             {n, "GG", "12345,999", "X", "", "A", "", "C", "^A0||     GG|12345,999|*|X|A - C"},
             {m, "M", "9,99", "", "F", "", "P", "", "^A0||M|9,99|*|F|P"},
             {m, "M", "9,99", "X", "F", "A", "P", "C", "^A0||M|9,99|*|X - F|A - P - C"},
             {m, "M", "9,99", " ", "F", "", " ", "C", "^A0||M|9,99|*|F| C"},
             {m, "M", "9,99", "X ", " ", "A ", "", "", "^A0||M|9,99|*|X|A "},
             {m, "M", "9,99", ":: Preco ::", "", "", "", "", "^A0||M|9,99|*|:: Preco ::|"}}) {
        Execucao e;
        e.nomeTemplate = c.nomeTemplate;
        e.modelo(c.nomeTemplate,
                 "^A*|:: TamanhoUnico ::|:: Tamanho ::|:: Preco ::|"
                 ":: REF_FORNECEDOR ::|:: Catalogo ::|:: Promocao ::");
        LinhaPreco l;
        l.tamanho = c.tamanho, l.preco = c.preco, l.materialForn = "*";
        l.tendencia = c.tendencia, l.familia = c.familia, l.catalogo = c.catalogo;
        l.promocao = c.promocao, l.coordenado = c.coordenado;
        e.imprimir({l});
        EXPECT_EQ(e.corpos(), Textos{c.esperado}) << c.nomeTemplate << " " << c.tamanho;
    }
}

// Shipped price templates fill every token and drop the price for origin "I" only.
TEST(PrecoCartolina, PrecoSuprimidoNosModelosEntreguesSoParaOrigemI) {
    struct Caso {
        Rotina rotina;
        std::string modelo, origem;
        bool suprimido;
    };
    const Rotina comSem = ImprimirPrecoCartolinaComSem, conjunto = ImprimirPrecoConjunto;
    for (auto c : std::vector<Caso>{{comSem, "ComSemZebra.zpl", "", false},
                                    {conjunto, "ComSem_NOVOZebra.zpl", "I", true},
                                    {comSem, "ComSemDataMax.prn", "I", true},
                                    {comSem, "ComSemZebra.zpl", "i", false},
                                    {conjunto, "ComSem_NOVODataMax.prn", "I ", false},
                                    {ImprimirPrecoCartolina, "CartolinaZebra.zpl", "I", false}}) {
        c.modelo = "QuelmonteEtiqPreco" + c.modelo;
        Execucao e;
        e.pasta.copiarDados(c.modelo);
        e.nomeTemplate = c.modelo;
        if (c.modelo.ends_with(".prn")) e.datamax();
        e.parametros.origemSolicitacao = c.origem;
        LinhaPreco l;
        l.preco = "123,45";
        e.imprimir({l}, c.rotina);
        ASSERT_FALSE(e.trabalhos().empty()) << c.modelo;
        const std::string& spool = e.trabalhos().back().texto;
        EXPECT_EQ(contar(spool, "123,45"), c.suprimido ? 0u : 2u) << c.modelo << " " << c.origem;
        EXPECT_EQ(contar(spool, "R$"), c.suprimido ? 0u : 2u) << c.modelo << " " << c.origem;
        EXPECT_EQ(contar(spool, "::"), 0u) << c.modelo;
    }
}

// The separator names the supplier in full up to 30 letters, upper-cased.
TEST(PrecoCartolina, SeparadorNomeiaOFornecedor) {
    const std::vector<std::pair<std::string, std::string>> casos{
        {"Confecções Araújo Ltda", "FORNECEDOR: CONFECÇÕES ARAÚJO LTDA"},
        {"Confecções Araújo e Filhos Comércio Ltda", "FORNECEDOR: CONFECÇÕES ARAÚJO E FILHOS COM"}};
    for (const auto& [nome, esperado] : casos) {
        Execucao e(":: CodBarra ::");
        e.parametros.separadorPorPedido = true;
        e.pasta.gravar("QuelmonteSeparador.zpl", ":: INFO_FORNECEDOR ::");
        LinhaPreco linha;
        linha.fornecedor = nome;
        e.imprimir({linha});
        ASSERT_FALSE(e.trabalhos().empty());
        EXPECT_EQ(e.trabalhos()[0].texto.substr(0, e.trabalhos()[0].texto.find('\r')), esperado);
    }
}
