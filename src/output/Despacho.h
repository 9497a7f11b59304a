#pragma once

// Getting a filled label to the printer: the text is written to a spool file
// in the application folder, then the print script delivers it (parallel
// port, network printer, folder, queue) or it goes out through the serial
// port. Failures throw FalhaImpressao, which ends the calling routine's run.

#include <filesystem>
#include <string>
#include <vector>

#include "output/JanelaImpressao.h"
#include "platform/Plataforma.h"

namespace etiquetas {

// The print-speed value the templates receive: the speed box, or "C" for
// ARGOX and DATAMAX printers when it is empty.
std::string valorVelocidade(const JanelaImpressao& janela);
// First comma field of the printer choice, blanks removed, upper case.
std::string fabricanteImpressora(const std::string& impressora);

class Despacho {
  public:
    Despacho(Plataforma& plataforma, JanelaImpressao& janela, std::filesystem::path pasta,
             bool& imagemEnviada);
    virtual ~Despacho() = default;

    Plataforma& plataforma() { return plataforma_; }
    JanelaImpressao& janela() { return janela_; }
    const std::filesystem::path& pasta() const { return pasta_; }
    // A spool file of the application folder ("\SpoolEtq.PRN", ...).
    std::filesystem::path caminhoSpool(const std::string& nome) const;

    // Fills the speed and temperature tokens left in `texto` (the caller's
    // text changes), writes the spool file and dispatches it.
    void EnviarSpool(const std::filesystem::path& spool, std::string& texto);
    // Sends "QuelmonteConfiguracaoDatamax.prn" through "SpoolEtqImg.prn".
    void EnviarConfiguracaoDatamax();
    // Writes the text plus CR LF as the spool file and dispatches it, with
    // no token replaced.
    void gravarEDespachar(const std::filesystem::path& spool, const std::string& texto);
    // The print script for LPT1/LPT2, the serial port otherwise.
    virtual void despachar(const std::filesystem::path& spool);
    void EnviarArquivoSerial(const std::filesystem::path& arquivo);
    // Runs the print script; a script that cannot start is reported and the
    // run goes on, one that fails ends the run.
    void ExecutarEAguardar(const std::filesystem::path& script,
                           const std::vector<std::string>& argumentos);

    static constexpr int kPausasFinaisSerial = 11;

  private:
    std::vector<std::string> argumentosScript(const std::filesystem::path& spool) const;
    void aguardarPortaVazia();

    Plataforma& plataforma_;
    JanelaImpressao& janela_;
    std::filesystem::path pasta_;
    bool& imagemEnviada_;
};

}  // namespace etiquetas
