#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace etiquetas {

// A list of observers called in the order they were added. The core wires
// its reactions here; the Qt view adds its repaint.
template <typename... Args>
class Sinal {
  public:
    using Observador = std::function<void(Args...)>;
    void conectar(Observador o) { observadores_.push_back(std::move(o)); }
    void emitir(Args... args) const {
        for (const auto& o : observadores_) o(args...);
    }

  private:
    std::vector<Observador> observadores_;
};

}  // namespace etiquetas
