#pragma once

// What a ZPL printer makes of a spool: labels, each a list of drawing
// operations in printer dots, plus the settings the label carries. Text is
// kept as the characters the printer prints (UTF-8), after ^FH and ^CI.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace etiquetas::zpl {

// Bounds that keep a hostile spool's picture finite (printer dots).
inline constexpr int kCoordenadaMaxima = 32000;
inline constexpr int kLarguraMaxima = 3000;
inline constexpr int kComprimentoMaximo = 6000;

// N, R (90 degrees clockwise), I (180), B (270).
enum class Orientacao { Normal, Rotacionada, Invertida, DeBaixoParaCima };

struct Retangulo {
    int x = 0, y = 0, largura = 0, altura = 0;
    bool operator==(const Retangulo&) const = default;
};

// ^FB: a text block the printer wraps into lines.
struct Bloco {
    int largura = 0;
    int linhas = 1;
    int espacamento = 0;
    char justificacao = 'L';  // L, C, R, J
    int recuo = 0;
    bool operator==(const Bloco&) const = default;
};

struct OpTexto {
    int x = 0, y = 0;
    bool naLinhaBase = false;  // ^FT: y is the baseline; ^FO: the top
    char fonte = '0';
    Orientacao orientacao = Orientacao::Normal;
    int altura = 0, largura = 0;  // the character cell, in dots
    std::string texto;            // UTF-8
    std::optional<Bloco> bloco;
    bool reverso = false;
    bool operator==(const OpTexto&) const = default;
};

struct OpCaixa {
    Retangulo area;
    int espessura = 1;
    bool preta = true;
    int arredondamento = 0;  // 0 to 8
    bool reverso = false;
    bool operator==(const OpCaixa&) const = default;
};

struct OpCirculo {
    int x = 0, y = 0, diametro = 3, espessura = 1;
    bool preta = true;
    bool reverso = false;
    bool operator==(const OpCirculo&) const = default;
};

struct OpDiagonal {
    Retangulo area;
    int espessura = 1;
    bool preta = true;
    bool subindo = true;  // '/' from the lower left; '\' otherwise
    bool reverso = false;
    bool operator==(const OpDiagonal&) const = default;
};

// Bars already placed on the label; the human-readable line, when printed,
// comes as separate text operations.
struct OpCodigoBarras {
    std::string simbologia;  // "Code 128", "EAN-13", ...
    std::string dados;       // what a scanner reads back
    std::vector<Retangulo> barras;
    bool reverso = false;
    bool operator==(const OpCodigoBarras&) const = default;
};

struct OpGrafico {
    int x = 0, y = 0;
    int largura = 0, altura = 0;  // in dots of the stored picture
    int ampliacaoX = 1, ampliacaoY = 1;
    int bytesPorLinha = 0;
    // Rows of bytesPorLinha, most significant bit first; the stored graphic's
    // own bytes, shared by every label that recalls it.
    std::shared_ptr<const std::vector<std::uint8_t>> bits;
    bool reverso = false;
    bool operator==(const OpGrafico&) const = default;
};

using Operacao = std::variant<OpTexto, OpCaixa, OpCirculo, OpDiagonal, OpCodigoBarras, OpGrafico>;

struct ConfiguracaoEtiqueta {
    std::optional<int> largura;             // ^PW
    std::optional<int> comprimento;         // ^LL
    int origemX = 0, origemY = 0;           // ^LH
    int codificacao = 0;                    // ^CI
    std::optional<std::string> velocidade;  // ^PR, as written
    std::optional<std::string> tonalidade;  // ~SD, as written
    int copias = 1;                         // ^PQ
    bool operator==(const ConfiguracaoEtiqueta&) const = default;
};

struct Etiqueta {
    ConfiguracaoEtiqueta configuracao;
    std::vector<Operacao> operacoes;
    bool operator==(const Etiqueta&) const = default;

    // Empty again, keeping the room of the operations when a reader's
    // destination left them (the check reads a label and lets it go): a
    // label's room is a large block, and allocating one a label costs.
    void esvaziar(std::size_t operacoesPrevistas) {
        configuracao = {};
        operacoes.clear();
        operacoes.reserve(operacoesPrevistas);
    }
};

struct Aviso {
    int etiqueta = 0;   // from 1; 0 outside any label
    std::string texto;  // Windows-1252
    bool operator==(const Aviso&) const = default;
};

struct Interpretacao {
    std::vector<Etiqueta> etiquetas;
    std::vector<Aviso> avisos;
};

}  // namespace etiquetas::zpl
