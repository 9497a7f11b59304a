#include "gui/FrmEtiqueta.h"

#include <QPointer>
#include <QTimer>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/Aplicacao.h"
#include "gui/Conexao.h"
#include "gui/FrmConfiguracao.h"
#include "gui/FrmHistorico.h"
#include "gui/FrmPrevia.h"
#include "gui/TabelaGrade.h"
#include "gui/Vinculos.h"

namespace etiquetas {

namespace {
constexpr int kAlturaBotaoComando = 34;
constexpr int kEsperaContagemMs = 150;
// How long the end of a run stays in the status line once its box is closed.
constexpr int kStatusDoFimMs = 8000;
// The speed and temperature that reach the templates are short codes.
constexpr int kLarguraValorEnviado = 6;

QString oQueImprime(const QString& tipo) {
    static const std::map<QString, QString> descricoes{
        {QStringLiteral("Etiq.Interna"),
         QStringLiteral("Etiq.Interna: etiquetas das peças, uma por número de sequência")},
        {QStringLiteral("Etiq.Caixa"),
         QStringLiteral("Etiq.Caixa: folhas de etiquetas internas, com separador por SKU")},
        {QStringLiteral("Etiqueta ILPN"),
         QStringLiteral("Etiqueta ILPN: uma etiqueta por volume descrito no arquivo")},
        {QStringLiteral("Etiqueta Volume"),
         QStringLiteral("Etiqueta Volume: etiquetas de volume padrão, pela quantidade de "
                        "caixas informada")},
    };
    const auto d = descricoes.find(tipo);
    return d == descricoes.end() ? QString() : d->second;
}

void negritar(QWidget* w) {
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}
}  // namespace

void RotuloReduzido::definirTextoCompleto(const QString& texto) {
    completo_ = texto;
    setToolTip(texto);
    reduzir();
}

QSize RotuloReduzido::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 10, QLabel::minimumSizeHint().height()};
}

void RotuloReduzido::resizeEvent(QResizeEvent* evento) {
    QLabel::resizeEvent(evento);
    reduzir();
}

void RotuloReduzido::reduzir() {
    setText(fontMetrics().elidedText(completo_, Qt::ElideMiddle, std::max(width(), 1)));
}

FrmEtiqueta::FrmEtiqueta(Aplicacao& aplicacao, QWidget* pai)
    : QMainWindow(pai), aplicacao_(aplicacao), j_(aplicacao.janela()) {
    setObjectName(QStringLiteral("frmEtiqueta"));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* coluna = new QVBoxLayout(central);

    auto* topo = new QHBoxLayout;
    topo->addWidget(montarArquivo(), 3);
    topo->addWidget(montarDados(), 2);
    coluna->addLayout(topo);

    auto* meio = new QHBoxLayout;
    meio->addWidget(montarPedidos(), 1);
    // The printer column takes only the width its controls need: the rest
    // goes to the grid, whose tick and sequence columns must stay in view
    // on a 1024-pixel screen.
    auto* direita = new QWidget(central);
    direita->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* colunaDireita = new QVBoxLayout(direita);
    colunaDireita->setContentsMargins(0, 0, 0, 0);
    colunaDireita->addWidget(montarImpressoras());
    colunaDireita->addWidget(montarTipo());
    colunaDireita->addWidget(montarTeste());
    colunaDireita->addStretch(1);
    meio->addWidget(direita);
    coluna->addLayout(meio, 1);

    auto* base = new QHBoxLayout;
    base->addWidget(montarBarra(), 1);
    // The commands keep their place on the right when the bar hides.
    base->addWidget(montarComandos(), 0, Qt::AlignRight);
    coluna->addLayout(base);
    montarStatus();
    esquecerStatusDoFimComOTempo();

    setWindowTitle(paraTela(j_.titulo));
    conectarEnquantoViver(this, j_.focoMudou, [this] { seguirFoco(); });
    seguirFoco();
    aplicacao_.mostrarPrevia = [janela = QPointer<FrmEtiqueta>(this),
                                &a = aplicacao_](PaginasPrevia& paginas) {
        if (janela) mostrarFrmPrevia(a, paginas, janela);
    };
    aplicacao_.mostrarDialogoConfiguracao = [janela = QPointer<FrmEtiqueta>(this),
                                             &a = aplicacao_] {
        if (janela) mostrarFrmConfiguracao(a, janela);
    };
    aplicacao_.mostrarHistorico = [janela = QPointer<FrmEtiqueta>(this), &a = aplicacao_] {
        if (janela) mostrarFrmHistorico(a, janela);
    };
    aplicacao_.marcadasForaDoFiltro = [janela = QPointer<FrmEtiqueta>(this)] {
        if (!janela) return 0;
        const int tipo = janela->j_.tipoArquivo();
        return tipo == kArquivoPreco    ? janela->sprPedidos_->marcadasForaDoFiltro()
               : tipo == kArquivoVolume ? janela->vaVolume_->marcadasForaDoFiltro()
                                        : 0;
    };
    aplicacao_.fecharJanela = [janela = QPointer<FrmEtiqueta>(this)] {
        if (janela) QTimer::singleShot(0, janela, &QWidget::close);
    };
}

void FrmEtiqueta::closeEvent(QCloseEvent* evento) {
    // A run in progress stops after its current job; the window closes then.
    if (!aplicacao_.podeFechar()) {
        evento->ignore();
        return;
    }
    aplicacao_.fechar();
    evento->accept();
}

void FrmEtiqueta::registrar(QWidget* w, const std::string& nome) {
    w->setObjectName(paraTela(nome));
    porNome_[nome] = w;
}

QLabel* FrmEtiqueta::rotulo(Rotulo& modelo, QWidget* pai) {
    auto* w = new QLabel(pai);
    registrar(w, modelo.nome);
    vincular(*w, modelo);
    return w;
}

QPushButton* FrmEtiqueta::botao(Botao& modelo, QWidget* pai) {
    auto* w = new QPushButton(pai);
    registrar(w, modelo.nome);
    vincular(*w, modelo);
    return w;
}

QComboBox* FrmEtiqueta::lista(Lista& modelo, QWidget* pai) {
    auto* w = new QComboBox(pai);
    w->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    w->setMinimumContentsLength(4);
    registrar(w, modelo.nome);
    vincular(*w, modelo);
    return w;
}

QLabel* FrmEtiqueta::legendaDe(Lista& modelo, QWidget* campo, QWidget* pai) {
    return legenda(modelo.rotulo, modelo, campo, pai);
}

// A caption whose accelerator ("&") puts the focus on its field.
QLabel* FrmEtiqueta::legenda(const std::string& texto, Controle& modelo, QWidget* campo,
                             QWidget* pai) {
    auto* w = new QLabel(paraTela(texto), pai);
    w->setTextFormat(Qt::PlainText);
    w->setBuddy(campo);
    vincularEstado(*w, modelo);
    return w;
}

QLineEdit* FrmEtiqueta::caixa(CaixaTexto& modelo, QWidget* pai) {
    auto* w = new QLineEdit(pai);
    registrar(w, modelo.nome);
    vincular(*w, modelo);
    return w;
}

QRadioButton* FrmEtiqueta::opcao(Opcao& modelo, QWidget* pai) {
    auto* w = new QRadioButton(pai);
    registrar(w, modelo.nome);
    vincular(*w, modelo);
    return w;
}

QGroupBox* FrmEtiqueta::quadro(Rotulo& modelo, QWidget* pai) {
    auto* w = new QGroupBox(pai);
    registrar(w, modelo.nome);
    vincular(*w, modelo);
    return w;
}

QWidget* FrmEtiqueta::montarArquivo() {
    auto* q = quadro(j_.fraArquivo, centralWidget());
    auto* l = new QHBoxLayout(q);
    auto* localizar = botao(j_.cmdLocalizar, q);
    localizar->setMinimumHeight(kAlturaBotaoComando);
    l->addWidget(localizar);
    // The path shortens in the middle rather than widening the window.
    auto* caminho = new RotuloReduzido(q);
    registrar(caminho, j_.lblCaminho.nome);
    caminho->setTextFormat(Qt::PlainText);
    auto pintar = [caminho, this] {
        caminho->definirTextoCompleto(paraTela(j_.lblCaminho.legenda()));
        caminho->setVisible(j_.lblCaminho.visivel());
    };
    pintar();
    conectarEnquantoViver(caminho, j_.lblCaminho.mudou, pintar);
    l->addWidget(caminho, 1);
    auto* historico = botao(j_.cmdHistorico, q);
    historico->setMinimumHeight(kAlturaBotaoComando);
    // A shortcut of its own: a caption set again would drop a button's.
    auto* atalho = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this);
    connect(atalho, &QShortcut::activated, historico, &QPushButton::click);
    historico->setToolTip(paraTela("Histórico de impressões (Ctrl+H)"));
    l->addWidget(historico);
    return q;
}

QWidget* FrmEtiqueta::montarDados() {
    auto* q = quadro(j_.fraDados, centralWidget());
    auto* g = new QGridLayout(q);
    g->addWidget(rotulo(j_.lblTituloTipo, q), 0, 0);
    auto* tipo = rotulo(j_.lblTipoArquivo, q);
    negritar(tipo);
    g->addWidget(tipo, 0, 1, 1, 3);
    const std::pair<Rotulo*, Rotulo*> contagens[] = {
        {&j_.lblTituloPedidos, &j_.lblTotalPedidos},
        {&j_.Label2, &j_.lblTotalitens},
        {&j_.lblTituloVariantes, &j_.lblTotalVariantes},
        {&j_.lblDescImp, &j_.lblTotalEtiquetas},
    };
    int i = 0;
    for (const auto& [titulo, valor] : contagens) {
        const int linha = 1 + i / 2;
        const int col = 2 * (i % 2);
        g->addWidget(rotulo(*titulo, q), linha, col);
        auto* v = rotulo(*valor, q);
        negritar(v);
        g->addWidget(v, linha, col + 1);
        ++i;
    }
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return q;
}

QWidget* FrmEtiqueta::montarPedidos() {
    auto* q = quadro(j_.fraPedidos, centralWidget());
    auto* v = new QVBoxLayout(q);
    v->addWidget(montarFiltro(q));
    // Both grids take the same place; the loaded file's kind shows one.
    auto* lugar = new QGridLayout;
    vaVolume_ = new TabelaGrade(j_.vaVolume, q);
    sprPedidos_ = new TabelaGrade(j_.sprPedidos, q);
    for (auto* tabela : {vaVolume_, sprPedidos_}) {
        const std::string nome = daTela(tabela->objectName());
        porNome_[nome] = tabela;
        // The grid may save its widths while the window is being destroyed.
        Aplicacao& a = aplicacao_;
        tabela->guardarLarguras(
            [&a, nome] { return a.largurasColunas(nome); },
            [&a, nome](const std::vector<int>& l) { a.lembrarLargurasColunas(nome, l); });
    }
    // The ticked count renders the rows: once the ticks and ranges rest.
    auto* contagem = new QTimer(this);
    contagem->setSingleShot(true);
    contagem->setInterval(kEsperaContagemMs);
    connect(contagem, &QTimer::timeout, this, [this] { aplicacao_.atualizarEtiquetasMarcadas(); });
    conectarEnquantoViver(contagem, j_.sprPedidos.mudou,
                          [contagem](int, int) { contagem->start(); });
    connect(filtro_, &QLineEdit::textChanged, this, [this](const QString& texto) {
        sprPedidos_->filtrar(texto);
        vaVolume_->filtrar(texto);
    });
    // Another file starts with every row in view.
    conectarEnquantoViver(filtro_, j_.lblCaminho.mudou, [this] { filtro_->clear(); });
    lugar->addWidget(vaVolume_, 0, 0);
    lugar->addWidget(sprPedidos_, 0, 0);
    v->addLayout(lugar, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(botao(j_.cmdSelTodos, q));
    botoes->addWidget(botao(j_.cmdDesmarcaTodos, q));
    botoes->addWidget(botao(j_.cmdAtualizaQtd, q));
    botoes->addStretch(1);
    v->addLayout(botoes);
    // On a line of its own: beside the buttons it kept the window wider
    // than a 1024-pixel screen.
    auto* separador = new QCheckBox(q);
    registrar(separador, j_.ckbMaterialForn.nome);
    vincular(*separador, j_.ckbMaterialForn);
    v->addWidget(separador);
    return q;
}

// Narrows the rows shown; Space and Ctrl+A then act on those only.
QWidget* FrmEtiqueta::montarFiltro(QWidget* pai) {
    filtro_ = new QLineEdit(pai);
    filtro_->setObjectName(QStringLiteral("txtFiltro"));
    filtro_->setClearButtonEnabled(true);
    filtro_->setPlaceholderText(
        QStringLiteral("Filtrar por pedido, item, variante ou descrição (Ctrl+F)"));
    auto* atalho = new QShortcut(QKeySequence::Find, this);
    connect(atalho, &QShortcut::activated, filtro_, [this] { filtro_->setFocus(); });
    return filtro_;
}

QWidget* FrmEtiqueta::montarImpressoras() {
    auto* q = quadro(j_.fraImpressoras, centralWidget());
    auto* g = new QGridLayout(q);
    auto* impressora = lista(j_.cmbImpressora, q);
    g->addLayout(montarEstadoImpressora(legendaDe(j_.cmbImpressora, impressora, q), q), 0, 0, 1, 3);
    g->addWidget(impressora, 1, 0, 1, 3);
    auto* modelo = lista(j_.cmbModelo, q);
    auto* legendaModelo = rotulo(j_.LblImp, q);
    legendaModelo->setBuddy(modelo);
    g->addWidget(legendaModelo, 2, 0);
    g->addWidget(modelo, 2, 1, 1, 2);
    int linha = 3;
    for (auto [escolha, enviado] : {std::pair{&j_.cmdVelocidade, &j_.txtvelocidade},
                                    std::pair{&j_.cmdTemperatura, &j_.txtTemperatura}}) {
        auto* l = lista(*escolha, q);
        g->addWidget(legendaDe(*escolha, l, q), linha, 0);
        g->addWidget(l, linha, 1);
        auto* c = caixa(*enviado, q);
        c->setMaximumWidth(kLarguraValorEnviado * c->fontMetrics().averageCharWidth());
        g->addWidget(c, linha++, 2);
    }

    // The resolution shares the row of the port kind: a row more would not
    // fit a 1024x768 screen.
    auto* opcoes = new QHBoxLayout;
    opcoes->addWidget(opcao(j_.optLocal, q));
    opcoes->addWidget(opcao(j_.optRede, q));
    opcoes->addStretch(1);
    auto* resolucao = lista(j_.cmbResolucao, q);
    opcoes->addWidget(legendaDe(j_.cmbResolucao, resolucao, q));
    opcoes->addWidget(resolucao);
    g->addLayout(opcoes, linha++, 0, 1, 3);
    g->addWidget(montarPorta(q), linha, 0, 1, 3);
    g->addWidget(montarRede(q), linha++, 0, 1, 3);
    // The serial lists keep columns of their own, so that showing them does
    // not squeeze the speed and temperature captions.
    // Their place is kept while they hide: the column neither widens nor
    // moves the grid sideways when a serial port is chosen.
    auto* serial = montarSerial(q);
    QSizePolicy reservado = serial->sizePolicy();
    reservado.setRetainSizeWhenHidden(true);
    serial->setSizePolicy(reservado);
    g->addWidget(serial, linha++, 0, 1, 3);
    auto* detalhe = rotulo(j_.lblDetalhePortaCom, q);
    detalhe->setWordWrap(true);
    g->addWidget(detalhe, linha++, 0, 1, 3);

    g->addWidget(botao(j_.CmZebra, q), linha++, 0, 1, 2);
    g->addWidget(rotulo(j_.LblZebra, q), linha, 0, 1, 3);
    g->setColumnStretch(1, 1);
    return q;
}

// The printer's own state beside its caption: on the row the caption
// already takes, so that the window stays within a 1024x768 screen. A long
// reason (a connection refused) takes the room there is and no more; its
// hint holds it whole.
QLayout* FrmEtiqueta::montarEstadoImpressora(QLabel* legendaImpressora, QWidget* pai) {
    auto* l = new QHBoxLayout;
    l->addWidget(legendaImpressora);
    auto* estado = rotulo(j_.lblEstadoImpressora, pai);
    negritar(estado);
    estado->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    estado->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    estado->setMinimumWidth(
        estado->fontMetrics().horizontalAdvance(QStringLiteral("não consultável")));
    l->addWidget(estado, 1);
    auto* consultar = botao(j_.cmdEstadoImpressora, pai);
    consultar->setToolTip(QStringLiteral("Perguntar à impressora o seu estado"));
    l->addWidget(consultar);
    return l;
}

QWidget* FrmEtiqueta::montarPorta(QWidget* pai) {
    auto* porta = new QWidget(pai);
    auto* l = new QHBoxLayout(porta);
    l->setContentsMargins(0, 0, 0, 0);
    auto* portas = lista(j_.cmbCaminhoImpressora, porta);
    l->addWidget(legendaDe(j_.cmbCaminhoImpressora, portas, porta));
    l->addWidget(portas, 1);
    return porta;
}

// The network path box lies over the port list: while it shows, it covers
// the list.
QWidget* FrmEtiqueta::montarRede(QWidget* pai) {
    auto* rede = new QWidget(pai);
    rede->setAutoFillBackground(true);
    auto* l = new QHBoxLayout(rede);
    l->setContentsMargins(0, 0, 0, 0);
    auto* caminho = caixa(j_.txtCaminhoImpressora, rede);
    auto* legendaRede = new QLabel(paraTela(j_.txtCaminhoImpressora.rotulo), rede);
    legendaRede->setBuddy(caminho);
    l->addWidget(legendaRede);
    l->addWidget(caminho, 1);
    vincularEstado(*rede, j_.txtCaminhoImpressora);
    rede->raise();
    return rede;
}

QWidget* FrmEtiqueta::montarSerial(QWidget* pai) {
    auto* serial = new QWidget(pai);
    auto* g = new QGridLayout(serial);
    g->setContentsMargins(0, 0, 0, 0);
    const std::pair<Rotulo*, Lista*> campos[] = {{&j_.Lblcom1, &j_.cbvelocidade},
                                                 {&j_.Lblcom2, &j_.cbparidade},
                                                 {&j_.Lblcom3, &j_.cbbitdados},
                                                 {&j_.Lblcom4, &j_.cbbitparada}};
    int i = 0;
    for (auto [legendaCampo, campo] : campos) {
        auto* l = lista(*campo, serial);
        auto* r = rotulo(*legendaCampo, serial);
        r->setBuddy(l);
        g->addWidget(r, i / 2, 2 * (i % 2));
        g->addWidget(l, i / 2, 2 * (i % 2) + 1);
        ++i;
    }
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return serial;
}

QWidget* FrmEtiqueta::montarTipo() {
    auto* q = quadro(j_.frmTipo, centralWidget());
    auto* l = new QHBoxLayout(q);
    auto* tipos = lista(j_.cbvTipoEtiq, q);
    // Each entry says what it prints, as the list fills.
    connect(tipos->model(), &QAbstractItemModel::rowsInserted, tipos,
            [tipos](const QModelIndex&, int primeira, int ultima) {
                for (int i = primeira; i <= ultima; ++i)
                    tipos->setItemData(i, oQueImprime(tipos->itemText(i)), Qt::ToolTipRole);
            });
    l->addWidget(tipos);
    return q;
}

QWidget* FrmEtiqueta::montarTeste() {
    auto* q = quadro(j_.fraTeste, centralWidget());
    // One above the other: side by side they widened the printer column.
    auto* l = new QVBoxLayout(q);
    for (Opcao* o : {&j_.Option1, &j_.Option2, &j_.Option3, &j_.Option4})
        l->addWidget(opcao(*o, q), 0, Qt::AlignLeft);
    return q;
}

QWidget* FrmEtiqueta::montarComandos() {
    auto* w = new QWidget(centralWidget());
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (Botao* b : {&j_.cmdConfiguracao, &j_.cmdGerarTxt, &j_.cmdVisualizar, &j_.cmdImprimir,
                     &j_.cmdCancelar, &j_.cmdSair}) {
        auto* pb = botao(*b, w);
        pb->setMinimumHeight(kAlturaBotaoComando);
        pb->setMinimumWidth(110);
        l->addWidget(pb);
    }
    // Escape stops a run, as "Cancelar" does; off otherwise, where it leaves
    // a cell being typed in.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    const auto seguirCancelar = [this, escape] {
        escape->setEnabled(j_.cmdCancelar.visivel() && j_.cmdCancelar.habilitado());
    };
    seguirCancelar();
    conectarEnquantoViver(escape, j_.cmdCancelar.mudou, seguirCancelar);
    connect(escape, &QShortcut::activated, this, [this] { j_.cmdCancelar.clicar(); });
    return w;
}

QWidget* FrmEtiqueta::montarBarra() {
    auto* q = quadro(j_.frameBarra, centralWidget());
    auto* l = new QHBoxLayout(q);
    auto* barra = new QProgressBar(q);
    registrar(barra, j_.ProgressBar1.nome);
    vincular(*barra, j_.ProgressBar1);
    l->addWidget(barra);
    return q;
}

void FrmEtiqueta::montarStatus() {
    auto* texto = new QLabel(statusBar());
    registrar(texto, j_.StatusBar1.nome);
    statusBar()->addWidget(texto, 1);
    vincular(*texto, j_.StatusBar1);
}

// Read an hour later, "Etiquetas impressas com Sucesso" would speak of a
// print long done: the file's own text comes back after a while.
void FrmEtiqueta::esquecerStatusDoFimComOTempo() {
    auto* espera = new QTimer(this);
    espera->setSingleShot(true);
    espera->setInterval(kStatusDoFimMs);
    connect(espera, &QTimer::timeout, this, [this] { aplicacao_.esquecerStatusDoFim(); });
    conectarEnquantoViver(espera, j_.cmdCancelar.mudou, [this, espera] {
        if (!j_.cmdCancelar.visivel()) espera->start();
    });
}

void FrmEtiqueta::seguirFoco() {
    const auto w = porNome_.find(j_.foco());
    if (w != porNome_.end() && w->second->isEnabled()) w->second->setFocus(Qt::OtherFocusReason);
}

}  // namespace etiquetas
