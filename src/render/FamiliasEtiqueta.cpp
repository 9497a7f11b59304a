#include "render/FamiliasEtiqueta.h"

#include "render/EtiquetaInternaCaixaSku.h"
#include "render/PrecoAdesiva.h"
#include "render/PrecoAdesivaIntima.h"
#include "render/PrecoCartolina.h"
#include "render/PrecoCosmetico.h"
#include "render/PrecoRelogio.h"
#include "render/VolumeIlpn.h"
#include "render/VolumePadrao.h"
#include "render/VolumeReposicao.h"

namespace etiquetas {

namespace {

using enum RegraVariante;
using enum RegistroTxt;
using enum RegraContagem;
using enum ComparacaoSeparador;
constexpr auto kPreco = ArquivoFamilia::Preco;
constexpr auto kVolume = ArquivoFamilia::Volume;
constexpr std::string_view kSeparador = "QuelmonteSeparador";
constexpr std::string_view kSeparadorSku = "QuelmonteSeparadorSKU";

constexpr std::string_view kTxtCartolina = "QuelmonteEtiquetaPrecoCartolina_";
constexpr std::string_view kTxtAdesiva = "QuelmonteEtiquetaPrecoAdesiva_";
constexpr std::string_view kTxtReposicao = "QuelmonteEtiquetaVolumeReposicao_";
constexpr std::string_view kTxtPadrao = "QuelmonteEtiquetaVolumePadrao_";

// clang-format off
constexpr FamiliaEtiqueta kFamilias[]{
  {1,  Qualquer,          kPreco,  "Etiquetas de Preço (Cartolina)",           "QuelmonteEtiqPrecoCartolina",     true,  kSeparador,    Preco,           kTxtCartolina, true,  ImprimirPrecoCartolina,       Pares,    ComoDigitados},
  {2,  Qualquer,          kPreco,  "Etiquetas de Preço (Adesiva)",             "QuelmonteEtiqPrecoAdesiva",       true,  kSeparador,    Preco,           kTxtAdesiva,   true,  ImprimirPrecoAdesiva,         Amostra,  NumerosFormados},
  {3,  Qualquer,          kVolume, "Etiquetas de Volume(Reposição Automatica)", "QuelmonteEtiqVolumeRepos",        false, kSeparador,    VolumeReposicao, kTxtReposicao, true,  ImprimirVolumeReposicao,      Amostra,  ComoDigitados},
  {4,  SomenteVolume,     kVolume, "Etiquetas de Volume(Padrão)",              "QuelmonteEtiqVolumePadrao",       false, kSeparador,    VolumePadrao,    kTxtPadrao,    true,  ImprimirVolumePadrao,         Amostra,  ComoDigitados},
  {4,  ExcetoVolume,      kVolume, "Etiquetas de Volume(Padrão)",              "QuelmonteEtiqIlpn",               false, kSeparador,    VolumePadrao,    kTxtPadrao,    false, ImprimirVolumeIlpn,           Amostra,  ComoDigitados},
  {5,  Qualquer,          kPreco,  "Etiquetas de Preço (Cartolina Com/Sem)",   "QuelmonteEtiqPrecoComSem",        true,  kSeparador,    Nenhum,          "",            false, ImprimirPrecoCartolinaComSem, Unidades, ComoDigitados},
  {6,  InternaOuSemLista, kPreco,  "Etiquetas de Preço (Adesiva Intima)",      "QuelmonteEtiqPrecoAdesivaIntima", true,  kSeparador,    Nenhum,          "",            false, ImprimirPrecoAdesivaIntima,   Amostra,  NumerosFormados},
  {6,  CaixaIlpnOuVolume, kPreco,  "Etiquetas de Preço (Adesiva Intima)",      "QuelmonteEtiqInterna",            false, kSeparadorSku, Nenhum,          "",            false, ImprimirEtiquetaInternaCaixa, Amostra,  ComoDigitados},
  {7,  InternaOuSemLista, kPreco,  "Etiquetas de Preço (Relógio)",             "QuelmonteEtiqPrecoRelogio",       false, kSeparador,    Nenhum,          "",            false, ImprimirPrecoRelogio,         Unidades, NumerosFormados},
  {7,  CaixaIlpnOuVolume, kPreco,  "Etiquetas de Preço (Relógio)",             "QuelmonteEtiqInterna",            false, kSeparadorSku, Nenhum,          "",            false, ImprimirEtiquetaInternaCaixa, Amostra,  ComoDigitados},
  {8,  Qualquer,          kVolume, "Etiquetas de Consolidador de Encabidado",  "",                                false, "",            Nenhum,          "",            false, nullptr,                      Amostra,  ComoDigitados},
  {9,  Qualquer,          kPreco,  "Etiquetas de Preço (Conjunto)",            "QuelmonteEtiqPrecoComSem",        true,  kSeparador,    Nenhum,          "",            false, ImprimirPrecoConjunto,        Unidades, ComoDigitados},
  {11, Qualquer,          kPreco,  "Etiquetas de Preço (Cosmético)",           "QuelmonteEtiqPrecoCosmetico",     true,  kSeparador,    Nenhum,          "",            false, ImprimirPrecoCosmetico,       Cinco,    ComoDigitados},
  {99, InternaOuSemLista, kPreco,  "Etiquetas SKU",                            "QuelmonteEtiqInterna",            false, kSeparadorSku, Nenhum,          "",            true,  ImprimirEtiquetaSku,          Amostra,  ComoDigitados},
  {99, CaixaIlpnOuVolume, kPreco,  "Etiquetas SKU",                            "QuelmonteEtiqCaixa",              false, kSeparadorSku, Nenhum,          "",            true,  ImprimirEtiquetaInternaCaixa, Amostra,  ComoDigitados},
};

// The doubled ending of the type-4 section is the name every installed layout
// file uses; types 5 and 9 share a section.
constexpr TipoEtiquetaFamilia kTipos[]{
  {1,  "QuelmonteEtiqPreco",              "Preço Cartolina",  "PRECO_CARTOLINA",  4, "Quelmonte_Preco_Cartolina_teste.xml"},
  {2,  "QuelmonteEtiqPrecoAdesiva",       "Preço Adesiva",    "PRECO_ADESIVA",    3, "Quelmonte_Preco_Adesiva_teste.xml"},
  {3,  "QuelmonteEtiqVolumeRepos",        "Volume Reposição", "VOLUME_REPOSICAO", 2, "Quelmonte_Grade_Volume_ReposAuto_teste.xml"},
  {4,  "QuelmonteEtiqVolumePadraorao",    "Volume Padrão",    "VOLUME_PADRAO",    1, "Quelmonte_Grade_Volume_Padrao_teste.xml"},
  {99, "QuelmonteEtiqInterna",            "Interna",          "ETIQUETA_INTERNA", 0, ""},
  {5,  "QuelmonteEtiqPrecoComSem",        "Preço Com/Sem e Conjunto", "PRECO_COMSEM", 0, ""},
  {6,  "QuelmonteEtiqPrecoAdesivaIntima", "Preço Adesiva Íntima", "PRECO_ADESIVA_INTIMA", 0, ""},
  {7,  "QuelmonteEtiqPrecoRelogio",       "Preço Relógio",    "PRECO_RELOGIO",    0, ""},
  {11, "QuelmonteEtiqPrecoCosmetico",     "Preço Cosmético",  "PRECO_COSMETICO",  0, ""},
  // No family prints type 8 and type 9 shares the section of type 5.
  {8,  "QuelmonteEtiqPrecoOculos",        "",                 "",                 0, ""},
  {9,  "QuelmonteEtiqPrecoComSem",        "",                 "",                 0, ""},
};
// clang-format on

bool aceita(RegraVariante regra, int variante) {
    switch (regra) {
        case Qualquer:
            return true;
        case InternaOuSemLista:
            return variante == 1 || variante == 9;
        case CaixaIlpnOuVolume:
            return variante == 2 || variante == 3 || variante == 4;
        case SomenteVolume:
            return variante == 4;
        case ExcetoVolume:
            return variante != 4;
    }
    return false;
}

}  // namespace

const FamiliaEtiqueta* familiaEtiqueta(int tipo, int variante) {
    for (const auto& f : kFamilias)
        if (f.tipo == tipo && aceita(f.variante, variante)) return &f;
    return nullptr;
}

const FamiliaEtiqueta* familiaDoTipo(int tipo) {
    for (const auto& f : kFamilias)
        if (f.tipo == tipo) return &f;
    return nullptr;
}

std::span<const TipoEtiquetaFamilia> tiposEtiqueta() {
    return kTipos;
}

const TipoEtiquetaFamilia* tipoEtiquetaFamilia(int tipo) {
    for (const auto& t : kTipos)
        if (t.tipo == tipo) return &t;
    return nullptr;
}

std::string_view arquivoTesteDaOpcao(int opcao) {
    for (const auto& t : kTipos)
        if (opcao != 0 && t.opcaoTeste == opcao) return t.arquivoTeste;
    return {};
}

AtualizarConfiguracao configuracaoLayout(int tipo, int tipoImpressora, bool layoutNovo) {
    AtualizarConfiguracao cfg;
    if (const auto* t = tipoEtiquetaFamilia(tipo)) cfg.RaizSecao = t->secaoLayout;
    cfg.TipoImpressora = tipoImpressora;
    cfg.LayoutNovo = layoutNovo;
    return cfg;
}

ExportacaoTxt exportacaoTxt(const FamiliaEtiqueta& familia) {
    return {familia.registroTxt, std::string(familia.prefixoTxt), familia.tipo};
}

const FamiliaEtiqueta* familiaPaginaTeste(int tipo, int variante) {
    if (const auto* f = familiaEtiqueta(tipo, variante); f && f->paginaTeste) return f;
    for (const auto& f : kFamilias)
        if (f.tipo == tipo && f.paginaTeste) return &f;
    return nullptr;
}

std::optional<std::string> legendaTipoEtiqueta(ArquivoFamilia arquivo, std::string_view codigo) {
    for (const auto& f : kFamilias)
        if (f.arquivo == arquivo && std::to_string(f.tipo) == codigo) return std::string(f.legenda);
    return std::nullopt;
}

std::string nomeTemplate(const FamiliaEtiqueta& familia, bool layoutNovo, Linguagem linguagem) {
    std::string nome(familia.modelo);
    if (familia.usaLayoutNovo && layoutNovo) nome += "_NOVO";
    return nome + nomeLinguagem(linguagem) + extensaoLinguagem(linguagem);
}

std::string nomeSeparador(const FamiliaEtiqueta& familia, Linguagem linguagem) {
    return std::string(familia.separador) + extensaoLinguagem(linguagem);
}

}  // namespace etiquetas
