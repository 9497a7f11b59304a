#pragma once

// A ZPL job rewritten for another resolution: every command that carries
// dots is rewritten, every other byte is copied as it was.

#include <string>
#include <string_view>
#include <vector>

#include "resolucao/Escala.h"
#include "zpl/Comandos.h"
#include "zpl/Fontes.h"

namespace etiquetas {

class ConversorZpl {
  public:
    void converter(std::string_view spool, const Escala& escala, std::string& saida,
                   std::vector<AvisoConversao>& avisos);

  private:
    bool reescrever();
    bool escalar(unsigned indices);
    bool escalarEmPassos(std::size_t indice, int maximo, const char* oque);
    bool modulo();
    bool fonte();
    bool fontePadrao();
    bool tamanhoFonte(char fonte, std::size_t primeiro, zpl::Celula padrao);
    bool grafico(std::size_t campos);
    void juntar();
    void avisar(std::string problema);

    const Escala* e_ = nullptr;
    std::vector<AvisoConversao>* avisos_ = nullptr;
    std::string_view original_;  // the command as written, for warnings
    zpl::Comando comando_;
    std::vector<std::string> p_;
    std::string novos_;         // the rewritten parameters
    zpl::Celula padrao_{9, 5};  // ^CF, as the template wrote it
};

}  // namespace etiquetas
