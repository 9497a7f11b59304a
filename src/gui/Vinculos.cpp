#include "gui/Vinculos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>

#include "app/Controles.h"
#include "gui/Conexao.h"
#include "gui/ModeloGrade.h"

namespace etiquetas {

namespace {

void pintarEstado(QWidget& w, const Controle& c) {
    w.setEnabled(c.habilitado());
    // Hiding or showing a widget before it has a parent would make it a
    // window of its own.
    if (w.parentWidget()) w.setVisible(c.visivel());
}

// Colour 0 is black, the default text of a light palette: the widget keeps
// its palette until a real colour comes.
void pintarCor(QWidget& w, int cor) {
    if (cor == 0 && !w.testAttribute(Qt::WA_SetPalette)) return;
    QPalette p = w.palette();
    p.setColor(QPalette::WindowText, corDaJanela(cor));
    p.setColor(QPalette::ButtonText, corDaJanela(cor));
    w.setPalette(p);
}

template <typename Widget, typename Modelo, typename Pintar>
void ligarPintura(Widget& w, Modelo& m, Pintar pintar) {
    pintar(w, m);
    conectarEnquantoViver(&w, m.mudou, [&w, &m, pintar] { pintar(w, m); });
}

void pintarRotulo(QLabel& l, const Rotulo& m) {
    l.setText(paraTela(m.legenda()));
    l.setToolTip(paraTela(m.dica()));
    pintarCor(l, m.cor());
    pintarEstado(l, m);
}

QStringList textos(const Lista& m) {
    QStringList t;
    for (const auto& item : m.itens()) t << paraTela(item.texto);
    return t;
}

QStringList textos(const QComboBox& c) {
    QStringList t;
    for (int i = 0; i < c.count(); ++i) t << c.itemText(i);
    return t;
}

void pintarLista(QComboBox& c, const Lista& m) {
    const QSignalBlocker bloqueio(c);
    const QStringList itens = textos(m);
    if (itens != textos(c)) {
        c.clear();
        c.addItems(itens);
    }
    c.setCurrentIndex(m.indice());
    // Free text that matches no item (as "Etiq. Interna" before the
    // variants are known) shows in the empty box.
    c.setPlaceholderText(m.indice() < 0 ? paraTela(m.texto()) : QString());
    c.setToolTip(paraTela(m.dica));
    pintarEstado(c, m);
}

}  // namespace

void vincular(QLabel& rotulo, Rotulo& modelo) {
    rotulo.setTextFormat(Qt::PlainText);
    ligarPintura(rotulo, modelo, pintarRotulo);
}

void vincular(QGroupBox& quadro, Rotulo& modelo) {
    ligarPintura(quadro, modelo, [](QGroupBox& q, const Rotulo& m) {
        q.setTitle(paraTela(m.legenda()));
        pintarCor(q, m.cor());
        pintarEstado(q, m);
    });
}

void vincular(QPushButton& botao, Botao& modelo) {
    ligarPintura(botao, modelo, [](QPushButton& b, const Botao& m) {
        b.setText(paraTela(m.legenda()));
        b.setToolTip(paraTela(m.dica()));
        pintarCor(b, m.cor());
        pintarEstado(b, m);
    });
    QObject::connect(&botao, &QPushButton::clicked, &botao, [&modelo] { modelo.clicar(); });
}

void vincular(QComboBox& lista, Lista& modelo) {
    lista.setEditable(false);
    ligarPintura(lista, modelo, pintarLista);
    QObject::connect(&lista, &QComboBox::activated, &lista, [&modelo](int i) {
        if (i != modelo.indice()) modelo.selecionar(i);
    });
}

void vincular(QLineEdit& caixa, CaixaTexto& modelo) {
    ligarPintura(caixa, modelo, [](QLineEdit& c, const CaixaTexto& m) {
        const QString texto = paraTela(m.texto());
        if (c.text() != texto) c.setText(texto);
        c.setToolTip(paraTela(m.dica));
        pintarEstado(c, m);
    });
    QObject::connect(&caixa, &QLineEdit::textEdited, &caixa,
                     [&modelo](const QString& t) { modelo.definirTexto(daTela(t)); });
}

void vincular(QRadioButton& opcao, Opcao& modelo) {
    // The model keeps the group exclusive; Qt's own exclusivity would mark
    // a button the model did not.
    opcao.setAutoExclusive(false);
    ligarPintura(opcao, modelo, [](QRadioButton& o, const Opcao& m) {
        o.setText(paraTela(m.legenda));
        o.setChecked(m.marcada());
        pintarEstado(o, m);
    });
    QObject::connect(&opcao, &QRadioButton::clicked, &opcao, [&opcao, &modelo] {
        if (!modelo.marcada()) modelo.clicar();
        opcao.setChecked(modelo.marcada());
    });
}

void vincular(QCheckBox& caixa, Opcao& modelo) {
    ligarPintura(caixa, modelo, [](QCheckBox& c, const Opcao& m) {
        c.setText(paraTela(m.legenda));
        c.setChecked(m.marcada());
        pintarEstado(c, m);
    });
    QObject::connect(&caixa, &QCheckBox::clicked, &caixa, [&modelo](bool marcada) {
        modelo.definirMarcada(marcada);
        modelo.clicada.emitir();
    });
}

void vincular(QProgressBar& barra, BarraProgresso& modelo) {
    barra.setTextVisible(false);
    ligarPintura(barra, modelo, [](QProgressBar& b, const BarraProgresso& m) {
        // An empty range would turn the bar into a busy indicator.
        const int maximo = std::max(m.maximo(), m.minimo() + 1);
        b.setRange(m.minimo(), maximo);
        b.setValue(std::clamp(m.valor(), m.minimo(), maximo));
        QString texto = paraTela(m.texto());
        b.setFormat(texto.replace(u'%', QStringLiteral("%%")));
        b.setTextVisible(!texto.isEmpty());
        pintarEstado(b, m);
    });
}

void vincular(QLabel& barra, BarraStatus& modelo) {
    barra.setTextFormat(Qt::PlainText);
    ligarPintura(barra, modelo, [](QLabel& b, const BarraStatus& m) {
        b.setText(paraTela(m.texto()));
        pintarEstado(b, m);
    });
}

void vincularEstado(QWidget& widget, Controle& modelo) {
    ligarPintura(widget, modelo, [](QWidget& w, const Controle& m) { pintarEstado(w, m); });
}

}  // namespace etiquetas
