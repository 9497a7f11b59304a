#pragma once

// Where each field of a label lies, as far as the printer's own sizes tell,
// and which of them a worker would see on top of one another: text over
// text, text in a bar code's quiet zone, text over a box's edge or black
// text on a black box, a code in another's quiet zone.

#include <array>
#include <cstddef>
#include <vector>

#include "zpl/Etiqueta.h"

namespace etiquetas {

enum class TipoCampo { Texto, CodigoBarras, Caixa, Grafico, Outro };

struct CampoEtiqueta {
    TipoCampo tipo = TipoCampo::Outro;
    std::size_t operacao = 0;  // its operation in the label
    zpl::Retangulo area;       // what the field claims: a text's block or estimate
    zpl::Retangulo tinta;      // what prints: a text's letters, a box's outline
    bool exato = true;         // false: a proportional font's width, estimated
    long larguraTexto = 0;     // a text's whole width, as larguraEstimada gives it
    bool reverso = false;
    int espessura = 0;              // a box's edge; a solid box's is its whole area
    int zona = 0;                   // a bar code's quiet zone on each side
    std::ptrdiff_t legendaDe = -1;  // a text printed by this bar code (index of the code)
    bool operator==(const CampoEtiqueta&) const = default;
};

// Fonts A to H are bitmaps of fixed cells: their width is known, not guessed.
bool larguraFixa(const zpl::OpTexto& texto);

// A text's width at the proportional font's average letter (a blank a third
// of that), or a bitmap font's cells.
long larguraEstimada(const zpl::OpTexto& texto);

struct Sobreposicao {
    std::size_t campo = 0, outro = 0;  // indices into the fields; the finding names `campo`
    bool soZona = false;               // only the other's quiet zone is entered
};

std::vector<Sobreposicao> sobreposicoes(const std::vector<CampoEtiqueta>& campos);

// The last few layouts of labels read: their fields and which lie on one
// another. The labels of a template differ in what their order values print,
// seldom in where (a size of one letter or two): a label laid out as one
// kept has the same overlaps.
class DisposicoesEtiqueta {
  public:
    static constexpr std::size_t kGuardadas = 8;
    static constexpr std::size_t kCamposGuardados = 1024;  // a layout larger is not kept
    static constexpr std::size_t kAvulsa = kGuardadas;     // where a larger one is measured

    struct Disposicao {
        std::vector<CampoEtiqueta> campos;
        std::vector<Sobreposicao> sobreposicoes;
        bool usada = false;
    };
    struct Leitura {
        std::size_t indice;  // of the layout, up to kAvulsa
        bool nova;           // read anew, in place of the oldest kept
    };

    Leitura ler(const zpl::Etiqueta& etiqueta);
    const Disposicao& operator[](std::size_t indice) const { return guardadas_[indice]; }

  private:
    std::array<Disposicao, kGuardadas + 1> guardadas_;
    std::size_t ultima_ = 0, proxima_ = 0;
    std::vector<CampoEtiqueta> lidos_;
};

}  // namespace etiquetas
