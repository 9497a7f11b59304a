#pragma once

// Row options shared by the commands that act on the ticked rows of the
// loaded order file (imprimir, exportar): which rows to tick and the edits
// of sequence ranges and box counts, applied as the user would make them in
// the grid, so the grid's own checks run.

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/Grade.h"

namespace etiquetas::cli {

struct OpcoesLinhas {
    bool todas = false;
    std::string linhas;                   // "1,3-5"
    std::vector<std::string> sequencias;  // "LINHA:INICIO-FIM"
    std::vector<std::string> caixas;      // "LINHA:N"
};

// Adds --todas, --linhas, --sequencia and --caixas to the subcommand; their
// syntax is checked while parsing (a malformed value is an argument error).
void adicionarOpcoesLinhas(CLI::App& comando, OpcoesLinhas& opcoes);

// Applies the options to the grid of the loaded file. Returns kOk to go on,
// kArgumentos when a row does not exist or an option does not fit the file's
// kind (the reason written to `erros`), kFalha when the grid refused an edit
// (its message was already shown).
int aplicarOpcoesLinhas(Grade& grade, const OpcoesLinhas& opcoes, std::ostream& erros);

// The rows of a list such as "1,3-5", in ascending order without repeats;
// empty when the list is malformed.
std::vector<int> linhasDaLista(const std::string& lista);

}  // namespace etiquetas::cli
