#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"
#include "config/TabelasImpressoras.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;

TEST(TabelasImpressoras, LinhasSemBrancosNemLinhaVaziaFinal) {
    PastaTeste pasta;
    struct Caso {
        std::string conteudo;
        std::vector<std::string> linhas;
    };
    for (const auto& c : std::vector<Caso>{
             {"A,1\r\nB,2\r\n", {"A,1", "B,2"}},
             {"A,1\r\nB,2", {"A,1", "B,2"}},
             {"A,1\r\n\r\n  \r\nB,2\r\n\r\n", {"A,1", "B,2"}},
             {"A,1\nB,2\n", {"A,1", "B,2"}},  // edited with a bare LF
             {"", {}},
         }) {
        pasta.gravar("t.txt", c.conteudo);
        EXPECT_EQ(lerLinhasTabela(pasta / "t.txt"), c.linhas) << c.conteudo;
    }
    EXPECT_FALSE(lerLinhasTabela(pasta / "ausente.txt"));
    EXPECT_FALSE(lerLinhasTabela(pasta.caminho()));  // a folder is no table
}

TEST(TabelasImpressoras, ConversaoPorImpressoraEVelocidade) {
    PastaTeste pasta;
    pasta.gravar("c.txt", "DATAMAX,4,G\r\n ARGOX ,4, E \r\nELTRON, 3,E\r\n");
    struct Caso {
        const char* impressora;
        const char* velocidade;
        const char* esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {"DATAMAX", "4", "G"},
             {" DATAMAX ", " 4 ", "G"},
             {"ARGOX", "4", "E"},
             {"Datamax", "4", ""},  // names compare with their case
             {"DATAMAX", "5", ""},
             {"ELTRON", "3", ""},  // the speed field is compared as written
             {"ZEBRA", "4", ""},
         })
        EXPECT_EQ(buscarConversao(pasta / "c.txt", c.impressora, c.velocidade), c.esperado)
            << c.impressora << "/" << c.velocidade;
    EXPECT_EQ(buscarConversao(pasta / "ausente.txt", "DATAMAX", "4"), "");
}

// The installation data must fit what the window and the print command
// expect of it.
TEST(DadosInstalacao, TabelasDeImpressorasCoerentes) {
    const std::filesystem::path dados = ETIQUETAS_DADOS_FONTE;
    const auto impressoras = lerLinhasTabela(dados / "tb_impressoras.txt");
    ASSERT_TRUE(impressoras);
    ASSERT_GE(impressoras->size(), 4u);
    const std::vector<std::string> fabricantes = {"DATAMAX", "ZEBRA", "ARGOX", "ELTRON"};
    const auto modelos = lerLinhasTabela(dados / "tb_modelo_impressora.txt");
    const auto conversoes = lerLinhasTabela(dados / "tb_impressoras_convercao.txt");
    ASSERT_TRUE(modelos && conversoes);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto campos = camposDaLinha((*impressoras)[i]);
        ASSERT_GE(campos.size(), 2u);
        EXPECT_EQ(maiusculas(campos[0]), fabricantes[i]);
        ASSERT_TRUE(inteiroDoCampo(campos[1]));
        int quantos = 0;
        for (const auto& linha : *modelos) {
            const auto m = lerModelo(linha);
            ASSERT_TRUE(m) << linha;
            EXPECT_LE(m->velocidadeDe, m->velocidadePadrao) << linha;
            EXPECT_LE(m->velocidadePadrao, m->velocidadeAte) << linha;
            EXPECT_LE(m->temperaturaDe, m->temperaturaPadrao) << linha;
            EXPECT_LE(m->temperaturaPadrao, m->temperaturaAte) << linha;
            if (!mesmoIdImpressora(m->idImpressora, campos[1])) continue;
            ++quantos;
            // Datamax-language printers need a speed code for every speed.
            if (fabricantes[i] == "ZEBRA") continue;
            for (long v = m->velocidadeDe; v <= m->velocidadeAte; ++v)
                EXPECT_NE(buscarConversao(dados / "tb_impressoras_convercao.txt", campos[0],
                                          std::to_string(v)),
                          "")
                    << linha << " " << v;
        }
        EXPECT_GT(quantos, 0) << campos[0];
    }
    for (const char* serial : {"tb_velocidade_com.txt", "tb_paridade_com.txt",
                               "tb_bitdedados_com.txt", "tb_bitdeparada_com.txt"}) {
        const auto linhas = lerLinhasTabela(dados / serial);
        ASSERT_TRUE(linhas && !linhas->empty()) << serial;
    }
    EXPECT_EQ(*lerLinhasTabela(dados / "tb_paridade_com.txt"),
              (std::vector<std::string>{"N", "E", "O"}));
}

TEST(DadosInstalacao, LayoutParaCadaTipoGeracaoELinguagem) {
    const std::filesystem::path dados = ETIQUETAS_DADOS_FONTE;
    for (int tipo : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 99})
        for (bool novo : {false, true})
            for (int impressora : {0, 1, 2, 3}) {
                AtualizarConfiguracao cfg;
                cfg.TipoEtiqueta = tipo;
                cfg.LayoutNovo = novo;
                cfg.TipoImpressora = impressora;
                cfg.Carregar(dados);
                EXPECT_GE(cfg.Repeticao, 1) << cfg.NomeSecao();
                EXPECT_GT(cfg.LarguraEtiqueta, 20) << cfg.NomeSecao();
                EXPECT_EQ(cfg.CodigoFonte, "0") << cfg.NomeSecao();
            }
    for (const char* lingua : {"Zebra", "DataMax"}) {
        const std::string adesiva = std::string("QuelmonteEtiqPrecoAdesiva") + lingua;
        for (const char* chave :
             {"Catalogo", "Informacao", "CodigoDepartamento", "Tamanho", "DescricaoLinha01",
              "DescricaoLinha02", "RefFornecedor", "CodigoBarra", "PosicaoCodigoBarra", "Moeda",
              "Preco", "Bureau"}) {
            const auto valor = LerArquivoIni(dados, adesiva, chave);
            EXPECT_EQ(valor.size(), 8u) << adesiva << "/" << chave;
            EXPECT_TRUE(valorInteiro(valor)) << adesiva << "/" << chave;
        }
        const std::string separador = std::string("QuelmonteSeparador") + lingua;
        EXPECT_NE(LerArquivoIni(dados, separador, "Label"), "");
        EXPECT_NE(LerArquivoIni(dados, separador, "Informacao"), "");
    }
    EXPECT_NE(LerArquivoIni(dados, "PortaSerial", "Porta"), "");
    EXPECT_FALSE(std::filesystem::exists(dados / "QuelmonteConfig.ini"));
}
