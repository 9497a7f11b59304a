#include "cli/ContextoCli.h"

#include <atomic>
#include <csignal>

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

namespace {
std::atomic<bool> sinalRecebido{false};
extern "C" void registrarSinal(int) {
    sinalRecebido = true;
}
}  // namespace

void ContextoCli::interromperComSinais() {
    std::signal(SIGINT, registrarSinal);
    std::signal(SIGTERM, registrarSinal);
    aplicacao->cancelamentoExterno = [] { return sinalRecebido.load(); };
}

}  // namespace etiquetas::cli
