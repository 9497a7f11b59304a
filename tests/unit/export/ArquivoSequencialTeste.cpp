#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <random>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "comum/Arquivos.h"
#include "export/ArquivoSequencial.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

std::string sp(std::size_t n) {
    return std::string(n, ' ');
}

std::chrono::system_clock::time_point instante(int ano, int mes, int dia, int h, int m, int s) {
    std::tm tm{};
    tm.tm_year = ano - 1900;
    tm.tm_mon = mes - 1;
    tm.tm_mday = dia;
    tm.tm_hour = h;
    tm.tm_min = m;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

const auto kQuando = instante(2026, 12, 6, 9, 55, 16);

void preencher(Grade& g, int linha, const std::vector<std::pair<int, std::string>>& celulas) {
    if (g.linhas() < linha) g.definirLinhas(linha);
    for (const auto& [coluna, texto] : celulas) g.definirTexto(linha, coluna, texto);
}

// A price row with a distinct value in every exported column.
void linhaPreco(Grade& g, int linha, const std::string& inicio, const std::string& fim) {
    preencher(g, linha,
              {{1, "1"},
               {3, "Camiseta manga curta algodão azul marinho"},
               {4, "M"},
               {5, "1234567890123"},
               {6, "4500012345"},
               {7, "00010"},
               {9, "12345678000199"},
               {10, "7"},
               {11, "CAT-01"},
               {12, "1226"},
               {13, "550"},
               {14, "061226"},
               {15, "COORD1"},
               {16, "Tendência"},
               {17, "P01"},
               {18, "S"},
               {20, "01"},
               {21, "49,90"},
               {22, "PMG"},
               {23, inicio},
               {24, fim},
               {26, "MF-998"},
               {27, "00042"},
               {30, "0001"},
               {31, "Centro SP"},
               {32, "0002"},
               {33, "Fat RJ"}});
}

void linhaVolume(Grade& g, int linha, const std::string& caixas) {
    preencher(g, linha,
              {{1, "1"},
               {5, "000000012345678"},
               {6, "4500054321"},
               {7, "00020"},
               {8, "0101"},
               {9, "8"},
               {10, caixas},
               {11, "12345678000199"},
               {12, "24"},
               {13, "MF-77"},
               {15, "0001"},
               {16, "0002"}});
}

std::vector<std::string> registros(const std::string& conteudo) {
    std::vector<std::string> r;
    std::size_t inicio = 0;
    for (std::size_t fim; (fim = conteudo.find("\r\n", inicio)) != std::string::npos;
         inicio = fim + 2)
        r.push_back(conteudo.substr(inicio, fim - inicio));
    EXPECT_EQ(inicio, conteudo.size()) << "every record ends in CR LF";
    return r;
}

class ArquivoSequencialTeste : public ::testing::Test {
  protected:
    void SetUp() override {
        pasta = fs::temp_directory_path() / ("etq_txt_" + std::to_string(std::random_device{}()));
        fs::create_directories(pasta);
    }
    void TearDown() override { fs::remove_all(pasta); }

    std::vector<std::string> gerar(const Grade& g, int tipo) {
        ArquivoSequencial a(pasta);
        a.definirGrid(g);
        EXPECT_TRUE(a.Gerar(tipo, kQuando)) << a.Erro();
        EXPECT_EQ(a.NomeTXT().parent_path(), pasta);
        return registros(lerArquivo(a.NomeTXT()).value_or(""));
    }
    std::vector<fs::path> arquivos() const {
        std::vector<fs::path> r;
        for (const auto& e : fs::directory_iterator(pasta)) r.push_back(e.path().filename());
        return r;
    }

    fs::path pasta;
    Grade precos{"sprPedidos", colunasPedidosPreco()};
    Grade volumes{"vaVolume", colunasVolume()};
};

}  // namespace

TEST_F(ArquivoSequencialTeste, RegistroDePrecoCampoACampo) {
    linhaPreco(precos, 1, "5", "7");
    const auto r = gerar(precos, 2);
    ASSERT_EQ(r.size(), 3u);
    const std::string esperado =
        "12345678000199"
        "4500012345"
        "00010"
        "34567890123"
        "7"
        "1" +
        sp(7) + "CAT-01" + sp(14) + "M" + sp(6) +
        "1226"
        "550"
        "061226"
        "COORD1"
        "Tendência" +
        sp(11) + "P01" + sp(2) + "S" + sp(1) +
        "Camiseta manga curta algodão a"
        "2456789012370005"
        "01"
        "49,90" +
        sp(4) + "PMG" + sp(8) +
        "2"
        "MF-998" +
        sp(9) + "00042" + sp(5) +
        "0001"
        "Centro SP" +
        sp(11) + "0002" + "Fat RJ" + sp(14) + sp(58);
    EXPECT_EQ(r[0], esperado);
    for (const auto& registro : r) EXPECT_EQ(registro.size(), 322u);
    EXPECT_EQ(r[1].substr(152, 16), "2456789012370006");
    EXPECT_EQ(r[2].substr(152, 16), "2456789012370007");
}

TEST_F(ArquivoSequencialTeste, SoLinhasMarcadasENumeroDeRegistrosPorFaixa) {
    struct Caso {
        const char* inicio;
        const char* fim;
        std::size_t registros;
    };
    for (const auto& c : std::vector<Caso>{{"5", "7", 3},
                                           {"7", "5", 0},
                                           {"9", "9", 1},
                                           {"0005", "00007", 3},
                                           {"32766", "32768", 3},  // past the 16-bit end
                                           {"2,5", "3", 2}}) {  // 2.5 rounds to 2, halves to even
        Grade g{"sprPedidos", colunasPedidosPreco()};
        linhaPreco(g, 1, c.inicio, c.fim);
        linhaPreco(g, 2, "1", "4");
        g.definirTexto(2, 1, "0");
        EXPECT_EQ(gerar(g, 1).size(), c.registros) << c.inicio << ".." << c.fim;
        fs::remove_all(pasta);
        fs::create_directories(pasta);
    }
}

TEST_F(ArquivoSequencialTeste, CodigoDaVarianteNoCampo4) {
    struct Caso {
        const char* variante;
        const char* campo;
    };
    for (const auto& c : std::vector<Caso>{{"G123", "G123       "},
                                           {"g123", "g123       "},
                                           {"GABCDEFGHIJKLMN", "GABCDEFGHIJ"},
                                           {"1234567890123", "34567890123"},
                                           {"12345", "12345      "},
                                           {"", "           "}}) {
        Grade g{"sprPedidos", colunasPedidosPreco()};
        linhaPreco(g, 1, "1", "1");
        g.definirTexto(1, 5, c.variante);
        const auto r = gerar(g, 1);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].substr(29, 11), c.campo) << c.variante;
        fs::remove_all(pasta);
        fs::create_directories(pasta);
    }
}

TEST_F(ArquivoSequencialTeste, RegistrosDeVolumeCaixaACaixa) {
    linhaVolume(volumes, 1, "00000003");
    linhaVolume(volumes, 2, "00000000");
    const std::string comum =
        "12345678000199"
        "4500054321"
        "00020"
        "00012345678"
        "3" +
        sp(7) + "24" + sp(2);

    const auto reposicao = gerar(volumes, 3);
    ASSERT_EQ(reposicao.size(), 3u);
    EXPECT_EQ(reposicao[0], comum + "8" + sp(5) +
                                "0101"
                                "MF-77" +
                                sp(10) +
                                "0101"
                                "0012345678"
                                "001"
                                "000008"
                                "0003" +
                                sp(26));
    EXPECT_EQ(reposicao[2].substr(52 + 25, 27),
              "0101"
              "0012345678"
              "003"
              "000008"
              "0003");

    fs::remove_all(pasta);
    fs::create_directories(pasta);
    const auto padrao = gerar(volumes, 4);
    ASSERT_EQ(padrao.size(), 3u);
    EXPECT_EQ(padrao[0], comum + "MF-77" + sp(10) +
                             "0012345678"
                             "001"
                             "003"
                             "0001"
                             "0002" +
                             sp(26));
    EXPECT_EQ(padrao[1].substr(67, 16),
              "0012345678"
              "002"
              "003");
    for (const auto& r : reposicao) EXPECT_EQ(r.size(), 130u);
    for (const auto& r : padrao) EXPECT_EQ(r.size(), 117u);
}

TEST_F(ArquivoSequencialTeste, NomeNaPastaComDataEHoraEMesmoSegundoSubstitui) {
    linhaPreco(precos, 1, "1", "2");
    linhaVolume(volumes, 1, "1");
    const std::vector<std::pair<int, std::string>> nomes{
        {1, "QuelmonteEtiquetaPrecoCartolina_20261206 095516.txt"},
        {2, "QuelmonteEtiquetaPrecoAdesiva_20261206 095516.txt"},
        {3, "QuelmonteEtiquetaVolumeReposicao_20261206 095516.txt"},
        {4, "QuelmonteEtiquetaVolumePadrao_20261206 095516.txt"}};
    for (const auto& [tipo, nome] : nomes) {
        ArquivoSequencial a(pasta);
        a.definirGrid(tipo <= 2 ? static_cast<const Grade&>(precos) : volumes);
        ASSERT_TRUE(a.Gerar(tipo, kQuando));
        EXPECT_EQ(a.NomeTXT(), pasta / nome);
    }
    precos.definirTexto(1, 24, "1");
    EXPECT_EQ(gerar(precos, 1).size(), 1u);
    EXPECT_EQ(arquivos().size(), 4u);
}

TEST_F(ArquivoSequencialTeste, CelulaSemNumeroInteiroNaoDeixaArquivo) {
    struct Caso {
        int tipo;
        int coluna;
        const char* texto;
        const char* nomeColuna;
    };
    for (const auto& c : std::vector<Caso>{{1, 23, "abc", "coluna 23 (Inf. a Seq. Inicial)"},
                                           {2, 24, "", "coluna 24 (Inf. a Seq.Final)"},
                                           {1, 24, "99999999999", "coluna 24"},
                                           {3, 10, "3 caixas", "coluna 10"},
                                           {4, 12, "x", "coluna 12:"},
                                           {3, 9, "8pç", "coluna 9"}}) {
        Grade g{c.tipo <= 2 ? "sprPedidos" : "vaVolume",
                c.tipo <= 2 ? colunasPedidosPreco() : colunasVolume()};
        for (int linha = 1; linha <= 3; ++linha)
            c.tipo <= 2 ? linhaPreco(g, linha, "1", "5") : linhaVolume(g, linha, "2");
        g.definirTexto(3, c.coluna, c.texto);
        ArquivoSequencial a(pasta);
        a.definirGrid(g);
        EXPECT_FALSE(a.Gerar(c.tipo, kQuando));
        EXPECT_NE(a.Erro().find("Linha 3, "), std::string::npos) << a.Erro();
        EXPECT_NE(a.Erro().find(c.nomeColuna), std::string::npos) << a.Erro();
        EXPECT_TRUE(arquivos().empty()) << c.tipo << " " << c.coluna;
    }
}

TEST_F(ArquivoSequencialTeste, PastaSemGravacaoDaMensagemENaoSucesso) {
    linhaPreco(precos, 1, "1", "3");
    const fs::path arquivoComum = pasta / "arquivo";
    ASSERT_TRUE(gravarArquivoAtomico(arquivoComum, "x"));
    for (const fs::path& destino : {arquivoComum, pasta / "nao-existe"}) {
        ArquivoSequencial a(destino);
        a.definirGrid(precos);
        EXPECT_FALSE(a.Gerar(1, kQuando));
        EXPECT_NE(a.Erro().find("Não foi possível gravar o arquivo"), std::string::npos);
        EXPECT_EQ(a.registrosGravados(), 0);
    }
    EXPECT_EQ(arquivos().size(), 1u);
}
