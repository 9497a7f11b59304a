#include "resolucao/Escala.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace etiquetas {

bool resolucaoValida(int dpi) {
    return dpi == 203 || dpi == 300 || dpi == 600;
}

// The makers' heads: a "300 dpi" Zebra has 12 dots a millimetre, so the
// ratio to a 203-dpi one is 1.5, the same their own unit conversion uses.
int pontosPorMilimetro(int dpi) {
    return dpi >= 600 ? 24 : dpi >= 300 ? 12 : 8;
}

std::optional<int> resolucaoDoTexto(std::string_view texto) {
    for (int dpi : {203, 300, 600})
        if (texto == std::to_string(dpi)) return dpi;
    return std::nullopt;
}

void avisarUmaVez(std::vector<AvisoConversao>& avisos, AvisoConversao aviso) {
    if (std::find(avisos.begin(), avisos.end(), aviso) == avisos.end())
        avisos.push_back(std::move(aviso));
}

Escala::Escala(int dpiOrigem, int dpiDestino)
    : destino_(dpiDestino),
      num_(pontosPorMilimetro(dpiDestino)),
      den_(pontosPorMilimetro(dpiOrigem)) {}

long long Escala::pontos(long long v) const {
    const long long dobro = 2 * v * num_;
    return dobro >= 0 ? (dobro + den_) / (2 * den_) : -((-dobro + den_) / (2 * den_));
}

std::string decimal(double valor) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.2f", valor);
    std::string r(texto);
    while (r.back() == '0') r.pop_back();
    if (r.back() == '.') r.pop_back();
    std::replace(r.begin(), r.end(), '.', ',');
    return r;
}

}  // namespace etiquetas
