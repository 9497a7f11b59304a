#pragma once

// The labels a print would send, as the preview window pages through them:
// the jobs read as one stream in the printer's language (a graphic downloaded in one job serves
// the next), one page a label, and the warnings of the printer's reading.

#include <string>
#include <vector>

#include "render/Trabalho.h"
#include "zpl/Etiqueta.h"

namespace etiquetas {

class PaginasPrevia {
  public:
    explicit PaginasPrevia(const std::vector<Trabalho>& trabalhos, int dpmm = 8);

    int total() const { return static_cast<int>(interpretacao_.etiquetas.size()); }
    int atual() const { return atual_; }  // from 0
    int dpmm() const { return dpmm_; }
    bool temAnterior() const { return atual_ > 0; }
    bool temProxima() const { return atual_ + 1 < total(); }
    void anterior();
    void proxima();

    const zpl::Etiqueta& etiquetaAtual() const { return interpretacao_.etiquetas.at(atual_); }
    // "Etiqueta 2 de 7"
    std::string titulo() const;
    // Every warning, those of a label with its number first; Windows-1252.
    std::vector<std::string> avisos() const;

  private:
    zpl::Interpretacao interpretacao_;
    int dpmm_;
    int atual_ = 0;
};

}  // namespace etiquetas
