#include <gtest/gtest.h>

#include "ApoioImpressao.h"
#include "output/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/TratamentoFalhas.h"

using namespace etiquetas;
using namespace etiquetas::teste;

TEST(MotorTemplate, CompletarEspacosAlinhaPelaTabelaDeTamanhos) {
    struct Caso {
        std::string texto, esperado;
    };
    for (const auto& c : std::vector<Caso>{{"", " "},
                                           {"P", "      P"},
                                           {"GG", "     GG"},
                                           {"1,5", "    1,5"},
                                           {"9,99", "     9,99"},
                                           {"19,99", "   19,99"},
                                           {"199,99", " 199,99"},
                                           {"1234567890", " 1234567890"},
                                           {"12345678901", "12345678901"}}) {
        std::string t = c.texto;
        EXPECT_EQ(CompletarEspacos(t), c.esperado) << c.texto;
        EXPECT_EQ(t, c.esperado) << "changed in place";
    }
}

TEST(MotorTemplate, CompletarZerosNormalizaParaDezDigitos) {
    struct Caso {
        std::string texto, esperado;
    };
    for (const auto& c : std::vector<Caso>{{"000123", "0000000123"},
                                           {"0000", ""},
                                           {"", ""},
                                           {"12345678901", "12345678901"},
                                           {"0012345678901", "12345678901"},
                                           {"00AB", "AB"},
                                           {"1234567890", "1234567890"}}) {
        std::string t = c.texto;
        EXPECT_EQ(CompletarZeros(t), c.esperado) << c.texto;
    }
}

TEST(MotorTemplate, UnidadeTemCabecalhoCrLfCorpoERodapeSemMarcadores) {
    ModuloImpressao m;
    m.TextoTemplate = "^XA\r\n#INICIO#  \r\n^FDcorpo^FS\r\n\t #FIM#\r\n^XZ";
    ExtrairCorpoTemplate(m);
    EXPECT_EQ(m.CorpoTemplate, "\r\n^FDcorpo^FS\r\n\t") << "only blanks are trimmed";
    m.TextoSaida = "\r\n" + m.CorpoTemplate;
    AplicarCabecalhoRodape(m);
    EXPECT_EQ(m.TextoSaida, "^XA\r\n\r\n\r\n^FDcorpo^FS\r\n\t\r\n^XZ");
}

TEST(MotorTemplate, ModeloSemMarcadoresTerminaAExecucao) {
    for (const std::string modelo :
         {"^XA sem nada ^XZ", "#INICIO# sem fim", "#FIM# antes #INICIO#"}) {
        ModuloImpressao m;
        m.TextoTemplate = modelo;
        EXPECT_THROW(ExtrairCorpoTemplate(m), FalhaImpressao) << modelo;
    }
    ModuloImpressao m;
    m.TextoTemplate = "sem inicio #FIM#";
    EXPECT_THROW(AplicarCabecalhoRodape(m), FalhaImpressao);
}

TEST(MotorTemplate, CarregarPreencheVelocidadeETemperaturaComDoisDigitos) {
    PastaTemporaria pasta;
    // Well past 32 KB: a template with an embedded graphic is read whole.
    const std::string grafico(40000, 'F');
    pasta.gravar("Modelo.zpl", "^PR:: CMD_VELOCIDADE ::~SD:: Temperatura ::^MD::Temperatura::" +
                                   grafico + "#INICIO#x#FIM#");
    struct Caso {
        std::string impressora, velocidade, temperatura, inicioEsperado;
    };
    for (const auto& c : std::vector<Caso>{{"ZEBRA, 2", "4", "8", "^PR4~SD08^MD::Temperatura::"},
                                           {" data max ,1", " ", "12", "^PRC~SD12"},
                                           {"Argox,3", "", "", "^PRC~SD^MD"},
                                           {"ZEBRA,2", "", "8", "^PR~SD08"},
                                           {"ELTRON,4", "", "8", "^PR~SD08"}}) {
        JanelaFalsa j;
        j.impressoraTexto = c.impressora;
        j.velocidadeTexto = c.velocidade;
        j.temperaturaTexto = c.temperatura;
        ModuloImpressao m;
        CarregarTemplate(m, pasta.caminho(), "modelo.ZPL", j);
        EXPECT_EQ(m.TextoTemplate.substr(0, c.inicioEsperado.size()), c.inicioEsperado)
            << c.impressora;
        EXPECT_EQ(m.TextoTemplate.size(), m.TextoTemplate.find("#FIM#") + 5);
    }
    ModuloImpressao m;
    JanelaFalsa j;
    EXPECT_THROW(CarregarTemplate(m, pasta.caminho(), "Ausente.zpl", j), FalhaImpressao);
}

TEST(TratamentoFalhas, FalhaMostraDescricaoEPassoETerminaARotina) {
    PlataformaHeadless p;
    bool continuou = false;
    EXPECT_FALSE(executarRotina(p, [&](int& passo) {
        passo = 7;
        throw FalhaImpressao("Arquivo não encontrado");
        continuou = true;
    }));
    EXPECT_FALSE(continuou);
    ASSERT_EQ(p.mensagens.size(), 1u);
    EXPECT_EQ(p.mensagens[0].texto, "Arquivo não encontrado\nLinha: 7");
    EXPECT_EQ(p.mensagens[0].titulo, "Erro !");
    EXPECT_EQ(p.mensagens[0].icone, Icone::Critico);
    // Ending the application is not a failure of the run.
    EXPECT_THROW(executarRotina(p, [](int&) { throw AplicacaoEncerrada(); }), AplicacaoEncerrada);
    EXPECT_TRUE(executarRotina(p, [](int&) {}));
}
