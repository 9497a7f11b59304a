#pragma once

// A price run to a Zebra on LPT1 and its jobs, as the history records them.

#include <string>

#include "historico/HistoricoImpressao.h"

namespace etiquetas::apoio {

inline ExecucaoRegistrada execucaoGravada(int tipo = 1, bool volume = false,
                                          const std::string& destino = "LPT1") {
    ExecucaoRegistrada e;
    e.arquivo = "/p/pedidos.xml";
    e.md5 = "ABC";
    e.tipoEtiqueta = tipo;
    e.familia = "QuelmonteEtiqPreco";
    e.volume = volume;
    e.impressora = "ZEBRA,2,ZPL";
    e.linguagem = "Zebra";
    e.destino = destino;
    e.usuario = "ana";
    return e;
}

// Job `numero` of run `e`: `primeira`-`ultima` of `variante`, grid row 1, with its outcome.
inline void gravarTrabalho(HistoricoImpressao& h, long long e, int numero,
                           const std::string& variante, long long primeira, long long ultima,
                           DesfechoTrabalho desfecho = DesfechoTrabalho::Enviada,
                           const std::string& pedido = "4512") {
    h.registrarTrabalho(e, numero, "etiquetas", {{1, pedido, "10", variante, primeira, ultima}});
    h.concluirTrabalho(e, numero, desfecho);
}

}  // namespace etiquetas::apoio
