#include "platform/sistema/ConfiguracaoSerial.h"

#include <sstream>
#include <vector>

#include "comum/Texto.h"

namespace etiquetas {

namespace {

std::vector<std::string> dividir(const std::string& texto, char separador) {
    std::vector<std::string> partes;
    std::stringstream fluxo(texto);
    std::string parte;
    while (std::getline(fluxo, parte, separador)) partes.push_back(aparar(parte));
    return partes;
}

std::optional<Paridade> paridade(const std::string& p) {
    const std::string m = maiusculas(p);
    if (m == "N") return Paridade::Nenhuma;
    if (m == "E") return Paridade::Par;
    if (m == "O") return Paridade::Impar;
    if (m == "M") return Paridade::Marca;
    if (m == "S") return Paridade::Espaco;
    return std::nullopt;
}

std::optional<BitsParada> bitsParada(const std::string& p) {
    if (p == "1") return BitsParada::Um;
    if (p == "1.5" || p == "1,5") return BitsParada::UmEMeio;
    if (p == "2") return BitsParada::Dois;
    return std::nullopt;
}

}  // namespace

std::optional<ConfiguracaoSerial> interpretarConfiguracaoSerial(const std::string& texto) {
    auto partes = dividir(texto, ',');
    // "1,5" stop bits arrive split in two by the comma.
    if (partes.size() == 5 && partes[3] == "1" && partes[4] == "5") {
        partes[3] = "1.5";
        partes.pop_back();
    }
    if (partes.size() != 4) return std::nullopt;
    const auto baud = valorInteiro(partes[0]);
    const auto dados = valorInteiro(partes[2]);
    const auto p = paridade(partes[1]);
    const auto s = bitsParada(partes[3]);
    if (!baud || *baud <= 0 || *baud > 4'000'000 || !dados || *dados < 5 || *dados > 8 || !p || !s)
        return std::nullopt;
    return ConfiguracaoSerial{static_cast<long>(*baud), *p, static_cast<int>(*dados), *s};
}

}  // namespace etiquetas
