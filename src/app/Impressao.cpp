#include "app/Aplicacao.h"
#include "comum/Texto.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "output/PortasCom.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

// The buttons come back and the port closes however the run ends.
class FimDaImpressao {
  public:
    FimDaImpressao(JanelaPrincipal& j, Plataforma& p) : j_(j), p_(p) {
        j_.cmdSair.definirHabilitado(false);
        j_.cmdImprimir.definirHabilitado(false);
    }
    ~FimDaImpressao() {
        p_.cursorOcupado(false);
        j_.cmdSair.definirHabilitado(true);
        j_.cmdImprimir.definirHabilitado(true);
    }
    void fecharPorta() {
        if (p_.portaSerial().aberta()) p_.portaSerial().fechar();
    }

  private:
    JanelaPrincipal& j_;
    Plataforma& p_;
};

class ProgressoJanela : public ProgressoImpressao {
  public:
    ProgressoJanela(JanelaPrincipal& j, Plataforma& p) : j_(j), p_(p) {}
    void mostrarStatus(const std::string& texto) override { j_.StatusBar1.definirTexto(texto); }
    void processarEventos() override { p_.processarEventos(); }

  private:
    JanelaPrincipal& j_;
    Plataforma& p_;
};

std::string mensagemFalha(const FalhaRotina& falha) {
    return falha.descricao + "\n" + "Linha: " + std::to_string(falha.passo);
}

}  // namespace

ParametrosImpressao Aplicacao::resolverParametros() const {
    const auto& j = janela_;
    ParametrosImpressao p;
    p.impressora = j.cmbImpressora.texto();
    p.fabricante = fabricanteImpressora(p.impressora);
    p.linguagem = linguagemDoFabricante(p.fabricante);
    p.velocidade = valorVelocidade(j.txtvelocidade.texto(), p.fabricante);
    p.temperatura = j.txtTemperatura.texto();
    p.porta = j.cmbCaminhoImpressora.texto();
    p.destino = j.txtCaminhoImpressora.texto();
    p.serial = {j.cbvelocidade.texto(), j.cbparidade.texto(), j.cbbitdados.texto(),
                j.cbbitparada.texto()};
    p.separadorPorPedido = j.ckbMaterialForn.marcada();
    p.variante = varianteDoTexto(j.frmTipo.visivel(), j.cbvTipoEtiq.texto());
    p.layoutNovo = j.LayoutNovoArquivo;
    p.origemSolicitacao = j.OrigemSolicitacao;
    return p;
}

bool Aplicacao::prepararPortaCom() {
    const std::string& porta = janela_.cmbCaminhoImpressora.texto();
    if (porta != "COM1" && porta != "COM2") return true;
    PortaSerial& serial = plataforma_.portaSerial();
    if (serial.aberta()) return true;
    const int numero = porta == "COM1" ? 1 : 2;
    const std::string configuracao = janela_.cbvelocidade.texto() + "," +
                                     janela_.cbparidade.texto() + "," + janela_.cbbitdados.texto() +
                                     "," + janela_.cbbitparada.texto();
    if (!PortaComDisponivel(pasta_, numero)) {
        mensagem("Porta COM" + std::to_string(numero) + " não encontrada.", {}, Icone::Informacao);
        return false;
    }
    const std::string dispositivo = dispositivoPortaCom(pasta_, numero);
    if (!serial.abrir(dispositivo, configuracao)) {
        mensagem("Não foi possível abrir a porta " + porta + " (" + dispositivo +
                     "): " + serial.ultimoErro(),
                 "Porta " + porta, Icone::Critico);
        return false;
    }
    memoria_.ImagemEnviada = false;
    return true;
}

void Aplicacao::cmdImprimir() {
    // The window's button calls this: nothing may escape into the toolkit.
    try {
        ultimaImpressao_ = imprimirEtiquetas();
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        ultimaImpressao_ = DesfechoImpressao::Falhou;
        mensagem(e.what(), "Erro !", Icone::Critico);
    }
}

DesfechoImpressao Aplicacao::imprimirEtiquetas() {
    auto& j = janela_;
    if (!prepararPortaCom()) return DesfechoImpressao::Recusada;
    salvarConfiguracaoPessoal();
    montavelocidadetemperatura();
    if (j.optRede.marcada() && aparar(j.txtCaminhoImpressora.texto()).empty()) {
        mensagem("Informe o caminho de rede da Impressora !", "Caminho para Impressora",
                 Icone::Critico);
        j.focar(j.txtCaminhoImpressora.nome);
        return DesfechoImpressao::Recusada;
    }
    if (mensagem("Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?",
                 "impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return DesfechoImpressao::Recusada;
    FimDaImpressao fim(j, plataforma_);
    if (!VerificarPedidoSelecionado()) return DesfechoImpressao::Recusada;
    const ParametrosImpressao parametros = resolverParametros();
    if (parametros.variante == 0) {
        mensagem("Selecione o tipo de etiqueta a ser impressa !", "Tipo de Etiqueta",
                 Icone::Critico);
        j.focar(j.cbvTipoEtiq.nome);
        return DesfechoImpressao::Recusada;
    }
    AtualizarConfiguracao cfg;
    cfg.TipoImpressora = j.cmbImpressora.indice();
    cfg.TipoEtiqueta = j.TipoEtiquetaPedido;
    cfg.LayoutNovo = j.LayoutNovoArquivo;
    cfg.Carregar(pasta_);
    const DesfechoImpressao desfecho = imprimirFamilia(cfg, parametros);
    fim.fecharPorta();
    return desfecho;
}

DesfechoImpressao Aplicacao::imprimirFamilia(const AtualizarConfiguracao& cfg,
                                             const ParametrosImpressao& parametros) {
    const int tipo = cfg.TipoEtiqueta;
    const FamiliaEtiqueta* familia = familiaEtiqueta(tipo, parametros.variante);
    if (!familia || familia->modelo.empty()) return DesfechoImpressao::SemRotina;
    if (!familia->rotina) {
        mensagem("A impressão de etiquetas do tipo " + std::to_string(tipo) +
                     " ainda não está disponível nesta versão do aplicativo. Nenhuma "
                     "etiqueta foi impressa.",
                 "Tipo de Etiqueta", Icone::Critico);
        return DesfechoImpressao::Recusada;
    }
    Despacho despacho(plataforma_, parametros, pasta_, memoria_.ImagemEnviada);
    despacho.mostrarDetalhePortaCom = [this](const std::string& texto) {
        janela_.lblDetalhePortaCom.definirLegenda(texto);
    };
    ProgressoJanela progresso(janela_, plataforma_);
    ExecucaoImpressao execucao(entradaImpressao(*familia, cfg, parametros, despacho, progresso));
    return concluirImpressao(executarFamilia(*familia, execucao));
}

EntradaImpressao Aplicacao::entradaImpressao(const FamiliaEtiqueta& familia,
                                             const AtualizarConfiguracao& cfg,
                                             const ParametrosImpressao& parametros,
                                             SaidaTrabalhos& saida, ProgressoImpressao& progresso) {
    const Grade& grade =
        familia.arquivo == ArquivoFamilia::Preco ? janela_.sprPedidos : janela_.vaVolume;
    return EntradaImpressao{
        .parametros = parametros,
        .cfg = cfg,
        .pasta = pasta_,
        .grade = grade,
        .arquivoPedidos = janela_.CaminhoArquivoPedidos,
        .nomeTemplate = nomeTemplate(familia, parametros.layoutNovo, parametros.linguagem),
        .nomeSeparador = nomeSeparador(familia, parametros.linguagem),
        .memoria = memoria_,
        .saida = saida,
        .progresso = progresso,
    };
}

DesfechoImpressao Aplicacao::concluirImpressao(const ResultadoImpressao& resultado) {
    if (resultado.falha) {
        mensagem(mensagemFalha(*resultado.falha), "Erro !", Icone::Critico);
        return DesfechoImpressao::Falhou;
    }
    janela_.StatusBar1.definirTexto("Etiquetas impressas com Sucesso. . .");
    mensagem("Impressão das Etiquetas concluída com sucesso !", "Fim da Impressão",
             Icone::Informacao);
    return DesfechoImpressao::Impressa;
}

}  // namespace etiquetas
