#pragma once

// The thread the window's runs go on, one at a time, so that the window
// keeps painting and "Cancelar" is answered at once. While the window lives
// the serial port is opened, written and closed only here.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace etiquetas {

class TrabalhadorImpressao {
  public:
    // Without a thread of its own (a front with no live view), every task
    // runs at once on the caller's thread.
    explicit TrabalhadorImpressao(bool emSegundoPlano);
    // Stops the run in progress after its job and waits for it; tasks not
    // started are dropped.
    ~TrabalhadorImpressao();
    TrabalhadorImpressao(const TrabalhadorImpressao&) = delete;
    TrabalhadorImpressao& operator=(const TrabalhadorImpressao&) = delete;

    // Queues a run; its stop token is the one `cancelar` stops.
    void executar(std::function<void(std::stop_token)> tarefa);
    // Runs `tarefa` on the worker and waits for it.
    void executarEAguardar(const std::function<void()>& tarefa);
    // The run in progress (or the next one queued) ends after its job.
    void cancelar();

  private:
    void laco(std::stop_token fim);

    std::mutex mutex_;
    std::condition_variable_any sinal_;
    std::deque<std::function<void()>> fila_;
    std::stop_source parada_;
    std::jthread thread_;  // last: starts once the rest exists
};

}  // namespace etiquetas
