#pragma once

// Adhesive price labels (type 2) and the run they share with the
// intimate-apparel family (type 6): field positions read from the layout
// file for every grid row, rows of labels side by side on the liner, and the
// Datamax grouping of rows by how many labels each one ended with.

#include <span>
#include <string>
#include <string_view>

#include "comum/CamposGrade.h"
#include "render/ExecucaoImpressao.h"
#include "render/MotorTemplate.h"

namespace etiquetas {

void ImprimirPrecoAdesiva(ExecucaoImpressao& execucao);

// One position token and the field whose coordinate it receives; a field
// of -1 always receives "0000".
struct TokenPosicao {
    std::string_view token;
    int campo;
};

// What a label of a row knows when its data placeholders are filled.
struct EtiquetaAdesiva {
    LinhaPreco linha;
    long long numero;     // the label's sequence number (the first of a pair)
    long long numeroPar;  // the second number of a pair
    bool novo;            // the template is a "_NOVO" one
    Linguagem linguagem;
    bool zebra;  // the printer maker is ZEBRA (bar-code switch)
};

struct FamiliaAdesiva {
    std::string_view secaoPosicoes;            // layout-file section stem
    std::span<const std::string_view> chaves;  // position keys, in reading order
    std::span<const TokenPosicao> tokensX;     // in replacement order
    std::span<const TokenPosicao> tokensY;
    bool paresNoLayoutNovo;         // a "_NOVO" body is one pair of labels
    bool configuracaoDatamaxNoFim;  // the set-up file goes before the last batch
    void (*preencherDados)(const EtiquetaAdesiva& etiqueta, PreenchimentoUnidade& unidade);
};

// The shared run of the adhesive families.
void imprimirAdesiva(ExecucaoImpressao& execucao, const FamiliaAdesiva& familia);

// Helpers both families fill their labels with.
std::string materialAdesiva(const LinhaPreco& linha);  // variant code, ten digits
std::string codigoBarrasAdesiva(const EtiquetaAdesiva& etiqueta, long long numero);
// The size as the label prints it and the "UNICO" text of size "U".
struct TamanhoAdesiva {
    std::string tamanho, unico;
};
TamanhoAdesiva tamanhoAdesiva(const EtiquetaAdesiva& etiqueta);

}  // namespace etiquetas
