// The print command on the window model: port opening, the checks that end
// it early, the routine table and the buttons during a run.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "../render/ApoioImpressao.h"
#include "app/Aplicacao.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

struct Janela {
    PastaTemporaria pasta;
    PlataformaHeadless plataforma;
    PortaFalsa* porta = new PortaFalsa;
    std::unique_ptr<Aplicacao> app;

    Janela() {
        for (const auto& e : std::filesystem::directory_iterator(ETIQUETAS_DADOS_FONTE))
            if (e.is_regular_file()) pasta.copiarDados(e.path().filename().string());
        pasta.gravar("QuelmonteImprime.sh", "exit 0\n");
        pasta.gravar("QuelmonteImprime.bat", "@exit /b 0\r\n");
        pasta.gravar("ttyFalso", "");
        pasta.gravar("QuelmonteConfig.ini",
                     "[PortasCom]\r\nCOM1=" + (pasta.caminho() / "ttyFalso").string() +
                         "\r\nCOM2=" + (pasta.caminho() / "nada").string() + "\r\n");
        plataforma.definirPortaSerial(std::unique_ptr<PortaSerial>(porta));
        plataforma.semPausas = true;
        app = std::make_unique<Aplicacao>(plataforma, pasta.caminho());
        app->iniciar();
        auto& j = app->janela();
        j.cmbImpressora.selecionar(1);  // ZEBRA
        j.cbvelocidade.definirTexto("9600");
        j.cbparidade.definirTexto("N");
        j.cbbitdados.definirTexto("8");
        j.cbbitparada.definirTexto("1");
        j.lblTipoArquivo.definirTag("1");
        j.TipoEtiquetaPedido = 1;
        j.LayoutNovoArquivo = true;
        j.frmTipo.definirVisivel(false);
        j.sprPedidos.definirLinhas(1);
        preencher(j.sprPedidos, 1, teste::LinhaPreco{});
        plataforma.mensagens.clear();
    }
    JanelaPrincipal& j() { return app->janela(); }
    // The first line of each message: the texts the window always showed.
    Textos textos() const {
        Textos r;
        for (const auto& m : plataforma.mensagens)
            if (m.titulo != "Verificação das Etiquetas")  // the row here is made up
                r.push_back(m.texto.substr(0, m.texto.find('\n')));
        return r;
    }
};

const std::string kPergunta = "Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?";
const std::string kSucesso = "Impressão das Etiquetas concluída com sucesso !";

}  // namespace

TEST(ImprimirComando, PortaComAbreUmaVezEFechaNoFim) {
    Janela w;
    w.j().cmbCaminhoImpressora.definirTexto("COM2");
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.textos(), Textos{"Porta COM2 não encontrada."});
    EXPECT_EQ(std::tuple(w.plataforma.mensagens[0].icone, w.porta->aberturas.empty(),
                         w.j().cmdImprimir.habilitado()),
              std::tuple(Icone::Informacao, true, true));

    w.plataforma.mensagens.clear();
    w.j().cmbCaminhoImpressora.definirTexto("COM1");
    w.app->memoria().ImagemEnviada = true;
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.textos(), (Textos{kPergunta, kSucesso}));
    EXPECT_EQ(w.porta->aberturas,
              Textos{(w.pasta.caminho() / "ttyFalso").string() + " 9600,N,8,1"});
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
    EXPECT_EQ(w.textos(), Textos{"Porta COM2 não encontrada."});
    EXPECT_EQ(std::tuple(w.porta->aberta(), w.porta->aberturas.size()), std::tuple(false, 1u));
}

TEST(ImprimirComando, VerificacoesQueTerminamOComandoDevolvemOsBotoes) {
    const std::vector<std::tuple<std::function<void(Janela&)>, Textos, std::string>> casos{
        // The check before the question (none where it is not available) locked the
        // window and gave it back to the grid.
        {[](auto& w) { w.plataforma.respostaPerguntas = Resposta::Nao; },
         {kPergunta},
         verificacaoDisponivel() ? "sprPedidos" : ""},
        {[](auto& w) {
             w.j().frmTipo.definirVisivel(true), w.j().cbvTipoEtiq.definirTexto("Etiq. Interna");
         },
         {"Selecione o tipo de etiqueta a ser impressa !"},  // before the question
         "cbvTipoEtiq"},
        {[](auto& w) { w.j().TipoEtiquetaPedido = 8; },
         {"As etiquetas do tipo 8 (Etiquetas de Consolidador de Encabidado) não têm impressão: "
          "não há etiquetas a imprimir neste arquivo."},
         ""}};
    for (const auto& [preparar, mensagens, foco] : casos) {
        Janela w;
        w.j().focar("");
        preparar(w);
        w.j().cmdImprimir.clicar();
        EXPECT_EQ(w.textos(), mensagens);
        EXPECT_EQ(w.j().foco(), foco);
        EXPECT_TRUE(w.j().cmdImprimir.habilitado() && w.j().cmdSair.habilitado());
        EXPECT_FALSE(w.plataforma.ocupado());
        EXPECT_FALSE(std::filesystem::exists(w.pasta.caminho() / "SpoolEtq.PRN"));
    }
}

// Everything that changes the file, rows, printer or settings is locked while
// labels go out, "Cancelar" shows, and all comes back as it was.
TEST(ImprimirComando, ControlesTravadosDuranteAExecucao) {
    Janela w;
    w.j().cmdGerarTxt.definirHabilitado(false);  // stays as it was
    std::vector<bool> habilitadosDurante;
    w.j().StatusBar1.mudou.conectar([&] {
        const auto& j = w.j();
        habilitadosDurante.push_back(
            j.cmdImprimir.habilitado() || j.cmdSair.habilitado() || j.cmdLocalizar.habilitado() ||
            j.fraPedidos.habilitado() || j.cmbImpressora.habilitado() ||
            j.cmdConfiguracao.habilitado() || j.Option1.habilitado() || !j.cmdCancelar.visivel());
    });
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.textos(), (Textos{kPergunta, kSucesso}));
    EXPECT_EQ(std::tuple(w.plataforma.mensagens[0].texto, w.plataforma.mensagens[1].texto),
              std::tuple(kPergunta + "\n2 etiquetas — ZEBRA, LPT1",
                         kSucesso + "\n2 etiquetas enviadas à impressora."));
    EXPECT_FALSE(w.j().cmdCancelar.visivel() || w.j().cmdGerarTxt.habilitado());
    EXPECT_TRUE(w.j().fraPedidos.habilitado() && w.j().cmbImpressora.habilitado());
    ASSERT_FALSE(habilitadosDurante.empty());
    EXPECT_EQ(habilitadosDurante, std::vector<bool>(habilitadosDurante.size(), false));
    EXPECT_TRUE(w.j().cmdImprimir.habilitado() && w.j().cmdSair.habilitado());
    EXPECT_EQ(w.j().StatusBar1.texto(), "Etiquetas impressas com Sucesso. . .");
}

#ifndef _WIN32
// A run that stops in its second row unticks the first, which went out
// whole, and leaves the second ticked from its first sequence not sent.
TEST(ImprimirComando, ParadaDeixaOPontoDeRetomada) {
    Janela w;
    // The second job fails: the first row's only unit went out.
    w.pasta.gravar("QuelmonteImprime.sh",
                   "d=$(dirname \"$0\"); n=$(($(cat \"$d/n\" 2>/dev/null || echo 0) + 1)); "
                   "echo $n >\"$d/n\"; [ $n -lt 2 ]\n");
    auto& g = w.j().sprPedidos;
    g.definirLinhas(2);
    teste::LinhaPreco segunda;
    segunda.variante = "000456", segunda.primeira = "5", segunda.ultima = "8";
    preencher(g, 2, segunda);
    w.j().cmdImprimir.clicar();
    EXPECT_NE(w.plataforma.mensagens.back().texto.find(
                  "Retomar na linha 2: pedido 4512, item 10, variante 000456."),
              std::string::npos)
        << w.plataforma.mensagens.back().texto;
    EXPECT_EQ(
        std::tuple(g.marcada(1), g.marcada(2), g.texto(2, coluna(CampoPreco::SequenciaInicial))),
        std::tuple(false, true, std::string("5")));
}
#endif
