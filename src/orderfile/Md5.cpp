#include "orderfile/Md5.h"

#include <openssl/evp.h>

#include <stdexcept>

#include "comum/Texto.h"

namespace etiquetas {

std::string CalcularMD5(std::string_view texto) {
    unsigned char digesto[EVP_MAX_MD_SIZE];
    unsigned int tamanho = 0;
    if (EVP_Digest(texto.data(), texto.size(), digesto, &tamanho, EVP_md5(), nullptr) != 1)
        throw std::runtime_error("MD5 indisponível na biblioteca de criptografia");
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string saida;
    saida.reserve(2 * tamanho);
    for (unsigned int i = 0; i < tamanho; ++i) {
        saida += kHex[digesto[i] >> 4];
        saida += kHex[digesto[i] & 0x0F];
    }
    return saida;
}

std::string digestoDaVersao(const Versao& versao) {
    return CalcularMD5(textoVersao(versao));
}

}  // namespace etiquetas
