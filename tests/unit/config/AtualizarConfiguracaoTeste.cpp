#include <gtest/gtest.h>

#include <map>

#include "PastaTeste.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"
#include "platform/headless/PlataformaHeadless.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;

namespace {

const std::string kLayout = "QuelmonteEtiqueta.ini";

AtualizarConfiguracao configuracao(int tipoEtiqueta, int tipoImpressora, bool novo = false) {
    AtualizarConfiguracao c;
    c.TipoEtiqueta = tipoEtiqueta;
    c.TipoImpressora = tipoImpressora;
    c.LayoutNovo = novo;
    return c;
}

AtualizarConfiguracao valida(int tipoEtiqueta, int tipoImpressora) {
    auto c = configuracao(tipoEtiqueta, tipoImpressora);
    c.Repeticao = 1;
    c.LarguraEtiqueta = 100;
    c.CodigoFonte = "0";
    return c;
}

}  // namespace

TEST(AtualizarConfiguracao, NomeDaSecaoPorTipoImpressoraEGeracao) {
    const std::map<int, std::string> raizes = {
        {1, "QuelmonteEtiqPreco"},        {2, "QuelmonteEtiqPrecoAdesiva"},
        {3, "QuelmonteEtiqVolumeRepos"},  {4, "QuelmonteEtiqVolumePadraorao"},
        {5, "QuelmonteEtiqPrecoComSem"},  {6, "QuelmonteEtiqPrecoAdesivaIntima"},
        {7, "QuelmonteEtiqPrecoRelogio"}, {8, "QuelmonteEtiqPrecoOculos"},
        {9, "QuelmonteEtiqPrecoComSem"},  {11, "QuelmonteEtiqPrecoCosmetico"},
        {99, "QuelmonteEtiqInterna"}};
    const std::map<int, std::string> sufixos = {{-1, ""},       {0, "Datamax"}, {1, "Zebra"},
                                                {2, "Datamax"}, {3, "Datamax"}, {4, ""}};
    for (int tipo = 0; tipo <= 100; ++tipo) {
        const auto raiz = raizes.count(tipo) ? raizes.at(tipo) : std::string();
        for (const auto& [impressora, sufixo] : sufixos) {
            EXPECT_EQ(configuracao(tipo, impressora).NomeSecao(), raiz + sufixo)
                << tipo << "/" << impressora;
            EXPECT_EQ(configuracao(tipo, impressora, true).NomeSecao(), raiz + "_NOVO" + sufixo)
                << tipo << "/" << impressora;
        }
    }
    EXPECT_EQ(configuracao(1, 1, true).NomeSecao(), "QuelmonteEtiqPreco_NOVOZebra");
    EXPECT_EQ(configuracao(4, 0).NomeSecao(), "QuelmonteEtiqVolumePadraoraoDatamax");
}

TEST(AtualizarConfiguracao, ValidacaoParaNaPrimeiraFalhaEmOrdem) {
    struct Caso {
        short repeticao, largura;
        const char* codigo;
        const char* nome;
        const char* erro;
    };
    for (const auto& c : std::vector<Caso>{
             {0, 10, "@", "", "Repetição deverá ser maior que 0"},
             {-1, 100, "0", "", "Repetição deverá ser maior que 0"},
             {1, 20, "@", "", "Largura da etiqueta deverá ser maior que 20."},
             {1, 21, "@", "", "Informe o nome da fonte."},
             {1, 21, "@", "Arial", ""},
             {1, 21, "", "", ""},
         }) {
        PastaTeste pasta;
        PlataformaHeadless plataforma;
        auto cfg = configuracao(1, 1);
        cfg.Repeticao = c.repeticao;
        cfg.LarguraEtiqueta = c.largura;
        cfg.CodigoFonte = c.codigo;
        cfg.NomeFonte = c.nome;
        const bool valido = *c.erro == '\0';
        EXPECT_EQ(cfg.Configurar(pasta.caminho(), plataforma), valido) << c.erro;
        EXPECT_EQ(cfg.Erro(), c.erro);
        EXPECT_EQ(cfg.TemErro(), !valido);
        EXPECT_EQ(pasta.existe(kLayout), valido);  // refused: nothing written
        EXPECT_TRUE(plataforma.mensagens.empty());
    }
}

TEST(AtualizarConfiguracao, GravaQuatroDigitosELeDeVolta) {
    PastaTeste pasta;
    PlataformaHeadless plataforma;
    auto cfg = valida(1, 1);
    cfg.LarguraEtiqueta = 100;
    cfg.Repeticao = 3;
    cfg.margemEsquerda = -5;
    cfg.margemTopo = 12;
    cfg.CodigoFonte = "@";
    cfg.NomeFonte = "ARIAL.TTF";
    cfg.CmdIniciar = "^XA^MNY^XZ";
    ASSERT_TRUE(cfg.Configurar(pasta.caminho(), plataforma));
    EXPECT_EQ(pasta.ler(kLayout),
              "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0003\r\nLargura=0100\r\n"
              "MargemEsquerda=-0005\r\nMargemTopo=0012\r\nFonteCodigo=@\r\n"
              "FonteNome=ARIAL.TTF\r\nCmdIniciar=^XA^MNY^XZ\r\n");

    auto lida = configuracao(1, 1);
    lida.Carregar(pasta.caminho());
    EXPECT_EQ(lida.LarguraEtiqueta, 100);
    EXPECT_EQ(lida.Repeticao, 3);
    EXPECT_EQ(lida.margemEsquerda, -5);
    EXPECT_EQ(lida.margemTopo, 12);
    EXPECT_EQ(lida.CodigoFonte, "@");
    EXPECT_EQ(lida.NomeFonte, "ARIAL.TTF");
    EXPECT_EQ(lida.CmdIniciar, "^XA^MNY^XZ");
    EXPECT_TRUE(plataforma.mensagens.empty());
}

TEST(AtualizarConfiguracao, TiposCincoENoveCompartilhamSecao) {
    PastaTeste pasta;
    PlataformaHeadless plataforma;
    auto cinco = valida(5, 0);
    cinco.LarguraEtiqueta = 321;
    ASSERT_TRUE(cinco.Configurar(pasta.caminho(), plataforma));
    auto nove = configuracao(9, 2);
    nove.Carregar(pasta.caminho());
    EXPECT_EQ(nove.LarguraEtiqueta, 321);
}

TEST(AtualizarConfiguracao, CarregarMantemOQueNaoEUmNumeroUtil) {
    PastaTeste pasta;
    pasta.gravar(kLayout,
                 "[QuelmonteEtiqPrecoDatamax]\r\n"
                 "Repeticao=\r\nLargura=12A\r\nMargemEsquerda=40000\r\nMargemTopo=0007\r\n"
                 "FonteCodigo=\r\nCmdIniciar=\r\n"
                 "[PortaSerial]\r\nPorta=COM2\r\nBaudeRate=9600\r\nStopBit=300\r\n"
                 "DataBit=sete\r\nParidade=512\r\n");
    auto cfg = configuracao(1, 0);
    cfg.Repeticao = 2;
    cfg.LarguraEtiqueta = 400;
    cfg.margemEsquerda = 3;
    cfg.CodigoFonte = "0";
    cfg.NomeFonte = "Fonte";
    cfg.CmdIniciar = "antes";
    cfg.Carregar(pasta.caminho());
    EXPECT_EQ(cfg.Repeticao, 2);          // empty
    EXPECT_EQ(cfg.LarguraEtiqueta, 400);  // not a number
    EXPECT_EQ(cfg.margemEsquerda, 3);     // beyond 16 bits
    EXPECT_EQ(cfg.margemTopo, 7);
    EXPECT_EQ(cfg.CodigoFonte, "0");    // empty keeps
    EXPECT_EQ(cfg.NomeFonte, "Fonte");  // missing keeps
    EXPECT_EQ(cfg.CmdIniciar, "");      // always replaced
    ASSERT_TRUE(cfg.PortaSerial);
    EXPECT_EQ(cfg.PortaSerial->porta, "COM2");
    EXPECT_EQ(cfg.PortaSerial->BaudeRate, 9600);
    EXPECT_EQ(cfg.PortaSerial->StopBit, 1);  // 300 does not fit a byte
    EXPECT_EQ(cfg.PortaSerial->DataBit, 8);  // not a number
    EXPECT_EQ(cfg.PortaSerial->Paridade, 512);
}

TEST(AtualizarConfiguracao, SecaoSerialSoEGravadaQuandoCarregada) {
    PastaTeste pasta;
    PlataformaHeadless plataforma;
    auto nova = valida(2, 1);
    ASSERT_TRUE(nova.Configurar(pasta.caminho(), plataforma));
    EXPECT_EQ(pasta.ler(kLayout).find("[PortaSerial]"), std::string::npos);

    auto carregada = valida(2, 1);
    carregada.Carregar(pasta.caminho());
    ASSERT_TRUE(carregada.PortaSerial);
    carregada.PortaSerial->porta = "COM2";
    carregada.PortaSerial->BaudeRate = 9600;
    ASSERT_TRUE(carregada.Configurar(pasta.caminho(), plataforma));
    EXPECT_NE(pasta.ler(kLayout).find("[PortaSerial]\r\nPorta=COM2\r\nBaudeRate=9600\r\n"
                                      "StopBit=1\r\nDataBit=8\r\nParidade=256\r\n"),
              std::string::npos);
}

TEST(AtualizarConfiguracao, GravacaoQueFalhaAvisaEDevolveVerdadeiro) {
    PastaTeste pasta;
    pasta.gravar(kLayout, "[QuelmonteEtiqPrecoZebra]\r\nLargura=0400\r\n");
    std::filesystem::permissions(pasta / kLayout, std::filesystem::perms::owner_read);
    PlataformaHeadless plataforma;
    auto cfg = valida(1, 1);
    EXPECT_TRUE(cfg.Configurar(pasta.caminho(), plataforma));
    ASSERT_EQ(plataforma.mensagens.size(), 1u);
    EXPECT_EQ(plataforma.mensagens[0].texto, kMensagemGravacaoComErro);
    EXPECT_EQ(plataforma.mensagens[0].icone, Icone::Informacao);
    EXPECT_EQ(pasta.ler(kLayout), "[QuelmonteEtiqPrecoZebra]\r\nLargura=0400\r\n");
}
