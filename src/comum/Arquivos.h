#pragma once

// Files of the application folder. Names are matched without regard to case
// ("SpoolEtq.PRN" and "SpoolEtq.prn" are one file), as on the system the
// installations come from; writes never leave a half-written file behind.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace etiquetas {

// The path of `nome` in `pasta`: the existing entry whose name matches
// without regard to case, or pasta/nome when there is none. A leading
// backslash or slash in `nome` is ignored.
std::filesystem::path caminhoNaPasta(const std::filesystem::path& pasta, std::string_view nome);

// A path as Windows-1252 text, the core's text (characters it lacks become
// "?"), whatever the system's own encoding of paths.
std::string textoDoCaminho(const std::filesystem::path& caminho);

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> lerArquivo(const std::filesystem::path& caminho);

// Writes the bytes to a temporary file beside the target and renames it over
// the target. Returns false (and leaves the old file as it was) on failure.
bool gravarArquivoAtomico(const std::filesystem::path& caminho, std::string_view conteudo);

// Overwrites the file in place (create when missing) and truncates it to the
// new length: far cheaper than truncate-then-write for files rewritten for
// every label. Returns false on failure.
bool regravarArquivo(const std::filesystem::path& caminho, std::string_view conteudo);

}  // namespace etiquetas
