#include "app/Aplicacao.h"
#include "app/ApoioImpressao.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "output/PortasCom.h"
#include "render/FamiliasEtiqueta.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>

#include "comum/CamposGrade.h"

namespace etiquetas {

namespace {

// "1.234": thousands with a dot, as the window writes numbers.
std::string milhares(long long n) {
    const std::string digitos = std::to_string(n < 0 ? -n : n);
    std::string texto = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0) texto += '.';
        texto += digitos[i];
    }
    return texto;
}

std::string etiquetas(long long n) {
    return milhares(n) + (n == 1 ? " etiqueta" : " etiquetas");
}

std::string destinoImpressao(const JanelaPrincipal& j) {
    const std::string fabricante = fabricanteImpressora(j.cmbImpressora.texto());
    const std::string destino =
        j.optRede.marcada() ? j.txtCaminhoImpressora.texto() : j.cmbCaminhoImpressora.texto();
    return (fabricante.empty() ? std::string("?") : fabricante) + ", " + destino;
}

// Section "Impressao", key "LimiteEnvioSegundos" of the personal settings:
// how long one job may take to leave; 120 seconds when absent or not a
// positive whole number.
std::chrono::seconds limiteEnvio(const std::filesystem::path& pasta) {
    const auto valor = valorInteiro(LerArquivoConfig(pasta, "Impressao", "LimiteEnvioSegundos"));
    if (!valor || *valor <= 0 || *valor > 86400) return std::chrono::seconds(120);
    return std::chrono::seconds(*valor);
}

std::string mensagemFalha(const FalhaRotina& falha) {
    return falha.descricao + "\n" + "Linha: " + std::to_string(falha.passo);
}

}  // namespace

// Cells that are not numbers count nothing here; the routine reports them.
long long etiquetasPedidas(JanelaPrincipal& j) {
    long long total = 0;
    if (j.tipoArquivo() == 1) {
        for (int l = 1; l <= j.sprPedidos.linhas(); ++l) {
            const LinhaPreco linha(j.sprPedidos, l);
            const auto primeira = valorInteiro(linha[CampoPreco::SequenciaInicial]);
            const auto ultima = valorInteiro(linha[CampoPreco::SequenciaFinal]);
            if (linha.marcada() && primeira && ultima && *ultima >= *primeira)
                total += *ultima - *primeira + 1;
        }
    } else if (j.tipoArquivo() == 2) {
        for (int l = 1; l <= j.vaVolume.linhas(); ++l) {
            const LinhaVolume linha(j.vaVolume, l);
            const auto caixas = valorInteiro(linha[CampoVolume::Caixas]);
            if (linha.marcada() && caixas && *caixas > 0) total += *caixas;
        }
    }
    return total;
}

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
    p.limiteEnvio = limiteEnvio(pasta_);
    return p;
}

bool Aplicacao::prepararPortaCom() {
    const AberturaPorta abertura = abrirPortaCom(true);
    if (abertura == AberturaPorta::Aberta) memoria_.ImagemEnviada = false;
    return abertura != AberturaPorta::Falhou;
}

Aplicacao::AberturaPorta Aplicacao::abrirPortaCom(bool conferirExistencia) {
    const std::string& porta = janela_.cmbCaminhoImpressora.texto();
    if (porta != "COM1" && porta != "COM2") return AberturaPorta::SemPortaCom;
    PortaSerial& serial = plataforma_.portaSerial();
    if (serial.aberta()) return AberturaPorta::JaAberta;
    const int numero = porta == "COM1" ? 1 : 2;
    const std::string configuracao = janela_.cbvelocidade.texto() + "," +
                                     janela_.cbparidade.texto() + "," + janela_.cbbitdados.texto() +
                                     "," + janela_.cbbitparada.texto();
    if (conferirExistencia && !PortaComDisponivel(pasta_, numero)) {
        mensagem("Porta COM" + std::to_string(numero) + " não encontrada.", {}, Icone::Informacao);
        return AberturaPorta::Falhou;
    }
    const std::string dispositivo = dispositivoPortaCom(pasta_, numero);
    if (!serial.abrir(dispositivo, configuracao)) {
        mensagem("Não foi possível abrir a porta " + porta + " (" + dispositivo +
                     "): " + serial.ultimoErro(),
                 "Porta " + porta, Icone::Critico);
        return AberturaPorta::Falhou;
    }
    return AberturaPorta::Aberta;
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
    if (fecharAoTerminar_ && fecharJanela) fecharJanela();
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
    const long long pedidas = etiquetasPedidas(j);
    if (mensagem("Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?\n" +
                     etiquetas(pedidas) + " — " + destinoImpressao(j),
                 "impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return DesfechoImpressao::Recusada;
    FimDaImpressao fim(j, plataforma_);
    const ExecucaoEmCurso emCurso(emImpressao_, cancelar_);
    eventosSeriaisDaExecucao_.clear();
    const auto parametros = parametrosConferidos();
    if (!parametros) return DesfechoImpressao::Recusada;
    fim.mostrarProgresso(pedidas);
    const DesfechoImpressao desfecho = imprimirFamilia(configuracaoDoTipo(), *parametros);
    fim.fecharPorta();
    return desfecho;
}

std::optional<ParametrosImpressao> Aplicacao::parametrosConferidos() {
    auto& j = janela_;
    if (!VerificarPedidoSelecionado()) return std::nullopt;
    ParametrosImpressao parametros = resolverParametros();
    if (parametros.variante == 0) {
        mensagem("Selecione o tipo de etiqueta a ser impressa !", "Tipo de Etiqueta",
                 Icone::Critico);
        j.focar(j.cbvTipoEtiq.nome);
        return std::nullopt;
    }
    return parametros;
}

AtualizarConfiguracao Aplicacao::configuracaoDoTipo() const {
    AtualizarConfiguracao cfg;
    cfg.TipoImpressora = janela_.cmbImpressora.indice();
    cfg.TipoEtiqueta = janela_.TipoEtiquetaPedido;
    cfg.LayoutNovo = janela_.LayoutNovoArquivo;
    cfg.Carregar(pasta_);
    return cfg;
}

DesfechoImpressao Aplicacao::imprimirFamilia(const AtualizarConfiguracao& cfg,
                                             const ParametrosImpressao& parametros) {
    const FamiliaEtiqueta* familia = familiaEtiqueta(cfg.TipoEtiqueta, parametros.variante);
    if (const DesfechoImpressao d = conferirFamilia(familia, cfg.TipoEtiqueta);
        d != DesfechoImpressao::Impressa)
        return d;
    Despacho despacho = despachoDaJanela(parametros);
    return concluirImpressao(rodarFamilia(*familia, cfg, parametros, despacho));
}

DesfechoImpressao Aplicacao::conferirFamilia(const FamiliaEtiqueta* familia, int tipo) {
    if (!familia || familia->modelo.empty()) return DesfechoImpressao::SemRotina;
    if (!familia->rotina) {
        mensagem("A impressão de etiquetas do tipo " + std::to_string(tipo) +
                     " ainda não está disponível nesta versão do aplicativo. Nenhuma "
                     "etiqueta foi impressa.",
                 "Tipo de Etiqueta", Icone::Critico);
        return DesfechoImpressao::Recusada;
    }
    return DesfechoImpressao::Impressa;
}

Despacho Aplicacao::despachoDaJanela(const ParametrosImpressao& parametros) {
    Despacho despacho(plataforma_, parametros, pasta_, memoria_.ImagemEnviada);
    despacho.mostrarDetalhePortaCom = [this](const std::string& texto) {
        janela_.lblDetalhePortaCom.definirLegenda(texto);
    };
    return despacho;
}

ResultadoImpressao Aplicacao::rodarFamilia(const FamiliaEtiqueta& familia,
                                           const AtualizarConfiguracao& cfg,
                                           const ParametrosImpressao& parametros,
                                           SaidaTrabalhos& saida) {
    ProgressoJanela progresso(janela_, plataforma_, [this] { return cancelamentoPedido(); });
    ExecucaoImpressao execucao(
        entradaImpressao(familia, cfg, parametros, memoria_, saida, progresso));
    return executarFamilia(familia, execucao);
}

std::optional<PreviaImpressao> Aplicacao::VisualizarEtiquetas() {
    montavelocidadetemperatura();
    FimDaImpressao fim(janela_, plataforma_);
    const auto parametros = parametrosConferidos();
    if (!parametros) return std::nullopt;
    const AtualizarConfiguracao cfg = configuracaoDoTipo();
    const FamiliaEtiqueta* familia = familiaEtiqueta(cfg.TipoEtiqueta, parametros->variante);
    if (conferirFamilia(familia, cfg.TipoEtiqueta) != DesfechoImpressao::Impressa)
        return std::nullopt;
    // A copy: the batch, the separator memory and the set-up flag belong to
    // real runs.
    MemoriaImpressao memoria = memoria_;
    ColetorTrabalhos coletor;
    ProgressoJanela progresso(janela_, plataforma_, [] { return false; });
    ExecucaoImpressao execucao(
        entradaImpressao(*familia, cfg, *parametros, memoria, coletor, progresso));
    const ResultadoImpressao resultado = executarFamilia(*familia, execucao);
    janela_.StatusBar1.definirTexto("");
    if (resultado.falha) {
        mensagem(mensagemFalha(*resultado.falha), "Erro !", Icone::Critico);
        return std::nullopt;
    }
    return PreviaImpressao{parametros->linguagem, std::move(coletor.trabalhos)};
}

void Aplicacao::cmdVisualizar() {
#ifdef _WIN32
    // The Windows build has neither the window nor the ZPL reader it pages.
    return;
#endif
    try {
        const auto previa = VisualizarEtiquetas();
        if (!previa) return;
        if (previa->linguagem != Linguagem::Zebra) {
            mensagem("Só há visualização para impressoras Zebra (ZPL).", "Visualizar",
                     Icone::Informacao);
            return;
        }
        PaginasPrevia paginas(previa->trabalhos);
        if (paginas.total() == 0) {
            mensagem("Nenhuma etiqueta seria impressa.", "Visualizar", Icone::Informacao);
            return;
        }
        if (mostrarPrevia) mostrarPrevia(paginas);
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
    }
}

EntradaImpressao Aplicacao::entradaImpressao(const FamiliaEtiqueta& familia,
                                             const AtualizarConfiguracao& cfg,
                                             const ParametrosImpressao& parametros,
                                             MemoriaImpressao& memoria, SaidaTrabalhos& saida,
                                             ProgressoImpressao& progresso) {
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
        .memoria = memoria,
        .saida = saida,
        .progresso = progresso,
    };
}

// What a run sent, and for a price row stopped early, where to resume.
std::string relatoEnvio(const ResultadoImpressao& resultado) {
    std::string texto = etiquetas(resultado.etiquetas) + " enviada" +
                        (resultado.etiquetas == 1 ? "" : "s") + " à impressora.";
    if (!resultado.concluida() && resultado.proximaSequencia)
        texto +=
            "\nPróxima sequência não impressa: " + std::to_string(*resultado.proximaSequencia) +
            ".";
    return texto;
}

DesfechoImpressao Aplicacao::concluirImpressao(const ResultadoImpressao& resultado) {
    if (resultado.falha) {
        mensagem(mensagemFalha(*resultado.falha) + "\n" + relatoEnvio(resultado), "Erro !",
                 Icone::Critico);
        return DesfechoImpressao::Falhou;
    }
    if (resultado.interrompida) {
        janela_.StatusBar1.definirTexto("Impressão interrompida. . .");
        mensagem("Impressão interrompida a pedido do usuário.\n" + relatoEnvio(resultado),
                 "Fim da Impressão", Icone::Exclamacao);
        return DesfechoImpressao::Interrompida;
    }
    if (resultado.etiquetas == 0) {
        janela_.StatusBar1.definirTexto("Nenhuma etiqueta foi impressa.");
        mensagem("Nenhuma etiqueta foi impressa.", "Fim da Impressão", Icone::Exclamacao);
        return DesfechoImpressao::NadaImpresso;
    }
    janela_.StatusBar1.definirTexto("Etiquetas impressas com Sucesso. . .");
    mensagem("Impressão das Etiquetas concluída com sucesso !\n" + relatoEnvio(resultado),
             "Fim da Impressão", Icone::Informacao);
    return DesfechoImpressao::Impressa;
}

bool Aplicacao::cancelamentoPedido() const {
    return cancelar_ || (cancelamentoExterno && cancelamentoExterno());
}

void Aplicacao::cmdCancelar() {
    if (emImpressao_) cancelar_ = true;
}

bool Aplicacao::podeFechar() {
    if (!emImpressao_) return true;
    if (mensagem("Há uma impressão em andamento. Deseja interrompê-la e sair?",
                 "impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return false;
    cancelar_ = true;
    fecharAoTerminar_ = true;
    return false;  // the window closes when the run has stopped
}

}  // namespace etiquetas
