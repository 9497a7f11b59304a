#include "render/PrecoAdesivaIntima.h"

#include <array>

#include "comum/Texto.h"
#include "render/PrecoAdesiva.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

enum CampoIntima { kTamanho, kDescricao, kCodigoBarra, kMoldura, kPreco, kBureau, kReferencia };

constexpr std::array<std::string_view, 7> kChaves{
    "Tamanho", "DescricaoLinha01", "CodigoBarra",  "PosicaoMoldura",
    "Preco",   "Bureau",           "RefFornecedor"};

constexpr std::array<TokenPosicao, 7> kX{{{"TTTT", kTamanho},
                                          {"DLDL", kDescricao},
                                          {"CBCB", kCodigoBarra},
                                          {"EEEE", kMoldura},
                                          {"PPPP", kPreco},
                                          {"BBBB", kBureau},
                                          {"REFF", kReferencia}}};

// "_DL_" has no stored position in this family.
constexpr std::array<TokenPosicao, 8> kY{{{"_TT_", kTamanho},
                                          {"_LD_", kDescricao},
                                          {"_DL_", -1},
                                          {"_BC_", kCodigoBarra},
                                          {"_EE_", kMoldura},
                                          {"_EF_", kReferencia},
                                          {"_PP_", kPreco},
                                          {"_BB_", kBureau}}};

constexpr std::size_t kLarguraDescricao = 31;

std::string precoIntima(const EtiquetaAdesiva& e) {
    std::string preco = e.linha[CampoPreco::PrecoMaterial];
    if (!e.novo) return "R$ " + preco;
    if (preco.size() < 8) preco.insert(0, 8 - preco.size(), ' ');
    return preco;
}

std::string tamanhoIntima(const EtiquetaAdesiva& e, const std::string& tamanho) {
    if (e.novo) return "TAM: " + tamanho;
    return "TAM: " + tamanho + " - " + e.linha[CampoPreco::Tendencia];
}

void preencherDadosIntima(const EtiquetaAdesiva& e, PreenchimentoUnidade& t) {
    using enum CampoPreco;
    const auto& l = e.linha;
    const auto lg = e.linguagem;
    const auto material = materialAdesiva(l);
    const auto [tamanho, unico] = tamanhoAdesiva(e);
    preencherTexto(t, ":: TamanhoUnico ::", unico, lg);
    t.preencher("%1922A12%", "1922A12");
    preencherTexto(t, ":: Tamanho ::", tamanhoIntima(e, tamanho), lg);
    preencherTexto(t, ":: Preco ::", precoIntima(e), lg);
    preencherTexto(t, ":: CodigoBureau ::", l[CodigoBureau], lg);
    preencherTexto(t, ":: Catalogo ::", l[Catalogo], lg);
    preencherTexto(
        t, ":: Desc. Linha 01 ::", esquerda(material + " " + l[Descricao], kLarguraDescricao), lg);
    preencherTexto(t, ":: Desc.Linha 02 ::", esquerda(l[Descricao], kLarguraDescricao), lg);
    t.preencher(":: CodBarras ::", codigoBarrasAdesiva(e, e.numero));
    preencherTexto(t, ":: Dados Dt,Depto,Mat,Dig ::",
                   formatarNumero(l[CodDepto], "000") + " 2" + material + l[Digito] +
                       formatarInteiro(e.numero, "0000"),
                   lg);
    preencherTexto(t, ":: REF_FORNECEDOR ::", l[MaterialForn] + "   " + l[CodigoPromocao], lg);
}

constexpr FamiliaAdesiva kIntima{
    "QuelmonteEtiqPrecoAdesivaIntima", kChaves, kX, kY, false, false, preencherDadosIntima};

}  // namespace

void ImprimirPrecoAdesivaIntima(ExecucaoImpressao& execucao) {
    imprimirAdesiva(execucao, kIntima);
}

}  // namespace etiquetas
