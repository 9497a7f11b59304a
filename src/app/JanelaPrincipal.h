#pragma once

// The main window frmEtiqueta as a model: one member per control, named as
// the window names it (an "&" in a caption marks its keyboard accelerator,
// unique in the window), plus the window state that the loaders set and the
// print command reads. The Qt view (gui/) binds a widget to each member; the
// CLI drives the same members.

#include <filesystem>
#include <memory>
#include <string>

#include "app/Controles.h"
#include "app/Grade.h"

namespace pugi {
class xml_document;
}

namespace etiquetas {

class JanelaPrincipal {
  public:
    JanelaPrincipal();
    ~JanelaPrincipal();
    JanelaPrincipal(const JanelaPrincipal&) = delete;
    JanelaPrincipal& operator=(const JanelaPrincipal&) = delete;

    std::string titulo;  // the window caption

    // "Selecione o Arquivo de Etiquetas a ser Impresso..."
    Rotulo fraArquivo{"fraArquivo", "Selecione o Arquivo de Etiquetas a ser Impresso..."};
    Botao cmdLocalizar{"cmdLocalizar", "&Localizar"};
    Rotulo lblCaminho{"lblCaminho", "Para localizar o arquivo clique no Botão Localizar..."};
    // Every letter of its caption is another control's accelerator: the
    // window gives it Ctrl+H.
    Botao cmdHistorico{"cmdHistorico", "Histórico"};

    // "Dados do Arquivo"
    Rotulo fraDados{"fraDados", "Dados do Arquivo"};
    Rotulo lblTituloTipo{"lblTituloTipo", "Tipo da Etiqueta :"};
    Rotulo lblTipoArquivo{"lblTipoArquivo", "Nenhum Arquivo Selecionado !"};
    Rotulo lblTituloPedidos{"lblTituloPedidos", "Total de Pedidos :"};
    Rotulo lblTotalPedidos{"lblTotalPedidos"};
    Rotulo Label2{"Label2", "Total de Itens :"};
    Rotulo lblTotalitens{"lblTotalitens"};
    Rotulo lblTituloVariantes{"lblTituloVariantes", "Total de Variantes :"};
    Rotulo lblTotalVariantes{"lblTotalVariantes"};
    Rotulo lblDescImp{"lblDescImp", "Total de Etiquetas a Imprimir:"};
    Rotulo lblTotalEtiquetas{"lblTotalEtiquetas"};

    // "Selecione os Pedidos a serem Impressos. . ."
    Rotulo fraPedidos{"fraPedidos", "Selecione os Pedidos a serem Impressos. . ."};
    Grade sprPedidos;
    Grade vaVolume;
    Botao cmdSelTodos{"cmdSelTodos", "Seleciona &Todos"};
    Botao cmdDesmarcaTodos{"cmdDesmarcaTodos", "&Desmarca Todos"};
    Botao cmdAtualizaQtd{"cmdAtualizaQtd", "Valores iniciais &etiqueta preço"};
    Opcao ckbMaterialForn{"ckbMaterialForn", "Imprimir se&parador por Pedido/Item"};

    // "Impressoras Homologadas para Impressão..."
    Rotulo fraImpressoras{"fraImpressoras", "Impressoras Homologadas para Impressão..."};
    Lista cmbImpressora{"cmbImpressora", "Impressora (&Fabricante - Linguagem)"};
    // The chosen printer's own word ("pronta", "sem papel", "não
    // consultável"), asked by the button beside it and before each run.
    Rotulo lblEstadoImpressora{"lblEstadoImpressora"};
    Botao cmdEstadoImpressora{"cmdEstadoImpressora", "Consultar"};
    Lista cmbModelo{"cmbModelo", "Impressora Modelo"};
    Rotulo LblImp{"LblImp", "Impressora &Modelo"};
    Lista cmdVelocidade{"cmdVelocidade", "Impressora &Velocidade"};
    CaixaTexto txtvelocidade{"txtvelocidade"};
    Lista cmdTemperatura{"cmdTemperatura", "Impressora Temperat&ura"};
    CaixaTexto txtTemperatura{"txtTemperatura"};
    Lista cmbResolucao{"cmbResolucao", "Impressora Resolução (dpi)"};
    Opcao optLocal{"optLocal", "Loc&al"};
    Opcao optRede{"optRede", "&Rede"};
    Lista cmbCaminhoImpressora{"cmbCaminhoImpressora", "Camin&ho da Impressora"};
    CaixaTexto txtCaminhoImpressora{"txtCaminhoImpressora", "Inf&orme o Caminho Impressora"};
    Lista cbvelocidade{"cbvelocidade", "Velocidade Com"};
    Lista cbparidade{"cbparidade", "Paridade"};
    Lista cbbitdados{"cbbitdados", "Bit Dados"};
    Lista cbbitparada{"cbbitparada", "Bit Parada"};
    Rotulo Lblcom1{"Lblcom1", "Velocidade Com"};
    Rotulo Lblcom2{"Lblcom2", "Paridade"};
    Rotulo Lblcom3{"Lblcom3", "Bit Dados"};
    Rotulo Lblcom4{"Lblcom4", "Bit Parada"};
    Rotulo lblDetalhePortaCom{"lblDetalhePortaCom"};
    Botao CmZebra{"CmZebra", "Carregar Fonte Ze&bra"};
    Rotulo LblZebra{"LblZebra", "Carregue a fonte antes de Imprimir!"};
    // Horizontal position of cmbModelo and LblImp, in twips (the printer
    // reaction moves them when the Zebra button hides).
    int posicaoModeloTwips = 0;

    // "Tipo Etiqueta"
    Rotulo frmTipo{"frmTipo", "Tipo Eti&queta"};
    Lista cbvTipoEtiq{"cbvTipoEtiq"};

    // "Imprimir Pagina Teste"
    Rotulo fraTeste{"fraTeste", "Imprimir Pagina Teste"};
    Opcao Option1{"Option1", "Grade Volume Padrao"};
    Opcao Option2{"Option2", "Grade Volume Repos. Auto"};
    Opcao Option3{"Option3", "Preco Adesiva"};
    Opcao Option4{"Option4", "Preco Cartolina"};

    // Command row
    Botao cmdConfiguracao{"cmdConfiguracao", "&Configuração"};
    Botao cmdGerarTxt{"cmdGerarTxt", "&Gerar TXT"};
    Botao cmdVisualizar{"cmdVisualizar", "Visuali&zar"};
    Botao cmdImprimir{"cmdImprimir", "&Imprimir"};
    Botao cmdSair{"cmdSair", "&Sair"};
    Botao cmdCancelar{"cmdCancelar", "Ca&ncelar"};  // shown while a run goes on

    // "Status da Leitura do Arquivo..."
    Rotulo frameBarra{"frameBarra", "Status da Leitura do Arquivo..."};
    BarraProgresso ProgressBar1{"ProgressBar1"};
    BarraStatus StatusBar1{"StatusBar1"};

    // The control that has the keyboard focus, by name ("" for none).
    const std::string& foco() const { return foco_; }
    void focar(const std::string& nomeControle);
    Sinal<> focoMudou;

    // Window state set by the loaders and read by the print command.
    short TipoEtiquetaPedido = 0;
    bool LayoutNovoArquivo = false;
    std::string IndicadorTipoSku;
    std::string OrigemSolicitacao;
    std::shared_ptr<pugi::xml_document> DocumentoPedidos;
    std::filesystem::path CaminhoArquivoPedidos;  // as the file system names it

    // The file kind kept in the tag of lblTipoArquivo: 1 price, 2 volume, 0 none.
    int tipoArquivo() const;
    // The grid of the loaded kind: sprPedidos for 1, vaVolume for 2, none otherwise.
    Grade* gradeDoArquivo();

  private:
    // Option buttons of one frame exclude each other, as the toolkit's do.
    void ligarOpcoesExclusivas();

    std::string foco_;
};

}  // namespace etiquetas
