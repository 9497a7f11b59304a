#pragma once

// The printer's memory of graphics downloaded with ~DG, recalled with ^XG and
// deleted with ^ID. It outlives a label: a spool may download once and recall
// on every label.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace etiquetas::zpl {

// Bounds on what one download may hold, and on all stored graphics together
// (a printer's own memory is of this order): a spool of many downloads
// cannot make the preview grow beyond them.
inline constexpr int kBytesGraficoMaximo = 1 << 21;
inline constexpr int kBytesPorLinhaMaximo = 1000;
inline constexpr std::size_t kMemoriaGraficos = 8u << 20;

// Shared by every label that recalls it, never copied per label.
using BitsGrafico = std::shared_ptr<const std::vector<std::uint8_t>>;

struct GraficoArmazenado {
    int bytesPorLinha = 0;
    int linhas = 0;
    BitsGrafico bits;
};

// "LOGO" -> "R:LOGO.GRF": the device and the extension the printer assumes.
std::string nomeCompleto(std::string_view nome);

// ASCII hexadecimal with the printer's compression: G-Y and g-z repeat
// counts, "," and "!" fill the row with zeros or ones, ":" repeats the row.
std::vector<std::uint8_t> decodificarGrafico(std::string_view dados, int bytesTotais,
                                             int bytesPorLinha, std::vector<std::string>& avisos);

class MemoriaGraficos {
  public:
    // ~DG d:o.x,t,w,data
    void carregar(std::string_view parametros, std::vector<std::string>& avisos);
    // ^ID d:o.x, with * and ? as wildcards.
    void apagar(std::string_view nome, std::vector<std::string>& avisos);
    const GraficoArmazenado* buscar(std::string_view nome) const;
    std::size_t quantidade() const { return graficos_.size(); }

  private:
    std::size_t ocupados(const std::string& nome) const;

    std::map<std::string, GraficoArmazenado> graficos_;
    std::size_t usados_ = 0;  // bytes of all stored graphics
};

}  // namespace etiquetas::zpl
