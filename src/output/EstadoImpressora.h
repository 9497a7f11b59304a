#pragma once

// What a Zebra or Datamax printer says of itself when asked on its own
// connection: the faults that keep it from printing and how many labels it
// still holds. Answers arrive in pieces, so they are read as they grow.

#include <string>
#include <string_view>

#include "render/ParametrosImpressao.h"

namespace etiquetas {

enum class FalhaImpressora : unsigned {
    SemPapel = 1u << 0,
    CabecaAberta = 1u << 1,
    SemRibbon = 1u << 2,
    EmPausa = 1u << 3,
    BufferCheio = 1u << 4,
    TemperaturaBaixa = 1u << 5,
    TemperaturaAlta = 1u << 6,
    MemoriaCorrompida = 1u << 7,
    Rebobinador = 1u << 8,
    // No usable answer within the limit: some printers fall silent while
    // paper is out or the head is open.
    NaoRespondeu = 1u << 9,
};

struct EstadoImpressora {
    bool consultavel = true;    // false: the destination goes through the print script
    unsigned falhas = 0;        // FalhaImpressora bits
    long long porImprimir = 0;  // labels of the batch the printer still has to print
    bool ocupada = false;       // formats waiting or a batch in progress

    bool pronta() const { return consultavel && falhas == 0; }
    bool tem(FalhaImpressora f) const { return (falhas & static_cast<unsigned>(f)) != 0; }
    void marcar(FalhaImpressora f) { falhas |= static_cast<unsigned>(f); }
    // Only a silent printer may be printed to anyway: any other fault is known.
    bool soNaoRespondeu() const {
        return falhas == static_cast<unsigned>(FalhaImpressora::NaoRespondeu);
    }
};

EstadoImpressora estadoNaoConsultavel();
EstadoImpressora estadoSemResposta();

// "pronta", "não consultável", or the faults joined by ", " ("sem papel,
// em pausa").
std::string textoEstado(const EstadoImpressora& estado);

// The bytes that ask: "~HQES~HS" (printers without ~HQES ignore it and
// answer ~HS alone) or <SOH>A <SOH>E. Empty for a language that cannot ask.
std::string pedidoEstado(Linguagem linguagem);

enum class LeituraResposta {
    Incompleta,  // wait for more
    Completa,    // everything asked for arrived
    Invalida,    // not an answer to the question: waiting longer will not mend it
};

struct AnaliseResposta {
    LeituraResposta leitura = LeituraResposta::Incompleta;
    bool util = false;  // the essential part arrived (Zebra frames 1 and 2, Datamax flags)
    EstadoImpressora estado;
};

// Reads what has arrived so far. At the end of the wait a useful but
// incomplete answer still counts (a printer that skips ~HQES's block or
// <SOH>E's count).
AnaliseResposta analisarResposta(Linguagem linguagem, std::string_view recebido);

// An answer as the caller keeps it once the wait is over.
EstadoImpressora estadoDaResposta(const AnaliseResposta& analise);

}  // namespace etiquetas
