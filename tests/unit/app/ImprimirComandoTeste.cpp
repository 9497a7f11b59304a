// The print commands on the window model: the port, the test print and the font.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "../render/ApoioImpressao.h"
#include "PastaUnica.h"
#include "app/Aplicacao.h"

using namespace etiquetas;
using namespace etiquetas::teste;
using std::tuple;

namespace {

// Keeps what went out, as the printer would take it.
class PortaGravada : public PortaFalsa {
  public:
    Textos escritos;
    bool escrever(const std::string& texto) override {
        if (aberta_ && !pergunta(texto)) escritos.push_back(texto);
        return aberta_;
    }
};

// A started window on a copy of the application folder; COM1 is a file, COM2 missing.
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
        pasta.gravar("ttyFalso", "");
        pasta.gravar("QuelmonteConfig.ini", "[PortasCom]\r\nCOM1=" + tty() +
                                                "\r\nCOM2=" + (pasta / "nada").string() + "\r\n");
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
    std::string tty() const { return (pasta / "ttyFalso").string(); }
    JanelaPrincipal& j() { return app->janela(); }
    Textos textos() const {
        Textos r;
        for (const auto& m : plataforma.mensagens) r.push_back(m.texto);
        return r;
    }
    // The first line of each message: the texts the window always showed.
    Textos primeirasLinhas() const {
        Textos r;
        for (const auto& m : plataforma.mensagens)
            if (m.titulo != "Verificação das Etiquetas")  // the row here is made up
                r.push_back(m.texto.substr(0, m.texto.find('\n')));
        return r;
    }
};

// A window with one price row of the new layout loaded by hand.
struct JanelaComLinha : Janela {
    JanelaComLinha() {
        j().lblTipoArquivo.definirTag("1");
        j().TipoEtiquetaPedido = 1;
        j().LayoutNovoArquivo = true;
        j().frmTipo.definirVisivel(false);
        j().sprPedidos.definirLinhas(1);
        preencher(j().sprPedidos, 1, teste::LinhaPreco{});
    }
};

const std::string kPergunta = "Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?";
const std::string kSucesso = "Impressão das Etiquetas concluída com sucesso !";

}  // namespace

TEST(ImprimirComando, PortaComAbreUmaVezEFechaNoFim) {
    JanelaComLinha w;
    w.j().cmbCaminhoImpressora.definirTexto("COM2");
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.primeirasLinhas(), Textos{"Porta COM2 não encontrada."});
    EXPECT_EQ(std::tuple(w.plataforma.mensagens[0].icone, w.porta->aberturas.empty(),
                         w.j().cmdImprimir.habilitado()),
              std::tuple(Icone::Informacao, true, true));

    w.plataforma.mensagens.clear();
    w.j().cmbCaminhoImpressora.definirTexto("COM1");
    w.app->memoria().ImagemEnviada = true;
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.primeirasLinhas(), (Textos{kPergunta, kSucesso}));
    EXPECT_EQ(w.porta->aberturas, Textos{w.tty() + " 9600,N,8,1"});
    EXPECT_FALSE(w.app->memoria().ImagemEnviada) << "cleared when the port opens";
    EXPECT_FALSE(w.porta->aberta()) << "closed at the end of the command";

    // A port left open by an interrupted run is used as it is.
    w.porta->aberta_ = true;
    w.app->memoria().ImagemEnviada = true;
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.porta->aberturas.size(), 1u);
    EXPECT_TRUE(w.app->memoria().ImagemEnviada);

    // Another port chosen while COM1 is open: COM1 is closed, never used for it.
    w.porta->aberta_ = true;
    w.plataforma.mensagens.clear();
    w.j().cmbCaminhoImpressora.definirTexto("COM2");
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.primeirasLinhas(), Textos{"Porta COM2 não encontrada."});
    EXPECT_EQ(std::tuple(w.porta->aberta(), w.porta->aberturas.size()), std::tuple(false, 1u));
}

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
    EXPECT_EQ(w.porta->aberturas, Textos{w.tty() + " 9600,N,8,1"});
    EXPECT_TRUE(w.porta->aberta()) << "the test print leaves the port open";
    EXPECT_TRUE(w.app->memoria().ImagemEnviada) << "kept: the test print does not reset it";
    // The bytes are the CLI's test (TestePagina); here each job ends in the port's CR.
    const Textos& e = w.porta->escritos;
    ASSERT_GE(e.size(), 4u);
    EXPECT_TRUE(e.front().ends_with("\r\n\r") && e.back().ends_with("^XZ\r\n\r"));
    EXPECT_NE(std::find(status.begin(), status.end(), "Transferindo fonte para impressora ..."),
              status.end());

    // The next print command uses the open port as it is and closes it.
    w.app->AbrirArquivoPedidos(
        (w.pasta.caminho() / "Quelmonte_Preco_Cartolina_teste.xml").string());
    w.j().sprPedidos.clicarCaixa(1);
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.porta->aberturas.size(), 1u);
    EXPECT_FALSE(w.porta->aberta());
}

// A font load that fails claims nothing and leaves the button for another try.
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
