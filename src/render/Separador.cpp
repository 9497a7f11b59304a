#include "render/Separador.h"

#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "render/MotorTemplate.h"

namespace etiquetas {

namespace {

std::string referenciaFornecedor(const LeitorGrade& grade, int linha) {
    return "REF FORN: " + formatarNumero(grade.texto(linha, 26), "0000000000");
}

void imprimir(Despacho& despacho, ModuloImpressao& modulo, const LeitorGrade& grade, int linha,
              const std::string& nomeTemplate, const std::string& linguagem,
              const std::string& linhaReferencia) {
    const std::string velocidade = valorVelocidade(despacho.janela());
    const std::string secao = "QuelmonteSeparador" + linguagem;
    const std::string etiqueta = LerArquivoIni(despacho.pasta(), secao, "Label");
    std::string& texto = modulo.TextoSeparador;
    texto = lerTemplate(despacho.pasta(), nomeTemplate);
    substituirTodos(texto, "LLLL", etiqueta);
    substituirTodos(texto, ":: INFO_FORNECEDOR ::",
                    "FORNECEDOR: " + maiusculas(esquerda(grade.texto(linha, 2), 16)));
    substituirTodos(texto, ":: INFO_MATERIAL ::",
                    "MATERIAL: " + maiusculas(direita(grade.texto(linha, 22), 11)));
    substituirTodos(texto, ":: INFO_REF_FORNECEDOR ::", linhaReferencia);
    substituirTodos(texto, ":: INFO_PEDIDO ::",
                    "PEDIDO: " + formatarNumero(grade.texto(linha, 6), "0000000000"));
    substituirTodos(texto, ":: INFO_ITEM_PEDIDO ::",
                    "ITEM PED.: " + formatarNumero(grade.texto(linha, 7), "0000"));
    substituirTodos(texto, ":: CMD_VELOCIDADE ::", velocidade);
    substituirTodos(texto, "::Temperatura::", despacho.janela().temperatura());
    despacho.gravarEDespachar(despacho.caminhoSpool("SpoolEtq.PRN"), texto);
}

}  // namespace

void ImprimirSeparador(Despacho& despacho, ModuloImpressao& modulo, const LeitorGrade& grade,
                       int linha, const std::string& nomeTemplate, const std::string& linguagem) {
    imprimir(despacho, modulo, grade, linha, nomeTemplate, linguagem,
             referenciaFornecedor(grade, linha));
}

void ImprimirSeparadorCaixa(Despacho& despacho, ModuloImpressao& modulo, const LeitorGrade& grade,
                            int linha, const std::string& nomeTemplate,
                            const std::string& linguagem) {
    imprimir(despacho, modulo, grade, linha, nomeTemplate, linguagem, "ETIQUETA EXTERNA DA CAIXA");
}

}  // namespace etiquetas
