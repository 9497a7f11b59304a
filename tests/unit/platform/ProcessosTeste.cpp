#include "platform/sistema/Processos.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "../config/PastaTeste.h"
#include "ScriptGravador.h"
#include "comum/Arquivos.h"

#ifndef _WIN32
#include <signal.h>
#endif

using namespace etiquetas;
using namespace std::chrono_literals;
using detalhe::linhaDeComandoLote;
using detalhe::linhaDeComandoWindows;
using std::tuple;

namespace {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// A script for this system's shell: `sh` for /bin/sh, `bat` for cmd.
struct Script {
    teste::PastaTeste pasta;
    std::filesystem::path caminho = pasta / (kWindows ? "roteiro.bat" : "roteiro.sh");
    Script(const std::string& sh, const std::string& bat) {
        pasta.gravar(caminho.filename().string(), kWindows ? bat : sh);
    }
    ResultadoProcesso executar(std::chrono::milliseconds limite = 30s) const {
        return kWindows ? executarProcesso(textoDoCaminho(caminho), {}, limite)
                        : executarProcesso("/bin/sh", {textoDoCaminho(caminho)}, limite);
    }
};

}  // namespace

// Exit status, first line of standard error and unquoted arguments are the print tests'.
TEST(Processos, ProgramaInexistenteNaoIniciaEDizPorque) {
    const auto r = executarProcesso("/nao/existe/programa-etiquetas.exe", {}, 5s);
    EXPECT_EQ(tuple(r.iniciou, r.descricaoFalha.empty()), tuple(false, false));
}

// A runaway script must not fill the memory nor block on a full pipe.
TEST(Processos, ErroPadraoGuardaSoOComeco) {
    const Script s(
        "i=0; while [ $i -lt 3000 ]; do echo 0123456789012345678901234567890123456789 >&2;"
        " i=$((i+1)); done\n",
        "@set L=0123456789012345678901234567890123456789\r\n@set L=%L%%L%%L%%L%%L%%L%%L%%L%\r\n"
        "@for /l %%i in (1,1,250) do @echo %L% 1>&2\r\n");
    const auto r = s.executar();
    EXPECT_EQ(tuple(r.codigoSaida, r.erroPadrao.size()), tuple(0, kLimiteErroPadrao));
}

#ifndef _WIN32
// The script and what it started are ended: nothing prints after the run has stopped.
TEST(Processos, LimiteEncerraOScriptEOsNetos) {
    const Script s("sleep 1000 &\necho $! >\"$(dirname \"$0\")/neto\"\nwait\n", "");
    const auto inicio = std::chrono::steady_clock::now();
    const auto r = s.executar(300ms);
    EXPECT_EQ(tuple(r.iniciou, r.excedeuLimite, r.codigoSaida == 0), tuple(true, true, false));
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, 5s);
    const pid_t neto = std::stoi(s.pasta.ler("neto"));
    bool vivo = true;
    for (int i = 0; i < 200 && vivo; ++i) {
        std::ifstream estado("/proc/" + std::to_string(neto) + "/stat");
        std::string pid, nome, letra;
        vivo = estado >> pid >> nome >> letra && letra != "Z";
        if (vivo) std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(vivo) << "sleep " << neto << " still runs";
    if (vivo) ::kill(neto, SIGKILL);
}
#else
TEST(Processos, LimiteEncerraOScript) {
    const Script s("", "@" + apoio::esperaBat(100) + "\r\n@echo tarde>\"%~dp0tarde\"\r\n");
    const auto inicio = std::chrono::steady_clock::now();
    const auto r = s.executar(500ms);
    EXPECT_TRUE(r.excedeuLimite);
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, 10s);
    EXPECT_FALSE(std::filesystem::exists(s.pasta / "tarde"));
}
#endif

TEST(LinhaDeComando, WindowsCitaPelasRegrasDoRuntime) {
    const struct {
        std::vector<std::string> argumentos;
        std::string linha;
    } casos[] = {{{"simples", "9600"}, "p simples 9600"},
                 {{""}, "p \"\""},
                 {{"com espaço"}, "p \"com espaço\""},
                 {{"a\"b"}, "p \"a\\\"b\""},
                 {{"C:\\pasta com espaço\\"}, "p \"C:\\pasta com espaço\\\\\""},
                 {{"\\\\srv\\fila"}, "p \\\\srv\\fila"},
                 {{"a\\\\\"b c"}, "p \"a\\\\\\\\\\\"b c\""}};
    for (const auto& c : casos) EXPECT_EQ(linhaDeComandoWindows("p", c.argumentos), c.linha);
}

TEST(LinhaDeComando, LoteCitaValoresComEspacoOuComandosDoCmd) {
    const auto r = linhaDeComandoLote(
        "C:\\Área\\QuelmonteImprime.bat",
        {"C:\\Área\\SpoolEtq.PRN", "\\\\srv\\Zebra (2) & x", "9600", "N", "8", "1", ""});
    EXPECT_EQ(tuple(r.recusa, r.linha),
              tuple("",
                    "\"C:\\Área\\QuelmonteImprime.bat\" C:\\Área\\SpoolEtq.PRN "
                    "\"\\\\srv\\Zebra (2) & x\" 9600 N 8 1 \"\""));
}

TEST(LinhaDeComando, LoteRecusaOQueOCmdExpandiriaMesmoEntreAspas) {
    for (const std::string destino :
         {"x\" & echo pwned > f", "%PATH%", "a!b!", "a\r\nb", "a\x1a"}) {
        const auto r = linhaDeComandoLote("C:\\a\\QuelmonteImprime.bat", {"C:\\s.prn", destino});
        EXPECT_EQ(r.linha, "") << destino;
        EXPECT_NE(r.recusa.find("script de impressão"), std::string::npos) << destino;
    }
    EXPECT_NE(linhaDeComandoLote("C:\\100%\\x.bat", {}).recusa, "") << "the script's own path";
}
