#include "render/ValoresSeguros.h"

#include "comum/Texto.h"
#include "render/MotorTemplate.h"

namespace etiquetas {

namespace {

bool controle(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool seguroEmCodigoBarras(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return std::string_view(" -./+%$").find(static_cast<char>(c)) != std::string_view::npos;
}

void escaparZpl(std::string& saida, unsigned char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (controle(c)) {
        saida += ' ';
    } else if (c == '^' || c == '~' || c == '\\') {
        saida += '\\';
        saida += kHex[c >> 4];
        saida += kHex[c & 0x0F];
    } else {
        saida += static_cast<char>(c);
    }
}

// What the printer takes as it stands; the rest is escaped or left out.
bool comoEsta(unsigned char c, Linguagem linguagem) {
    return !controle(c) && (linguagem != Linguagem::Zebra || (c != '^' && c != '~' && c != '\\'));
}

}  // namespace

std::string valorTexto(std::string_view valor, Linguagem linguagem) {
    std::string saida;
    saida.reserve(valor.size());
    // Runs of plain characters, most of any value, go across whole.
    for (std::size_t i = 0; i < valor.size();) {
        std::size_t j = i;
        while (j < valor.size() && comoEsta(static_cast<unsigned char>(valor[j]), linguagem)) ++j;
        saida.append(valor.substr(i, j - i));
        if (j == valor.size()) break;
        if (linguagem == Linguagem::Zebra) escaparZpl(saida, static_cast<unsigned char>(valor[j]));
        i = j + 1;
    }
    return saida;
}

std::string valorCodigoBarras(std::string_view valor) {
    std::string saida;
    saida.reserve(valor.size());
    for (const unsigned char c : valor)
        if (seguroEmCodigoBarras(c)) saida += static_cast<char>(c);
    return saida;
}

void preencherTexto(std::string& texto, std::string_view token, std::string_view valor,
                    Linguagem linguagem) {
    substituirTodos(texto, token, valorTexto(valor, linguagem));
}

void preencherTexto(PreenchimentoUnidade& unidade, std::string_view token, std::string_view valor,
                    Linguagem linguagem) {
    unidade.preencher(token, valorTexto(valor, linguagem));
}

}  // namespace etiquetas
