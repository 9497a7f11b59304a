#pragma once

// A printer's resolution against the template's, and the rounding every
// rewritten size goes through.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace etiquetas {

// The resolution the shipped templates are drawn for.
inline constexpr int kResolucaoModelos = 203;

// 203, 300 and 600 dpi: the resolutions a printer line may have.
bool resolucaoValida(int dpi);
// The dots per millimetre of a resolution: 8, 12, 24.
int pontosPorMilimetro(int dpi);
// "203", "300" or "600" as a resolution; none for anything else.
std::optional<int> resolucaoDoTexto(std::string_view texto);

struct AvisoConversao {
    std::string campo;     // the command or record as written: "^BY3"
    std::string problema;  // Windows-1252
    bool operator==(const AvisoConversao&) const = default;
};

// Each warning once: a template repeats its fields for every label across.
void avisarUmaVez(std::vector<AvisoConversao>& avisos, AvisoConversao aviso);

class Escala {
  public:
    Escala(int dpiOrigem, int dpiDestino);

    bool identidade() const { return num_ == den_; }
    int dpiDestino() const { return destino_; }
    int dpmmOrigem() const { return den_; }
    int dpmmDestino() const { return num_; }

    double exato(double pontos) const { return pontos * num_ / den_; }
    // Rounded half away from zero.
    long long pontos(long long v) const;

  private:
    int destino_;
    int num_, den_;  // dots per millimetre: destination over origin
};

// "4,5", "13", "2,96": a size in dots for a message.
std::string decimal(double valor);

}  // namespace etiquetas
