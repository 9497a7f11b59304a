#include "comum/Texto.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace etiquetas {

namespace {

// Code points of bytes 0x80..0x9F in Windows-1252; 0 where the byte is unused.
constexpr std::array<char32_t, 32> kFaixa80{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// How often a byte turns up in a label template, roughly: token delimiters
// and blanks everywhere, digits and commas in every coordinate, the command
// letters in every field; lower case only in names and text.
constexpr std::array<std::uint8_t, 256> frequenciasEmModelo() {
    std::array<std::uint8_t, 256> f{};
    for (int c = 0; c < 256; ++c) {
        if (c == ':' || c == ' ')
            f[c] = 4;
        else if ((c >= '0' && c <= '9') || c == ',' || c == '^' || c == '~')
            f[c] = 3;
        else if (c >= 'a' && c <= 'z')
            f[c] = 0;
        else
            f[c] = c >= 0x80 ? 0 : 1;
    }
    for (char c : std::string_view("FOSDAXZBYNCGH")) f[static_cast<unsigned char>(c)] = 2;
    return f;
}
constexpr auto kFrequenciaEmModelo = frequenciasEmModelo();

// Every label fills dozens of ":: ... ::" tokens into a template of a few
// kilobytes. The tokens share their delimiters, so a candidate is sought by
// the token's rarest letter, not by its first.
std::size_t procurar(const std::string& texto, std::string_view de, std::size_t desde) {
    const std::size_t m = de.size();
    if (m < 3 || desde > texto.size() || texto.size() - desde < m) return texto.find(de, desde);
    std::size_t ancora = 0;
    for (std::size_t k = 1; k < m; ++k)
        if (kFrequenciaEmModelo[static_cast<unsigned char>(de[k])] <
            kFrequenciaEmModelo[static_cast<unsigned char>(de[ancora])])
            ancora = k;
    // Where the anchor of a match can lie.
    const char* p = texto.data() + desde + ancora;
    const char* const fim = texto.data() + texto.size() - m + 1 + ancora;
    while (p < fim) {
        p = static_cast<const char*>(std::memchr(p, de[ancora], static_cast<std::size_t>(fim - p)));
        if (!p) return std::string::npos;
        const char* const inicio = p - ancora;
        if (inicio[0] == de[0] && inicio[m - 1] == de[m - 1] &&
            std::memcmp(inicio + 1, de.data() + 1, m - 2) == 0)
            return static_cast<std::size_t>(inicio - texto.data());
        ++p;
    }
    return std::string::npos;
}

char32_t pontoDoByte(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kFaixa80[b - 0x80] ? kFaixa80[b - 0x80] : b;
    return b;
}

char byteDoPonto(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kFaixa80.size(); ++i)
        if (kFaixa80[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

void anexarUtf8(std::string& saida, char32_t cp) {
    if (cp < 0x80) {
        saida += static_cast<char>(cp);
    } else if (cp < 0x800) {
        saida += static_cast<char>(0xC0 | (cp >> 6));
        saida += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        saida += static_cast<char>(0xE0 | (cp >> 12));
        saida += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        saida += static_cast<char>(0xF0 | (cp >> 18));
        saida += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        saida += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

unsigned char maiusculaByte(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 16;  // š œ ž
    if (c == 0xFF) return 0x9F;                              // ÿ
    return c;
}

unsigned char minusculaByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
    if (c == 0x9F) return 0xFF;
    return c;
}

// Copies the run of ASCII from `i`, the same in both encodings and most of
// any text, whole; where it ends.
std::size_t anexarAscii(std::string& saida, std::string_view texto, std::size_t i) {
    std::size_t j = i;
    while (j < texto.size() && static_cast<unsigned char>(texto[j]) < 0x80) ++j;
    saida.append(texto.substr(i, j - i));
    return j;
}

}  // namespace

std::string utf8ParaCp1252(std::string_view utf8) {
    std::string saida;
    saida.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if ((i = anexarAscii(saida, utf8, i)) == utf8.size()) break;
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int extra = (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= utf8.size()) {
            saida += '?';
            ++i;
            continue;
        }
        char32_t cp = b & (0x3F >> extra);
        bool valido = true;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) valido = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!valido) {
            saida += '?';
            ++i;
            continue;
        }
        saida += byteDoPonto(cp);
        i += extra + 1;
    }
    return saida;
}

std::string cp1252ParaUtf8(std::string_view cp1252) {
    std::string saida;
    saida.reserve(cp1252.size() + cp1252.size() / 8);
    for (std::size_t i = 0; i < cp1252.size();) {
        if ((i = anexarAscii(saida, cp1252, i)) == cp1252.size()) break;
        anexarUtf8(saida, pontoDoByte(static_cast<unsigned char>(cp1252[i++])));
    }
    return saida;
}

std::string latin1ParaCp1252(std::string_view latin1) {
    std::string saida(latin1);
    // Latin-1 control codes 0x80..0x9F have no printable meaning; the
    // printable range is identical in both.
    for (char& c : saida) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) c = '?';
    }
    return saida;
}

std::string aparar(std::string_view texto) {
    const auto inicio = texto.find_first_not_of(' ');
    if (inicio == std::string_view::npos) return {};
    const auto fim = texto.find_last_not_of(' ');
    return std::string(texto.substr(inicio, fim - inicio + 1));
}

std::string semEspacos(std::string_view texto) {
    std::string saida;
    for (char c : texto)
        if (c != ' ') saida += c;
    return saida;
}

std::string maiusculas(std::string_view texto) {
    std::string saida(texto);
    for (char& c : saida) c = static_cast<char>(maiusculaByte(static_cast<unsigned char>(c)));
    return saida;
}

std::string minusculas(std::string_view texto) {
    std::string saida(texto);
    for (char& c : saida) c = static_cast<char>(minusculaByte(static_cast<unsigned char>(c)));
    return saida;
}

bool iguaisSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (maiusculaByte(static_cast<unsigned char>(a[i])) !=
            maiusculaByte(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string esquerda(std::string_view texto, std::size_t n) {
    return std::string(texto.substr(0, n));
}

std::string direita(std::string_view texto, std::size_t n) {
    return std::string(n >= texto.size() ? texto : texto.substr(texto.size() - n));
}

void substituirTodos(std::string& texto, std::string_view de, std::string_view para) {
    if (de.empty()) return;
    std::size_t pos = procurar(texto, de, 0);
    if (pos == std::string::npos) return;
    if (para.size() <= de.size()) {
        // In place: what is written never passes what is still to be read.
        char* const d = texto.data();
        std::size_t escrito = pos, inicio = pos;
        for (; pos != std::string::npos; pos = procurar(texto, de, inicio)) {
            std::memmove(d + escrito, d + inicio, pos - inicio);
            escrito += pos - inicio;
            std::memmove(d + escrito, para.data(), para.size());
            escrito += para.size();
            inicio = pos + de.size();
        }
        std::memmove(d + escrito, d + inicio, texto.size() - inicio);
        texto.resize(escrito + texto.size() - inicio);
        return;
    }
    // A label's text is rebuilt dozens of times: the buffer is kept, unless
    // it grew large.
    constexpr std::size_t kBufferGuardado = 1 << 20;
    thread_local std::string saida;
    saida.clear();
    std::size_t inicio = 0;
    for (; pos != std::string::npos; pos = procurar(texto, de, inicio)) {
        saida.append(texto, inicio, pos - inicio);
        saida.append(para);
        inicio = pos + de.size();
    }
    saida.append(texto, inicio);
    texto.swap(saida);
    if (saida.capacity() > kBufferGuardado) std::string().swap(saida);
}

std::optional<double> valorNumerico(std::string_view texto) {
    std::string limpo = aparar(texto);
    if (limpo.empty()) return std::nullopt;
    std::size_t i = 0;
    bool negativo = false;
    if (limpo[0] == '+' || limpo[0] == '-') {
        negativo = limpo[0] == '-';
        ++i;
    }
    bool temDigito = false, temMarca = false;
    std::string normal;
    for (; i < limpo.size(); ++i) {
        const char c = limpo[i];
        if (c >= '0' && c <= '9') {
            temDigito = true;
            normal += c;
        } else if ((c == '.' || c == ',') && !temMarca) {
            temMarca = true;
            normal += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!temDigito) return std::nullopt;
    double valor = 0;
    const auto r = std::from_chars(normal.data(), normal.data() + normal.size(), valor);
    if (r.ec != std::errc{} || !std::isfinite(valor)) return std::nullopt;
    return negativo ? -valor : valor;
}

std::optional<long long> valorInteiro(std::string_view texto) {
    std::string limpo = aparar(texto);
    if (limpo.empty()) return std::nullopt;
    const char* inicio = limpo.data();
    if (*inicio == '+') ++inicio;
    long long valor = 0;
    const auto r = std::from_chars(inicio, limpo.data() + limpo.size(), valor);
    if (r.ec != std::errc{} || r.ptr != limpo.data() + limpo.size()) return std::nullopt;
    return valor;
}

std::string formatarInteiro(long long numero, std::string_view figura) {
    const bool negativo = numero < 0;
    const unsigned long long absoluto =
        negativo ? 0ULL - static_cast<unsigned long long>(numero) : numero;
    std::string digitos = std::to_string(absoluto);
    if (digitos.size() < figura.size()) digitos.insert(0, figura.size() - digitos.size(), '0');
    return negativo ? "-" + digitos : digitos;
}

std::string milhares(long long n) {
    const std::string digitos = std::to_string(n < 0 ? -n : n);
    std::string texto = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0) texto += '.';
        texto += digitos[i];
    }
    return texto;
}

std::string formatarNumero(std::string_view texto, std::string_view figura) {
    const auto valor = valorNumerico(texto);
    if (!valor || std::fabs(*valor) > 9.2e18) return std::string(texto);
    return formatarInteiro(static_cast<long long>(std::llround(*valor)), figura);
}

std::string textoVersao(const Versao& versao) {
    return std::to_string(versao.major) + "." + std::to_string(versao.minor) + ".0." +
           std::to_string(versao.revisao);
}

}  // namespace etiquetas
