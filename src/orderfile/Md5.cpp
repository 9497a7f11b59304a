#include "orderfile/Md5.h"

#ifdef _WIN32
#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>
#else
#include <openssl/evp.h>
#endif

#include <algorithm>
#include <stdexcept>

#include "comum/Texto.h"

namespace etiquetas {

namespace {

constexpr std::size_t kBytesMd5 = 16;

std::string emHexadecimal(const unsigned char* bytes, std::size_t n) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string saida;
    saida.reserve(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        saida += kHex[bytes[i] >> 4];
        saida += kHex[bytes[i] & 0x0F];
    }
    return saida;
}

[[noreturn]] void md5Indisponivel() {
    throw std::runtime_error("MD5 indisponível na biblioteca de criptografia");
}

#ifdef _WIN32
// Windows' own CNG: no cryptographic library to ship with the program.
void calcular(std::string_view texto, unsigned char (&digesto)[kBytesMd5]) {
    BCRYPT_ALG_HANDLE algoritmo = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algoritmo, BCRYPT_MD5_ALGORITHM, nullptr, 0)))
        md5Indisponivel();
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool certo = BCRYPT_SUCCESS(BCryptCreateHash(algoritmo, &hash, nullptr, 0, nullptr, 0, 0));
    // BCryptHashData takes a ULONG length: feed large inputs in pieces.
    for (std::size_t feito = 0; certo && feito < texto.size();) {
        const ULONG parte =
            static_cast<ULONG>(std::min<std::size_t>(texto.size() - feito, 1u << 30));
        auto* dados = reinterpret_cast<PUCHAR>(const_cast<char*>(texto.data() + feito));
        certo = BCRYPT_SUCCESS(BCryptHashData(hash, dados, parte, 0));
        feito += parte;
    }
    certo = certo && BCRYPT_SUCCESS(BCryptFinishHash(hash, digesto, kBytesMd5, 0));
    if (hash) BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algoritmo, 0);
    if (!certo) md5Indisponivel();
}
#else
void calcular(std::string_view texto, unsigned char (&digesto)[kBytesMd5]) {
    unsigned char saida[EVP_MAX_MD_SIZE];
    unsigned int tamanho = 0;
    if (EVP_Digest(texto.data(), texto.size(), saida, &tamanho, EVP_md5(), nullptr) != 1 ||
        tamanho != kBytesMd5)
        md5Indisponivel();
    std::copy(saida, saida + kBytesMd5, digesto);
}
#endif

}  // namespace

std::string CalcularMD5(std::string_view texto) {
    unsigned char digesto[kBytesMd5];
    calcular(texto, digesto);
    return emHexadecimal(digesto, kBytesMd5);
}

std::string digestoDaVersao(const Versao& versao) {
    return CalcularMD5(textoVersao(versao));
}

}  // namespace etiquetas
