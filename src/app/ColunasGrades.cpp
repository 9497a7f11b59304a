#include "app/ColunasGrades.h"

namespace etiquetas {

namespace {

constexpr int kVermelho = 255;

ColunaGrade visivel(const char* titulo, double largura = 0) {
    return {titulo, largura, false};
}
ColunaGrade oculta(const char* titulo, double largura = 0) {
    return {titulo, largura, true};
}

ColunaGrade caixa() {
    ColunaGrade c = visivel("Imprime ?");
    c.editavel = true;
    c.caixa = true;
    return c;
}

ColunaGrade editavelVermelha(const char* titulo, double largura) {
    ColunaGrade c = visivel(titulo, largura);
    c.editavel = true;
    c.cor = kVermelho;
    return c;
}

}  // namespace

std::vector<ColunaGrade> colunasPedidosPreco() {
    return {
        caixa(),
        visivel("Fornecedor", 31.12),
        visivel("Mercadorias", 28.5),
        visivel("Tam", 4.25),
        visivel("Variante", 14.25),
        visivel("Pedido", 10.25),
        oculta("Item"),
        oculta("Qtd. de Etiquetas"),
        oculta("CNPJ"),
        oculta("Digito"),
        oculta("Catalogo"),
        oculta("DataEntrega"),
        oculta("CodDepto"),
        oculta("DataTransmissao"),
        oculta("CodigoCoordenado"),
        oculta("Tendencia"),
        oculta("Parede"),
        oculta("ValeAPena"),
        oculta("CodigoBarra"),
        oculta("CodigoPromocao"),
        oculta("PrecoMaterial"),
        oculta("Grade"),
        editavelVermelha("Inf. a Seq. Inicial", 12.62),
        editavelVermelha("Inf. a Seq.Final", 11.12),
        oculta("QtdEtq", 0),
        oculta("MaterialForn", 0),
        oculta("CodBureau"),
        oculta("Seq. Ini. Original"),
        oculta("Seq. Final Original"),
        oculta("CentroEntrega"),
        oculta("DescCentroEntrega"),
        oculta("CentroFaturamento"),
        oculta("DescCentroFaturamento"),
        oculta("Cor"),
        oculta("CorIngles"),
        oculta("TamanhoIngles"),
        oculta("Tipo_Etiqueta"),
        oculta(""),
        // Captions crossed with their contents, as the window always showed them.
        oculta("Estacao"),
        oculta("EstrColecao"),
    };
}

std::vector<ColunaGrade> colunasVolume() {
    return {
        caixa(),
        visivel("Fornecedor", 31.37),
        visivel("Mercadoria", 28.37),
        visivel("Tam", 4.37),
        visivel("Material", 13.37),
        visivel("Pedido", 10.5),
        visivel("Item", 6.37),
        visivel("Loja", 7.12),
        oculta("Qtd. Peças"),
        editavelVermelha("Informe a Qtd. de Caixas...", 19.37),
        oculta("CNPJ"),
        oculta(""),
        oculta("QuantidadePecGrade", 0),
        oculta("CentroEntrega"),
        oculta("DescCentroEntrega"),
        oculta("CentroFaturamento"),
        oculta("DescCentroFaturamento"),
        oculta("a"),
        oculta("b"),
        oculta("c"),
    };
}

}  // namespace etiquetas
