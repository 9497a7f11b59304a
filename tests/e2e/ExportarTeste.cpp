// etiquetas-cli exportar: the TXT export of order files end to end, on a
// temporary copy of the application folder.

#include <gtest/gtest.h>

#include <ctime>
#include <future>
#include <regex>

#include "ApoioImprimir.h"
#include "comum/Versao.h"

using namespace etiquetas;
using e2e::AplicacaoTemporaria;
namespace fs = std::filesystem;

namespace {

std::string cabecalho(const char* raiz, int tipo, const std::string& extra) {
    const auto md5 = digestoDaVersao(kVersaoCompilada);
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><" + std::string(raiz) + extra +
           "><PedidoQuel Codigo=\"4500012345\" Tipo=\"" + std::to_string(tipo) + "\" Versao=\"" +
           md5 + "\" Sku=\"\" Novo=\"False\">";
}

struct Variante {
    std::string codigo, inicio, fim;
};

std::string arquivoPreco(int tipo, const std::vector<Variante>& variantes,
                         const std::string& autorizado = "True") {
    std::string x = cabecalho("Preco", tipo, " AutorizadoGerarTXT=\"" + autorizado + "\"") +
                    "<Item Codigo=\"00010\">";
    for (const auto& v : variantes)
        x += "<Variante Codigo=\"" + v.codigo +
             "\"><CNPJ>12345678000199</CNPJ><Digito>7</Digito><QuantidadeEtiqueta>3"
             "</QuantidadeEtiqueta><SequenciaInicial>" +
             v.inicio + "</SequenciaInicial><SequenciaFinal>" + v.fim +
             "</SequenciaFinal><Catalogo>CAT-01</Catalogo><Tamanho>M</Tamanho><DataEntrega>1226"
             "</DataEntrega><CodDepto>100</CodDepto><DataTransmissao>061226</DataTransmissao>"
             "<CodigoCoordenado>C1</CodigoCoordenado><Tendencia>T</Tendencia><Parede>P01</Parede>"
             "<ValeAPena>S</ValeAPena><DescricaoMaterial>Camiseta</DescricaoMaterial><CodigoBarra>"
             "1</CodigoBarra><CodigoPromocao>01</CodigoPromocao><PrecoMaterial>49,90"
             "</PrecoMaterial><Grade>PMG</Grade><MaterialForn>MF-998</MaterialForn><NomeForn>F"
             "</NomeForn><CodigoBureau>42</CodigoBureau></Variante>";
    return x + "</Item></PedidoQuel></Preco>";
}

// One store with `volumes` boxes.
std::string arquivoVolume(int tipo, int volumes, const std::string& qtdeTotal = "24") {
    std::string dados;
    for (int i = 1; i <= volumes; ++i)
        dados += "<VOLUME><numVolume>" + std::to_string(i) + "</numVolume><qtdeTotal>" + qtdeTotal +
                 "</qtdeTotal></VOLUME>";
    return cabecalho("Volume", tipo, " AutorizadoGerarTXT=\"True\"") +
           "<Loja Codigo=\"0101\" ILPN=\"False\"><CNPJ>12345678000199</CNPJ><ItemPedido>00020"
           "</ItemPedido><DescricaoMaterial>Camiseta</DescricaoMaterial><CodigoMaterial>"
           "000000012345678</CodigoMaterial><DADOS_VOLUME>" +
           dados +
           "</DADOS_VOLUME><MaterialForn>MF-77</MaterialForn><NomeForn>F</NomeForn><CodigoBureau>"
           "123</CodigoBureau><QuantidadePeca>8</QuantidadePeca><centroentrega>1</centroentrega>"
           "<centrofaturamento>2</centrofaturamento></Loja></PedidoQuel></Volume>";
}

struct Saida {
    int status = -1;
    std::string out, err;
};

class ExportarTeste : public ::testing::Test {
  protected:
    Saida exportar(const std::string& xml, const std::vector<std::string>& opcoes = {"--todas"}) {
        const fs::path arquivo = pasta / "pedido.xml";
        EXPECT_TRUE(gravarArquivoAtomico(arquivo, xml));
        std::vector<std::string> argumentos{"--pasta", textoDoCaminho(pasta), "exportar",
                                            textoDoCaminho(arquivo)};
        argumentos.insert(argumentos.end(), opcoes.begin(), opcoes.end());
        const auto s = apoio::executarCli(argumentos);
        return {s.status, s.saida, s.erros};
    }
    // The records of the file the CLI named (then removed), checking its name,
    // folder, CR LF endings and the success message.
    std::vector<std::string> registros(const Saida& s, const std::string& prefixo) {
        EXPECT_EQ(s.status, 0) << s.err;
        const fs::path nome = aparar(s.out.substr(0, s.out.find('\n')));
        EXPECT_EQ(nome.parent_path(), pasta);
        // yyyyMMdd HHmmss, "_2", "_3", ... when the second's name was taken
        const std::regex data(prefixo + R"(\d{8} \d{6}(_\d+)?\.txt)");
        EXPECT_TRUE(std::regex_match(nome.filename().string(), data)) << nome;
        EXPECT_NE(s.err.find("Arquivo gerado com sucesso!"), std::string::npos) << s.err;
        EXPECT_NE(s.err.find("Nome: " + nome.string()), std::string::npos) << s.err;
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
        EXPECT_EQ(r[i].substr(152, 16), "2G1237000" + std::to_string(5 + i) + "      ");
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
            exportar(arquivoVolume(c.tipo, 3), c.opcoes),
            c.tipo == 3 ? "QuelmonteEtiquetaVolumeReposicao_" : "QuelmonteEtiquetaVolumePadrao_");
        ASSERT_EQ(r.size(), c.registros) << c.tipo;
        for (std::size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].size(), c.largura);
            const std::string caixa = "00" + std::to_string(i + 1);
            if (c.tipo == 3)
                EXPECT_EQ(r[i].substr(77, 27), "01010012345678" + caixa + "0000080003");
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
             {arquivoVolume(4, 2, "abc"), {"--todas"}, 1, "Linha 1, coluna 12"},
             {arquivoPreco(5, {{"1", "1", "2"}}), {"--todas"}, 1, "não tem exportação TXT"},
             {preco, {}, 1, "Não foi selecionado"},
             {arquivoPreco(1, {{"1", "1", "2"}}, "true"), {"--todas"}, 1, "não autoriza"},
             {preco, {"--linhas", "2"}, 2, "linha 2"},
             {preco, {"--caixas", "1:2"}, 2, "--caixas"},
             {preco, {"--sequencia", "1:5"}, 2, "INICIO-FIM"}}) {
        const auto s = exportar(c.xml, c.opcoes);
        EXPECT_EQ(s.status, c.status) << c.mensagem << "\n" << s.err;
        EXPECT_NE(s.err.find(cp1252ParaUtf8(c.mensagem)), std::string::npos) << s.err;
        EXPECT_TRUE(s.out.empty()) << c.mensagem;
        for (const auto& e : fs::directory_iterator(pasta)) {
            const std::string n = e.path().filename().string();
            EXPECT_FALSE(n.rfind("QuelmonteEtiqueta", 0) == 0 && n.find(".txt") != n.npos) << n;
        }
    }
}

// A line break inside an order value becomes blanks: each record keeps its
// fixed length and its neighbours' columns.
TEST_F(ExportarTeste, QuebraDeLinhaNoValorNaoPartilhaORegistro) {
    std::string preco = arquivoPreco(1, {{"1", "1", "1"}});
    substituirTodos(preco, "Camiseta", "A&#13;&#10;B");
    std::string volume = arquivoVolume(4, 1);
    substituirTodos(volume, "MF-77", "M&#13;&#10;F");
    const auto p = registros(exportar(preco), "QuelmonteEtiquetaPrecoCartolina_");
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].size(), 322u);
    EXPECT_TRUE(std::regex_match(p[0].substr(122, 30), std::regex("A +B +"))) << p[0];
    const auto v = registros(exportar(volume), "QuelmonteEtiquetaVolumePadrao_");
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].size(), 117u);
    EXPECT_TRUE(std::regex_match(v[0].substr(52, 15), std::regex("M +F +"))) << v[0];
}

#ifndef _WIN32
// Two exports started together, in seconds whose names another file already
// has: each names a file of its own holding its own records, whole, and
// the files already there stay as they were.
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
            const auto s = apoio::executarCli(
                {"--pasta", textoDoCaminho(pasta), "exportar", textoDoCaminho(arquivo), "--todas"});
            return Saida{s.status, s.saida, s.erros};
        });
    };
    auto primeira = iniciar("1111111111111"), segunda = iniciar("2222222222222");
    const Saida saidas[] = {primeira.get(), segunda.get()};
    EXPECT_NE(saidas[0].out, saidas[1].out);
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
