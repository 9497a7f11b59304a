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
// "?"), whatever the system's own encoding of paths: for messages and labels,
// never to open the file again.
std::string textoDoCaminho(const std::filesystem::path& caminho);

// A path as UTF-8 and back: every name the file system can hold, on every
// system (the command line and a program's arguments carry these).
std::string utf8DoCaminho(const std::filesystem::path& caminho);
std::filesystem::path caminhoDoUtf8(const std::string& utf8);

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> lerArquivo(const std::filesystem::path& caminho);

// Writes the bytes to a temporary file beside the target and renames it over
// the target. Returns false (and leaves the old file as it was) on failure.
bool gravarArquivoAtomico(const std::filesystem::path& caminho, std::string_view conteudo);

// A name beside `destino` for a temporary file of this writer alone
// ("<destino>.<random>.tmp~"): two processes writing the same target never
// share one.
std::filesystem::path caminhoTemporario(const std::filesystem::path& destino);

// Gives `temporario` the name `destino` only if no entry of that name exists
// (without regard to case): false then, and `temporario` stays where it was.
bool moverSemSubstituir(const std::filesystem::path& temporario,
                        const std::filesystem::path& destino);

// Overwrites the file in place (create when missing) and truncates it to the
// new length: far cheaper than truncate-then-write for files rewritten for
// every label. Returns false on failure.
bool regravarArquivo(const std::filesystem::path& caminho, std::string_view conteudo);

}  // namespace etiquetas
