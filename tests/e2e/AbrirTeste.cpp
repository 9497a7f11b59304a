#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct Saida {
    int status = -1;
    std::string texto;
};

Saida executar(const std::string& comando) {
    Saida s;
    FILE* p = popen((comando + " 2>/dev/null").c_str(), "r");
    if (!p) return s;
    std::array<char, 65536> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), p)) > 0) s.texto.append(buffer.data(), n);
    const int status = pclose(p);
    s.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return s;
}

std::string abrir(const std::string& arquivo) {
    return std::string(ETIQUETAS_CLI) + " --pasta " + ETIQUETAS_PASTA_APLICACAO + " abrir '" +
           arquivo + "'";
}

std::vector<std::string> linhas(const std::string& texto) {
    std::vector<std::string> saida;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) saida.push_back(l);
    return saida;
}

std::size_t campos(const std::string& linha) {
    return static_cast<std::size_t>(std::count(linha.begin(), linha.end(), '\t')) + 1;
}

// CLI output is UTF-8; narrow literals here are not.
std::string u8s(const char8_t* s) {
    return reinterpret_cast<const char*>(s);
}

std::string amostra(const std::string& nome) {
    return std::string(ETIQUETAS_PASTA_APLICACAO) + "/" + nome;
}

}  // namespace

TEST(CliAbrir, CadaAmostraMostraTipoContagensEGrade) {
    struct Caso {
        const char* arquivo;
        const char8_t* tipo;
        const char8_t* itens;  // items or stores line
        const char8_t* variantes;
        const char8_t* total;
        std::size_t linhasGrade;
        std::size_t colunas;
    };
    for (const auto& c : std::vector<Caso>{
             {"Quelmonte_Preco_Cartolina_teste.xml", u8"Etiquetas de Preço (Cartolina)",
              u8"Total de Itens : 000001", u8"Total de Variantes : 000003",
              u8"Total de Etiquetas a Imprimir: 00000115", 3, 40},
             {"Quelmonte_Preco_Adesiva_teste.xml", u8"Etiquetas de Preço (Adesiva)",
              u8"Total de Itens : 000002", u8"Total de Variantes : 000004",
              u8"Total de Etiquetas a Imprimir: 00000016", 4, 40},
             {"Amostra_Preco_Cartolina_GerarTxt.xml", u8"Etiquetas de Preço (Cartolina)",
              u8"Total de Itens : 000002", u8"Total de Variantes : 000003",
              u8"Total de Etiquetas a Imprimir: 00000009", 3, 40},
             {"Amostra_Preco_CartolinaComSem.xml", u8"Etiquetas de Preço (Cartolina Com/Sem)",
              u8"Total de Itens : 000001", u8"Total de Variantes : 000002",
              u8"Total de Etiquetas a Imprimir: 00000004", 2, 40},
             {"Amostra_Preco_AdesivaIntima.xml", u8"Etiquetas de Preço (Adesiva Intima)",
              u8"Total de Itens : 000001", u8"Total de Variantes : 000002",
              u8"Total de Etiquetas a Imprimir: 00000008", 2, 40},
             {"Amostra_Preco_Relogio.xml", u8"Etiquetas de Preço (Relógio)",
              u8"Total de Itens : 000001", u8"Total de Variantes : 000002",
              u8"Total de Etiquetas a Imprimir: 00000004", 2, 40},
             {"Amostra_Preco_Conjunto.xml", u8"Etiquetas de Preço (Conjunto)",
              u8"Total de Itens : 000001", u8"Total de Variantes : 000002",
              u8"Total de Etiquetas a Imprimir: 00000004", 2, 40},
             {"Amostra_Preco_Cosmetico.xml", u8"Etiquetas de Preço (Cosmético)",
              u8"Total de Itens : 000001", u8"Total de Variantes : 000002",
              u8"Total de Etiquetas a Imprimir: 00000015", 2, 40},
             {"Amostra_Preco_Sku.xml", u8"Etiquetas SKU", u8"Total de Itens : 000001",
              u8"Total de Variantes : 000002", u8"Total de Etiquetas a Imprimir: 00000006", 2, 40},
             {"Quelmonte_Grade_Volume_ReposAuto_teste.xml",
              u8"Etiquetas de Volume(Reposição Automatica)", u8"Total de Lojas : 000002",
              u8"Total de Variantes : 000000", u8"Total de Peças dos Volumes : 00000060", 2, 20},
             {"Quelmonte_Grade_Volume_Padrao_teste.xml", u8"Etiquetas de Volume(Padrão)",
              u8"Total de Lojas : 000002", u8"Total de Variantes : 000000",
              u8"Total de Peças dos Volumes : 00000022", 2, 20},
             {"Amostra_Volume_ReposAuto_GerarTxt.xml",
              u8"Etiquetas de Volume(Reposição Automatica)", u8"Total de Lojas : 000001",
              u8"Total de Variantes : 000000", u8"Total de Peças dos Volumes : 00000018", 1, 20},
             {"Amostra_Volume_Padrao_GerarTxt.xml", u8"Etiquetas de Volume(Padrão)",
              u8"Total de Lojas : 000002", u8"Total de Variantes : 000000",
              u8"Total de Peças dos Volumes : 00000028", 2, 20},
             {"Amostra_Volume_Ilpn.xml", u8"Etiquetas de Volume(Padrão)",
              u8"Total de Lojas : 000002", u8"Total de Variantes : 000000",
              u8"Total de Peças dos Volumes : 00000024", 2, 20},
             {"Amostra_Volume_Consolidador.xml", u8"Etiquetas de Consolidador de Encabidado",
              u8"Total de Lojas : 000001", u8"Total de Variantes : 000000",
              u8"Total de Peças dos Volumes : 00000005", 1, 20},
         }) {
        const auto s = executar(abrir(amostra(c.arquivo)));
        ASSERT_EQ(s.status, 0) << c.arquivo;
        const auto l = linhas(s.texto);
        ASSERT_EQ(l.size(), 7 + 1 + c.linhasGrade) << c.arquivo;
        EXPECT_EQ(l[0], "Tipo da Etiqueta : " + u8s(c.tipo)) << c.arquivo;
        EXPECT_EQ(l[1].rfind("Total de Pedidos : 00000", 0), 0u) << c.arquivo;
        EXPECT_EQ(l[2], u8s(c.itens)) << c.arquivo;
        EXPECT_EQ(l[3], u8s(c.variantes)) << c.arquivo;
        EXPECT_EQ(l[4], u8s(c.total)) << c.arquivo;
        EXPECT_EQ(l[5], "Arquivo : " + amostra(c.arquivo)) << c.arquivo;
        EXPECT_EQ(l[6], "");
        EXPECT_EQ(l[7].rfind("Imprime ?\t", 0), 0u) << c.arquivo;
        for (std::size_t i = 7; i < l.size(); ++i) EXPECT_EQ(campos(l[i]), c.colunas) << c.arquivo;
        EXPECT_EQ(l[8].rfind("0\t", 0), 0u) << c.arquivo;
    }
}

TEST(CliAbrir, ValoresDaGradeEmUtf8SejaQualForACodificacaoDoArquivo) {
    const auto latin1 = linhas(executar(abrir(amostra("Amostra_Preco_Relogio.xml"))).texto);
    ASSERT_GE(latin1.size(), 9u);
    EXPECT_NE(latin1[8].find(u8s(u8"\tRELÓGIO ANALÓGICO AÇO INOX\t")), std::string::npos);
    const auto utf8 = linhas(executar(abrir(amostra("Quelmonte_Preco_Cartolina_teste.xml"))).texto);
    ASSERT_GE(utf8.size(), 9u);
    EXPECT_NE(utf8[8].find(u8s(u8"0\tCONFECÇÕES ARAÚJO LTDA\tCAMISETA MALHA ALGODÃO\tP\t")),
              std::string::npos);
    EXPECT_NE(utf8[8].find("\t00042\t"), std::string::npos);
}

TEST(CliAbrir, RecusaSaiComUmEVersaoComTres) {
    const auto pasta = std::filesystem::temp_directory_path() / "etiquetas-e2e-abrir";
    std::filesystem::create_directories(pasta);
    const auto ruim = (pasta / "ruim.xml").string();
    std::ofstream(ruim) << "<?xml version=\"1.0\"?><preco/>";
    const auto r = executar(abrir(ruim));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.texto.empty());

    std::ifstream entrada(amostra("Quelmonte_Preco_Adesiva_teste.xml"), std::ios::binary);
    std::string xml((std::istreambuf_iterator<char>(entrada)), {});
    const auto pos = xml.find("Versao=\"");
    ASSERT_NE(pos, std::string::npos);
    xml.replace(pos + 8, 32, std::string(32, 'A'));
    const auto velho = (pasta / "velho.xml").string();
    std::ofstream(velho, std::ios::binary) << xml;
    EXPECT_EQ(executar(abrir(velho)).status, 3);
    std::filesystem::remove_all(pasta);
}
