#pragma once

// Text inside the core is single-byte Windows-1252, as the printers, the
// templates, the tables and the INI files use it: one character is one byte.
// These helpers are the few string rules that every layer shares.

#include <optional>
#include <string>
#include <string_view>

#include "comum/Versao.h"

namespace etiquetas {

// Conversions at the edges. Characters that Windows-1252 lacks become "?".
std::string utf8ParaCp1252(std::string_view utf8);
std::string cp1252ParaUtf8(std::string_view cp1252);
std::string latin1ParaCp1252(std::string_view latin1);

// Leading and trailing blanks (U+0020 only) removed.
std::string aparar(std::string_view texto);
// Every blank removed.
std::string semEspacos(std::string_view texto);
// Upper case for Windows-1252 letters, accented ones included.
std::string maiusculas(std::string_view texto);
std::string minusculas(std::string_view texto);
bool iguaisSemCaixa(std::string_view a, std::string_view b);

std::string esquerda(std::string_view texto, std::size_t n);
std::string direita(std::string_view texto, std::size_t n);

// Plain, case-sensitive replacement of every occurrence, left to right,
// without rescanning inserted text.
void substituirTodos(std::string& texto, std::string_view de, std::string_view para);

// A number as a person types it: blanks around, an optional sign, digits with
// "." or "," as the decimal mark. Anything else (12A, "", "1e5") is no number.
std::optional<double> valorNumerico(std::string_view texto);
// A whole number only (no decimal part), within 64 bits.
std::optional<long long> valorInteiro(std::string_view texto);

// Zero pictures ("0000", "000000"): a numeric text becomes a whole number
// (rounded half away from zero) with at least as many digits; other text
// passes unchanged.
std::string formatarNumero(std::string_view texto, std::string_view figura);
std::string formatarInteiro(long long numero, std::string_view figura);
// "1.234": thousands with a dot, as the window writes numbers.
std::string milhares(long long numero);

// "major.minor.0.revision", the text the order files' digest is taken of.
std::string textoVersao(const Versao& versao);

}  // namespace etiquetas
