// The order grids: row marks and their emphasis, the sequence check of the
// price grid, the box count of the volume grid, and the selection commands.

#include <climits>

#include "app/Aplicacao.h"
#include "app/ColunasGrades.h"
#include "app/EdicaoGrade.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "render/FamiliasEtiqueta.h"
#include "render/ParametrosImpressao.h"

namespace etiquetas {

namespace {

constexpr int kColunaSeqInicial = coluna(CampoPreco::SequenciaInicial);
constexpr int kColunaSeqFinal = coluna(CampoPreco::SequenciaFinal);
constexpr int kColunaSeqInicialArquivo = coluna(CampoPreco::SequenciaInicialOriginal);
constexpr int kColunaSeqFinalArquivo = coluna(CampoPreco::SequenciaFinalOriginal);
constexpr int kColunaCaixas = coluna(CampoVolume::Caixas);
constexpr long long kMaiorQuantidadeCaixas = 32767;
constexpr int kFonteNormal = 8;
constexpr int kFonteDestaque = 9;
constexpr long long kEtiquetasContadasPelaFamilia = 20000;
constexpr int kVarianteIlpn = 3;  // "Etiqueta ILPN"

std::optional<int> inteiro32(const std::string& texto) {
    const auto n = valorInteiro(texto);
    if (!n || *n < INT_MIN || *n > INT_MAX) return std::nullopt;
    return static_cast<int>(*n);
}

}  // namespace

void Aplicacao::ligarReacoesGrades() {
    auto& j = janela_;
    j.sprPedidos.caixaClicada.conectar([this](int l) { inverterDestaque(janela_.sprPedidos, l); });
    j.vaVolume.caixaClicada.conectar([this](int l) { inverterDestaque(janela_.vaVolume, l); });
    j.sprPedidos.celulaEditada.conectar(
        [this](int l, int c) { conferirSequencia(janela_.sprPedidos, l, c, plataforma_); });
    j.vaVolume.celulaEditada.conectar([this](int l, int c) {
        conferirCaixas(janela_.vaVolume, l, c, plataforma_, volumesPorCaixa(l));
    });
}

std::optional<long long> Aplicacao::volumesPorCaixa(int linha) const {
    const auto& j = janela_;
    const bool ilpn = varianteDoTexto(j.frmTipo.visivel(), j.cbvTipoEtiq.texto()) == kVarianteIlpn;
    if (!ilpn || linha < 1 || linha > static_cast<int>(volumesDoArquivo_.size()))
        return std::nullopt;
    return volumesDoArquivo_[static_cast<std::size_t>(linha - 1)];
}

// The emphasis follows the box because both start unmarked and normal.
void Aplicacao::inverterDestaque(Grade& grade, int linha) {
    const bool negrito = !grade.negrito(linha);
    grade.definirNegrito(linha, negrito);
    grade.definirTamanhoFonte(linha, negrito ? kFonteDestaque : kFonteNormal);
}

std::unique_ptr<Grade> gradeDoArquivo(ArquivoAberto& arquivo, Pessoa& pessoa) {
    const bool preco = arquivo.tipoArquivo == kArquivoPreco;
    auto grade = preco ? std::make_unique<Grade>("sprPedidos", colunasPedidosPreco())
                       : std::make_unique<Grade>("vaVolume", colunasVolume());
    grade->substituirConteudo(arquivo.carga.linhas, std::move(arquivo.carga.celulas));
    Grade* g = grade.get();
    g->celulaEditada.conectar([g, preco, &pessoa](int l, int c) {
        preco ? conferirSequencia(*g, l, c, pessoa) : conferirCaixas(*g, l, c, pessoa);
    });
    return grade;
}

std::optional<PedidosAbertos> abrirPedidos(ServicoImpressao& servico, Pessoa& pessoa,
                                           const std::filesystem::path& caminho) {
    PedidosAbertos pedidos{servico.abrir(caminho), nullptr};
    if (!pedidos.arquivo.aberto()) return std::nullopt;
    pedidos.grade = gradeDoArquivo(pedidos.arquivo, pessoa);
    if (pedidos.arquivo.carga.pedidoVersaoRecusada) servico.encerrarPorVersao();
    return pedidos;
}

PedidoImpressao pedidoImpressao(const PastasAplicacao& pastas, const PedidosAbertos* pedidos,
                                const ImpressoraEscolhida& impressora, bool separador,
                                const std::string& textoTipo, bool layoutDoArquivo) {
    PedidoImpressao p;
    bool listaVisivel = false, layoutNovo = false;
    std::string origem;
    if (pedidos) {
        const ResultadoCarga& carga = pedidos->arquivo.carga;
        p.tipoArquivo = pedidos->arquivo.tipoArquivo;
        p.tipoEtiqueta = carga.TipoEtiquetaPedido.value_or(0);
        p.linhas = pedidos->grade.get();
        p.arquivoPedidos = pedidos->arquivo.caminho;
        p.documento = pedidos->arquivo.documento;
        listaVisivel = listaTipoVisivel(carga.seletor);
        layoutNovo = layoutDoArquivo && carga.LayoutNovoArquivo.value_or(false);
        origem = carga.OrigemSolicitacao.value_or("");
    }
    p.impressora = impressora;
    p.parametros = resolverParametros(pastas, impressora, separador, listaVisivel, textoTipo,
                                      layoutNovo, origem);
    return p;
}

void conferirSequencia(Grade& g, int linha, int coluna, Pessoa& pessoa) {
    if (coluna != kColunaSeqInicial && coluna != kColunaSeqFinal) return;
    const auto inicialArquivo = inteiro32(g.texto(linha, kColunaSeqInicialArquivo));
    const auto finalArquivo = inteiro32(g.texto(linha, kColunaSeqFinalArquivo));
    // Every refusal names the range the file allows for the row.
    const std::string faixa = inicialArquivo && finalArquivo
                                  ? " Informe de " + std::to_string(*inicialArquivo) + " a " +
                                        std::to_string(*finalArquivo) + "."
                                  : std::string();
    const auto mensagem = [&](const char* texto) {
        pessoa.mensagem(texto + faixa, {}, Icone::Nenhum, Botoes::Ok);
        g.edicaoRecusada.emitir(linha, coluna);
    };
    const auto recusar = [&](const char* texto) {
        mensagem(texto);
        g.definirTexto(linha, coluna, g.textoAntesDaEdicao());
    };
    if (!inteiro32(g.texto(linha, coluna)))
        return recusar("Sequencia precisa ser um número inteiro!");
    const auto inicial = inteiro32(g.texto(linha, kColunaSeqInicial));
    const auto final_ = inteiro32(g.texto(linha, kColunaSeqFinal));
    if (!inicialArquivo || !finalArquivo || !inicial || !final_)
        return recusar("Sequencia indicada no arquivo de impressão não é um número inteiro!");
    const auto restaurar = [&](int col, int colArquivo) {
        g.definirTexto(linha, col, g.texto(linha, colArquivo));
    };
    if (*inicial < *inicialArquivo) {
        mensagem(
            "Sequencia inicial precisa ser maior ou igual que a indicada no arquivo de "
            "impressão!");
        restaurar(kColunaSeqInicial, kColunaSeqInicialArquivo);
    } else if (*final_ > *finalArquivo) {
        mensagem(
            "Sequencia final precisa ser menor ou igual que a indicada no arquivo de "
            "impressão!");
        restaurar(kColunaSeqFinal, kColunaSeqFinalArquivo);
    } else if (*inicial > *final_) {
        mensagem("Sequencia inicial precisa ser menor ou igual que sequencia final!");
        restaurar(kColunaSeqInicial, kColunaSeqInicialArquivo);
        restaurar(kColunaSeqFinal, kColunaSeqFinalArquivo);
    }
}

// A box count is a label count: anything but a whole number from 0 to 32767
// would reach the printer as a run that fails or prints nothing. Where each
// box takes one of the row's volumes, the file's volumes are the most.
void conferirCaixas(Grade& g, int linha, int coluna, Pessoa& pessoa,
                    std::optional<long long> volumes) {
    if (coluna != kColunaCaixas) return;
    const long long maximo = volumes.value_or(kMaiorQuantidadeCaixas);
    const auto caixas = valorInteiro(g.texto(linha, coluna));
    if (!caixas || *caixas < 0 || *caixas > maximo) {
        std::string texto =
            "Qtd. de Caixas precisa ser um número inteiro de 0 a " + std::to_string(maximo) + "!";
        if (volumes)
            texto += " A linha " + std::to_string(linha) + " tem " + std::to_string(*volumes) +
                     (*volumes == 1 ? " volume" : " volumes") + " no arquivo de pedidos.";
        pessoa.mensagem(texto, {}, Icone::Nenhum, Botoes::Ok);
        g.definirTexto(linha, coluna, g.textoAntesDaEdicao());
        g.edicaoRecusada.emitir(linha, coluna);
        return;
    }
    // As the file's own counts show: "00000003" beside "1" reads as another kind of value.
    g.definirTexto(linha, coluna, std::to_string(*caixas));
}

void marcarTodas(Grade& grade, bool marcar, bool mudarFonte) {
    grade.suspenderAvisos();
    for (int l = 1; l <= grade.linhas(); ++l) {
        grade.definirTexto(l, coluna(CampoPreco::Marcada), marcar ? "1" : "0");
        grade.definirNegrito(l, marcar);
        if (mudarFonte) grade.definirTamanhoFonte(l, kFonteNormal);
    }
    grade.retomarAvisos();
}

// The grid of the other kind may still hold an earlier file's rows: either
// grid having two rows is enough, as the window always did.
void Aplicacao::cmdSelTodos() {
    if (janela_.vaVolume.linhas() < 2 && janela_.sprPedidos.linhas() < 2) return;
    if (auto* g = janela_.gradeDoArquivo()) marcarTodas(*g, true, false);
}

void Aplicacao::cmdDesmarcaTodos() {
    if (janela_.vaVolume.linhas() < 2 && janela_.sprPedidos.linhas() < 2) return;
    if (auto* g = janela_.gradeDoArquivo()) marcarTodas(*g, false, true);
}

void Aplicacao::SelecionarTodasLinhas() {
    if (auto* g = janela_.gradeDoArquivo()) marcarTodas(*g, true, false);
}

void Aplicacao::atualizarEtiquetasMarcadas() {
    auto& j = janela_;
    if (j.tipoArquivo() != kArquivoPreco || totalDoArquivo_.empty() || comandoEmCurso_) return;
    if (!algumaLinhaMarcada()) return j.lblTotalEtiquetas.definirLegenda(totalDoArquivo_);
    const PedidoImpressao p = pedidoDaJanela(j.LayoutNovoArquivo);
    // Counted as the file's total is, in range numbers; what the family adds
    // past them (the second tag of a pair that closes an odd range, the
    // separators) is said beside. Rendering a large selection at every tick
    // would stall the window: past this many labels only the ranges count.
    const long long pedidas = etiquetasPedidas(p);
    const long long sairao = pedidas > kEtiquetasContadasPelaFamilia
                                 ? pedidas
                                 : servico_.etiquetasQueSairao(
                                       familiaEtiqueta(p.tipoEtiqueta, p.parametros.variante), p);
    const auto digitos = totalDoArquivo_.find_first_not_of('0');
    std::string legenda = std::to_string(pedidas) + " de " +
                          (digitos == std::string::npos ? "0" : totalDoArquivo_.substr(digitos));
    if (sairao > pedidas) legenda += " (+" + std::to_string(sairao - pedidas) + " além das faixas)";
    j.lblTotalEtiquetas.definirLegenda(legenda);
}

void Aplicacao::cmdAtualizaQtd() {
    auto& g = janela_.sprPedidos;
    janela_.StatusBar1.definirTexto("Aguarde o atualizando a Qtd...");
    g.suspenderAvisos();
    for (int l = 1; l <= g.linhas(); ++l) {
        g.definirTexto(l, kColunaSeqInicial, g.texto(l, kColunaSeqInicialArquivo));
        g.definirTexto(l, kColunaSeqFinal, g.texto(l, kColunaSeqFinalArquivo));
    }
    g.retomarAvisos();
    janela_.StatusBar1.definirTexto("Fim da Atualização da Qtd. de Peças.");
}

}  // namespace etiquetas
