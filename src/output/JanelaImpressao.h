#pragma once

// What printing reads from and shows on the main window while a run goes on.
// The routines read these values afresh at every label, as the user may
// change them between labels; the window (app/) implements it, tests fake it.

#include <string>

namespace etiquetas {

class JanelaImpressao {
  public:
    virtual ~JanelaImpressao() = default;

    virtual std::string impressora() const = 0;   // cmbImpressora: the printer table line
    virtual std::string velocidade() const = 0;   // txtvelocidade
    virtual std::string temperatura() const = 0;  // txtTemperatura
    virtual std::string porta() const = 0;        // cmbCaminhoImpressora: LPT1, LPT2, COM1, COM2
    virtual std::string destino() const = 0;      // txtCaminhoImpressora
    virtual std::string velocidadeCom() const = 0;
    virtual std::string paridadeCom() const = 0;
    virtual std::string bitsDadosCom() const = 0;
    virtual std::string bitsParadaCom() const = 0;
    virtual bool separadorPorPedido() const = 0;  // ckbMaterialForn
    virtual std::string origemSolicitacao() const = 0;

    virtual void mostrarStatus(const std::string& texto) = 0;           // StatusBar1
    virtual void mostrarDetalhePortaCom(const std::string& texto) = 0;  // lblDetalhePortaCom
};

}  // namespace etiquetas
