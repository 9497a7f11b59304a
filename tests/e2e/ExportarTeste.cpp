// etiquetas-cli exportar: the TXT export end to end.

#include <gtest/gtest.h>

#include <ctime>
#include <future>
#include <regex>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

// A price file the portal lets export, a variant a row: code, first, last.
std::string arquivoPreco(int tipo, const std::vector<Lista>& linhas,
                         const std::string& autorizado = "True") {
    std::vector<Variante> variantes;
    for (const auto& l : linhas) {
        variantes.push_back(faixa(l[1], l[2]));
        variantes.back().codigo = l[0];
    }
    return comAtributosNaRaiz(xmlPreco(tipo, variantes),
                              " AutorizadoGerarTXT=\"" + autorizado + "\"");
}

// One store of three boxes, the first box's total given.
std::string arquivoVolume(int tipo, const std::string& qtdeTotal = "12") {
    const Loja loja{.codigo = "0101",
                    .material = "000000012345678",
                    .volumes = {{"1", {{"qtdeTotal", qtdeTotal}}}, {"2"}, {"3"}}};
    return comAtributosNaRaiz(xmlVolume(tipo, {loja}, false), " AutorizadoGerarTXT=\"True\"");
}

class ExportarTeste : public ::testing::Test {
  protected:
    Resultado exportar(const std::string& xml, const Lista& opcoes = {"--todas"}) {
        app.gravar("pedido.xml", xml);
        return app.executar(mais({"exportar", textoDoCaminho(pasta / "pedido.xml")}, opcoes));
    }
    // The records of the file the CLI named, its name, folder, CR LF and message checked.
    std::vector<std::string> registros(const Resultado& s, const std::string& prefixo) {
        EXPECT_EQ(s.codigo, 0) << s.erros;
        const fs::path nome = aparar(s.saida.substr(0, s.saida.find('\n')));
        EXPECT_EQ(nome.parent_path(), pasta);
        // yyyyMMdd HHmmss, "_2", "_3", ... when the second's name was taken
        const std::regex data(prefixo + R"(\d{8} \d{6}(_\d+)?\.txt)");
        EXPECT_TRUE(std::regex_match(nome.filename().string(), data)) << nome;
        EXPECT_TRUE(contem(s.erros, "Arquivo gerado com sucesso!")) << s.erros;
        EXPECT_NE(s.erros.find("Nome: " + nome.string()), std::string::npos) << s.erros;
        const std::string conteudo = lerArquivo(nome).value_or("");
        fs::remove(nome);
        std::vector<std::string> r;
        std::size_t inicio = 0;
        for (std::size_t fim; (fim = conteudo.find("\r\n", inicio)) != std::string::npos;
             inicio = fim + 2)
            r.push_back(conteudo.substr(inicio, fim - inicio));
        EXPECT_EQ(inicio, conteudo.size()) << "CR LF after every record";
        return r;
    }

    AplicacaoTemporaria app;
    const fs::path& pasta = app.pasta();
};

}  // namespace

TEST_F(ExportarTeste, PrecoUmRegistroPorSequenciaComOCodigoDaVariante) {
    const auto r = registros(exportar(arquivoPreco(1, {{"G123", "5", "7"},
                                                       {"1234567890123", "7", "5"},
                                                       {"GABCDEFGHIJKLMN", "9", "9"},
                                                       {"1234567890123", "32767", "32768"}})),
                             "QuelmonteEtiquetaPrecoCartolina_");
    ASSERT_EQ(r.size(), 6u);  // 3 + none + 1 + 2: no stop at the 16-bit end
    for (const auto& registro : r) EXPECT_EQ(registro.size(), 322u);
    for (int i = 0; i < 3; ++i)  // a code that is no number stays as it is
        EXPECT_EQ(r[i].substr(152, 16), "2G1235000" + std::to_string(5 + i) + "      ");
    EXPECT_EQ(r[0].substr(29, 11), "G123       ");
    EXPECT_EQ(r[3].substr(29, 11), "GABCDEFGHIJ");  // kept whole, then cut on the right
    EXPECT_EQ(r[4].substr(29, 11), "34567890123");
}

TEST_F(ExportarTeste, VolumeUmRegistroPorCaixa) {
    struct Caso {
        int tipo;
        std::vector<std::string> opcoes;
        std::size_t registros, largura;
    };
    for (const auto& c : std::vector<Caso>{{3, {"--todas"}, 3, 130},
                                           {4, {"--todas"}, 3, 117},
                                           {3, {"--linhas", "1", "--caixas", "1:0"}, 0, 130}}) {
        const auto r = registros(
            exportar(arquivoVolume(c.tipo), c.opcoes),
            c.tipo == 3 ? "QuelmonteEtiquetaVolumeReposicao_" : "QuelmonteEtiquetaVolumePadrao_");
        ASSERT_EQ(r.size(), c.registros) << c.tipo;
        for (std::size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].size(), c.largura);
            const std::string caixa = "00" + std::to_string(i + 1);
            if (c.tipo == 3)
                EXPECT_EQ(r[i].substr(77, 27), "01010012345678" + caixa + "0000360003");
            else
                EXPECT_EQ(r[i].substr(67, 16), "0012345678" + caixa + "003");
        }
    }
}

TEST_F(ExportarTeste, SemArquivoQuandoNaoDaParaExportar) {
    const auto preco = arquivoPreco(1, {{"1", "1", "2"}});
    struct Caso {
        std::string xml;
        std::vector<std::string> opcoes;
        int status;
        const char* mensagem;
    };
    for (const auto& c : std::vector<Caso>{
             {arquivoVolume(4, "abc"), {"--todas"}, 1, "Linha 1, coluna 12"},
             {arquivoPreco(5, {{"1", "1", "2"}}), {"--todas"}, 1, "não tem exportação TXT"},
             {preco, {}, 1, "Não foi selecionado"},
             {arquivoPreco(1, {{"1", "1", "2"}}, "true"), {"--todas"}, 1, "não autoriza"},
             {preco, {"--linhas", "2"}, 2, "linha 2"},
             {preco, {"--caixas", "1:2"}, 2, "--caixas"},
             {preco, {"--sequencia", "1:5"}, 2, "INICIO-FIM"}}) {
        const auto s = exportar(c.xml, c.opcoes);
        EXPECT_EQ(s.codigo, c.status) << c.mensagem << "\n" << s.erros;
        EXPECT_TRUE(contem(s.erros, c.mensagem)) << s.erros;
        EXPECT_TRUE(s.saida.empty()) << c.mensagem;
        for (const auto& e : fs::directory_iterator(pasta)) {
            const std::string n = e.path().filename().string();
            EXPECT_FALSE(n.rfind("QuelmonteEtiqueta", 0) == 0 && n.find(".txt") != n.npos) << n;
        }
    }
}

#ifndef _WIN32
// Two exports in the same second each write a whole file; files already there stay.
TEST_F(ExportarTeste, DuasExportacoesAoMesmoTempo) {
    std::vector<fs::path> alheios;
    for (std::time_t t = std::time(nullptr) - 1, fim = t + 20; t <= fim; ++t) {
        char data[32];
        std::strftime(data, sizeof data, "%Y%m%d %H%M%S", std::localtime(&t));
        alheios.push_back(pasta /
                          ("QuelmonteEtiquetaPrecoCartolina_" + std::string(data) + ".txt"));
        EXPECT_TRUE(gravarArquivoAtomico(alheios.back(), "alheio"));
    }
    const auto iniciar = [&](const std::string& variante) {
        const fs::path arquivo = pasta / (variante + ".xml");
        EXPECT_TRUE(gravarArquivoAtomico(arquivo, arquivoPreco(1, {{variante, "1", "20000"}})));
        return std::async(std::launch::async, [this, arquivo] {
            return app.executar({"exportar", textoDoCaminho(arquivo), "--todas"});
        });
    };
    auto primeira = iniciar("1111111111111"), segunda = iniciar("2222222222222");
    const Resultado saidas[] = {primeira.get(), segunda.get()};
    EXPECT_NE(saidas[0].saida, saidas[1].saida);
    for (int i = 0; i < 2; ++i) {
        const auto r = registros(saidas[i], "QuelmonteEtiquetaPrecoCartolina_");
        EXPECT_EQ(r.size(), 20000u);
        const std::string variante(11, i == 0 ? '1' : '2');
        for (const auto& registro : r)
            if (registro.substr(29, 11) != variante) {
                ADD_FAILURE() << "a record of the other export: " << registro;
                break;
            }
    }
    for (const auto& a : alheios) EXPECT_EQ(lerArquivo(a), "alheio") << a;
}
#endif
