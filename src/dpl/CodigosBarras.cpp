#include "dpl/CodigosBarras.h"

#include <algorithm>
#include <cctype>

namespace etiquetas::dpl {

namespace {

enum class Subconjunto { A, B, C };

bool ehDigito(std::string_view d, std::size_t i) {
    return i < d.size() && std::isdigit(static_cast<unsigned char>(d[i]));
}

// Subset A takes these in place of the control characters it cannot be sent.
char controle(char c) {
    if (c == '`') return 0;
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 1);
    if (c >= '{' && c <= '~') return static_cast<char>(c - '{' + 27);
    if (c == 127) return 31;
    return c;
}

// "&A" to "&G" and the ZPL invocation that writes the same symbol character.
Subconjunto especial(char letra, Subconjunto s, std::string& zpl) {
    static constexpr const char* kInvocacoes[] = {">2", ">3", ">4", ">5", ">6", ">7", ">8"};
    zpl += kInvocacoes[letra - 'A'];
    if (letra == 'D') return Subconjunto::C;
    // &E is CODE B, or FNC4 in subset B; &F is CODE A, or FNC4 in subset A.
    if (letra == 'E') return Subconjunto::B;
    if (letra == 'F') return Subconjunto::A;
    return s;
}

void caractere(char c, Subconjunto s, std::string& zpl) {
    if (s == Subconjunto::A) c = controle(c);
    if (c == '>')
        zpl += ">0";
    else
        zpl += c;
}

std::string semPrefixoBc(std::string aviso, char id) {
    if (aviso.rfind("^B", 0) == 0 && aviso.size() > 4 && aviso[3] == ':')
        aviso.replace(0, 3, std::string("código ") + id);
    return aviso;
}

}  // namespace

std::string code128ComoZpl(std::string_view d) {
    std::string zpl;
    Subconjunto s = Subconjunto::B;
    std::size_t i = 0;
    if (!d.empty() && d[0] >= 'A' && d[0] <= 'C') {
        s = static_cast<Subconjunto>(d[0] - 'A');
        ++i;
    }
    zpl += s == Subconjunto::A ? ">9" : s == Subconjunto::C ? ">;" : ">:";
    while (i < d.size()) {
        if (d[i] == '&' && i + 1 < d.size() && d[i + 1] >= 'A' && d[i + 1] <= 'G') {
            s = especial(d[i + 1], s, zpl);
            i += 2;
        } else if (s == Subconjunto::C && ehDigito(d, i) && ehDigito(d, i + 1)) {
            zpl += d.substr(i, 2);
            i += 2;
        } else if (s == Subconjunto::C && ehDigito(d, i)) {
            zpl += ">6";
            s = Subconjunto::B;
        } else {
            caractere(d[i++], s, zpl);
        }
    }
    return zpl;
}

zpl::SimboloLinear simboloDpl(char id, std::string_view dados, int estreita, int larga,
                              std::vector<std::string>& avisos) {
    const zpl::Modulo modulo{
        estreita, std::clamp(static_cast<double>(larga) / std::max(1, estreita), 2.0, 3.0)};
    std::vector<std::string> doCodificador;
    zpl::SimboloLinear s;
    switch (std::toupper(static_cast<unsigned char>(id))) {
        case 'A':
            s = zpl::code39(dados, false, modulo, doCodificador);
            break;
        case 'D':
            s = zpl::interleaved2de5(dados, false, modulo, doCodificador);
            break;
        case 'J':
            s = zpl::interleaved2de5(dados, true, modulo, doCodificador);
            break;
        case 'E':
            s = zpl::code128(code128ComoZpl(dados), 'N', modulo, doCodificador);
            break;
        case 'F':
            s = zpl::ean13(dados, modulo, doCodificador);
            break;
        default:
            avisos.push_back(std::string("código de barras \"") + id +
                             "\" não simulado; nada desenhado");
            return s;
    }
    for (auto& a : doCodificador) avisos.push_back(semPrefixoBc(std::move(a), id));
    return s;
}

}  // namespace etiquetas::dpl
