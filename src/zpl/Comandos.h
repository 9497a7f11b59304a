#pragma once

// A ZPL spool cut into its commands: a prefix (^ or ~), a name of two
// characters (one for ^A, whose font follows at once) and the text up to the
// next prefix, with line ends dropped as the printer drops them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace etiquetas::zpl {

struct Comando {
    char prefixo = '^';
    std::string nome;  // upper case: "FO", "A", "DG"
    std::string parametros;
    std::size_t posicao = 0;  // offset of the prefix in the spool
    bool truncado = false;    // the spool ended inside the name
};

struct Separacao {
    std::vector<Comando> comandos;
    std::string textoSolto;  // non-blank text before the first command
};

Separacao separarComandos(std::string_view spool);

// Comma-separated parameters; an empty one is kept empty, so defaults apply.
std::vector<std::string> dividirParametros(std::string_view parametros);

// The prefixed form of a command for messages: "^FO", "~DG".
std::string rotulo(const Comando& comando);

}  // namespace etiquetas::zpl
