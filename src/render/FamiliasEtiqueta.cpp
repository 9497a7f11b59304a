#include "render/FamiliasEtiqueta.h"

#include <array>
#include <new>

#include "render/EtiquetaInternaCaixaSku.h"
#include "render/FalhaImpressao.h"
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
constexpr auto kPreco = ArquivoFamilia::Preco;
constexpr auto kVolume = ArquivoFamilia::Volume;
constexpr std::string_view kSeparador = "QuelmonteSeparador";
constexpr std::string_view kSeparadorSku = "QuelmonteSeparadorSKU";

// clang-format off
constexpr std::array<FamiliaEtiqueta, 15> kFamilias{{
  {1,  Qualquer,          kPreco,  "Etiquetas de Preço (Cartolina)",           "QuelmonteEtiqPrecoCartolina",     true,  kSeparador,    Preco,   ImprimirPrecoCartolina},
  {2,  Qualquer,          kPreco,  "Etiquetas de Preço (Adesiva)",             "QuelmonteEtiqPrecoAdesiva",       true,  kSeparador,    Preco,   ImprimirPrecoAdesiva},
  {3,  Qualquer,          kVolume, "Etiquetas de Volume(Reposição Automatica)", "QuelmonteEtiqVolumeRepos",        false, kSeparador,    Volume,  ImprimirVolumeReposicao},
  {4,  SomenteVolume,     kVolume, "Etiquetas de Volume(Padrão)",              "QuelmonteEtiqVolumePadrao",       false, kSeparador,    Volume,  ImprimirVolumePadrao},
  {4,  ExcetoVolume,      kVolume, "Etiquetas de Volume(Padrão)",              "QuelmonteEtiqIlpn",               false, kSeparador,    Volume,  ImprimirVolumeIlpn},
  {5,  Qualquer,          kPreco,  "Etiquetas de Preço (Cartolina Com/Sem)",   "QuelmonteEtiqPrecoComSem",        true,  kSeparador,    Nenhum,  ImprimirPrecoCartolinaComSem},
  {6,  InternaOuSemLista, kPreco,  "Etiquetas de Preço (Adesiva Intima)",      "QuelmonteEtiqPrecoAdesivaIntima", true,  kSeparador,    Nenhum,  ImprimirPrecoAdesivaIntima},
  {6,  CaixaIlpnOuVolume, kPreco,  "Etiquetas de Preço (Adesiva Intima)",      "QuelmonteEtiqInterna",            false, kSeparadorSku, Nenhum,  ImprimirEtiquetaInternaCaixa},
  {7,  InternaOuSemLista, kPreco,  "Etiquetas de Preço (Relógio)",             "QuelmonteEtiqPrecoRelogio",       false, kSeparador,    Nenhum,  ImprimirPrecoRelogio},
  {7,  CaixaIlpnOuVolume, kPreco,  "Etiquetas de Preço (Relógio)",             "QuelmonteEtiqInterna",            false, kSeparadorSku, Nenhum,  ImprimirEtiquetaInternaCaixa},
  {8,  Qualquer,          kVolume, "Etiquetas de Consolidador de Encabidado",  "",                                false, "",            Nenhum,  nullptr},
  {9,  Qualquer,          kPreco,  "Etiquetas de Preço (Conjunto)",            "QuelmonteEtiqPrecoComSem",        true,  kSeparador,    Nenhum,  ImprimirPrecoConjunto},
  {11, Qualquer,          kPreco,  "Etiquetas de Preço (Cosmético)",           "QuelmonteEtiqPrecoCosmetico",     true,  kSeparador,    Nenhum,  ImprimirPrecoCosmetico},
  {99, InternaOuSemLista, kPreco,  "Etiquetas SKU",                            "QuelmonteEtiqInterna",            false, kSeparadorSku, Nenhum,  ImprimirEtiquetaSku},
  {99, CaixaIlpnOuVolume, kPreco,  "Etiquetas SKU",                            "QuelmonteEtiqCaixa",              false, kSeparadorSku, Nenhum,  ImprimirEtiquetaInternaCaixa},
}};
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

// The failure with where the run was; the step number is the routine's own.
FalhaRotina falhaEm(const ExecucaoImpressao& execucao, std::string descricao) {
    return {std::move(descricao), execucao.passo, execucao.linha, execucao.PedidoAtual,
            execucao.ItemAtual};
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

ResultadoImpressao executarFamilia(const FamiliaEtiqueta& familia, ExecucaoImpressao& execucao) {
    return executarRotina(familia.rotina, execucao);
}

ResultadoImpressao executarRotina(RotinaFamilia rotina, ExecucaoImpressao& execucao) {
    try {
        rotina(execucao);
    } catch (const ImpressaoInterrompida&) {
        execucao.resultado.interrompida = true;
    } catch (const std::bad_alloc&) {
        execucao.resultado.falha = falhaEm(execucao, "Memória insuficiente.");
    } catch (const std::exception& e) {
        execucao.resultado.falha = falhaEm(execucao, e.what());
    }
    return execucao.resultado;
}

}  // namespace etiquetas
