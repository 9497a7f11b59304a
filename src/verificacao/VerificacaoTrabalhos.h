#pragma once

// The check a run goes through before it sends anything: every job it would
// send is read as the printer reads it (ZPL or DPL), and what would print
// wrong is found while the stock is still blank: a token nobody filled, a
// field off the label, bar-code data the printer would change, text longer
// than its block, a Datamax set-up with nothing in it.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/Trabalho.h"

namespace etiquetas {

enum class Gravidade {
    Erro,   // the label would print wrong or unreadable
    Aviso,  // it would print, perhaps not as meant
};

struct Achado {
    Gravidade gravidade = Gravidade::Erro;
    int etiqueta = 0;                      // label of the run, from 1; 0 a set-up job
    std::optional<OrigemTrabalho> origem;  // the grid row; none for a separator or set-up
    bool loja = false;                     // the origin's variant is a store (volume labels)
    std::string campo;                     // the field as the printer reads it; "" the job
    std::string problema;                  // Windows-1252, as every text of the core
    long long outras = 0;                  // later labels with the same finding
    std::string modelo;  // the file the job was filled from: what an administrator mends
};

// A template a run fills: its file name and its text.
struct ModeloVerificado {
    std::string arquivo;
    std::string texto;
};

struct ModelosDaExecucao {
    ModeloVerificado etiqueta;   // the family's template
    ModeloVerificado separador;  // the separator's
    // The Datamax set-up: a printer keeps it from an earlier run, and many
    // runs do not send it again. Empty for a Zebra.
    ModeloVerificado configuracao;
};

// "Linha 3 (pedido P, item I, variante V), sequência 5, modelo M.zpl, texto
// "ABC" em 24,52: texto maior que o bloco".
std::string textoAchado(const Achado& achado);

// Whether this build can read printer languages (the Windows build cannot).
bool verificacaoDisponivel();

class VerificacaoTrabalhos : public SaidaTrabalhos {
  public:
    // `modelos`: the templates the run fills; what looks like a token in
    // them and still stands in a job was never filled, and a finding names
    // the file its job came from. `dpmm`: the printer's resolution.
    // `volume`: rows are stores, not variants.
    VerificacaoTrabalhos(ModelosDaExecucao modelos, bool volume, int dpmm = 8);
    ~VerificacaoTrabalhos() override;

    // Text of the order file prints as text: a token-shaped piece of it that
    // stands in a job may be the order's own, and is not called unfilled.
    void textoDoPedido(std::string_view texto);
    // The same, asked of `ler` (each text of the order file handed to its
    // argument) only when a job first holds a template's token: most runs
    // never do, and a large file need not be walked. `ler` runs on the
    // check's thread and must stay callable until terminar.
    using LeituraPedido =
        std::function<void(const std::function<void(std::string_view texto)>& texto)>;
    void textoDoPedido(LeituraPedido ler);

    // Whether the run was stopped: asked while a job waits for the check's
    // thread, so that a stop is not held up by labels slow to read.
    void interrupcao(std::function<bool()> cancelado);

    void enviar(const Trabalho& trabalho) override;
    // The run ended: what is still open is checked.
    void terminar();

    // The same finding on later labels is counted on the first; at most
    // kAchadosGuardados different ones are kept, the rest only counted.
    // In label order once the run ended.
    static constexpr std::size_t kAchadosGuardados = 1000;
    const std::vector<Achado>& achados() const;
    long long erros() const;
    long long avisos() const;
    long long omitidos() const;
    // A finding of the caller's own (a price that is not a number, say).
    void acrescentar(Achado achado);

  private:
    struct Estado;
    struct Fila;
    std::unique_ptr<Estado> e_;
    std::unique_ptr<Fila> fila_;
    std::function<bool()> cancelado_;
};

}  // namespace etiquetas
