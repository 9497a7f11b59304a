#include "zpl/TextoCampo.h"

#include <algorithm>

#include <cstdint>

#include "comum/Texto.h"

namespace etiquetas::zpl {

namespace {

constexpr std::uint16_t kPagina850[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

int valorHexadecimal(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void acrescentarUtf8(std::string& saida, std::uint32_t c) {
    if (c < 0x80) {
        saida += static_cast<char>(c);
    } else if (c < 0x800) {
        saida += static_cast<char>(0xC0 | (c >> 6));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        saida += static_cast<char>(0xE0 | (c >> 12));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string pagina850(std::string_view bytes, std::vector<std::string>& avisos) {
    std::string saida;
    bool alterou = false;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            saida += c;
            continue;
        }
        acrescentarUtf8(saida, kPagina850[b - 0x80]);
        alterou = true;
    }
    if (alterou)
        avisos.push_back(
            "caracteres acima de 127 sem ^CI27: a impressora os imprime da página 850 (\"" +
            std::string(bytes) + "\")");
    return saida;
}

// A printer given broken UTF-8 prints nothing sensible for it; the preview
// shows a replacement mark and says so.
bool utf8Valido(std::string_view texto) {
    for (std::size_t i = 0; i < texto.size();) {
        const auto b = static_cast<unsigned char>(texto[i]);
        const int seguintes = b < 0x80             ? 0
                              : (b & 0xE0) == 0xC0 ? 1
                              : (b & 0xF0) == 0xE0 ? 2
                              : (b & 0xF8) == 0xF0 ? 3
                                                   : -1;
        if (seguintes < 0 || texto.size() - i <= static_cast<std::size_t>(seguintes)) return false;
        for (int k = 1; k <= seguintes; ++k)
            if ((static_cast<unsigned char>(texto[i + k]) & 0xC0) != 0x80) return false;
        i += seguintes + 1;
    }
    return true;
}

}  // namespace

std::string decodificarHexadecimal(std::string_view dados, char indicador,
                                   std::vector<std::string>& avisos) {
    std::string saida;
    saida.reserve(dados.size());
    for (std::size_t i = 0; i < dados.size(); ++i) {
        if (dados[i] != indicador) {
            // Up to the next indicator at once: most data has none.
            const std::size_t proximo = std::min(dados.find(indicador, i), dados.size());
            saida.append(dados.substr(i, proximo - i));
            i = proximo - 1;
            continue;
        }
        const int alto = i + 1 < dados.size() ? valorHexadecimal(dados[i + 1]) : -1;
        const int baixo = i + 2 < dados.size() ? valorHexadecimal(dados[i + 2]) : -1;
        if (alto < 0 || baixo < 0) {
            avisos.push_back(std::string("^FH: \"") + indicador +
                             "\" sem dois dígitos hexadecimais depois; impresso como está");
            saida += dados[i];
            continue;
        }
        saida += static_cast<char>(alto * 16 + baixo);
        i += 2;
    }
    return saida;
}

bool codificacaoConhecida(int codificacao) {
    return (codificacao >= 0 && codificacao <= 13) || codificacao == 27 || codificacao == 28;
}

std::string caracteresImpressos(std::string_view bytes, int codificacao,
                                std::vector<std::string>& avisos) {
    if (codificacao == 28) {
        if (utf8Valido(bytes)) return std::string(bytes);
        avisos.push_back("^CI28: texto que não é UTF-8 válido; impresso como Windows-1252");
        return cp1252ParaUtf8(bytes);
    }
    if (codificacao >= 0 && codificacao <= 13) return pagina850(bytes, avisos);
    return cp1252ParaUtf8(bytes);
}

}  // namespace etiquetas::zpl
