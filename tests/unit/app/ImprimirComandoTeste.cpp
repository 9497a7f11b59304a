// The print command on the window model: port opening, the checks that end
// it early, the routine table and the buttons during a run.

#include <gtest/gtest.h>

#include "../render/ApoioImpressao.h"
#include "app/Aplicacao.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

class PortaRegistrada : public PortaSerial {
  public:
    std::vector<std::string> aberturas;
    bool aberta_ = false;
    bool abrir(const std::string& d, const std::string& c) override {
        aberturas.push_back(d + " " + c);
        return aberta_ = true;
    }
    void fechar() override { aberta_ = false; }
    bool aberta() const override { return aberta_; }
    bool escrever(const std::string&) override { return aberta_; }
    long long bytesPendentes() override { return 0; }
    void aguardarEnvio(int) override {}
    std::string ultimoErro() const override { return {}; }
};

struct Janela {
    PastaTemporaria pasta;
    PlataformaHeadless plataforma;
    PortaRegistrada* porta;
    std::unique_ptr<Aplicacao> app;

    explicit Janela(short tipo = 1) {
        for (const char* nome :
             {"tb_impressoras.txt", "tb_modelo_impressora.txt", "tb_impressoras_convercao.txt",
              "tb_velocidade_com.txt", "tb_paridade_com.txt", "tb_bitdedados_com.txt",
              "tb_bitdeparada_com.txt", "QuelmonteEtiqueta.ini",
              "QuelmonteEtiqPrecoCartolina_NOVOZebra.zpl"})
            pasta.copiarDados(nome);
        pasta.gravar("QuelmonteImprime.sh", "exit 0\n");
        pasta.gravar("ttyFalso", "");
        pasta.gravar("QuelmonteConfig.ini",
                     "[PortasCom]\r\nCOM1=" + (pasta.caminho() / "ttyFalso").string() +
                         "\r\nCOM2=" + (pasta.caminho() / "nada").string() + "\r\n");
        auto p = std::make_unique<PortaRegistrada>();
        porta = p.get();
        plataforma.definirPortaSerial(std::move(p));
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
        j.TipoEtiquetaPedido = tipo;
        j.LayoutNovoArquivo = true;
        j.frmTipo.definirVisivel(false);
        LinhaPreco l;
        l.ultima = "4";
        j.sprPedidos.definirLinhas(1);
        preencher(j.sprPedidos, 1, l);
        plataforma.mensagens.clear();
    }
    JanelaPrincipal& j() { return app->janela(); }
    std::vector<std::string> textos() const {
        std::vector<std::string> r;
        for (const auto& m : plataforma.mensagens) r.push_back(m.texto);
        return r;
    }
};

const std::string kPergunta = "Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?";
const std::string kSucesso = "Impressão das Etiquetas concluída com sucesso !";
using Textos = std::vector<std::string>;

}  // namespace

TEST(ImprimirComando, PortaComAbreUmaVezEFechaNoFim) {
    Janela w(8);  // a type without routine: the command runs to its end silently
    w.j().cmbCaminhoImpressora.definirTexto("COM2");
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.textos(), Textos{"Porta COM2 não encontrada."});
    EXPECT_EQ(w.plataforma.mensagens[0].icone, Icone::Informacao);
    EXPECT_TRUE(w.porta->aberturas.empty());
    EXPECT_TRUE(w.j().cmdImprimir.habilitado());

    w.plataforma.mensagens.clear();
    w.j().cmbCaminhoImpressora.definirTexto("COM1");
    w.app->ImagemEnviada = true;
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.textos(), Textos{kPergunta});
    EXPECT_EQ(w.porta->aberturas, Textos{(w.pasta.caminho() / "ttyFalso").string() + " 9600,N,8,1"});
    EXPECT_FALSE(w.app->ImagemEnviada) << "cleared when the port opens";
    EXPECT_FALSE(w.porta->aberta()) << "closed at the end of the command";

    // A port left open by an interrupted run is used as it is.
    w.porta->aberta_ = true;
    w.app->ImagemEnviada = true;
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.porta->aberturas.size(), 1u);
    EXPECT_TRUE(w.app->ImagemEnviada);
}

TEST(ImprimirComando, VerificacoesQueTerminamOComandoDevolvemOsBotoes) {
    struct Caso {
        std::string descricao;
        std::function<void(Janela&)> preparar;
        Textos mensagens;
        std::string foco;
    };
    const std::vector<Caso> casos{
        {"network path empty",
         [](Janela& w) {
             w.j().optRede.clicar();
             w.j().txtCaminhoImpressora.definirTexto("");
         },
         {"Informe o caminho de rede da Impressora !"},
         "txtCaminhoImpressora"},
        {"answered No",
         [](Janela& w) { w.plataforma.respostaPerguntas = Resposta::Nao; },
         {kPergunta},
         ""},
        {"variant text with a space",
         [](Janela& w) {
             w.j().frmTipo.definirVisivel(true);
             w.j().cbvTipoEtiq.definirTexto("Etiq. Interna");
         },
         {kPergunta, "Selecione o tipo de etiqueta a ser impressa !"},
         "cbvTipoEtiq"},
        {"type not built yet",
         [](Janela& w) { w.j().TipoEtiquetaPedido = 2; },
         {kPergunta,
          "A impressão de etiquetas do tipo 2 ainda não está disponível nesta versão "
          "do aplicativo. Nenhuma etiqueta foi impressa."},
         ""}};
    for (const auto& c : casos) {
        Janela w;
        w.j().focar("");
        c.preparar(w);
        w.j().cmdImprimir.clicar();
        EXPECT_EQ(w.textos(), c.mensagens) << c.descricao;
        EXPECT_EQ(w.j().foco(), c.foco) << c.descricao;
        EXPECT_TRUE(w.j().cmdImprimir.habilitado() && w.j().cmdSair.habilitado()) << c.descricao;
        EXPECT_FALSE(w.plataforma.ocupado()) << c.descricao;
        EXPECT_FALSE(std::filesystem::exists(w.pasta.caminho() / "SpoolEtq.PRN")) << c.descricao;
    }
}

TEST(ImprimirComando, BotoesDesligadosDuranteAExecucaoENovoLayout) {
    Janela w;
    std::vector<bool> habilitadosDurante;
    w.j().StatusBar1.mudou.conectar([&] {
        habilitadosDurante.push_back(w.j().cmdImprimir.habilitado() || w.j().cmdSair.habilitado());
    });
    w.j().cmdImprimir.clicar();
    EXPECT_EQ(w.textos(), (Textos{kPergunta, kSucesso}));
    ASSERT_FALSE(habilitadosDurante.empty());
    EXPECT_EQ(habilitadosDurante, std::vector<bool>(habilitadosDurante.size(), false));
    EXPECT_TRUE(w.j().cmdImprimir.habilitado() && w.j().cmdSair.habilitado());
    EXPECT_EQ(w.j().StatusBar1.texto(), "Etiquetas impressas com Sucesso. . .");
    // The new-layout template right-aligns the price in eight characters.
    const auto spool = lerArquivo(w.pasta.caminho() / "SpoolEtq.PRN").value_or("");
    EXPECT_NE(spool.find("^FB230,1,0,R^FH\\^FD    9,99^FS"), std::string::npos) << spool;
}
