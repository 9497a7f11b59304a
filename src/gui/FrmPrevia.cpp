#include "gui/FrmPrevia.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Aplicacao.h"
#include "gui/Conexao.h"
#include "previa/DesenhoEtiqueta.h"

namespace etiquetas {

FrmPrevia::FrmPrevia(PaginasPrevia& paginas, QWidget* pai) : QDialog(pai), paginas_(paginas) {
    setObjectName(QStringLiteral("frmPrevia"));
    setWindowTitle(QStringLiteral("Visualizar Etiquetas"));
    montarTela();
    mostrarPagina();
}

void FrmPrevia::montarTela() {
    auto* coluna = new QVBoxLayout(this);
    titulo_ = new QLabel(this);
    titulo_->setObjectName(QStringLiteral("lblPagina"));
    titulo_->setTextFormat(Qt::PlainText);
    titulo_->setWordWrap(true);
    coluna->addWidget(titulo_);

    // The label on a grey table, one screen pixel a printer dot.
    rolagem_ = new QScrollArea(this);
    rolagem_->setBackgroundRole(QPalette::Dark);
    rolagem_->setAlignment(Qt::AlignCenter);
    imagem_ = new QLabel(rolagem_);
    imagem_->setObjectName(QStringLiteral("imgEtiqueta"));
    rolagem_->setWidget(imagem_);
    rolagem_->setWidgetResizable(false);
    rolagem_->setFocusPolicy(Qt::NoFocus);
    // The page fits the area it is shown in once that area has its size:
    // before the window is laid out it is a few pixels wide.
    rolagem_->viewport()->installEventFilter(this);
    coluna->addWidget(rolagem_, 1);

    avisos_ = new QPlainTextEdit(this);
    avisos_->setObjectName(QStringLiteral("txtAvisos"));
    avisos_->setReadOnly(true);
    avisos_->setFocusPolicy(Qt::ClickFocus);  // the page keys stay with the pages
    avisos_->setMaximumHeight(110);
    QStringList linhas;
    for (const auto& a : paginas_.avisos()) linhas << paraTela(a);
    avisos_->setPlainText(linhas.isEmpty() ? QStringLiteral("Nenhum aviso.")
                                           : linhas.join(QLatin1Char('\n')));
    coluna->addWidget(avisos_);

    auto* botoes = new QHBoxLayout;
    anterior_ = new QPushButton(QStringLiteral("< &Anterior"), this);
    anterior_->setObjectName(QStringLiteral("cmdAnterior"));
    proxima_ = new QPushButton(QStringLiteral("&Próxima >"), this);
    proxima_->setObjectName(QStringLiteral("cmdProxima"));
    ajustar_ = new QPushButton(QStringLiteral("A&justar à janela"), this);
    ajustar_->setObjectName(QStringLiteral("cmdAjustar"));
    ajustar_->setCheckable(true);
    ajustar_->setChecked(true);
    ajustar_->setToolTip(
        QStringLiteral("Etiquetas maiores que a janela aparecem inteiras; "
                       "+ e - aproximam e afastam"));
    auto* imprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    imprimir->setObjectName(QStringLiteral("cmdImprimir"));
    auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    botoes->addWidget(anterior_);
    botoes->addWidget(proxima_);
    botoes->addWidget(ajustar_);
    botoes->addStretch(1);
    botoes->addWidget(imprimir);
    botoes->addWidget(fechar);
    coluna->addLayout(botoes);

    connect(anterior_, &QPushButton::clicked, this, &FrmPrevia::paginaAnterior);
    connect(proxima_, &QPushButton::clicked, this, &FrmPrevia::proximaPagina);
    connect(ajustar_, &QPushButton::toggled, this, [this] { mostrarPagina(); });
    connect(imprimir, &QPushButton::clicked, this, [this] {
        imprimir_ = true;
        accept();
    });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    fechar->setDefault(true);
    caberNaTela();
}

// The page and zoom keys reach the window from whichever button has the
// focus (the buttons leave them alone; the picture's area takes no focus).
void FrmPrevia::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
        case Qt::Key_PageDown:
        case Qt::Key_Right:
        case Qt::Key_Down:
            return proximaPagina();
        case Qt::Key_PageUp:
        case Qt::Key_Left:
        case Qt::Key_Up:
            return paginaAnterior();
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return aproximar(1.25);
        case Qt::Key_Minus:
            return aproximar(0.8);
        default:
            QDialog::keyPressEvent(evento);
    }
}

// The whole window on the screen it opens on, buttons included, however
// small the screen.
void FrmPrevia::caberNaTela() {
    const QScreen* tela =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect livre = tela ? tela->availableGeometry() : QRect(0, 0, 900, 760);
    const int margem = 40;  // the title bar and frame the system adds
    const QSize tamanho(std::min(900, livre.width() - 16), std::min(760, livre.height() - margem));
    resize(tamanho);
    move(livre.left() + (livre.width() - tamanho.width()) / 2,
         livre.top() + std::max(0, (livre.height() - margem - tamanho.height()) / 2));
}

void FrmPrevia::proximaPagina() {
    if (!paginas_.temProxima()) return;
    paginas_.proxima();
    mostrarPagina();
}

void FrmPrevia::paginaAnterior() {
    if (!paginas_.temAnterior()) return;
    paginas_.anterior();
    mostrarPagina();
}

void FrmPrevia::aproximar(double fator) {
    escala_ = std::clamp(escalaMostrada_ * fator, 0.1, 8.0);
    if (ajustar_->isChecked()) {
        ajustar_->setChecked(false);  // shows the page again
        return;
    }
    mostrarPagina();
}

bool FrmPrevia::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::Resize && objeto == rolagem_->viewport() && ajustar_ &&
        ajustar_->isChecked())
        mostrarPagina();
    return QDialog::eventFilter(objeto, evento);
}

void FrmPrevia::mostrarPagina() {
    titulo_->setText(paraTela(paginas_.titulo()));
    if (desenhada_ != paginas_.atual() || etiqueta_.isNull()) {
        etiqueta_ = previa::desenharEtiqueta(paginas_.etiquetaAtual(), paginas_.dpmm());
        desenhada_ = paginas_.atual();
    }
    // One printer dot a screen pixel, unless the label is larger than the
    // window and "Ajustar" is on, or the user zoomed.
    escalaMostrada_ = escala_;
    if (ajustar_->isChecked()) {
        const QSize area = rolagem_->viewport()->size() - QSize(4, 4);
        escalaMostrada_ = std::min({1.0, double(area.width()) / std::max(1, etiqueta_.width()),
                                    double(area.height()) / std::max(1, etiqueta_.height())});
    }
    const QImage mostrada = escalaMostrada_ == 1.0
                                ? etiqueta_
                                : etiqueta_.scaled(etiqueta_.size() * escalaMostrada_,
                                                   Qt::KeepAspectRatio, Qt::SmoothTransformation);
    imagem_->setPixmap(QPixmap::fromImage(mostrada));
    imagem_->resize(mostrada.size());
    anterior_->setEnabled(paginas_.temAnterior());
    proxima_->setEnabled(paginas_.temProxima());
}

void mostrarFrmPrevia(Aplicacao& aplicacao, PaginasPrevia& paginas, QWidget* pai) {
    FrmPrevia janela(paginas, pai);
    janela.exec();
    if (janela.imprimir()) aplicacao.cmdImprimir();
}

}  // namespace etiquetas
