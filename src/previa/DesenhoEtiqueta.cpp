#include "previa/DesenhoEtiqueta.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "comum/Arquivos.h"
#include "previa/FontesPrevia.h"

namespace etiquetas::previa {

namespace {

using namespace etiquetas::zpl;

// A label without ^PW and ^LL: 4 by 6 inches.
constexpr double kLarguraPadraoMm = 101.6;
constexpr double kComprimentoPadraoMm = 152.4;

QRect qt(const Retangulo& r) {
    return QRect(r.x, r.y, r.largura, r.altura);
}

// Black ink, or for ^FR the colour that flips whatever lies beneath.
void prepararTinta(QPainter& p, bool preta, bool reverso) {
    p.setPen(Qt::NoPen);
    if (reverso) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setBrush(Qt::white);
    } else {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setBrush(preta ? Qt::black : Qt::white);
    }
}

qreal angulo(Orientacao o) {
    switch (o) {
        case Orientacao::Rotacionada:
            return 90;
        case Orientacao::Invertida:
            return 180;
        case Orientacao::DeBaixoParaCima:
            return 270;
        default:
            return 0;
    }
}

// ---- text

struct Linha {
    QString texto;
    double largura = 0;
};

double larguraTexto(const QFontMetricsF& m, const FonteCampo& f, const QString& t) {
    return m.horizontalAdvance(t) * f.escalaX;
}

// Words wrapped into the block's width; "\&" breaks a line. Lines beyond the
// block's count are printed over its last line, as the printer does.
std::vector<Linha> quebrarLinhas(const QString& texto, const Bloco& b, const QFontMetricsF& m,
                                 const FonteCampo& f) {
    std::vector<Linha> linhas;
    for (const QString& paragrafo : texto.split(QStringLiteral("\\&"))) {
        Linha atual;
        for (const QString& palavra : paragrafo.split(QLatin1Char(' '))) {
            const QString tentativa =
                atual.texto.isEmpty() ? palavra : atual.texto + QLatin1Char(' ') + palavra;
            const double l = larguraTexto(m, f, tentativa);
            if (l > b.largura && !atual.texto.isEmpty()) {
                linhas.push_back(atual);
                atual = {palavra, larguraTexto(m, f, palavra)};
            } else {
                atual = {tentativa, l};
            }
        }
        linhas.push_back(atual);
    }
    return linhas;
}

double deslocamento(const Linha& l, const Bloco& b) {
    if (b.justificacao == 'C') return (b.largura - l.largura) / 2;
    if (b.justificacao == 'R') return b.largura - l.largura;
    return 0;
}

// The field drawn upright with the top of its first line at local y = 0.
void desenharLinhas(QPainter& p, const std::vector<Linha>& linhas, const OpTexto& t,
                    const FonteCampo& f) {
    const double passo = t.altura + (t.bloco ? t.bloco->espacamento : 0);
    const int ultima = t.bloco ? t.bloco->linhas - 1 : 0;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const double x = t.bloco ? deslocamento(linhas[i], *t.bloco) : 0;
        const double y = std::min<double>(i, ultima) * passo + f.ascendente;
        p.save();
        p.translate(x, y);
        p.scale(f.escalaX, 1);
        p.drawText(QPointF(0, 0), linhas[i].texto);
        p.restore();
    }
}

// ^FO places the rotated field's top-left corner; ^FT the first baseline.
void posicionarCampo(QPainter& p, const OpTexto& t, double largura, double altura,
                     const FonteCampo& f) {
    p.translate(t.x, t.y);
    if (t.naLinhaBase) {
        p.rotate(angulo(t.orientacao));
        p.translate(0, -f.ascendente);
        return;
    }
    switch (t.orientacao) {
        case Orientacao::Rotacionada:
            p.translate(altura, 0);
            break;
        case Orientacao::Invertida:
            p.translate(largura, altura);
            break;
        case Orientacao::DeBaixoParaCima:
            p.translate(0, largura);
            break;
        default:
            break;
    }
    p.rotate(angulo(t.orientacao));
}

void desenharTexto(QPainter& p, const OpTexto& t) {
    const FonteCampo f = fonteDoCampo(t);
    const QFontMetricsF m(f.fonte);
    const QString texto = QString::fromUtf8(t.texto.data(), static_cast<qsizetype>(t.texto.size()));
    std::vector<Linha> linhas;
    if (t.bloco)
        linhas = quebrarLinhas(texto, *t.bloco, m, f);
    else
        linhas.push_back({texto, larguraTexto(m, f, texto)});
    const double largura = t.bloco ? t.bloco->largura : linhas.front().largura;
    const int nLinhas =
        t.bloco ? std::min<int>(t.bloco->linhas, static_cast<int>(linhas.size())) : 1;
    const double altura = nLinhas * t.altura + (nLinhas - 1) * (t.bloco ? t.bloco->espacamento : 0);
    p.save();
    p.setFont(f.fonte);
    if (t.reverso) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(Qt::white);
    } else {
        p.setPen(Qt::black);
    }
    posicionarCampo(p, t, largura, altura, f);
    desenharLinhas(p, linhas, t, f);
    p.restore();
}

// ---- graphics

void desenharCaixa(QPainter& p, const OpCaixa& c) {
    prepararTinta(p, c.preta, c.reverso);
    const QRectF fora = qt(c.area);
    const double menor = std::min(fora.width(), fora.height());
    const double raio = c.arredondamento * menor / 16.0;
    QPainterPath caminho;
    caminho.setFillRule(Qt::OddEvenFill);
    caminho.addRoundedRect(fora, raio, raio);
    if (2 * c.espessura < menor) {
        const QRectF dentro = fora.adjusted(c.espessura, c.espessura, -c.espessura, -c.espessura);
        const double r = std::max(0.0, raio - c.espessura);
        caminho.addRoundedRect(dentro, r, r);
    }
    p.drawPath(caminho);
}

void desenharCirculo(QPainter& p, const OpCirculo& c) {
    prepararTinta(p, c.preta, c.reverso);
    QPainterPath caminho;
    caminho.setFillRule(Qt::OddEvenFill);
    caminho.addEllipse(QRectF(c.x, c.y, c.diametro, c.diametro));
    if (2 * c.espessura < c.diametro)
        caminho.addEllipse(QRectF(c.x + c.espessura, c.y + c.espessura,
                                  c.diametro - 2 * c.espessura, c.diametro - 2 * c.espessura));
    p.drawPath(caminho);
}

void desenharDiagonal(QPainter& p, const OpDiagonal& d) {
    prepararTinta(p, d.preta, d.reverso);
    const double x = d.area.x, y = d.area.y, l = d.area.largura, a = d.area.altura, e = d.espessura;
    const QPolygonF faixa =
        d.subindo ? QPolygonF({{x, y + a}, {x + e, y + a}, {x + l, y}, {x + l - e, y}})
                  : QPolygonF({{x, y}, {x + e, y}, {x + l, y + a}, {x + l - e, y + a}});
    p.drawPolygon(faixa);
}

void desenharBarras(QPainter& p, const OpCodigoBarras& b) {
    prepararTinta(p, true, b.reverso);
    for (const Retangulo& r : b.barras) p.drawRect(qt(r));
}

// Set bits print; clear bits leave what is beneath.
void desenharGrafico(QPainter& p, const OpGrafico& g) {
    if (g.largura <= 0 || g.altura <= 0 || !g.bits) return;
    QImage bits(g.bits->data(), g.largura, g.altura, g.bytesPorLinha, QImage::Format_Mono);
    bits.setColorTable({qRgba(255, 255, 255, 0), qRgba(0, 0, 0, 255)});
    QImage tinta = bits.convertToFormat(QImage::Format_ARGB32);
    p.setCompositionMode(g.reverso ? QPainter::RasterOp_SourceXorDestination
                                   : QPainter::CompositionMode_SourceOver);
    if (g.reverso) tinta.invertPixels(QImage::InvertRgb);
    p.drawImage(QRect(g.x, g.y, g.largura * g.ampliacaoX, g.altura * g.ampliacaoY), tinta);
}

struct Desenhista {
    QPainter& p;
    void operator()(const OpTexto& o) const { desenharTexto(p, o); }
    void operator()(const OpCaixa& o) const { desenharCaixa(p, o); }
    void operator()(const OpCirculo& o) const { desenharCirculo(p, o); }
    void operator()(const OpDiagonal& o) const { desenharDiagonal(p, o); }
    void operator()(const OpCodigoBarras& o) const { desenharBarras(p, o); }
    void operator()(const OpGrafico& o) const { desenharGrafico(p, o); }
};

}  // namespace

bool resolucaoValida(int dpmm) {
    return dpmm == 8 || dpmm == 12 || dpmm == 24;
}

QSize tamanhoEtiqueta(const ConfiguracaoEtiqueta& c, int dpmm) {
    const int largura = c.largura.value_or(static_cast<int>(std::lround(kLarguraPadraoMm * dpmm)));
    const int comprimento =
        c.comprimento.value_or(static_cast<int>(std::lround(kComprimentoPadraoMm * dpmm)));
    return QSize(std::clamp(largura, 1, kLarguraMaxima),
                 std::clamp(comprimento, 1, kComprimentoMaximo));
}

QImage desenharEtiqueta(const Etiqueta& etiqueta, int dpmm) {
    QImage imagem(tamanhoEtiqueta(etiqueta.configuracao, dpmm), QImage::Format_RGB32);
    imagem.fill(Qt::white);
    const int pontosPorMetro = dpmm * 1000;
    imagem.setDotsPerMeterX(pontosPorMetro);
    imagem.setDotsPerMeterY(pontosPorMetro);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    for (const Operacao& op : etiqueta.operacoes) {
        p.save();
        std::visit(Desenhista{p}, op);
        p.restore();
    }
    return imagem;
}

// The PNG writer takes a short write for a whole one: the bytes are made
// first, and every one of them is accounted for on the way to the disk.
bool gravarEtiqueta(const Etiqueta& etiqueta, int dpmm, const std::filesystem::path& arquivo) {
    QByteArray png;
    QBuffer memoria(&png);
    if (!memoria.open(QIODevice::WriteOnly) ||
        !desenharEtiqueta(etiqueta, dpmm).save(&memoria, "PNG"))
        return false;
    return gravarArquivoAtomico(arquivo, std::string_view(png.constData(), png.size()));
}

}  // namespace etiquetas::previa
