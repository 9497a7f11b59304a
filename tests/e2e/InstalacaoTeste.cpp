// etiquetas-cli without --pasta, installed as a package and as a portable copy.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <map>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

using Arquivos = std::map<std::string, std::string>;  // relative path -> bytes

Arquivos arquivosEm(const fs::path& pasta) {
    Arquivos r;
    std::error_code erro;
    for (fs::recursive_directory_iterator it(pasta, erro), fim; !erro && it != fim;
         it.increment(erro))
        if (it->is_regular_file())
            r[fs::relative(it->path(), pasta).string()] = lerArquivo(it->path()).value_or("?");
    return r;
}

void permitirGravacao(const fs::path& pasta, bool permitir) {
    ::chmod(pasta.c_str(), permitir ? 0755 : 0555);
    for (const auto& e : fs::directory_iterator(pasta))
        ::chmod(e.path().c_str(), permitir ? 0644 : 0444);
}

// HOME for the programs started; XDG variables unset so that the defaults apply.
class HomeTemporaria {
  public:
    explicit HomeTemporaria(const fs::path& home) {
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            if (const char* valor = std::getenv(v)) antes_[v] = valor;
        ::setenv("HOME", home.c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("XDG_STATE_HOME");
    }
    ~HomeTemporaria() {
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            antes_.count(v) ? ::setenv(v, antes_[v].c_str(), 1) : ::unsetenv(v);
    }

  private:
    std::map<std::string, std::string> antes_;
};

// The program and shipped files copied under a fresh root, with an empty HOME.
class Copia {
  public:
    Copia(const fs::path& programa, const fs::path& dados)
        : raiz_(apoio::criarPastaUnica("etiquetas-instalacao-")),
          programa_(raiz_ / programa),
          dados_(raiz_ / dados),
          home_(raiz_ / "home"),
          saida_(raiz_ / "saida"),
          ambiente_(home_) {
        for (const auto& p : {programa_, dados_, home_, saida_}) fs::create_directories(p);
        fs::copy_file(ETIQUETAS_CLI, programa_ / "etiquetas-cli");
        apoio::copiarArquivosDaAplicacao(
            ETIQUETAS_PASTA_APLICACAO, dados_, [](const std::string& nome) {
                return !nome.starts_with("Spool") && nome != "QuelmonteConfig.ini";
            });
    }
    ~Copia() {
        permitirGravacao(dados_, true);
        std::error_code e;
        fs::remove_all(raiz_, e);
    }

    Resultado executar(const Lista& argumentos) const {
        return apoio::executarCli(argumentos, programa_ / "etiquetas-cli");
    }
    // Two rows of a shipped test file on the Zebra; `antes`: options before the command.
    Resultado imprimir(const Lista& antes = {}) const {
        return executar(mais(
            antes, {"imprimir", textoDoCaminho(dados_ / "Quelmonte_Preco_Cartolina_teste.xml"),
                    "--linhas", "1-2", "--impressora", "1", "--rede", textoDoCaminho(saida_)}));
    }

    const fs::path& raiz() const { return raiz_; }
    const fs::path& dados() const { return dados_; }
    const fs::path& home() const { return home_; }
    const fs::path& saida() const { return saida_; }

  private:
    fs::path raiz_, programa_, dados_, home_, saida_;
    HomeTemporaria ambiente_;
};

}  // namespace

TEST(Instalacao, PacoteGravaSoNasPastasDoUsuario) {
    Copia c("usr/bin", "usr/share/etiquetas");
    permitirGravacao(c.dados(), false);
    const Arquivos instalados = arquivosEm(c.dados());

    EXPECT_EQ(c.executar({"--version"}).codigo, 0);
    const auto aberto =
        c.executar({"abrir", textoDoCaminho(c.dados() / "Quelmonte_Preco_Cartolina_teste.xml")});
    EXPECT_EQ(aberto.codigo, 0) << aberto.erros;
    const auto impresso = c.imprimir();
    ASSERT_EQ(impresso.codigo, 0) << impresso.erros;

    EXPECT_EQ(arquivosEm(c.dados()), instalados);
    const Arquivos doUsuario = arquivosEm(c.home());
    Lista nomes;
    for (const auto& [nome, conteudo] : doUsuario) nomes.push_back(nome);
    // The print lock lies beside the spool.
    EXPECT_EQ(nomes,
              (Lista{".config/etiquetas/QuelmonteConfig.ini", ".local/state/etiquetas/SpoolEtq.PRN",
                     ".local/state/etiquetas/SpoolEtq.lock"}));
    EXPECT_NE(doUsuario.begin()->second.find("[ConfigPess]"), std::string::npos);
    const Arquivos etiquetas = arquivosEm(c.saida());
    ASSERT_FALSE(etiquetas.empty());

    // The administrator's script, once there, takes the jobs.
    fs::create_directories(c.raiz() / "etc/etiquetas");
    std::ofstream(c.raiz() / "etc/etiquetas/QuelmonteImprime.sh") << kScriptGravador;
    ASSERT_EQ(c.imprimir().codigo, 0);
    EXPECT_EQ(lerArquivo(c.raiz() / "etc/etiquetas/job-1.spool"), etiquetas.begin()->second);
    EXPECT_EQ(arquivosEm(c.saida()), etiquetas);
}

// A portable copy keeps everything beside the program and nothing under HOME.
TEST(Instalacao, CopiaPortatilGuardaTudoNaPropriaPasta) {
    Copia portatil("app", "app");
    Copia comPasta("bin", "app");
    const Arquivos enviados = arquivosEm(portatil.dados());
    ASSERT_EQ(portatil.imprimir().codigo, 0);
    ASSERT_EQ(comPasta.imprimir({"--pasta", textoDoCaminho(comPasta.dados())}).codigo, 0);

    Arquivos depois = arquivosEm(portatil.dados());
    for (const auto& [nome, conteudo] : enviados) depois.erase(nome);
    Arquivos comoAntes = arquivosEm(comPasta.dados());
    for (const auto& [nome, conteudo] : enviados) comoAntes.erase(nome);
    // The printer path kept in the settings is each copy's own folder.
    auto& config = comoAntes["QuelmonteConfig.ini"];
    const std::string outra = textoDoCaminho(comPasta.saida());
    if (const auto p = config.find(outra); p != std::string::npos)
        config.replace(p, outra.size(), textoDoCaminho(portatil.saida()));
    EXPECT_EQ(depois, comoAntes);
    EXPECT_EQ(depois.count("QuelmonteConfig.ini") + depois.count("SpoolEtq.PRN"), 2u);
    EXPECT_EQ(arquivosEm(portatil.saida()), arquivosEm(comPasta.saida()));
    EXPECT_TRUE(arquivosEm(portatil.home()).empty() && arquivosEm(comPasta.home()).empty());
}
