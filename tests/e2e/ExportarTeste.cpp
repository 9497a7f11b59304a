// etiquetas-cli exportar: the TXT export of order files end to end, on a
// temporary copy of the application folder.

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <QProcess>
#include <QStringList>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>

#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace fs = std::filesystem;
using namespace etiquetas;

namespace {

std::string digestoDaVersao() {
    const std::string texto = textoVersao(kVersaoCompilada);
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_Digest(texto.data(), texto.size(), md, &n, EVP_md5(), nullptr);
    std::string hex;
    char par[3];
    for (unsigned i = 0; i < n; ++i) {
        std::snprintf(par, sizeof par, "%02X", md[i]);
        hex += par;
    }
    return hex;
}

struct Variante {
    std::string codigo, inicio, fim;
};

// A price order file of label type `tipo`, one item, one row per variant.
std::string arquivoPreco(int tipo, const std::vector<Variante>& variantes,
                         const std::string& autorizado = "True") {
    std::string x = "<?xml version=\"1.0\" encoding=\"utf-8\"?><Preco AutorizadoGerarTXT=\"" +
                    autorizado + "\"><PedidoQuel Codigo=\"4500012345\" Tipo=\"" +
                    std::to_string(tipo) + "\" Versao=\"" + digestoDaVersao() +
                    "\" Sku=\"\" Novo=\"False\"><Item Codigo=\"00010\">";
    for (const auto& v : variantes)
        x += "<Variante Codigo=\"" + v.codigo +
             "\"><CNPJ>12345678000199</CNPJ><Digito>7</Digito>"
             "<QuantidadeEtiqueta>3</QuantidadeEtiqueta><SequenciaInicial>" +
             v.inicio + "</SequenciaInicial><SequenciaFinal>" + v.fim +
             "</SequenciaFinal><Catalogo>CAT-01</Catalogo><Tamanho>M</Tamanho>"
             "<DataEntrega>1226</DataEntrega><CodDepto>100</CodDepto>"
             "<DataTransmissao>061226</DataTransmissao><CodigoCoordenado>C1</CodigoCoordenado>"
             "<Tendencia>T</Tendencia><Parede>P01</Parede><ValeAPena>S</ValeAPena>"
             "<DescricaoMaterial>Camiseta</DescricaoMaterial><CodigoBarra>1</CodigoBarra>"
             "<CodigoPromocao>01</CodigoPromocao><PrecoMaterial>49,90</PrecoMaterial>"
             "<Grade>PMG</Grade><MaterialForn>MF-998</MaterialForn><NomeForn>Fornecedor</NomeForn>"
             "<CodigoBureau>42</CodigoBureau></Variante>";
    return x + "</Item></PedidoQuel></Preco>";
}

// A volume order file of label type `tipo`: one store with `volumes` boxes.
std::string arquivoVolume(int tipo, int volumes, const std::string& qtdeTotal = "24") {
    std::string dados;
    for (int i = 0; i < volumes; ++i)
        dados += "<VOLUME><numVolume>" + std::to_string(i + 1) + "</numVolume><qtdeTotal>" +
                 qtdeTotal + "</qtdeTotal></VOLUME>";
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><Volume AutorizadoGerarTXT=\"True\">"
           "<PedidoQuel Codigo=\"4500054321\" Tipo=\"" +
           std::to_string(tipo) + "\" Versao=\"" + digestoDaVersao() +
           "\"><Loja Codigo=\"0101\" ILPN=\"False\"><CNPJ>12345678000199</CNPJ>"
           "<ItemPedido>00020</ItemPedido><DescricaoMaterial>Camiseta</DescricaoMaterial>"
           "<CodigoMaterial>000000012345678</CodigoMaterial><DADOS_VOLUME>" +
           dados +
           "</DADOS_VOLUME><MaterialForn>MF-77</MaterialForn><NomeForn>Fornecedor</NomeForn>"
           "<CodigoBureau>123</CodigoBureau><QuantidadePeca>8</QuantidadePeca>"
           "<centroentrega>1</centroentrega><centrofaturamento>2</centrofaturamento>"
           "</Loja></PedidoQuel></Volume>";
}

struct Saida {
    int status = -1;
    std::string out, err;
};

class ExportarTeste : public ::testing::Test {
  protected:
    void SetUp() override {
        pasta =
            fs::temp_directory_path() / ("etq_exportar_" + std::to_string(std::random_device{}()));
        fs::create_directories(pasta);
        for (const auto& e : fs::directory_iterator(ETIQUETAS_PASTA_APLICACAO))
            if (e.is_regular_file()) fs::copy_file(e.path(), pasta / e.path().filename());
    }
    void TearDown() override { fs::remove_all(pasta); }

    Saida exportar(const std::string& xml, const std::vector<std::string>& opcoes = {"--todas"}) {
        const fs::path arquivo = pasta / "pedido.xml";
        EXPECT_TRUE(gravarArquivoAtomico(arquivo, xml));
        QStringList argumentos{QStringLiteral("--pasta"), QString::fromStdString(pasta.string()),
                               QStringLiteral("exportar"),
                               QString::fromStdString(arquivo.string())};
        for (const auto& o : opcoes) argumentos << QString::fromStdString(o);
        QProcess cli;
        cli.start(QStringLiteral(ETIQUETAS_CLI), argumentos);
        cli.waitForFinished(60000);
        return {cli.exitCode(), cli.readAllStandardOutput().toStdString(),
                cli.readAllStandardError().toStdString()};
    }
    std::vector<fs::path> txts() const {
        std::vector<fs::path> r;
        for (const auto& e : fs::directory_iterator(pasta))
            if (e.path().extension() != ".xml" &&
                e.path().filename().string().find("QuelmonteEtiqueta") == 0 &&
                e.path().filename().string().find(".ini") == std::string::npos)
                r.push_back(e.path());
        return r;
    }
    // The records of the file the CLI named, checking name, folder and CR LF.
    std::vector<std::string> registros(const Saida& s, const std::string& prefixo) {
        EXPECT_EQ(s.status, 0) << s.err;
        const fs::path nome = aparar(std::string(s.out.substr(0, s.out.find('\n'))));
        EXPECT_EQ(nome.parent_path(), pasta);
        const std::string base = nome.filename().string();
        EXPECT_EQ(base.rfind(prefixo, 0), 0u) << base;
        // "yyyyMMdd HHmmss.txt"
        EXPECT_EQ(base.size(), prefixo.size() + 19) << base;
        EXPECT_EQ(base.substr(prefixo.size() + 8, 1), " ");
        EXPECT_EQ(base.substr(base.size() - 4), ".txt");
        const std::string conteudo = lerArquivo(nome).value_or("");
        std::vector<std::string> r;
        std::size_t inicio = 0;
        for (std::size_t fim; (fim = conteudo.find("\r\n", inicio)) != std::string::npos;
             inicio = fim + 2)
            r.push_back(conteudo.substr(inicio, fim - inicio));
        EXPECT_EQ(inicio, conteudo.size()) << "CR LF after every record";
        return r;
    }

    fs::path pasta;
};

}  // namespace

TEST_F(ExportarTeste, PrecoUmRegistroPorSequenciaComOCodigoDaVariante) {
    const auto s = exportar(arquivoPreco(
        1, {{"G123", "5", "7"}, {"1234567890123", "7", "5"}, {"1234567890123", "9", "9"}}));
    const auto r = registros(s, "QuelmonteEtiquetaPrecoCartolina_");
    ASSERT_EQ(r.size(), 4u) << s.err;
    for (const auto& registro : r) EXPECT_EQ(registro.size(), 322u);
    EXPECT_EQ(r[0].substr(29, 11), "G123       ");
    EXPECT_EQ(r[3].substr(29, 11), "34567890123");
    const std::vector<std::string> finais{"0005", "0006", "0007", "0009"};
    for (std::size_t i = 0; i < r.size(); ++i) {
        const std::string barra = aparar(r[i].substr(152, 16));
        EXPECT_EQ(barra.substr(barra.size() - 4), finais[i]) << barra;
    }
    EXPECT_EQ(r[0].substr(152, 16), "2G12370005      ");  // a code that is no number stays
    EXPECT_EQ(r[3].substr(152, 16), "2456789012370009");
    EXPECT_EQ(r[0].substr(190, 1), "1");  // the label type
    EXPECT_NE(s.err.find("Arquivo gerado com sucesso!"), std::string::npos);
}

TEST_F(ExportarTeste, LinhasESequenciaEscolhidasNaLinhaDeComando) {
    const auto s = exportar(arquivoPreco(2, {{"1111111111", "1", "10"}, {"2222222222", "1", "10"}}),
                            {"--linhas", "2", "--sequencia", "2:6-7"});
    const auto r = registros(s, "QuelmonteEtiquetaPrecoAdesiva_");
    ASSERT_EQ(r.size(), 2u) << s.err;
    EXPECT_EQ(r[0].substr(152, 16), "2222222222270006");
    EXPECT_EQ(r[1].substr(152, 16), "2222222222270007");
}

TEST_F(ExportarTeste, VolumeUmRegistroPorCaixa) {
    struct Caso {
        int tipo;
        std::vector<std::string> opcoes;
        std::size_t registros;
        std::size_t largura;
        const char* prefixo;
    };
    for (const auto& c :
         std::vector<Caso>{{3, {"--todas"}, 3, 130, "QuelmonteEtiquetaVolumeReposicao_"},
                           {4, {"--todas"}, 3, 117, "QuelmonteEtiquetaVolumePadrao_"},
                           {3,
                            {"--linhas", "1", "--caixas", "1:0"},
                            0,
                            130,
                            "QuelmonteEtiquetaVolumeReposicao_"}}) {
        const auto s = exportar(arquivoVolume(c.tipo, 3), c.opcoes);
        const auto r = registros(s, c.prefixo);
        ASSERT_EQ(r.size(), c.registros) << s.err;
        for (std::size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].size(), c.largura);
            const std::string caixa = "00" + std::to_string(i + 1);
            if (c.tipo == 3)
                EXPECT_EQ(r[i].substr(77, 27), "01010012345678" + caixa + "0000080003");
            else
                EXPECT_EQ(r[i].substr(67, 16), "0012345678" + caixa + "003");
        }
        for (const auto& f : txts()) fs::remove(f);
    }
}

TEST_F(ExportarTeste, SemArquivoQuandoNaoDaParaExportar) {
    struct Caso {
        const char* nome;
        std::string xml;
        std::vector<std::string> opcoes;
        int status;
        const char* mensagem;
    };
    for (const auto& c : std::vector<Caso>{
             {"celula sem numero", arquivoVolume(3, 2, "abc"), {"--todas"}, 1, "coluna 12"},
             {"nada marcado", arquivoPreco(1, {{"1", "1", "2"}}), {}, 1, "Não foi selecionado"},
             {"arquivo sem autorizacao",
              arquivoPreco(1, {{"1", "1", "2"}}, "true"),
              {"--todas"},
              1,
              "TXT"},
             {"linha inexistente",
              arquivoPreco(1, {{"1", "1", "2"}}),
              {"--linhas", "2"},
              2,
              "linha 2"},
             {"caixas num arquivo de preco",
              arquivoPreco(1, {{"1", "1", "2"}}),
              {"--caixas", "1:2"},
              2,
              "--caixas"},
             {"sequencia malformada",
              arquivoPreco(1, {{"1", "1", "2"}}),
              {"--sequencia", "1:5"},
              2,
              "INICIO-FIM"}}) {
        const auto s = exportar(c.xml, c.opcoes);
        EXPECT_EQ(s.status, c.status) << c.nome << "\n" << s.err;
        EXPECT_NE(s.err.find(cp1252ParaUtf8(c.mensagem)), std::string::npos) << c.nome << "\n"
                                                                             << s.err;
        EXPECT_TRUE(s.out.empty()) << c.nome;
        EXPECT_TRUE(txts().empty()) << c.nome;
    }
}

TEST_F(ExportarTeste, ArquivoQueNaoPodeSerGravadoNaoAnunciaSucesso) {
    // Directories where the next seconds' files would be written first.
    const auto agora = std::time(nullptr);
    for (int segundos = -1; segundos <= 20; ++segundos) {
        const std::time_t t = agora + segundos;
        char data[32];
        std::strftime(data, sizeof data, "%Y%m%d %H%M%S", std::localtime(&t));
        fs::create_directory(
            pasta / ("QuelmonteEtiquetaPrecoCartolina_" + std::string(data) + ".txt.tmp~"));
    }
    const auto s = exportar(arquivoPreco(1, {{"1", "1", "1"}}));
    EXPECT_EQ(s.status, 1) << s.err;
    EXPECT_NE(s.err.find(cp1252ParaUtf8("Não foi possível gravar o arquivo")), std::string::npos)
        << s.err;
    EXPECT_EQ(s.err.find("sucesso"), std::string::npos);
    EXPECT_TRUE(s.out.empty());
}

TEST_F(ExportarTeste, AmostrasInstaladasQueAutorizamOTxt) {
    struct Caso {
        const char* amostra;
        const char* prefixo;
        std::size_t largura;
    };
    for (const auto& c : std::vector<Caso>{
             {"Amostra_Preco_Cartolina_GerarTxt.xml", "QuelmonteEtiquetaPrecoCartolina_", 322},
             {"Amostra_Volume_ReposAuto_GerarTxt.xml", "QuelmonteEtiquetaVolumeReposicao_", 130},
             {"Amostra_Volume_Padrao_GerarTxt.xml", "QuelmonteEtiquetaVolumePadrao_", 117}}) {
        const auto xml = lerArquivo(pasta / c.amostra);
        ASSERT_TRUE(xml.has_value()) << c.amostra;
        const auto r = registros(exportar(*xml), c.prefixo);
        EXPECT_FALSE(r.empty()) << c.amostra;
        for (const auto& registro : r) EXPECT_EQ(registro.size(), c.largura) << c.amostra;
        for (const auto& f : txts()) fs::remove(f);
    }
}
