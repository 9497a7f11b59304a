#include "app/JanelaPrincipal.h"

#include <pugixml.hpp>

#include "app/ColunasGrades.h"
#include "comum/Texto.h"

namespace etiquetas {

JanelaPrincipal::JanelaPrincipal()
    : sprPedidos("sprPedidos", colunasPedidosPreco()), vaVolume("vaVolume", colunasVolume()) {}

JanelaPrincipal::~JanelaPrincipal() = default;

void JanelaPrincipal::focar(const std::string& nomeControle) {
    foco_ = nomeControle;
    focoMudou.emitir();
}

int JanelaPrincipal::tipoArquivo() const {
    const auto tipo = valorInteiro(lblTipoArquivo.tag());
    return tipo ? static_cast<int>(*tipo) : 0;
}

}  // namespace etiquetas
