#pragma once

// The rows of a grid whose searched columns hold a text, ignoring case: an
// index of those columns folded once, so that each key typed scans bytes
// instead of converting 100,000 rows of cells; a text that only grows looks
// again at the rows that held the shorter one.

#include <string>
#include <vector>

#include "comum/LeitorGrade.h"

namespace etiquetas {

class FiltroGrade {
  public:
    FiltroGrade(const LeitorGrade& grade, std::vector<int> colunas);

    // `texto` in the core's text; blanks around it do not count.
    void definirTexto(const std::string& texto);
    // 1-based. Rows added to the grid since the text was set are looked at
    // as they are asked for.
    bool aceita(int linha);
    // The grid's cells changed: the index is made again when next needed.
    void invalidar() { indice_.clear(); }

  private:
    void indexar();
    void indexarLinha(int linha);

    const LeitorGrade& grade_;
    std::vector<int> colunas_;
    std::string texto_;                // folded
    std::vector<std::string> indice_;  // per row, the searched cells folded, '\n' between
    std::vector<char> aceitas_;        // per row, for texto_
};

}  // namespace etiquetas
