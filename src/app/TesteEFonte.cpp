#include "app/TesteEFonte.h"

#include "comum/Arquivos.h"
#include "output/Despacho.h"
#include "output/PreCargaZebra.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

DesfechoImpressao executarTeste(SessaoImpressao& s, const PedidoImpressao& pedido,
                                Acompanhamento& a) {
    const ParametrosImpressao& parametros = pedido.parametros;
    Despacho despacho = s.despacho(parametros, a);
    SaidaEmResolucao graficoNaResolucao(despacho, parametros.linguagem, parametros.resolucao);
    if (parametros.zebra()) {
        if (!s.preCarga([&] { EnviarGraficoZebra(graficoNaResolucao); }))
            return DesfechoImpressao::Falhou;
        if (a.cancelado()) return s.interrupcaoSemEtiquetas(a);
        a.mostrarStatus("Transferindo fonte para impressora ...");
        if (!s.preCarga([&] { EnviarFonteZebra(despacho); })) return DesfechoImpressao::Falhou;
        if (a.cancelado()) return s.interrupcaoSemEtiquetas(a);
    }
    if (!s.conferirVariante(pedido, a)) return DesfechoImpressao::Recusada;
    const FamiliaEtiqueta* familia = familiaPaginaTeste(pedido.tipoEtiqueta, parametros.variante);
    const DesfechoImpressao desfecho = s.conferirFamilia(familia, pedido.tipoEtiqueta);
    std::optional<ResultadoImpressao> resultado;
    if (desfecho == DesfechoImpressao::Impressa)
        resultado = s.rodar(*familia, pedido, despacho, s.memoria(), a);
    // The graphic goes only to the printer that took it; a run the user
    // stopped sends nothing more. It goes before the end is told, so that
    // "Fim da Impressão" comes after the last job.
    const bool apagado = !parametros.zebra() || (resultado && resultado->interrompida) ||
                         s.preCarga([&] { ApagarGraficoZebra(despacho); });
    const DesfechoImpressao fim = resultado ? s.concluir(*resultado, a) : desfecho;
    return apagado ? fim : DesfechoImpressao::Falhou;
}

DesfechoImpressao imprimirPaginaTeste(SessaoImpressao& s, const PedidoImpressao& pedido,
                                      Acompanhamento& a) {
    if (!s.impressoraCadastrada()) return DesfechoImpressao::Recusada;
    salvarEscolhaPessoal(s.pastas(), pedido.impressora);
    if (!s.caminhoInformado(pedido, a)) return DesfechoImpressao::Recusada;
    // Named like the print's question: what goes out, and where.
    const ContagemEtiquetas pedidas = s.etiquetasQueSairao(
        familiaPaginaTeste(pedido.tipoEtiqueta, pedido.parametros.variante), pedido);
    if (s.mensagem(
            "Confirma a Impressão de Teste ?\n" + etiquetasEDestino(pedidas, pedido.parametros),
            "Impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return DesfechoImpressao::Recusada;
    const SessaoImpressao::Execucao execucao(s, a);
    if (!s.conferirSelecao(pedido, a)) return DesfechoImpressao::Recusada;
    // The port stays open afterwards, and the Datamax set-up flag is kept.
    if (s.abrirPortaCom(pedido.impressora, false) == SessaoImpressao::AberturaPorta::Falhou)
        return DesfechoImpressao::Falhou;
    a.mostrarProgresso(pedidas.etiquetas);
    return executarTeste(s, pedido, a);
}

DesfechoImpressao carregarFonteZebra(SessaoImpressao& s, const PedidoImpressao& pedido,
                                     Acompanhamento& a) {
    if (!s.impressoraCadastrada()) return DesfechoImpressao::Recusada;
    // The window shows the button for Zebra printers only; the font and the
    // graphic are ZPL, which any other printer would print as text.
    if (!pedido.parametros.zebra()) {
        s.mensagem("A fonte e o gráfico só podem ser carregados em impressoras Zebra.",
                   "Carregar Fonte Zebra", Icone::Critico);
        return DesfechoImpressao::Recusada;
    }
    const SessaoImpressao::Execucao execucao(s, a);
    s.pessoa().cursorOcupado(true);
    Despacho despacho = s.despacho(pedido.parametros, a);
    SaidaEmResolucao graficoNaResolucao(despacho, Linguagem::Zebra, pedido.parametros.resolucao);
    if (s.abrirPortaCom(pedido.impressora, false) == SessaoImpressao::AberturaPorta::Falhou ||
        !s.preCarga([&] { EnviarGraficoZebra(graficoNaResolucao); }))
        return DesfechoImpressao::Falhou;
    if (a.cancelado()) return s.interrupcaoSemEtiquetas(a);
    if (!s.preCarga([&] { EnviarFonteZebra(despacho); })) return DesfechoImpressao::Falhou;
    return DesfechoImpressao::Impressa;
}

}  // namespace

std::filesystem::path arquivoTeste(const SessaoImpressao& sessao, int opcao) {
    return caminhoNaPasta(sessao.pastas().dados, std::string(arquivoTesteDaOpcao(opcao)));
}

DesfechoImpressao imprimirTeste(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                                Acompanhamento& a) {
    return sessao.protegido([&] { return imprimirPaginaTeste(sessao, pedido, a); });
}

DesfechoImpressao carregarFonte(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                                Acompanhamento& a) {
    return sessao.protegido([&] { return carregarFonteZebra(sessao, pedido, a); });
}

}  // namespace etiquetas
