#pragma once

#include <stdexcept>
#include <string>

namespace etiquetas {

// A failure that ends a print run. Thrown inside rendering and dispatch and
// caught by the running routine's handler, which reports it with the step.
struct FalhaImpressao : std::runtime_error {
    explicit FalhaImpressao(const std::string& descricao) : std::runtime_error(descricao) {}
};

// Thrown after a job when the user asked the run to stop.
struct ImpressaoInterrompida : std::runtime_error {
    ImpressaoInterrompida() : std::runtime_error("impressão interrompida") {}
};

}  // namespace etiquetas
