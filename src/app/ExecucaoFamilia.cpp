// The session running a family: into the dispatcher, a collector or a
// check, and how a run's end is said.

#include "app/SessaoImpressao.h"
#include "comum/Texto.h"
#include "output/Despacho.h"
#include "render/FamiliasEtiqueta.h"
#include "render/MotorTemplate.h"

namespace etiquetas {

namespace {

std::string etiquetas(long long n) {
    return milhares(n) + (n == 1 ? " etiqueta" : " etiquetas");
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

// The rows a family of the other kind of file reads: none.
struct SemLinhas : LeitorGrade {
    int linhas() const override { return 0; }
    int colunas() const override { return 0; }
    const std::string& texto(int, int) const override { return vazio; }
    std::string vazio;
};

// Takes every job and keeps none: the run's own count is what matters.
class SemEnvio : public SaidaTrabalhos {
  public:
    void enviar(const Trabalho&) override {}
};

struct SemProgresso : ProgressoImpressao {
    void mostrarStatus(const std::string&) override {}
};

}  // namespace

std::string etiquetasEDestino(const ContagemEtiquetas& c, const ParametrosImpressao& p) {
    return (c.aproximada ? "cerca de " : "") + etiquetas(c.etiquetas) + " — " +
           (p.fabricante.empty() ? std::string("?") : p.fabricante) + ", " + p.destino;
}

// Where it failed in the worker's terms, the grid row and the template;
// the routine's step number means nothing to them.
std::string mensagemFalha(const FalhaRotina& falha) {
    std::string onde;
    if (falha.linha > 0) onde = "Linha " + std::to_string(falha.linha) + " da grade";
    if (!falha.modelo.empty()) onde += (onde.empty() ? "Modelo " : ", modelo ") + falha.modelo;
    return onde.empty() ? falha.descricao : falha.descricao + "\n" + onde + ".";
}

const LeitorGrade& linhasDaFamilia(const FamiliaEtiqueta& familia, const PedidoImpressao& p) {
    static const SemLinhas semLinhas;
    const bool doArquivo =
        p.linhas && (familia.arquivo == ArquivoFamilia::Preco) == (p.tipoArquivo == kArquivoPreco);
    return doArquivo ? *p.linhas : semLinhas;
}

AtualizarConfiguracao SessaoImpressao::configuracao(const PedidoImpressao& pedido) const {
    AtualizarConfiguracao cfg = configuracaoLayout(pedido.tipoEtiqueta, pedido.impressora.indice,
                                                   pedido.parametros.layoutNovo);
    cfg.Carregar(pastas_);
    return cfg;
}

Despacho SessaoImpressao::despacho(const ParametrosImpressao& parametros, Acompanhamento& a) {
    Despacho despacho(maquina_, parametros, pastas_, memoria_.ImagemEnviada);
    despacho.mostrarDetalhePortaCom = [&a](const std::string& t) { a.mostrarDetalhePorta(t); };
    return despacho;
}

ResultadoImpressao SessaoImpressao::rodar(const FamiliaEtiqueta& familia,
                                          const PedidoImpressao& pedido, SaidaTrabalhos& saida,
                                          MemoriaImpressao& memoria, ProgressoImpressao& progresso,
                                          bool semEfeito, const AvisoEmResolucao& aviso) {
    const AtualizarConfiguracao cfg = configuracao(pedido);
    const ParametrosImpressao& p = pedido.parametros;
    // Every run's jobs, for the printer, the history, the check or the
    // preview, are made for the printer line's resolution here.
    SaidaEmResolucao convertida(saida, p.linguagem, p.resolucao, aviso);
    ExecucaoImpressao execucao(EntradaImpressao{
        .parametros = p,
        .cfg = cfg,
        .pastas = pastas_,
        .grade = linhasDaFamilia(familia, pedido),
        .arquivoPedidos = pedido.arquivoPedidos,
        .nomeTemplate = nomeTemplate(familia, p.layoutNovo, p.linguagem),
        .nomeSeparador = nomeSeparador(familia, p.linguagem),
        .memoria = memoria,
        .saida = convertida,
        .progresso = progresso,
        .documento = pedido.documento,
        .lerUmaVez = semEfeito,
    });
    return executarRotina(familia.rotina, execucao);
}

// The batch, the separator memory and the set-up flag belong to real runs.
ResultadoImpressao SessaoImpressao::rodarSemEfeito(const FamiliaEtiqueta& familia,
                                                   const PedidoImpressao& pedido,
                                                   SaidaTrabalhos& saida, Acompanhamento& a,
                                                   const AvisoEmResolucao& aviso) {
    MemoriaImpressao memoria = memoria_;
    struct : Acompanhamento {
        Acompanhamento* cliente;
        void mostrarStatus(const std::string& t) override { cliente->mostrarStatus(t); }
        bool cancelado() const override { return cliente->cancelado(); }
    } progresso;
    progresso.cliente = &a;
    return rodar(familia, pedido, saida, memoria, progresso, true, aviso);
}

// Worked out from the rows and the family's rule; a family without one runs
// on a bounded sample, from the memory the run will start with (the
// separator already sent, the Datamax batch waiting). When a row would stop
// the run, the ranges' sum: the run then says what is wrong.
ContagemEtiquetas SessaoImpressao::etiquetasQueSairao(const FamiliaEtiqueta* familia,
                                                      const PedidoImpressao& pedido,
                                                      const ProgressoImpressao* a) {
    const ContagemEtiquetas pelasFaixas{.etiquetas = etiquetasPedidas(pedido)};
    if (!familia || !familia->rotina) return pelasFaixas;
    struct : ProgressoImpressao {
        const ProgressoImpressao* cliente = nullptr;
        void mostrarStatus(const std::string&) override {}
        bool cancelado() const override { return cliente && cliente->cancelado(); }
    } progresso;
    progresso.cliente = a;
    const auto amostra = [&](const LeitorGrade& grade, SaidaTrabalhos& saida) {
        PedidoImpressao daAmostra = pedido;
        daAmostra.linhas = &grade;
        MemoriaImpressao memoria = memoria_;
        return rodar(*familia, daAmostra, saida, memoria, progresso, true);
    };
    try {
        if (const auto c = contarEtiquetas(*familia, linhasDaFamilia(*familia, pedido),
                                           pedido.parametros, amostra))
            return *c;
    } catch (const std::exception&) {
    }
    return pelasFaixas;
}

DesfechoImpressao SessaoImpressao::concluir(const ResultadoImpressao& resultado, Acompanhamento& a,
                                            const std::string& retomar,
                                            const FimNaImpressora& naImpressora) {
    const std::string daImpressora = naImpressora.relato.empty() ? "" : "\n" + naImpressora.relato;
    const std::string relato =
        relatoEnvio(resultado) + (retomar.empty() ? "" : "\n" + retomar) + daImpressora;
    if (resultado.falha) {
        mensagem(mensagemFalha(*resultado.falha) + "\n" + relato, "Erro !", Icone::Critico);
        return DesfechoImpressao::Falhou;
    }
    if (resultado.interrompida) {
        a.mostrarStatus("Impressão interrompida. . .");
        mensagem("Impressão interrompida a pedido do usuário.\n" + relato, "Fim da Impressão",
                 Icone::Exclamacao);
        return DesfechoImpressao::Interrompida;
    }
    if (resultado.etiquetas == 0) {
        a.mostrarStatus("Nenhuma etiqueta foi impressa.");
        mensagem("Nenhuma etiqueta foi impressa.", "Fim da Impressão", Icone::Exclamacao);
        return DesfechoImpressao::NadaImpresso;
    }
    // Sent is not printed: a printer that did not print them all is no success.
    if (!naImpressora.confirmada) {
        a.mostrarStatus("Impressão não confirmada pela impressora. . .");
        mensagem("A impressora não confirmou a impressão de todas as etiquetas.\n" + relato,
                 "Fim da Impressão", Icone::Exclamacao);
        return DesfechoImpressao::Falhou;
    }
    a.mostrarStatus("Etiquetas impressas com Sucesso. . .");
    mensagem(
        "Impressão das Etiquetas concluída com sucesso !\n" + relatoEnvio(resultado) + daImpressora,
        "Fim da Impressão", Icone::Informacao);
    return DesfechoImpressao::Impressa;
}

DesfechoImpressao SessaoImpressao::protegido(const std::function<DesfechoImpressao()>& comando) {
    try {
        return comando();
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
        return DesfechoImpressao::Falhou;
    }
}

bool SessaoImpressao::preCarga(const std::function<void()>& passo) {
    try {
        passo();
        return true;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
        return false;
    }
}

DesfechoImpressao SessaoImpressao::interrupcaoSemEtiquetas(Acompanhamento& a) {
    ResultadoImpressao resultado;
    resultado.interrompida = true;
    return concluir(resultado, a);
}

}  // namespace etiquetas
