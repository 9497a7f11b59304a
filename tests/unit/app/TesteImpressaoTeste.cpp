// The test print and "Carregar Fonte Zebra" on the window model: the serial
// route, the port left open, and what the window shows afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "../render/ApoioImpressao.h"
#include "PastaUnica.h"
#include "app/Aplicacao.h"

using namespace etiquetas;
using namespace etiquetas::teste;
using std::tuple;

namespace {

const std::string kSucesso = "Impressão das Etiquetas concluída com sucesso !";

// Keeps what went out, as the printer would take it.
class PortaGravada : public PortaFalsa {
  public:
    Textos escritos;
    bool escrever(const std::string& texto) override {
        if (aberta_) escritos.push_back(texto);
        return aberta_;
    }
};

struct Janela {
    PastaTemporaria pasta;
    PlataformaHeadless plataforma;
    PortaGravada* porta = new PortaGravada;
    std::unique_ptr<Aplicacao> app;

    // The print script for this system: `script` for sh, `lote` for cmd.
    explicit Janela(const std::string& script = "exit 0\n",
                    const std::string& lote = "@exit /b 0\r\n") {
        apoio::copiarArquivosDaAplicacao(ETIQUETAS_PASTA_APLICACAO, pasta.caminho());
        pasta.gravar("QuelmonteImprime.sh", script);
        pasta.gravar("QuelmonteImprime.bat", lote);
        pasta.gravar("QuelmonteConfig.ini", "[PortasCom]\r\nCOM1=tty-impressora\r\n");
        plataforma.definirPortaSerial(std::unique_ptr<PortaSerial>(porta));
        plataforma.semPausas = true;
        app = std::make_unique<Aplicacao>(plataforma, pasta.caminho());
        app->iniciar();
        j().cmbImpressora.selecionar(1);  // ZEBRA
        j().cbvelocidade.definirTexto("9600");
        j().cbparidade.definirTexto("N");
        j().cbbitdados.definirTexto("8");
        j().cbbitparada.definirTexto("1");
        plataforma.mensagens.clear();
    }
    JanelaPrincipal& j() { return app->janela(); }
    Textos textos() const {
        Textos r;
        for (const auto& m : plataforma.mensagens) r.push_back(m.texto);
        return r;
    }
};

}  // namespace

TEST(TesteImpressao, PortaSerialAbertaSemPerguntarMantidaEComOGraficoApagadoNoFim) {
    Janela w;
    w.j().cmbCaminhoImpressora.definirTexto("COM1");
    w.app->memoria().ImagemEnviada = true;
    Textos status;
    w.j().StatusBar1.mudou.conectar([&] { status.push_back(w.j().StatusBar1.texto()); });
    w.j().Option4.clicar();

    ASSERT_EQ(w.textos().size(), 2u);
    EXPECT_EQ(tuple(w.textos()[0], w.textos()[1].starts_with(kSucesso)),
              tuple("Confirma a Impressão de Teste ?\n6 etiquetas — ZEBRA, COM1", true));
    EXPECT_EQ(w.porta->aberturas, Textos{"tty-impressora 9600,N,8,1"});
    EXPECT_TRUE(w.porta->aberta()) << "the test print leaves the port open";
    EXPECT_TRUE(w.app->memoria().ImagemEnviada) << "kept: the test print does not reset it";
    const Textos& e = w.porta->escritos;
    ASSERT_GE(e.size(), 4u);
    EXPECT_TRUE(e.front().starts_with("~DGTESOURAS,01326,039,") && e.front().ends_with("\r\n\r"));
    EXPECT_TRUE(e[1].starts_with("~DTARIAL,50966,"));
    EXPECT_EQ(e.back(), "^XA\r\n^IDR:TESOURAS\r\n^XZ\r\n\r");
    EXPECT_NE(std::find(status.begin(), status.end(), "Transferindo fonte para impressora ..."),
              status.end());
    EXPECT_EQ(w.j().TipoEtiquetaPedido, 1);
    EXPECT_EQ(w.j().sprPedidos.texto(1, 1), "1") << "all rows of the test file ticked";

    // The next print command uses the open port as it is and closes it.
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.porta->aberturas.size(), 1u);
    EXPECT_FALSE(w.porta->aberta());
}

TEST(TesteImpressao, RespostaNaoECaminhoDeRedeVazioNaoEnviamNada) {
    const std::vector<std::pair<std::function<void(Janela&)>, Textos>> casos{
        {[](Janela& w) { w.plataforma.respostaPerguntas = Resposta::Nao; },
         {"Confirma a Impressão de Teste ?\n6 etiquetas — ZEBRA, LPT1"}},
        {[](Janela& w) {
             w.j().optRede.clicar();
             w.j().txtCaminhoImpressora.definirTexto("  ");
         },
         {"Informe o caminho de rede da Impressora !"}}};
    for (const auto& [preparar, esperadas] : casos) {
        Janela w;
        preparar(w);
        w.j().Option4.clicar();
        EXPECT_EQ(w.textos(), esperadas);
        EXPECT_FALSE(std::filesystem::exists(w.pasta.caminho() / "SpoolEtq.PRN"));
        EXPECT_TRUE(w.j().cmdImprimir.habilitado() && w.j().cmdSair.habilitado());
        EXPECT_EQ(w.app->ultimaImpressao(), DesfechoImpressao::Recusada);
    }
}

// A load that fails claims nothing and leaves the button for another try; the
// one that succeeds is the window test's (botaoCarregaFonteESome).
TEST(CmZebra, FalhaMantemLegendaEBotao) {
    Janela w("exit 1\n", "@exit /b 1\r\n");
    const std::string antes = w.j().LblZebra.legenda();
    w.j().CmZebra.definirVisivel(true);
    w.j().CmZebra.clicar();
    ASSERT_EQ(w.plataforma.mensagens.size(), 1u);
    EXPECT_EQ(std::tuple(w.plataforma.mensagens[0].titulo, w.j().LblZebra.legenda(),
                         w.j().CmZebra.visivel(), w.app->ultimaImpressao()),
              std::tuple("Erro !", antes, true, DesfechoImpressao::Falhou));
}

// A missing test file leaves the loaded file in place: its rows are ticked
// and printed as a test, the variant list read as the print command reads it.
TEST(TesteImpressao, ArquivoDeTesteAusenteImprimeOArquivoCarregado) {
    Janela w("cp \"$1\" \"$(dirname \"$0\")/ultimo\"\n",
             "@copy /b \"%~1\" \"%~dp0ultimo\" >nul\r\n");
    w.app->AbrirArquivoPedidos((w.pasta.caminho() / "Amostra_Preco_Sku.xml").string());
    ASSERT_EQ(w.j().TipoEtiquetaPedido, 99);
    ASSERT_TRUE(w.j().frmTipo.visivel());
    w.j().cbvTipoEtiq.definirTexto("Etiq.Interna");
    w.plataforma.mensagens.clear();
    std::filesystem::remove(w.pasta.caminho() / "Quelmonte_Preco_Adesiva_teste.xml");
    w.j().Option3.clicar();

    ASSERT_EQ(w.plataforma.mensagens.size(), 3u) << w.textos().front();
    EXPECT_EQ(
        tuple(w.plataforma.mensagens[0].titulo, w.textos()[1], w.textos()[2].starts_with(kSucesso)),
        tuple("Formato Não Reconhecido",
              "Confirma a Impressão de Teste ?\n50 etiquetas — ZEBRA, LPT1", true));
    EXPECT_EQ(w.app->ultimaImpressao(), DesfechoImpressao::Impressa);
    EXPECT_EQ(w.j().TipoEtiquetaPedido, 99) << "the SKU file is still the loaded one";
    EXPECT_EQ(lerArquivo(w.pasta.caminho() / "ultimo"), "^XA\r\n^IDR:TESOURAS\r\n^XZ\r\n");
}
