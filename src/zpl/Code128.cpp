// Code 128 as a ZPL printer encodes ^BC field data in its normal mode: the
// subsets and switches written in the data are obeyed, not optimised, so the
// bars differ from what an automatic encoder would choose.

#include <zint.h>

#include <cctype>

#include "zpl/CodigoBarras.h"
#include "zpl/SimboloZint.h"

namespace etiquetas::zpl {

namespace {

// Bar and space widths of the 107 symbol characters (the last is the stop).
constexpr const char* kPadroes[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

constexpr int kFnc3 = 96, kFnc2 = 97, kShift = 98, kCodeC = 99, kCodeB = 100, kCodeA = 101,
              kFnc1 = 102, kStartA = 103, kStartB = 104, kStartC = 105, kStop = 106;

enum class Subconjunto { A, B, C };

struct Codificacao {
    explicit Codificacao(std::vector<std::string>& a) : avisos(a) {}
    Subconjunto subconjunto = Subconjunto::B;
    bool deslocado = false;  // the next character comes from the other of A and B
    std::vector<int> codigos;
    std::string lido;     // what a scanner reads
    std::string legivel;  // the printable part of it
    std::vector<std::string>& avisos;
};

Subconjunto subconjuntoAtual(const Codificacao& c) {
    if (!c.deslocado) return c.subconjunto;
    return c.subconjunto == Subconjunto::A ? Subconjunto::B : Subconjunto::A;
}

void acrescentar(Codificacao& c, int codigo) {
    c.codigos.push_back(codigo);
    c.deslocado = false;
}

bool caractere(Codificacao& c, unsigned char ch) {
    const Subconjunto s = subconjuntoAtual(c);
    if (s == Subconjunto::A && ch < 96) {
        acrescentar(c, ch < 32 ? ch + 64 : ch - 32);
    } else if (s == Subconjunto::B && ch >= 32 && ch < 128) {
        acrescentar(c, ch - 32);
    } else {
        return false;
    }
    c.lido += static_cast<char>(ch);
    if (ch >= 32) c.legivel += static_cast<char>(ch);
    return true;
}

void descartado(Codificacao& c, std::string_view oque) {
    c.avisos.push_back("^BC: " + std::string(oque) +
                       " a impressora não codifica; fica fora do código");
}

// >0 to >8 and >< >= : values the data cannot write directly.
void invocacao(Codificacao& c, char codigo) {
    const Subconjunto s = subconjuntoAtual(c);
    const bool emC = s == Subconjunto::C;
    switch (codigo) {
        case '<':
        case '0':
            if (!emC && caractere(c, '>')) return;
            break;
        case '=':
            if (s == Subconjunto::B && caractere(c, '~')) return;
            break;
        case '1':
            if (!emC) return acrescentar(c, 95);
            break;
        case '2':
            if (!emC) return acrescentar(c, kFnc3);
            break;
        case '3':
            if (!emC) return acrescentar(c, kFnc2);
            break;
        case '4':
            if (!emC) {
                acrescentar(c, kShift);
                c.deslocado = true;
                return;
            }
            break;
        case '5':
            if (!emC) {
                acrescentar(c, kCodeC);
                c.subconjunto = Subconjunto::C;
                return;
            }
            break;
        case '6':
            acrescentar(c, kCodeB);
            if (s != Subconjunto::B) c.subconjunto = Subconjunto::B;
            return;
        case '7':
            acrescentar(c, kCodeA);
            if (s != Subconjunto::A) c.subconjunto = Subconjunto::A;
            return;
        case '8':
            return acrescentar(c, kFnc1);
    }
    descartado(c, std::string("\">") + codigo + "\"");
}

// Digits pair up in subset C; a digit left without a partner before a switch
// or at the end is dropped by the printer, and so is anything not a digit.
std::size_t emSubconjuntoC(Codificacao& c, std::string_view dados, std::size_t i) {
    const auto digito = [&](std::size_t k) {
        return k < dados.size() && std::isdigit(static_cast<unsigned char>(dados[k]));
    };
    if (digito(i) && digito(i + 1)) {
        acrescentar(c, (dados[i] - '0') * 10 + (dados[i + 1] - '0'));
        c.lido += dados.substr(i, 2);
        c.legivel += dados.substr(i, 2);
        return i + 2;
    }
    descartado(c, digito(i) ? std::string("dígito sem par no subconjunto C (\"") + dados[i] + "\")"
                            : std::string("caractere \"") + dados[i] + "\" no subconjunto C");
    return i + 1;
}

std::size_t inicio(Codificacao& c, std::string_view dados) {
    if (dados.size() >= 2 && dados[0] == '>') {
        switch (dados[1]) {
            case '9':
                c.subconjunto = Subconjunto::A;
                c.codigos.push_back(kStartA);
                return 2;
            case ':':
                c.codigos.push_back(kStartB);
                return 2;
            case ';':
                c.subconjunto = Subconjunto::C;
                c.codigos.push_back(kStartC);
                return 2;
        }
    }
    c.codigos.push_back(kStartB);
    return 0;
}

void verificadorEParada(std::vector<int>& codigos) {
    long soma = codigos.front();
    for (std::size_t i = 1; i < codigos.size(); ++i) soma += static_cast<long>(i) * codigos[i];
    codigos.push_back(static_cast<int>(soma % 103));
    codigos.push_back(kStop);
}

int larguraEmModulos(const std::vector<int>& codigos) {
    int largura = 0;
    for (int codigo : codigos)
        for (const char* p = kPadroes[codigo]; *p; ++p) largura += *p - '0';
    return largura;
}

SimboloLinear code128Impressora(std::string_view dados, const Modulo& modulo,
                                std::vector<std::string>& avisos) {
    Codificacao c(avisos);
    c.codigos.reserve(dados.size() + 3);
    c.lido.reserve(dados.size());
    c.legivel.reserve(dados.size());
    std::size_t i = inicio(c, dados);
    while (i < dados.size()) {
        if (dados[i] == '>' && i + 1 < dados.size()) {
            invocacao(c, dados[i + 1]);
            i += 2;
        } else if (subconjuntoAtual(c) == Subconjunto::C) {
            i = emSubconjuntoC(c, dados, i);
        } else {
            if (!caractere(c, static_cast<unsigned char>(dados[i])))
                descartado(c, std::string("caractere \"") + dados[i] + "\"");
            ++i;
        }
    }
    verificadorEParada(c.codigos);
    SimboloLinear s;
    s.simbologia = "Code 128";
    s.dados = std::move(c.lido);
    s.legenda = std::move(c.legivel);
    s.barras = barrasCode128(c.codigos, modulo.largura);
    s.largura = larguraEmModulos(c.codigos) * modulo.largura;
    return s;
}

}  // namespace

std::vector<Barra> barrasCode128(const std::vector<int>& codigos, int modulo) {
    std::vector<Barra> barras;
    barras.reserve(3 * codigos.size() + 1);  // three bars a character, four in the stop
    int x = 0;
    for (int codigo : codigos) {
        const char* padrao = kPadroes[codigo];
        for (int k = 0; padrao[k]; ++k) {
            const int largura = (padrao[k] - '0') * modulo;
            if (k % 2 == 0) barras.push_back({x, largura});
            x += largura;
        }
    }
    return barras;
}

SimboloLinear code128(std::string_view dados, char modo, const Modulo& modulo,
                      std::vector<std::string>& avisos) {
    if (modo == 'N') return code128Impressora(dados, modulo, avisos);
    if (modo != 'A')
        avisos.push_back(std::string("^BC: modo \"") + modo +
                         "\" não simulado; desenhado no modo automático");
    return simboloZint(BARCODE_CODE128, dados, 0, modulo, avisos);
}

}  // namespace etiquetas::zpl
