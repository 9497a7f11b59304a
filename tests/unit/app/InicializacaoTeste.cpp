#include <gtest/gtest.h>

#include <optional>

#include "../config/PastaTeste.h"
#include "../render/ApoioImpressao.h"
#include "app/Aplicacao.h"
#include "app/ListasImpressoras.h"
#include "platform/headless/PlataformaHeadless.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;
using std::string, std::tuple, std::vector;

namespace {

vector<string> textos(const Lista& lista) {
    vector<string> t;
    for (const auto& item : lista.itens()) t.push_back(item.texto);
    return t;
}

int seriaisVisiveis(const JanelaPrincipal& j) {
    const Controle* seriais[] = {&j.cbvelocidade, &j.cbparidade, &j.cbbitdados, &j.cbbitparada,
                                 &j.Lblcom1,      &j.Lblcom2,    &j.Lblcom3,    &j.Lblcom4};
    return static_cast<int>(std::count_if(std::begin(seriais), std::end(seriais),
                                          [](const Controle* c) { return c->visivel(); }));
}

// A window over an application folder with the installed tables.
struct Janela {
    PastaTeste pasta;
    PlataformaHeadless plataforma;
    teste::PortaFalsa* porta = new teste::PortaFalsa;
    std::optional<Aplicacao> app;

    explicit Janela(bool comTabelas = true) {
        for (const auto& e : std::filesystem::directory_iterator(ETIQUETAS_DADOS_FONTE))
            if (comTabelas && e.path().filename().string().starts_with("tb_"))
                std::filesystem::copy_file(e.path(), pasta / e.path().filename().string());
        plataforma.definirPortaSerial(std::unique_ptr<PortaSerial>(porta));
        plataforma.definirVersao({4, 0, 15});
    }
    JanelaPrincipal& iniciar() {
        app.emplace(plataforma, pasta);
        app->iniciar();
        return app->janela();
    }
};

}  // namespace

TEST(Inicializacao, SemConfiguracaoPessoalAbreEmLpt1EPortaSerialMostraAsListas) {
    Janela w;
    auto& j = w.iniciar();
    EXPECT_EQ(j.titulo, ":: Quelmonte ::  Impressão de Etiquetas - Vs. (4.0.0.15)");
    EXPECT_EQ(j.StatusBar1.texto(), "Selecione o arquivo a ser gerada as Etiquetas. . .");
    // The window takes index 1 for the Zebra printer: the shipped table must agree.
    EXPECT_EQ(textos(j.cmbImpressora),
              (vector<string>{"DATAMAX,1,DPL", "ZEBRA,2,ZPL", "ARGOX,3,DPL", "ELTRON,4,DPL"}));
    EXPECT_EQ(tuple(j.cmbImpressora.indice(), j.cmbImpressora.itens()[1].dado), tuple(0, 2));
    EXPECT_EQ(tuple(j.cmbModelo.texto(), j.cmdVelocidade.texto(), j.cmdTemperatura.texto(),
                    j.cmbCaminhoImpressora.texto(), j.txtCaminhoImpressora.texto()),
              tuple("E-4205", "4", "10", "LPT1", "LPT1"));
    EXPECT_TRUE(j.optLocal.marcada());
    EXPECT_EQ(tuple(j.cbvelocidade.texto(), j.cbparidade.texto(), j.cbbitdados.texto(),
                    j.cbbitparada.texto(), j.cbvTipoEtiq.texto()),
              tuple("9600", "N", "8", "1", "Etiq. Interna"));
    EXPECT_TRUE(w.plataforma.mensagens.empty());
    EXPECT_FALSE(std::filesystem::exists(w.pasta / "QuelmonteConfig.ini"));  // reading creates none

    // The temperature box follows its list; a saved local port is no network path.
    EXPECT_EQ(j.txtTemperatura.texto(), "10");
    j.cmdTemperatura.selecionar(0);
    EXPECT_EQ(j.txtTemperatura.texto(), j.cmdTemperatura.texto());
    w.pasta.gravar("QuelmonteConfig.ini", "[ConfigPess]\r\nCaminhoImpressora=LPT1\r\n");
    j.optRede.clicar();
    EXPECT_EQ(j.txtCaminhoImpressora.texto(), "");
}

TEST(ListasImpressoras, TabelaComDefeitoOuAusenteTerminaSemPerderNada) {
    Janela w(false);
    auto& j = w.iniciar();  // no tables: the built-in printers stay
    EXPECT_EQ(textos(j.cmbImpressora), (vector<string>{"Datamax - DPL", "Zebra - ZPL"}));
    EXPECT_EQ(tuple(j.cmbImpressora.indice(), j.cmbModelo.contagem(), w.pasta.quantosArquivos(),
                    w.plataforma.mensagens.size()),
              tuple(0, 0, 0u, 0u));

    Lista lista("cmbImpressora");
    int reacoes = 0;
    lista.escolhido.conectar([&] { ++reacoes; });
    const string semVirgula = "DATAMAX,1\r\nZEBRA,2\r\nARGOX 3\r\nELTRON,4\r\n";
    w.pasta.gravar("tb.txt", semVirgula);
    EXPECT_FALSE(PopularListControldoArquivo(lista, w.pasta / "tb.txt"));
    EXPECT_EQ(tuple(textos(lista), lista.indice(), reacoes),
              tuple(vector<string>{"DATAMAX,1", "ZEBRA,2"}, -1, 0));
    EXPECT_EQ(w.pasta.ler("tb.txt"), semVirgula);
    EXPECT_FALSE(PopularListControldoArquivo(lista, w.pasta));  // a folder is no table
    EXPECT_EQ(textos(lista).size(), 2u);
    w.pasta.gravar("tb.txt", "DATAMAX,1\r\n\r\n  \nZEBRA, 2 ,ZPL\r\n\r\n");  // blank lines, bare LF
    EXPECT_TRUE(PopularListControldoArquivo(lista, w.pasta / "tb.txt"));
    EXPECT_EQ(tuple(textos(lista), lista.itens()[1].dado, lista.indice(), reacoes),
              tuple(vector<string>{"DATAMAX,1", "ZEBRA, 2 ,ZPL"}, 2, 0, 1));
}

TEST(ListasImpressoras, FaixaMostraOPadrao) {
    for (const auto& [de, ate, padrao, itens, texto] :
         vector<tuple<long, long, long, vector<string>, string>>{
             {2, 4, 9, {"2", "3", "4"}, "9"},  // default outside: shown, no item chosen
             {6, 2, 4, {}, ""},
             {0, 100000000, 5, {}, ""}}) {  // a broken range adds nothing
        Lista lista("cmdVelocidade");
        MontaComboBox(lista, de, ate, padrao);
        EXPECT_EQ(tuple(textos(lista), lista.texto()), tuple(itens, texto)) << de << ".." << ate;
    }
}

TEST(Inicializacao, ImpressoraEModeloMontamFaixasEVelocidade) {
    Janela w;
    w.pasta.gravar("tb_modelo_impressora.txt",
                   "1,203,M1,2,6,4,0,30,10\r\n2,203,Z1,1,3,2,5,7,6\r\n2,203,Z2,x\r\n");
    w.pasta.gravar("tb_impressoras_convercao.txt", "ZEBRA,3,A\r\n DATAMAX ,4, G \r\n");
    auto& j = w.iniciar();
    const auto montar = [&] {
        w.app->montavelocidadetemperatura();
        return tuple(j.txtvelocidade.texto(), j.txtTemperatura.texto());
    };
    EXPECT_EQ(tuple(textos(j.cmdVelocidade), j.cmdVelocidade.texto()),
              tuple(vector<string>{"2", "3", "4", "5", "6"}, "4"));
    EXPECT_EQ(montar(), tuple("G", "10"));  // DATAMAX 4: the code of the table, trimmed
    j.cmbImpressora.selecionar(1);
    EXPECT_EQ(tuple(textos(j.cmbModelo), textos(j.cmdTemperatura)),
              tuple(vector<string>{"Z1", "Z2"}, vector<string>{"5", "6", "7"}));
    EXPECT_EQ(montar(), tuple("2", "6"));  // ZEBRA: no conversion line, the plain speed
    j.cmbModelo.selecionar(1);             // broken model line: empty ranges, no crash
    EXPECT_EQ(j.cmdVelocidade.contagem(), 0);
    j.cmbImpressora.selecionar(2);  // a printer without models keeps no old ranges
    EXPECT_EQ(j.cmbModelo.contagem() + j.cmdVelocidade.contagem() + j.cmdTemperatura.contagem(), 0);
    j.cmbImpressora.selecionar(0);
    std::filesystem::remove(w.pasta / "tb_impressoras_convercao.txt");
    EXPECT_EQ(montar(), tuple("4", "10"));
}

TEST(Inicializacao, ConfiguracaoPessoalGravadaVoltaNaProximaAbertura) {
    Janela w;
    auto& j = w.iniciar();
    j.cmbImpressora.selecionar(1);
    Lista* listas[] = {
        &j.cmbModelo,    &j.cmdVelocidade, &j.cmdTemperatura, &j.cmbCaminhoImpressora,
        &j.cbvelocidade, &j.cbparidade,    &j.cbbitdados,     &j.cbbitparada};
    const char* textosEscolhidos[] = {"GC420t", "3", "20", "COM2", "19200", "E", "7", "2"};
    for (int i = 0; i < 8; ++i) listas[i]->definirTexto(textosEscolhidos[i]);
    EXPECT_TRUE(w.app->salvarConfiguracaoPessoal());
    const auto estado = [](const JanelaPrincipal& k) {
        return tuple(k.cmbImpressora.indice(), k.cmbModelo.texto(), textos(k.cmdVelocidade),
                     k.cmdVelocidade.texto(), k.cmdTemperatura.texto(), k.cbvelocidade.texto(),
                     k.cbparidade.texto(), k.cbbitdados.texto(), k.cbbitparada.texto(),
                     k.optLocal.marcada(), k.cmbCaminhoImpressora.texto(), seriaisVisiveis(k));
    };
    Aplicacao outra(w.plataforma, w.pasta);
    outra.iniciar();
    EXPECT_EQ(estado(outra.janela()), estado(j));

    const string salvo = w.pasta.ler("QuelmonteConfig.ini");
    std::filesystem::permissions(w.pasta / "QuelmonteConfig.ini",
                                 std::filesystem::perms::owner_read);
    j.cmbModelo.definirTexto("ZT230");
    EXPECT_FALSE(w.app->salvarConfiguracaoPessoal());
    EXPECT_EQ(w.pasta.ler("QuelmonteConfig.ini"), salvo);
}

TEST(Inicializacao, EventosDaPortaSerialViramMensagensESairFechaAPorta) {
    Janela w;
    w.iniciar();
    for (int codigo : {1009, 1005, 2, 1, 7, 1001, 1011}) w.porta->aoEvento(codigo);
    const auto& m = w.plataforma.mensagens;
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(tuple(m[0].texto, m[1].texto, m[2].texto),
              tuple("Error: Parity Error", "Error: Break was received",
                    "Error: Unexpected error retrieving DCB"));
    EXPECT_EQ(tuple(m[2].titulo, m[2].icone, m[2].botoes),
              tuple(w.plataforma.tituloAplicacao(), Icone::Nenhum, Botoes::Ok));
    w.porta->abrir("COM1", "9600,N,8,1");
    EXPECT_THROW(w.app->cmdSair(), AplicacaoEncerrada);
    EXPECT_FALSE(w.porta->aberta());  // closed on the way out
}
