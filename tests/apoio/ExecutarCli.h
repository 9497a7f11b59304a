#pragma once

// etiquetas-cli started without a shell, its outputs kept byte for byte.

#include <chrono>
#include <string>
#include <vector>

#include "PastaUnica.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "platform/sistema/Processos.h"

namespace etiquetas::apoio {

struct SaidaCli {
    int codigo = -1;    // exit status; -1 when it did not start or end in time
    std::string erros;  // standard error, as written (UTF-8)
    std::string saida;  // standard output, as written (UTF-8)
};

// Arguments in UTF-8; the limit only catches a hang (long runs under sanitizers are slow).
inline SaidaCli executarCliUtf8(const std::vector<std::string>& argumentos,
                                const std::filesystem::path& programa = ETIQUETAS_CLI) {
    const auto pasta = criarPastaUnica("etiquetas-cli-");
    SaidasProcesso saidas{pasta / "saida", pasta / "erros"};
    const auto r =
        executarProcesso(utf8DoCaminho(programa), argumentos, std::chrono::seconds(240), saidas);
    SaidaCli s{r.iniciou && !r.excedeuLimite ? r.codigoSaida : -1,
               lerArquivo(saidas.erroPadrao).value_or(""),
               lerArquivo(saidas.saidaPadrao).value_or("")};
    if (!r.iniciou) s.erros = r.descricaoFalha;
    std::error_code erro;
    std::filesystem::remove_all(pasta, erro);
    return s;
}

// Arguments in the core's text (Windows-1252), paths through textoDoCaminho.
inline SaidaCli executarCli(const std::vector<std::string>& argumentos,
                            const std::filesystem::path& programa = ETIQUETAS_CLI) {
    std::vector<std::string> utf8;
    for (const auto& a : argumentos) utf8.push_back(cp1252ParaUtf8(a));
    return executarCliUtf8(utf8, programa);
}

}  // namespace etiquetas::apoio
