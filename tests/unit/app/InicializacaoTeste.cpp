#include <gtest/gtest.h>

#include <memory>

#include "../config/PastaTeste.h"
#include "app/Aplicacao.h"
#include "app/ListasImpressoras.h"
#include "config/ArquivosIni.h"
#include "platform/headless/PlataformaHeadless.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;

namespace {

class PortaFalsa : public PortaSerial {
  public:
    bool abrir(const std::string&, const std::string&) override { return aberta_ = true; }
    void fechar() override {
        aberta_ = false;
        ++fechamentos;
    }
    bool aberta() const override { return aberta_; }
    bool escrever(const std::string&) override { return aberta_; }
    long long bytesPendentes() override { return 0; }
    void aguardarEnvio(int) override {}
    std::string ultimoErro() const override { return {}; }
    int fechamentos = 0;

  private:
    bool aberta_ = false;
};

std::vector<std::string> textos(const Lista& lista) {
    std::vector<std::string> t;
    for (const auto& item : lista.itens()) t.push_back(item.texto);
    return t;
}

const char* const kTabelas[] = {"tb_impressoras.txt",           "tb_modelo_impressora.txt",
                                "tb_impressoras_convercao.txt", "tb_velocidade_com.txt",
                                "tb_paridade_com.txt",          "tb_bitdedados_com.txt",
                                "tb_bitdeparada_com.txt"};

// A started window over an application folder with the installed tables.
struct Janela {
    PastaTeste pasta;
    PlataformaHeadless plataforma;
    PortaFalsa* porta = nullptr;
    std::unique_ptr<Aplicacao> app;

    explicit Janela(bool comTabelas = true) {
        if (comTabelas)
            for (const char* t : kTabelas) pasta.copiarDados({t});
        auto falsa = std::make_unique<PortaFalsa>();
        porta = falsa.get();
        plataforma.definirPortaSerial(std::move(falsa));
        plataforma.definirVersao({4, 0, 15});
    }
    void iniciar() {
        app = std::make_unique<Aplicacao>(plataforma, pasta.caminho());
        app->iniciar();
    }
    JanelaPrincipal& j() { return app->janela(); }
};

}  // namespace

TEST(Inicializacao, SemConfiguracaoPessoalAbreNaPrimeiraImpressoraELpt1) {
    Janela w;
    w.iniciar();
    auto& j = w.j();
    EXPECT_EQ(j.titulo, ":: Quelmonte ::  Impressão de Etiquetas - Vs. (4.0.0.15)");
    EXPECT_EQ(j.StatusBar1.texto(), "Selecione o arquivo a ser gerada as Etiquetas. . .");
    EXPECT_EQ(textos(j.cmbImpressora), (std::vector<std::string>{"DATAMAX,1,DPL", "ZEBRA,2,ZPL",
                                                                 "ARGOX,3,DPL", "ELTRON,4,DPL"}));
    EXPECT_EQ(j.cmbImpressora.indice(), 0);
    EXPECT_EQ(j.cmbImpressora.itens()[1].dado, 2);
    EXPECT_EQ(j.cmbModelo.texto(), "E-4205");
    EXPECT_EQ(textos(j.cmdVelocidade), (std::vector<std::string>{"2", "3", "4", "5"}));
    EXPECT_EQ(j.cmdVelocidade.texto(), "4");
    EXPECT_EQ(j.cmdTemperatura.contagem(), 31);
    EXPECT_EQ(j.cmdTemperatura.texto(), "10");
    EXPECT_EQ(textos(j.cmbCaminhoImpressora),
              (std::vector<std::string>{"LPT1", "LPT2", "COM1", "COM2"}));
    EXPECT_EQ(j.cmbCaminhoImpressora.texto(), "LPT1");
    EXPECT_EQ(j.txtCaminhoImpressora.texto(), "LPT1");
    EXPECT_FALSE(j.txtCaminhoImpressora.visivel());
    EXPECT_TRUE(j.optLocal.marcada());
    EXPECT_FALSE(j.optRede.marcada());
    EXPECT_TRUE(j.optRede.habilitado());
    for (const Controle* c : std::vector<const Controle*>{
             &j.cbvelocidade, &j.cbparidade, &j.cbbitdados, &j.cbbitparada, &j.Lblcom1, &j.Lblcom4})
        EXPECT_FALSE(c->visivel()) << c->nome;
    EXPECT_EQ(j.cbvelocidade.texto(), "9600");
    EXPECT_EQ(j.cbparidade.texto(), "N");
    EXPECT_EQ(j.cbbitdados.texto(), "8");
    EXPECT_EQ(j.cbbitparada.texto(), "1");
    EXPECT_FALSE(j.cmdAtualizaQtd.visivel());
    EXPECT_EQ(j.cbvTipoEtiq.texto(), "Etiq. Interna");
    EXPECT_FALSE(j.frmTipo.visivel());
    EXPECT_FALSE(j.CmZebra.visivel());
    EXPECT_EQ(j.posicaoModeloTwips, 3240);
    EXPECT_FALSE(w.app->ImagemEnviada);
    for (int c : {7, 22, 25, 27, 30, 36, 38, 40}) EXPECT_TRUE(j.sprPedidos.coluna(c).oculta) << c;
    for (int c : {1, 4, 5, 23, 24}) EXPECT_FALSE(j.sprPedidos.coluna(c).oculta) << c;
    for (int c : {9, 11, 20}) EXPECT_TRUE(j.vaVolume.coluna(c).oculta) << c;
    for (int c : {8, 10}) EXPECT_FALSE(j.vaVolume.coluna(c).oculta) << c;
    EXPECT_TRUE(w.plataforma.mensagens.empty());
    EXPECT_FALSE(w.pasta.existe("QuelmonteConfig.ini"));  // reading creates nothing
}

TEST(Inicializacao, SemTabelasFicamAsImpressorasEmbutidas) {
    Janela w(false);
    w.iniciar();
    auto& j = w.j();
    EXPECT_EQ(textos(j.cmbImpressora), (std::vector<std::string>{"Datamax - DPL", "Zebra - ZPL"}));
    EXPECT_EQ(j.cmbImpressora.indice(), 0);
    EXPECT_EQ(j.cmbModelo.contagem(), 0);
    EXPECT_EQ(j.cbvelocidade.contagem(), 0);
    EXPECT_TRUE(w.plataforma.mensagens.empty());
    EXPECT_EQ(w.pasta.quantosArquivos(), 0u);
}

TEST(ListasImpressoras, TabelaComDefeitoTerminaComFalsoSemPerderNada) {
    PastaTeste pasta;
    Lista lista("cmbImpressora");
    lista.adicionar("Datamax - DPL");
    int reacoes = 0;
    lista.escolhido.conectar([&] { ++reacoes; });

    EXPECT_FALSE(PopularListControldoArquivo(lista, pasta / "ausente.txt"));
    EXPECT_EQ(textos(lista), std::vector<std::string>{"Datamax - DPL"});

    const std::string semVirgula = "DATAMAX,1\r\nZEBRA,2\r\nARGOX 3\r\nELTRON,4\r\n";
    pasta.gravar("tb.txt", semVirgula);
    EXPECT_FALSE(PopularListControldoArquivo(lista, pasta / "tb.txt"));
    EXPECT_EQ(textos(lista), (std::vector<std::string>{"DATAMAX,1", "ZEBRA,2"}));
    EXPECT_EQ(lista.indice(), -1);
    EXPECT_EQ(reacoes, 0);
    EXPECT_EQ(pasta.ler("tb.txt"), semVirgula);

    pasta.gravar("tb.txt", "DATAMAX,1\r\nZEBRA, 2 ,ZPL\r\n\r\n");  // blank last line
    EXPECT_TRUE(PopularListControldoArquivo(lista, pasta / "tb.txt"));
    EXPECT_EQ(textos(lista), (std::vector<std::string>{"DATAMAX,1", "ZEBRA, 2 ,ZPL"}));
    EXPECT_EQ(lista.itens()[1].dado, 2);
    EXPECT_EQ(lista.indice(), 0);
    EXPECT_EQ(reacoes, 1);

    pasta.gravar("tb.txt", "9600\r\n19200\r\n");
    EXPECT_TRUE(PopularListControl(lista, pasta / "tb.txt"));
    EXPECT_EQ(textos(lista), (std::vector<std::string>{"9600", "19200"}));
}

TEST(ListasImpressoras, FaixaDoModeloMostraOPadrao) {
    struct Caso {
        long de, ate, padrao;
        std::vector<std::string> itens;
        std::string texto;
    };
    for (const auto& c : std::vector<Caso>{
             {2, 6, 4, {"2", "3", "4", "5", "6"}, "4"},
             {5, 5, 5, {"5"}, "5"},
             {2, 4, 9, {"2", "3", "4"}, "9"},  // default outside: shown, no item chosen
             {6, 2, 4, {}, ""},
             {0, 100000000, 5, {}, ""},  // a broken range adds nothing
         }) {
        Lista lista("cmdVelocidade");
        MontaComboBox(lista, c.de, c.ate, c.padrao);
        EXPECT_EQ(textos(lista), c.itens) << c.de << ".." << c.ate;
        EXPECT_EQ(lista.texto(), c.texto) << c.de << ".." << c.ate;
    }

    Janela w;
    w.pasta.gravar("tb_modelo_impressora.txt",
                   "1,203,M1,2,6,4,0,30,10\r\n2,203,Z1,1,3,2,5,7,6\r\n2,203,Z2,x\r\n");
    w.iniciar();
    auto& j = w.j();
    EXPECT_EQ(textos(j.cmdVelocidade), (std::vector<std::string>{"2", "3", "4", "5", "6"}));
    EXPECT_EQ(j.cmdVelocidade.texto(), "4");
    j.cmbImpressora.selecionar(1);
    EXPECT_EQ(textos(j.cmbModelo), (std::vector<std::string>{"Z1", "Z2"}));
    EXPECT_EQ(textos(j.cmdTemperatura), (std::vector<std::string>{"5", "6", "7"}));
    j.cmbModelo.selecionar(1);  // broken model line: empty ranges, no crash
    EXPECT_EQ(j.cmdVelocidade.contagem(), 0);
    j.cmbImpressora.selecionar(2);  // a printer without models keeps no old ranges
    EXPECT_EQ(j.cmbModelo.contagem(), 0);
    EXPECT_EQ(j.cmdVelocidade.contagem(), 0);
    EXPECT_EQ(j.cmdTemperatura.contagem(), 0);
}

TEST(Inicializacao, VelocidadeConvertidaParaOsTemplates) {
    Janela w;
    w.iniciar();
    auto& j = w.j();
    struct Caso {
        int impressora;
        const char* velocidade;
        const char* temperatura;
        const char* esperada;
    };
    for (const auto& c : std::vector<Caso>{
             {0, "4", "12", "G"},  // DATAMAX: letter code
             {2, "2", "10", "C"},  // ARGOX
             {1, "4", "15", "4"},  // ZEBRA: no conversion line, plain speed
         }) {
        j.cmbImpressora.selecionar(c.impressora);
        j.cmdVelocidade.definirTexto(c.velocidade);
        j.cmdTemperatura.definirTexto(c.temperatura);
        w.app->montavelocidadetemperatura();
        EXPECT_EQ(j.txtvelocidade.texto(), c.esperada) << c.impressora;
        EXPECT_EQ(j.txtTemperatura.texto(), c.temperatura);
    }
    std::filesystem::remove(w.pasta / "tb_impressoras_convercao.txt");
    j.cmbImpressora.selecionar(0);
    j.cmdVelocidade.definirTexto("4");
    w.app->montavelocidadetemperatura();
    EXPECT_EQ(j.txtvelocidade.texto(), "4");
}

TEST(Inicializacao, PortaSerialMostraListasEDesligaRede) {
    Janela w;
    w.iniciar();
    auto& j = w.j();
    j.cmbCaminhoImpressora.definirTexto("COM1");
    EXPECT_EQ(j.txtCaminhoImpressora.texto(), "COM1");
    for (const Controle* c :
         std::vector<const Controle*>{&j.cbvelocidade, &j.cbparidade, &j.cbbitdados, &j.cbbitparada,
                                      &j.Lblcom1, &j.Lblcom2, &j.Lblcom3, &j.Lblcom4})
        EXPECT_TRUE(c->visivel()) << c->nome;
    EXPECT_FALSE(j.optRede.habilitado());

    j.cmbCaminhoImpressora.definirTexto("LPT2");
    EXPECT_EQ(j.txtCaminhoImpressora.texto(), "LPT2");
    EXPECT_FALSE(j.cbvelocidade.visivel());
    EXPECT_FALSE(j.Lblcom4.visivel());
    EXPECT_TRUE(j.optRede.habilitado());
}

TEST(Inicializacao, OpcoesLocalERedeSeExcluem) {
    Janela w;
    GravarArquivoConfig(w.pasta.caminho(), "ConfigPess", "CaminhoImpressora", "LPT1");
    w.iniciar();
    auto& j = w.j();
    j.cmbCaminhoImpressora.definirTexto("LPT2");
    j.optRede.clicar();
    EXPECT_TRUE(j.optRede.marcada());
    EXPECT_FALSE(j.optLocal.marcada());
    EXPECT_TRUE(j.txtCaminhoImpressora.visivel());
    EXPECT_EQ(j.txtCaminhoImpressora.texto(), "LPT1");  // the last saved path of either kind

    j.optLocal.clicar();
    EXPECT_TRUE(j.optLocal.marcada());
    EXPECT_FALSE(j.optRede.marcada());
    EXPECT_FALSE(j.txtCaminhoImpressora.visivel());
    EXPECT_EQ(j.cmbCaminhoImpressora.texto(), "LPT1");
    EXPECT_EQ(j.txtCaminhoImpressora.texto(), "LPT1");
    EXPECT_EQ(j.foco(), "cmbCaminhoImpressora");

    std::filesystem::remove(w.pasta / "QuelmonteConfig.ini");
    j.optRede.clicar();
    EXPECT_EQ(j.txtCaminhoImpressora.texto(), "");
}

TEST(Inicializacao, ConfiguracaoPessoalGravadaVoltaNaProximaAbertura) {
    Janela w;
    w.iniciar();
    auto& j = w.j();
    j.cmbImpressora.selecionar(1);
    j.cmbModelo.definirTexto("GC420t");
    j.cmdVelocidade.definirTexto("3");
    j.cmdTemperatura.definirTexto("20");
    j.cmbCaminhoImpressora.definirTexto("COM2");
    j.cbvelocidade.definirTexto("19200");
    j.cbparidade.definirTexto("E");
    j.cbbitdados.definirTexto("7");
    j.cbbitparada.definirTexto("2");
    EXPECT_TRUE(w.app->salvarConfiguracaoPessoal());

    Aplicacao outra(w.plataforma, w.pasta.caminho());
    outra.iniciar();
    auto& k = outra.janela();
    EXPECT_EQ(k.cmbImpressora.indice(), 1);
    EXPECT_EQ(k.cmbModelo.texto(), "GC420t");
    EXPECT_EQ(k.cmdVelocidade.texto(), "3");
    EXPECT_EQ(k.cmdVelocidade.contagem(), 3);  // GC420t's own range, 2..4
    EXPECT_EQ(k.cmdTemperatura.texto(), "20");
    EXPECT_EQ(k.cbvelocidade.texto(), "19200");
    EXPECT_EQ(k.cbparidade.texto(), "E");
    EXPECT_EQ(k.cbbitdados.texto(), "7");
    EXPECT_EQ(k.cbbitparada.texto(), "2");
    EXPECT_TRUE(k.optLocal.marcada());
    EXPECT_EQ(k.cmbCaminhoImpressora.texto(), "COM2");
    EXPECT_TRUE(k.cbvelocidade.visivel());
    EXPECT_FALSE(k.optRede.habilitado());
}

TEST(Inicializacao, RestauracaoSoComAsDezChaves) {
    struct Caso {
        const char* nome;
        std::string ini;
        int impressora;
        bool local;
        const char* porta;
        const char* caminho;
    };
    const std::string base =
        "[ConfigPess]\r\nImpressora=ZEBRA,2,ZPL\r\nModelo=ZT230\r\nVelocidade=5\r\n"
        "Temperatura=18\r\n";
    const std::string serial =
        "VelocidadeCom=9600\r\nParidadeCom=N\r\nBitdeDadoCom=8\r\nBitdeParadaCom=1\r\n";
    for (const auto& c : std::vector<Caso>{
             // printed through LPT1 only: the serial keys were never saved
             {"sem seriais", base + "TipoCaminho=Local\r\nCaminhoImpressora=LPT2\r\n", 0, true,
              "LPT1", "LPT1"},
             {"chave em branco", base + serial + "TipoCaminho=  \r\nCaminhoImpressora=LPT2\r\n", 0,
              true, "LPT1", "LPT1"},
             {"local minusculo", base + serial + "TipoCaminho=local\r\nCaminhoImpressora=LPT2\r\n",
              1, true, "LPT2", "LPT2"},
             {"rede",
              base + serial + "TipoCaminho=Rede\r\nCaminhoImpressora=\\\\servidor\\zebra\r\n", 1,
              false, "LPT1", "\\\\servidor\\zebra"},
         }) {
        Janela w;
        w.pasta.gravar("QuelmonteConfig.ini", c.ini);
        w.iniciar();
        auto& j = w.j();
        EXPECT_EQ(j.cmbImpressora.indice(), c.impressora) << c.nome;
        EXPECT_EQ(j.optLocal.marcada(), c.local) << c.nome;
        EXPECT_EQ(j.optRede.marcada(), !c.local) << c.nome;
        EXPECT_EQ(j.txtCaminhoImpressora.visivel(), !c.local) << c.nome;
        EXPECT_EQ(j.cmbCaminhoImpressora.texto(), c.porta) << c.nome;
        EXPECT_EQ(j.txtCaminhoImpressora.texto(), c.caminho) << c.nome;
        if (c.impressora == 1) {
            EXPECT_EQ(j.cmdVelocidade.texto(), "5") << c.nome;
        }
        EXPECT_EQ(w.pasta.ler("QuelmonteConfig.ini"), c.ini) << c.nome;  // restore writes nothing
    }
}

TEST(Inicializacao, GravacaoPessoalQueFalhaEDetectada) {
    Janela w;
    w.pasta.gravar("QuelmonteConfig.ini", "[ConfigPess]\r\nModelo=antigo\r\n");
    std::filesystem::permissions(w.pasta / "QuelmonteConfig.ini",
                                 std::filesystem::perms::owner_read);
    w.iniciar();
    EXPECT_FALSE(w.app->salvarConfiguracaoPessoal());
    EXPECT_EQ(w.pasta.ler("QuelmonteConfig.ini"), "[ConfigPess]\r\nModelo=antigo\r\n");
}

TEST(Inicializacao, EventosDaPortaSerialViramMensagens) {
    Janela w;
    w.iniciar();
    for (int codigo : {1009, 1005, 2, 1, 7, 1001, 1011}) w.porta->aoEvento(codigo);
    ASSERT_EQ(w.plataforma.mensagens.size(), 3u);
    EXPECT_EQ(w.plataforma.mensagens[0].texto, "Error: Parity Error");
    EXPECT_EQ(w.plataforma.mensagens[1].texto, "Error: Break was received");
    EXPECT_EQ(w.plataforma.mensagens[2].texto, "Error: Unexpected error retrieving DCB");
    for (const auto& m : w.plataforma.mensagens) {
        EXPECT_EQ(m.titulo, w.plataforma.tituloAplicacao());
        EXPECT_EQ(m.icone, Icone::Nenhum);
        EXPECT_EQ(m.botoes, Botoes::Ok);
    }
}

TEST(Inicializacao, FecharFechaSoAPortaAberta) {
    Janela w;
    w.iniciar();
    w.app->fechar();
    EXPECT_EQ(w.porta->fechamentos, 0);
    w.porta->abrir("COM1", "9600,N,8,1");
    EXPECT_THROW(w.app->cmdSair(), AplicacaoEncerrada);
    EXPECT_EQ(w.porta->fechamentos, 1);
    EXPECT_FALSE(w.porta->aberta());
}
