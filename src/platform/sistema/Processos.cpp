#include "platform/sistema/Processos.h"

#include <algorithm>

#include "comum/Texto.h"
#include "platform/sistema/ArgumentosLote.h"

namespace etiquetas {

namespace detalhe {

void ErroPadraoLimitado::acrescentar(const char* dados, std::size_t n) {
    const std::size_t cabe = kLimiteErroPadrao - std::min(kLimiteErroPadrao, texto_.size());
    texto_.append(dados, std::min(n, cabe));
}

namespace {

std::string citadoParaWindows(const std::string& argumento) {
    if (!argumento.empty() && argumento.find_first_of(" \t\n\v\"") == std::string::npos)
        return argumento;
    std::string citado = "\"";
    std::size_t barras = 0;
    for (char c : argumento) {
        if (c == '\\') {
            ++barras;
            continue;
        }
        // Backslashes count as escapes only before a quote.
        citado.append(c == '"' ? barras * 2 + 1 : barras, '\\');
        citado += c;
        barras = 0;
    }
    citado.append(barras * 2, '\\');
    return citado + '"';
}

}  // namespace

std::string linhaDeComandoWindows(const std::string& programa,
                                  const std::vector<std::string>& argumentos) {
    std::string linha = citadoParaWindows(programa);
    for (const auto& a : argumentos) linha += ' ' + citadoParaWindows(a);
    return linha;
}

LinhaLote linhaDeComandoLote(const std::string& script,
                             const std::vector<std::string>& argumentos) {
    LinhaLote resultado;
    if (auto c = caractereRecusadoPeloLote(script)) {
        resultado.recusa = mensagemValorRecusadoPeloLote(utf8ParaCp1252(script), *c);
        return resultado;
    }
    std::string linha = '"' + script + '"';
    for (const auto& a : argumentos) {
        if (auto c = caractereRecusadoPeloLote(a)) {
            resultado.recusa = mensagemValorRecusadoPeloLote(utf8ParaCp1252(a), *c);
            return resultado;
        }
        linha += ' ' + (loteExigeAspas(a) ? '"' + a + '"' : a);
    }
    resultado.linha = std::move(linha);
    return resultado;
}

}  // namespace detalhe

}  // namespace etiquetas
