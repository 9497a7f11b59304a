#pragma once

// Standard box labels (type 4, "Etiqueta Volume"): the number of labels and
// the pieces per box come from the store in the order file, and the boxes
// are numbered "n/m" in series of at most 999.

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

void ImprimirVolumePadrao(ExecucaoImpressao& execucao);

// The "n/m" of one store's labels. The first series holds up to 999 labels;
// each later one is one shorter than the one before and no longer than the
// labels still to come, so the last label of a store always closes a series.
class SerieVolumes {
  public:
    explicit SerieVolumes(int total);
    // On to the next label: volume() and tamanho() are its n and m.
    void avancar();
    int volume() const { return volume_; }
    int tamanho() const { return tamanho_; }

  private:
    int total_;
    int tamanho_;
    int etiqueta_ = 0;
    int volume_ = 0;
};

}  // namespace etiquetas
