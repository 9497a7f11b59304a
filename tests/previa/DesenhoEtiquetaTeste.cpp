// The drawing of interpreted labels (Qt Gui on the offscreen platform).

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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qt(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
