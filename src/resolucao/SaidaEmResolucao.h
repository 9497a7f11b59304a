#pragma once

// The first link of a run's chain of sinks: each job rewritten for the
// printer line's resolution before the check, the preview, the history and
// the printer take it. At the templates' own resolution the jobs pass as
// they are, byte for byte.

#include <functional>
#include <string>
#include <vector>

#include "render/Trabalho.h"
#include "resolucao/ConversaoResolucao.h"

namespace etiquetas {

// A warning of the conversion with the job it came from and the run's
// number of that job's first label (from 1; 0 for a set-up job).
using AvisoEmResolucao =
    std::function<void(const AvisoConversao&, const Trabalho&, int primeiraEtiqueta)>;

class SaidaEmResolucao : public SaidaTrabalhos {
  public:
    SaidaEmResolucao(SaidaTrabalhos& destino, Linguagem linguagem, int dpi,
                     AvisoEmResolucao aviso = {})
        : destino_(destino),
          linguagem_(linguagem),
          conversor_(kResolucaoModelos, dpi),
          aviso_(std::move(aviso)) {}

    void enviar(const Trabalho& trabalho) override {
        if (conversor_.identidade()) return destino_.enviar(trabalho);
        convertido_ = trabalho;
        avisos_.clear();
        conversor_.converter(trabalho.texto, linguagem_, convertido_.texto, avisos_);
        const int primeira = trabalho.etiquetas > 0 ? etiquetas_ + 1 : 0;
        etiquetas_ += trabalho.etiquetas;
        if (aviso_)
            for (const auto& a : avisos_) aviso_(a, trabalho, primeira);
        destino_.enviar(convertido_);
    }

  private:
    SaidaTrabalhos& destino_;
    Linguagem linguagem_;
    ConversorResolucao conversor_;
    AvisoEmResolucao aviso_;
    Trabalho convertido_;
    std::vector<AvisoConversao> avisos_;
    int etiquetas_ = 0;
};

}  // namespace etiquetas
