#pragma once

// Templates are drawn in dots of a 203-dpi printer (8 dots a millimetre). A
// printer of 300 or 600 dpi (12 or 24 dots a millimetre, as the makers build
// their heads) prints the same dots at two thirds or one third of the size,
// so a filled label is rewritten for the printer's resolution before the
// check, the preview and the printer see it. What a printer has only in
// steps (bar-code modules, bitmap font cells, magnifications) goes to the
// nearest step, and a step far from the exact size is said.

#include <string>
#include <string_view>
#include <vector>

#include "render/ParametrosImpressao.h"
#include "resolucao/ConversaoDpl.h"
#include "resolucao/ConversaoZpl.h"
#include "resolucao/Escala.h"

namespace etiquetas {

class ConversorResolucao {
  public:
    ConversorResolucao(int dpiOrigem, int dpiDestino) : escala_(dpiOrigem, dpiDestino) {}

    // Nothing to rewrite: the job goes out as it is, byte for byte.
    bool identidade() const { return escala_.identidade(); }
    const Escala& escala() const { return escala_; }

    // `texto` for the printer's resolution into `saida`; each warning is
    // added once per call.
    void converter(std::string_view texto, Linguagem linguagem, std::string& saida,
                   std::vector<AvisoConversao>& avisos) {
        if (identidade()) {
            saida.assign(texto);
        } else if (linguagem == Linguagem::DataMax) {
            dpl_.converter(texto, escala_, saida, avisos);
        } else {
            zpl_.converter(texto, escala_, saida, avisos);
        }
    }

  private:
    Escala escala_;
    ConversorZpl zpl_;
    ConversorDpl dpl_;
};

}  // namespace etiquetas
