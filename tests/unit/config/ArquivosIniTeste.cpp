#include <gtest/gtest.h>

#include <map>
#include <random>

#include "PastaTeste.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;
using std::string, std::tuple, std::vector;

namespace {

const string kLayout = "QuelmonteEtiqueta.ini";
const string kExemplo =
    "; layout\r\n[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0002\r\n  Largura = 0400  \r\n\r\n"
    "[QuelmonteEtiqPrecoAdesivaZebra]\r\n;Catalogo=99999999\r\nCatalogo=00300120\r\n"
    "Pre\xE7o=00100010\r\n\r\n[PortaSerial]\r\nPorta=COM1";

}  // namespace

TEST(ArquivosIni, LeituraSemCaixaCortadaEm254SemCriarNada) {
    PastaTeste pasta;
    EXPECT_EQ(LerArquivoIni(pasta, "QuelmonteEtiqPrecoZebra", "Repeticao"), "");
    EXPECT_EQ(pasta.quantosArquivos(), 0u);
    pasta.gravar(kLayout, kExemplo);
    for (const auto& [secao, chave, esperado] : vector<tuple<string, string, string>>{
             {"QUELMONTEETIQPRECOZEBRA", "repeticao", "0002"},
             {"quelmonteetiqprecozebra", "LARGURA", "0400"},
             {"QuelmonteEtiqPrecoAdesivaZebra", "Catalogo", "00300120"},  // not the comment
             {"QuelmonteEtiqPrecoAdesivaZebra", "PREÇO", "00100010"},     // CP1252 upper case
             {"PortaSerial", "Porta", "COM1"},  // last line without a line break
             {"QuelmonteEtiqPrecoZebra", "Catalogo", ""},
             {"SecaoInexistente", "Repeticao", ""}})
        EXPECT_EQ(LerArquivoIni(pasta, secao, chave), esperado) << secao << chave;

    const string longo(300, 'x');
    ASSERT_TRUE(GravarArquivoIni(pasta, "S", "K", longo));
    EXPECT_EQ(LerArquivoIni(pasta, "S", "K"), string(254, 'x'));
    EXPECT_NE(pasta.ler(kLayout).find(longo), string::npos);  // stored whole
}

TEST(ArquivosIni, GravacaoMudaSoALinhaDaChave) {
    PastaTeste pasta;
    const string& a = kExemplo;
    for (const auto& [secao, chave, valor, esperado] :
         vector<tuple<string, string, string, string>>{
             // an existing key keeps its spelling and place; a new one goes after
             // the section's last line, before the blank line
             {"QUELMONTEETIQPRECOZEBRA", "repeticao", "3",
              string(a).replace(a.find("0002"), 4, "3")},
             {"QuelmonteEtiqPrecoZebra", "Largura", "0320",
              string(a).replace(a.find(" 0400  "), 7, "0320")},
             {"QuelmonteEtiqPrecoZebra", "Topo", "2",
              string(a).insert(a.find("\r\n\r\n[QuelmonteEtiqPrecoAdesiva") + 2, "Topo=2\r\n")},
             {"PortaSerial", "BaudeRate", "9600", a + "\r\nBaudeRate=9600\r\n"},
             {"Nova", "Chave", "1", a + "\r\n[Nova]\r\nChave=1\r\n"}}) {
        pasta.gravar(kLayout, kExemplo);
        EXPECT_TRUE(GravarArquivoIni(pasta, secao, chave, valor));
        EXPECT_EQ(pasta.ler(kLayout), esperado) << secao << "/" << chave;
        EXPECT_EQ(pasta.quantosArquivos(), 1u);  // no temporary file left behind
    }
}

TEST(ArquivosIni, GravacaoQueFalhaEDetectadaENadaSePerde) {
    PastaTeste pasta;
    pasta.gravar(kLayout, kExemplo);
    // Names or values that would break the file's lines.
    EXPECT_FALSE(GravarArquivoIni(pasta, "PortaSerial", "Porta", "COM1\r\n[X]"));
    EXPECT_FALSE(GravarArquivoIni(pasta, "Porta]Serial", "Porta", "COM1"));
    EXPECT_FALSE(GravarArquivoIni(pasta, "PortaSerial", "Porta=", "COM1"));
    pasta.gravar("arquivo", "x");  // a folder path that is a regular file
    EXPECT_FALSE(GravarArquivoIni(pasta / "arquivo", "S", "K", "V"));
    std::filesystem::permissions(pasta / kLayout, std::filesystem::perms::owner_read);
    EXPECT_FALSE(GravarArquivoIni(pasta, "QuelmonteEtiqPrecoZebra", "Repeticao", "9"));
    EXPECT_EQ(pasta.ler(kLayout), kExemplo);
}

TEST(ArquivosIni, PosicaoDoTemplateSomaAsMargens) {
    PastaTeste pasta;
    pasta.gravar(kLayout, "[ABC]\r\nCatalogo=00300120\r\nPreco=ABCD0120\r\nCurto=12\r\nG=99999999");
    AtualizarConfiguracao cfg;
    cfg.margemTopo = 2;
    for (auto [nomeTemplate, chave, margem, x, y, lido] :
         vector<tuple<string, string, short, short, short, string>>{
             {"ABC.ZPL", "Catalogo", 5, 35, 122, "00300120"},
             {"abc.prn", "catalogo", 5, 35, 122, "00300120"},
             {"ABC.ZPL", "Preco", 5, 5, 122, "ABCD0120"},  // non-numeric half counts as 0
             {"ABC.ZPL", "Curto", 5, 17, 14, "12"},        // short value: both halves "12"
             {"OUTRO.ZPL", "Catalogo", 5, 5, 2, ""},
             {"ABC", "G", 32000, 32767, 10001, "99999999"}}) {  // no wrapping round 16 bits
        cfg.margemEsquerda = margem;
        short lidoX = -1, lidoY = -1;
        LerPosicaoTemplate(cfg, pasta, nomeTemplate, chave, lidoX, lidoY);
        EXPECT_EQ(tuple(lidoX, lidoY, chave), tuple(x, y, lido)) << nomeTemplate << margem;
    }
}

// Files of every shape (duplicate sections, comments, bare LF, a lone CR at
// the end, byte-order mark): a write changes its own key only, inside one line.
TEST(ArquivosIni, GravacaoEmArquivosSorteadosTocaSoUmaLinha) {
    const vector<string> secoes = {"A", "b", "Seção"}, chaves = {"K1", "k2", "Preço"},
                         pedacos = {"[A]",     "[ b ]", "[SEÇÃO]", "[a]", "K1=um",     " k2 = 2 ",
                                    "PREÇO=3", "K1=",   "; K1=x",  "",    "sem igual", "=x"};
    std::mt19937 sorte(20261206);
    const auto sortear = [&](const vector<string>& v) { return v[sorte() % v.size()]; };
    PastaTeste pasta;
    const auto lerTudo = [&] {
        std::map<string, string> lido;
        for (const auto& s : secoes)
            for (const auto& k : chaves) lido[s + "/" + k] = lerChaveIni(pasta / "t.ini", s, k);
        return lido;
    };
    for (int rodada = 0; rodada < 120; ++rodada) {
        string antes = rodada % 7 ? "" : "\xEF\xBB\xBF";
        for (int i = sorte() % 12; i > 0; --i)
            antes += sortear(pedacos) + (sorte() % 2 ? "\r\n" : "\n");
        if (sorte() % 3 == 0 && !antes.empty()) antes.pop_back();
        pasta.gravar("t.ini", antes);
        auto esperado = lerTudo();
        const string secao = sortear(secoes), chave = sortear(chaves), valor = sortear(chaves);
        ASSERT_TRUE(gravarChaveIni(pasta / "t.ini", secao, chave, valor)) << antes;
        esperado[secao + "/" + chave] = valor;
        EXPECT_EQ(lerTudo(), esperado) << antes;
        const string depois = pasta.ler("t.ini");
        std::size_t p = 0, q = 0;  // common prefix and suffix
        while (p < antes.size() && p < depois.size() && antes[p] == depois[p]) ++p;
        while (p + q < antes.size() && p + q < depois.size() &&
               antes.rbegin()[q] == depois.rbegin()[q])
            ++q;
        EXPECT_EQ(antes.substr(p, antes.size() - p - q).find('\n'), string::npos)
            << antes;  // one line
    }
}

TEST(ArquivosIni, LeituraRepetidaVeAlteracoesDeOutrosProgramas) {
    PastaTeste pasta;
    const auto antigo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (bool assentado : {false, true}) {
        pasta.gravar(kLayout, "[S]\r\nK=0400\r\n");
        if (assentado) std::filesystem::last_write_time(pasta / kLayout, antigo);
        EXPECT_EQ(LerArquivoIni(pasta, "S", "K"), "0400");
        pasta.gravar(kLayout, "[S]\r\nK=0320\r\n");  // same size, at once
        EXPECT_EQ(LerArquivoIni(pasta, "S", "K"), "0320") << assentado;
        ASSERT_TRUE(GravarArquivoIni(pasta, "S", "K", "0100"));
        EXPECT_EQ(LerArquivoIni(pasta, "S", "K"), "0100") << assentado;
    }
}
