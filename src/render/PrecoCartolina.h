#pragma once

// Cardboard price tags: cartolina (type 1, two sequence numbers a unit),
// cartolina with or without price (type 5) and set labels (type 9), one
// sequence number a unit with two bar codes. Each unit is a printer job.

#include <string>

#include "comum/LeitorGrade.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "render/ModuloImpressao.h"

namespace etiquetas {

// What every price routine works with besides its four parameters.
struct AmbienteImpressao {
    Despacho& despacho;
    ModuloImpressao& modulo;
    const LeitorGrade& sprPedidos;
};

void ImprimirPrecoCartolina(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                            const std::string& nomeTemplate, const std::string& nomeSeparador,
                            const std::string& linguagem);
void ImprimirPrecoCartolinaComSem(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                                  const std::string& nomeTemplate, const std::string& nomeSeparador,
                                  const std::string& linguagem);
void ImprimirPrecoConjunto(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                           const std::string& nomeTemplate, const std::string& nomeSeparador,
                           const std::string& linguagem);

// Bar code of sequence number `numero`: prefix, material, check digit and the
// number in four digits. Zebra printers get the code-set switch ">6" before
// the last digit when the digits do not pair up for Code 128 subset C.
std::string codigoBarrasPreco(char prefixo, const std::string& material, const std::string& digito,
                              long long numero, bool zebra);

}  // namespace etiquetas
