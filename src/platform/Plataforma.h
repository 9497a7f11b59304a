#pragma once

// Both seams in one object: the window runs on the Qt implementation,
// etiquetas-cli and the tests on the headless one. Code below app/ takes
// only the seam it needs.

#include <string>

#include "comum/Texto.h"
#include "comum/Versao.h"
#include "platform/Maquina.h"
#include "platform/Pessoa.h"

namespace etiquetas {

class Plataforma : public Maquina, public Pessoa {
  public:
    // The application's title, shown on boxes without a title of their own:
    // the window's caption with the running version.
    std::string tituloAplicacao() const {
        return ":: Quelmonte ::  Impressão de Etiquetas - Vs. (" + textoVersao(versao()) + ")";
    }
};

}  // namespace etiquetas
