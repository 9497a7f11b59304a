#pragma once

// Watch price labels (type 7 as a price label): two labels a unit, each with
// the price, the tenth of it for ten instalments, the description and the
// product code readable and as a bar code.

#include <optional>
#include <string>

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

void ImprimirPrecoRelogio(ExecucaoImpressao& execucao);

// A money value as the labels write it: ten-thousandths of the unit.
struct ValorMonetario {
    long long decimosMilesimos = 0;
};

// The order file's price ("159,90", "150", "9.5"); none when it is no number
// or does not fit.
std::optional<ValorMonetario> valorMonetario(const std::string& texto);
// A tenth of the value, at the same precision (halves to the even one).
ValorMonetario parcelaDeDez(ValorMonetario valor);

// How a value shows on the label: the whole part with its comma ("15,") and
// the cents cut, never rounded, to two digits ("99").
struct ValorImpresso {
    std::string inteiros;
    std::string centavos;
};
ValorImpresso valorImpresso(ValorMonetario valor);

}  // namespace etiquetas
