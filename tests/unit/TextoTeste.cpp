#include <gtest/gtest.h>

#include "comum/Texto.h"

using namespace etiquetas;

namespace {
// UTF-8 bytes, whatever the narrow literals' code page is.
std::string u8s(const char8_t* s) {
    return reinterpret_cast<const char*>(s);
}
}  // namespace

TEST(Texto, FiguraDeZerosPreencheNumerosEPassaOResto) {
    const std::vector<std::pair<const char*, const char*>> casos{
        {"12", "0000"},   {" 42 ", "00000"}, {"ABC", "00000"},  {"12A", "0000"},
        {"-300", "0000"}, {"10.7", "000"},   {"123456", "000"}, {"", "0000"}};
    std::string r;
    for (const auto& [texto, figura] : casos) r += "[" + formatarNumero(texto, figura) + "]";
    EXPECT_EQ(r, "[0012][00042][ABC][12A][-0300][011][123456][]");
}

TEST(Texto, ConversaoCp1252IdaEVolta) {
    const std::string utf8 = u8s(u8"Preço AÇÚCAR €");
    const std::string cp = utf8ParaCp1252(utf8);
    EXPECT_EQ(cp, std::string("Pre\xE7o A\xC7\xDA"
                              "CAR \x80"));
    EXPECT_EQ(cp1252ParaUtf8(cp), utf8);
    EXPECT_EQ(utf8ParaCp1252("\xE2\x82"), "??");  // truncated sequence: one mark a byte
    const std::string kanji = u8s(u8"\u65E5");    // not in Windows-1252
    EXPECT_EQ(utf8ParaCp1252(kanji), "?");
    EXPECT_EQ(maiusculas("ação"), "AÇÃO");  // literals are Windows-1252 here
}

// Every strategy against the plain left-to-right replacement.
TEST(Texto, SubstituicaoIgualAReferencia) {
    const auto referencia = [](std::string t, const std::string& de, const std::string& para) {
        for (auto i = t.find(de); i != std::string::npos; i = t.find(de, i + para.size()))
            t.replace(i, de.size(), para);
        return t;
    };
    const std::string modelo =
        "^FO1,2^FD:: COR ::^FS:: COR :::: COR ::x:: CO:: COR ::aaaaabGGGGGGGG_LI__LI_";
    for (const std::string de : {":: COR ::", "aa", "aab", "GGGG", "_LI_", "x", "::", "zz"})
        for (const std::string para : {"", "0", "AZUL", "0000", ":: COR ::", "um valor longo"}) {
            std::string t = modelo;
            substituirTodos(t, de, para);
            EXPECT_EQ(t, referencia(modelo, de, para)) << de << " -> " << para;
        }
}
