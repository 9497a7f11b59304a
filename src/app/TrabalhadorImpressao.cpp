#include "app/TrabalhadorImpressao.h"

#include <exception>

namespace etiquetas {

TrabalhadorImpressao::TrabalhadorImpressao(bool emSegundoPlano) {
    if (emSegundoPlano) thread_ = std::jthread([this](std::stop_token fim) { laco(fim); });
}

TrabalhadorImpressao::~TrabalhadorImpressao() {
    {
        std::lock_guard trava(mutex_);
        fila_.clear();
        parada_.request_stop();
    }
    // The jthread asks its own stop and joins.
}

void TrabalhadorImpressao::executar(std::function<void(std::stop_token)> tarefa) {
    std::stop_source parada;
    {
        std::lock_guard trava(mutex_);
        parada_ = parada;
    }
    auto comToken = [tarefa = std::move(tarefa), token = parada.get_token()] { tarefa(token); };
    if (!thread_.joinable()) return comToken();
    {
        std::lock_guard trava(mutex_);
        fila_.push_back(std::move(comToken));
    }
    sinal_.notify_one();
}

void TrabalhadorImpressao::executarEAguardar(const std::function<void()>& tarefa) {
    if (!thread_.joinable() || std::this_thread::get_id() == thread_.get_id()) return tarefa();
    std::mutex feito;
    std::condition_variable fim;
    bool pronto = false;
    std::exception_ptr erro;
    {
        std::lock_guard trava(mutex_);
        fila_.push_back([&] {
            try {
                tarefa();
            } catch (...) {
                erro = std::current_exception();
            }
            std::lock_guard t(feito);
            pronto = true;
            fim.notify_one();
        });
    }
    sinal_.notify_one();
    std::unique_lock t(feito);
    fim.wait(t, [&] { return pronto; });
    if (erro) std::rethrow_exception(erro);
}

void TrabalhadorImpressao::cancelar() {
    std::lock_guard trava(mutex_);
    parada_.request_stop();
}

void TrabalhadorImpressao::laco(std::stop_token fim) {
    for (;;) {
        std::function<void()> tarefa;
        {
            std::unique_lock trava(mutex_);
            if (!sinal_.wait(trava, fim, [this] { return !fila_.empty(); })) return;
            tarefa = std::move(fila_.front());
            fila_.pop_front();
        }
        tarefa();
    }
}

}  // namespace etiquetas
