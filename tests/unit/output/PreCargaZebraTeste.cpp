// The objects downloaded into Zebra printers: well-formed commands a printer can store.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "output/PreCargaZebra.h"

using namespace etiquetas;

namespace {

struct Recurso {
    std::string cabecalho;
    std::vector<std::string> linhas;  // hex lines, CR LF removed
    std::string resto;                // anything else: must stay empty
};

Recurso decompor(std::string_view texto) {
    Recurso r;
    while (!texto.empty() && texto.back() == '\0') texto.remove_suffix(1);
    for (std::size_t fim; (fim = texto.find("\r\n")) != std::string_view::npos;) {
        if (r.cabecalho.empty())
            r.cabecalho = texto.substr(0, fim);
        else
            r.linhas.emplace_back(texto.substr(0, fim));
        texto.remove_prefix(fim + 2);
    }
    r.resto = texto;
    return r;
}

std::optional<std::vector<std::uint8_t>> bytesDoHex(const std::vector<std::string>& linhas) {
    std::vector<std::uint8_t> bytes;
    for (const auto& l : linhas) {
        if (l.size() % 2 || l.find_first_not_of("0123456789ABCDEF") != std::string::npos)
            return std::nullopt;
        for (std::size_t i = 0; i < l.size(); i += 2)
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(l.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::uint32_t grande(const std::vector<std::uint8_t>& b, std::size_t p, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | b.at(p + i);
    return v;
}

}  // namespace

TEST(PreCargaZebra, GraficoDe312Por34PontosEmLinhasDe39Bytes) {
    const Recurso r = decompor(RecursoGraficoZebra());
    EXPECT_EQ(r.resto, "");
    ASSERT_EQ(r.linhas.size(), 34u);
    for (const auto& l : r.linhas) EXPECT_EQ(l.size(), 78u);
    const auto bytes = bytesDoHex(r.linhas);
    ASSERT_TRUE(bytes);
    // Ink at the left (the scissors) and along the right (the cut line).
    std::set<int> colunasComTinta;
    for (std::size_t i = 0; i < bytes->size(); ++i)
        if ((*bytes)[i]) colunasComTinta.insert(static_cast<int>(i % 39));
    EXPECT_TRUE(colunasComTinta.count(0) && colunasComTinta.count(38));
}

// A "~DT" font is a TrueType font below 64 KB; its header states the size.
TEST(PreCargaZebra, FonteTrueTypeDe50966BytesComAsTabelasDentroDoTamanho) {
    const Recurso r = decompor(RecursoFonteZebra());
    EXPECT_EQ(r.resto, "");
    const auto fonte = bytesDoHex(r.linhas);
    ASSERT_TRUE(fonte);
    ASSERT_EQ(fonte->size(), 50966u);
    EXPECT_EQ(grande(*fonte, 0, 4), 0x00010000u) << "TrueType outlines";
    const std::uint32_t tabelas = grande(*fonte, 4, 2);
    std::set<std::string> nomes;
    for (std::uint32_t t = 0; t < tabelas; ++t) {
        const std::size_t p = 12 + 16 * t;
        nomes.insert(std::string(fonte->begin() + p, fonte->begin() + p + 4));
        EXPECT_LE(grande(*fonte, p + 8, 4) + grande(*fonte, p + 12, 4), fonte->size());
    }
    for (const char* exigida : {"cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "name"})
        EXPECT_TRUE(nomes.count(exigida)) << exigida;
}
