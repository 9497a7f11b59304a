// Draws the preview pictures of the layout dialog, one per label type. Run
// once when a picture changes; the PNGs are committed beside this file and
// built into the program through imagens.qrc:
//   g++ -std=c++20 -fPIC DesenharImagens.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/desenhar
//   QT_QPA_PLATFORM=offscreen /tmp/desenhar src/gui/imagens

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

constexpr int kLargura = 320, kAltura = 240;

// Bars of a Code 128-looking pattern, the same for every run.
void codigoBarras(QPainter& p, QRectF area) {
    unsigned semente = 12345;
    double x = area.left();
    bool barra = true;
    while (x < area.right()) {
        semente = semente * 1103515245u + 12345u;
        const double largura = 1.2 * (1 + (semente >> 16) % 3);
        if (barra) p.fillRect(QRectF(x, area.top(), largura, area.height()), Qt::black);
        x += largura;
        barra = !barra;
    }
}

void texto(QPainter& p, QRectF area, const QString& t, int pontos, bool negrito = false,
           Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter) {
    QFont fonte(QStringLiteral("DejaVu Sans"));
    fonte.setPixelSize(pontos);
    fonte.setBold(negrito);
    p.setFont(fonte);
    p.setPen(Qt::black);
    p.drawText(area, alinhamento, t);
}

void sombraEEtiqueta(QPainter& p, const QPainterPath& forma) {
    p.fillPath(forma.translated(4, 4), QColor(0, 0, 0, 60));
    p.fillPath(forma, Qt::white);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawPath(forma);
}

void precoCartolina(QPainter& p) {
    // A hanging card tag: upright, with the hole for the string.
    QPainterPath forma;
    forma.addRoundedRect(QRectF(95, 10, 130, 218), 8, 8);
    QPainterPath furo;
    furo.addEllipse(QPointF(160, 26), 6, 6);
    sombraEEtiqueta(p, forma.subtracted(furo));
    texto(p, QRectF(105, 38, 110, 18), QStringLiteral("QUELMONTE"), 13, true, Qt::AlignCenter);
    texto(p, QRectF(105, 58, 110, 14), QStringLiteral("Camiseta algodão"), 10, false,
          Qt::AlignCenter);
    texto(p, QRectF(105, 76, 55, 14), QStringLiteral("Tam: M"), 10);
    texto(p, QRectF(160, 76, 55, 14), QStringLiteral("Cor: AZUL"), 10, false, Qt::AlignRight);
    texto(p, QRectF(100, 96, 120, 34), QStringLiteral("R$ 49,90"), 20, true, Qt::AlignCenter);
    texto(p, QRectF(105, 132, 110, 12), QStringLiteral("Ref. 4500012345 / 00010"), 8, false,
          Qt::AlignCenter);
    codigoBarras(p, QRectF(110, 150, 100, 44));
    texto(p, QRectF(105, 196, 110, 14), QStringLiteral("2 4567890123 7 0005"), 9, false,
          Qt::AlignCenter);
}

void precoAdesiva(QPainter& p) {
    // A small self-adhesive label on its liner.
    p.fillRect(QRectF(20, 40, 280, 160), QColor(236, 226, 200));
    QPainterPath forma;
    forma.addRoundedRect(QRectF(40, 60, 240, 120), 14, 14);
    sombraEEtiqueta(p, forma);
    texto(p, QRectF(54, 68, 140, 16), QStringLiteral("Camiseta algodão"), 11, true);
    texto(p, QRectF(54, 86, 140, 14), QStringLiteral("Tam: M   Cor: AZUL"), 10);
    texto(p, QRectF(180, 70, 90, 30), QStringLiteral("R$ 49,90"), 17, true, Qt::AlignRight);
    codigoBarras(p, QRectF(54, 108, 150, 42));
    texto(p, QRectF(54, 152, 150, 14), QStringLiteral("2 4567890123 7 0005"), 9, false,
          Qt::AlignCenter);
    texto(p, QRectF(210, 120, 60, 40), QStringLiteral("CAT-01\nPMG"), 10, false, Qt::AlignRight);
}

void etiquetaVolume(QPainter& p, const QString& titulo, const QString& linha1,
                    const QString& linha2, const QString& caixa, const QString& codigo) {
    // A shipping-box label, wide and plain, on a carton.
    p.fillRect(QRectF(0, 0, kLargura, kAltura), QColor(205, 160, 105));
    QPainterPath forma;
    forma.addRect(QRectF(28, 22, 264, 196));
    sombraEEtiqueta(p, forma);
    p.fillRect(QRectF(28, 22, 264, 26), Qt::black);
    QFont fonte(QStringLiteral("DejaVu Sans"));
    fonte.setPixelSize(13);
    fonte.setBold(true);
    p.setFont(fonte);
    p.setPen(Qt::white);
    p.drawText(QRectF(28, 22, 264, 26), Qt::AlignCenter, titulo);
    texto(p, QRectF(38, 54, 244, 18), linha1, 12, true);
    texto(p, QRectF(38, 74, 244, 16), linha2, 11);
    texto(p, QRectF(38, 92, 244, 16), QStringLiteral("Material: 0012345678"), 11);
    texto(p, QRectF(170, 53, 112, 20), caixa, 14, true, Qt::AlignRight | Qt::AlignVCenter);
    codigoBarras(p, QRectF(48, 116, 224, 70));
    texto(p, QRectF(38, 190, 244, 16), codigo, 10, false, Qt::AlignCenter);
}

void volumeReposicao(QPainter& p) {
    etiquetaVolume(p, QStringLiteral("REPOSIÇÃO AUTOMÁTICA"), QStringLiteral("LOJA 0101"),
                   QStringLiteral("Pedido 4500054321  Item 00020"), QStringLiteral("CX 001/003"),
                   QStringLiteral("0101 0012345678 001 000008 0003"));
}

void volumePadrao(QPainter& p) {
    etiquetaVolume(p, QStringLiteral("VOLUME PADRÃO"), QStringLiteral("CD 0001"),
                   QStringLiteral("Pedido 4500054321  Item 00020"), QStringLiteral("CX 001/003"),
                   QStringLiteral("0012345678 001 003"));
}

void gravar(const QString& pasta, const QString& nome, const std::function<void(QPainter&)>& d) {
    QImage imagem(kLargura, kAltura, QImage::Format_RGB32);
    imagem.fill(QColor(245, 245, 245));
    {
        QPainter p(&imagem);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        d(p);
    }
    imagem.save(pasta + u'/' + nome + QStringLiteral(".png"));
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString pasta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    gravar(pasta, QStringLiteral("PRECO_CARTOLINA"), precoCartolina);
    gravar(pasta, QStringLiteral("PRECO_ADESIVA"), precoAdesiva);
    gravar(pasta, QStringLiteral("VOLUME_REPOSICAO"), volumeReposicao);
    gravar(pasta, QStringLiteral("VOLUME_PADRAO"), volumePadrao);
    return 0;
}
