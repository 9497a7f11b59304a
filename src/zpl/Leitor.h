#pragma once

// A spool read in pieces, as they come (the jobs of a run, one by one), in
// either printer language: each label goes out as soon as it ends, each
// warning as soon as it is found, so that nothing grows with the number of
// labels.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "zpl/Etiqueta.h"

namespace etiquetas::zpl {

struct DestinoLeitura {
    std::function<void(Etiqueta&&)> etiqueta;
    std::function<void(const Aviso&)> aviso;
};

// A command or line cut between two pieces is read whole. A copy goes on
// from the same point, with the same stored objects and settings.
class Leitor {
  public:
    virtual ~Leitor() = default;
    virtual void ler(std::string_view pedaco) = 0;
    // The spool ends here: what is still open is reported.
    virtual void terminar() = 0;
    virtual int etiquetasLidas() const = 0;
    // Stored objects: a copy of a reader holding many costs as many entries.
    virtual std::size_t objetosArmazenados() const { return 0; }
    virtual void redirecionar(DestinoLeitura destino) = 0;
    virtual std::unique_ptr<Leitor> copia() const = 0;
};

// The whole spool through a reader, its labels and warnings kept.
Interpretacao interpretarCom(Leitor& leitor, std::string_view spool);

// A quoted piece of the spool in a warning: short, and on one line.
std::string citacao(std::string_view texto);

}  // namespace etiquetas::zpl
