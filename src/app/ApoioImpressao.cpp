// The window around a run: the boxes a run on the worker asks for, and what
// the window locks, shows and points at while the run goes on.

#include "app/ApoioImpressao.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <utility>

#include "app/VerificacaoAntes.h"

namespace etiquetas {

namespace {

// Runs `pergunta` on the window's thread and brings back its answer, or what
// it threw.
template <typename F>
auto naVistaEAguardar(Plataforma& p, F pergunta) {
    decltype(pergunta()) resposta{};
    std::exception_ptr erro;
    p.naVista(
        [&] {
            try {
                resposta = pergunta();
            } catch (...) {
                erro = std::current_exception();
            }
        },
        true);
    if (erro) std::rethrow_exception(erro);
    return resposta;
}

}  // namespace

Resposta PessoaNaVista::mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                                 Botoes botoes) {
    return naVistaEAguardar(p_, [&] { return p_.mensagem(texto, titulo, icone, botoes); });
}

int PessoaNaVista::escolher(const std::string& texto, const std::string& titulo, Icone icone,
                            const std::vector<std::string>& botoes, int padrao) {
    return naVistaEAguardar(p_, [&] { return p_.escolher(texto, titulo, icone, botoes, padrao); });
}

std::filesystem::path PessoaNaVista::escolherArquivo(const std::string& titulo,
                                                     const std::string& filtro,
                                                     const std::string& pasta) {
    return naVistaEAguardar(p_, [&] { return p_.escolherArquivo(titulo, filtro, pasta); });
}

void PessoaNaVista::encerrarAplicacao() {
    p_.encerrarAplicacao();
    std::terminate();  // the seam's ending does not come back
}

void PessoaNaVista::cursorOcupado(bool ocupado) {
    p_.naVista([this, ocupado] { p_.cursorOcupado(ocupado); }, false);
}

AcompanhamentoJanela::AcompanhamentoJanela(JanelaPrincipal& j, Plataforma& p, bool& emImpressao,
                                           std::stop_token parada, std::shared_ptr<const bool> vivo)
    : j_(j), p_(p), emImpressao_(emImpressao), parada_(std::move(parada)), vivo_(std::move(vivo)) {}

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
            &j.cmdEstadoImpressora,
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

void AcompanhamentoJanela::naJanela(std::function<void()> tarefa, bool aguardar) {
    p_.naVista(
        [vivo = vivo_, tarefa = std::move(tarefa)] {
            if (*vivo) tarefa();
        },
        aguardar);
}

// The run waits for the lock, so that nothing is sent while the window
// still takes a click.
void AcompanhamentoJanela::iniciarExecucao() {
    naJanela([this] { travar(); }, true);
}

void AcompanhamentoJanela::terminarExecucao() {
    naJanela([this] { destravar(); }, true);
}

void AcompanhamentoJanela::travar() {
    legendaBarra_ = j_.frameBarra.legenda();
    estados_.clear();
    for (Controle* c : controlesTravados()) {
        estados_.push_back(c->habilitado());
        c->definirHabilitado(false);
    }
    j_.cmdCancelar.definirHabilitado(true);
    j_.cmdCancelar.definirVisivel(true);
    emImpressao_ = true;
}

void AcompanhamentoJanela::destravar() {
    if (!emImpressao_) return;
    aplicarPendentes();
    emImpressao_ = false;
    p_.cursorOcupado(false);
    const auto controles = controlesTravados();
    for (std::size_t i = 0; i < controles.size() && i < estados_.size(); ++i)
        controles[i]->definirHabilitado(estados_[i]);
    j_.cmdCancelar.definirVisivel(false);
    j_.frameBarra.definirVisivel(false);
    j_.frameBarra.definirLegenda(legendaBarra_);
    j_.ProgressBar1.definirTexto({});
    // Where the work goes on, not "Sair", where Space would end the session.
    if (const Grade* g = j_.gradeDoArquivo()) j_.focar(g->nome());
}

void AcompanhamentoJanela::mostrarProgresso(long long pedidas) {
    naJanela(
        [this, pedidas] {
            totalEtiquetas_ = pedidas;
            j_.ProgressBar1.definirFaixa(0,
                                         static_cast<int>(std::min<long long>(pedidas, INT32_MAX)));
            mostrarEnviadas(0);
            j_.frameBarra.definirVisivel(true);
        },
        false);
}

// The bar's own text is drawn, not published: the frame's caption says the
// same for a screen reader.
void AcompanhamentoJanela::mostrarEnviadas(long long enviadas) {
    const std::string contagem =
        std::to_string(enviadas) + " de " + std::to_string(totalEtiquetas_) + " etiquetas";
    j_.ProgressBar1.definirValor(static_cast<int>(std::min<long long>(enviadas, INT32_MAX)));
    j_.ProgressBar1.definirTexto(contagem);
    j_.frameBarra.definirLegenda("Etiquetas enviadas à impressora: " + contagem);
}

void AcompanhamentoJanela::apontar(Campo campo) {
    naJanela(
        [this, campo] {
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
        },
        false);
}

// Enter prints past warnings only; past an error it takes a deliberate click.
bool AcompanhamentoJanela::prosseguirApesarDe(const ResultadoVerificacao& r) {
    constexpr std::size_t kLinhasMostradas = 12;
    const int escolha = PessoaNaVista(p_).escolher(
        textoVerificacao(r, kLinhasMostradas), "Verificação das Etiquetas",
        r.erros > 0 ? Icone::Critico : Icone::Exclamacao,
        {"&Imprimir mesmo assim", "&Visualizar", "&Cancelar"}, r.erros > 0 ? 2 : 0);
    if (escolha == 1) previaPedida_ = true;
    return escolha == 0;
}

void AcompanhamentoJanela::mostrarDetalhePorta(const std::string& texto) {
    pendurar([&texto](Pendente& p) { p.detalhePorta = texto; });
}

void AcompanhamentoJanela::mostrarEstadoImpressora(const std::string& texto) {
    naJanela([&j = j_, texto] { j.lblEstadoImpressora.definirLegenda(texto); }, false);
}

void AcompanhamentoJanela::mostrarStatus(const std::string& texto) {
    pendurar([&texto](Pendente& p) { p.status = texto; });
}

void AcompanhamentoJanela::etiquetasEnviadas(long long n) {
    pendurar([n](Pendente& p) { p.enviadas = n; });
}

void AcompanhamentoJanela::imprimindoLinha(int linha) {
    pendurar([linha](Pendente& p) { p.linha = linha; });
}

void AcompanhamentoJanela::pendurar(const std::function<void(Pendente&)>& mudanca) {
    bool enviar = false;
    {
        std::lock_guard trava(mutex_);
        mudanca(pendente_);
        enviar = !pendente_.aCaminho;
        pendente_.aCaminho = true;
    }
    if (enviar) naJanela([this] { aplicarPendentes(); }, false);
}

void AcompanhamentoJanela::aplicarPendentes() {
    Pendente p;
    {
        std::lock_guard trava(mutex_);
        p = std::exchange(pendente_, Pendente{});
    }
    if (p.detalhePorta) j_.lblDetalhePortaCom.definirLegenda(*p.detalhePorta);
    if (p.status) j_.StatusBar1.definirTexto(*p.status);
    if (p.enviadas) mostrarEnviadas(*p.enviadas);
    if (Grade* g = j_.gradeDoArquivo(); p.linha && g) g->linhaEmImpressao.emitir(*p.linha);
}

}  // namespace etiquetas
