// EAN-13, Code 39 and Interleaved 2 of 5: the printer first fits the field
// data to what the symbology carries (dropping, padding, replacing) and says
// nothing; the preview does the same and warns.

#include <zint.h>

#include <cctype>
#include <string>

#include "zpl/CodigoBarras.h"
#include "zpl/SimboloZint.h"

namespace etiquetas::zpl {

namespace {

bool ehDigito(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string apenasDigitos(std::string_view dados, const char* comando,
                          std::vector<std::string>& avisos) {
    std::string r;
    for (char c : dados)
        if (ehDigito(c)) r += c;
    if (r.size() != dados.size())
        avisos.push_back(std::string(comando) +
                         ": caracteres que não são dígitos ficam fora do código (\"" +
                         std::string(dados) + "\")");
    return r;
}

int digitoEan(std::string_view doze) {
    int soma = 0;
    for (std::size_t i = 0; i < doze.size(); ++i) soma += (doze[i] - '0') * (i % 2 ? 3 : 1);
    return (10 - soma % 10) % 10;
}

bool caractereCode39(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           std::string_view("-. $/+%").find(c) != std::string_view::npos;
}

}  // namespace

SimboloLinear ean13(std::string_view dados, const Modulo& modulo,
                    std::vector<std::string>& avisos) {
    std::string digitos = apenasDigitos(dados, "^BE", avisos);
    if (digitos.size() < 12) {
        avisos.push_back("^BE: menos de 12 dígitos; a impressora completa com zeros à esquerda");
        digitos.insert(0, 12 - digitos.size(), '0');
    } else if (digitos.size() > 12) {
        const std::string doze = digitos.substr(0, 12);
        if (digitos.size() > 13 || digitos[12] - '0' != digitoEan(doze))
            avisos.push_back(
                "^BE: só os 12 primeiros dígitos contam; a impressora calcula o "
                "dígito verificador (\"" +
                digitos + "\")");
        digitos = doze;
    }
    SimboloLinear s = simboloZint(BARCODE_EANX, digitos, 0, modulo, avisos);
    s.simbologia = "EAN-13";
    s.dados = digitos + static_cast<char>('0' + digitoEan(digitos));
    s.legenda = s.dados;
    return s;
}

SimboloLinear code39(std::string_view dados, bool comVerificador, const Modulo& modulo,
                     std::vector<std::string>& avisos) {
    std::string validos;
    for (char c : dados)
        if (caractereCode39(c)) validos += c;
    if (validos.size() != dados.size())
        avisos.push_back("^B3: caracteres que o Code 39 não tem ficam fora do código (\"" +
                         std::string(dados) + "\")");
    SimboloLinear s =
        simboloZint({BARCODE_CODE39, validos, comVerificador ? 1 : 0, true}, modulo, avisos);
    s.simbologia = "Code 39";
    s.dados = validos;
    return s;
}

SimboloLinear interleaved2de5(std::string_view dados, bool comVerificador, const Modulo& modulo,
                              std::vector<std::string>& avisos) {
    const std::string digitos = apenasDigitos(dados, "^B2", avisos);
    if ((digitos.size() + (comVerificador ? 1 : 0)) % 2 != 0)
        avisos.push_back(
            "^B2: número ímpar de dígitos; a impressora acrescenta um zero à esquerda");
    SimboloLinear s =
        simboloZint({BARCODE_C25INTER, digitos, comVerificador ? 1 : 0, true}, modulo, avisos);
    s.simbologia = "Interleaved 2 of 5";
    s.dados = s.legenda;
    return s;
}

}  // namespace etiquetas::zpl
