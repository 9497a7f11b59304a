#pragma once

// Cardboard price tags: cartolina (type 1, two sequence numbers a unit),
// cartolina with or without price (type 5) and set labels (type 9), one
// sequence number a unit with two bar codes. Each unit is a printer job.

#include <string>

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

void ImprimirPrecoCartolina(ExecucaoImpressao& execucao);
void ImprimirPrecoCartolinaComSem(ExecucaoImpressao& execucao);
void ImprimirPrecoConjunto(ExecucaoImpressao& execucao);

// Bar code of sequence number `numero`: prefix, material, check digit and the
// number in four digits. Zebra printers get the code-set switch ">6" before
// the last digit when the digits do not pair up for Code 128 subset C.
std::string codigoBarrasPreco(char prefixo, const std::string& material, const std::string& digito,
                              long long numero, bool zebra);

}  // namespace etiquetas
