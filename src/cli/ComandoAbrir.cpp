#include "cli/ContextoCli.h"

namespace etiquetas::cli {

void registrarAbrir(CLI::App&, ContextoCli&, Execucao&) {}

}  // namespace etiquetas::cli
