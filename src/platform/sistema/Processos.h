#pragma once

// Starting a program and waiting for it, and pausing, without any toolkit:
// POSIX and Win32 implementations behind one function. The waits are plain
// and bounded: a run waits on its own thread, never pumping a toolkit.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Plataforma.h"

namespace etiquetas {

// What is kept of a program's standard error: the start of it says why it
// failed; a runaway script must not fill the memory.
inline constexpr std::size_t kLimiteErroPadrao = 64 * 1024;

// Where a program's output goes: standard output is thrown away unless a
// file is named; standard error is read back unless a file is named.
struct SaidasProcesso {
    std::filesystem::path saidaPadrao;
    std::filesystem::path erroPadrao;
};

// Starts `programa` with `argumentos` (no shell in between; texts in UTF-8,
// so that a path reaches the program as the file system names it) and waits
// until it ends. When `limite` passes, the program and everything it started
// are ended and the result says `excedeuLimite`.
ResultadoProcesso executarProcesso(const std::string& programa,
                                   const std::vector<std::string>& argumentos,
                                   std::chrono::milliseconds limite,
                                   const SaidasProcesso& saidas = {});

namespace detalhe {

// Keeps the first kLimiteErroPadrao bytes of what it is given.
class ErroPadraoLimitado {
  public:
    void acrescentar(const char* dados, std::size_t n);
    const std::string& texto() const { return texto_; }

  private:
    std::string texto_;
};

// A command line that the Windows C runtime splits back into exactly these
// arguments (quotes and backslashes by its rules).
std::string linhaDeComandoWindows(const std::string& programa,
                                  const std::vector<std::string>& argumentos);

// The command line of a batch file as cmd reads it: values with blanks or
// command characters in double quotes, the ones cmd would act on even so
// refused (`recusa` says why, `linha` is then empty).
struct LinhaLote {
    std::string linha;
    std::string recusa;
};
LinhaLote linhaDeComandoLote(const std::string& script, const std::vector<std::string>& argumentos);

}  // namespace detalhe

}  // namespace etiquetas
