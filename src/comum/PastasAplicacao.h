#pragma once

// Where the application's files live. A portable copy, the build tree and
// --pasta keep everything in one folder, the program's, as installations
// always had it. An installed program cannot write beside itself: it reads
// what it ships from its data folder and writes what a user changes in
// folders of the user's own. Decided once at start-up and passed down.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace etiquetas {

struct PastasAplicacao {
    PastasAplicacao() = default;
    // Everything in one folder: --pasta, a portable copy, the build tree. Not
    // explicit: a single folder is a complete set.
    PastasAplicacao(std::filesystem::path unica);  // NOLINT(google-explicit-constructor)
    PastasAplicacao(std::filesystem::path dados, std::filesystem::path configuracao,
                    std::filesystem::path estado, std::filesystem::path administracao);

    std::filesystem::path dados;          // shipped: templates, tables, test files, layout file
    std::filesystem::path configuracao;   // the personal file, the user's copy of the layout file
    std::filesystem::path estado;         // spool files, TXT exports
    std::filesystem::path administracao;  // a print script here replaces the shipped one
    // The user's own data folder, whatever the others: the print history
    // belongs to the person, not to a copy of the program. Empty: unknown.
    std::filesystem::path historico;

    bool unica() const { return configuracao == dados && estado == dados; }
};

// An INI file of the configuration folder (`nome` as kArquivoLayout) as it
// reads now: the user's copy, or the shipped one while there is none.
std::filesystem::path arquivoConfiguracaoLeitura(const PastasAplicacao& pastas,
                                                 std::string_view nome);
// The user's copy to write into; the first time it starts as a copy of the
// shipped file. Nothing when that copy cannot be made.
std::optional<std::filesystem::path> arquivoConfiguracaoGravacao(const PastasAplicacao& pastas,
                                                                 std::string_view nome);

// The print script to run: the administrator's when there is one.
std::filesystem::path scriptImpressao(const PastasAplicacao& pastas);

// The system's folders for a user's settings and state (XDG on Linux,
// %APPDATA% and %LOCALAPPDATA% on Windows); empty when unknown.
struct PastasUsuario {
    std::filesystem::path configuracao;
    std::filesystem::path estado;
    std::filesystem::path dados;  // XDG data home; %LOCALAPPDATA% on Windows
};

// The history's folder under the user's data folder; empty when unknown.
std::filesystem::path pastaHistorico(const PastasUsuario& usuario);

// How the program was found on this machine.
struct Instalacao {
    std::filesystem::path programa;  // the folder of the executable
    bool programaGravavel = false;
    PastasUsuario usuario;
};

struct LocalizacaoPastas {
    std::optional<PastasAplicacao> pastas;
    std::string erro;  // why there are none, for the user
};

// The folders of this installation: the program's own folder when it holds
// the shipped files and can be written; otherwise the shipped files where
// they are (beside the program, or in share/etiquetas of a package) and the
// user's folders, created here. A program without its files nearby keeps
// its own folder, as before.
LocalizacaoPastas localizarPastas(const Instalacao& instalacao);

}  // namespace etiquetas
