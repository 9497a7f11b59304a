#pragma once

// The table of label families: for each label type and variant, the file it
// comes from, its caption, its templates, its routine and what the TXT export
// makes of it. The print command, the test print, the export and the window
// look a family up here; a new family is one source in render/ and one row.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "comum/RegistroTxt.h"
#include "render/ExecucaoImpressao.h"

namespace etiquetas {

enum class ArquivoFamilia { Preco, Volume };

// Which label variants (see varianteDoTexto) a row serves.
enum class RegraVariante {
    Qualquer,
    InternaOuSemLista,  // 1 or 9
    CaixaIlpnOuVolume,  // 2, 3 or 4
    SomenteVolume,      // 4
    ExcetoVolume,       // anything but 4
};

// How a family compares order and item with the last separator's.
enum class ComparacaoSeparador {
    ComoDigitados,   // the cells as they are
    NumerosFormados  // ten and four digits, so "12" and "0000000012" match
};

// How the labels of a price row follow from its range of sequences, for the
// count before a print.
enum class RegraContagem {
    Amostra,   // no rule: the routine run on a bounded sample
    Unidades,  // one label a sequence
    Pares,     // units of two sequences, two labels each
    Cinco,     // units of five labels
};

struct FamiliaEtiqueta {
    int tipo;  // LabelTypeCode
    RegraVariante variante;
    ArquivoFamilia arquivo;
    std::string_view legenda;    // the information block's caption for the type
    std::string_view modelo;     // template stem; "" for a type that prints nothing
    bool usaLayoutNovo;          // the "_NOVO" suffix applies to the template
    std::string_view separador;  // separator template stem
    RegistroTxt registroTxt;
    std::string_view prefixoTxt;  // the export file's stem
    bool paginaTeste;             // printed by "Imprimir Pagina Teste"
    RotinaFamilia rotina;         // nullptr: not printable in this version
    RegraContagem contagem;
    ComparacaoSeparador separadorPor;  // how its routine tells a new order/item
};

// The row of `tipo` printed with `variante`; none for a type without one.
const FamiliaEtiqueta* familiaEtiqueta(int tipo, int variante);
// Any row of `tipo` (caption, export), none for an unknown type.
const FamiliaEtiqueta* familiaDoTipo(int tipo);

// What belongs to a label type whatever the variant: where its layout lives,
// how the layout dialog shows it, which test order file prints it.
struct TipoEtiquetaFamilia {
    int tipo;                        // LabelTypeCode
    std::string_view secaoLayout;    // layout-file section root
    std::string_view legendaLayout;  // the layout dialog's list; "" not listed
    std::string_view imagemLayout;   // the dialog's picture; "" keeps the last one
    int opcaoTeste;                  // "Imprimir Pagina Teste" option, 0 none
    std::string_view arquivoTeste;   // that option's test order file
};

// The label types in the order the layout dialog lists them.
std::span<const TipoEtiquetaFamilia> tiposEtiqueta();
// The facts of `tipo`, none for an unknown type.
const TipoEtiquetaFamilia* tipoEtiquetaFamilia(int tipo);
// The test order file of a test option, "" for an unknown option.
std::string_view arquivoTesteDaOpcao(int opcao);
// The layout parameters of `tipo` on a printer, not yet loaded.
AtualizarConfiguracao configuracaoLayout(int tipo, int tipoImpressora, bool layoutNovo);
// What the export of `familia`'s label type writes.
ExportacaoTxt exportacaoTxt(const FamiliaEtiqueta& familia);
// The family a test page of `tipo` prints with `variante`: the one the
// variant chooses when the test page prints it, otherwise the type's test
// family (a volume test file prints standard volume labels whatever variant
// is shown); none for a type without test page.
const FamiliaEtiqueta* familiaPaginaTeste(int tipo, int variante);
// The caption of the label type coded `codigo` in a file of kind `arquivo`.
std::optional<std::string> legendaTipoEtiqueta(ArquivoFamilia arquivo, std::string_view codigo);

// Template and separator file names of a family for a language.
std::string nomeTemplate(const FamiliaEtiqueta& familia, bool layoutNovo, Linguagem linguagem);
std::string nomeSeparador(const FamiliaEtiqueta& familia, Linguagem linguagem);

}  // namespace etiquetas
