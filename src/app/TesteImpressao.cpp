#include <array>

#include "app/Aplicacao.h"
#include "app/ApoioImpressao.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "output/PreCargaZebra.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

// The test order files of the options "Grade Volume Padrao", "Grade Volume
// Repos. Auto", "Preco Adesiva" and "Preco Cartolina", installed with the
// application.
constexpr std::array<const char*, 4> kArquivosTeste{
    "Quelmonte_Grade_Volume_Padrao_teste.xml",
    "Quelmonte_Grade_Volume_ReposAuto_teste.xml",
    "Quelmonte_Preco_Adesiva_teste.xml",
    "Quelmonte_Preco_Cartolina_teste.xml",
};

// The test print knows the label types of its files and the SKU labels; a
// volume file prints standard volume labels whatever variant is shown.
const FamiliaEtiqueta* familiaDoTeste(int tipo, int variante) {
    switch (tipo) {
        case 1:
        case 2:
        case 3:
        case 99:
            return familiaEtiqueta(tipo, variante);
        case 4:
            return familiaEtiqueta(4, 4);
        default:
            return nullptr;
    }
}

}  // namespace

void Aplicacao::imprimirTeste(int opcao) {
    if (opcao < 1 || opcao > static_cast<int>(kArquivosTeste.size())) return;
    // The options call this: nothing may escape into the toolkit.
    try {
        ultimaImpressao_ = imprimirPaginaTeste(opcao);
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        ultimaImpressao_ = DesfechoImpressao::Falhou;
        mensagem(e.what(), "Erro !", Icone::Critico);
    }
    // An option is a command here: unmarked, the same page can be printed again.
    auto& j = janela_;
    for (Opcao* o : {&j.Option1, &j.Option2, &j.Option3, &j.Option4}) o->definirMarcada(false);
    if (fecharAoTerminar_ && fecharJanela) fecharJanela();
}

DesfechoImpressao Aplicacao::imprimirPaginaTeste(int opcao) {
    auto& j = janela_;
    // A missing file is reported by the open chain; what was loaded stays.
    AbrirArquivoPedidos(caminhoNaPasta(pasta_, kArquivosTeste[opcao - 1]).string());
    SelecionarTodasLinhas();
    salvarConfiguracaoPessoal();
    montavelocidadetemperatura();
    if (j.optRede.marcada() && aparar(j.txtCaminhoImpressora.texto()).empty()) {
        mensagem("Informe o caminho de rede da Impressora !", "Caminho para Impressora",
                 Icone::Critico);
        j.focar(j.txtCaminhoImpressora.nome);
        return DesfechoImpressao::Recusada;
    }
    if (mensagem("Confirma a Impressão de Teste ?", "impressão de Etiquetas", Icone::Pergunta,
                 Botoes::SimNao) != Resposta::Sim)
        return DesfechoImpressao::Recusada;
    FimDaImpressao fim(j, plataforma_);
    const ExecucaoEmCurso emCurso(emImpressao_, cancelar_);
    eventosSeriaisDaExecucao_.clear();
    if (!VerificarPedidoSelecionado()) return DesfechoImpressao::Recusada;
    // The port stays open afterwards, and the Datamax set-up flag is kept.
    if (abrirPortaCom(false) == AberturaPorta::Falhou) return DesfechoImpressao::Falhou;
    AtualizarConfiguracao cfg;
    cfg.TipoImpressora = j.cmbImpressora.indice();
    cfg.TipoEtiqueta = j.TipoEtiquetaPedido;
    cfg.LayoutNovo = false;  // test pages use the classic layouts and templates
    cfg.Carregar(pasta_);
    ParametrosImpressao parametros = resolverParametros();
    parametros.layoutNovo = false;
    fim.mostrarProgresso(etiquetasPedidas(j));
    return executarTeste(cfg, parametros);
}

DesfechoImpressao Aplicacao::executarTeste(const AtualizarConfiguracao& cfg,
                                           const ParametrosImpressao& parametros) {
    auto& j = janela_;
    Despacho despacho = despachoDaJanela(parametros);
    if (parametros.zebra()) {
        if (!preCarga([&] { EnviarGraficoZebra(despacho); })) return DesfechoImpressao::Falhou;
        if (cancelamentoPedido()) return interrupcaoSemEtiquetas();
        j.StatusBar1.definirTexto("Transferindo fonte para impressora ...");
        if (!preCarga([&] { EnviarFonteZebra(despacho); })) return DesfechoImpressao::Falhou;
        if (cancelamentoPedido()) return interrupcaoSemEtiquetas();
    }
    if (parametros.variante == 0) {
        mensagem("Selecione o tipo de etiqueta a ser impressa !", "Tipo de Etiqueta",
                 Icone::Critico);
        j.focar(j.cbvTipoEtiq.nome);
        return DesfechoImpressao::Recusada;
    }
    const FamiliaEtiqueta* familia = familiaDoTeste(cfg.TipoEtiqueta, parametros.variante);
    DesfechoImpressao desfecho = conferirFamilia(familia, cfg.TipoEtiqueta);
    if (desfecho == DesfechoImpressao::Impressa)
        desfecho = concluirImpressao(rodarFamilia(*familia, cfg, parametros, despacho));
    // The graphic goes only to the printer that took it; a run the user
    // stopped sends nothing more.
    if (parametros.zebra() && desfecho != DesfechoImpressao::Interrompida &&
        !preCarga([&] { ApagarGraficoZebra(despacho); }))
        return DesfechoImpressao::Falhou;
    return desfecho;
}

void Aplicacao::CmZebra() {
    try {
        ultimaImpressao_ = carregarFonteZebra();
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        ultimaImpressao_ = DesfechoImpressao::Falhou;
        mensagem(e.what(), "Erro !", Icone::Critico);
    }
    if (fecharAoTerminar_ && fecharJanela) fecharJanela();
}

DesfechoImpressao Aplicacao::carregarFonteZebra() {
    auto& j = janela_;
    const std::string legendaAntes = j.LblZebra.legenda();
    j.LblZebra.definirLegenda(" ");
    j.LblZebra.definirLegenda("Aguarde o carregamento da Fonte...");
    FimDaImpressao fim(j, plataforma_);
    const ExecucaoEmCurso emCurso(emImpressao_, cancelar_);
    eventosSeriaisDaExecucao_.clear();
    plataforma_.cursorOcupado(true);
    const ParametrosImpressao parametros = resolverParametros();
    Despacho despacho = despachoDaJanela(parametros);
    DesfechoImpressao desfecho = DesfechoImpressao::Falhou;
    if (abrirPortaCom(false) != AberturaPorta::Falhou &&
        preCarga([&] { EnviarGraficoZebra(despacho); })) {
        if (cancelamentoPedido())
            desfecho = interrupcaoSemEtiquetas();
        else if (preCarga([&] { EnviarFonteZebra(despacho); }))
            desfecho = DesfechoImpressao::Impressa;
    }
    if (desfecho != DesfechoImpressao::Impressa) {
        // The label must not claim a load that did not happen.
        j.LblZebra.definirLegenda(legendaAntes);
        return desfecho;
    }
    j.CmZebra.definirVisivel(false);
    j.LblZebra.definirLegenda("Fonte Carregada.");
    return desfecho;
}

bool Aplicacao::preCarga(const std::function<void()>& passo) {
    try {
        passo();
        return true;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
        return false;
    }
}

DesfechoImpressao Aplicacao::interrupcaoSemEtiquetas() {
    ResultadoImpressao resultado;
    resultado.interrompida = true;
    return concluirImpressao(resultado);
}

}  // namespace etiquetas
