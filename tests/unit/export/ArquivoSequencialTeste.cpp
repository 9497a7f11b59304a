// The TXT records field by field and cells that hold no whole number.

#include <gtest/gtest.h>

#include <ctime>
#include <iomanip>
#include <sstream>

#include "../config/PastaTeste.h"
#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "comum/Arquivos.h"
#include "export/ArquivoSequencial.h"
#include "render/FamiliasEtiqueta.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

std::string sp(std::size_t n) {
    return std::string(n, ' ');
}

const auto kQuando = [] {  // local time
    std::tm t{};
    std::istringstream("2026-12-06 09:55:16") >> std::get_time(&t, "%Y-%m-%d %H:%M:%S");
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
}();

// Columns 1, 2, ... of row `linha`, separated by "|" (1 in column 1 ticks the row).
void preencher(Grade& g, int linha, const std::string& celulas) {
    if (g.linhas() < linha) g.definirLinhas(linha);
    std::size_t inicio = 0;
    for (int coluna = 1; inicio <= celulas.size(); ++coluna) {
        const std::size_t fim = std::min(celulas.find('|', inicio), celulas.size());
        g.definirTexto(linha, coluna, celulas.substr(inicio, fim - inicio));
        inicio = fim + 1;
    }
}

// A distinct value in every exported column.
void linhaPreco(Grade& g, int linha, const std::string& inicio, const std::string& fim) {
    preencher(g, linha,
              "1||Camiseta manga curta algodão azul marinho|M|1234567890123|4500012345|00010||"
              "12345678000199|7|CAT-01|1226|550|061226|COORD1|Tendência|P01|S||01|49,90|PMG|" +
                  inicio + "|" + fim + "||MF-998|00042|||0001|Centro SP|0002|Fat RJ");
}

void linhaVolume(Grade& g, int linha, const std::string& caixas) {
    preencher(g, linha,
              "1||||000000012345678|4500054321|00020|0101|8|" + caixas +
                  "|12345678000199|24|MF-77||0001|0002");
}

ExportacaoTxt exportacao(int tipo) {
    return exportacaoTxt(*familiaDoTipo(tipo));
}

class ArquivoSequencialTeste : public ::testing::Test {
  protected:
    std::vector<std::string> gerar(const Grade& g, int tipo, const std::string& nome) {
        ArquivoSequencial a(pasta);
        a.definirGrid(g);
        EXPECT_TRUE(a.Gerar(exportacao(tipo), kQuando)) << a.Erro();
        EXPECT_EQ(a.NomeTXT(), pasta / (nome + "_20261206 095516.txt"));
        const std::string conteudo = lerArquivo(a.NomeTXT()).value_or("");
        std::vector<std::string> r;
        std::size_t i = 0;
        for (std::size_t fim; (fim = conteudo.find("\r\n", i)) != std::string::npos; i = fim + 2)
            r.push_back(conteudo.substr(i, fim - i));
        EXPECT_EQ(i, conteudo.size()) << "a record without CR LF at the end of the file";
        return r;
    }

    teste::PastaTeste pasta;
    Grade precos{"sprPedidos", colunasPedidosPreco()};
    Grade volumes{"vaVolume", colunasVolume()};
};

}  // namespace

TEST_F(ArquivoSequencialTeste, RegistroDePrecoCampoACampo) {
    linhaPreco(precos, 1, "5", "5");
    linhaPreco(precos, 2, "1", "4");
    precos.definirTexto(2, 1, "0");  // not ticked
    linhaPreco(precos, 3, "0005", "00007");
    linhaPreco(precos, 4, "2,5", "3");  // 2.5 rounds half to even: 2
    const auto r = gerar(precos, 2, "QuelmonteEtiquetaPrecoAdesiva");
    ASSERT_EQ(r.size(), 1u + 3 + 2);
    // Every field cut or padded with spaces on the right to its width.
    EXPECT_EQ(r[0], std::string("12345678000199") + "4500012345" + "00010" + "34567890123" + "7" +
                        "1" + sp(7) + "CAT-01" + sp(14) + "M" + sp(6) + "1226" + "550" + "061226" +
                        "COORD1" + "Tendência" + sp(11) + "P01" + sp(2) + "S" + sp(1) +
                        "Camiseta manga curta algodão a" + "2456789012370005" + "01" + "49,90" +
                        sp(4) + "PMG" + sp(8) + "2" + "MF-998" + sp(9) + "00042" + sp(5) + "0001" +
                        "Centro SP" + sp(11) + "0002" + "Fat RJ" + sp(14 + 58));
    EXPECT_EQ(r[3].substr(152, 16), "2456789012370007");
    EXPECT_EQ(r[4].substr(152, 16), "2456789012370002");
}

TEST_F(ArquivoSequencialTeste, RegistrosDeVolumeCampoACampo) {
    linhaVolume(volumes, 1, "00000003");
    const std::string comum = "12345678000199450005432100020000123456783" + sp(7) + "24" + sp(2);
    EXPECT_EQ(
        gerar(volumes, 3, "QuelmonteEtiquetaVolumeReposicao")[0],
        comum + "8" + sp(5) + "0101MF-77" + sp(10) + "01010012345678001000008" + "0003" + sp(26));
    EXPECT_EQ(gerar(volumes, 4, "QuelmonteEtiquetaVolumePadrao")[0],
              comum + "MF-77" + sp(10) + "001234567800100300010002" + sp(26));
}

TEST_F(ArquivoSequencialTeste, CelulaSemNumeroInteiroNaoDeixaArquivo) {
    struct Caso {
        int tipo, coluna;
        const char *texto, *nomeColuna;
    };
    for (const auto& c : std::vector<Caso>{{1, 23, "abc", "coluna 23 (Inf. a Seq. Inicial)"},
                                           {2, 24, "", "coluna 24 (Inf. a Seq.Final)"},
                                           {1, 24, "99999999999", "coluna 24"},
                                           {3, 10, "3 caixas", "coluna 10"},
                                           {3, 9, "8pç", "coluna 9"}}) {
        Grade g{c.tipo <= 2 ? "sprPedidos" : "vaVolume",
                c.tipo <= 2 ? colunasPedidosPreco() : colunasVolume()};
        for (int linha = 1; linha <= 3; ++linha)  // rows 1 and 2 are written first
            c.tipo <= 2 ? linhaPreco(g, linha, "1", "5") : linhaVolume(g, linha, "2");
        g.definirTexto(3, c.coluna, c.texto);
        ArquivoSequencial a(pasta);
        a.definirGrid(g);
        EXPECT_FALSE(a.Gerar(exportacao(c.tipo), kQuando));
        EXPECT_NE(a.Erro().find(std::string("Linha 3, ") + c.nomeColuna), std::string::npos)
            << a.Erro();
        EXPECT_TRUE(fs::is_empty(pasta)) << c.tipo << " " << c.coluna;
    }
}

// A line break or tab in an order value is a blank: one record a line, all one width.
TEST_F(ArquivoSequencialTeste, CaracteresDeControleViramBrancos) {
    linhaPreco(precos, 1, "1", "1");
    precos.definirTexto(1, 3, "A\r\nB\tC\x7f");
    linhaVolume(volumes, 1, "1");
    volumes.definirTexto(1, 13, "M\nF");
    const auto preco = gerar(precos, 1, "QuelmonteEtiquetaPrecoCartolina");
    ASSERT_EQ(preco.size(), 1u);
    EXPECT_EQ(preco[0].size(), 322u);
    EXPECT_EQ(preco[0].substr(122, 30), "A  B C " + sp(23));
    const auto volume = gerar(volumes, 4, "QuelmonteEtiquetaVolumePadrao");
    ASSERT_EQ(volume.size(), 1u);
    EXPECT_EQ(volume[0].substr(52, 15), "M F" + sp(12));
}

TEST_F(ArquivoSequencialTeste, PastaSemGravacaoNaoDeixaArquivo) {
    linhaPreco(precos, 1, "1", "2");
    ArquivoSequencial a(pasta / "ausente");
    a.definirGrid(precos);
    EXPECT_FALSE(a.Gerar(exportacao(1), kQuando));
    EXPECT_NE(a.Erro().find("Não foi possível gravar o arquivo"), std::string::npos) << a.Erro();
    EXPECT_TRUE(fs::is_empty(pasta));
}
