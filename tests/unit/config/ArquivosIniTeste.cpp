#include <gtest/gtest.h>

#include <map>
#include <random>

#include "PastaTeste.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;

namespace {

const std::string kLayout = "QuelmonteEtiqueta.ini";

const std::string kArquivoExemplo =
    "; layout das etiquetas\r\n"
    "[QuelmonteEtiqPrecoZebra]\r\n"
    "Repeticao=0002\r\n"
    "  Largura = 0400  \r\n"
    "FonteCodigo=0\r\n"
    "\r\n"
    "[QuelmonteEtiqPrecoAdesivaZebra]\r\n"
    ";Catalogo=99999999\r\n"
    "Catalogo=00300120\r\n"
    "Pre\xE7o=00100010\r\n"
    "\r\n"
    "[PortaSerial]\r\n"
    "Porta=COM1";

}  // namespace

TEST(ArquivosIni, LeSemDiferencaDeCaixaEAparaOValor) {
    PastaTeste pasta;
    pasta.gravar(kLayout, kArquivoExemplo);
    struct Caso {
        const char* secao;
        const char* chave;
        const char* esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {"QuelmonteEtiqPrecoZebra", "Repeticao", "0002"},
             {"QUELMONTEETIQPRECOZEBRA", "repeticao", "0002"},
             {"quelmonteetiqprecozebra", "LARGURA", "0400"},
             {"QUELMONTEETIQPRECOADESIVAZEBRA", "Catalogo", "00300120"},  // not the comment
             {"QuelmonteEtiqPrecoAdesivaZebra", "PREÇO", "00100010"},     // accented, CP1252
             {"PortaSerial", "Porta", "COM1"},  // last line without a line break
             {"QuelmonteEtiqPrecoZebra", "Catalogo", ""},
             {"SecaoInexistente", "Repeticao", ""},
         })
        EXPECT_EQ(LerArquivoIni(pasta.caminho(), c.secao, c.chave), c.esperado)
            << c.secao << "/" << c.chave;
}

TEST(ArquivosIni, LeituraDeArquivoOuSecaoAusenteDaVazioENaoCriaNada) {
    PastaTeste pasta;
    EXPECT_EQ(LerArquivoIni(pasta.caminho(), "QuelmonteEtiqPrecoZebra", "Repeticao"), "");
    EXPECT_EQ(LerArquivoConfig(pasta.caminho(), "ConfigPess", "Impressora"), "");
    EXPECT_EQ(pasta.quantosArquivos(), 0u);

    pasta.gravar(kLayout, kArquivoExemplo);
    EXPECT_EQ(LerArquivoIni(pasta.caminho(), "Nada", "Nada"), "");
    EXPECT_EQ(pasta.ler(kLayout), kArquivoExemplo);
}

TEST(ArquivosIni, ValorLongoVoltaCortadoEm254) {
    PastaTeste pasta;
    const std::string longo(300, 'x');
    ASSERT_TRUE(GravarArquivoIni(pasta.caminho(), "S", "K", longo));
    EXPECT_EQ(LerArquivoIni(pasta.caminho(), "S", "K"), std::string(254, 'x'));
    EXPECT_NE(pasta.ler(kLayout).find(longo), std::string::npos);  // stored whole
}

TEST(ArquivosIni, GravacaoMudaSoALinhaDaChave) {
    PastaTeste pasta;
    struct Caso {
        const char* secao;
        const char* chave;
        const char* valor;
        std::string esperado;
    };
    const std::string& a = kArquivoExemplo;
    for (const auto& c : std::vector<Caso>{
             // existing key: only its value changes, the key keeps its spelling
             {"QUELMONTEETIQPRECOZEBRA", "repeticao", "0003",
              std::string(a).replace(a.find("0002"), 4, "0003")},
             {"QuelmonteEtiqPrecoZebra", "Largura", "0320",
              std::string(a).replace(a.find(" 0400  "), 7, "0320")},
             // new key: after the section's last line, before the blank line
             {"QuelmonteEtiqPrecoZebra", "MargemTopo", "0002",
              std::string(a).insert(a.find("\r\n\r\n[QuelmonteEtiqPrecoAdesiva") + 2,
                                    "MargemTopo=0002\r\n")},
             // new key in a last section whose last line has no break
             {"PortaSerial", "BaudeRate", "9600", a + "\r\nBaudeRate=9600\r\n"},
             // new section at the end
             {"Nova", "Chave", "1", a + "\r\n[Nova]\r\nChave=1\r\n"},
         }) {
        pasta.gravar(kLayout, kArquivoExemplo);
        EXPECT_TRUE(GravarArquivoIni(pasta.caminho(), c.secao, c.chave, c.valor));
        EXPECT_EQ(pasta.ler(kLayout), c.esperado) << c.secao << "/" << c.chave;
        EXPECT_EQ(pasta.quantosArquivos(), 1u);  // no temporary file left behind
    }
}

TEST(ArquivosIni, GravacaoQueFalhaEDetectadaENadaSePerde) {
    PastaTeste pasta;
    pasta.gravar(kLayout, kArquivoExemplo);
    // A file without the owner's write bit is refused.
    std::filesystem::permissions(
        pasta / kLayout, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(GravarArquivoIni(pasta.caminho(), "QuelmonteEtiqPrecoZebra", "Repeticao", "9"));
    EXPECT_EQ(pasta.ler(kLayout), kArquivoExemplo);
    // A folder that cannot hold the file (its path is a regular file).
    pasta.gravar("arquivo", "x");
    EXPECT_FALSE(GravarArquivoIni(pasta / "arquivo", "S", "K", "V"));
    // Values or names that would break the file's lines.
    std::filesystem::permissions(pasta / kLayout, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_FALSE(GravarArquivoIni(pasta.caminho(), "PortaSerial", "Porta", "COM1\r\n[X]"));
    EXPECT_FALSE(GravarArquivoIni(pasta.caminho(), "Porta]Serial", "Porta", "COM1"));
    EXPECT_FALSE(GravarArquivoIni(pasta.caminho(), "PortaSerial", "Porta=", "COM1"));
    EXPECT_EQ(pasta.ler(kLayout), kArquivoExemplo);
}

TEST(ArquivosIni, PosicaoDoTemplateSomaAsMargens) {
    PastaTeste pasta;
    pasta.gravar(kLayout,
                 "[ABC]\r\nCatalogo=00300120\r\nPreco=ABCD0120\r\nCurto=12\r\n"
                 "Grande=99999999\r\n");
    AtualizarConfiguracao cfg;
    cfg.margemEsquerda = 5;
    cfg.margemTopo = 2;
    struct Caso {
        const char* nomeTemplate;
        const char* chave;
        short x, y;
        const char* valorLido;
    };
    for (const auto& c : std::vector<Caso>{
             {"ABC.ZPL", "Catalogo", 35, 122, "00300120"},
             {"abc.prn", "catalogo", 35, 122, "00300120"},
             {"Abc", "Catalogo", 35, 122, "00300120"},
             {"ABC.ZPL", "Preco", 5, 122, "ABCD0120"},  // non-numeric half counts as 0
             {"ABC.ZPL", "Curto", 17, 14, "12"},        // short value: both halves "12"
             {"ABC.ZPL", "Ausente", 5, 2, ""},
             {"OUTRO.ZPL", "Catalogo", 5, 2, ""},
             {"ABC.ZPL", "Grande", 10004, 10001, "99999999"},
         }) {
        std::string chave = c.chave;
        short x = -1, y = -1;
        LerPosicaoTemplate(cfg, pasta.caminho(), c.nomeTemplate, chave, x, y);
        EXPECT_EQ(x, c.x) << c.nomeTemplate << "/" << c.chave;
        EXPECT_EQ(y, c.y) << c.nomeTemplate << "/" << c.chave;
        EXPECT_EQ(chave, c.valorLido);
    }
    // Sums beyond 16 bits stay at the limit instead of wrapping round.
    cfg.margemEsquerda = 32000;
    std::string chave = "Grande";
    short x = 0, y = 0;
    LerPosicaoTemplate(cfg, pasta.caminho(), "ABC", chave, x, y);
    EXPECT_EQ(x, 32767);
}

// Files of every shape (duplicate sections, comments, bare LF, no final line
// break, byte-order mark): a write changes the value of its own key only,
// inside one line, and reads back.
TEST(ArquivosIni, GravacaoEmArquivosVariadosTocaSoUmaLinha) {
    const std::vector<std::string> secoes = {"A", "b", "Seção"};
    const std::vector<std::string> chaves = {"K1", "k2", "Preço"};
    const std::vector<std::string> pedacos = {
        "[A]", "[ b ]",           "[SEÇÃO]", "[a]",       "K1=um", " k2 = dois ", "PREÇO=3",
        "K1=", "; K1=comentario", "",        "sem igual", "  ",    "=sem chave"};
    const std::vector<std::string> quebras = {"\r\n", "\n", "\r\n"};
    const std::vector<std::string> valores = {"1", "0400", "x y", "", "ÇÃ"};
    std::mt19937 sorte(20261206);
    const auto sortear = [&](const auto& v) { return v[sorte() % v.size()]; };
    PastaTeste pasta;
    const auto arquivo = pasta / "t.ini";
    for (int rodada = 0; rodada < 120; ++rodada) {
        std::string original = rodada % 7 == 0 ? "\xEF\xBB\xBF" : "";
        const int linhas = static_cast<int>(sorte() % 12);
        for (int i = 0; i < linhas; ++i) original += sortear(pedacos) + sortear(quebras);
        if (sorte() % 3 == 0 && !original.empty()) original.pop_back();
        pasta.gravar("t.ini", original);
        std::map<std::pair<std::string, std::string>, std::string> antes;
        for (const auto& s : secoes)
            for (const auto& k : chaves) antes[{s, k}] = lerChaveIni(arquivo, s, k);

        const std::string secao = sortear(secoes), chave = sortear(chaves),
                          valor = sortear(valores);
        ASSERT_TRUE(gravarChaveIni(arquivo, secao, chave, valor)) << original;
        const std::string novo = pasta.ler("t.ini");
        EXPECT_EQ(lerChaveIni(arquivo, secao, chave), valor) << original;
        for (const auto& [par, valorAntes] : antes)
            if (par != std::make_pair(secao, chave)) {
                EXPECT_EQ(lerChaveIni(arquivo, par.first, par.second), valorAntes) << original;
            }
        // Only bytes inside one line of the old file were replaced.
        std::size_t prefixo = 0, sufixo = 0;
        while (prefixo < original.size() && prefixo < novo.size() &&
               original[prefixo] == novo[prefixo])
            ++prefixo;
        while (sufixo < original.size() - prefixo && sufixo < novo.size() - prefixo &&
               original[original.size() - 1 - sufixo] == novo[novo.size() - 1 - sufixo])
            ++sufixo;
        EXPECT_EQ(original.substr(prefixo, original.size() - prefixo - sufixo).find('\n'),
                  std::string::npos)
            << original;
    }
}

TEST(ArquivosIni, LeituraRepetidaVeAlteracoesDeOutrosProgramas) {
    PastaTeste pasta;
    const auto antigo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (bool assentado : {false, true}) {
        pasta.gravar(kLayout, "[S]\r\nK=0400\r\n");
        if (assentado) std::filesystem::last_write_time(pasta / kLayout, antigo);
        EXPECT_EQ(LerArquivoIni(pasta.caminho(), "S", "K"), "0400");
        EXPECT_EQ(LerArquivoIni(pasta.caminho(), "S", "K"), "0400");
        pasta.gravar(kLayout, "[S]\r\nK=0320\r\n");  // same size, at once
        EXPECT_EQ(LerArquivoIni(pasta.caminho(), "S", "K"), "0320") << assentado;
        ASSERT_TRUE(GravarArquivoIni(pasta.caminho(), "S", "K", "0100"));
        EXPECT_EQ(LerArquivoIni(pasta.caminho(), "S", "K"), "0100") << assentado;
    }
}
