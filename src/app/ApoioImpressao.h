#pragma once

// The window around a run of the printing service: what it locks, shows and
// points at while the run goes on.

#include <functional>
#include <string>
#include <vector>

#include "app/JanelaPrincipal.h"
#include "app/ServicoImpressao.h"
#include "platform/Plataforma.h"

namespace etiquetas {

// Everything that could change the file, the rows, the printer or the
// settings, or start another command, is locked during a run and given back
// as it was however the run ends; "Cancelar" shows instead.
class AcompanhamentoJanela : public Acompanhamento {
  public:
    AcompanhamentoJanela(JanelaPrincipal& j, Plataforma& p, bool& emImpressao, bool& cancelar,
                         std::function<bool()> cancelamentoExterno);

    void iniciarExecucao() override;
    void terminarExecucao() override;
    void mostrarProgresso(long long pedidas) override;
    void apontar(Campo campo) override;
    void mostrarDetalhePorta(const std::string& texto) override;
    void mostrarStatus(const std::string& texto) override;
    void processarEventos() override;
    void etiquetasEnviadas(long long n) override;
    bool cancelado() const override;

  private:
    std::vector<Controle*> controlesTravados();

    JanelaPrincipal& j_;
    Plataforma& p_;
    bool& emImpressao_;
    bool& cancelar_;
    std::function<bool()> cancelamentoExterno_;
    std::vector<bool> estados_;
    std::string legendaBarra_;
};

}  // namespace etiquetas
