#include <gtest/gtest.h>

#include <algorithm>

#include "BancadaRotina.h"
#include "comum/Texto.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"

using namespace etiquetas;
using namespace etiquetas::teste;

// Spaces on the left by length (none past ten), zeros up to ten digits; both in place.
TEST(MotorTemplate, CompletarEspacosEZeros) {
    const auto completar = [](std::string& (*funcao)(std::string&), std::vector<std::string> v) {
        std::string r;
        for (auto& t : v) funcao(t), r += "[" + t + "]";
        return r;
    };
    EXPECT_EQ(completar(CompletarEspacos,
                        {"", "P", "9,99", "XGG", "199,99", "1234567890", "12345678901"}),
              "[ ][      P][     9,99][    XGG][ 199,99][ 1234567890][12345678901]");
    EXPECT_EQ(completar(CompletarZeros, {"000123", "0000", "0012345678901", "00AB"}),
              "[0000000123][][12345678901][AB]");
}

namespace {

// A run that reads nothing but the template named in it.
struct Modelo : BancadaRotina {
    Grade grade = gradePreco({});
    ExecucaoImpressao execucao = BancadaRotina::execucao(grade, "Modelo.zpl");
};

}  // namespace

TEST(MotorTemplate, ModeloSemMarcadoresTerminaAExecucao) {
    for (const std::string modelo :
         {"^XA sem nada ^XZ", "#INICIO# sem fim", "#FIM# antes #INICIO#"}) {
        Modelo m;
        m.execucao.TextoTemplate = modelo;
        EXPECT_THROW(ExtrairCorpoTemplate(m.execucao), FalhaImpressao) << modelo;
    }
    Modelo m;
    m.execucao.TextoTemplate = "sem inicio #FIM#";
    EXPECT_THROW(AplicarCabecalhoRodape(m.execucao), FalhaImpressao);
}

// Speed "C" only for Datamax and Argox; temperature in two digits; big templates whole.
TEST(MotorTemplate, CarregarPreencheVelocidadeETemperatura) {
    struct Caso {
        std::string impressora, velocidade, temperatura, inicio;
    };
    for (const auto& c : std::vector<Caso>{{"ZEBRA, 2", "4", "8", "^PR4~SD08^MD8F"},
                                           {" data max ,1", " ", "12", "^PRC~SD12"},
                                           {"Argox,3", "", "", "^PRC~SD^MD"},
                                           {"ZEBRA,2", "", "8", "^PR~SD08"}}) {
        Modelo m;
        m.pasta.gravar("Modelo.zpl",
                       "^PR:: CMD_VELOCIDADE ::~SD:: Temperatura ::^MD::Temperatura::" +
                           std::string(40000, 'F') + "#INICIO#x#FIM#");
        m.parametros.velocidade = valorVelocidade(c.velocidade, fabricanteImpressora(c.impressora));
        m.parametros.temperatura = c.temperatura;
        m.execucao.nomeTemplate = "modelo.ZPL";
        CarregarTemplate(m.execucao);
        const auto& texto = m.execucao.TextoTemplate;
        EXPECT_EQ(texto.substr(0, c.inicio.size()), c.inicio) << c.impressora;
        EXPECT_EQ(texto.size(), texto.find("#FIM#") + 5);
    }
    Modelo m;
    m.execucao.nomeTemplate = "Ausente.zpl";
    EXPECT_THROW(CarregarTemplate(m.execucao), FalhaImpressao);
}

// ZPL fields with order data carry ^FH; bar-code fields only what the symbology carries.
TEST(MotorTemplate, CamposDeDadosDosModelosZplTemFH) {
    int campos = 0;
    for (const auto& e : std::filesystem::directory_iterator(ETIQUETAS_DADOS_FONTE)) {
        if (e.path().extension() != ".zpl") continue;
        const std::string modelo = lerArquivo(e.path()).value_or("");
        std::size_t inicioCampo = 0;
        for (auto fd = modelo.find("^FD"); fd != std::string::npos;
             fd = modelo.find("^FD", fd + 3)) {
            const auto fim = modelo.find("^FS", fd);
            const std::string dados = modelo.substr(fd, fim - fd);
            const std::string comandos = modelo.substr(inicioCampo, fd - inicioCampo);
            inicioCampo = fim == std::string::npos ? modelo.size() : fim + 3;
            if (dados.find("::") == std::string::npos || comandos.find("^B") != std::string::npos)
                continue;
            ++campos;
            EXPECT_NE(comandos.find("^FH"), std::string::npos)
                << e.path().filename() << ": " << comandos << dados;
        }
    }
    EXPECT_GT(campos, 10);
}

// Every shipped template filled from its cut body equals its tokens replaced one by one.
TEST(MotorTemplate, PreenchimentoCortadoIgualAoDeTokenEmToken) {
    int modelos = 0;
    for (const auto& e : std::filesystem::directory_iterator(ETIQUETAS_DADOS_FONTE)) {
        const auto extensao = e.path().extension();
        if (extensao != ".zpl" && extensao != ".prn") continue;
        ++modelos;
        const std::string corpo = lerArquivo(e.path()).value_or("");
        std::vector<std::string_view> tokens{":: Prec",
                                             "%1922A12%",
                                             "*",
                                             "COL1:: Cod. da Barra ::",
                                             "1111111111111111111111111111",
                                             "::000000000",
                                             "@Volume"};
        for (std::size_t i = corpo.find("::"); i != std::string::npos;) {
            const std::size_t j = corpo.find("::", i + 2);
            if (j == std::string::npos || j - i > 40) break;
            tokens.push_back(std::string_view(corpo).substr(i, j + 2 - i));
            i = corpo.find("::", j + 2);
        }
        PreenchimentoUnidade cortado;
        for (int unidade = 0; unidade < 4; ++unidade) {
            if (unidade == 2) std::reverse(tokens.begin(), tokens.end());
            std::string esperado = corpo, obtido = corpo;
            for (std::size_t k = 0; k < tokens.size(); ++k) {
                const std::string valor = std::string(k % 3, 'v') + std::to_string(unidade * k);
                substituirTodos(esperado, tokens[k], valor);
                cortado.preencher(tokens[k], valor);
            }
            cortado.aplicar(obtido);
            ASSERT_EQ(obtido, esperado) << e.path().filename() << " " << unidade;
        }
    }
    EXPECT_GT(modelos, 20);
}
