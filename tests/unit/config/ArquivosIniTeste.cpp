// The INI files, the layout settings kept in them, and the folders they live in.

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "PastaTeste.h"
#include "comum/Arquivos.h"
#include "comum/PastasAplicacao.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"
#include "render/FamiliasEtiqueta.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;
using std::string, std::tuple, std::vector;
namespace fs = std::filesystem;

namespace {

const string kLayout = "QuelmonteEtiqueta.ini";
const string kExemplo =
    "; layout\r\n[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0002\r\n  Largura = 0400  \r\n\r\n"
    "[QuelmonteEtiqPrecoAdesivaZebra]\r\n;Catalogo=99999999\r\nCatalogo=00300120\r\n"
    "Pre\xE7o=00100010\r\n\r\n[PortaSerial]\r\nPorta=COM1";

AtualizarConfiguracao configuracao(int tipoEtiqueta, int tipoImpressora, bool novo = false) {
    AtualizarConfiguracao c = configuracaoLayout(tipoEtiqueta, tipoImpressora, novo);
    std::tie(c.Repeticao, c.LarguraEtiqueta) = tuple(1, 100);
    return c;
}

auto parametros(const AtualizarConfiguracao& c) {
    return tuple(c.Repeticao, c.LarguraEtiqueta, c.margemEsquerda, c.margemTopo, c.CodigoFonte,
                 c.NomeFonte, c.CmdIniciar);
}

void gravarEm(const fs::path& arquivo, const string& conteudo) {
    fs::create_directories(arquivo.parent_path());
    std::ofstream(arquivo, std::ios::binary) << conteudo;
}

// An installed program: shipped files in one folder, the user's in others.
struct Instalado {
    PastaTeste raiz;
    PastasAplicacao pastas{raiz / "dados", raiz / "config", raiz / "estado", raiz / "etc"};
    Instalado() {
        for (const auto& p : {pastas.dados, pastas.configuracao, pastas.estado})
            fs::create_directories(p);
    }
};

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
             // a key keeps its spelling and place; a new one goes after the section's last line
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
    fs::permissions(pasta / kLayout, fs::perms::owner_read);
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

// Files of every shape: a write changes its own key only, inside one line.
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
    const auto antigo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (bool assentado : {false, true}) {
        pasta.gravar(kLayout, "[S]\r\nK=0400\r\n");
        if (assentado) fs::last_write_time(pasta / kLayout, antigo);
        EXPECT_EQ(LerArquivoIni(pasta, "S", "K"), "0400");
        pasta.gravar(kLayout, "[S]\r\nK=0320\r\n");  // same size, at once
        EXPECT_EQ(LerArquivoIni(pasta, "S", "K"), "0320") << assentado;
        ASSERT_TRUE(GravarArquivoIni(pasta, "S", "K", "0100"));
        EXPECT_EQ(LerArquivoIni(pasta, "S", "K"), "0100") << assentado;
    }
}

// The section names existing layout files rely on, misspellings included.
TEST(AtualizarConfiguracao, NomeDaSecaoPorTipoImpressoraEGeracao) {
    struct Caso {
        int tipo, impressora;
        bool novo;
        string secao;
    };
    const std::vector<Caso> casos{{1, 1, false, "QuelmonteEtiqPrecoZebra"},
                                  {1, 0, true, "QuelmonteEtiqPreco_NOVODatamax"},
                                  {4, 3, false, "QuelmonteEtiqVolumePadraoraoDatamax"},
                                  {9, 2, true, "QuelmonteEtiqPrecoComSem_NOVODatamax"},
                                  {99, 1, false, "QuelmonteEtiqInternaZebra"},
                                  {8, 1, false, "QuelmonteEtiqPrecoOculosZebra"},
                                  {2, -1, false, "QuelmonteEtiqPrecoAdesiva"},
                                  {2, 4, false, "QuelmonteEtiqPrecoAdesiva"},
                                  {10, 1, false, "Zebra"},
                                  {0, 0, true, "_NOVODatamax"}};
    for (const auto& c : casos)
        EXPECT_EQ(configuracao(c.tipo, c.impressora, c.novo).NomeSecao(), c.secao)
            << c.tipo << " " << c.impressora;
}

TEST(AtualizarConfiguracao, CarregarMantemOInvalidoEConfigurarGravaQuatroDigitos) {
    PastaTeste pasta;
    pasta.gravar(kLayout,
                 "[QuelmonteEtiqPrecoDatamax]\r\nRepeticao=\r\nLargura=12A\r\n"
                 "MargemEsquerda=40000\r\nMargemTopo=0007\r\nFonteCodigo=\r\nCmdIniciar=\r\n"
                 "[PortaSerial]\r\nPorta=COM2\r\nBaudeRate=9600\r\nStopBit=300\r\n"
                 "DataBit=sete\r\nParidade=512\r\n");
    auto cfg = configuracao(1, 0);
    std::tie(cfg.margemEsquerda, cfg.CodigoFonte, cfg.NomeFonte, cfg.CmdIniciar) =
        tuple(3, "@", "A.TTF", "antes");
    cfg.Carregar(pasta);
    // Bad values are kept as they were; CmdIniciar is always replaced.
    EXPECT_EQ(parametros(cfg), tuple(1, 100, 3, 7, "@", "A.TTF", ""));
    std::tie(cfg.margemEsquerda, cfg.CmdIniciar) = tuple(-5, "^XA^MNY^XZ");
    ASSERT_EQ(cfg.Configurar(pasta), Gravacao::Gravada);
    EXPECT_EQ(
        pasta.ler(kLayout),
        "[QuelmonteEtiqPrecoDatamax]\r\nRepeticao=0001\r\nLargura=0100\r\n"
        "MargemEsquerda=-0005\r\nMargemTopo=0007\r\nFonteCodigo=@\r\nCmdIniciar=^XA^MNY^XZ\r\n"
        "FonteNome=A.TTF\r\n[PortaSerial]\r\nPorta=COM2\r\nBaudeRate=9600\r\nStopBit=1\r\n"
        "DataBit=8\r\nParidade=512\r\n");
    auto lida = configuracao(1, 0);
    lida.Carregar(pasta);
    EXPECT_EQ(parametros(lida), parametros(cfg));

    // A write that fails is said so, not claimed as a clean save.
    const string gravado = pasta.ler(kLayout);
    fs::permissions(pasta / kLayout, fs::perms::owner_read);
    EXPECT_EQ(cfg.Configurar(pasta), Gravacao::GravadaComErro);
    EXPECT_EQ(pasta.ler(kLayout), gravado);
}

TEST(AtualizarConfiguracao, RestaurarDevolveSoASecaoEscolhidaAoInstalado) {
    PastaTeste pasta;
    pasta.gravar("QuelmonteEtiqueta.original.ini",
                 "[QuelmonteEtiqPrecoDatamax]\r\nLargura=0400\r\n[QuelmonteEtiqPrecoZebra]\r\n"
                 "Largura=0832\r\nFonteNome=ARIAL.FNT\r\n");
    const string alterado = "[QuelmonteEtiqPrecoDatamax]\r\nLargura=0007\r\nMargemTopo=0007\r\n";
    pasta.gravar(kLayout, alterado + "[QuelmonteEtiqPrecoZebra]\r\nLargura=7\r\nMargemTopo=7\r\n");
    auto zebra = configuracao(1, 1);
    ASSERT_TRUE(zebra.Restaurar(pasta)) << zebra.Erro();
    zebra.Carregar(pasta);
    EXPECT_EQ(parametros(zebra), tuple(1, 832, 0, 0, "", "ARIAL.FNT", ""));  // no MargemTopo
    EXPECT_EQ(pasta.ler(kLayout).substr(0, alterado.size()), alterado);

    const string atual = pasta.ler(kLayout);  // without the pristine copy nothing changes
    fs::remove(pasta / "QuelmonteEtiqueta.original.ini");
    EXPECT_FALSE(zebra.Restaurar(pasta));
    EXPECT_TRUE(zebra.TemErro());
    EXPECT_EQ(pasta.ler(kLayout), atual);
}

TEST(PastasAplicacao, LocalizacaoConformeAInstalacao) {
    struct Caso {
        const char* descricao;
        string programa, comDados;  // under the test's root
        bool gravavel, temUsuario;
        string dados, configuracao, administracao;  // "" : no folders
    };
    const Caso casos[] = {
        {"portable copy, build tree", "app", "app", true, true, "app", "app", "app"},
        {"read-only program folder", "app", "app", false, true, "app", "u/config/etiquetas", "app"},
        {"package under /usr", "usr/bin", "usr/share/etiquetas", false, true, "usr/share/etiquetas",
         "u/config/etiquetas", "etc/etiquetas"},
        {"package under another prefix", "opt/bin", "opt/share/etiquetas", true, true,
         "opt/share/etiquetas", "u/config/etiquetas", "opt/etc/etiquetas"},
        {"program without its files keeps its folder", "bin", "outra", false, true, "bin", "bin",
         "bin"},
        {"no user folders to write in", "usr/bin", "usr/share/etiquetas", false, false, "", "",
         ""}};
    for (const Caso& c : casos) {
        PastaTeste raiz;
        gravarEm(raiz / c.comDados / "TB_Impressoras.txt", "ZEBRA,1\r\n");
        fs::create_directories(raiz / c.programa);
        Instalacao instalacao{raiz / c.programa, c.gravavel, {}};
        if (c.temUsuario)
            instalacao.usuario = {raiz / "u" / "config", raiz / "u" / "state",
                                  raiz / "u" / "share"};
        const auto local = localizarPastas(instalacao);
        ASSERT_EQ(local.pastas.has_value(), !c.dados.empty()) << c.descricao;
        if (!local.pastas) {
            EXPECT_NE(local.erro.find("pasta do usuário"), string::npos);
            continue;
        }
        const PastasAplicacao& p = *local.pastas;
        EXPECT_EQ(tuple(p.dados, p.configuracao, p.administracao),
                  tuple(raiz / c.dados, raiz / c.configuracao, raiz / c.administracao))
            << c.descricao;
        EXPECT_EQ(p.unica(), c.dados == c.configuracao) << c.descricao;
        if (!p.unica()) {
            EXPECT_EQ(p.estado, raiz / "u" / "state" / "etiquetas");
            EXPECT_TRUE(fs::is_directory(p.configuracao) && fs::is_directory(p.estado));
        }
    }
}

TEST(PastasAplicacao, CopiaQueNaoPodeSerFeitaFalhaSemTocarNoInstalado) {
    Instalado i;
    gravarEm(i.pastas.dados / "QuelmonteEtiqueta.ini", "[S]\r\nK=1\r\n");
    // A file where the folder should be: the case holds for any user.
    const PastasAplicacao bloqueadas(i.pastas.dados, i.pastas.dados / "QuelmonteEtiqueta.ini",
                                     i.pastas.estado, i.pastas.administracao);
    EXPECT_FALSE(GravarArquivoIni(bloqueadas, "S", "K", "2"));
    EXPECT_EQ(lerArquivo(i.pastas.dados / "QuelmonteEtiqueta.ini"), "[S]\r\nK=1\r\n");
}

TEST(PastasAplicacao, ScriptDoAdministradorPrevaleceSobreOInstalado) {
    Instalado i;
#ifdef _WIN32
    const string script = "QuelmonteImprime.bat";
#else
    const string script = "QuelmonteImprime.sh";
#endif
    gravarEm(i.pastas.dados / script, "enviado");
    EXPECT_EQ(scriptImpressao(i.pastas), i.pastas.dados / script);
    gravarEm(i.pastas.administracao / script, "local");
    EXPECT_EQ(scriptImpressao(i.pastas), i.pastas.administracao / script);
}
