#include <gtest/gtest.h>

#include "ApoioImprimir.h"

using namespace etiquetas;
using etiquetas::e2e::AplicacaoTemporaria;

namespace {

e2e::Resultado abrir(const std::string& arquivo) {
    return apoio::executarCli({"--pasta", ETIQUETAS_PASTA_APLICACAO, "abrir", arquivo});
}

std::string caminhoDaAmostra(const std::string& nome) {
    return std::string(ETIQUETAS_PASTA_APLICACAO) + "/" + nome;
}

}  // namespace

TEST(CliAbrir, CadaAmostraMostraTipoContagensEGrade) {
    struct Caso {
        const char* arquivo;
        const char8_t* tipo;  // the CLI writes UTF-8
        int pedidos, itensOuLojas, variantes, total;
    };
    for (const auto& c : std::vector<Caso>{
             {"Quelmonte_Preco_Cartolina_teste.xml", u8"de Preço (Cartolina)", 1, 1, 3, 3},
             {"Quelmonte_Preco_Adesiva_teste.xml", u8"de Preço (Adesiva)", 1, 2, 4, 4},
             {"Amostra_Preco_Cartolina_GerarTxt.xml", u8"de Preço (Cartolina)", 2, 2, 3, 9},
             {"Amostra_Preco_CartolinaComSem.xml", u8"de Preço (Cartolina Com/Sem)", 1, 1, 2, 4},
             {"Amostra_Preco_AdesivaIntima.xml", u8"de Preço (Adesiva Intima)", 1, 1, 2, 8},
             {"Amostra_Preco_Relogio.xml", u8"de Preço (Relógio)", 1, 1, 2, 4},
             {"Amostra_Preco_Conjunto.xml", u8"de Preço (Conjunto)", 1, 1, 2, 4},
             {"Amostra_Preco_Cosmetico.xml", u8"de Preço (Cosmético)", 1, 1, 2, 15},
             {"Amostra_Preco_Sku.xml", u8"SKU", 1, 1, 2, 6},
             {"Quelmonte_Grade_Volume_ReposAuto_teste.xml", u8"de Volume(Reposição Automatica)", 1,
              2, 0, 60},
             {"Quelmonte_Grade_Volume_Padrao_teste.xml", u8"de Volume(Padrão)", 1, 2, 0, 22},
             {"Amostra_Volume_ReposAuto_GerarTxt.xml", u8"de Volume(Reposição Automatica)", 1, 1, 0,
              18},
             {"Amostra_Volume_Padrao_GerarTxt.xml", u8"de Volume(Padrão)", 2, 2, 0, 28},
             {"Amostra_Volume_Ilpn.xml", u8"de Volume(Padrão)", 1, 2, 0, 24},
             {"Amostra_Volume_Consolidador.xml", u8"de Consolidador de Encabidado", 1, 1, 0, 5}}) {
        const bool volume = std::string(c.arquivo).find("Volume") != std::string::npos;
        const auto s = abrir(caminhoDaAmostra(c.arquivo));
        ASSERT_EQ(s.codigo, 0) << c.arquivo;
        const auto linhas = e2e::linhasDe(s.saida);
        const std::size_t linhasGrade = volume ? c.itensOuLojas : c.variantes;
        ASSERT_EQ(linhas.size(), 7 + 1 + linhasGrade) << c.arquivo;
        const std::vector<std::string> bloco{
            "Tipo da Etiqueta : Etiquetas " + std::string(reinterpret_cast<const char*>(c.tipo)),
            "Total de Pedidos : " + formatarInteiro(c.pedidos, "000000"),
            (volume ? "Total de Lojas : " : "Total de Itens : ") +
                formatarInteiro(c.itensOuLojas, "000000"),
            "Total de Variantes : " + formatarInteiro(c.variantes, "000000"),
            (volume ? reinterpret_cast<const char*>(u8"Total de Peças dos Volumes : ")
                    : "Total de Etiquetas a Imprimir: ") +
                formatarInteiro(c.total, "00000000"),
            // As the system spells the absolute path (under wine: Z:\work\...).
            "Arquivo : " + etiquetas::cp1252ParaUtf8(etiquetas::textoDoCaminho(
                               std::filesystem::absolute(caminhoDaAmostra(c.arquivo)))),
            ""};
        EXPECT_EQ(std::vector<std::string>(linhas.begin(), linhas.begin() + 7), bloco);
        EXPECT_EQ(linhas[7].rfind("Imprime ?\t", 0), 0u) << c.arquivo;
        for (std::size_t i = 7; i < linhas.size(); ++i)
            EXPECT_EQ(std::count(linhas[i].begin(), linhas[i].end(), '\t'), volume ? 19 : 39)
                << c.arquivo;
        EXPECT_EQ(linhas[8].rfind("0\t", 0), 0u) << c.arquivo;
    }
}

TEST(CliAbrir, RecusaSaiComUmEVersaoComTres) {
    AplicacaoTemporaria app;
    app.gravar("ruim.xml", "<?xml version=\"1.0\"?><preco/>");
    const auto r = abrir((app.pasta() / "ruim.xml").string());
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.saida.empty());

    std::string xml = app.ler("Quelmonte_Preco_Adesiva_teste.xml");
    const auto pos = xml.find("Versao=\"");
    ASSERT_NE(pos, std::string::npos);
    app.gravar("velho.xml", xml.replace(pos + 8, 32, std::string(32, 'A')));
    EXPECT_EQ(abrir((app.pasta() / "velho.xml").string()).codigo, 3);
}
