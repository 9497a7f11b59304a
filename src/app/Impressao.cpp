// The window's print, preview, export, test print and font commands: each
// builds a request from the controls and hands it to the printing service.

#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/Aplicacao.h"
#include "app/ApoioImpressao.h"
#include "comum/Texto.h"

namespace etiquetas {

AcompanhamentoJanela::AcompanhamentoJanela(JanelaPrincipal& j, Plataforma& p, bool& emImpressao,
                                           bool& cancelar,
                                           std::function<bool()> cancelamentoExterno)
    : j_(j),
      p_(p),
      emImpressao_(emImpressao),
      cancelar_(cancelar),
      cancelamentoExterno_(std::move(cancelamentoExterno)) {}

std::vector<Controle*> AcompanhamentoJanela::controlesTravados() {
    auto& j = j_;
    return {&j.fraArquivo,
            &j.cmdLocalizar,
            &j.fraPedidos,
            &j.cmdSelTodos,
            &j.cmdDesmarcaTodos,
            &j.cmdAtualizaQtd,
            &j.ckbMaterialForn,
            &j.fraImpressoras,
            &j.cmbImpressora,
            &j.cmbModelo,
            &j.cmdVelocidade,
            &j.txtvelocidade,
            &j.cmdTemperatura,
            &j.txtTemperatura,
            &j.optLocal,
            &j.optRede,
            &j.cmbCaminhoImpressora,
            &j.txtCaminhoImpressora,
            &j.cbvelocidade,
            &j.cbparidade,
            &j.cbbitdados,
            &j.cbbitparada,
            &j.CmZebra,
            &j.frmTipo,
            &j.cbvTipoEtiq,
            &j.fraTeste,
            &j.Option1,
            &j.Option2,
            &j.Option3,
            &j.Option4,
            &j.cmdConfiguracao,
            &j.cmdGerarTxt,
            &j.cmdVisualizar,
            &j.cmdImprimir,
            &j.cmdSair};
}

// A stop asked before the run does not carry into it.
void AcompanhamentoJanela::iniciarExecucao() {
    legendaBarra_ = j_.frameBarra.legenda();
    estados_.clear();
    for (Controle* c : controlesTravados()) {
        estados_.push_back(c->habilitado());
        c->definirHabilitado(false);
    }
    j_.cmdCancelar.definirHabilitado(true);
    j_.cmdCancelar.definirVisivel(true);
    cancelar_ = false;
    emImpressao_ = true;
}

void AcompanhamentoJanela::terminarExecucao() {
    emImpressao_ = false;
    p_.cursorOcupado(false);
    const auto controles = controlesTravados();
    for (std::size_t i = 0; i < controles.size() && i < estados_.size(); ++i)
        controles[i]->definirHabilitado(estados_[i]);
    j_.cmdCancelar.definirVisivel(false);
    j_.frameBarra.definirVisivel(false);
    j_.frameBarra.definirLegenda(legendaBarra_);
}

void AcompanhamentoJanela::mostrarProgresso(long long pedidas) {
    j_.frameBarra.definirLegenda("Etiquetas enviadas à impressora...");
    j_.ProgressBar1.definirFaixa(0, static_cast<int>(std::min<long long>(pedidas, INT32_MAX)));
    j_.ProgressBar1.definirValor(0);
    j_.frameBarra.definirVisivel(true);
}

void AcompanhamentoJanela::apontar(Campo campo) {
    switch (campo) {
        case Campo::CaminhoRede:
            return j_.focar(j_.txtCaminhoImpressora.nome);
        case Campo::TipoEtiqueta:
            return j_.focar(j_.cbvTipoEtiq.nome);
        case Campo::Linhas:
            if (const Grade* g = j_.gradeDoArquivo()) j_.focar(g->nome());
            j_.cmdSair.definirHabilitado(true);
            j_.cmdImprimir.definirHabilitado(true);
            return;
    }
}

void AcompanhamentoJanela::mostrarDetalhePorta(const std::string& texto) {
    j_.lblDetalhePortaCom.definirLegenda(texto);
}

void AcompanhamentoJanela::mostrarStatus(const std::string& texto) {
    j_.StatusBar1.definirTexto(texto);
}

void AcompanhamentoJanela::processarEventos() {
    p_.processarEventos();
}

void AcompanhamentoJanela::etiquetasEnviadas(long long n) {
    j_.ProgressBar1.definirValor(static_cast<int>(std::min<long long>(n, INT32_MAX)));
    p_.processarEventos();
}

bool AcompanhamentoJanela::cancelado() const {
    return cancelar_ || (cancelamentoExterno_ && cancelamentoExterno_());
}

PedidoImpressao Aplicacao::pedidoDaJanela(bool layoutNovo) const {
    const auto& j = janela_;
    PedidoImpressao p;
    p.tipoArquivo = j.tipoArquivo();
    p.tipoEtiqueta = j.TipoEtiquetaPedido;
    if (p.tipoArquivo == kArquivoPreco) p.linhas = &j.sprPedidos;
    if (p.tipoArquivo == kArquivoVolume) p.linhas = &j.vaVolume;
    p.arquivoPedidos = j.CaminhoArquivoPedidos;
    p.documento = j.DocumentoPedidos;
    p.impressora = impressoraDaJanela();
    p.parametros =
        resolverParametros(pastas(), p.impressora, j.ckbMaterialForn.marcada(), j.frmTipo.visivel(),
                           j.cbvTipoEtiq.texto(), layoutNovo, j.OrigemSolicitacao);
    return p;
}

DesfechoImpressao Aplicacao::protegido(const std::function<DesfechoImpressao()>& comando) {
    DesfechoImpressao desfecho = DesfechoImpressao::Falhou;
    try {
        desfecho = comando();
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
    }
    if (fecharAoTerminar_ && fecharJanela) fecharJanela();
    return desfecho;
}

void Aplicacao::cmdImprimir() {
    ultimaImpressao_ = protegido([this] {
        montavelocidadetemperatura();
        AcompanhamentoJanela a(janela_, plataforma_, emImpressao_, cancelar_, cancelamentoExterno);
        return servico_.imprimir(pedidoDaJanela(janela_.LayoutNovoArquivo), a);
    });
}

bool Aplicacao::VisualizarEtiquetas(SaidaTrabalhos& destino) {
    montavelocidadetemperatura();
    AcompanhamentoJanela a(janela_, plataforma_, emImpressao_, cancelar_, {});
    return servico_.visualizar(pedidoDaJanela(janela_.LayoutNovoArquivo), a, destino);
}

void Aplicacao::cmdVisualizar() {
#ifdef _WIN32
    // The Windows build has neither the window nor the readers it pages.
    return;
#else
    try {
        PaginasPrevia paginas;
        if (!VisualizarEtiquetas(paginas)) return;
        paginas.terminar();
        if (paginas.total() == 0) {
            mensagem("Nenhuma etiqueta seria impressa.", "Visualizar", Icone::Informacao);
            return;
        }
        if (mostrarPrevia) mostrarPrevia(paginas);
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
    }
#endif
}

void Aplicacao::cmdGerarTxt() {
    GerarArquivoTxt();
}

std::optional<std::filesystem::path> Aplicacao::GerarArquivoTxt() {
    AcompanhamentoJanela a(janela_, plataforma_, emImpressao_, cancelar_, {});
    return servico_.exportarTxt(pedidoDaJanela(janela_.LayoutNovoArquivo), a).arquivo;
}

bool Aplicacao::VerificarPedidoSelecionado() {
    AcompanhamentoJanela a(janela_, plataforma_, emImpressao_, cancelar_, {});
    return servico_.conferirSelecao(pedidoDaJanela(janela_.LayoutNovoArquivo), a);
}

void Aplicacao::imprimirTeste(int opcao) {
    if (opcao < 1 || opcao > 4) return;
    ultimaImpressao_ = protegido([this, opcao] { return imprimirPaginaTeste(opcao); });
    // An option is a command here: unmarked, the same page can be printed again.
    auto& j = janela_;
    for (Opcao* o : {&j.Option1, &j.Option2, &j.Option3, &j.Option4}) o->definirMarcada(false);
}

DesfechoImpressao Aplicacao::imprimirPaginaTeste(int opcao) {
    // A missing file is reported by the open chain; what was loaded stays.
    AbrirArquivoPedidos(servico_.arquivoTeste(opcao).string());
    SelecionarTodasLinhas();
    montavelocidadetemperatura();
    AcompanhamentoJanela a(janela_, plataforma_, emImpressao_, cancelar_, cancelamentoExterno);
    // Test pages use the classic layouts and templates.
    return servico_.imprimirTeste(pedidoDaJanela(false), a);
}

void Aplicacao::CmZebra() {
    ultimaImpressao_ = protegido([this] { return carregarFonteZebra(); });
}

DesfechoImpressao Aplicacao::carregarFonteZebra() {
    auto& j = janela_;
    const std::string legendaAntes = j.LblZebra.legenda();
    j.LblZebra.definirLegenda(" ");
    j.LblZebra.definirLegenda("Aguarde o carregamento da Fonte...");
    AcompanhamentoJanela a(janela_, plataforma_, emImpressao_, cancelar_, cancelamentoExterno);
    const DesfechoImpressao desfecho =
        servico_.carregarFonte(pedidoDaJanela(j.LayoutNovoArquivo), a);
    if (desfecho != DesfechoImpressao::Impressa) {
        // The label must not claim a load that did not happen.
        j.LblZebra.definirLegenda(legendaAntes);
        return desfecho;
    }
    j.CmZebra.definirVisivel(false);
    j.LblZebra.definirLegenda("Fonte Carregada.");
    return desfecho;
}

void Aplicacao::cmdCancelar() {
    if (emImpressao_) cancelar_ = true;
}

bool Aplicacao::podeFechar() {
    if (!emImpressao_) return true;
    if (mensagem("Há uma impressão em andamento. Deseja interrompê-la e sair?",
                 "impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return false;
    cancelar_ = true;
    fecharAoTerminar_ = true;
    return false;  // the window closes when the run has stopped
}

}  // namespace etiquetas
