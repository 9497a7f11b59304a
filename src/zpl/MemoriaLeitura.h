#pragma once

// The readers' memory of what they read at each place of the labels. A
// template's constant fields come back label after label at the same place
// with the same text, and most order values come back too, a few rows later
// (a description, a size, a price): from the third time the same text comes
// at the same place, its reading is repeated instead of read again. Only
// values never seen before are read.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
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

template <class Leitura>
struct PassoNaMemoria {
    PassoLeitura passo = PassoLeitura::Ler;
    Leitura* leitura = nullptr;  // where to keep or whence to repeat; none to read only
};

// Bounded, and not carried into a copy of the reader: a copy is a snapshot of
// the printer, not of this shortcut.
template <class Leitura>
class MemoriaLeitura {
  public:
    static constexpr std::size_t kLugares = 512;
    static constexpr std::size_t kTextoMaximo = 2048;
    // Readings kept, and their texts' bytes: past either, the memory starts
    // afresh.
    static constexpr std::size_t kLeituras = 8192;
    static constexpr std::size_t kBytes = std::size_t{1} << 20;
    // Texts seen, by their hash, one a slot, in a table small enough to stay
    // in the processor's cache: a value that never comes back (a bar code, a
    // reference) is read once and costs no kept reading; one that lost its
    // slot to another is only read again.
    static constexpr std::size_t kVistos = std::size_t{1} << 14;

    MemoriaLeitura() = default;
    MemoriaLeitura(const MemoriaLeitura&) {}
    MemoriaLeitura& operator=(const MemoriaLeitura&) {
        esquecer();
        return *this;
    }

    // What to do with `texto` read at the label's `lugar`-th piece in
    // `contexto`: the first time read it, the second read and keep it, then
    // repeat it.
    template <class Contexto>
    PassoNaMemoria<Leitura> passo(std::size_t lugar, std::string_view texto,
                                  const Contexto& contexto) {
        if (lugar >= kLugares || texto.size() > kTextoMaximo) return {};
        if (lugar >= ultimas_.size()) ultimas_.resize(lugar + 1);
        Leitura*& ultima = ultimas_[lugar];
        if (ultima && mesma(*ultima, texto, contexto)) return repetir(*ultima);
        const std::uint64_t chave =
            std::hash<std::string_view>{}(texto) ^ (lugar * 0x9E3779B97F4A7C15ULL);
        if (vistos_.empty()) vistos_.resize(kVistos);
        Visto& visto = vistos_[chave & (kVistos - 1)];
        if (visto.chave != chave || !visto.leitura) {
            const bool segunda = visto.chave == chave;
            visto = {chave, nullptr};
            if (!segunda) return {};
            if (leituras_.size() >= kLeituras || bytes_ + texto.size() > kBytes) esquecer();
            visto = vistos_[chave & (kVistos - 1)] = {chave, &leituras_.emplace_back()};
        }
        ultima = visto.leitura;
        if (mesma(*ultima, texto, contexto)) return repetir(*ultima);
        bytes_ += texto.size() - ultima->texto.size();
        *ultima = Leitura{};
        ultima->texto.assign(texto);
        ultima->antes = contexto;
        return {PassoLeitura::Guardar, ultima};
    }

  private:
    struct Visto {
        std::uint64_t chave = 0;
        Leitura* leitura = nullptr;  // none: seen once, not kept
    };

    template <class Contexto>
    static bool mesma(const Leitura& l, std::string_view texto, const Contexto& contexto) {
        return l.guardada && l.texto == texto && l.antes == contexto;
    }
    static PassoNaMemoria<Leitura> repetir(Leitura& l) {
        return {l.repetivel ? PassoLeitura::Repetir : PassoLeitura::Ler, &l};
    }

    void esquecer() {
        leituras_.clear();
        ultimas_.clear();
        vistos_.clear();
        bytes_ = 0;
    }

    std::deque<Leitura> leituras_;  // where the slots and places point
    std::size_t bytes_ = 0;
    std::vector<Visto> vistos_;
    std::vector<Leitura*> ultimas_;  // by place: the reading last used there, tried first
};

}  // namespace etiquetas::zpl
