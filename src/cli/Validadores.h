#pragma once

// The checks of the command line's values and its argument errors, in the
// user's words: CLI11's own validators and messages are English.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace etiquetas::cli {

// A value `ler` accepts; otherwise "esperado <forma>: <valor>".
CLI::Validator validador(std::function<bool(const std::string&)> ler, const std::string& forma);

CLI::Validator arquivoExistente();
CLI::Validator pastaExistente();
// One of `valores`, as written.
CLI::Validator umDe(const std::vector<std::string>& valores);
// A whole number from 1 (an empty shell variable is no number).
CLI::Validator numeroPositivo();
// A prefix of picture names: something before "-1.png".
CLI::Validator prefixoImagens();

// CLI11's failure as one Portuguese line (the app's failure_message).
std::string mensagemFalhaArgumentos(const CLI::App* app, const CLI::Error& erro);

}  // namespace etiquetas::cli
