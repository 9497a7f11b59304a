#include "gui/FrmConfiguracao.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Aplicacao.h"
#include "comum/Texto.h"

// Resources of a static library must be registered by name, from the
// global namespace.
static void registrarImagensEtiquetas() {
    Q_INIT_RESOURCE(FrmConfiguracao);
}

namespace etiquetas {

namespace {

QString paraQt(const std::string& cp1252) {
    QString texto = QString::fromStdString(cp1252ParaUtf8(cp1252));
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return texto;
}

std::string doQt(const QString& texto) {
    return utf8ParaCp1252(texto.toStdString());
}

constexpr int kLarguraImagem = 320;
constexpr int kAlturaImagem = 240;

QPixmap imagemDoRecurso(const std::string& recurso) {
    if (recurso.empty()) return {};
    const QPixmap imagem(QStringLiteral(":/imagens_etiquetas/") + QString::fromStdString(recurso) +
                         QStringLiteral(".png"));
    // The pictures of the later families are label previews at printer size.
    if (imagem.width() <= kLarguraImagem && imagem.height() <= kAlturaImagem) return imagem;
    return imagem.scaled(kLarguraImagem - 8, kAlturaImagem - 8, Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
}

void sincronizarLista(QComboBox* combo, const Lista& lista) {
    const QSignalBlocker bloqueio(combo);
    if (combo->count() != lista.contagem()) {
        combo->clear();
        for (const auto& item : lista.itens()) combo->addItem(paraQt(item.texto));
    }
    combo->setCurrentIndex(lista.indice());
    combo->setEnabled(lista.habilitado());
    combo->setVisible(lista.visivel());
}

}  // namespace

FrmConfiguracao::FrmConfiguracao(Plataforma& plataforma, const PastasAplicacao& pastas,
                                 QWidget* pai, DialogoConfiguracao::Escolha escolha)
    : QDialog(pai), modelo_(plataforma, pastas) {
    registrarImagensEtiquetas();
    setObjectName(QStringLiteral("frmConfiguracao"));
    setWindowTitle(paraQt(modelo_.titulo));
    setModal(true);
    montarTela();
    modelo_.focoMudou.conectar([this] { aplicarFoco(); });
    modelo_.fechou.conectar([this] { QDialog::reject(); });
    modelo_.abrir(escolha);
}

void FrmConfiguracao::montarTela() {
    auto& m = modelo_;
    auto* escolhas = new QFormLayout;
    escolhas->addRow(paraQt(m.cmbTipoImpressora.rotulo), ligarLista(m.cmbTipoImpressora));
    escolhas->addRow(paraQt(m.cmbTipoEtiqueta.rotulo), ligarLista(m.cmbTipoEtiqueta));
    escolhas->addRow(paraQt(m.cmbLayout.rotulo), ligarLista(m.cmbLayout));
    QLabel* tipo = ligarRotulo(m.lblTipoEtiqueta);
    tipo->setStyleSheet(QStringLiteral("font-weight: bold;"));
    escolhas->addRow(tipo);
    QLabel* imagem = ligarImagem(m.imgEtiqueta);

    auto grupo = [this](Rotulo& moldura, std::initializer_list<CaixaTexto*> caixas) {
        auto* caixa = new QGroupBox(paraQt(moldura.legenda()));
        caixa->setObjectName(QString::fromStdString(moldura.nome));
        auto* formulario = new QFormLayout(caixa);
        for (CaixaTexto* c : caixas) formulario->addRow(paraQt(c->rotulo), ligarCaixa(*c));
        return caixa;
    };
    auto* campos = new QVBoxLayout;
    campos->addLayout(escolhas);
    campos->addWidget(
        grupo(m.fraConfiguracoes, {&m.txtRepeticao, &m.txtLargura, &m.txtCmdIniciar}));
    campos->addWidget(grupo(m.fraFontes, {&m.txtFonteCodigo, &m.txtFonteNome}));
    campos->addWidget(grupo(m.fraMargens, {&m.txtMargemEsquerda, &m.txtMargemTopo}));
    campos->addStretch();

    auto* meio = new QHBoxLayout;
    meio->addWidget(imagem, 0, Qt::AlignTop);
    meio->addLayout(campos, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(ligarBotao(m.cmdRestaurar));
    botoes->addStretch();
    // Enter in any field saves.
    auto* gravar = ligarBotao(m.cmdGravar);
    gravar->setDefault(true);
    botoes->addWidget(gravar);
    botoes->addWidget(ligarBotao(m.cmdCancelar));

    auto* tela = new QVBoxLayout(this);
    tela->addLayout(meio);
    tela->addLayout(botoes);
}

QComboBox* FrmConfiguracao::ligarLista(Lista& lista) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromStdString(lista.nome));
    combo->setToolTip(paraQt(lista.dica));
    combo->setMinimumWidth(180);
    lista.mudou.conectar([combo, &lista] { sincronizarLista(combo, lista); });
    connect(combo, &QComboBox::activated, this, [&lista](int i) { lista.selecionar(i); });
    sincronizarLista(combo, lista);
    return combo;
}

QLineEdit* FrmConfiguracao::ligarCaixa(CaixaTexto& caixa) {
    auto* linha = new QLineEdit;
    linha->setObjectName(QString::fromStdString(caixa.nome));
    auto sincronizar = [linha, &caixa] {
        const QString texto = paraQt(caixa.texto());
        if (linha->text() != texto) linha->setText(texto);
        linha->setEnabled(caixa.habilitado());
    };
    caixa.mudou.conectar(sincronizar);
    connect(linha, &QLineEdit::textEdited, this,
            [&caixa](const QString& texto) { caixa.definirTexto(doQt(texto)); });
    sincronizar();
    return linha;
}

QPushButton* FrmConfiguracao::ligarBotao(Botao& botao) {
    auto* b = new QPushButton(paraQt(botao.legenda()));
    b->setObjectName(QString::fromStdString(botao.nome));
    b->setToolTip(paraQt(botao.dica()));
    // Enter presses the button that has the focus, Gravar from a field.
    b->setAutoDefault(true);
    connect(b, &QPushButton::clicked, this, [&botao] { botao.clicar(); });
    return b;
}

QLabel* FrmConfiguracao::ligarRotulo(Rotulo& rotulo) {
    auto* l = new QLabel(paraQt(rotulo.legenda()));
    l->setObjectName(QString::fromStdString(rotulo.nome));
    rotulo.mudou.conectar([l, &rotulo] { l->setText(paraQt(rotulo.legenda())); });
    return l;
}

QLabel* FrmConfiguracao::ligarImagem(Imagem& imagem) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromStdString(imagem.nome));
    l->setFixedSize(kLarguraImagem, kAlturaImagem);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignCenter);
    // Shown straight from the program's resources, no temporary file.
    imagem.mudou.conectar([l, &imagem] { l->setPixmap(imagemDoRecurso(imagem.recurso())); });
    return l;
}

void FrmConfiguracao::reject() {
    if (modelo_.fechado())
        QDialog::reject();
    else
        modelo_.cmdCancelar.clicar();
}

QWidget* FrmConfiguracao::controle(const std::string& nome) const {
    return findChild<QWidget*>(QString::fromStdString(nome));
}

void FrmConfiguracao::aplicarFoco() {
    QWidget* alvo = controle(modelo_.foco());
    if (!alvo) return;
    alvo->setFocus(Qt::OtherFocusReason);
    if (auto* linha = qobject_cast<QLineEdit*>(alvo);
        linha && modelo_.textoSelecionado() == modelo_.foco())
        linha->selectAll();
}

void mostrarFrmConfiguracao(Aplicacao& aplicacao, QWidget* pai) {
    FrmConfiguracao dialogo(aplicacao.plataforma(), aplicacao.pastas(), pai,
                            aplicacao.escolhaConfiguracao());
    dialogo.exec();
}

}  // namespace etiquetas
