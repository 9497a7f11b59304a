#pragma once

// An application over the headless platform and a temporary folder.

#include <fstream>
#include <string>

#include "../config/PastaTeste.h"
#include "app/Aplicacao.h"
#include "platform/headless/PlataformaHeadless.h"

namespace etiquetas::teste {

class AplicacaoDeTeste {
  public:
    AplicacaoDeTeste() : app_(plataforma, pasta_) {}

    // Writes the file and returns its path as the core's text.
    std::string arquivo(const std::string& nome, const std::string& bytes) {
        const auto caminho = pasta_ / nome;
        std::ofstream(caminho, std::ios::binary) << bytes;
        return caminho.string();
    }
    std::string abrir(const std::string& nome, const std::string& bytes) {
        const auto caminho = arquivo(nome, bytes);
        app_.AbrirArquivoPedidos(caminho);
        return caminho;
    }

    PlataformaHeadless plataforma;
    Aplicacao& app() { return app_; }
    JanelaPrincipal& janela() { return app_.janela(); }

  private:
    PastaTeste pasta_;
    Aplicacao app_;
};

}  // namespace etiquetas::teste
