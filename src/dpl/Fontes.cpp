#include "dpl/Fontes.h"

#include <algorithm>
#include <cmath>

namespace etiquetas::dpl {

namespace {

// Height, width and gap of fonts 0 to 8, in dots, at 203, 300 and 600 dpi.
struct Matriz {
    int altura, largura, espaco;
};
constexpr Matriz k203[] = {{7, 5, 1},   {13, 7, 2},  {18, 10, 2}, {27, 14, 2}, {36, 18, 3},
                           {52, 18, 3}, {64, 32, 4}, {32, 15, 5}, {28, 15, 5}};
constexpr Matriz k300[] = {{10, 7, 1},  {19, 10, 3}, {27, 15, 3}, {40, 21, 3}, {53, 27, 4},
                           {77, 27, 4}, {95, 47, 6}, {47, 22, 7}, {41, 22, 7}};
constexpr Matriz k600[] = {{20, 14, 2},  {38, 20, 6},   {54, 30, 6},  {80, 42, 6}, {106, 54, 8},
                           {154, 54, 8}, {190, 94, 12}, {94, 44, 14}, {82, 44, 14}};

constexpr int kPontosResidentes[] = {5, 6, 8, 10, 12, 14, 18, 24, 30, 36, 48};
// The sizes a 203 dpi printer lacks; from 300 dpi on it has 4 to 72 points.
constexpr int kPontosSoDe300[] = {4, 5, 72};
constexpr double kPontosPorPolegada = 72.307;

bool digito(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<CelulaDpl> celulaBitmap(char fonte, int dpmm) {
    if (fonte < '0' || fonte > '8') return std::nullopt;
    const Matriz* tabela = dpmm >= 24 ? k600 : dpmm >= 12 ? k300 : k203;
    const Matriz& m = tabela[fonte - '0'];
    return CelulaDpl{m.altura, m.largura + m.espaco};
}

std::optional<int> pontosFonteSuave(std::string_view t, int dpmm) {
    if (t.size() != 3 || !digito(t[1]) || !digito(t[2])) return std::nullopt;
    const int n = (t[1] - '0') * 10 + (t[2] - '0');
    const auto tem = [](const auto& lista, int v) {
        return std::find(std::begin(lista), std::end(lista), v) != std::end(lista);
    };
    std::optional<int> pontos;
    if (t[0] == '0' && n < static_cast<int>(std::size(kPontosResidentes)))
        pontos = kPontosResidentes[n];
    else if (t[0] == 'A' && (tem(kPontosResidentes, n) || tem(kPontosSoDe300, n)))
        pontos = n;
    if (pontos && dpmm < 12 && tem(kPontosSoDe300, *pontos)) return std::nullopt;
    return pontos;
}

int pontosEmDots(double pontos, int dpmm) {
    return std::max(1, static_cast<int>(std::lround(pontos * dpmm * 25.4 / kPontosPorPolegada)));
}

}  // namespace etiquetas::dpl
