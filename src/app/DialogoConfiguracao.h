#pragma once

// The layout dialog frmConfiguracao as a model: the layout parameters of one
// label type on one printer language, read and written through
// AtualizarConfiguracao, with the dialog's own field checks, a preview
// picture per label type and the confirmation texts. The Qt view
// (gui/FrmConfiguracao) binds a widget to each member.

#include <filesystem>
#include <string>

#include "app/Controles.h"
#include "comum/PastasAplicacao.h"

namespace etiquetas {

class Plataforma;

// The preview picture: the name of a picture built into the program
// ("PRECO_CARTOLINA", ...), "" for none.
class Imagem : public Controle {
  public:
    explicit Imagem(std::string n) : Controle(std::move(n)) {}
    const std::string& recurso() const { return recurso_; }
    void definirRecurso(std::string r);

  private:
    std::string recurso_;
};

// The printer language and label type the layout dialog opens on.
struct EscolhaConfiguracao {
    int tipoImpressora = 0;   // 0 Datamax - DPL, 1 Zebra - ZPL
    int tipoEtiqueta = 1;     // a LabelTypeCode of the label type list
    bool layoutNovo = false;  // the "_NOVO" sections
    // The window's labels use no layout parameters (ILPN): no type is
    // chosen, and this says why in place of the type's caption.
    std::string semLayout;
};

class DialogoConfiguracao {
  public:
    DialogoConfiguracao(Plataforma& plataforma, PastasAplicacao pastas);
    DialogoConfiguracao(const DialogoConfiguracao&) = delete;
    DialogoConfiguracao& operator=(const DialogoConfiguracao&) = delete;

    const std::string titulo = "Configuração - Parametros de Impressão";

    Lista cmbTipoImpressora{"cmbTipoImpressora", "Impressora:"};
    Lista cmbTipoEtiqueta{"cmbTipoEtiqueta", "Etiqueta:"};
    Lista cmbLayout{"cmbLayout", "Layout:"};
    Rotulo lblTipoEtiqueta{"lblTipoEtiqueta"};
    Imagem imgEtiqueta{"imgEtiqueta"};

    Rotulo fraConfiguracoes{"fraConfiguracoes", "Configurações:"};
    CaixaTexto txtRepeticao{"txtRepeticao", "Repetição:"};
    CaixaTexto txtLargura{"txtLargura", "Largura:"};
    CaixaTexto txtCmdIniciar{"txtCmdIniciar", "Ini. Imp:"};
    Rotulo fraFontes{"fraFontes", "Fontes:"};
    CaixaTexto txtFonteCodigo{"txtFonteCodigo", "Código Fonte:"};
    CaixaTexto txtFonteNome{"txtFonteNome", "Nome Fonte:"};
    Rotulo fraMargens{"fraMargens", "Ajuste Margens:"};
    CaixaTexto txtMargemEsquerda{"txtMargemEsquerda", "Esquerda:"};
    CaixaTexto txtMargemTopo{"txtMargemTopo", "Topo:"};

    Botao cmdRestaurar{"cmdRestaurar", "&Restaurar"};
    Botao cmdGravar{"cmdGravar", "&Gravar"};
    Botao cmdCancelar{"cmdCancelar", "&Cancelar"};

    using Escolha = EscolhaConfiguracao;
    // Fills the lists and selects the chosen printer language and label
    // type; a choice the lists do not offer selects their first item.
    void abrir(Escolha escolha = {});

    // The control with the keyboard focus, by name, and the text box whose
    // whole text is selected ("" for none).
    const std::string& foco() const { return foco_; }
    const std::string& textoSelecionado() const { return textoSelecionado_; }
    Sinal<> focoMudou;

    // cmdCancelar: the view closes the dialog.
    bool fechado() const { return fechado_; }
    Sinal<> fechou;

  private:
    void ligarReacoes();
    static int indiceDoDado(const Lista& lista, long dado);
    void aoSelecionar();
    void carregarCampos();
    void gravar();
    void restaurar();
    void cancelar();
    bool camposValidos();
    void mostrarErro(const std::string& texto, CaixaTexto& campo);
    void focarCampo(CaixaTexto& campo);
    bool tipoSelecionado() const { return cmbTipoEtiqueta.indice() >= 0; }
    int tipoImpressora() const { return static_cast<int>(cmbTipoImpressora.dadoSelecionado()); }
    int tipoEtiqueta() const { return static_cast<int>(cmbTipoEtiqueta.dadoSelecionado()); }
    bool layoutNovo() const { return cmbLayout.dadoSelecionado() == 1; }
    static int tipoListado(int tipo);

    Plataforma& plataforma_;
    PastasAplicacao pastas_;
    std::string foco_;
    std::string textoSelecionado_;
    bool fechado_ = false;
};

}  // namespace etiquetas
