#include "zpl/Comandos.h"

#include <cctype>

namespace etiquetas::zpl {

namespace {

bool ehPrefixo(char c) {
    return c == '^' || c == '~';
}
bool ehFimDeLinha(char c) {
    return c == '\r' || c == '\n';
}

char maiuscula(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// The name starts right after the prefix; ^A takes only one letter because
// its font name follows without a separator. Line ends are dropped there
// too, as everywhere.
std::size_t lerNome(std::string_view spool, std::size_t i, Comando& comando) {
    for (int lidos = 0; lidos < 2; ++lidos) {
        while (i < spool.size() && ehFimDeLinha(spool[i])) ++i;
        if (i >= spool.size() || ehPrefixo(spool[i])) {
            comando.truncado = true;
            return i;
        }
        comando.nome += maiuscula(spool[i++]);
        if (comando.prefixo == '^' && comando.nome == "A") break;
    }
    return i;
}

std::size_t lerParametros(std::string_view spool, std::size_t i, Comando& comando) {
    for (; i < spool.size() && !ehPrefixo(spool[i]); ++i)
        if (!ehFimDeLinha(spool[i])) comando.parametros += spool[i];
    return i;
}

bool temTexto(std::string_view texto) {
    for (char c : texto)
        if (!std::isspace(static_cast<unsigned char>(c))) return true;
    return false;
}

}  // namespace

Separacao separarComandos(std::string_view spool) {
    Separacao r;
    std::size_t i = 0;
    while (i < spool.size() && !ehPrefixo(spool[i])) ++i;
    if (temTexto(spool.substr(0, i))) r.textoSolto = std::string(spool.substr(0, i));
    while (i < spool.size()) {
        Comando comando;
        comando.prefixo = spool[i];
        comando.posicao = i;
        i = lerNome(spool, i + 1, comando);
        i = lerParametros(spool, i, comando);
        r.comandos.push_back(std::move(comando));
    }
    return r;
}

std::vector<std::string> dividirParametros(std::string_view parametros) {
    std::vector<std::string> r(1);
    for (char c : parametros) {
        if (c == ',')
            r.emplace_back();
        else
            r.back() += c;
    }
    return r;
}

std::string rotulo(const Comando& comando) {
    return comando.prefixo + comando.nome;
}

}  // namespace etiquetas::zpl
