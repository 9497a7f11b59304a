#include "cli/ContextoCli.h"

namespace etiquetas::cli {

void registrarImprimir(CLI::App&, ContextoCli&, Execucao&) {}

}  // namespace etiquetas::cli
