#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "comum/Arquivos.h"
#include "comum/PastasAplicacao.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"
#include "render/FamiliasEtiqueta.h"

using namespace etiquetas;
using etiquetas::teste::PastaTeste;
using std::string, std::tuple;
namespace fs = std::filesystem;

namespace {

void gravarEm(const fs::path& arquivo, const string& conteudo) {
    fs::create_directories(arquivo.parent_path());
    std::ofstream(arquivo, std::ios::binary) << conteudo;
}

string lido(const fs::path& arquivo) {
    return lerArquivo(arquivo).value_or("<nenhum>");
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

// The user's layout file starts as the shipped one, so that a first save
// keeps every other section; the shipped files are never written.
TEST(PastasAplicacao, ArquivosDoUsuarioComecamComoCopiaDosInstalados) {
    Instalado i;
    const string enviado =
        "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=0001\r\nLargura=0832\r\n[PortaSerial]\r\n"
        "Porta=COM1\r\n";
    gravarEm(i.pastas.dados / "QuelmonteEtiqueta.ini", enviado);
    gravarEm(i.pastas.dados / "QuelmonteEtiqueta.original.ini", enviado);
    const fs::path doUsuario = i.pastas.configuracao / "QuelmonteEtiqueta.ini";

    EXPECT_EQ(LerArquivoIni(i.pastas, "QuelmonteEtiqPrecoZebra", "Largura"), "0832");
    EXPECT_FALSE(fs::exists(doUsuario));  // reading copies nothing

    AtualizarConfiguracao cfg = configuracaoLayout(1, 1, false);
    cfg.Carregar(i.pastas);
    cfg.LarguraEtiqueta = 400;
    ASSERT_EQ(cfg.Configurar(i.pastas), Gravacao::Gravada);
    EXPECT_EQ(LerArquivoIni(i.pastas, "QuelmonteEtiqPrecoZebra", "Largura"), "0400");
    EXPECT_EQ(LerArquivoIni(i.pastas, "PortaSerial", "Porta"), "COM1");
    EXPECT_EQ(lido(i.pastas.dados / "QuelmonteEtiqueta.ini"), enviado);

    ASSERT_TRUE(cfg.Restaurar(i.pastas)) << cfg.Erro();
    EXPECT_EQ(LerArquivoIni(i.pastas, "QuelmonteEtiqPrecoZebra", "Largura"), "0832");

    ASSERT_TRUE(GravarArquivoConfig(i.pastas, "ConfigPess", "Impressora", "ZEBRA"));
    EXPECT_EQ(lido(i.pastas.configuracao / "QuelmonteConfig.ini"),
              "[ConfigPess]\r\nImpressora=ZEBRA\r\n");
    EXPECT_FALSE(fs::exists(i.pastas.dados / "QuelmonteConfig.ini"));
}

TEST(PastasAplicacao, CopiaQueNaoPodeSerFeitaFalhaSemTocarNoInstalado) {
    Instalado i;
    gravarEm(i.pastas.dados / "QuelmonteEtiqueta.ini", "[S]\r\nK=1\r\n");
    // A file where the folder should be: no permission bits involved, so
    // the case holds for any user.
    const PastasAplicacao bloqueadas(i.pastas.dados, i.pastas.dados / "QuelmonteEtiqueta.ini",
                                     i.pastas.estado, i.pastas.administracao);
    EXPECT_FALSE(GravarArquivoIni(bloqueadas, "S", "K", "2"));
    EXPECT_EQ(lido(i.pastas.dados / "QuelmonteEtiqueta.ini"), "[S]\r\nK=1\r\n");
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
