#pragma once

// Where the parts of a field land on the label once its origin and rotation
// are applied. ^FO places the top-left corner of the rotated field; ^FT
// places a point of the field (the bottom of a bar code's bars).

#include "zpl/CodigoBarras.h"
#include "zpl/Etiqueta.h"

namespace etiquetas::zpl {

struct Colocacao {
    int x = 0, y = 0;
    bool naLinhaBase = false;
    Orientacao orientacao = Orientacao::Normal;
    int largura = 0, altura = 0;  // the field, unrotated
    int ancoraY = 0;              // the point ^FT places: (0, ancoraY)
};

Retangulo colocar(const Retangulo& local, const Colocacao& c);

// The same for the many parts of one field (a bar code's bars): where the
// field lands is worked out once.
class Colocador {
  public:
    explicit Colocador(const Colocacao& c);
    Retangulo operator()(const Retangulo& local) const;

  private:
    Orientacao orientacao_;
    long dx_ = 0, dy_ = 0;
};

// The human-readable line of a linear bar code, centred under (or over) its bars.
OpTexto legendaDoSimbolo(const SimboloLinear& s, const Colocacao& c, int topo, int altura,
                         bool reverso);

}  // namespace etiquetas::zpl
