#include "gui/FrmPrevia.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

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
    coluna->addWidget(titulo_);

    // The label on a grey table, one screen pixel a printer dot.
    auto* rolagem = new QScrollArea(this);
    rolagem->setBackgroundRole(QPalette::Dark);
    rolagem->setAlignment(Qt::AlignCenter);
    imagem_ = new QLabel(rolagem);
    imagem_->setObjectName(QStringLiteral("imgEtiqueta"));
    rolagem->setWidget(imagem_);
    rolagem->setWidgetResizable(false);
    coluna->addWidget(rolagem, 1);

    avisos_ = new QPlainTextEdit(this);
    avisos_->setObjectName(QStringLiteral("txtAvisos"));
    avisos_->setReadOnly(true);
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
    auto* imprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    imprimir->setObjectName(QStringLiteral("cmdImprimir"));
    auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    botoes->addWidget(anterior_);
    botoes->addWidget(proxima_);
    botoes->addStretch(1);
    botoes->addWidget(imprimir);
    botoes->addWidget(fechar);
    coluna->addLayout(botoes);

    connect(anterior_, &QPushButton::clicked, this, [this] {
        paginas_.anterior();
        mostrarPagina();
    });
    connect(proxima_, &QPushButton::clicked, this, [this] {
        paginas_.proxima();
        mostrarPagina();
    });
    connect(imprimir, &QPushButton::clicked, this, [this] {
        imprimir_ = true;
        accept();
    });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    fechar->setDefault(true);
    resize(900, 760);
}

void FrmPrevia::mostrarPagina() {
    titulo_->setText(paraTela(paginas_.titulo()));
    const QImage etiqueta = previa::desenharEtiqueta(paginas_.etiquetaAtual(), paginas_.dpmm());
    imagem_->setPixmap(QPixmap::fromImage(etiqueta));
    imagem_->resize(etiqueta.size());
    anterior_->setEnabled(paginas_.temAnterior());
    proxima_->setEnabled(paginas_.temProxima());
}

void mostrarFrmPrevia(Aplicacao& aplicacao, PaginasPrevia& paginas, QWidget* pai) {
    FrmPrevia janela(paginas, pai);
    janela.exec();
    if (janela.imprimir()) aplicacao.cmdImprimir();
}

}  // namespace etiquetas
