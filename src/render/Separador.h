#pragma once

// Separator labels: one label between the orders or items of a run, so the
// packer sees where a group ends. Sent at once, outside any Datamax batch.

#include <string>

#include "comum/LeitorGrade.h"
#include "output/Despacho.h"
#include "render/ModuloImpressao.h"

namespace etiquetas {

// Order/item separator for row `linha` of the grid being printed.
void ImprimirSeparador(Despacho& despacho, ModuloImpressao& modulo, const LeitorGrade& grade,
                       int linha, const std::string& nomeTemplate, const std::string& linguagem);
// The box variant: "ETIQUETA EXTERNA DA CAIXA" in place of the supplier reference.
void ImprimirSeparadorCaixa(Despacho& despacho, ModuloImpressao& modulo, const LeitorGrade& grade,
                            int linha, const std::string& nomeTemplate,
                            const std::string& linguagem);

}  // namespace etiquetas
