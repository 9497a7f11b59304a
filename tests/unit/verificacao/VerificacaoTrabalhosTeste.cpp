// The check before a run, on jobs made by hand in both printer languages: each
// fault a label would carry on the shelf is found, named with its row, label
// and field, and sorted into error or warning.

#include <gtest/gtest.h>

#include <string>
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
        {"marcador DPL", "1911000010000100:: COR ::", dpl("1911000010000100:: COR ::"),
         Gravidade::Erro, "\":: COR ::\" não foi preenchido"},
        {"caixa fora", "", zpl("^FO350,10^GB100,50,2^FS"), Gravidade::Erro,
         "caixa em 350,10: fica fora da etiqueta (400 x 300 pontos)"},
        {"campo DPL além da largura", "", dpl("1911000010009000TEXTO"), Gravidade::Erro,
         "campo além da largura"},
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
        VerificacaoTrabalhos v({c.modelo}, false);
        v.enviar(etiqueta(c.job));
        v.terminar();
        ASSERT_FALSE(v.achados().empty()) << c.nome;
        const Achado& a = v.achados().front();
        const std::string texto = textoAchado(a);
        EXPECT_EQ(a.gravidade, c.gravidade) << c.nome << ": " << texto;
        EXPECT_TRUE(texto.starts_with("Linha 3 (pedido 4512, item 10, variante 0000000123-5), "
                                      "sequência 1") &&
                    texto.find(c.trecho) != std::string::npos)
            << c.nome << ": " << texto;
    }
}

// What the order says prints as it stands; a label that is right finds
// nothing; the same fault on every label is one finding with a count.
TEST(VerificacaoTrabalhos, TextoDoPedidoEEtiquetaCertaERepeticoes) {
    VerificacaoTrabalhos pedido({"^FD:: COR ::^FS"}, false);
    pedido.textoDoPedido("AZUL :: COR :: MARINHO");
    pedido.enviar(etiqueta(zpl("^FO10,10^A0N,20,20^FD:: COR ::^FS")));
    pedido.terminar();
    EXPECT_TRUE(pedido.achados().empty()) << textoAchado(pedido.achados().front());

    VerificacaoTrabalhos certa({"^FD:: COR ::^FS"}, true);
    certa.enviar(etiqueta(zpl("^FO10,10^A0N,20,20^FDAZUL^FS^FO10,60^BY2^BCN,50,N^FD>;1234^FS")));
    certa.enviar(
        {TipoTrabalho::Separador, "SpoolEtq.PRN", zpl("^FO10,10^A0N,20,20^FDSEP^FS"), 1, {}});
    certa.terminar();
    EXPECT_EQ(certa.erros() + certa.avisos(), 0);

    VerificacaoTrabalhos repetida({"^FD:: COR ::^FS"}, true);
    for (int i = 0; i < 3; ++i) repetida.enviar(etiqueta(zpl("^FO10,10^FD:: COR ::^FS")));
    repetida.terminar();
    ASSERT_EQ(repetida.achados().size(), 1u);
    EXPECT_EQ(repetida.erros(), 3);
    EXPECT_EQ(textoAchado(repetida.achados()[0]),
              "Linha 3 (pedido 4512, item 10, loja 0000000123-5), caixa 1: \":: COR ::\" não "
              "foi preenchido (e mais 2 vezes)");
}

TEST(VerificacaoTrabalhos, ConfiguracaoDatamaxVazia) {
    VerificacaoTrabalhos v({}, false);
    v.enviar({TipoTrabalho::ConfiguracaoDatamax, "SpoolEtqImg.prn", "\r\n", 0, {}});
    v.enviar(etiqueta(dpl("1911000010000100TEXTO")));
    v.terminar();
    ASSERT_EQ(v.achados().size(), 1u);
    EXPECT_EQ(textoAchado(v.achados()[0]),
              "Configuração: a configuração da Datamax está vazia: as etiquetas saem sem ela");
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
    VerificacaoTrabalhos v({"^FD:: COR ::^FS^FD:: TAM ::^FS"}, false);
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
