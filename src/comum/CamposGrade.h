#pragma once

// The one place that knows which grid column holds what. Loaders write by
// these names, and label routines, the export and the window read by them.

#include <string>

#include "comum/LeitorGrade.h"

namespace etiquetas {

// Columns of sprPedidos, one row per variant of a price file.
enum class CampoPreco : int {
    Marcada = 1,
    Fornecedor,
    Descricao,
    Tamanho,
    Variante,
    Pedido,
    Item,
    QuantidadeEtiqueta,
    Cnpj,
    Digito,
    Catalogo,
    DataEntrega,
    CodDepto,
    DataTransmissao,
    CodigoCoordenado,
    Tendencia,
    Parede,
    ValeAPena,
    CodigoBarra,
    CodigoPromocao,
    PrecoMaterial,
    Grade,
    SequenciaInicial,
    SequenciaFinal,
    QtdEtq,
    MaterialForn,
    CodigoBureau,
    SequenciaInicialOriginal,
    SequenciaFinalOriginal,
    CentroEntrega,
    DescCentroEntrega,
    CentroFaturamento,
    DescCentroFaturamento,
    Cor,
    CorIngles,
    TamanhoIngles,
    TipoEtiq,
    Familia,
    EstrColecao,
    Estacao,
};
inline constexpr int kColunasPreco = static_cast<int>(CampoPreco::Estacao);

// Columns of vaVolume, one row per store of a volume file.
enum class CampoVolume : int {
    Marcada = 1,
    Fornecedor,
    Descricao,
    Tamanho,
    Material,
    Pedido,
    Item,
    Loja,
    QuantidadePeca,
    Caixas,
    Cnpj,
    QtdeTotal,
    MaterialForn,
    CodigoBureau,
    CentroEntrega,
    CentroFaturamento,
    SemanaEntrega,
    Livre1,
    Livre2,
    Livre3,
};
inline constexpr int kColunasVolume = static_cast<int>(CampoVolume::Livre3);

constexpr int coluna(CampoPreco campo) {
    return static_cast<int>(campo);
}
constexpr int coluna(CampoVolume campo) {
    return static_cast<int>(campo);
}

// One row of a grid read by field name; values as stored, as text.
template <class Campo>
class LinhaGrade {
  public:
    LinhaGrade(const LeitorGrade& grade, int linha) : grade_(&grade), linha_(linha) {}
    const std::string& operator[](Campo campo) const {
        return grade_->texto(linha_, coluna(campo));
    }
    bool marcada() const { return grade_->marcada(linha_); }
    int numero() const { return linha_; }

  private:
    const LeitorGrade* grade_;
    int linha_;
};

using LinhaPreco = LinhaGrade<CampoPreco>;
using LinhaVolume = LinhaGrade<CampoVolume>;

}  // namespace etiquetas
