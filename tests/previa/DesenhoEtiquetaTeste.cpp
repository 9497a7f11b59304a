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

TEST(DesenhoEtiqueta, CampoReversoInverteOQueEstaEmbaixo) {
    const QImage i =
        desenhar("^XA^PW200^LL100^FO0,0^GB100,100,100^FS^FO50,0^FR^GB100,100,100^FS^XZ");
    // Black only; black, then reversed; white, then reversed; untouched.
    EXPECT_EQ(pontos(i, {{25, 50}, {75, 50}, {125, 50}, {175, 50}}), "#.#.");
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qt(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
