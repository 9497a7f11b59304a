#include <gtest/gtest.h>

#include "ApoioImpressao.h"
#include "output/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/TratamentoFalhas.h"

using namespace etiquetas;
using namespace etiquetas::teste;

TEST(MotorTemplate, CompletarEspacosEZeros) {
    for (const auto& [texto, esperado] :
         std::vector<std::pair<std::string, std::string>>{{"", " "},
                                                          {"P", "      P"},
                                                          {"9,99", "     9,99"},
                                                          {"199,99", " 199,99"},
                                                          {"12345678901", "12345678901"}}) {
        std::string t = texto;
        EXPECT_EQ(CompletarEspacos(t), esperado) << texto;
        EXPECT_EQ(t, esperado) << "changed in place";
    }
    for (const auto& [texto, esperado] :
         std::vector<std::pair<std::string, std::string>>{{"000123", "0000000123"},
                                                          {"0000", ""},
                                                          {"0012345678901", "12345678901"},
                                                          {"00AB", "AB"}}) {
        std::string t = texto;
        EXPECT_EQ(CompletarZeros(t), esperado) << texto;
    }
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

// Speed "C" only for Datamax and Argox; temperature in two digits; a
// template well past 32 KB (an embedded graphic) is read whole.
TEST(MotorTemplate, CarregarPreencheVelocidadeETemperatura) {
    PastaTemporaria pasta;
    pasta.gravar("Modelo.zpl", "^PR:: CMD_VELOCIDADE ::~SD:: Temperatura ::^MD::Temperatura::" +
                                   std::string(40000, 'F') + "#INICIO#x#FIM#");
    struct Caso {
        std::string impressora, velocidade, temperatura, inicio;
    };
    for (const auto& c : std::vector<Caso>{{"ZEBRA, 2", "4", "8", "^PR4~SD08^MD::Temperatura::"},
                                           {" data max ,1", " ", "12", "^PRC~SD12"},
                                           {"Argox,3", "", "", "^PRC~SD^MD"},
                                           {"ZEBRA,2", "", "8", "^PR~SD08"}}) {
        JanelaFalsa j;
        j.impressoraTexto = c.impressora;
        j.velocidadeTexto = c.velocidade;
        j.temperaturaTexto = c.temperatura;
        ModuloImpressao m;
        CarregarTemplate(m, pasta.caminho(), "modelo.ZPL", j);
        EXPECT_EQ(m.TextoTemplate.substr(0, c.inicio.size()), c.inicio) << c.impressora;
        EXPECT_EQ(m.TextoTemplate.size(), m.TextoTemplate.find("#FIM#") + 5);
    }
    ModuloImpressao m;
    EXPECT_THROW(CarregarTemplate(m, pasta.caminho(), "Ausente.zpl", JanelaFalsa{}),
                 FalhaImpressao);
}

// Ending the application is not a failure of the run.
TEST(TratamentoFalhas, EncerrarAAplicacaoAtravessaARotina) {
    PlataformaHeadless p;
    EXPECT_THROW(executarRotina(p, [](int&) { throw AplicacaoEncerrada(); }), AplicacaoEncerrada);
    EXPECT_TRUE(executarRotina(p, [](int&) {}));
    EXPECT_TRUE(p.mensagens.empty());
}
