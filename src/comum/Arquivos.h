#pragma once

// Files of the application folder. Names are matched without regard to case
// ("SpoolEtq.PRN" and "SpoolEtq.prn" are one file), as on the system the
// installations come from; writes never leave a half-written file behind.

#include <cstdint>
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

// The most a file of each kind may hold: what is larger is refused before it
// is read, so a hostile file (or a link to a device) cannot fill the memory.
// Templates (a graphic may be embedded) and the Datamax set-up.
inline constexpr std::uintmax_t kLimiteModelo = 1u << 20;
inline constexpr std::uintmax_t kLimiteIni = 1u << 20;
inline constexpr std::uintmax_t kLimiteTabela = 1u << 20;
inline constexpr std::uintmax_t kLimiteSpool = 64u << 20;     // a spool drawn by the preview
inline constexpr std::uintmax_t kLimitePedidos = 256u << 20;  // order files
// Files of the program's own making (exports, the print lock), read back.
inline constexpr std::uintmax_t kLimitePadrao = kLimitePedidos;

enum class FalhaLeitura { Nenhuma, Ausente, NaoComum, GrandeDemais, Erro };

struct LeituraArquivo {
    std::string conteudo;
    FalhaLeitura falha = FalhaLeitura::Nenhuma;
    explicit operator bool() const { return falha == FalhaLeitura::Nenhuma; }
};

// The whole file, when it is a regular file (a link to one is followed) of
// at most `limite` bytes; a device, a FIFO or a folder is refused unread.
LeituraArquivo lerArquivoLimitado(const std::filesystem::path& caminho, std::uintmax_t limite);
// The same without the reason.
std::optional<std::string> lerArquivo(const std::filesystem::path& caminho,
                                      std::uintmax_t limite = kLimitePadrao);
// Why: "não existe", "passa do limite de 64 MB", ... (Windows-1252).
std::string motivoFalhaLeitura(FalhaLeitura falha, std::uintmax_t limite);
// "O arquivo X não pôde ser lido: não existe." (Windows-1252).
std::string mensagemFalhaLeitura(const std::filesystem::path& caminho, FalhaLeitura falha,
                                 std::uintmax_t limite);
// What lerArquivoLimitado would find wrong, without reading the file.
FalhaLeitura conferirArquivo(const std::filesystem::path& caminho, std::uintmax_t limite);

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
