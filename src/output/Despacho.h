#pragma once

// Getting a job to the printer: its text is written to its spool file in the
// state folder, then the print script delivers it (parallel port,
// network printer, folder, queue) or it goes out through the serial port.
// A job that cannot be delivered throws FalhaImpressao, which ends the run.
// A dispatcher is one run: it holds the folder's print lock while it lives.
// Network printers ("servidor:porta") and serial ports take the jobs from the
// program itself, on a line that can also ask the printer's state.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comum/PastasAplicacao.h"
#include "output/ConsultaEstado.h"
#include "output/TravaImpressao.h"
#include "platform/Maquina.h"
#include "render/ParametrosImpressao.h"
#include "render/Trabalho.h"

namespace etiquetas {

// A destination that can only be the name of a printer installed in the
// system: no path, no drive, no device such as LPT1 or PRN. Paths and devices
// stay the print script's, as installations have them.
bool nomeDeImpressoraDoSistema(const std::string& destino);

class Despacho : public SaidaTrabalhos {
  public:
    // Waits up to parametros.esperaOutraImpressao for another run of the
    // spool folder to end; throws FalhaImpressao naming it if it does not.
    Despacho(Maquina& maquina, const ParametrosImpressao& parametros, PastasAplicacao pastas,
             bool& imagemEnviada);

    void enviar(const Trabalho& trabalho) override;

    // The printer's state on the line the jobs take; "não consultável" for
    // what the script delivers. Connects to a network printer when needed
    // (FalhaImpressao when it cannot).
    EstadoImpressora consultarEstado();
    // Whether the jobs go on the program's own line, a network connection or
    // a serial port, where the printer can be asked.
    bool perguntaAImpressora() const { return rede_.has_value() || portaSerialEscolhida(); }

    // The serial port's pending byte count, as the window shows it.
    std::function<void(const std::string&)> mostrarDetalhePortaCom;

    static constexpr int kPausasFinaisSerial = 11;

  private:
    bool portaSerialEscolhida() const;
    TravaImpressao aguardarTrava();
    void despachar(const std::filesystem::path& spool, const Trabalho& trabalho);
    void executarScript(const std::filesystem::path& spool);
    void enviarAoSpooler(const Trabalho& trabalho);
    void enviarSerial(const std::string& conteudo, TipoTrabalho tipo);
    void enviarRede(const std::string& conteudo);
    ConexaoRede& conexaoRede();
    void aguardarPortaVazia();
    std::chrono::milliseconds limite() const;
    std::vector<std::string> argumentosScript(const std::filesystem::path& spool) const;

    Maquina& maquina_;
    const ParametrosImpressao& parametros_;
    PastasAplicacao pastas_;
    bool& imagemEnviada_;
    std::optional<TravaImpressao> trava_;
    std::optional<EnderecoRede> rede_;
    std::unique_ptr<ConexaoRede> conexao_;
};

}  // namespace etiquetas
