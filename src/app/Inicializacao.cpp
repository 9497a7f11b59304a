#include <array>

#include "app/Aplicacao.h"
#include "app/ListasImpressoras.h"
#include "comum/Arquivos.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "config/TabelasImpressoras.h"

namespace etiquetas {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSecaoPessoal = "ConfigPess";
// Where cmbModelo and LblImp go when the Zebra font button is hidden.
constexpr int kPosicaoModeloSemZebra = 3240;

const std::array<const char*, 4> kPortas = {"LPT1", "LPT2", "COM1", "COM2"};

fs::path tabela(const fs::path& pasta, std::string_view nome) {
    return caminhoNaPasta(pasta, nome);
}

bool portaParalela(const std::string& porta) {
    const std::string p = aparar(porta);
    return iguaisSemCaixa(p, "LPT1") || iguaisSemCaixa(p, "LPT2");
}

void mostrarListasSeriais(JanelaPrincipal& j, bool mostrar) {
    for (Controle* c :
         std::array<Controle*, 8>{&j.cbvelocidade, &j.cbparidade, &j.cbbitdados, &j.cbbitparada,
                                  &j.Lblcom1, &j.Lblcom2, &j.Lblcom3, &j.Lblcom4})
        c->definirVisivel(mostrar);
}

void reagirModelo(JanelaPrincipal& j, const fs::path& pasta) {
    PopularListVelocidadeImpressora(j, j.cmbModelo.texto(), idDaImpressora(j.cmbImpressora.texto()),
                                    tabela(pasta, kTabelaModelos));
}

void reagirImpressora(JanelaPrincipal& j, const fs::path& pasta) {
    j.cmbModelo.limpar();
    PopularListModeloImpressora(j.cmbModelo, idDaImpressora(j.cmbImpressora.texto()),
                                tabela(pasta, kTabelaModelos));
    if (j.cmbModelo.contagem() > 0) {
        j.cmbModelo.selecionar(0);
    } else {
        // A printer without models must not keep the previous printer's ranges.
        j.cmdVelocidade.limpar();
        j.cmdTemperatura.limpar();
    }
    if (j.cmbImpressora.indice() != 1) {
        j.CmZebra.definirVisivel(false);
        j.LblZebra.definirVisivel(false);
        j.posicaoModeloTwips = kPosicaoModeloSemZebra;
        j.cmbModelo.mudou.emitir();
        j.LblImp.mudou.emitir();
    }
}

void reagirPorta(JanelaPrincipal& j) {
    const std::string porta = j.cmbCaminhoImpressora.texto();
    j.txtCaminhoImpressora.definirTexto(porta);
    const bool paralela = portaParalela(porta);
    mostrarListasSeriais(j, !paralela);
    // A serial printer is always local.
    j.optRede.definirHabilitado(paralela);
}

void reagirLocal(JanelaPrincipal& j) {
    j.optRede.definirMarcada(false);
    j.txtCaminhoImpressora.definirVisivel(false);
    if (j.cmbCaminhoImpressora.contagem() > 0) j.cmbCaminhoImpressora.selecionar(0);
    j.txtCaminhoImpressora.definirTexto(j.cmbCaminhoImpressora.texto());
    j.focar(j.cmbCaminhoImpressora.nome);
}

void reagirRede(JanelaPrincipal& j, const fs::path& pasta) {
    j.optLocal.definirMarcada(false);
    j.txtCaminhoImpressora.definirVisivel(true);
    mostrarListasSeriais(j, false);
    j.txtCaminhoImpressora.definirTexto(
        aparar(LerArquivoConfig(pasta, kSecaoPessoal, "CaminhoImpressora")));
}

void preencherPortas(Lista& portas) {
    portas.limpar();
    for (const char* p : kPortas) portas.adicionar(p);
    portas.selecionar(0);
}

void carregarTabelasSeriais(JanelaPrincipal& j, const fs::path& pasta) {
    PopularListControl(j.cbvelocidade, tabela(pasta, kTabelaVelocidadeCom));
    PopularListControl(j.cbparidade, tabela(pasta, kTabelaParidadeCom));
    PopularListControl(j.cbbitdados, tabela(pasta, kTabelaBitDadosCom));
    PopularListControl(j.cbbitparada, tabela(pasta, kTabelaBitParadaCom));
}

template <class Campo>
void ocultarColunas(Grade& grade, Campo de, Campo ate, bool oculta = true) {
    for (int c = coluna(de); c <= coluna(ate); ++c) grade.definirOculta(c, oculta);
}

void mostrarColunasIniciais(JanelaPrincipal& j) {
    using P = CampoPreco;
    auto& p = j.sprPedidos;
    ocultarColunas(p, P::Item, P::Grade);
    ocultarColunas(p, P::QtdEtq, P::QtdEtq);
    ocultarColunas(p, P::CodigoBureau, P::CodigoBureau);
    ocultarColunas(p, P::CentroEntrega, P::TamanhoIngles);
    ocultarColunas(p, P::Familia, P::Estacao);
    ocultarColunas(p, P::Tamanho, P::Variante, false);
    using V = CampoVolume;
    auto& v = j.vaVolume;
    ocultarColunas(v, V::QuantidadePeca, V::Livre3);
    ocultarColunas(v, V::Loja, V::Loja, false);
    ocultarColunas(v, V::Caixas, V::Caixas, false);
}

const char* textoEventoSerial(int codigo) {
    switch (codigo) {
        case 1001:
            return "Error: Break was received";
        case 1002:
            return "Error: CTS Timeout";
        case 1003:
            return "Error: DSR Timeout";
        case 1004:
            return "Error: Framing Error";
        case 1006:
            return "Error: Data Lost";
        case 1007:
            return "Error: CD (RLSD) Timeout";
        case 1008:
            return "Error: Receive buffer overflow";
        case 1009:
            return "Error: Parity Error";
        case 1010:
            return "Error: Transmit buffer full";
        case 1011:
            return "Error: Unexpected error retrieving DCB";
        // 2 (data received) and the line changes need nothing: the printers
        // send no answers that the system reads.
        default:
            return nullptr;
    }
}

// The saved keys of "ConfigPess", each present only when saved and not blank.
struct ConfiguracaoPessoal {
    std::optional<std::string> impressora, modelo, velocidade, temperatura;
    std::optional<std::string> velocidadeCom, paridadeCom, bitDadosCom, bitParadaCom;
    std::optional<std::string> tipoCaminho, caminhoImpressora;
};

ConfiguracaoPessoal lerConfiguracaoPessoal(const fs::path& pasta) {
    const auto ler = [&](const char* chave) -> std::optional<std::string> {
        std::string valor = LerArquivoConfig(pasta, kSecaoPessoal, chave);
        if (aparar(valor).empty()) return std::nullopt;
        return valor;
    };
    return {ler("Impressora"),       ler("Modelo"),         ler("Velocidade"),
            ler("Temperatura"),      ler("VelocidadeCom"),  ler("ParidadeCom"),
            ler("BitdeDadoCom"),     ler("BitdeParadaCom"), ler("TipoCaminho"),
            ler("CaminhoImpressora")};
}

// A value the list no longer offers (a table edited since it was saved)
// would stand as free text beside the lists of another printer or model:
// the list keeps the choice start-up made.
void restaurarEscolha(Lista& lista, const std::optional<std::string>& salvo) {
    if (!salvo) return;
    for (const auto& item : lista.itens())
        if (item.texto == *salvo) return lista.definirTexto(*salvo);
}

void restaurarCaminho(JanelaPrincipal& j, const ConfiguracaoPessoal& c) {
    if (!c.tipoCaminho) return;
    if (maiusculas(aparar(*c.tipoCaminho)) == "LOCAL") {
        j.optLocal.clicar();
        restaurarEscolha(j.cmbCaminhoImpressora, c.caminhoImpressora);
    } else {
        j.optRede.clicar();
        if (c.caminhoImpressora) j.txtCaminhoImpressora.definirTexto(*c.caminhoImpressora);
    }
}

}  // namespace

void Aplicacao::iniciar() {
    auto& j = janela_;
    memoria_.ImagemEnviada = false;
    mostrarListasSeriais(j, false);
    j.cmdAtualizaQtd.definirVisivel(false);
    // The window opens on a local printer: the network path box, which lies
    // over the port list, stays hidden until "Rede" is chosen.
    j.optLocal.definirMarcada(true);
    j.optRede.definirMarcada(false);
    j.txtCaminhoImpressora.definirVisivel(false);
    preencherPortas(j.cmbCaminhoImpressora);
    j.titulo = plataforma_.tituloAplicacao();
    j.StatusBar1.definirTexto("Selecione o arquivo a ser gerada as Etiquetas. . .");
    j.cmbImpressora.limpar();
    j.cmbImpressora.adicionar("Datamax - DPL", 0);
    j.cmbImpressora.adicionar("Zebra - ZPL", 1);
    PopularListControldoArquivo(j.cmbImpressora, tabela(pasta_, kTabelaImpressoras));
    carregarTabelasSeriais(j, pasta_);
    j.cbvTipoEtiq.definirTexto("Etiq. Interna");
    j.frmTipo.definirVisivel(false);
    if (j.cmbImpressora.contagem() > 0) j.cmbImpressora.selecionar(0);
    restaurarConfiguracaoPessoal();
    mostrarColunasIniciais(j);
    plataforma_.portaSerial().aoEvento = [this](int codigo) { mostrarEventoSerial(codigo); };
}

// A dead port repeats its complaint for every chunk: once a run is enough.
void Aplicacao::mostrarEventoSerial(int codigo) {
    const char* texto = textoEventoSerial(codigo);
    if (!texto) return;
    if (emImpressao_ && !eventosSeriaisDaExecucao_.insert(codigo).second) return;
    mensagem(texto);
}

void Aplicacao::fechar() {
    if (plataforma_.portaSerial().aberta()) plataforma_.portaSerial().fechar();
}

void Aplicacao::cmdSair() {
    fechar();
    plataforma_.encerrarAplicacao();
}

void Aplicacao::ligarReacoesImpressoras() {
    auto& j = janela_;
    j.cmbImpressora.escolhido.conectar([this] { reagirImpressora(janela_, pasta_); });
    j.cmbModelo.escolhido.conectar([this] { reagirModelo(janela_, pasta_); });
    j.cmbCaminhoImpressora.escolhido.conectar([this] { reagirPorta(janela_); });
    j.optLocal.clicada.conectar([this] { reagirLocal(janela_); });
    j.optRede.clicada.conectar([this] { reagirRede(janela_, pasta_); });
}

bool Aplicacao::salvarConfiguracaoPessoal() {
    const auto& j = janela_;
    bool ok = true;
    const auto gravar = [&](const char* chave, const std::string& valor) {
        ok = GravarArquivoConfig(pasta_, kSecaoPessoal, chave, valor) && ok;
    };
    gravar("Impressora", j.cmbImpressora.texto());
    gravar("Modelo", j.cmbModelo.texto());
    gravar("Velocidade", j.cmdVelocidade.texto());
    gravar("Temperatura", j.cmdTemperatura.texto());
    if (!portaParalela(j.cmbCaminhoImpressora.texto())) {
        gravar("VelocidadeCom", j.cbvelocidade.texto());
        gravar("ParidadeCom", j.cbparidade.texto());
        gravar("BitdeDadoCom", j.cbbitdados.texto());
        gravar("BitdeParadaCom", j.cbbitparada.texto());
    }
    const bool local = j.optLocal.marcada();
    gravar("TipoCaminho", local ? "Local" : "Rede");
    gravar("CaminhoImpressora",
           local ? j.cmbCaminhoImpressora.texto() : j.txtCaminhoImpressora.texto());
    return ok;
}

void Aplicacao::restaurarConfiguracaoPessoal() {
    // Every saved key comes back on its own: a user who prints through LPT1
    // never saves the serial keys and must still find the printer chosen.
    const ConfiguracaoPessoal c = lerConfiguracaoPessoal(pasta_);
    auto& j = janela_;
    // Each choice runs its list's reaction, so the model, speed and
    // temperature lists are rebuilt before their own values are set.
    restaurarEscolha(j.cmbImpressora, c.impressora);
    restaurarEscolha(j.cmbModelo, c.modelo);
    restaurarEscolha(j.cmdVelocidade, c.velocidade);
    restaurarEscolha(j.cmdTemperatura, c.temperatura);
    restaurarEscolha(j.cbvelocidade, c.velocidadeCom);
    restaurarEscolha(j.cbparidade, c.paridadeCom);
    restaurarEscolha(j.cbbitdados, c.bitDadosCom);
    restaurarEscolha(j.cbbitparada, c.bitParadaCom);
    restaurarCaminho(j, c);
}

void Aplicacao::montavelocidadetemperatura() {
    auto& j = janela_;
    const std::string convertida = BuscaListaConvercao(j, tabela(pasta_, kTabelaConversao));
    j.txtvelocidade.definirTexto(convertida.empty() ? aparar(j.cmdVelocidade.texto()) : convertida);
    j.txtTemperatura.definirTexto(aparar(j.cmdTemperatura.texto()));
}

}  // namespace etiquetas
