// The window's print, preview, export, test print and font commands: each
// builds a request from the controls and hands it to the printing service,
// on the worker when the window lives.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <exception>
#include <utility>

#include "app/Aplicacao.h"
#include "app/ApoioImpressao.h"
#include "app/EdicaoGrade.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "resolucao/Escala.h"

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

// Ticked rows a filter hides print too: said before the print's question,
// so that nothing goes out unseen.
bool imprimirForaDoFiltro(Plataforma& p, const std::function<int()>& marcadasForaDoFiltro) {
    const int fora = marcadasForaDoFiltro ? marcadasForaDoFiltro() : 0;
    if (fora == 0) return true;
    const std::string texto =
        fora == 1 ? "Há 1 linha marcada fora do filtro: ela também será impressa."
                  : "Há " + std::to_string(fora) +
                        " linhas marcadas fora do filtro: elas também serão impressas.";
    return p.mensagem(texto + "\nDeseja continuar?", "Impressão de Etiquetas", Icone::Pergunta,
                      Botoes::SimNao) == Resposta::Sim;
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
    p.perguntarRepeticoes = true;
    p.reimpressao = reimpressaoMarcada_;
    return p;
}

std::shared_ptr<AcompanhamentoJanela> Aplicacao::acompanhamento(std::stop_token parada) {
    return std::make_shared<AcompanhamentoJanela>(janela_, plataforma_, emImpressao_,
                                                  std::move(parada), vivo_);
}

void Aplicacao::executarNoTrabalhador(const std::function<Execucao()>& preparo,
                                      std::function<void(DesfechoImpressao)> depois) {
    if (comandoEmCurso_) return;
    Execucao execucao;
    try {
        execucao = preparo();
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
        ultimaImpressao_ = DesfechoImpressao::Falhou;
        if (depois) depois(ultimaImpressao_);
        return;
    }
    comandoEmCurso_ = true;
    trabalhador_.executar(
        [this, execucao = std::move(execucao), depois = std::move(depois)](std::stop_token parada) {
            const auto a = acompanhamento(std::move(parada));
            DesfechoImpressao desfecho = DesfechoImpressao::Falhou;
            std::exception_ptr encerrada;
            try {
                desfecho = execucao(*a);
            } catch (const AplicacaoEncerrada&) {
                encerrada = std::current_exception();
            } catch (const std::exception& e) {
                pessoaServico_.mensagem(e.what(), "Erro !", Icone::Critico, Botoes::Ok);
            } catch (...) {
                pessoaServico_.mensagem("Erro inesperado na impressão.", "Erro !", Icone::Critico,
                                        Botoes::Ok);
            }
            plataforma_.naVista(
                [this, vivo = vivo_, a, desfecho, depois] {
                    if (*vivo) terminarComando(*a, desfecho, depois);
                },
                false);
            // Only a front without a live view runs this on the caller's thread.
            if (encerrada && !plataforma_.vistaViva()) std::rethrow_exception(encerrada);
        });
}

// On the window's thread, after everything the run sent before.
void Aplicacao::terminarComando(AcompanhamentoJanela& a, DesfechoImpressao desfecho,
                                const std::function<void(DesfechoImpressao)>& depois) {
    a.terminarExecucao();  // given back even if the run never got to it
    comandoEmCurso_ = false;
    ultimaImpressao_ = desfecho;
    if (desfecho == DesfechoImpressao::Impressa) marcasPendentes_ = false;
    if (depois) depois(desfecho);
    statusDoFim_ = janela_.StatusBar1.texto();
    if (a.previaPedida()) cmdVisualizar();
    if (fecharAoTerminar_ && fecharJanela) fecharJanela();
}

void Aplicacao::cmdImprimir() {
    executarNoTrabalhador(
        [this]() -> Execucao {
            if (!imprimirForaDoFiltro(plataforma_, marcadasForaDoFiltro))
                return [](Acompanhamento&) { return DesfechoImpressao::Recusada; };
            montavelocidadetemperatura();
            return [this, pedido = pedidoDaJanela(janela_.LayoutNovoArquivo)](Acompanhamento& a) {
                return servico_.imprimir(pedido, a);
            };
        },
        [this](DesfechoImpressao desfecho) {
            // Refused before any label: nothing to resume from.
            if (desfecho != DesfechoImpressao::Recusada) aplicarRetomada();
            if (desfecho == DesfechoImpressao::Impressa) reimpressaoMarcada_ = false;
        });
}

// The rows that went out whole are unticked and the row the run stopped in
// starts at its next sequence, so that "Imprimir" again goes on from there.
void Aplicacao::aplicarRetomada() {
    const auto& retomada = servico_.retomada();
    Grade* g = janela_.gradeDoArquivo();
    if (!retomada || !g) return;
    for (int l : retomada->concluidas) {
        g->definirTexto(l, coluna(CampoPreco::Marcada), "0");
        g->definirNegrito(l, false);
    }
    if (retomada->proximaSequencia && g == &janela_.sprPedidos)
        g->definirTexto(retomada->linha, coluna(CampoPreco::SequenciaInicial),
                        std::to_string(*retomada->proximaSequencia));
}

bool Aplicacao::VisualizarEtiquetas(SaidaTrabalhos& destino) {
    montavelocidadetemperatura();
    return servico_.visualizar(pedidoDaJanela(janela_.LayoutNovoArquivo), *acompanhamento(),
                               destino);
}

void Aplicacao::cmdVisualizar() {
#ifndef ETIQUETAS_PREVIA
    // A Windows build without the window has none of the readers it pages.
    return;
#else
    try {
        PaginasPrevia paginas(pontosPorMilimetro(impressoraDaJanela().resolucao));
        paginas.definirVolume(janela_.tipoArquivo() == kArquivoVolume);
        if (!VisualizarEtiquetas(paginas)) return;
        paginas.terminar();
        if (const auto r =
                servico_.verificar(pedidoDaJanela(janela_.LayoutNovoArquivo), *acompanhamento())) {
            std::vector<std::string> achados;
            for (const auto& a : r->achados) achados.push_back(linhaAchado(a));
            paginas.acrescentarAvisos(std::move(achados));
        }
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
    executarNoTrabalhador([this]() -> Execucao {
        return [this, pedido = pedidoDaJanela(janela_.LayoutNovoArquivo)](Acompanhamento& a) {
            return servico_.exportarTxt(pedido, a).arquivo ? DesfechoImpressao::Impressa
                                                           : DesfechoImpressao::NadaImpresso;
        };
    });
}

std::optional<std::filesystem::path> Aplicacao::GerarArquivoTxt() {
    return servico_.exportarTxt(pedidoDaJanela(janela_.LayoutNovoArquivo), *acompanhamento())
        .arquivo;
}

bool Aplicacao::VerificarPedidoSelecionado() {
    return servico_.conferirSelecao(pedidoDaJanela(janela_.LayoutNovoArquivo), *acompanhamento());
}

void Aplicacao::imprimirTeste(int opcao) {
    if (opcao < 1 || opcao > 4) return;
    executarNoTrabalhador(
        [this, opcao]() -> Execucao {
            // The test file gets a grid of its own: the worker's file, its
            // ticks and edited cells stay as they were, whatever the answer.
            // A test file that cannot be opened is said, and nothing printed:
            // never the worker's rows in its place.
            auto teste = std::make_shared<std::optional<PedidosAbertos>>(
                abrirPedidos(servico_, plataforma_, servico_.arquivoTeste(opcao)));
            if (!*teste) return [](Acompanhamento&) { return DesfechoImpressao::Recusada; };
            marcarTodas(*(*teste)->grade, true, false);
            montavelocidadetemperatura();
            // Test pages use the classic layouts and templates.
            const auto& j = janela_;
            PedidoImpressao pedido =
                pedidoImpressao(pastas(), &**teste, impressoraDaJanela(),
                                j.ckbMaterialForn.marcada(), j.cbvTipoEtiq.texto(), false);
            return [this, teste, pedido = std::move(pedido)](Acompanhamento& a) {
                return servico_.imprimirTeste(pedido, a);
            };
        },
        [this](DesfechoImpressao) {
            // An option is a command here: unmarked, the same page can be printed again.
            auto& j = janela_;
            for (Opcao* o : {&j.Option1, &j.Option2, &j.Option3, &j.Option4})
                o->definirMarcada(false);
        });
}

void Aplicacao::CmZebra() {
    const std::string legendaAntes = janela_.LblZebra.legenda();
    executarNoTrabalhador(
        [this]() -> Execucao {
            janela_.LblZebra.definirLegenda(" ");
            janela_.LblZebra.definirLegenda("Aguarde o carregamento da Fonte...");
            return [this, pedido = pedidoDaJanela(janela_.LayoutNovoArquivo)](Acompanhamento& a) {
                return servico_.carregarFonte(pedido, a);
            };
        },
        [this, legendaAntes](DesfechoImpressao desfecho) {
            auto& j = janela_;
            if (desfecho != DesfechoImpressao::Impressa) {
                // The label must not claim a load that did not happen.
                j.LblZebra.definirLegenda(legendaAntes);
                return;
            }
            // The button stays: a printer switched off forgets the font.
            j.LblZebra.definirLegenda("Fonte Carregada.");
        });
}

void Aplicacao::cmdCancelar() {
    if (emImpressao_) trabalhador_.cancelar();
}

bool Aplicacao::podeFechar() {
    if (!comandoEmCurso_ && !emImpressao_) return true;
    if (emImpressao_ &&
        mensagem("Há uma impressão em andamento. Deseja interrompê-la e sair?",
                 "Impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return false;
    trabalhador_.cancelar();
    fecharAoTerminar_ = true;
    return false;  // the window closes when the run has stopped
}

}  // namespace etiquetas
