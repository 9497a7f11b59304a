#include "previa/FontesPrevia.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <mutex>

namespace etiquetas::previa {

namespace {

// Fitted to pictures of the shipped templates drawn by zpl-renderer-js: the
// substitute's own width at a square cell, and the baseline at 0.74 of the
// cell below a field's top.
constexpr double kLarguraFonteZero = 1.0;
constexpr double kAscendenteFonteZero = 0.74;
constexpr double kAscendenteBitmap = 0.82;

struct Familias {
    QString condensada = QStringLiteral("DejaVu Sans");
    QString monoespacada = QStringLiteral("DejaVu Sans Mono");
};

QString registrar(const QString& recurso, const QString& reserva) {
    const int id = QFontDatabase::addApplicationFont(recurso);
    const QStringList familias = QFontDatabase::applicationFontFamilies(id);
    return familias.isEmpty() ? reserva : familias.first();
}

const Familias& familias() {
    static Familias f;
    static std::once_flag registradas;
    std::call_once(registradas, [] {
        f.condensada = registrar(QStringLiteral(":/previa/fonte-zero.ttf"), f.condensada);
        f.monoespacada = registrar(QStringLiteral(":/previa/fonte-bitmap.ttf"), f.monoespacada);
    });
    return f;
}

QFont fonteBase(const QString& familia, int altura, bool condensada) {
    QFont fonte(familia);
    fonte.setPixelSize(std::max(1, altura));
    fonte.setBold(true);
    if (condensada) fonte.setStretch(QFont::Condensed);
    fonte.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    fonte.setHintingPreference(QFont::PreferNoHinting);
    return fonte;
}

}  // namespace

FonteCampo fonteDoCampo(const zpl::OpTexto& t) {
    FonteCampo r;
    const int altura = std::max(1, t.altura);
    if (t.fonte == '0') {
        r.fonte = fonteBase(familias().condensada, altura, true);
        r.escalaX = kLarguraFonteZero * t.largura / altura;
        r.ascendente = kAscendenteFonteZero * altura;
        return r;
    }
    r.fonte = fonteBase(familias().monoespacada, altura, false);
    const double avanco = QFontMetricsF(r.fonte).horizontalAdvance(QLatin1Char('M'));
    r.escalaX = avanco > 0 ? t.largura / avanco : 1;
    r.ascendente = kAscendenteBitmap * altura;
    return r;
}

}  // namespace etiquetas::previa
