#pragma once

#include <string>

namespace etiquetas {

// Read access to an order grid, for the layers below the window (label
// routines, TXT export). Rows and columns are 1-based as the window numbers
// them; row 0 holds the captions. A cell outside the grid reads "".
class LeitorGrade {
  public:
    virtual ~LeitorGrade() = default;
    virtual int linhas() const = 0;
    virtual int colunas() const = 0;
    virtual const std::string& texto(int linha, int coluna) const = 0;
    bool marcada(int linha) const { return texto(linha, 1) == "1"; }
    // The row of the window's grid this row is: a reader of part of it
    // numbers its rows anew.
    virtual int linhaNaGrade(int linha) const { return linha; }
};

}  // namespace etiquetas
