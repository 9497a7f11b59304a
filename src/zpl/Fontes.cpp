#include "zpl/Fontes.h"

#include <algorithm>
#include <cmath>

namespace etiquetas::zpl {

namespace {

struct Matriz {
    char fonte;
    Celula oitoPontos;  // 8 dots/mm
    Celula dozePontos;  // 12 and 24 dots/mm
};

constexpr Matriz kMatrizes[] = {
    {'A', {9, 5}, {9, 5}},     {'B', {11, 7}, {11, 7}},   {'C', {18, 10}, {18, 10}},
    {'D', {18, 10}, {18, 10}}, {'E', {28, 15}, {42, 20}}, {'F', {26, 13}, {26, 13}},
    {'G', {60, 40}, {60, 40}}, {'H', {21, 13}, {34, 22}}, {'P', {20, 18}, {20, 18}},
    {'Q', {28, 24}, {28, 24}}, {'R', {35, 31}, {35, 31}}, {'S', {40, 35}, {40, 35}},
    {'T', {48, 42}, {48, 42}}, {'U', {59, 53}, {59, 53}}, {'V', {80, 71}, {80, 71}},
};

constexpr Celula kPadraoEscalavel{15, 12};
constexpr int kMinimoEscalavel = 10;

int multiplo(int pedido, int base) {
    return std::clamp(static_cast<int>(std::lround(static_cast<double>(pedido) / base)), 1, 10);
}

}  // namespace

std::optional<Celula> celulaBitmap(char fonte, int dpmm) {
    for (const auto& m : kMatrizes)
        if (m.fonte == fonte) return dpmm > 8 ? m.dozePontos : m.oitoPontos;
    return std::nullopt;
}

bool fonteResidente(char fonte) {
    return fonte == '0' || celulaBitmap(fonte, 8).has_value();
}

Celula tamanhoImpresso(char fonte, int altura, int largura, const Celula& padrao, int dpmm) {
    if (altura <= 0 && largura <= 0) {
        altura = padrao.altura;
        largura = padrao.largura;
    }
    if (const auto base = celulaBitmap(fonte, dpmm)) {
        const int mh =
            altura > 0 ? multiplo(altura, base->altura) : multiplo(largura, base->largura);
        const int mw = largura > 0 ? multiplo(largura, base->largura) : mh;
        return {base->altura * mh, base->largura * mw};
    }
    if (altura <= 0 && largura <= 0) return kPadraoEscalavel;
    if (altura <= 0) altura = largura;
    if (largura <= 0) largura = altura;
    return {std::max(altura, kMinimoEscalavel), std::max(largura, kMinimoEscalavel)};
}

}  // namespace etiquetas::zpl
