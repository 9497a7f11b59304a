#pragma once

// The layout parameters of one label type on one printer language, kept in
// one section of the layout file. Set RaizSecao (the label type's, from the
// family table), TipoImpressora and LayoutNovo, then Carregar and read, or set
// the parameters and Configurar.

#include <filesystem>
#include <optional>
#include <string>

#include "comum/PastasAplicacao.h"
#include "config/Serial.h"

namespace etiquetas {

// How Configurar ended.
enum class Gravacao {
    Recusada,        // invalid parameters: nothing written, Erro set
    Gravada,         // every key written
    GravadaComErro,  // valid, but some key could not be written
};

class AtualizarConfiguracao {
  public:
    bool LayoutNovo = false;
    // Printer index: 1 Zebra; 0, 2 and 3 Datamax language; other, none.
    int TipoImpressora = 0;
    std::string RaizSecao;  // "": no section of its own
    short margemEsquerda = 0;
    short margemTopo = 0;
    short LarguraEtiqueta = 0;
    short Repeticao = 0;
    std::string CodigoFonte;  // "@": a font chosen by name
    std::string NomeFonte;
    std::string CmdIniciar;
    // Created by Carregar; an object never loaded saves no serial section.
    std::optional<Serial> PortaSerial;

    const std::string& Erro() const { return erro_; }
    bool TemErro() const { return !erro_.empty(); }

    std::string NomeSecao() const;

    // Reads the section. Empty, non-numeric or out-of-range numbers keep
    // what the property held.
    void Carregar(const PastasAplicacao& pastas);
    // Validates and saves; every key is attempted even after one fails, so
    // that as much as possible is saved.
    Gravacao Configurar(const PastasAplicacao& pastas);
    // Brings the section back to what the installation shipped: the keys
    // of the section are copied from the pristine layout file shipped with
    // the layout file. False (Erro set) when that copy is missing or the
    // layout file cannot be written.
    bool Restaurar(const PastasAplicacao& pastas);

  private:
    bool ValidarParametros();
    bool gravarParametros(const PastasAplicacao& pastas) const;
    bool gravarPortaSerial(const PastasAplicacao& pastas) const;
    void carregarPortaSerial(const PastasAplicacao& pastas);

    std::string erro_;
};

// The layout file as the installation shipped it, never written.
inline constexpr const char* kArquivoLayoutOriginal = "\\QuelmonteEtiqueta.original.ini";
inline constexpr const char* kSecaoPortaSerial = "PortaSerial";
inline constexpr const char* kMensagemGravacaoComErro =
    "Alterações salvas com erro, verifique com a Quelmonte como realizar a atualização do "
    "arquivo de configuração!";

}  // namespace etiquetas
