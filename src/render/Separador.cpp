#include "render/Separador.h"

#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

// The supplier's name in full as the order files give it (the grid's
// column is as wide); the separator templates' field is narrow enough.
constexpr std::size_t kLetrasFornecedor = 30;

void imprimir(ExecucaoImpressao& execucao, const LinhaPreco& linha,
              const std::string& linhaReferencia) {
    const std::string secao = std::string("QuelmonteSeparador") + execucao.linguagem();
    const std::string etiqueta = execucao.lerLayout(secao, "Label");
    std::string& texto = execucao.TextoSeparador;
    texto = execucao.lerModelo(execucao.nomeSeparador);
    // Blank, it would go out as a job of a line break and count as a label.
    if (texto.find_first_not_of(" \t\r\n") == std::string::npos)
        throw FalhaImpressao("O modelo de separador " + execucao.nomeSeparador + " está vazio.");
    preencherComandosImpressora(texto, execucao.parametros.velocidade,
                                execucao.parametros.temperatura);
    substituirTodos(texto, "LLLL", etiqueta);
    const Linguagem l = execucao.parametros.linguagem;
    PreenchimentoUnidade valores;
    const auto preencher = [&](std::string_view token, const std::string& valor) {
        preencherTexto(valores, token, valor, l);
    };
    preencher(
        ":: INFO_FORNECEDOR ::",
        "FORNECEDOR: " + maiusculas(esquerda(linha[CampoPreco::Fornecedor], kLetrasFornecedor)));
    preencher(":: INFO_MATERIAL ::",
              "MATERIAL: " + maiusculas(direita(linha[CampoPreco::Grade], 11)));
    preencher(":: INFO_REF_FORNECEDOR ::", linhaReferencia);
    preencher(":: INFO_PEDIDO ::",
              "PEDIDO: " + formatarNumero(linha[CampoPreco::Pedido], "0000000000"));
    preencher(":: INFO_ITEM_PEDIDO ::",
              "ITEM PED.: " + formatarNumero(linha[CampoPreco::Item], "0000"));
    valores.aplicar(texto);
    execucao.enviarTexto(TipoTrabalho::Separador, "SpoolEtq.PRN", texto, 1);
}

}  // namespace

void ImprimirSeparador(ExecucaoImpressao& execucao, int linha) {
    const LinhaPreco campos(execucao.grade, linha);
    imprimir(execucao, campos,
             "REF FORN: " + formatarNumero(campos[CampoPreco::MaterialForn], "0000000000"));
}

void ImprimirSeparadorCaixa(ExecucaoImpressao& execucao, int linha) {
    imprimir(execucao, LinhaPreco(execucao.grade, linha), "ETIQUETA EXTERNA DA CAIXA");
}

}  // namespace etiquetas
