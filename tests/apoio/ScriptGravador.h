#pragma once

// A print script that leaves job-n.spool and job-n.args (one argument a line) beside it.

#include <string>

namespace etiquetas::apoio {

inline const std::string kScriptGravador =
    "d=$(dirname \"$0\"); n=$(($(cat \"$d/n\" 2>/dev/null || echo 0) + 1)); echo $n >\"$d/n\"\n"
    "cp \"$1\" \"$d/job-$n.spool\"; printf '%s\\n' \"$@\" >\"$d/job-$n.args\"\n";

// The same for cmd: values echoed through delayed expansion, never run as commands.
inline const std::string kScriptGravadorBat =
    "@echo off\r\nsetlocal DisableDelayedExpansion\r\nset /a N=0\r\n:proximo\r\nset /a N+=1\r\n"
    "if exist \"%~dp0job-%N%.spool\" goto proximo\r\n"
    "copy /b \"%~1\" \"%~dp0job-%N%.spool\" >nul\r\n"
    "set \"A1=%~1\"\r\nset \"A2=%~2\"\r\nset \"A3=%~3\"\r\nset \"A4=%~4\"\r\n"
    "set \"A5=%~5\"\r\nset \"A6=%~6\"\r\nsetlocal EnableDelayedExpansion\r\n"
    ">\"%~dp0job-%N%.args\" echo.!A1!\r\n>>\"%~dp0job-%N%.args\" echo.!A2!\r\n"
    ">>\"%~dp0job-%N%.args\" echo.!A3!\r\n>>\"%~dp0job-%N%.args\" echo.!A4!\r\n"
    ">>\"%~dp0job-%N%.args\" echo.!A5!\r\n>>\"%~dp0job-%N%.args\" echo.!A6!\r\n"
    "endlocal\r\n";

// Batch commands that wait and end processes through the tests' helper (wine lacks both).
inline std::string apoioLote(const std::string& argumentos) {
#ifdef ETIQUETAS_APOIO_LOTE
    std::string caminho = ETIQUETAS_APOIO_LOTE;
    if (caminho.starts_with('/')) caminho = "Z:" + caminho;
    for (char& c : caminho)
        if (c == '/') c = '\\';
    return "\"" + caminho + "\" " + argumentos;
#else
    return "rem " + argumentos;  // batch files run on Windows builds only
#endif
}
inline std::string esperaBat(int segundos) {
    return apoioLote("espera " + std::to_string(segundos));
}
inline std::string encerraBat(const std::string& programa) {
    return apoioLote("encerra " + programa);
}

// This system's print script and the recording one, each job taking `segundos`.
#ifdef _WIN32
inline constexpr const char* kNomeScript = "QuelmonteImprime.bat";
inline std::string scriptGravador(int segundos = 0) {
    return segundos > 0 ? "@" + esperaBat(segundos) + "\r\n" + kScriptGravadorBat
                        : kScriptGravadorBat;
}
#else
inline constexpr const char* kNomeScript = "QuelmonteImprime.sh";
inline std::string scriptGravador(int segundos = 0) {
    return segundos > 0 ? "sleep " + std::to_string(segundos) + "\n" + kScriptGravador
                        : kScriptGravador;
}
#endif

}  // namespace etiquetas::apoio
