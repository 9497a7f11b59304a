#pragma once

// The linear bar codes of ZPL, as the printer makes them: bars in dots,
// left to right, before height, orientation and position are applied.

#include <string>
#include <string_view>
#include <vector>

namespace etiquetas::zpl {

struct Barra {
    int x = 0, largura = 0;
    bool operator==(const Barra&) const = default;
};

struct SimboloLinear {
    std::string simbologia;
    std::string dados;    // what a scanner reads back
    std::string legenda;  // the human-readable line
    std::vector<Barra> barras;
    int largura = 0;
};

// ^BY: module width and wide-to-narrow ratio.
struct Modulo {
    int largura = 2;
    double razao = 3.0;
};

// ^BC. Mode 'N' follows the printer's own rules: start code from >9 >: >;
// (subset B without one), invocation codes, and in subset C only digit
// pairs. Mode 'A' lets the printer choose its subsets.
SimboloLinear code128(std::string_view dados, char modo, const Modulo& modulo,
                      std::vector<std::string>& avisos);
// ^BE: twelve digits, the thirteenth calculated.
SimboloLinear ean13(std::string_view dados, const Modulo& modulo, std::vector<std::string>& avisos);
// ^B3, with the optional modulo 43 check character.
SimboloLinear code39(std::string_view dados, bool comVerificador, const Modulo& modulo,
                     std::vector<std::string>& avisos);
// ^B2, with the optional modulo 10 check digit.
SimboloLinear interleaved2de5(std::string_view dados, bool comVerificador, const Modulo& modulo,
                              std::vector<std::string>& avisos);

// Code 128 codewords (start, data, check, stop) as bars of one module each
// unit; the table a printer and every reader share.
std::vector<Barra> barrasCode128(const std::vector<int>& codigos, int modulo);

}  // namespace etiquetas::zpl
