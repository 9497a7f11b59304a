#pragma once

// Single keys of the two INI files of the application folder: the layout
// file "QuelmonteEtiqueta.ini" and the personal file "QuelmonteConfig.ini".
// Windows private-profile rules: section and key names match without regard
// to case, anything missing reads as "", values come back cut to 254
// characters, and a write touches only the line of its key.

#include <filesystem>
#include <string>
#include <string_view>

#include "comum/PastasAplicacao.h"

namespace etiquetas {

class AtualizarConfiguracao;

inline constexpr std::string_view kArquivoLayout = "\\QuelmonteEtiqueta.ini";
inline constexpr std::string_view kArquivoPessoal = "\\QuelmonteConfig.ini";

// The longest value a read returns (the original reader's buffer).
inline constexpr std::size_t kTamanhoMaximoValor = 254;

// Any INI file: the value of the key, or "" when the file, the section or
// the key is missing. Reading never creates anything.
std::string lerChaveIni(const std::filesystem::path& arquivo, std::string_view secao,
                        std::string_view chave);
// Writes the key, creating the file, the section or the key when missing;
// every other byte of the file stays as it was. False when the file cannot
// be written, or when a name or the value would break the file's lines.
bool gravarChaveIni(const std::filesystem::path& arquivo, std::string_view secao,
                    std::string_view chave, std::string_view valor);

// The layout file: the user's copy once written, the shipped one before
// (one and the same file when everything is in one folder).
std::string LerArquivoIni(const PastasAplicacao& pastas, std::string_view secao,
                          std::string_view chave);
bool GravarArquivoIni(const PastasAplicacao& pastas, std::string_view secao, std::string_view chave,
                      std::string_view valor);

// The personal file, the same way.
std::string LerArquivoConfig(const PastasAplicacao& pastas, std::string_view secao,
                             std::string_view chave);
bool GravarArquivoConfig(const PastasAplicacao& pastas, std::string_view secao,
                         std::string_view chave, std::string_view valor);

// The section that holds a template's field positions: the name in upper
// case without ".PRN" and ".ZPL".
std::string secaoPosicoes(std::string_view nomeTemplate);

// A field position of the layout file ("xxxxyyyy", printer dots) plus the
// configuration's margins. `chave` names the field and receives the value
// read. A missing or non-numeric half counts as 0 before the margins.
void LerPosicaoTemplate(const AtualizarConfiguracao& cfg, const PastasAplicacao& pastas,
                        std::string_view nomeTemplate, std::string& chave, short& x, short& y);
// The same for a value already read.
void posicaoComMargens(const AtualizarConfiguracao& cfg, std::string_view valor, short& x,
                       short& y);

}  // namespace etiquetas
