// Opening an order file: the dialog, recognition, the whole-file check, the
// information block and the grid of the file's kind, and the version gate.

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>

#include "app/Aplicacao.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace etiquetas {

namespace {

constexpr const char* kDicaCaminho = "Para localizar o arquivo clique no Botão Localizar...";
constexpr int kPreto = 0;
constexpr int kVermelho = 255;
constexpr int kPassosBarra = 1000;
// A batch of rows reaches the window at least this often, or at this size.
constexpr auto kIntervaloLote = std::chrono::milliseconds(100);
constexpr int kLinhasPorLote = 2000;

}  // namespace

void Aplicacao::cmdLocalizar() {
    auto& j = janela_;
    plataforma_.cursorOcupado(true);
    plataforma_.processarEventos();
    const std::filesystem::path caminho = plataforma_.escolherArquivo(
        "Selecione um arquivo de etiquetas:", "Etiquetas Quelmonte (*.xml)|*.xml",
        pastaInicialDosPedidos());
    if (caminho.empty()) {
        // Cancelled: the grid still holds the loaded file, if any.
        j.lblCaminho.definirLegenda(caminhoMostrado());
        plataforma_.cursorOcupado(false);
        return;
    }
    lembrarPastaDosPedidos(caminho);
    if (!podeTrocarArquivo("Localizar")) {
        plataforma_.cursorOcupado(false);
        return;
    }
    j.lblCaminho.definirLegenda(textoDoCaminho(caminho));
    AbrirArquivoPedidos(caminho);
}

void Aplicacao::AbrirArquivoPedidos(const std::filesystem::path& caminho,
                                    std::function<void(bool)> depois) {
    auto& j = janela_;
    cancelarAbertura();
    plataforma_.processarEventos();
    Abertura& a = abertura_.emplace();
    a.id = ++aberturas_;
    a.caminho = caminho;
    a.statusAnterior = j.StatusBar1.texto();
    a.depois = std::move(depois);
    j.StatusBar1.definirTexto("Aguarde carregando o arquivo selecionado...");
    travarDuranteAbertura(a);
    // Only the progress bar moves while the window still shows the previous file.
    j.ProgressBar1.definirFaixa(0, kPassosBarra);
    j.ProgressBar1.definirValor(0);
    j.frameBarra.definirVisivel(true);
    trabalhador_.executar(
        [this, id = a.id, caminho, parada = a.parada.get_token()](std::stop_token fim) {
            lerArquivoNoTrabalhador(id, caminho, parada, fim);
        });
}

// What needs the whole file waits for it; Cancelar (and Escape) stop the read.
void Aplicacao::travarDuranteAbertura(Abertura& a) {
    auto& j = janela_;
    for (Controle* c : std::initializer_list<Controle*>{
             &j.cmdSelTodos, &j.cmdDesmarcaTodos, &j.cmdAtualizaQtd, &j.CmZebra, &j.fraTeste,
             &j.Option1, &j.Option2, &j.Option3, &j.Option4, &j.cmdGerarTxt, &j.cmdVisualizar,
             &j.cmdImprimir}) {
        a.travados.emplace_back(c, c->habilitado());
        c->definirHabilitado(false);
    }
    j.cmdCancelar.definirHabilitado(true);
    j.cmdCancelar.definirVisivel(true);
}

// On the worker: the rows go to the window in batches, so that a large file
// neither floods the window's queue nor waits for its end to show.
void Aplicacao::lerArquivoNoTrabalhador(unsigned id, const std::filesystem::path& caminho,
                                        std::stop_token parada, std::stop_token fim) {
    const auto naJanela = [this, id](std::function<void()> tarefa) {
        plataforma_.naVista(
            [this, id, vivo = vivo_, tarefa = std::move(tarefa)] {
                if (*vivo && abertura_ && abertura_->id == id) tarefa();
            },
            false);
    };
    auto lote = std::make_shared<LinhasLidas>();
    std::uintmax_t lidos = 0, tamanho = 0;
    auto enviado = std::chrono::steady_clock::now();
    bool primeiro = true;
    const auto enviar = [&] {
        if (lote->linhas == 0) return;
        naJanela(
            [this, lote, lidos, tamanho] { mostrarLinhasLidas(std::move(*lote), lidos, tamanho); });
        lote = std::make_shared<LinhasLidas>();
        enviado = std::chrono::steady_clock::now();
        primeiro = false;
    };
    AcompanhamentoLeitura leitura;
    leitura.interrompida = [&] { return parada.stop_requested() || fim.stop_requested(); };
    leitura.linhas = [&](LinhasLidas lidas) {
        if (lote->linhas == 0) return void(*lote = std::move(lidas));
        lote->linhas += lidas.linhas;
        lote->celulas.insert(lote->celulas.end(), std::make_move_iterator(lidas.celulas.begin()),
                             std::make_move_iterator(lidas.celulas.end()));
    };
    leitura.progresso = [&](std::uintmax_t l, std::uintmax_t t) {
        lidos = l;
        tamanho = t;
        if (primeiro || lote->linhas >= kLinhasPorLote ||
            std::chrono::steady_clock::now() - enviado >= kIntervaloLote)
            enviar();
    };
    std::optional<ArquivoAberto> arquivo;
    try {
        arquivo = servico_.abrirEmPartes(caminho, leitura);
    } catch (const std::exception& e) {
        pessoaServico_.mensagem(e.what(), "Erro !", Icone::Critico, Botoes::Ok);
        arquivo.emplace().caminho = caminho;  // refused
    }
    if (!arquivo) return;  // stopped: the window has already put its view back
    enviar();
    auto resultado = std::make_shared<ArquivoAberto>(std::move(*arquivo));
    naJanela([this, resultado] { concluirAbertura(std::move(*resultado)); });
}

void Aplicacao::mostrarLinhasLidas(LinhasLidas lidas, std::uintmax_t lidos,
                                   std::uintmax_t tamanho) {
    auto& j = janela_;
    Abertura& a = *abertura_;
    if (tamanho > 0) j.ProgressBar1.definirValor(static_cast<int>(lidos * kPassosBarra / tamanho));
    Grade& grade = lidas.tipoArquivo == kArquivoPreco ? j.sprPedidos : j.vaVolume;
    if (a.anterior) return grade.acrescentarLinhas(lidas.linhas, std::move(lidas.celulas));
    a.anterior = VistaAnterior{&grade, grade.retirarConteudo(), j.sprPedidos.visivel(),
                               j.vaVolume.visivel()};
    formatarColunas(grade);
    grade.substituirConteudo(lidas.linhas, std::move(lidas.celulas));
    // The rows the whole file will bring, told from those of the bytes read.
    if (lidos > 0)
        grade.reservarLinhas(static_cast<int>(std::min<std::uintmax_t>(
            lidas.linhas * (tamanho + tamanho / 8) / lidos, INT32_MAX / grade.colunas())));
    j.sprPedidos.definirVisivel(&grade == &j.sprPedidos);
    j.vaVolume.definirVisivel(&grade == &j.vaVolume);
}

void Aplicacao::concluirAbertura(ArquivoAberto arquivo) {
    auto& j = janela_;
    Abertura a = std::move(*abertura_);
    abertura_.reset();
    for (auto& [controle, habilitado] : a.travados) controle->definirHabilitado(habilitado);
    j.cmdCancelar.definirVisivel(false);
    const bool aberto = arquivo.aberto();
    if (!aberto) {
        if (a.anterior) devolverVista(std::move(*a.anterior));
        RejeitarArquivoPedidos(a.caminho, a.statusAnterior);
        plataforma_.cursorOcupado(false);
        if (a.depois) a.depois(false);
        return;
    }
    if (arquivo.legendaTipo) j.lblTipoArquivo.definirLegenda(*arquivo.legendaTipo);
    j.DocumentoPedidos = arquivo.documento;
    j.CaminhoArquivoPedidos = a.caminho;
    // Also for a file opened without the file dialog (a test print's).
    j.lblCaminho.definirLegenda(textoDoCaminho(a.caminho));
    const bool linhasNaGrade = arquivo.linhasEntregues && a.anterior.has_value();
    mostrarPassosDaCarga(arquivo);
    PreencherInfoArquivo(std::move(arquivo), linhasNaGrade);
    j.lblTipoArquivo.definirCor(kPreto);
    j.cmdImprimir.definirHabilitado(true);
    marcasPendentes_ = false;
    reimpressaoMarcada_ = false;
    plataforma_.cursorOcupado(false);
    if (a.depois) a.depois(true);
}

// The bar ends as the loaders count: orders, items and variants, or orders
// and stores.
void Aplicacao::mostrarPassosDaCarga(const ArquivoAberto& a) {
    auto& barra = janela_.ProgressBar1;
    const long maximo =
        a.pedidos + (a.tipoArquivo == kArquivoPreco ? a.itens + a.variantes : a.lojas);
    barra.definirFaixa(0, static_cast<int>(std::min<long>(maximo, INT32_MAX)));
    if (a.carga.passos > 0 && a.carga.passos <= maximo)
        barra.definirValor(static_cast<int>(a.carga.passos));
}

// The read goes on a moment on the worker; what it still sends is dropped.
void Aplicacao::cancelarAbertura() {
    if (!abertura_) return;
    auto& j = janela_;
    Abertura a = std::move(*abertura_);
    abertura_.reset();
    a.parada.request_stop();
    for (auto& [controle, habilitado] : a.travados) controle->definirHabilitado(habilitado);
    j.cmdCancelar.definirVisivel(false);
    if (a.anterior) devolverVista(std::move(*a.anterior));
    j.StatusBar1.definirTexto(a.statusAnterior);
    j.frameBarra.definirVisivel(false);
    j.lblCaminho.definirLegenda(caminhoMostrado());
    plataforma_.cursorOcupado(false);
}

// The file being read, or else the one loaded.
std::string Aplicacao::caminhoMostrado() const {
    if (abertura_) return textoDoCaminho(abertura_->caminho);
    return janela_.tipoArquivo() != 0 ? textoDoCaminho(janela_.CaminhoArquivoPedidos)
                                      : std::string(kDicaCaminho);
}

// A refused file's first rows go: the grid shows what it showed before.
void Aplicacao::devolverVista(VistaAnterior anterior) {
    auto& j = janela_;
    anterior.grade->devolverConteudo(std::move(anterior.conteudo));
    j.sprPedidos.definirVisivel(anterior.precosVisiveis);
    j.vaVolume.definirVisivel(anterior.volumesVisiveis);
}

// The file shown before stays loaded: the status bar goes back to what it
// said, and the path says which file the grid still holds.
void Aplicacao::RejeitarArquivoPedidos(const std::filesystem::path& caminho,
                                       const std::string& statusAnterior) {
    auto& j = janela_;
    j.StatusBar1.definirTexto(statusAnterior);
    j.frameBarra.definirVisivel(false);
    if (j.tipoArquivo() != 0 && !j.CaminhoArquivoPedidos.empty()) {
        // The caption keeps naming what the grid shows; the box said the rest.
        j.lblCaminho.definirLegenda(textoDoCaminho(caminho) + "   |   Arquivo carregado: " +
                                    textoDoCaminho(j.CaminhoArquivoPedidos));
        return;
    }
    j.lblTipoArquivo.definirCor(kVermelho);
    j.lblTipoArquivo.definirLegenda(
        "O Arquivo selecionado acima não é válido para impressão de Etiquetas Quelmonte !");
}

void Aplicacao::PreencherInfoArquivo(ArquivoAberto arquivo, bool linhasNaGrade) {
    auto& j = janela_;
    const InformacoesArquivo info = informacoesArquivo(arquivo);
    ResultadoCarga carga = std::move(arquivo.carga);
    j.cmdAtualizaQtd.definirVisivel(false);
    const short tipo = arquivo.tipoArquivo;
    j.lblTipoArquivo.definirTag(std::to_string(tipo));
    const auto mostrarTotais = [&] {
        j.lblTotalPedidos.definirLegenda(info.totalPedidos);
        j.lblTotalitens.definirLegenda(info.totalItens);
        j.lblTotalVariantes.definirLegenda(info.totalVariantes);
        j.Label2.definirLegenda(info.rotuloItens);
    };
    if (tipo == kArquivoPreco) {
        j.cmdAtualizaQtd.definirVisivel(true);
        mostrarTotais();
        aplicarCarga(std::move(carga), j.sprPedidos, info, linhasNaGrade);
        j.frameBarra.definirVisivel(false);
        j.vaVolume.definirVisivel(false);
        j.sprPedidos.definirVisivel(true);
        j.focar(j.sprPedidos.nome());
        statusDoArquivo_ =
            "Selecione os Pedidos / Itens a serem impressas as Etiquetas e informe a quantidade "
            "desejada...";
        j.StatusBar1.definirTexto(statusDoArquivo_);
    } else if (tipo == kArquivoVolume) {
        j.frmTipo.definirVisivel(false);
        mostrarTotais();
        aplicarCarga(std::move(carga), j.vaVolume, info, linhasNaGrade);
        j.frameBarra.definirVisivel(false);
        j.vaVolume.definirVisivel(true);
        j.sprPedidos.definirVisivel(false);
        j.focar(j.vaVolume.nome());
        statusDoArquivo_ =
            "Selecione os Pedidos a serem impressas as Etiquetas e informe a quantidade de "
            "caixas necessária para cada Volume...";
        j.StatusBar1.definirTexto(statusDoArquivo_);
    }
}

// The result into the window: the grid takes the cells without copying them,
// or already holds them, and then the view is left as the user has it.
void Aplicacao::aplicarCarga(ResultadoCarga carga, Grade& grade, const InformacoesArquivo& info,
                             bool linhasNaGrade) {
    auto& j = janela_;
    if (!linhasNaGrade) {
        grade.suspenderAvisos();
        grade.substituirConteudo(carga.linhas, std::move(carga.celulas));
        formatarColunas(grade);
        grade.retomarAvisos();
    }
    if (&grade == &j.vaVolume) {
        // The loader writes each store's volumes as its box count.
        volumesDoArquivo_.assign(static_cast<std::size_t>(grade.linhas()), 0);
        for (int l = 1; l <= grade.linhas(); ++l)
            volumesDoArquivo_[static_cast<std::size_t>(l - 1)] =
                valorInteiro(grade.texto(l, coluna(CampoVolume::Caixas))).value_or(0);
    }
    if (carga.TipoEtiquetaPedido) j.TipoEtiquetaPedido = *carga.TipoEtiquetaPedido;
    if (carga.IndicadorTipoSku) j.IndicadorTipoSku = *carga.IndicadorTipoSku;
    if (carga.LayoutNovoArquivo) j.LayoutNovoArquivo = *carga.LayoutNovoArquivo;
    if (carga.OrigemSolicitacao) j.OrigemSolicitacao = *carga.OrigemSolicitacao;
    totalDoArquivo_ = info.total ? *info.total : std::string();
    if (info.total) {
        j.lblTotalEtiquetas.definirLegenda(*info.total);
        j.lblDescImp.definirLegenda(*info.descricaoTotal);
        j.lblTotalEtiquetas.definirVisivel(true);
        j.lblDescImp.definirVisivel(true);
    }
    aplicarSeletor(carga.seletor);
    if (carga.pedidoVersaoRecusada) servico_.encerrarPorVersao();
    j.cmdGerarTxt.definirVisivel(carga.autorizadoGerarTxt);
}

void Aplicacao::formatarColunas(Grade& grade) {
    if (&grade == &janela_.sprPedidos) {
        using enum CampoPreco;
        for (auto campo : {SequenciaInicial, SequenciaFinal})
            grade.definirCor(coluna(campo), kVermelho);
        for (auto campo : {SequenciaInicialOriginal, SequenciaFinalOriginal, Cor, CorIngles,
                           TamanhoIngles, TipoEtiq})
            grade.definirOculta(coluna(campo), true);
    } else {
        grade.definirCor(coluna(CampoVolume::Caixas), kVermelho);
    }
}

void Aplicacao::aplicarSeletor(SeletorTipo seletor) {
    auto& j = janela_;
    switch (seletor) {
        case SeletorTipo::Inalterado:
            return;
        case SeletorTipo::Oculto:
            j.frmTipo.definirVisivel(false);
            return;
        case SeletorTipo::InternaCaixa:
            j.frmTipo.definirVisivel(true);
            j.cbvTipoEtiq.limpar();
            j.cbvTipoEtiq.adicionar("Etiq.Interna");
            j.cbvTipoEtiq.adicionar("Etiq.Caixa");
            return;
        case SeletorTipo::IlpnVolume:
            j.frmTipo.definirVisivel(true);
            j.cbvTipoEtiq.limpar();
            j.cbvTipoEtiq.adicionar("Etiqueta ILPN");
            j.cbvTipoEtiq.adicionar("Etiqueta Volume");
            return;
    }
}

}  // namespace etiquetas
