#pragma once

// The rendering module's state (modImpressao). One object lives as long as
// the program, next to the window; some of it carries over from one print
// run to the next (the Datamax batch counter, the separator memory).

#include <string>

namespace etiquetas {

struct ModuloImpressao {
    std::string TextoTemplate;
    std::string CorpoTemplate;
    std::string TextoSaida;
    std::string LoteDatamax;
    int ContadorLoteDatamax = 0;
    std::string PedidoAtual;
    std::string ItemAtual;
    std::string TextoSeparador;
    std::string SemanaEntrega;
    std::string PedidoSeparador;
    std::string ItemSeparador;
};

}  // namespace etiquetas
