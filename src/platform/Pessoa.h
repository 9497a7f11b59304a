#pragma once

// What the user sees and answers: boxes, questions, the file dialog, the
// busy pointer. The window shows them; etiquetas-cli writes "[title] text"
// lines and answers Yes. Every text crossing this seam is Windows-1252.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace etiquetas {

enum class Icone { Nenhum, Informacao, Critico, Pergunta, Exclamacao };
enum class Botoes { Ok, SimNao };
enum class Resposta { Ok, Sim, Nao };

// Thrown by the headless front when the application must end at once
// (version gate, "&Sair"); the CLI turns it into exit status 3.
struct AplicacaoEncerrada : std::runtime_error {
    AplicacaoEncerrada() : std::runtime_error("aplicação encerrada") {}
};

class Pessoa {
  public:
    virtual ~Pessoa() = default;

    // A box with icon, title and buttons; an empty title shows the
    // application's title. Returns the button pressed.
    virtual Resposta mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                              Botoes botoes) = 0;
    // A question answered with one of `botoes` (their captions): Enter
    // presses the one at `padrao`, Escape the last. Returns the index
    // pressed. The headless front says the question and answers `padrao`.
    virtual int escolher(const std::string& texto, const std::string& titulo, Icone icone,
                         const std::vector<std::string>& botoes, int padrao) {
        mensagem(texto, titulo, icone, Botoes::Ok);
        return botoes.empty() ? -1 : padrao;
    }
    // The file-open dialog, opening in `pasta`; empty when cancelled. Filter
    // as "Descrição|*.xml". The path is the file system's own name, never
    // passed through the printers' code page.
    virtual std::filesystem::path escolherArquivo(const std::string& titulo,
                                                  const std::string& filtro,
                                                  const std::string& pasta) = 0;
    // Lets pending window events run (repaint, progress).
    virtual void processarEventos() = 0;
    virtual void cursorOcupado(bool ocupado) = 0;
    // Whether a long run goes on a thread of its own, so that what the
    // person sees stays live meanwhile (the window; not the CLI).
    virtual bool vistaViva() const { return false; }
    // Runs `tarefa` on the thread that shows things: at once when called
    // there; from another thread queued behind what was sent before, and
    // waited for when `aguardar`.
    virtual void naVista(std::function<void()> tarefa, bool /*aguardar*/) { tarefa(); }
    // Ends the application at once, without the window's closing steps.
    // Does not return (the headless front throws AplicacaoEncerrada).
    [[noreturn]] virtual void encerrarAplicacao() = 0;
};

}  // namespace etiquetas
