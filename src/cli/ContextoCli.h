#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/EdicaoGrade.h"
#include "app/Grade.h"
#include "app/ServicoImpressao.h"
#include "comum/Arquivos.h"
#include "platform/headless/PlataformaHeadless.h"
#include "render/Trabalho.h"
#ifdef ETIQUETAS_PREVIA
#include "dpl/Spool.h"
#endif

namespace etiquetas::cli {

// Exit statuses of etiquetas-cli.
enum Saida { kOk = 0, kFalha = 1, kArgumentos = 2, kEncerrada = 3 };

// The user's folders could not be had (no HOME, a folder not created).
struct PastasIndisponiveis {
    std::string motivo;
};

struct ContextoCli {
    std::filesystem::path pasta;  // --pasta; empty: where the installation keeps its files
    PlataformaHeadless plataforma;
    std::unique_ptr<ServicoImpressao> servico;

    // Finds the folders and creates the printing service on them. Throws
    // PastasIndisponiveis.
    ServicoImpressao& iniciarServico();
    const PastasAplicacao& pastas() const { return servico->pastas(); }
    // SIGINT and SIGTERM stop a run after its current job.
    void interromperComSinais();
};

// A run seen from the terminal: the serial port's signals need the event
// loop, and a signal stops the run.
class AcompanhamentoCli : public Acompanhamento {
  public:
    explicit AcompanhamentoCli(ContextoCli& ctx) : ctx_(ctx) {}
    void etiquetasEnviadas(long long) override { ctx_.plataforma.processarEventos(); }
    bool cancelado() const override;

  private:
    ContextoCli& ctx_;
};

std::optional<PedidosAbertos> abrirPedidos(ContextoCli& ctx, const std::filesystem::path& caminho);

// The request for the opened rows (none: no file) and the printer.
PedidoImpressao pedidoImpressao(const ContextoCli& ctx, const PedidosAbertos* pedidos,
                                const ImpressoraEscolhida& impressora, bool separador,
                                const std::string& textoTipo, bool layoutDoArquivo);

// The exit status of a print, test print or font load: 0 when it reached its
// end (a label type that prints nothing included), 1 when it stopped on a
// message.
int statusImpressao(DesfechoImpressao desfecho);

// Help texts go to the terminal as they are, in UTF-8: write them as u8""
// literals (plain literals are Windows-1252 in this code base).
inline std::string utf8(const char8_t* texto) {
    return reinterpret_cast<const char*>(texto);
}

// A path given on the command line, kept as the file system names it (the
// system's own conversion reads argv: UTF-8 here, the ANSI code page on
// Windows); it never passes through the printers' code page.
inline std::filesystem::path caminhoDoArgumento(const std::string& argumento) {
    return std::filesystem::path(argumento);
}

// Each subcommand lives in its own source and registers itself here; the
// callback returns the exit status.
using Execucao = std::function<int()>;
void registrarAbrir(CLI::App& app, ContextoCli& ctx, Execucao& execucao);
void registrarImprimir(CLI::App& app, ContextoCli& ctx, Execucao& execucao);
void registrarExportar(CLI::App& app, ContextoCli& ctx, Execucao& execucao);
void registrarTeste(CLI::App& app, ContextoCli& ctx, Execucao& execucao);
void registrarPrevia(CLI::App& app, ContextoCli& ctx, Execucao& execucao);
void registrarHistorico(CLI::App& app, ContextoCli& ctx, Execucao& execucao);
void registrarReimprimir(CLI::App& app, ContextoCli& ctx, Execucao& execucao);
void registrarEstado(CLI::App& app, ContextoCli& ctx, Execucao& execucao);

#ifdef ETIQUETAS_PREVIA
// ZPL or DPL drawn to PREFIXO-1.png, PREFIXO-2.png, ... as each label is read
// (their names on standard output, the warnings on standard error at once):
// nothing of a label is kept once its picture is written. A picture that
// cannot be written throws FalhaImpressao, which ends a run.
class GravadorPrevia : public SaidaTrabalhos {
  public:
    GravadorPrevia(std::string prefixo, int dpmm);
    GravadorPrevia(const GravadorPrevia&) = delete;
    GravadorPrevia& operator=(const GravadorPrevia&) = delete;
    void enviar(const Trabalho& trabalho) override { ler(trabalho.texto); }
    void ler(std::string_view spool) { leitor_.ler(spool); }
    // The exit status: no label at all is a failure.
    int terminar();

  private:
    void gravar(const zpl::Etiqueta& etiqueta);

    std::string prefixo_;
    int dpmm_;
    dpl::LeitorSpool leitor_;
};
#endif
// One "[Prévia] ..." line on standard error; the text is Windows-1252.
void mensagemPrevia(const std::string& texto);

}  // namespace etiquetas::cli
