#include "render/ExecucaoImpressao.h"

#include <new>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"

namespace etiquetas {

namespace {

// The failure with where the run was: the step number is the routine's own,
// the row the grid's (the request may hold only what a reprint left).
FalhaRotina falhaEm(const ExecucaoImpressao& execucao, std::string descricao) {
    const int linha = execucao.linha > 0 ? execucao.grade.linhaNaGrade(execucao.linha) : 0;
    return {std::move(descricao), execucao.passo,     linha,
            execucao.PedidoAtual, execucao.ItemAtual, execucao.nomeTemplate};
}

}  // namespace

template <class Ler>
std::string ExecucaoImpressao::lembrar(std::string chave, Ler ler) {
    if (!lerUmaVez) return ler();
    auto lido = lidos_.find(chave);
    if (lido == lidos_.end()) lido = lidos_.emplace(std::move(chave), ler()).first;
    return lido->second;
}

std::string ExecucaoImpressao::lerLayout(std::string_view secao, std::string_view chave) {
    return lembrar(std::string("ini\n").append(secao).append("\n").append(chave),
                   [&] { return LerArquivoIni(pastas, secao, chave); });
}

std::string ExecucaoImpressao::lerModelo(const std::string& nome) {
    return lembrar("modelo\n" + nome, [&] { return lerTemplate(pastas.dados, nome); });
}

std::string ExecucaoImpressao::lerModeloAjustado(const std::string& nome) {
    return lembrar("modelo ajustado\n" + nome, [&] {
        std::string texto = lerModelo(nome);
        substituirTodos(texto, ":: Temperatura ::", formatarNumero(parametros.temperatura, "00"));
        preencherComandosImpressora(texto, parametros.velocidade, parametros.temperatura);
        return texto;
    });
}

void ExecucaoImpressao::anotarEtiquetas(OrigemTrabalho origem) {
    if (!origensPendentes.empty()) {
        auto& anterior = origensPendentes.back();
        if (anterior.linha == origem.linha && anterior.ultima + 1 == origem.primeira) {
            anterior.ultima = origem.ultima;
            return;
        }
    }
    origensPendentes.push_back(std::move(origem));
}

void ExecucaoImpressao::enviarEtiquetas(const std::string& spool, const std::string& texto,
                                        int etiquetas) {
    enviarTexto(TipoTrabalho::Etiqueta, spool, texto, etiquetas);
}

void ExecucaoImpressao::enviarTexto(TipoTrabalho tipo, const std::string& spool,
                                    const std::string& texto, int etiquetas) {
    trabalhoEmEnvio.tipo = tipo;
    trabalhoEmEnvio.spool = spool;
    trabalhoEmEnvio.texto.assign(texto).append("\r\n");
    trabalhoEmEnvio.etiquetas = etiquetas;
    trabalhoEmEnvio.origens.clear();
    // Set-up jobs go out between the labels made and the job that carries them.
    if (tipo == TipoTrabalho::Etiqueta) trabalhoEmEnvio.origens.swap(origensPendentes);
    saida.enviar(trabalhoEmEnvio);
    resultado.etiquetas += etiquetas;
    ++resultado.trabalhos;
    progresso.etiquetasEnviadas(resultado.etiquetas);
    if (progresso.cancelado()) throw ImpressaoInterrompida();
}

void ExecucaoImpressao::enviarConfiguracaoDatamax() {
    const std::string configuracao = lembrar("configuracao-datamax", [&] {
        const auto origem = caminhoNaPasta(pastas.dados, kArquivoConfiguracaoDatamax);
        auto lida = lerArquivoLimitado(origem, kLimiteModelo);
        if (lida.falha == FalhaLeitura::Ausente)
            throw FalhaImpressao("Arquivo de configuração da Datamax não encontrado: " +
                                 textoDoCaminho(origem));
        if (!lida) throw FalhaImpressao(mensagemFalhaLeitura(origem, lida.falha, kLimiteModelo));
        return std::move(lida.conteudo);
    });
    enviarTexto(TipoTrabalho::ConfiguracaoDatamax, "SpoolEtqImg.prn", configuracao);
}

ResultadoImpressao executarRotina(RotinaFamilia rotina, ExecucaoImpressao& execucao) {
    try {
        rotina(execucao);
    } catch (const ImpressaoInterrompida&) {
        execucao.resultado.interrompida = true;
    } catch (const std::bad_alloc&) {
        execucao.resultado.falha = falhaEm(execucao, "Memória insuficiente.");
    } catch (const std::exception& e) {
        execucao.resultado.falha = falhaEm(execucao, e.what());
    }
    return execucao.resultado;
}

}  // namespace etiquetas
