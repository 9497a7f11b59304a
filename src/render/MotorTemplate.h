#pragma once

// The template engine shared by every label family: loading a template,
// cutting out its repeated body, wrapping a send unit in header and footer,
// the progress text and the padding rules of the labels.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "render/ExecucaoImpressao.h"

namespace etiquetas {

// Position tokens of price templates: each offset token becomes its field's
// offset, each fixed one "0000".
inline constexpr std::array<std::string_view, 16> kTokensDeslocamento{
    "GGGG", "B1B1", "CCCC", "B2B2", "TTTT", "TATA", "PPPP", "RRRR",
    "IIII", "CTCT", "COCO", "L1L1", "L2L2", "REFF", "BBBB", "LILI"};
inline constexpr std::array<std::string_view, 16> kTokensFixos{
    "_LI_", "_GG_", "_B1_", "_CC_", "_B2_", "_TT_", "_TA_", "_PP_",
    "_RR_", "_II_", "_CA_", "_CO_", "_L1_", "_L2_", "_RF_", "_BB_"};

// The whole template file of the application folder, read at any size.
// Throws FalhaImpressao when it cannot be read.
std::string lerTemplate(const std::filesystem::path& pasta, const std::string& nome);

// The printer's speed and temperature in a template, filled before any order
// value goes in, so that order text is never read as a token.
void preencherComandosImpressora(std::string& modelo, const std::string& velocidade,
                                 const std::string& temperatura);

// Reads the run's template into TextoTemplate and fills the speed, the
// temperature ("00") and the temperature as typed.
void CarregarTemplate(ExecucaoImpressao& execucao);
// CorpoTemplate = the text between "#INICIO#" and "#FIM#", blanks around it
// removed. A template without both markers throws.
void ExtrairCorpoTemplate(ExecucaoImpressao& execucao);
// TextoSaida = header & TextoSaida & footer of TextoTemplate.
void AplicarCabecalhoRodape(ExecucaoImpressao& execucao);

// A unit's order values go into its body as substituirTodos, token after
// token in the routine's order, would put them, except that a value is never
// searched again: a value that looks like a token prints as itself. The body
// is cut at its tokens once while it and the routine's tokens stay the same,
// so a unit is its literal pieces and its values copied in turn.
class PreenchimentoUnidade {
  public:
    // `token` must stay valid until the next aplicar (the routines pass
    // literals).
    void preencher(std::string_view token, std::string valor);
    // `corpo` with the values given since the last call.
    void aplicar(std::string& corpo);

  private:
    bool cortar(const std::string& corpo);
    bool cortado(const std::string& corpo) const;
    void substituirEmSequencia(std::string& corpo) const;

    std::vector<std::string_view> tokens_;
    std::vector<std::string> valores_;
    // The body last cut, with its tokens: `literal_` is its text without
    // them; each piece ends at `fim` of it and is followed by value `vaga`.
    struct Trecho {
        std::size_t fim;
        int vaga;  // -1: none
    };
    std::string corpoCortado_;
    std::vector<std::string> tokensCortados_;
    std::string literal_;
    std::vector<Trecho> trechos_;
    bool valido_ = false;
    std::string saida_;
};

// Progress text on the status bar for the order and item being printed.
void MostrarStatusImpressao(ExecucaoImpressao& execucao, const std::string& pedido,
                            const std::string& item, long long sequencia, long long codBarras);

// Blanks in front of short values so that they line up on the right.
std::string& CompletarEspacos(std::string& texto);
// Leading zeros removed, then a number shorter than ten digits padded to ten.
std::string& CompletarZeros(std::string& texto);
double ArredondarParaCima(double numero);

}  // namespace etiquetas
