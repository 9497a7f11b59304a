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

// Where the first command from `desde` on starts: what lies before it is
// loose text. The spool's size when none does.
std::size_t inicioDosComandos(std::string_view spool, std::size_t desde = 0);
bool temTexto(std::string_view texto);

// Reads the command whose prefix is at `i` into `comando`, whose strings are
// reused (a label has dozens of commands), and returns where the next begins.
std::size_t lerComando(std::string_view spool, std::size_t i, Comando& comando);

// Comma-separated parameters; an empty one is kept empty, so defaults apply.
std::vector<std::string> dividirParametros(std::string_view parametros);
// The same into `saida`, whose strings are reused.
void dividirParametros(std::string_view parametros, std::vector<std::string>& saida);

// The prefixed form of a command for messages: "^FO", "~DG".
std::string rotulo(const Comando& comando);
// The same into a string kept from one command to the next.
void rotular(std::string& rotulo, const Comando& comando);

}  // namespace etiquetas::zpl
