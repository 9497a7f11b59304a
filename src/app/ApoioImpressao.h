#pragma once

// The window around a run of the printing service: what it locks, shows and
// points at while the run goes on, and the boxes the run shows. The run may
// go on the worker: everything that touches the window goes to the window's
// thread.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "app/JanelaPrincipal.h"
#include "app/ServicoImpressao.h"
#include "platform/Plataforma.h"

namespace etiquetas {

// The service's person: a box asked from the worker is shown on the
// window's thread while the run waits for the answer.
class PessoaNaVista : public Pessoa {
  public:
    explicit PessoaNaVista(Plataforma& p) : p_(p) {}
    Resposta mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                      Botoes botoes) override;
    int escolher(const std::string& texto, const std::string& titulo, Icone icone,
                 const std::vector<std::string>& botoes, int padrao) override;
    std::filesystem::path escolherArquivo(const std::string& titulo, const std::string& filtro,
                                          const std::string& pasta) override;
    void processarEventos() override { p_.processarEventos(); }
    void cursorOcupado(bool ocupado) override;
    [[noreturn]] void encerrarAplicacao() override;
    bool vistaViva() const override { return p_.vistaViva(); }
    void naVista(std::function<void()> tarefa, bool aguardar) override {
        p_.naVista(std::move(tarefa), aguardar);
    }

  private:
    Plataforma& p_;
};

// Everything that could change the file, the rows, the printer or the
// settings, or start another command, is locked during a run and given back
// as it was however the run ends; "Cancelar" shows instead. `vivo` is false
// once the window's model is gone: what was queued for it is dropped.
class AcompanhamentoJanela : public Acompanhamento {
  public:
    AcompanhamentoJanela(JanelaPrincipal& j, Plataforma& p, bool& emImpressao,
                         std::stop_token parada, std::shared_ptr<const bool> vivo);

    void iniciarExecucao() override;
    void terminarExecucao() override;
    void mostrarProgresso(long long pedidas) override;
    void apontar(Campo campo) override;
    void imprimindoLinha(int linha) override;
    void mostrarDetalhePorta(const std::string& texto) override;
    void mostrarEstadoImpressora(const std::string& texto) override;
    void mostrarStatus(const std::string& texto) override;
    void etiquetasEnviadas(long long n) override;
    bool cancelado() const override { return parada_.stop_requested(); }
    bool verificarAntes() const override { return verificacaoDisponivel(); }
    bool prosseguirApesarDe(const ResultadoVerificacao& r) override;
    // "Visualizar" was chosen over the check's findings: the preview opens
    // once the run has given the window back.
    bool previaPedida() const { return previaPedida_; }

  private:
    std::vector<Controle*> controlesTravados();
    void naJanela(std::function<void()> tarefa, bool aguardar);
    void travar();
    void destravar();
    // Status, port detail, count and row: only the latest of each reaches the
    // window, so a fast run does not flood its queue.
    struct Pendente {
        std::optional<std::string> status, detalhePorta;
        std::optional<long long> enviadas;
        std::optional<int> linha;
        bool aCaminho = false;
    };
    void pendurar(const std::function<void(Pendente&)>& mudanca);
    void aplicarPendentes();
    void mostrarEnviadas(long long enviadas);

    JanelaPrincipal& j_;
    Plataforma& p_;
    bool& emImpressao_;
    std::stop_token parada_;
    std::shared_ptr<const bool> vivo_;
    std::vector<bool> estados_;
    std::string legendaBarra_;
    long long totalEtiquetas_ = 0;  // of the run's question, on the window's thread
    std::mutex mutex_;
    Pendente pendente_;
    std::atomic<bool> previaPedida_ = false;
};

}  // namespace etiquetas
