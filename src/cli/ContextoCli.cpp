#include "cli/ContextoCli.h"

namespace etiquetas::cli {

Aplicacao& ContextoCli::iniciarAplicacao() {
    aplicacao = std::make_unique<Aplicacao>(plataforma, pasta);
    aplicacao->iniciar();
    return *aplicacao;
}

bool ContextoCli::houveFalha() const {
    for (const auto& m : plataforma.mensagens)
        if (m.icone == Icone::Critico) return true;
    return false;
}

}  // namespace etiquetas::cli
