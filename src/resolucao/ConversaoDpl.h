#pragma once

// A DPL job rewritten for another resolution. Rows, columns, heights and
// lines are in hundredths of inch (or tenths of millimetre) and print the
// same at any resolution; what a Datamax counts in dots is rewritten in
// place, field for field, so every record keeps its length: bitmap font
// multipliers, the smooth font's sizes in dots and bar widths.

#include <string>
#include <string_view>
#include <vector>

#include "resolucao/Escala.h"

namespace etiquetas {

class ConversorDpl {
  public:
    void converter(std::string_view spool, const Escala& escala, std::string& saida,
                   std::vector<AvisoConversao>& avisos);

  private:
    void linha(char* l, std::size_t tamanho);
    void registro(char* l, std::size_t tamanho);
    void fonteBitmap(char* l);
    void fonteSuave(char* l, std::size_t tamanho);
    void barras(char* l);
    void avisar(std::string problema);

    const Escala* e_ = nullptr;
    std::vector<AvisoConversao>* avisos_ = nullptr;
    std::string campo_;    // the record's header as written, for warnings
    bool dentro_ = false;  // inside a label format
};

}  // namespace etiquetas
