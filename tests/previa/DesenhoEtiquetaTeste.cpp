// The drawing of interpreted labels: ink where the printer puts it, nowhere
// else. Needs a Qt Gui application (fonts), on the offscreen platform.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "previa/DesenhoEtiqueta.h"
#include "zpl/Interpretador.h"

using namespace etiquetas;

namespace {

QImage desenhar(const std::string& spool, int dpmm = 8) {
    const auto r = zpl::interpretar(spool, dpmm);
    return r.etiquetas.empty() ? QImage() : previa::desenharEtiqueta(r.etiquetas.front(), dpmm);
}

bool preto(const QImage& i, int x, int y) {
    return qGray(i.pixel(x, y)) < 128;
}

// '#' for a black pixel, '.' for a white one, at each point in turn.
std::string pontos(const QImage& i, std::initializer_list<std::pair<int, int>> xy) {
    std::string r;
    for (const auto& [x, y] : xy) r += preto(i, x, y) ? '#' : '.';
    return r;
}

// The box around every black pixel; empty when there is none.
QRect tinta(const QImage& i) {
    QRect r;
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x)
            if (preto(i, x, y)) r = r.united(QRect(x, y, 1, 1));
    return r;
}

}  // namespace

TEST(DesenhoEtiqueta, TamanhoResolucaoESoPretoEBranco) {
    const QImage i = desenhar("^XA^PW200^LL100^FO10,10^A0N,40^FDAbc^FS^XZ", 12);
    EXPECT_EQ(i.size(), QSize(200, 100));
    EXPECT_EQ(i.dotsPerMeterX(), 12000);
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x) {
            const int g = qGray(i.pixel(x, y));
            ASSERT_TRUE(g == 0 || g == 255) << x << "," << y;  // a thermal head has no grey
        }
}

TEST(DesenhoEtiqueta, CaixasCirculosEDiagonaisOndeOComandoDiz) {
    struct Caso {
        const char* campo;
        QRect tinta;
    };
    for (const auto& c :
         std::vector<Caso>{{"^FO10,20^GB50,30,3^FS", QRect(10, 20, 50, 30)},
                           {"^FO10,20^GB1,30,4^FS", QRect(10, 20, 4, 30)},
                           {"^FO10,20^GC40,2^FS", QRect(10, 20, 40, 40)},
                           {"^FO10,20^GD30,40,3^FS", QRect(10, 20, 30, 40)},
                           {"^LH5,6^FO10,20^GB50,30,3^FS", QRect(15, 26, 50, 30)}}) {
        const QImage i = desenhar(std::string("^XA^PW200^LL200") + c.campo + "^XZ");
        const QRect r = tinta(i);
        // A pixel of slack for the rasteriser's rounding at curved edges.
        EXPECT_LE(std::max({std::abs(r.left() - c.tinta.left()), std::abs(r.top() - c.tinta.top()),
                            std::abs(r.right() - c.tinta.right()),
                            std::abs(r.bottom() - c.tinta.bottom())}),
                  1)
            << c.campo << " ink at " << r.x() << "," << r.y() << " " << r.width() << "x"
            << r.height();
    }
    // The border is drawn, the inside only once the border fills it.
    EXPECT_EQ(pontos(desenhar("^XA^PW200^LL200^FO10,20^GB50,30,3^FS^XZ"), {{11, 35}, {35, 35}}),
              "#.");
    EXPECT_EQ(pontos(desenhar("^XA^PW200^LL200^FO10,20^GB50,30,15^FS^XZ"), {{35, 35}}), "#");
}

TEST(DesenhoEtiqueta, CampoReversoInverteOQueEstaEmbaixo) {
    const QImage i =
        desenhar("^XA^PW200^LL100^FO0,0^GB100,100,100^FS^FO50,0^FR^GB100,100,100^FS^XZ");
    // Black only; black, then reversed; white, then reversed; untouched.
    EXPECT_EQ(pontos(i, {{25, 50}, {75, 50}, {125, 50}, {175, 50}}), "#.#.");
}

TEST(DesenhoEtiqueta, BarrasPintadasComoAsOperacoes) {
    const std::string spool = "^XA^PW400^LL200^BY2^FO20,30^BCN,80,N^FD>;1234567890^FS^XZ";
    const auto r = zpl::interpretar(spool);
    const QImage i = previa::desenharEtiqueta(r.etiquetas.at(0), 8);
    const auto& barras = std::get<zpl::OpCodigoBarras>(r.etiquetas[0].operacoes.at(0)).barras;
    ASSERT_FALSE(barras.empty());
    for (const auto& b : barras) {
        EXPECT_TRUE(preto(i, b.x, b.y + 40));
        EXPECT_TRUE(preto(i, b.x + b.largura - 1, b.y + 40));
        EXPECT_FALSE(preto(i, b.x + b.largura, b.y + 40)) << b.x;  // a space follows every bar
    }
    EXPECT_EQ(std::pair(tinta(i).top(), tinta(i).bottom()), std::pair(30, 30 + 80 - 1));
}

// Text stays in the field: upright below its origin, turned to the right of
// it, and a centred block around the block's middle.
TEST(DesenhoEtiqueta, TextoDentroDoCampoEmCadaOrientacao) {
    struct Caso {
        const char* campo;
        QRect area;  // where all of the ink must lie
    };
    for (const auto& c :
         std::vector<Caso>{{"^FO100,100^A0N,40,40^FDABC^FS", QRect(100, 100, 200, 40)},
                           {"^FO100,100^A0R,40,40^FDABC^FS", QRect(100, 100, 40, 200)},
                           {"^FO100,100^A0I,40,40^FDABC^FS", QRect(100, 100, 200, 40)},
                           {"^FO100,100^A0B,40,40^FDABC^FS", QRect(100, 100, 40, 200)},
                           {"^FT100,140^A0N,40,40^FDABC^FS", QRect(100, 100, 200, 45)},
                           {"^FO100,100^ADN,36,20^FDABC^FS", QRect(100, 100, 60, 36)},
                           {"^FO0,100^FB400,1,0,C^A0N,40,40^FDABC^FS", QRect(130, 100, 140, 40)},
                           {"^FO0,100^FB400,1,0,R^A0N,40,40^FDABC^FS", QRect(260, 100, 140, 40)}}) {
        const QImage i = desenhar(std::string("^XA^PW400^LL400") + c.campo + "^XZ");
        const QRect r = tinta(i);
        ASSERT_FALSE(r.isEmpty()) << c.campo;
        // A pixel of slack where a turned glyph's edge rounds outwards.
        EXPECT_TRUE(c.area.adjusted(-1, -1, 1, 1).contains(r))
            << c.campo << " ink at " << r.x() << "," << r.y() << " " << r.width() << "x"
            << r.height();
    }
}

TEST(DesenhoEtiqueta, BlocoQuebraLinhasEOExcessoCaiNaUltima) {
    const QImage duas =
        desenhar("^XA^PW400^LL400^FO0,0^FB150,2,0,L^A0N,40,40^FDPALAVRA PALAVRA PALAVRA^FS^XZ");
    const QRect r = tinta(duas);
    EXPECT_LE(r.right(), 160);          // wrapped within the block (a little overhang at most)
    EXPECT_LT(r.bottom(), 2 * 40 + 5);  // the third word prints over the second line
    EXPECT_GT(r.bottom(), 40);
}

TEST(DesenhoEtiqueta, GraficoArmazenadoAmpliadoEComFundoTransparente) {
    // One row "F0": four dots black, four clear; magnified 3 by 2, over a black bar.
    const QImage i = desenhar(
        "~DGR:G.GRF,1,1,F0^XA^PW100^LL100^FO0,50^GB100,10,10^FS^FO10,10^XGR:G.GRF,3,2^FS"
        "^FO10,50^XGR:G.GRF,3,2^FS^XZ");
    EXPECT_EQ(tinta(i).top(), 10);
    // Twelve dots wide and two high; clear dots leave the bar beneath.
    EXPECT_EQ(pontos(i, {{10, 10}, {21, 11}, {22, 10}, {10, 12}, {30, 51}}), "##..#");
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qt(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
