#include <array>

#include "app/Aplicacao.h"
#include "app/ConsultaImpressora.h"
#include "app/EscolhaImpressora.h"
#include "app/ListasImpressoras.h"
#include "comum/Arquivos.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "config/TabelasImpressoras.h"
#include "resolucao/Escala.h"

namespace etiquetas {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSecaoPessoal = "ConfigPess";
// Where cmbModelo and LblImp go when the Zebra font button is hidden.
constexpr int kPosicaoModeloSemZebra = 3240;

const std::array<const char*, 4> kPortas = {"LPT1", "LPT2", "COM1", "COM2"};

void mostrarListasSeriais(JanelaPrincipal& j, bool mostrar) {
    for (Controle* c :
         std::array<Controle*, 8>{&j.cbvelocidade, &j.cbparidade, &j.cbbitdados, &j.cbbitparada,
                                  &j.Lblcom1, &j.Lblcom2, &j.Lblcom3, &j.Lblcom4})
        c->definirVisivel(mostrar);
}

ListasImpressora listasDaJanela(JanelaPrincipal& j) {
    return {j.cmbImpressora, j.cmbModelo,  j.cmdVelocidade, j.cmdTemperatura,
            j.cbvelocidade,  j.cbparidade, j.cbbitdados,    j.cbbitparada};
}

// "Carregar Fonte Zebra" whenever the chosen printer is a Zebra, whichever
// line of the table it is and however it was chosen (by hand or restored).
void mostrarCargaFonte(JanelaPrincipal& j) {
    const bool zebra = impressoraZebra(j.cmbImpressora.texto());
    j.CmZebra.definirVisivel(zebra);
    j.LblZebra.definirVisivel(zebra);
    if (!zebra) j.posicaoModeloTwips = kPosicaoModeloSemZebra;
    j.cmbModelo.mudou.emitir();
    j.LblImp.mudou.emitir();
}

void reagirImpressoraNaJanela(JanelaPrincipal& j, const fs::path& dados) {
    reagirImpressora(listasDaJanela(j), dados);
    mostrarCargaFonte(j);
}

void reagirPorta(JanelaPrincipal& j) {
    const std::string porta = j.cmbCaminhoImpressora.texto();
    j.txtCaminhoImpressora.definirTexto(porta);
    const bool paralela = portaParalela(porta);
    mostrarListasSeriais(j, !paralela);
    // The serial buffer line belongs to the serial port it was read from.
    if (paralela) j.lblDetalhePortaCom.definirLegenda("");
}

void reagirLocal(JanelaPrincipal& j) {
    j.optRede.definirMarcada(false);
    j.txtCaminhoImpressora.definirVisivel(false);
    if (j.cmbCaminhoImpressora.contagem() > 0) j.cmbCaminhoImpressora.selecionar(0);
    j.txtCaminhoImpressora.definirTexto(j.cmbCaminhoImpressora.texto());
    j.focar(j.cmbCaminhoImpressora.nome);
}

void reagirRede(JanelaPrincipal& j, const PastasAplicacao& pastas) {
    j.optLocal.definirMarcada(false);
    j.txtCaminhoImpressora.definirVisivel(true);
    mostrarListasSeriais(j, false);
    // A port saved by a local print is no network path.
    std::string salvo = aparar(LerArquivoConfig(pastas, kSecaoPessoal, "CaminhoImpressora"));
    if (portaParalela(salvo) || iguaisSemCaixa(salvo, "COM1") || iguaisSemCaixa(salvo, "COM2"))
        salvo.clear();
    j.txtCaminhoImpressora.definirTexto(salvo);
}

void preencherPortas(Lista& portas) {
    portas.limpar();
    for (const char* p : kPortas) portas.adicionar(p);
    portas.selecionar(0);
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

void restaurarCaminho(JanelaPrincipal& j, const CaminhoSalvo& c) {
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

void Aplicacao::escolherDestino(bool rede, const std::string& destino) {
    restaurarCaminho(janela_, {rede ? "Rede" : "Local", destino});
}

void Aplicacao::iniciar() {
    auto& j = janela_;
    memoria().ImagemEnviada = false;
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
    preencherListasImpressora(listasDaJanela(j), pastas().dados);
    for (const char* dpi : {"203", "300", "600"}) j.cmbResolucao.adicionar(dpi);
    j.cbvTipoEtiq.definirTexto("Etiq. Interna");
    j.frmTipo.definirVisivel(false);
    if (j.cmbImpressora.contagem() > 0) j.cmbImpressora.selecionar(0);
    restaurarConfiguracaoPessoal();
    mostrarResolucaoSalva();
    mostrarCargaFonte(j);
    montavelocidadetemperatura();
    mostrarColunasIniciais(j);
    // The port is made, and later used, on the worker only.
    trabalhador_.executarEAguardar([this] {
        plataforma_.portaSerial().aoEvento = [this](int codigo) { servico_.eventoSerial(codigo); };
    });
}

void Aplicacao::fechar() {
    cancelarAbertura();  // else the port would wait for the read to end
    trabalhador_.executarEAguardar([this] {
        if (plataforma_.portaSerial().aberta()) plataforma_.portaSerial().fechar();
    });
}

bool Aplicacao::algumaLinhaMarcada() {
    const Grade* g = janela_.gradeDoArquivo();
    for (int l = 1; g && l <= g->linhas(); ++l)
        if (g->marcada(l)) return true;
    return false;
}

// Ticks or edited cells since the file was loaded or last printed whole.
bool Aplicacao::trabalhoPorImprimir() {
    return marcasPendentes_ && (algumaLinhaMarcada() || algumaCelulaEditada());
}

bool Aplicacao::algumaCelulaEditada() const {
    const auto& j = janela_;
    if (j.tipoArquivo() == kArquivoPreco) {
        const Grade& g = j.sprPedidos;
        for (int l = 1; l <= g.linhas(); ++l)
            if (g.texto(l, coluna(CampoPreco::SequenciaInicial)) !=
                    g.texto(l, coluna(CampoPreco::SequenciaInicialOriginal)) ||
                g.texto(l, coluna(CampoPreco::SequenciaFinal)) !=
                    g.texto(l, coluna(CampoPreco::SequenciaFinalOriginal)))
                return true;
    } else if (j.tipoArquivo() == kArquivoVolume) {
        const Grade& g = j.vaVolume;
        for (int l = 1; l <= g.linhas() && l <= static_cast<int>(volumesDoArquivo_.size()); ++l)
            if (valorInteiro(g.texto(l, coluna(CampoVolume::Caixas))) !=
                volumesDoArquivo_[static_cast<std::size_t>(l - 1)])
                return true;
    }
    return false;
}

bool Aplicacao::podeTrocarArquivo(const std::string& titulo) {
    return !trabalhoPorImprimir() ||
           mensagem(
               "Há linhas marcadas ou editadas que ainda não foram impressas. Deseja "
               "substituí-las pelo outro arquivo mesmo assim?",
               titulo, Icone::Pergunta, Botoes::SimNao) == Resposta::Sim;
}

void Aplicacao::cmdSair() {
    if (marcasPendentes_ && algumaLinhaMarcada() &&
        mensagem("Há linhas marcadas que ainda não foram impressas. Deseja sair mesmo assim?",
                 "Sair", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return;
    fechar();
    plataforma_.encerrarAplicacao();
}

void Aplicacao::ligarReacoesImpressoras() {
    auto& j = janela_;
    j.cmbImpressora.escolhido.conectar(
        [this] { reagirImpressoraNaJanela(janela_, pastas().dados); });
    j.cmbModelo.escolhido.conectar(
        [this] { reagirModelo(listasDaJanela(janela_), pastas().dados); });
    j.cmbImpressora.escolhido.conectar([this] { mostrarResolucaoSalva(); });
    j.cmbCaminhoImpressora.escolhido.conectar([this] { reagirPorta(janela_); });
    j.optLocal.clicada.conectar([this] { reagirLocal(janela_); });
    j.optRede.clicada.conectar([this] { reagirRede(janela_, pastas()); });
    // The boxes show what the printer will be sent for the choice on screen,
    // not what the last print sent.
    for (Lista* l : {&j.cmbImpressora, &j.cmbModelo, &j.cmdVelocidade, &j.cmdTemperatura})
        l->escolhido.conectar([this] { montavelocidadetemperatura(); });
    for (Lista* l : {&j.cmbImpressora, &j.cmbCaminhoImpressora})
        l->escolhido.conectar([this] { esquecerEstadoImpressora(); });
    for (Opcao* o : {&j.optLocal, &j.optRede})
        o->clicada.conectar([this] { esquecerEstadoImpressora(); });
    j.txtCaminhoImpressora.mudou.conectar([this] { esquecerEstadoImpressora(); });
}

ParametrosImpressao Aplicacao::parametrosDaJanela() const {
    return resolverParametros(pastas(), impressoraDaJanela(), false, false, "", false, "");
}

void Aplicacao::esquecerEstadoImpressora() {
    const ImpressoraEscolhida e = impressoraDaJanela();
    const std::string de = e.linha + '\n' + (e.rede ? e.destino : e.porta);
    if (de == estadoMostradoDe_) return;
    estadoMostradoDe_ = de;
    janela_.lblEstadoImpressora.definirDica({});
    const bool consultavel = impressoraConsultavel(parametrosDaJanela());
    janela_.lblEstadoImpressora.definirLegenda(consultavel ? ""
                                                           : textoEstado(estadoNaoConsultavel()));
}

// Not a command of its own: a print asked meanwhile waits behind it on the
// worker, and the last run's outcome stays as it was.
void Aplicacao::cmdEstadoImpressora() {
    esquecerEstadoImpressora();
    janela_.lblEstadoImpressora.definirLegenda("consultando...");
    trabalhador_.executar([this, p = parametrosDaJanela()](std::stop_token) {
        TextoDaConsulta texto;
        try {
            texto = textoDaConsulta(consultarImpressora(plataforma_, pastas(), p));
        } catch (const std::exception&) {
            texto.curto = textoEstado(estadoSemResposta());
        }
        plataforma_.naVista(
            [this, vivo = vivo_, texto] {
                if (!*vivo) return;
                janela_.lblEstadoImpressora.definirDica(texto.inteiro);
                janela_.lblEstadoImpressora.definirLegenda(texto.curto);
            },
            false);
    });
}

bool Aplicacao::salvarConfiguracaoPessoal() {
    return salvarEscolhaPessoal(pastas(), impressoraDaJanela());
}

void Aplicacao::restaurarConfiguracaoPessoal() {
    restaurarListasImpressora(listasDaJanela(janela_), pastas());
    restaurarCaminho(janela_, lerCaminhoSalvo(pastas()));
}

void Aplicacao::montavelocidadetemperatura() {
    auto& j = janela_;
    j.txtvelocidade.definirTexto(velocidadeConvertida(pastas().dados, impressoraDaJanela()));
    j.txtTemperatura.definirTexto(aparar(j.cmdTemperatura.texto()));
}

// Each printer line shows the resolution kept for it.
void Aplicacao::mostrarResolucaoSalva() {
    janela_.cmbResolucao.definirTexto(
        std::to_string(resolucaoDaImpressora(pastas(), janela_.cmbImpressora.texto())));
}

ImpressoraEscolhida Aplicacao::impressoraDaJanela() const {
    const auto& j = janela_;
    return {.indice = j.cmbImpressora.indice(),
            .linha = j.cmbImpressora.texto(),
            .modelo = j.cmbModelo.texto(),
            .velocidade = j.cmdVelocidade.texto(),
            .temperatura = j.cmdTemperatura.texto(),
            .porta = j.cmbCaminhoImpressora.texto(),
            .rede = !j.optLocal.marcada(),
            .destino = j.txtCaminhoImpressora.texto(),
            .serial = {j.cbvelocidade.texto(), j.cbparidade.texto(), j.cbbitdados.texto(),
                       j.cbbitparada.texto()},
            .resolucao = resolucaoDoTexto(j.cmbResolucao.texto()).value_or(kResolucaoModelos)};
}

}  // namespace etiquetas
