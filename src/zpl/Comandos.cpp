#include "zpl/Comandos.h"

#include <algorithm>
#include <array>

namespace etiquetas::zpl {

namespace {

bool ehPrefixo(char c) {
    return c == '^' || c == '~';
}
bool ehFimDeLinha(char c) {
    return c == '\r' || c == '\n';
}

// Command names are ASCII: no locale is asked.
char maiuscula(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
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

enum class Classe : unsigned char { Outro, Prefixo, FimDeLinha };

constexpr std::array<Classe, 256> classes() {
    std::array<Classe, 256> c{};
    c['^'] = c['~'] = Classe::Prefixo;
    c['\r'] = c['\n'] = Classe::FimDeLinha;
    return c;
}
constexpr auto kClasse = classes();

// Line ends are dropped: what lies between them is appended whole.
std::size_t lerParametros(std::string_view spool, std::size_t i, Comando& comando) {
    for (;;) {
        const std::size_t inicio = i;
        Classe classe = Classe::Outro;
        while (i < spool.size() &&
               (classe = kClasse[static_cast<unsigned char>(spool[i])]) == Classe::Outro)
            ++i;
        comando.parametros.append(spool.substr(inicio, i - inicio));
        if (i == spool.size() || classe == Classe::Prefixo) return i;
        ++i;  // a line end
    }
}

}  // namespace

std::size_t inicioDosComandos(std::string_view spool, std::size_t desde) {
    std::size_t i = desde;
    while (i < spool.size() && !ehPrefixo(spool[i])) ++i;
    return i;
}

bool temTexto(std::string_view texto) {
    return texto.find_first_not_of(" \t\r\n\v\f") != std::string_view::npos;
}

std::size_t lerComando(std::string_view spool, std::size_t i, Comando& comando) {
    comando.prefixo = spool[i];
    comando.nome.clear();
    comando.parametros.clear();
    comando.posicao = i;
    comando.truncado = false;
    i = lerNome(spool, i + 1, comando);
    return lerParametros(spool, i, comando);
}

std::vector<std::string> dividirParametros(std::string_view parametros) {
    std::vector<std::string> r;
    dividirParametros(parametros, r);
    return r;
}

void dividirParametros(std::string_view parametros, std::vector<std::string>& r) {
    r.resize(static_cast<std::size_t>(std::count(parametros.begin(), parametros.end(), ',')) + 1);
    std::size_t i = 0;
    for (auto& parametro : r) {
        const std::size_t virgula = std::min(parametros.find(',', i), parametros.size());
        parametro.assign(parametros.substr(i, virgula - i));
        i = virgula + 1;
    }
}

std::string rotulo(const Comando& comando) {
    return comando.prefixo + comando.nome;
}

void rotular(std::string& rotulo, const Comando& comando) {
    rotulo.assign(1, comando.prefixo).append(comando.nome);
}

}  // namespace etiquetas::zpl
