#pragma once

// What the price families share, as RotinaVolume is for the volume ones: the
// walk over every row of the price grid, the cells of the row being printed,
// its sequence range, the check of the stored repetition and the separator
// when order or item changes. Each family keeps its own step numbers, which
// its failure messages name.

#include <string>

#include "comum/CamposGrade.h"
#include "render/ExecucaoImpressao.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

// The sequence range of a row as typed, whole parts.
struct FaixaSequencias {
    long long primeira = 0;
    long long ultima = 0;
};

class RotinaPreco {
  public:
    explicit RotinaPreco(ExecucaoImpressao& execucao) : x_(execucao) {}
    virtual ~RotinaPreco() = default;

    // Every row of the grid, ticked or not: a family may check or show
    // something for a row it does not print.
    void executarLinhas(int passoInicio, int passoFim);

  protected:
    virtual void imprimirLinha(int linha) = 0;

    const std::string& celula(CampoPreco campo) const;
    // Text that is no number, or a number past 32 bits, ends the run.
    FaixaSequencias faixaDaLinha() const;
    // The cartolina section's "Repeticao" must be a 16-bit number, read
    // for every row as the families always have (once, in a run without effect).
    void conferirRepeticao();
    void imprimirSeparadorSeDevido(ComparacaoSeparador comparacao);
    // The current row's labels numbered `primeira` to `ultima` were made.
    void anotarEtiquetas(long long primeira, long long ultima);

    ExecucaoImpressao& x_;

  private:
    bool repeticaoConferida_ = false;
};

// The separator memory at the start of a run: the first row always gets one.
inline constexpr const char* kSemSeparador = "00000";

// Order and item of a price row as a family compares them with the last
// separator's.
struct ChaveSeparador {
    std::string pedido, item;
    bool operator==(const ChaveSeparador&) const = default;
};
ChaveSeparador chaveSeparador(const LinhaPreco& linha, ComparacaoSeparador comparacao);

// The variant a price row's labels carry, as its history names it: ten
// digits, then "-" and the check digit ("0000000123-5").
std::string varianteDaLinha(const LinhaPreco& linha);

// Whole part of a grid number named `nome` in the failure message.
long long parteInteira(const std::string& texto, const char* nome);

}  // namespace etiquetas
