#include <gtest/gtest.h>

#include <map>

#include "PastaTeste.h"
#include "config/AtualizarConfiguracao.h"
#include "render/FamiliasEtiqueta.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;
using std::string, std::tuple;

namespace {

const string kLayout = "QuelmonteEtiqueta.ini";

AtualizarConfiguracao configuracao(int tipoEtiqueta, int tipoImpressora, bool novo = false) {
    AtualizarConfiguracao c = configuracaoLayout(tipoEtiqueta, tipoImpressora, novo);
    std::tie(c.Repeticao, c.LarguraEtiqueta) = tuple(1, 100);
    return c;
}

auto parametros(const AtualizarConfiguracao& c) {
    return tuple(c.Repeticao, c.LarguraEtiqueta, c.margemEsquerda, c.margemTopo, c.CodigoFonte,
                 c.NomeFonte, c.CmdIniciar);
}

}  // namespace

// The stems and printer suffixes that existing layout files rely on,
// misspelt "Padraorao" and shared type-5/9 stem included.
TEST(AtualizarConfiguracao, NomeDaSecaoPorTipoImpressoraEGeracao) {
    struct Caso {
        int tipo, impressora;
        bool novo;
        string secao;
    };
    const std::vector<Caso> casos{{1, 1, false, "QuelmonteEtiqPrecoZebra"},
                                  {1, 0, true, "QuelmonteEtiqPreco_NOVODatamax"},
                                  {4, 3, false, "QuelmonteEtiqVolumePadraoraoDatamax"},
                                  {9, 2, true, "QuelmonteEtiqPrecoComSem_NOVODatamax"},
                                  {99, 1, false, "QuelmonteEtiqInternaZebra"},
                                  {8, 1, false, "QuelmonteEtiqPrecoOculosZebra"},
                                  {2, -1, false, "QuelmonteEtiqPrecoAdesiva"},
                                  {2, 4, false, "QuelmonteEtiqPrecoAdesiva"},
                                  {10, 1, false, "Zebra"},
                                  {0, 0, true, "_NOVODatamax"}};
    for (const auto& c : casos)
        EXPECT_EQ(configuracao(c.tipo, c.impressora, c.novo).NomeSecao(), c.secao)
            << c.tipo << " " << c.impressora;
}

TEST(AtualizarConfiguracao, ValidacaoParaNaPrimeiraFalhaEmOrdem) {
    for (const auto& [repeticao, largura, codigo, nome, erro] :
         std::vector<tuple<short, short, string, string, string>>{
             {0, 10, "@", "", "Repetição deverá ser maior que 0"},
             {-1, 100, "0", "", "Repetição deverá ser maior que 0"},
             {1, 20, "@", "", "Largura da etiqueta deverá ser maior que 20."},
             {1, 21, "@", "", "Informe o nome da fonte."},
             {1, 21, "@", "Arial", ""},
             {1, 21, "", "", ""}}) {
        PastaTeste pasta;
        auto cfg = configuracao(1, 1);
        std::tie(cfg.Repeticao, cfg.LarguraEtiqueta, cfg.CodigoFonte, cfg.NomeFonte) =
            tuple(repeticao, largura, codigo, nome);
        EXPECT_EQ(cfg.Configurar(pasta), erro.empty() ? Gravacao::Gravada : Gravacao::Recusada)
            << erro;
        EXPECT_EQ(tuple(cfg.Erro(), cfg.TemErro()), tuple(erro, !erro.empty()));
        EXPECT_EQ(pasta.quantosArquivos(), erro.empty() ? 1u : 0u);  // refused: nothing written
        EXPECT_EQ(pasta.ler(kLayout).find("PortaSerial"), string::npos);  // never loaded
    }
}

TEST(AtualizarConfiguracao, CarregarMantemOInvalidoEConfigurarGravaQuatroDigitos) {
    PastaTeste pasta;
    pasta.gravar(kLayout,
                 "[QuelmonteEtiqPrecoDatamax]\r\nRepeticao=\r\nLargura=12A\r\n"
                 "MargemEsquerda=40000\r\nMargemTopo=0007\r\nFonteCodigo=\r\nCmdIniciar=\r\n"
                 "[PortaSerial]\r\nPorta=COM2\r\nBaudeRate=9600\r\nStopBit=300\r\n"
                 "DataBit=sete\r\nParidade=512\r\n");
    auto cfg = configuracao(1, 0);
    std::tie(cfg.margemEsquerda, cfg.CodigoFonte, cfg.NomeFonte, cfg.CmdIniciar) =
        tuple(3, "@", "A.TTF", "antes");
    cfg.Carregar(pasta);
    // Empty, non-numeric or beyond 16 bits: kept (so are the serial StopBit=300 and
    // DataBit=sete, as the file written below shows); CmdIniciar is always replaced.
    EXPECT_EQ(parametros(cfg), tuple(1, 100, 3, 7, "@", "A.TTF", ""));
    std::tie(cfg.margemEsquerda, cfg.CmdIniciar) = tuple(-5, "^XA^MNY^XZ");
    ASSERT_EQ(cfg.Configurar(pasta), Gravacao::Gravada);
    EXPECT_EQ(
        pasta.ler(kLayout),
        "[QuelmonteEtiqPrecoDatamax]\r\nRepeticao=0001\r\nLargura=0100\r\n"
        "MargemEsquerda=-0005\r\nMargemTopo=0007\r\nFonteCodigo=@\r\nCmdIniciar=^XA^MNY^XZ\r\n"
        "FonteNome=A.TTF\r\n[PortaSerial]\r\nPorta=COM2\r\nBaudeRate=9600\r\nStopBit=1\r\n"
        "DataBit=8\r\nParidade=512\r\n");
    auto lida = configuracao(1, 0);
    lida.Carregar(pasta);
    EXPECT_EQ(parametros(lida), parametros(cfg));

    // A write that fails is said so, not claimed as a clean save.
    const string gravado = pasta.ler(kLayout);
    std::filesystem::permissions(pasta / kLayout, std::filesystem::perms::owner_read);
    EXPECT_EQ(cfg.Configurar(pasta), Gravacao::GravadaComErro);
    EXPECT_EQ(pasta.ler(kLayout), gravado);
}

TEST(AtualizarConfiguracao, RestaurarDevolveSoASecaoEscolhidaAoInstalado) {
    PastaTeste pasta;
    pasta.gravar("QuelmonteEtiqueta.original.ini",
                 "[QuelmonteEtiqPrecoDatamax]\r\nLargura=0400\r\n[QuelmonteEtiqPrecoZebra]\r\n"
                 "Largura=0832\r\nFonteNome=ARIAL.FNT\r\n");
    const string alterado = "[QuelmonteEtiqPrecoDatamax]\r\nLargura=0007\r\nMargemTopo=0007\r\n";
    pasta.gravar(kLayout, alterado + "[QuelmonteEtiqPrecoZebra]\r\nLargura=7\r\nMargemTopo=7\r\n");
    auto zebra = configuracao(1, 1);
    ASSERT_TRUE(zebra.Restaurar(pasta)) << zebra.Erro();
    zebra.Carregar(pasta);
    EXPECT_EQ(parametros(zebra), tuple(1, 832, 0, 0, "", "ARIAL.FNT", ""));  // no MargemTopo
    EXPECT_EQ(pasta.ler(kLayout).substr(0, alterado.size()), alterado);

    const string atual = pasta.ler(kLayout);  // without the pristine copy nothing changes
    std::filesystem::remove(pasta / "QuelmonteEtiqueta.original.ini");
    EXPECT_FALSE(zebra.Restaurar(pasta));
    EXPECT_TRUE(zebra.TemErro());
    EXPECT_EQ(pasta.ler(kLayout), atual);
}
