#pragma once

// One print as a value, and the client a run reports to. The window builds a
// PedidoImpressao from its controls, etiquetas-cli from its options; neither
// is the other's API.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/EscolhaImpressora.h"
#include "comum/LeitorGrade.h"
#include "comum/PastasAplicacao.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/Reconhecimento.h"
#include "render/ExecucaoImpressao.h"
#include "verificacao/VerificacaoTrabalhos.h"

namespace pugi {
class xml_document;
}

namespace etiquetas {

// How a print, test print or font load ended, for the command line's exit
// status.
enum class DesfechoImpressao {
    Impressa,      // the routine ran to its end
    SemRotina,     // a label type that prints nothing: the command ends silently
    Recusada,      // stopped with a message before any label was made
    Falhou,        // the run stopped on a failure
    Interrompida,  // the user stopped it after a job
    NadaImpresso,  // the run ended without sending a label
};

// One print: the loaded rows with the user's ticks, ranges and box counts,
// the file's label type, the printer chosen and the parameters resolved from
// it. Built without any window.
struct PedidoImpressao {
    int tipoArquivo = kArquivoNaoReconhecido;  // of the loaded file: 1 price, 2 volume
    int tipoEtiqueta = 0;
    const LeitorGrade* linhas = nullptr;  // none when no file is loaded
    std::filesystem::path arquivoPedidos;
    std::shared_ptr<pugi::xml_document> documento;  // the loaded order file
    ImpressoraEscolhida impressora;
    ParametrosImpressao parametros;
    // Leave out what the history holds as sent (etiquetas-cli --sem-repetir).
    bool somenteNuncaImpressas = false;
    // Ask what to do with what the history holds as sent: all again, only
    // what was never sent, or nothing (the window).
    bool perguntarRepeticoes = false;
    // A reprint asked from the history: its labels go out again on purpose,
    // with no repeat question.
    bool reimpressao = false;
};

// The parameters of a print to `impressora` from the file's state and the
// label-variant list (hidden, or the text chosen in it).
ParametrosImpressao resolverParametros(const PastasAplicacao& pastas,
                                       const ImpressoraEscolhida& impressora,
                                       bool separadorPorPedido, bool listaTipoVisivel,
                                       const std::string& textoTipo, bool layoutNovo,
                                       const std::string& origemSolicitacao);

// Whether the label-variant list shows after rows were read with this
// chooser (it starts hidden).
bool listaTipoVisivel(SeletorTipo seletor);

// Labels the ticked rows ask for.
long long etiquetasPedidas(const PedidoImpressao& pedido);

// What the check before a run found in the jobs it would send.
struct ResultadoVerificacao {
    std::vector<Achado> achados;  // the first kAchadosGuardados
    long long erros = 0, avisos = 0, omitidos = 0;
};

// What a refused command points the user at.
enum class Campo { CaminhoRede, Linhas, TipoEtiqueta };

// A run's client: progress and stop (ProgressoImpressao), and what the window
// does around a run. Every member but the progress ones has a quiet default.
class Acompanhamento : public ProgressoImpressao {
  public:
    void mostrarStatus(const std::string&) override {}
    // A run holds the client from iniciar to terminar, however it ends.
    virtual void iniciarExecucao() {}
    virtual void terminarExecucao() {}
    virtual void mostrarProgresso(long long /*etiquetasPedidas*/) {}
    virtual void apontar(Campo) {}
    // The grid row whose job goes to the printer now.
    virtual void imprimindoLinha(int /*linha*/) {}
    virtual void mostrarDetalhePorta(const std::string&) {}
    // What the printer said of itself when the run asked it.
    virtual void mostrarEstadoImpressora(const std::string&) {}
    // Whether a print is checked before its question, and whether it goes
    // on with what the check found (the window asks; the command line stops
    // on an error unless told not to).
    virtual bool verificarAntes() const { return false; }
    virtual bool prosseguirApesarDe(const ResultadoVerificacao&) { return true; }
};

}  // namespace etiquetas
