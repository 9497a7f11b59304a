#include <gtest/gtest.h>

#include <regex>

#include "ApoioImpressao.h"
#include "config/AtualizarConfiguracao.h"
#include "render/PrecoCartolina.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

const std::string kIni =
    "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0001\r\n[QuelmonteEtiqPrecoDatamax]\r\nRepeticao="
    "0001\r\n"
    "[QuelmonteSeparadorZebra]\r\nLabel=SEP\r\n";

std::string modelo(const std::string& corpo) {
    return "HDR:: CMD_VELOCIDADE ::|:: Temperatura ::\r\n#INICIO#\r\n" + corpo + "\r\n#FIM#\r\nFTR";
}

enum class Tipo { Cartolina, ComSem, Conjunto };

// One run of a price routine against a throw-away folder, every job recorded.
struct Execucao {
    PastaTemporaria pasta;
    PlataformaHeadless plataforma;
    JanelaFalsa janela;
    ModuloImpressao modulo;
    bool imagemEnviada = false;
    DespachoGravador despacho{plataforma, janela, pasta.caminho(), imagemEnviada};
    AtualizarConfiguracao cfg;
    std::string nomeTemplate = "Modelo.zpl";
    std::string linguagem = "Zebra";

    explicit Execucao(const std::string& corpo = "B1=:: CodBarra1 ::;B2=:: CodBarra2 ::;") {
        pasta.gravar("QuelmonteEtiqueta.ini", kIni);
        pasta.gravar(nomeTemplate, modelo(corpo));
        pasta.gravar("QuelmonteSeparador.zpl",
                     "SEPARADOR LLLL :: INFO_PEDIDO :: :: INFO_ITEM_PEDIDO ::");
        pasta.gravar("QuelmonteConfiguracaoDatamax.prn", "CONFIG");
        cfg.CodigoFonte = "0";
        cfg.LarguraEtiqueta = 300;
        cfg.Repeticao = 1;
    }

    void imprimir(const Grade& grade, Tipo tipo = Tipo::Cartolina) {
        AmbienteImpressao ambiente{despacho, modulo, grade};
        const std::string separador = "QuelmonteSeparador.zpl";
        if (tipo == Tipo::Cartolina)
            ImprimirPrecoCartolina(ambiente, cfg, nomeTemplate, separador, linguagem);
        else if (tipo == Tipo::ComSem)
            ImprimirPrecoCartolinaComSem(ambiente, cfg, nomeTemplate, separador, linguagem);
        else
            ImprimirPrecoConjunto(ambiente, cfg, nomeTemplate, separador, linguagem);
    }

    std::vector<std::string> unidades() const {
        std::vector<std::string> r;
        for (const auto& t : despacho.trabalhos)
            if (t.conteudo.rfind("HDR", 0) == 0) r.push_back(t.conteudo);
        return r;
    }
    // The value after "campo=" up to ";" in every unit.
    std::vector<std::string> campo(const std::string& nome) const {
        std::vector<std::string> r;
        for (const auto& u : unidades()) {
            const auto p = u.find(nome + "=");
            if (p == std::string::npos) {
                r.push_back("<ausente>");
                continue;
            }
            const auto inicio = p + nome.size() + 1;
            r.push_back(u.substr(inicio, u.find(';', inicio) - inicio));
        }
        return r;
    }
    bool terminouComSucesso() const {
        return !plataforma.mensagens.empty() &&
               plataforma.mensagens.back().texto ==
                   "Impressão das Etiquetas concluída com sucesso !";
    }
};

using Lista = std::vector<std::string>;

}  // namespace

TEST(PrecoCartolina, UnidadeCompletaByteAByte) {
    const std::string corpo =
        "[:: CodigoBureau ::|:: ESTACAO ::|:: ESTRCOLECAO ::|:: Catalogo ::|:: Promocao ::|"
        ":: CodBarra1 ::|:: CodBarra2 ::|:: TamanhoUnico ::|%1922A12%|:: Tamanho ::|:: COR ::|"
        ":: Preco ::|:: NUM_COD_BARRAS1 ::|:: NUM_COD_BARRAS2 ::|:: NUM_COD_BARRAS3 ::|"
        ":: Desc.Linha 02 ::|:: Desc.Linha 01 ::|:: REF_FORNECEDOR ::|GGGG|LILI|_BB_|^A*|"
        "FONTE_NOME|::Temperatura::|:: CMD_VELOCIDADE ::]1X11000_LI_LILIl01100010";
    Execucao e(corpo);
    LinhaPreco linha;
    linha.descricao = "BLUSA Ç*";
    e.imprimir(gradePreco({linha}));
    ASSERT_EQ(e.despacho.trabalhos.size(), 1u);
    EXPECT_EQ(e.despacho.trabalhos[0].arquivo, "SpoolEtq.PRN");
    EXPECT_EQ(e.despacho.trabalhos[0].conteudo,
              "HDR4|08\r\n\r\n\r\n[000042|VERAO|EC1|X|A - C|2000000012350001|2000000012350002||"
              "1922A12|M|AZUL|9,99|2026 042|0000000123|5|BLUSA Ç*|VALE A PENA|REF77|0000|0000|"
              "0000|^A0||8|4]\r\n\r\nFTR\r\n");
    EXPECT_EQ(e.janela.status.back(), "Etiquetas impressas com Sucesso. . .");
    EXPECT_TRUE(e.terminouComSucesso());
    EXPECT_EQ(e.plataforma.mensagens.back().titulo, "Fim da Impressão");
}

TEST(PrecoCartolina, ZebraTrocaParaSubconjuntoBNoUltimoDigitoImpar) {
    struct Caso {
        std::string impressora, variante, primeira, b1, b2;
    };
    for (const auto& c : std::vector<Caso>{
             {"ZEBRA,2", "12345678901", "42", "2123456789017004>62", "2123456789017004>63"},
             {"DATAMAX,1", "12345678901", "42", "21234567890170042", "21234567890170043"},
             {"ZEBRA,2", "000123", "42", "2000000012370042", "2000000012370043"},
             // 9999 + 1 is not wrapped: the five-digit number pairs up again.
             {"ZEBRA,2", "12345678901", "9999", "2123456789017999>69", "212345678901710000"}}) {
        Execucao e;
        e.janela.impressoraTexto = c.impressora;
        LinhaPreco l;
        l.variante = c.variante;
        l.digito = "7";
        l.primeira = l.ultima = c.primeira;
        e.imprimir(gradePreco({l}));
        EXPECT_EQ(e.campo("B1"), Lista{c.b1}) << c.impressora << " " << c.variante;
        EXPECT_EQ(e.campo("B2"), Lista{c.b2}) << c.impressora << " " << c.variante;
    }
}

TEST(PrecoCartolina, DeslocamentosSeguemLarguraERepeticaoEntreLinhas) {
    struct Caso {
        short repeticao;
        Lista offsets;
    };
    for (const auto& c : std::vector<Caso>{{1, {"0000", "0000", "0000"}},
                                           {2, {"0000", "-0300", "-0600"}},
                                           {0, {"0000", "0300", "0600"}}}) {
        Execucao e("O=GGGG|B1B1|LILI|_LI_;");
        e.cfg.Repeticao = c.repeticao;
        LinhaPreco a, b;
        a.primeira = "1";
        a.ultima = "4";  // two units
        b.primeira = "1";
        b.ultima = "1";  // the offsets carry over to the next row
        e.imprimir(gradePreco({a, b}));
        Lista esperado;
        for (const auto& o : c.offsets) esperado.push_back(o + "|" + o + "|" + o + "|0000");
        EXPECT_EQ(e.campo("O"), esperado) << c.repeticao;
    }
}

TEST(PrecoCartolina, FonteTamanhoEPrecoPeloLayout) {
    struct Caso {
        std::string codigoFonte, nomeFonte, nomeTemplate, tamanho, preco, esperado;
    };
    for (const auto& c :
         std::vector<Caso>{{"0", "", "Modelo.zpl", "M", "9,99", "^A0,N,|UNI=|TAM=M|PRECO=9,99|V=*"},
                           {"@", "E:ARIAL.TTF", "Modelo.zpl", "u", "9,99",
                            "^A@,N,E:ARIAL.TTF|UNI=UNICO|TAM=|PRECO=9,99|V=*"},
                           {"0", "", "Modelo_NOVOZebra.zpl", "M", "9,99",
                            "^A0,N,|UNI=|TAM=      M|PRECO=    9,99|V=*"},
                           {"0", "", "Modelo_NOVOZebra.zpl", " u ", "1234,99",
                            "^A0,N,|UNI=UNICO|TAM=|PRECO= 1234,99|V=*"},
                           {"0", "", "Modelo_NOVOZebra.zpl", "GG", "12345,999",
                            "^A0,N,|UNI=|TAM=     GG|PRECO=12345,999|V=*"}}) {
        Execucao e(
            "X=^A*,N,FONTE_NOME|UNI=:: TamanhoUnico ::|TAM=:: Tamanho ::|PRECO=:: Preco ::|V=:: "
            "REF_FORNECEDOR ::;");
        e.cfg.CodigoFonte = c.codigoFonte;
        e.cfg.NomeFonte = c.nomeFonte;
        e.nomeTemplate = c.nomeTemplate;
        e.pasta.gravar(c.nomeTemplate,
                       modelo("X=^A*,N,FONTE_NOME|UNI=:: TamanhoUnico ::|TAM=:: Tamanho "
                              "::|PRECO=:: Preco ::|V=:: REF_FORNECEDOR ::;"));
        LinhaPreco l;
        l.tamanho = c.tamanho;
        l.preco = c.preco;
        l.materialForn = "*";  // a "*" inside a value is not a font code
        e.imprimir(gradePreco({l}));
        EXPECT_EQ(e.campo("X"), Lista{c.esperado}) << c.nomeTemplate << " " << c.tamanho;
    }
}

TEST(PrecoCartolina, JuncoesDeCatalogoEPromocao) {
    struct Caso {
        std::string tendencia, familia, catalogo, promocao, coordenado, esperado;
    };
    for (const auto& c : std::vector<Caso>{{"X", "", "A", "", "C", "X|A - C"},
                                           {"", "F", "", "P", "", "F|P"},
                                           {"X", "F", "A", "P", "C", "X - F|A - P - C"},
                                           {" ", "F", "", " ", "C", "F| C"},
                                           {"X ", " ", "A ", "", "", "X|A "}}) {
        Execucao e("J=:: Catalogo ::|:: Promocao ::;");
        LinhaPreco l;
        l.tendencia = c.tendencia;
        l.familia = c.familia;
        l.catalogo = c.catalogo;
        l.promocao = c.promocao;
        l.coordenado = c.coordenado;
        e.imprimir(gradePreco({l}));
        EXPECT_EQ(e.campo("J"), Lista{c.esperado}) << c.tendencia << "/" << c.familia;
    }
}

TEST(PrecoCartolina, ComSemEConjuntoUmaUnidadePorSequenciaComDoisPrefixos) {
    struct Caso {
        Tipo tipo;
        std::string a, b;
    };
    const std::string m = "00000001235";
    for (const auto& c : std::vector<Caso>{{Tipo::ComSem, "3", "4"}, {Tipo::Conjunto, "5", "6"}}) {
        Execucao e("A=:: CodBarra ::;B=:: CodBarra1 ::;");
        LinhaPreco l;
        l.primeira = "9998";
        l.ultima = "10000";
        e.imprimir(gradePreco({l}), c.tipo);
        EXPECT_EQ(e.campo("A"), (Lista{c.a + m + "9998", c.a + m + "9999", c.a + m + "0001"}));
        EXPECT_EQ(e.campo("B"), (Lista{c.b + m + "9998", c.b + m + "9999", c.b + m + "0001"}));
        // The progress shows the loop value, not the wrapped counter.
        EXPECT_NE(std::find(e.janela.status.begin(), e.janela.status.end(),
                            "Imprimindo etiquetas para o Pedido : 4512 Item : 10 - Sequência : "
                            "10000 - Cod. Barras : 1. (Aguarde. . .)"),
                  e.janela.status.end());
    }
}

TEST(PrecoCartolina, PrecoSuprimidoSoParaOrigemIMaiusculo) {
    struct Caso {
        Tipo tipo;
        std::string linguagem, modelo, origem;
        bool suprimido;
    };
    const std::vector<Caso> casos{
        {Tipo::ComSem, "Zebra", "QuelmonteEtiqPrecoComSemZebra.zpl", "I", true},
        {Tipo::ComSem, "Zebra", "QuelmonteEtiqPrecoComSemZebra.zpl", "i", false},
        {Tipo::Conjunto, "Zebra", "QuelmonteEtiqPrecoComSem_NOVOZebra.zpl", "I", true},
        {Tipo::Conjunto, "Zebra", "QuelmonteEtiqPrecoComSemZebra.zpl", "", false},
        {Tipo::ComSem, "DataMax", "QuelmonteEtiqPrecoComSemDataMax.prn", "I", true},
        {Tipo::Conjunto, "DataMax", "QuelmonteEtiqPrecoComSem_NOVODataMax.prn", "I ", false},
        {Tipo::Cartolina, "Zebra", "QuelmonteEtiqPrecoCartolinaZebra.zpl", "I", false}};
    for (const auto& c : casos) {
        Execucao e;
        e.pasta.copiarDados(c.modelo);
        e.nomeTemplate = c.modelo;
        e.linguagem = c.linguagem;
        e.janela.impressoraTexto = c.linguagem == "Zebra" ? "ZEBRA,2" : "DATAMAX,1";
        e.janela.origem = c.origem;
        LinhaPreco l;
        l.preco = "123,45";
        e.imprimir(gradePreco({l}), c.tipo);
        ASSERT_EQ(e.unidades().size(), 0u) << "shipped templates have their own header";
        std::string spool;
        for (const auto& t : e.despacho.trabalhos)
            if (t.arquivo == "SpoolEtq.PRN") spool = t.conteudo;
        ASSERT_FALSE(spool.empty()) << c.modelo;
        EXPECT_EQ(contar(spool, "123,45"), c.suprimido ? 0u : 2u) << c.modelo << " " << c.origem;
        EXPECT_EQ(contar(spool, "R$"), c.suprimido ? 0u : 2u) << c.modelo << " " << c.origem;
        EXPECT_EQ(contar(spool, "::"), 0u) << "every token filled in " << c.modelo;
    }
}

TEST(PrecoCartolina, FalhaTerminaAExecucaoComOPassoEMantemOQueFoiEnviado) {
    struct Caso {
        std::string descricao;
        std::function<void(Execucao&, std::vector<LinhaPreco>&)> preparar;
        std::string textoEsperado;
        std::size_t trabalhos;
    };
    const std::vector<Caso> casos{
        {"sequence not a number",
         [](Execucao&, std::vector<LinhaPreco>& l) { l[1].primeira = "abc"; },
         "Valor não numérico em Inf. a Seq. Inicial: \"abc\".\nLinha: 6", 1},
        {"template missing",
         [](Execucao& e, std::vector<LinhaPreco>&) { e.nomeTemplate = "Ausente.zpl"; }, "Linha: 8",
         0},
        {"repetition key missing",
         [](Execucao& e, std::vector<LinhaPreco>&) { e.pasta.gravar("QuelmonteEtiqueta.ini", ""); },
         "Linha: 2", 0},
        {"offsets overflow",
         [](Execucao& e, std::vector<LinhaPreco>&) {
             e.cfg.LarguraEtiqueta = 32000;
             e.cfg.Repeticao = 2;
         },
         "Estouro de capacidade.\nLinha: 20", 0}};
    for (const auto& c : casos) {
        Execucao e;
        std::vector<LinhaPreco> linhas(2);
        c.preparar(e, linhas);
        e.imprimir(gradePreco(linhas));
        ASSERT_EQ(e.plataforma.mensagens.size(), 1u) << c.descricao;
        const auto& m = e.plataforma.mensagens[0];
        EXPECT_EQ(m.titulo, "Erro !");
        EXPECT_EQ(m.icone, Icone::Critico);
        EXPECT_NE(m.texto.find(c.textoEsperado), std::string::npos) << m.texto;
        EXPECT_EQ(e.despacho.trabalhos.size(), c.trabalhos) << c.descricao;
    }
}
