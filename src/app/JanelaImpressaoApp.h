#pragma once

// The main window seen by the printing layers: the controls a print run
// reads at every label, and the status texts it shows.

#include "app/JanelaPrincipal.h"
#include "output/JanelaImpressao.h"

namespace etiquetas {

class JanelaImpressaoApp : public JanelaImpressao {
  public:
    explicit JanelaImpressaoApp(JanelaPrincipal& janela) : j_(janela) {}

    std::string impressora() const override { return j_.cmbImpressora.texto(); }
    std::string velocidade() const override { return j_.txtvelocidade.texto(); }
    std::string temperatura() const override { return j_.txtTemperatura.texto(); }
    std::string porta() const override { return j_.cmbCaminhoImpressora.texto(); }
    std::string destino() const override { return j_.txtCaminhoImpressora.texto(); }
    std::string velocidadeCom() const override { return j_.cbvelocidade.texto(); }
    std::string paridadeCom() const override { return j_.cbparidade.texto(); }
    std::string bitsDadosCom() const override { return j_.cbbitdados.texto(); }
    std::string bitsParadaCom() const override { return j_.cbbitparada.texto(); }
    bool separadorPorPedido() const override { return j_.ckbMaterialForn.marcada(); }
    std::string origemSolicitacao() const override { return j_.OrigemSolicitacao; }
    void mostrarStatus(const std::string& texto) override { j_.StatusBar1.definirTexto(texto); }
    void mostrarDetalhePortaCom(const std::string& texto) override {
        j_.lblDetalhePortaCom.definirLegenda(texto);
    }

  private:
    JanelaPrincipal& j_;
};

}  // namespace etiquetas
