#pragma once

// The printer's word on a run, for destinations that can be asked: before
// the first label it must be ready; during the run a fault stops it before
// the next job; after the run its batch is waited for, within a limit, so
// that what was sent is told apart from what was printed.

#include <chrono>
#include <functional>
#include <string>

#include "output/Despacho.h"
#include "platform/Maquina.h"
#include "platform/Pessoa.h"

namespace etiquetas {

inline constexpr const char* kTituloEstado = "Estado da Impressora";

// Asks until the printer is ready or the person gives up: "Tentar de novo"
// asks again, "Cancelar" stops (the command line's answer), "Imprimir assim
// mesmo" is offered only for a printer that does not answer. A destination
// the program does not deliver to on its own line (network or serial) is
// not asked.
// `mostrar` gets each state's text.
enum class ProntaAntes { Pronta, AssimMesmo, Recusada };
ProntaAntes impressoraProntaAntes(Despacho& despacho, const std::string& destino, Pessoa& pessoa,
                                  const std::function<void(const std::string&)>& mostrar);

// Before each job (at most once per `intervalo`; zero: before every one)
// asks the printer; a fault ends the run before the job leaves.
class SaidaVigiada : public SaidaTrabalhos {
  public:
    SaidaVigiada(SaidaTrabalhos& destino, Despacho& despacho, std::chrono::milliseconds intervalo)
        : destino_(destino), despacho_(despacho), intervalo_(intervalo) {}
    void enviar(const Trabalho& trabalho) override;

  private:
    SaidaTrabalhos& destino_;
    Despacho& despacho_;
    std::chrono::milliseconds intervalo_;
    std::chrono::steady_clock::time_point ultima_{};
    bool enviou_ = false;
};

// Asks after the run and, while the printer is printing without a fault,
// again every half second until `limite`.
EstadoImpressora aguardarFimDaImpressao(Despacho& despacho, Maquina& maquina,
                                        std::chrono::seconds limite);

// The printer's account of a run: the last line of its message ("2.000
// enviadas; a impressora parou sem papel com 1.450 por imprimir", or that it
// printed them all) and whether it confirmed them. Empty and confirmed for a
// destination that cannot be asked.
struct FimNaImpressora {
    std::string relato;
    bool confirmada = true;
};
FimNaImpressora fimNaImpressora(long long enviadas, const EstadoImpressora& final);

}  // namespace etiquetas
