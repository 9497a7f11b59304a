#pragma once

// Asking the chosen printer its state outside a run: "etiquetas-cli estado"
// and the state the window shows beside the printer choice.

#include <string>

#include "comum/PastasAplicacao.h"
#include "output/EstadoImpressora.h"
#include "platform/Maquina.h"
#include "render/ParametrosImpressao.h"

namespace etiquetas {

struct ConsultaImpressora {
    EstadoImpressora estado;
    std::string motivo;  // why the printer could not be reached, when it could not
};

// What the window shows beside the printer choice: the state, or why the
// printer could not be reached, cut to fit beside it (`inteiro` for the hint).
struct TextoDaConsulta {
    std::string curto, inteiro;
};
TextoDaConsulta textoDaConsulta(const ConsultaImpressora& consulta);

// A destination the program delivers to itself (a serial port or
// "servidor:porta") in a language that can ask; the rest goes through the
// print script and "não consultável".
bool impressoraConsultavel(const ParametrosImpressao& parametros);

// Takes the folder's print lock like a run, so that the question never
// falls in the middle of another run's labels; opens the serial port for
// the question and closes it after.
ConsultaImpressora consultarImpressora(Maquina& maquina, const PastasAplicacao& pastas,
                                       const ParametrosImpressao& parametros);

}  // namespace etiquetas
