#include <gtest/gtest.h>

#include "render/PrecoRelogio.h"

using namespace etiquetas;

// Money values as the watch labels write them: exact, cents cut to two digits.
TEST(PrecoRelogio, ValoresMonetarios) {
    struct Caso {
        const char* texto;
        long long decimosMilesimos;
        const char* produto;  // value text | cents
        const char* parcela;
    };
    for (const auto& c : std::vector<Caso>{{"0,1", 1'000, "0,|10", "0,|01"},
                                           // Past four decimals a half goes to the even neighbour.
                                           {"0,00005", 0, "0,|00", "0,|00"},
                                           {"0,000051", 1, "0,|00", "0,|00"},
                                           {"0,00015", 2, "0,|00", "0,|00"},
                                           {"-10,5", -105'000, "-10,|50", "-1,|05"},
                                           {"+7", 70'000, "7,|00", "0,|70"},
                                           {"922337203685476,9999", 9'223'372'036'854'769'999,
                                            "922337203685476,|99", "92233720368547,|70"}}) {
        const auto valor = valorMonetario(c.texto);
        ASSERT_TRUE(valor) << c.texto;
        EXPECT_EQ(valor->decimosMilesimos, c.decimosMilesimos) << c.texto;
        const auto produto = valorImpresso(*valor);
        const auto parcela = valorImpresso(parcelaDeDez(*valor));
        EXPECT_EQ(produto.inteiros + "|" + produto.centavos, c.produto) << c.texto;
        EXPECT_EQ(parcela.inteiros + "|" + parcela.centavos, c.parcela) << c.texto;
    }
}

TEST(PrecoRelogio, DecimoArredondaMetadeParaOPar) {
    for (const auto& [valor, decimo] : std::vector<std::pair<long long, long long>>{
             {5, 0}, {15, 2}, {25, 2}, {-15, -2}, {16, 2}, {14, 1}, {1'599'000, 159'900}})
        EXPECT_EQ(parcelaDeDez({valor}).decimosMilesimos, decimo) << valor;
}

TEST(PrecoRelogio, TextoQueNaoEValorMonetario) {
    for (const char* texto :
         {"", " ", "R$ 1,00", "1,2,3", "1e3", "12-", "9223372036854775807", "92233720368547758"})
        EXPECT_FALSE(valorMonetario(texto)) << texto;
}
