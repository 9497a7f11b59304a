#pragma once

// The bar codes of DPL records, made by the encoders of the ZPL reader: the
// record's data is first read the way a Datamax reads it.

#include <string>
#include <string_view>
#include <vector>

#include "zpl/CodigoBarras.h"

namespace etiquetas::dpl {

// Code 128 data as a Datamax reads it, written as the data of a ZPL ^BC in
// its normal mode: a leading A, B or C picks the start subset (B when none),
// "&A" to "&G" write the function and switch characters, in subset A the
// letters a to z and ` { | } ~ DEL write control characters, and a digit
// left without a partner in subset C follows a switch to subset B.
std::string code128ComoZpl(std::string_view dados);

// The bars of bar code id (A to T, a to z) for the data; module is the
// narrow bar, wide the wide bar, in dots. An id the preview does not draw
// leaves no bars and a warning.
zpl::SimboloLinear simboloDpl(char id, std::string_view dados, int estreita, int larga,
                              std::vector<std::string>& avisos);

}  // namespace etiquetas::dpl
