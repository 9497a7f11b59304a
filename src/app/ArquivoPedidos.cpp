// Opening an order file: the dialog, recognition, the whole-file check, the
// information block and the grid of the file's kind, and the version gate.

#include <pugixml.hpp>

#include "app/Aplicacao.h"
#include "comum/Texto.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/Md5.h"
#include "orderfile/Reconhecimento.h"
#include "orderfile/Xml.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

constexpr const char* kDicaCaminho = "Para localizar o arquivo clique no Botão Localizar...";
constexpr const char* kMensagemVersao =
    "Versão desatualizada para efetuar a impressão deste arquivo ! Acesse o Portal de "
    "Fornecedores e efetue o DOWNLOAD da nova versão do aplicativo de Etiquetas."
    "\rO Programa será encerrado !\r\n";
constexpr int kPreto = 0;
constexpr int kVermelho = 255;

// A file parsed and recognised, not yet shown.
struct ArquivoValidado {
    std::shared_ptr<pugi::xml_document> documento;
    Reconhecimento reconhecimento;
};

std::string seisDigitos(long n) {
    return formatarInteiro(n, "000000");
}

}  // namespace

void Aplicacao::cmdLocalizar() {
    auto& j = janela_;
    plataforma_.cursorOcupado(true);
    plataforma_.processarEventos();
    const std::string caminho = plataforma_.escolherArquivo(
        "Selecione um arquivo de etiquetas:", "Etiquetas Quelmonte (*.xml)|*.xml",
        pastaInicialDosPedidos());
    if (caminho.empty()) {
        // Cancelled: the grid still holds the loaded file, if any.
        j.lblCaminho.definirLegenda(j.tipoArquivo() != 0 ? j.CaminhoArquivoPedidos
                                                         : std::string(kDicaCaminho));
        plataforma_.cursorOcupado(false);
        return;
    }
    lembrarPastaDosPedidos(caminho);
    j.lblCaminho.definirLegenda(caminho);
    AbrirArquivoPedidos(caminho);
}

void Aplicacao::AbrirArquivoPedidos(const std::string& caminho) {
    plataforma_.processarEventos();
    const std::string statusAnterior = janela_.StatusBar1.texto();
    janela_.StatusBar1.definirTexto("Aguarde carregando o arquivo selecionado...");
    ArquivoValidado arquivo;
    if (!ValidarArquivoEtiquetas(caminho, arquivo.documento)) {
        RejeitarArquivoPedidos(caminho, statusAnterior);
        return;
    }
    ResultadoCarga carga = lerPedidos(*arquivo.documento);
    contagemEmAbertura_.listaPedidos.clear();  // nodes of a document that may go
    if (!carga.erro.empty()) {
        mensagem(carga.erro, "Erro !", Icone::Critico);
        RejeitarArquivoPedidos(caminho, statusAnterior);
        return;
    }
    janela_.DocumentoPedidos = std::move(arquivo.documento);
    janela_.CaminhoArquivoPedidos = caminho;
    PreencherInfoArquivo(std::move(carga));
    janela_.lblTipoArquivo.definirCor(kPreto);
    janela_.cmdImprimir.definirHabilitado(true);
    plataforma_.cursorOcupado(false);
}

bool Aplicacao::ValidarArquivoEtiquetas(const std::string& caminho,
                                        std::shared_ptr<pugi::xml_document>& documento) {
    documento = CarregarXML(caminho);
    Reconhecimento r = reconhecerArquivo(*documento);
    if (!r.erro.empty()) mensagem(r.erro, "Erro !", Icone::Critico);
    if (!r.valido) return false;
    if (const auto nome = legendaTipoEtiqueta(
            r.tipoArquivo == kArquivoPreco ? ArquivoFamilia::Preco : ArquivoFamilia::Volume,
            r.codigoTipo))
        janela_.lblTipoArquivo.definirLegenda(*nome);
    contagemEmAbertura_ = std::move(r.contagem);
    return true;
}

// The file shown before stays loaded: the status bar goes back to what it
// said, and the path says which file the grid still holds.
void Aplicacao::RejeitarArquivoPedidos(const std::string& caminho,
                                       const std::string& statusAnterior) {
    auto& j = janela_;
    j.StatusBar1.definirTexto(statusAnterior);
    if (j.tipoArquivo() != 0 && !j.CaminhoArquivoPedidos.empty())
        j.lblCaminho.definirLegenda(caminho + "   |   Arquivo carregado: " +
                                    j.CaminhoArquivoPedidos);
    j.lblTipoArquivo.definirCor(kVermelho);
    j.lblTipoArquivo.definirLegenda(
        "O Arquivo selecionado acima não é válido para impressão de Etiquetas Quelmonte !");
    mensagem(
        "Arquivo " + caminho + " não é um arquivo válido para impressão de etiquetas Quelmonte !",
        "Formato Não Reconhecido", Icone::Critico);
    plataforma_.cursorOcupado(false);
}

// Reads the whole file into a result while the window still shows the
// previous one; only the progress bar moves.
ResultadoCarga Aplicacao::lerPedidos(const pugi::xml_document& documento) {
    auto& j = janela_;
    const auto& c = contagemEmAbertura_;
    const short tipo = IdentificarTipoArquivo(&documento);
    const long maximo = c.pedidos + (tipo == kArquivoPreco ? c.itens + c.variantes : c.lojas);
    j.frameBarra.definirVisivel(true);
    j.ProgressBar1.definirFaixa(0, static_cast<int>(std::min<long>(maximo, INT32_MAX)));
    plataforma_.cursorOcupado(true);
    const AvisoProgresso aviso = [this, maximo](long contador) {
        if (contador <= maximo) janela_.ProgressBar1.definirValor(static_cast<int>(contador));
        plataforma_.processarEventos();
    };
    const std::string digesto = digestoDaVersao(plataforma_.versao());
    ResultadoCarga carga = tipo == kArquivoPreco
                               ? CarregarPedidosPreco(documento, digesto, aviso, &c.listaPedidos)
                               : CarregarPedidosVolume(documento, digesto, aviso, &c.listaPedidos);
    if (!carga.erro.empty()) j.frameBarra.definirVisivel(false);
    return carga;
}

void Aplicacao::PreencherInfoArquivo(ResultadoCarga carga) {
    auto& j = janela_;
    const auto& c = contagemEmAbertura_;
    j.cmdAtualizaQtd.definirVisivel(false);
    const short tipo = IdentificarTipoArquivo(j.DocumentoPedidos.get());
    j.lblTipoArquivo.definirTag(std::to_string(tipo));
    if (tipo == kArquivoPreco) {
        j.cmdAtualizaQtd.definirVisivel(true);
        j.lblTotalPedidos.definirLegenda(seisDigitos(c.pedidos));
        j.lblTotalitens.definirLegenda(seisDigitos(c.itens));
        j.lblTotalVariantes.definirLegenda(seisDigitos(c.variantes));
        j.Label2.definirLegenda("Total de Itens :");
        aplicarCarga(std::move(carga), j.sprPedidos, "Total de Etiquetas a Imprimir:");
        j.frameBarra.definirVisivel(false);
        j.vaVolume.definirVisivel(false);
        j.sprPedidos.definirVisivel(true);
        j.focar(j.sprPedidos.nome());
        j.StatusBar1.definirTexto(
            "Selecione os Pedidos / Itens a serem impressas as Etiquetas e informe a quantidade "
            "desejada...");
    } else if (tipo == kArquivoVolume) {
        j.frmTipo.definirVisivel(false);
        j.lblTotalPedidos.definirLegenda(seisDigitos(c.pedidos));
        j.lblTotalitens.definirLegenda(seisDigitos(c.lojas));
        j.lblTotalVariantes.definirLegenda("000000");
        j.Label2.definirLegenda("Total de Lojas :");
        aplicarCarga(std::move(carga), j.vaVolume, "Total de Peças dos Volumes :");
        j.frameBarra.definirVisivel(false);
        j.vaVolume.definirVisivel(true);
        j.sprPedidos.definirVisivel(false);
        j.focar(j.vaVolume.nome());
        j.StatusBar1.definirTexto(
            "Selecione os Pedidos a serem impressas as Etiquetas e informe a quantidade de "
            "caixas necessária para cada Volume...");
    }
}

// The result into the window: the grid takes the cells without copying them.
void Aplicacao::aplicarCarga(ResultadoCarga carga, Grade& grade, const char* descricaoTotal) {
    auto& j = janela_;
    grade.suspenderAvisos();
    grade.substituirConteudo(carga.linhas, std::move(carga.celulas));
    if (&grade == &j.sprPedidos) {
        using enum CampoPreco;
        for (auto campo : {SequenciaInicial, SequenciaFinal})
            grade.definirCor(coluna(campo), kVermelho);
        for (auto campo : {SequenciaInicialOriginal, SequenciaFinalOriginal, Cor, CorIngles,
                           TamanhoIngles, TipoEtiq})
            grade.definirOculta(coluna(campo), true);
    } else {
        grade.definirCor(coluna(CampoVolume::Caixas), kVermelho);
    }
    grade.retomarAvisos();
    if (carga.TipoEtiquetaPedido) j.TipoEtiquetaPedido = *carga.TipoEtiquetaPedido;
    if (carga.IndicadorTipoSku) j.IndicadorTipoSku = *carga.IndicadorTipoSku;
    if (carga.LayoutNovoArquivo) j.LayoutNovoArquivo = *carga.LayoutNovoArquivo;
    if (carga.OrigemSolicitacao) j.OrigemSolicitacao = *carga.OrigemSolicitacao;
    if (carga.total) {
        j.lblTotalEtiquetas.definirLegenda(formatarInteiro(*carga.total, "00000000"));
        j.lblDescImp.definirLegenda(descricaoTotal);
        j.lblTotalEtiquetas.definirVisivel(true);
        j.lblDescImp.definirVisivel(true);
    }
    aplicarSeletor(carga.seletor);
    if (carga.pedidoVersaoRecusada) {
        mensagem(kMensagemVersao, "", Icone::Nenhum, Botoes::Ok);
        plataforma_.encerrarAplicacao();
    }
    j.cmdGerarTxt.definirVisivel(carga.autorizadoGerarTxt);
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
