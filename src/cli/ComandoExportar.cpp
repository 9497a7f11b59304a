#include "cli/ContextoCli.h"

namespace etiquetas::cli {

void registrarExportar(CLI::App&, ContextoCli&, Execucao&) {}

}  // namespace etiquetas::cli
