#include "render/ParametrosImpressao.h"

#include "comum/Texto.h"

namespace etiquetas {

const char* nomeLinguagem(Linguagem linguagem) {
    switch (linguagem) {
        case Linguagem::Zebra:
            return "Zebra";
        case Linguagem::DataMax:
            return "DataMax";
        case Linguagem::Nenhuma:
            break;
    }
    return "";
}

const char* extensaoLinguagem(Linguagem linguagem) {
    switch (linguagem) {
        case Linguagem::Zebra:
            return ".zpl";
        case Linguagem::DataMax:
            return ".prn";
        case Linguagem::Nenhuma:
            break;
    }
    return "";
}

std::string fabricanteImpressora(const std::string& linhaImpressora) {
    return maiusculas(semEspacos(linhaImpressora.substr(0, linhaImpressora.find(','))));
}

Linguagem linguagemDoFabricante(const std::string& fabricante) {
    if (fabricante == "DATAMAX" || fabricante == "ARGOX" || fabricante == "ELTRON")
        return Linguagem::DataMax;
    if (fabricante == "ZEBRA") return Linguagem::Zebra;
    return Linguagem::Nenhuma;
}

int varianteDoTexto(bool listaVisivel, const std::string& texto) {
    if (!listaVisivel) return 9;
    if (texto == "Etiq.Interna") return 1;
    if (texto == "Etiq.Caixa") return 2;
    if (texto == "Etiqueta ILPN") return 3;
    if (texto == "Etiqueta Volume") return 4;
    return 0;
}

std::string valorVelocidade(const std::string& velocidade, const std::string& fabricante) {
    std::string valor = aparar(velocidade);
    if (valor.empty() && (fabricante == "ARGOX" || fabricante == "DATAMAX")) valor = "C";
    return valor;
}

}  // namespace etiquetas
