// The check before a run, on jobs made by hand in both printer languages: each
// fault a label would carry on the shelf is found, named with its row, label,
// template and field, and sorted into error or warning.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "verificacao/VerificacaoTrabalhos.h"

using namespace etiquetas;

namespace {

const OrigemTrabalho kLinha3{3, "4512", "10", "0000000123-5", 1, 1};

Trabalho etiqueta(const std::string& texto) {
    return {TipoTrabalho::Etiqueta, "SpoolEtq.PRN", texto, 1, {kLinha3}};
}

std::string zpl(const std::string& campos) {
    return "^XA\r\n^PW400\r\n^LL300\r\n" + campos + "\r\n^XZ\r\n";
}

std::string dpl(const std::string& registros) {
    return "\x02L\r\nD11\r\n" + registros + "\r\nE\r\n";
}

// In tenths of millimetre, on a label 50 mm wide and as long as `comprimento`.
std::string dplMetrico(const std::string& registros, const std::string& comprimento = "") {
    return "\x02m\r\n\x02KcLW0500\r\n" +
           (comprimento.empty() ? ""
                                : "\x02"
                                  "c" +
                                      comprimento + "\r\n") +
           dpl(registros);
}

ModelosDaExecucao modelo(const std::string& texto) {
    return {{"QuelmonteEtiqTeste.prn", texto}, {"QuelmonteSeparador.prn", ""}, {}};
}

// The findings of a run of these jobs, one a line.
std::string achadosDe(const std::vector<Trabalho>& trabalhos,
                      const ModelosDaExecucao& modelos = {}) {
    VerificacaoTrabalhos v(modelos, false);
    for (const auto& t : trabalhos) v.enviar(t);
    v.terminar();
    std::string r;
    for (const auto& a : v.achados())
        r += std::string(a.gravidade == Gravidade::Erro ? "ERRO " : "AVISO ") + textoAchado(a) +
             "\n";
    return r;
}

struct Caso {
    const char* nome;
    std::string modelo;  // the template the run filled
    std::string job;
    Gravidade gravidade;
    std::string trecho;  // in the text of the finding
};

}  // namespace

// A ZPL token left in a label is Verificacao.MarcadorNaoPreenchidoParaAntesDaPrimeiraEtiqueta's.
TEST(VerificacaoTrabalhos, CadaDefeitoComLinhaEtiquetaECampo) {
    const std::vector<Caso> casos{
        {"marcador DPL", "1911A1000100010:: COR ::", dpl("1911A1000100010:: COR ::"),
         Gravidade::Erro, "\":: COR ::\" não foi preenchido"},
        {"caixa além da largura", "", zpl("^FO350,10^GB100,50,2^FS"), Gravidade::Erro,
         "caixa em 350,10: passa 50 pontos da borda da etiqueta (400 x 300 pontos)"},
        {"texto ZPL que começa fora", "", zpl("^FO700,10^A0N,20,20^FDTEXTO^FS"), Gravidade::Erro,
         "texto \"TEXTO\" em 700,10: fica fora da etiqueta"},
        {"texto DPL que começa fora", "", dpl("1911A1001000900TEXTO"), Gravidade::Erro,
         "fica fora da etiqueta (813 x "},
        {"texto ZPL sobre texto", "",
         zpl("^FO10,10^A0N,30,30^FDPEDIDO 4512^FS^FO60,20^A0N,30,30^FD0401^FS"), Gravidade::Erro,
         "texto \"0401\" em 60,20: sobrepõe texto \"PEDIDO 4512\" em 10,10"},
        {"texto DPL sobre texto", "", dpl("131100000100010PEDIDO\r\n131100000120040LOJA"),
         Gravidade::Erro, "sobrepõe texto \"PEDIDO\""},
        {"texto na zona de silêncio", "",
         zpl("^FO100,10^BY2^BCN,50,N^FD>;1234^FS^FO70,20^A0N,20,20^FDCD^FS"), Gravidade::Erro,
         "texto \"CD\" em 70,20: sobrepõe a zona de silêncio de código de barras Code 128"},
        {"texto sobre a borda de uma caixa", "",
         zpl("^FO10,10^GB300,100,3^FS^FO20,100^A0N,30,30^FDVOLUME^FS"), Gravidade::Erro,
         "texto \"VOLUME\" em 20,100: sobrepõe caixa em 10,10"},
        {"texto preto em caixa preta DPL", "",
         dpl("1X1100001000010B200050025025\r\n1911A1201200020SEPARADOR"), Gravidade::Erro,
         "sobrepõe caixa em 20,"},
        {"subconjunto C ímpar", "", zpl("^FO10,10^BCN,50,N^FD>;12345^FS"), Gravidade::Erro,
         "dígito sem par no subconjunto C"},
        {"EAN-13 com dígito errado", "", zpl("^FO10,10^BEN,50,N^FD7891234567890^FS"),
         Gravidade::Erro, "dígito verificador"},
        {"EAN-13 DPL com dígito errado", "", dpl("1F22050000500507891234567890"), Gravidade::Erro,
         "dígito verificador"},
        {"texto maior que o bloco", "",
         zpl("^FO10,10^FB100,1,0,L^A0N,30,30^FDUM TEXTO LONGO DEMAIS PARA CEM PONTOS^FS"),
         Gravidade::Aviso, "texto maior que o bloco"},
        {"zona de silêncio", "",
         zpl("^FO10,10^BY2^BCN,50,N^FD>;1234^FS^FO100,10^BY2^BCN,50,N^FD>;5678^FS"),
         Gravidade::Erro, "invade a zona de silêncio"},
    };
    for (const auto& c : casos) {
        VerificacaoTrabalhos v(modelo(c.modelo), false);
        v.enviar(etiqueta(c.job));
        v.terminar();
        ASSERT_FALSE(v.achados().empty()) << c.nome;
        const Achado& a = v.achados().front();
        const std::string texto = textoAchado(a);
        EXPECT_EQ(a.gravidade, c.gravidade) << c.nome << ": " << texto;
        EXPECT_TRUE(texto.starts_with("Linha 3 (pedido 4512, item 10, variante 0000000123-5), "
                                      "sequência 1, modelo QuelmonteEtiqTeste.prn") &&
                    texto.find(c.trecho) != std::string::npos)
            << c.nome << ": " << texto;
    }
}

// Order text prints as it stands (the file read once, only when a token shows); a right
// label finds nothing; a fault on every label is one finding with a count.
TEST(VerificacaoTrabalhos, TextoDoPedidoEEtiquetaCertaERepeticoes) {
    int lidas = 0;
    const auto pedidoComCor = [&lidas](const auto& texto) {
        ++lidas;
        texto("AZUL :: CORES ::");
        texto("AZUL :: COR :: MARINHO");
    };
    for (bool tardio : {false, true}) {
        VerificacaoTrabalhos pedido(modelo("^FD:: COR ::^FS"), false);
        if (tardio)
            pedido.textoDoPedido(pedidoComCor);
        else
            pedido.textoDoPedido("AZUL :: COR :: MARINHO");
        pedido.enviar(etiqueta(zpl("^FO10,10^A0N,20,20^FD:: COR ::^FS")));
        pedido.terminar();
        EXPECT_TRUE(pedido.achados().empty()) << textoAchado(pedido.achados().front());
    }
    EXPECT_EQ(lidas, 1);

    VerificacaoTrabalhos certa(modelo("^FD:: COR ::^FS"), true);
    certa.textoDoPedido(pedidoComCor);
    certa.enviar(etiqueta(zpl("^FO10,10^A0N,20,20^FDAZUL^FS^FO10,60^BY2^BCN,50,N^FD>;1234^FS")));
    certa.enviar(
        {TipoTrabalho::Separador, "SpoolEtq.PRN", zpl("^FO10,10^A0N,20,20^FDSEP^FS"), 1, {}});
    certa.terminar();
    EXPECT_EQ(certa.erros() + certa.avisos(), 0);

    EXPECT_EQ(lidas, 1);

    VerificacaoTrabalhos repetida(modelo("^FD:: COR ::^FS"), true);
    repetida.textoDoPedido([&lidas](const auto& texto) { ++lidas, texto("AZUL :: CORES ::"); });
    for (int i = 0; i < 3; ++i) repetida.enviar(etiqueta(zpl("^FO10,10^FD:: COR ::^FS")));
    repetida.terminar();
    EXPECT_EQ(lidas, 2);
    ASSERT_EQ(repetida.achados().size(), 1u);
    EXPECT_EQ(repetida.erros(), 3);
    EXPECT_EQ(textoAchado(repetida.achados()[0]),
              "Linha 3 (pedido 4512, item 10, loja 0000000123-5), caixa 1, modelo "
              "QuelmonteEtiqTeste.prn: \":: COR ::\" não foi preenchido (e mais 2 vezes)");
}

TEST(VerificacaoTrabalhos, ConfiguracaoDatamaxVazia) {
    VerificacaoTrabalhos v({}, false);
    v.enviar({TipoTrabalho::ConfiguracaoDatamax, "SpoolEtqImg.prn", "\r\n", 0, {}});
    v.enviar(etiqueta(dpl("1911A1000100010TEXTO")));
    v.terminar();
    ASSERT_EQ(v.achados().size(), 1u);
    EXPECT_EQ(textoAchado(v.achados()[0]),
              "Configuração, modelo QuelmonteConfiguracaoDatamax.prn: a configuração da Datamax "
              "está vazia: as etiquetas saem sem ela");
}

// Jobs are read on a thread of the check's own while the run goes on: a long
// run's findings still name their rows in order, and a run that stops half way
// (no terminar) leaves nothing running.
TEST(VerificacaoTrabalhos, ExecucaoLongaLidaAParteEmOrdem) {
    const auto daLinha = [](int linha, const std::string& campo) {
        Trabalho t = etiqueta(zpl("^FO10,10^A0N,20,20^FD" + campo + "^FS"));
        t.origens[0].linha = linha;
        return t;
    };
    VerificacaoTrabalhos v(modelo("^FD:: COR ::^FS^FD:: TAM ::^FS"), false);
    for (int linha = 1; linha <= 500; ++linha)
        v.enviar(daLinha(linha, linha == 250 ? ":: TAM ::" : linha == 500 ? ":: COR ::" : "AZUL"));
    v.terminar();
    ASSERT_EQ(v.achados().size(), 2u);
    EXPECT_EQ(std::tuple(v.achados()[0].origem->linha, v.achados()[0].etiqueta,
                         v.achados()[1].origem->linha),
              std::tuple(250, 250, 500));

    VerificacaoTrabalhos interrompida({}, false);
    for (int linha = 1; linha <= 100; ++linha) interrompida.enviar(daLinha(linha, "AZUL"));
}

// Each edge from both sides: what ends on it is inside, a dot more is found.
TEST(VerificacaoTrabalhos, BordasDaEtiquetaDoBlocoEDaZonaDeSilencio) {
    const std::string a25(25, 'A');
    const struct {
        const char* nome;
        std::string job;
        std::string achado;  // "" none
    } casos[]{
        {"ZPL até a borda direita", zpl("^FO300,10^GB100,50,2^FS"), ""},
        {"ZPL um ponto além", zpl("^FO301,10^GB100,50,2^FS"), "passa 1 ponto da borda"},
        {"ZPL começa antes da borda", zpl("^FO399,10^GB10,50,2^FS"), "passa 9 pontos da borda"},
        {"ZPL começa na borda", zpl("^FO400,10^GB10,50,2^FS"), "fica fora da etiqueta"},
        {"ZPL até o fim do ^LL", zpl("^FO10,250^GB100,50,2^FS"), ""},
        {"ZPL um ponto abaixo", zpl("^FO10,251^GB100,50,2^FS"), "passa 1 ponto da borda"},
        {"DPL até a largura de KcLW", dplMetrico("131100000000000" + a25), ""},
        {"DPL um ponto além", dplMetrico("131100000000001" + a25), "passa 1 ponto da borda"},
        {"DPL até o comprimento", dplMetrico("131100004660000AAAA", "0500"), ""},
        {"DPL um ponto acima", dplMetrico("131100004670000AAAA", "0500"), "passa 1 ponto da borda"},
        {"código à esquerda fora da zona",
         zpl("^FO10,10^BY1^BCN,50,N^FD>;1234^FS^FO97,10^BY3^BCN,50,N^FD>;1234^FS"), ""},
        {"código à esquerda na zona",
         zpl("^FO10,10^BY1^BCN,50,N^FD>;1234^FS^FO96,10^BY3^BCN,50,N^FD>;1234^FS"),
         "em 96,10: invade a zona de silêncio de código de barras Code 128 \"1234\" em 10,10"},
        {"textos lado a lado", zpl("^FO10,10^AAN,9,5^FD0123456789^FS^FO60,10^AAN,9,5^FDX^FS"), ""},
        {"um ponto sobre o outro", zpl("^FO10,10^AAN,9,5^FD0123456789^FS^FO59,10^AAN,9,5^FDX^FS"),
         "texto \"X\" em 59,10: sobrepõe texto \"0123456789\" em 10,10"},
        {"texto que enche o bloco", zpl("^FO10,10^FB50,1,0,L^AAN,9,5^FD0123456789^FS"), ""},
        {"um caractere a mais", zpl("^FO10,10^FB50,1,0,L^AAN,9,5^FD0123456789A^FS"),
         "texto maior que o bloco"},
    };
    const auto esperar = [](const std::string& nome, const std::string& achados,
                            const std::string& achado) {
        if (achado.empty())
            EXPECT_EQ(achados, "") << nome;
        else
            EXPECT_TRUE(achados.find(achado) != std::string::npos) << nome << ": " << achados;
    };
    for (const auto& c : casos) esperar(c.nome, achadosDe({etiqueta(c.job)}), c.achado);
    // The width the Datamax set-up sets holds for the labels after it, sent
    // in the run or kept by the printer from an earlier one: a box from 2 to 3
    // inches.
    for (const auto& [largura, achado] : {std::pair("0300", ""), std::pair("0250", "passa ")}) {
        const std::string texto = "\x02KcLW" + std::string(largura) + "\r\n";
        const Trabalho configuracao{
            TipoTrabalho::ConfiguracaoDatamax, "SpoolEtqImg.prn", texto, 0, {}};
        const Trabalho caixa = etiqueta(dpl("1X1100000100200B100050002002"));
        esperar(largura, achadosDe({configuracao, caixa}), achado);
        esperar(largura, achadosDe({caixa}, {{}, {}, {kArquivoConfiguracaoDatamax, texto}}),
                achado);
    }
}

// A finding names the row and label of the job that carries it: the first
// label of a row's first job, the last label of a row whose jobs between are
// only skimmed, a separator's token.
TEST(VerificacaoTrabalhos, AchadoNaLinhaENaEtiquetaDoSeuTrabalho) {
    const auto daLinha = [](int linha, long long sequencia, const std::string& campos) {
        Trabalho t = etiqueta(zpl(campos));
        t.origens[0].linha = linha;
        t.origens[0].primeira = t.origens[0].ultima = sequencia;
        return t;
    };
    const std::string certa = "^FO10,10^BY2^BCN,50,N^FD>;1234^FS";
    const std::string fora = "^FO350,10^BY2^BCN,50,N^FD>;1234^FS";
    EXPECT_EQ(achadosDe({daLinha(1, 1, certa), daLinha(2, 1, fora)}, modelo("")),
              "ERRO Linha 2 (pedido 4512, item 10, variante 0000000123-5), sequência 1, modelo "
              "QuelmonteEtiqTeste.prn, código de barras Code 128 \"1234\" em 350,10: passa 64 "
              "pontos da borda da etiqueta (400 x 300 pontos)\n");
    EXPECT_TRUE(achadosDe({daLinha(1, 1, fora), daLinha(2, 1, certa)})
                    .starts_with("ERRO Linha 1 (pedido 4512, item 10, variante 0000000123-5), "
                                 "sequência 1, código de barras"));
    const std::string achados = achadosDe(
        {daLinha(3, 1, certa), daLinha(3, 2, certa), daLinha(3, 3, certa), daLinha(3, 4, fora)});
    EXPECT_TRUE(
        achados.starts_with("ERRO Linha 3 (pedido 4512, item 10, variante "
                            "0000000123-5), sequência 4, código de barras"))
        << achados;
    // A Datamax batch of three labels: row 1's box and row 2's first two.
    const auto lote = [](const std::string& segunda, const std::string& terceira) {
        const OrigemTrabalho outra{2, "4512", "10", "0000000124-3", 1, 2};
        return Trabalho{TipoTrabalho::Etiqueta,
                        "SpoolEtq.PRN",
                        dpl("1911A1000100010A") + dpl(segunda) + dpl(terceira),
                        3,
                        {kLinha3, outra}};
    };
    const std::string dentro = "1911A1000100010TEXTO", alem = "1911A1000100900TEXTO";
    for (const auto& [segunda, terceira, nomeado] :
         {std::tuple(alem, dentro,
                     "Linha 2 (pedido 4512, item 10, variante 0000000124-3), "
                     "sequência 1, texto"),
          std::tuple(dentro, alem,
                     "Linha 2 (pedido 4512, item 10, variante 0000000124-3), "
                     "sequência 2, texto")}) {
        const std::string achados = achadosDe({lote(segunda, terceira)});
        EXPECT_TRUE(achados.starts_with(std::string("ERRO ") + nomeado)) << achados;
    }
    const ModelosDaExecucao comSeparador{
        {}, {"QuelmonteSeparador.zpl", "^FD:: INFO_PEDIDO ::^FS"}, {}};
    EXPECT_EQ(achadosDe({{TipoTrabalho::Separador,
                          "SpoolEtq.PRN",
                          zpl("^FO10,10^A0N,20,20^FD:: INFO_PEDIDO ::^FS"),
                          1,
                          {}}},
                        comSeparador),
              "ERRO Separador, modelo QuelmonteSeparador.zpl: \":: INFO_PEDIDO ::\" não foi "
              "preenchido\n");
}

// The check remembers the last few layouts of a run's labels: a label laid out
// as one before (its texts as wide, where they were) has that label's
// overlaps, and a field whose text changed is named as it now prints. A run of
// more layouts than are kept, some coming back, finds label by label what each
// label alone finds.
TEST(VerificacaoTrabalhos, EtiquetasDispostasComoAnterioresAchamOMesmo) {
    using Contagem = std::map<std::tuple<Gravidade, std::string, std::string>, long long>;
    const auto contar = [](const VerificacaoTrabalhos& v, Contagem& c) {
        for (const auto& a : v.achados()) c[{a.gravidade, a.campo, a.problema}] += 1 + a.outras;
    };
    // From ten letters on (a Datamax's four) the text runs into the X; the
    // box always passes the edge.
    // A ZPL label can carry more small boxes than a layout kept has fields.
    std::string grade;
    for (int y = 100; y < 300; y += 8)
        for (int x = 0; x < 392; x += 8)
            grade += "^FO" + std::to_string(x) + "," + std::to_string(y) + "^GB4,4,1^FS";
    const auto zplCom = [&grade](const std::string& texto, bool grande) {
        return zpl("^FO10,10^AAN,9,5^FD" + texto +
                   "^FS^FO59,10^AAN,9,5^FDX^FS^FO350,100^GB100,50,2^FS" + (grande ? grade : ""));
    };
    const auto dplCom = [](const std::string& texto, bool) {
        return dplMetrico("131100000000000" + texto + "\r\n131100000000040X");
    };
    using Linguagem = std::function<std::string(const std::string&, bool)>;
    for (const auto& linguagem : {Linguagem(zplCom), Linguagem(dplCom)}) {
        std::vector<Trabalho> trabalhos;
        for (int volta = 0; volta < 2; ++volta)
            for (int largura = 1; largura <= 12; ++largura)
                for (char letra : {'A', 'B', 'C'}) {
                    trabalhos.push_back(etiqueta(linguagem(std::string(largura, letra), false)));
                    trabalhos.back().origens[0].linha = static_cast<int>(trabalhos.size());
                }
        // A name shows a long text's first thirty bytes: these differ at the
        // thirtieth and after it.
        const std::string d28(28, 'D');
        for (const std::string& texto :
             {d28 + "AB123", d28 + "AC123", d28 + "AB456", d28 + "AB123"})
            for (bool grande : {false, true}) {
                trabalhos.push_back(etiqueta(linguagem(texto, grande)));
                trabalhos.back().origens[0].linha = static_cast<int>(trabalhos.size());
            }
        Contagem sozinhas, juntas;
        for (const auto& t : trabalhos) {
            VerificacaoTrabalhos v({}, false);
            v.enviar(t);
            v.terminar();
            contar(v, sozinhas);
        }
        VerificacaoTrabalhos v({}, false);
        for (const auto& t : trabalhos) v.enviar(t);
        v.terminar();
        contar(v, juntas);
        EXPECT_EQ(juntas, sozinhas);
        EXPECT_GE(juntas.size(), 9u);  // three letters at three widths at least
    }
}
