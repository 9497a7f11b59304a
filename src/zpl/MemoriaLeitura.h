#pragma once

// The readers' memory of what they read at each place of the last labels. A
// template's constant fields come back label after label at the same place
// with the same text: the third time, their reading is repeated instead of
// read again. Order values change only their own fields.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "zpl/Etiqueta.h"

namespace etiquetas::zpl {

// A piece read at one place: its text, what it read from outside itself, and
// then what it drew, what it warned of, and `Depois`, what it left behind.
template <class Contexto, class Depois>
struct LeituraGuardada {
    std::string texto;
    Contexto antes{};
    bool guardada = false;   // what follows holds its reading
    bool repetivel = false;  // its reading is the same whenever text and context are
    std::vector<Operacao> operacoes;
    std::vector<std::string> avisos;  // as the reader words them, without the place
    Depois depois{};
};

enum class PassoLeitura { Ler, Guardar, Repetir };

// Bounded, and not carried into a copy of the reader: a copy is a snapshot of
// the printer, not of this shortcut.
template <class Leitura>
class MemoriaLeitura {
  public:
    static constexpr std::size_t kLugares = 512;
    static constexpr std::size_t kTextoMaximo = 2048;

    MemoriaLeitura() = default;
    MemoriaLeitura(const MemoriaLeitura&) {}
    MemoriaLeitura& operator=(const MemoriaLeitura&) {
        lugares_.clear();
        return *this;
    }

    // The place of the label's `indice`-th piece; none past the bound.
    Leitura* lugar(std::size_t indice) {
        if (indice >= kLugares) return nullptr;
        if (indice >= lugares_.size()) lugares_.resize(indice + 1);
        return &lugares_[indice];
    }

    // What to do with `texto` read at `lugar` in `contexto`: the first time
    // read it, the second read and keep it, then repeat it.
    template <class Contexto>
    static PassoLeitura passo(Leitura* lugar, std::string_view texto, const Contexto& contexto) {
        if (!lugar || texto.size() > kTextoMaximo) return PassoLeitura::Ler;
        if (lugar->texto != texto || !(lugar->antes == contexto)) {
            lugar->texto.assign(texto);
            lugar->antes = contexto;
            lugar->guardada = false;
            return PassoLeitura::Ler;
        }
        if (!lugar->guardada) return PassoLeitura::Guardar;
        return lugar->repetivel ? PassoLeitura::Repetir : PassoLeitura::Ler;
    }

  private:
    std::vector<Leitura> lugares_;
};

}  // namespace etiquetas::zpl
