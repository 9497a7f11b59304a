// "Reimprimir a partir de..." in the window: the remainder of a run set up in
// the grid and the printer lists as the run had them, for "Imprimir".

#include "app/Aplicacao.h"
#include "app/EdicaoGrade.h"
#include "app/Reimpressao.h"
#include "comum/Arquivos.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"

namespace etiquetas {

namespace {

constexpr const char* kTitulo = "Reimprimir a partir de...";

int linhaDaImpressora(const Lista& impressoras, const std::string& linha) {
    for (int i = 0; i < impressoras.contagem(); ++i)
        if (impressoras.itens()[static_cast<std::size_t>(i)].texto == linha) return i;
    return -1;
}

}  // namespace

bool Aplicacao::reimprimirAPartirDe(const RestanteExecucao& r) {
    if (const auto motivo = motivoArquivoDiferente(r); !motivo.empty()) {
        mensagem(motivo, kTitulo, Icone::Exclamacao);
        return false;
    }
    const int impressora = linhaDaImpressora(janela_.cmbImpressora, r.execucao.impressora);
    if (impressora < 0) {
        mensagem("A impressora \"" + r.execucao.impressora + "\" da impressão " +
                     std::to_string(r.id) + " não está mais na tabela de impressoras.",
                 kTitulo, Icone::Exclamacao);
        return false;
    }
    if (!podeTrocarArquivo(kTitulo)) return false;
    const auto& caminho = r.execucao.caminho;
    std::error_code erro;
    if (std::filesystem::equivalent(caminho, janela_.CaminhoArquivoPedidos, erro)) {
        marcarRestante(r, impressora);
        return true;
    }
    janela_.lblCaminho.definirLegenda(textoDoCaminho(caminho));
    AbrirArquivoPedidos(caminho, [this, r, impressora](bool aberto) {
        if (aberto) marcarRestante(r, impressora);  // otherwise the open said why
    });
    // An open that has ended already said whether it took the file.
    return aberturaEmCurso() ||
           std::filesystem::equivalent(caminho, janela_.CaminhoArquivoPedidos, erro);
}

void Aplicacao::marcarRestante(const RestanteExecucao& r, int impressora) {
    Grade* g = janela_.gradeDoArquivo();
    if (!g) return;
    marcarTodas(*g, false, true);
    for (const auto& l : r.linhas) {
        if (l.linha > g->linhas()) continue;
        if (g == &janela_.sprPedidos) {
            // From the file's own range, so that the grid's checks see a
            // range that only narrows.
            g->definirTexto(l.linha, coluna(CampoPreco::SequenciaInicial),
                            g->texto(l.linha, coluna(CampoPreco::SequenciaInicialOriginal)));
            g->definirTexto(l.linha, coluna(CampoPreco::SequenciaFinal),
                            g->texto(l.linha, coluna(CampoPreco::SequenciaFinalOriginal)));
            const auto [primeira, ultima] = faixaReimpressa(
                l, valorInteiro(g->texto(l.linha, coluna(CampoPreco::SequenciaFinalOriginal))));
            g->editarPeloUsuario(l.linha, coluna(CampoPreco::SequenciaInicial),
                                 std::to_string(primeira));
            g->editarPeloUsuario(l.linha, coluna(CampoPreco::SequenciaFinal),
                                 std::to_string(ultima));
        }
        if (!g->marcada(l.linha)) g->clicarCaixa(l.linha);
    }
    janela_.cmbImpressora.selecionar(impressora);
    escolherDestino(!destinoEmPorta(r.execucao.destino), aparar(r.execucao.destino));
    janela_.ckbMaterialForn.definirMarcada(r.separador);
    reimpressaoMarcada_ = true;
    janela_.StatusBar1.definirTexto("Linhas da impressão " + std::to_string(r.id) +
                                    " marcadas para reimprimir: confira e clique em Imprimir.");
}

}  // namespace etiquetas
