#pragma once

// Values handed to a Windows batch file pass through cmd, which reads some
// characters as commands even inside quotes: "%" expands variables, "!"
// too when the script enables delayed expansion, a '"' ends the quoting and
// lets "&", "|", "<", ">" run what follows, a line break starts a new
// command. Such values are refused rather than escaped: cmd has no escape
// that holds in every context a script may use them.

#include <optional>
#include <string>
#include <string_view>

namespace etiquetas {

// The first character of `valor` that cmd would act on, if any.
std::optional<char> caractereRecusadoPeloLote(std::string_view valor);

// True when a value needs double quotes to reach the batch file as one
// argument with its blanks, commas and command characters kept literal.
bool loteExigeAspas(std::string_view valor);

// The message for a refused value, in the system's words.
std::string mensagemValorRecusadoPeloLote(std::string_view valor, char caractere);

}  // namespace etiquetas
