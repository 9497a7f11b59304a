#include "app/DialogoConfiguracao.h"

#include <cmath>
#include <limits>
#include <optional>

#include "comum/Texto.h"
#include "config/AtualizarConfiguracao.h"
#include "platform/Plataforma.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

constexpr const char* kTituloErro = "ERRO";
constexpr const char* kTituloRestauracao = "Restauração";

// A field "is a number" when it reads as one and fits the 16-bit parameter
// it is saved into; a larger number would not survive the conversion.
std::optional<short> numeroDoCampo(const CaixaTexto& campo) {
    const auto valor = valorNumerico(campo.texto());
    if (!valor) return std::nullopt;
    const double inteiro = std::nearbyint(*valor);
    if (inteiro < std::numeric_limits<short>::min() || inteiro > std::numeric_limits<short>::max())
        return std::nullopt;
    return static_cast<short>(inteiro);
}

}  // namespace

void Imagem::definirRecurso(std::string r) {
    recurso_ = std::move(r);
    avisar();
}

DialogoConfiguracao::DialogoConfiguracao(Plataforma& plataforma, PastasAplicacao pastas)
    : plataforma_(plataforma), pastas_(std::move(pastas)) {
    const std::string dicaLista = "Selecione o tipo de etiqueta";
    cmbTipoImpressora.dica = dicaLista;
    cmbTipoEtiqueta.dica = dicaLista;
    cmdRestaurar.definirDica(
        "Restaurar os parametros de impressão, para as configurações iniciais.");
    cmdGravar.definirDica("Gravar os parametros de impressão");
    cmdCancelar.definirDica("Cancelar a configurações dos parametros de impressão");
    ligarReacoes();
}

void DialogoConfiguracao::ligarReacoes() {
    cmbTipoImpressora.escolhido.conectar([this] { aoSelecionar(); });
    cmbTipoEtiqueta.escolhido.conectar([this] { aoSelecionar(); });
    cmbLayout.escolhido.conectar([this] { aoSelecionar(); });
    cmdGravar.clicado.conectar([this] { gravar(); });
    cmdRestaurar.clicado.conectar([this] { restaurar(); });
    cmdCancelar.clicado.conectar([this] { cancelar(); });
}

void DialogoConfiguracao::abrir(Escolha escolha) {
    cmbTipoImpressora.limpar();
    cmbTipoImpressora.adicionar("Datamax - DPL", 0);
    cmbTipoImpressora.adicionar("Zebra - ZPL", 1);
    cmbTipoEtiqueta.limpar();
    for (const auto& tipo : tiposEtiqueta())
        if (!tipo.legendaLayout.empty())
            cmbTipoEtiqueta.adicionar(std::string(tipo.legendaLayout), tipo.tipo);
    cmbLayout.limpar();
    cmbLayout.adicionar("Clássico", 0);
    cmbLayout.adicionar("Novo", 1);
    fechado_ = false;
    cmbTipoImpressora.selecionar(indiceDoDado(cmbTipoImpressora, escolha.tipoImpressora));
    cmbLayout.selecionar(escolha.layoutNovo ? 1 : 0);
    cmbTipoEtiqueta.selecionar(-1);
    if (!escolha.semLayout.empty()) return lblTipoEtiqueta.definirLegenda(escolha.semLayout);
    cmbTipoEtiqueta.selecionar(indiceDoDado(cmbTipoEtiqueta, tipoListado(escolha.tipoEtiqueta)));
}

// A type without a line of its own (9) is edited on the line of the type
// whose layout section it shares (5).
int DialogoConfiguracao::tipoListado(int tipo) {
    const auto* proprio = tipoEtiquetaFamilia(tipo);
    if (!proprio || !proprio->legendaLayout.empty()) return tipo;
    for (const auto& t : tiposEtiqueta())
        if (!t.legendaLayout.empty() && t.secaoLayout == proprio->secaoLayout) return t.tipo;
    return tipo;
}

int DialogoConfiguracao::indiceDoDado(const Lista& lista, long dado) {
    for (int i = 0; i < lista.contagem(); ++i)
        if (lista.itens()[i].dado == dado) return i;
    return 0;
}

void DialogoConfiguracao::aoSelecionar() {
    if (!tipoSelecionado()) {
        imgEtiqueta.definirRecurso({});
        return;
    }
    if (const auto* tipo = tipoEtiquetaFamilia(tipoEtiqueta()); tipo && !tipo->imagemLayout.empty())
        imgEtiqueta.definirRecurso(std::string(tipo->imagemLayout));
    lblTipoEtiqueta.definirLegenda(cmbTipoImpressora.texto() + "\n" + cmbTipoEtiqueta.texto() +
                                   (layoutNovo() ? " (layout novo)" : ""));
    carregarCampos();
}

void DialogoConfiguracao::carregarCampos() {
    AtualizarConfiguracao cfg = configuracaoLayout(tipoEtiqueta(), tipoImpressora(), layoutNovo());
    cfg.Carregar(pastas_);
    txtLargura.definirTexto(std::to_string(cfg.LarguraEtiqueta));
    txtRepeticao.definirTexto(std::to_string(cfg.Repeticao));
    txtMargemEsquerda.definirTexto(std::to_string(cfg.margemEsquerda));
    txtMargemTopo.definirTexto(std::to_string(cfg.margemTopo));
    txtFonteCodigo.definirTexto(cfg.CodigoFonte);
    txtFonteNome.definirTexto(cfg.NomeFonte);
    txtCmdIniciar.definirTexto(cfg.CmdIniciar);
}

bool DialogoConfiguracao::camposValidos() {
    struct Verificacao {
        CaixaTexto& campo;
        const char* mensagem;
    };
    for (const auto& v : {
             Verificacao{txtLargura, "Informe um valor válido para a largura da etiqueta!"},
             Verificacao{txtRepeticao, "Informe um valor válido para a repetição da etiqueta!"},
             Verificacao{txtMargemEsquerda, "Informe um valor válido para margem esquerda!"},
             Verificacao{txtMargemTopo, "Informe um valor válido para o topo da etiqueta!"},
         }) {
        if (!numeroDoCampo(v.campo)) {
            mostrarErro(v.mensagem, v.campo);
            return false;
        }
    }
    const std::string codigo = aparar(txtFonteCodigo.texto());
    if (codigo.empty()) {
        mostrarErro("Informe o código da fonte!", txtFonteCodigo);
        return false;
    }
    if (codigo == "@" && aparar(txtFonteNome.texto()).empty()) {
        mostrarErro("Informe o nome da fonte!", txtFonteNome);
        return false;
    }
    return true;
}

void DialogoConfiguracao::gravar() {
    if (!tipoSelecionado() || !camposValidos()) return;
    AtualizarConfiguracao cfg = configuracaoLayout(tipoEtiqueta(), tipoImpressora(), layoutNovo());
    cfg.LarguraEtiqueta = *numeroDoCampo(txtLargura);
    cfg.Repeticao = *numeroDoCampo(txtRepeticao);
    cfg.margemEsquerda = *numeroDoCampo(txtMargemEsquerda);
    cfg.margemTopo = *numeroDoCampo(txtMargemTopo);
    cfg.CodigoFonte = txtFonteCodigo.texto();
    cfg.NomeFonte = txtFonteNome.texto();
    cfg.CmdIniciar = txtCmdIniciar.texto();
    const Gravacao gravacao = cfg.Configurar(pastas_);
    if (gravacao == Gravacao::Recusada) return mostrarErro(cfg.Erro(), txtRepeticao);
    if (gravacao == Gravacao::GravadaComErro)
        plataforma_.mensagem(kMensagemGravacaoComErro, "", Icone::Informacao, Botoes::Ok);
    plataforma_.mensagem("Configuração salva com sucesso!", "", Icone::Informacao, Botoes::Ok);
}

void DialogoConfiguracao::restaurar() {
    if (!tipoSelecionado()) return;
    const std::string pergunta =
        "Confirma a restauração para o tipo de etiqueta selecionada (" + cmbTipoEtiqueta.texto() +
        ")?\nTenha certeza da escolha, depois de restaurada as informações atuais não poderam "
        "ser mais recuperadas!";
    if (plataforma_.mensagem(pergunta, kTituloRestauracao, Icone::Pergunta, Botoes::SimNao) !=
        Resposta::Sim)
        return;
    AtualizarConfiguracao cfg = configuracaoLayout(tipoEtiqueta(), tipoImpressora(), layoutNovo());
    const bool restaurou = cfg.Restaurar(pastas_);
    carregarCampos();
    if (restaurou)
        plataforma_.mensagem("Restauração realizada com sucesso!", kTituloRestauracao,
                             Icone::Informacao, Botoes::Ok);
    else
        plataforma_.mensagem(cfg.Erro(), kTituloRestauracao, Icone::Critico, Botoes::Ok);
}

void DialogoConfiguracao::cancelar() {
    fechado_ = true;
    fechou.emitir();
}

void DialogoConfiguracao::mostrarErro(const std::string& texto, CaixaTexto& campo) {
    plataforma_.mensagem(texto, kTituloErro, Icone::Critico, Botoes::Ok);
    focarCampo(campo);
}

void DialogoConfiguracao::focarCampo(CaixaTexto& campo) {
    if (!campo.habilitado()) return;
    textoSelecionado_ = campo.nome;
    foco_ = campo.nome;
    focoMudou.emitir();
}

}  // namespace etiquetas
