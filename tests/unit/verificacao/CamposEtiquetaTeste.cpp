// A text's estimated width, counted eight bytes at a time, against one letter
// at a time: letters of one to four bytes and blanks at every place of the
// eight, and the tail.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "verificacao/CamposEtiqueta.h"

using namespace etiquetas;

TEST(CamposEtiqueta, LarguraEstimadaContaCadaLetraEBranco) {
    const char* pedacos[] = {"A", " ", "ç", "€", "\xC2\xA0", "\xF0\x9F\x98\x80", "\x80", "\xFF"};
    std::mt19937 sorte(7);
    for (int caso = 0; caso < 2000; ++caso) {
        std::string texto;
        const int n = static_cast<int>(sorte() % 30);
        for (int i = 0; i < n; ++i) texto += pedacos[sorte() % std::size(pedacos)];
        long letras = 0, brancos = 0;
        for (char c : texto) {
            letras += (c & 0xC0) != 0x80;
            brancos += c == ' ';
        }
        for (char fonte : {'0', 'A'}) {
            zpl::OpTexto t;
            t.fonte = fonte;
            t.largura = 25;
            t.texto = texto;
            const long avanco = fonte == '0' ? 15 : 25;
            const long esperada = fonte == '0'
                                      ? ((letras - brancos) * 3 * avanco + brancos * avanco) / 3
                                      : letras * avanco;
            ASSERT_EQ(larguraEstimada(t), esperada) << fonte << " \"" << texto << "\"";
        }
    }
}
