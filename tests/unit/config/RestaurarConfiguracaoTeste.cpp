#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "comum/Arquivos.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

const std::string kInstalado =
    "[QuelmonteEtiqPrecoDatamax]\r\nRepeticao=0001\r\nLargura=0400\r\nFonteCodigo=2\r\n"
    "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0002\r\nLargura=0832\r\nFonteCodigo=@\r\n"
    "FonteNome=ARIAL.FNT\r\n";

struct PastaTemporaria {
    fs::path caminho =
        fs::temp_directory_path() / ("etq_restaurar_" + std::to_string(std::random_device{}()));
    PastaTemporaria() { fs::create_directories(caminho); }
    ~PastaTemporaria() { fs::remove_all(caminho); }
};

AtualizarConfiguracao configuracao(int impressora, int etiqueta) {
    AtualizarConfiguracao c;
    c.TipoImpressora = impressora;
    c.TipoEtiqueta = etiqueta;
    return c;
}

}  // namespace

TEST(RestaurarConfiguracao, DevolveSoASecaoEscolhidaAoQueFoiInstalado) {
    PastaTemporaria pasta;
    ASSERT_TRUE(gravarArquivoAtomico(pasta.caminho / "QuelmonteEtiqueta.ini", kInstalado));
    ASSERT_TRUE(gravarArquivoAtomico(pasta.caminho / "QuelmonteEtiqueta.original.ini", kInstalado));
    for (const char* secao : {"QuelmonteEtiqPrecoDatamax", "QuelmonteEtiqPrecoZebra"}) {
        ASSERT_TRUE(GravarArquivoIni(pasta.caminho, secao, "Largura", "0120"));
        ASSERT_TRUE(GravarArquivoIni(pasta.caminho, secao, "MargemTopo", "0007"));
    }

    auto zebra = configuracao(1, 1);
    ASSERT_TRUE(zebra.Restaurar(pasta.caminho)) << zebra.Erro();
    zebra.Carregar(pasta.caminho);
    EXPECT_EQ(zebra.LarguraEtiqueta, 832);
    EXPECT_EQ(zebra.margemTopo, 0);  // a key the installation did not ship
    EXPECT_EQ(zebra.NomeFonte, "ARIAL.FNT");

    auto datamax = configuracao(0, 1);
    datamax.Carregar(pasta.caminho);
    EXPECT_EQ(datamax.LarguraEtiqueta, 120);
    EXPECT_EQ(datamax.margemTopo, 7);
    EXPECT_EQ(lerArquivo(pasta.caminho / "QuelmonteEtiqueta.original.ini"), kInstalado);
}

TEST(RestaurarConfiguracao, SemCopiaInstaladaNadaMudaEOErroDiz) {
    PastaTemporaria pasta;
    ASSERT_TRUE(gravarArquivoAtomico(pasta.caminho / "QuelmonteEtiqueta.ini", kInstalado));
    auto zebra = configuracao(1, 1);
    EXPECT_FALSE(zebra.Restaurar(pasta.caminho));
    EXPECT_TRUE(zebra.TemErro());
    EXPECT_EQ(lerArquivo(pasta.caminho / "QuelmonteEtiqueta.ini"), kInstalado);
}

TEST(RestaurarConfiguracao, APastaDoAplicativoGuardaOArquivoInstaladoIntacto) {
    const auto instalado = lerArquivo(fs::path(ETIQUETAS_DADOS_FONTE) / "QuelmonteEtiqueta.ini");
    ASSERT_TRUE(instalado.has_value());
    EXPECT_EQ(lerArquivo(fs::path(ETIQUETAS_PASTA_APLICACAO) / "QuelmonteEtiqueta.original.ini"),
              instalado);
}
