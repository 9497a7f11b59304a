// The window's print, preview, export, test print and font commands: each
// builds a request from the controls and hands it to the printing service,
// on the worker when the window lives.

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
    cancelarAbertura();
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
