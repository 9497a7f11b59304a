// Opening an order file: the dialog, recognition, the whole-file check, the
// information block and the grid of the file's kind, and the version gate.

#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/Aplicacao.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace etiquetas {

namespace {

constexpr const char* kDicaCaminho = "Para localizar o arquivo clique no Botão Localizar...";
constexpr int kPreto = 0;
constexpr int kVermelho = 255;

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
        j.lblCaminho.definirLegenda(j.tipoArquivo() != 0 ? textoDoCaminho(j.CaminhoArquivoPedidos)
                                                         : std::string(kDicaCaminho));
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

void Aplicacao::AbrirArquivoPedidos(const std::filesystem::path& caminho) {
    auto& j = janela_;
    plataforma_.processarEventos();
    const std::string statusAnterior = j.StatusBar1.texto();
    j.StatusBar1.definirTexto("Aguarde carregando o arquivo selecionado...");
    // Only the progress bar moves while the window still shows the previous file.
    long maximo = 0;
    const auto inicio = [&](long m) {
        maximo = m;
        j.frameBarra.definirVisivel(true);
        j.ProgressBar1.definirFaixa(0, static_cast<int>(std::min<long>(m, INT32_MAX)));
    };
    const AvisoProgresso aviso = [&](long contador) {
        if (contador <= maximo) j.ProgressBar1.definirValor(static_cast<int>(contador));
        plataforma_.processarEventos();
    };
    auto anterior = mostrarInicioDoArquivo(caminho);
    ArquivoAberto arquivo = servico_.abrir(caminho, inicio, aviso);
    if (!arquivo.aberto()) {
        if (anterior) devolverVista(std::move(*anterior));
        RejeitarArquivoPedidos(caminho, statusAnterior);
        return;
    }
    if (arquivo.legendaTipo) j.lblTipoArquivo.definirLegenda(*arquivo.legendaTipo);
    j.DocumentoPedidos = arquivo.documento;
    j.CaminhoArquivoPedidos = caminho;
    // Also for a file opened without the file dialog (a test print's).
    j.lblCaminho.definirLegenda(textoDoCaminho(caminho));
    PreencherInfoArquivo(std::move(arquivo));
    j.lblTipoArquivo.definirCor(kPreto);
    j.cmdImprimir.definirHabilitado(true);
    marcasPendentes_ = false;
    reimpressaoMarcada_ = false;
    plataforma_.cursorOcupado(false);
}

// A large file's first rows, shown at once: the whole takes seconds to read.
// Printing waits for the whole.
std::optional<Aplicacao::VistaAnterior> Aplicacao::mostrarInicioDoArquivo(
    const std::filesystem::path& caminho) {
    auto& j = janela_;
    auto inicio = servico_.abrirInicio(caminho);
    if (!inicio) return std::nullopt;
    Grade& grade = inicio->tipoArquivo == kArquivoPreco ? j.sprPedidos : j.vaVolume;
    VistaAnterior anterior{&grade, grade.retirarConteudo(), j.sprPedidos.visivel(),
                           j.vaVolume.visivel(), j.cmdImprimir.habilitado()};
    formatarColunas(grade);
    grade.substituirConteudo(inicio->carga.linhas, std::move(inicio->carga.celulas));
    j.sprPedidos.definirVisivel(&grade == &j.sprPedidos);
    j.vaVolume.definirVisivel(&grade == &j.vaVolume);
    j.cmdImprimir.definirHabilitado(false);
    plataforma_.processarEventos();
    return anterior;
}

// A refused file's first rows go: the grid shows what it showed before.
void Aplicacao::devolverVista(VistaAnterior anterior) {
    auto& j = janela_;
    anterior.grade->devolverConteudo(std::move(anterior.conteudo));
    j.sprPedidos.definirVisivel(anterior.precosVisiveis);
    j.vaVolume.definirVisivel(anterior.volumesVisiveis);
    j.cmdImprimir.definirHabilitado(anterior.imprimir);
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

void Aplicacao::PreencherInfoArquivo(ArquivoAberto arquivo) {
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
        aplicarCarga(std::move(carga), j.sprPedidos, info);
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
        aplicarCarga(std::move(carga), j.vaVolume, info);
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

// The result into the window: the grid takes the cells without copying them.
void Aplicacao::aplicarCarga(ResultadoCarga carga, Grade& grade, const InformacoesArquivo& info) {
    auto& j = janela_;
    grade.suspenderAvisos();
    grade.substituirConteudo(carga.linhas, std::move(carga.celulas));
    formatarColunas(grade);
    if (&grade == &j.vaVolume) {
        // The loader writes each store's volumes as its box count.
        volumesDoArquivo_.assign(static_cast<std::size_t>(grade.linhas()), 0);
        for (int l = 1; l <= grade.linhas(); ++l)
            volumesDoArquivo_[static_cast<std::size_t>(l - 1)] =
                valorInteiro(grade.texto(l, coluna(CampoVolume::Caixas))).value_or(0);
    }
    grade.retomarAvisos();
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
