#pragma once

// How many labels a run will hand on, worked out before it: from each row's
// range and the family's rule where the family has one (constant time a
// row, whatever the range), otherwise from the family's own routine run on a
// bounded sample of every row and scaled up.

#include <functional>
#include <optional>

#include "comum/LeitorGrade.h"
#include "render/ExecucaoImpressao.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

struct ContagemEtiquetas {
    long long etiquetas = 0;
    bool aproximada = false;    // scaled up from a sample: "cerca de"
    bool interrompida = false;  // the user stopped the sample
};

// The family's routine over `grade` into `saida`, as the run would make it.
using RodarAmostra = std::function<ResultadoImpressao(const LeitorGrade& grade, SaidaTrabalhos&)>;

// None when a row would stop the run (the run then says why).
std::optional<ContagemEtiquetas> contarEtiquetas(const FamiliaEtiqueta& familia,
                                                 const LeitorGrade& grade,
                                                 const ParametrosImpressao& parametros,
                                                 const RodarAmostra& rodar);

// Labels a row asks for under a rule, from its range of `n` sequences.
long long etiquetasDaFaixa(RegraContagem regra, long long n);

// A row's labels or boxes beyond this are left out of a sample.
inline constexpr long long kLimiteAmostra = 60;

}  // namespace etiquetas
