// Two runs at once on one application folder.

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

// Each job appended to a file, shell built-ins only, so that thousands stay quick.
const std::string kScriptAnexa = "cat \"$1\" >>\"$2\"\n";

// The wait for another run; twenty labels a job so that runs are short and still meet.
void preparar(const AplicacaoTemporaria& app, int segundos) {
    std::ofstream(app.pasta() / "QuelmonteConfig.ini", std::ios::app | std::ios::binary)
        << "\r\n[Impressao]\r\nEsperaOutraImpressaoSegundos=" << segundos << "\r\n";
    app.ajustarIni("QuelmonteEtiqPrecoAdesivaZebra", "Repeticao=0020");
}

// 200 adhesive labels of variant `codigo` sent to the file `nome` of the folder.
Lista imprimir200(const AplicacaoTemporaria& app, const std::string& nome,
                  const std::string& codigo) {
    Variante v = faixa("1", "200");
    v.codigo = codigo;
    app.gravar(nome + ".xml", xmlPreco(2, {v}));
    return mais({"--pasta", textoDoCaminho(app.pasta()), "imprimir",
                 textoDoCaminho(app.pasta() / (nome + ".xml")), "--todas", "--rede",
                 textoDoCaminho(app.pasta() / nome)},
                {"--impressora", "1", "--velocidade", "4", "--temperatura", "8"});
}

Lista codigos200(const std::string& codigo) {
    Lista r;
    for (int s = 1; s <= 200; ++s)
        r.push_back("2" + formatarNumero(codigo, "0000000000") + "5" +
                    formatarNumero(std::to_string(s), "0000"));
    return r;
}

std::future<Resultado> iniciar(const Lista& argumentos) {
    return std::async(std::launch::async, [argumentos] { return apoio::executarCli(argumentos); });
}

}  // namespace

TEST(ImpressoesSimultaneas, CadaDestinoRecebeExatamenteSuasEtiquetas) {
    AplicacaoTemporaria app;
    app.gravar("QuelmonteImprime.sh", kScriptAnexa);
    preparar(app, 60);
    const auto a = imprimir200(app, "a", "111"), b = imprimir200(app, "b", "222");
    for (int vez = 1; vez <= 20; ++vez) {
        fs::remove(app.pasta() / "a");
        fs::remove(app.pasta() / "b");
        auto primeira = iniciar(a), segunda = iniciar(b);
        for (auto [saida, nome, codigo] :
             {std::tuple{primeira.get(), "a", "111"}, std::tuple{segunda.get(), "b", "222"}}) {
            EXPECT_EQ(saida.codigo, 0) << saida.erros;
            EXPECT_TRUE(contem(saida.erros, "200 etiquetas enviadas"));
            EXPECT_EQ(codigosZpl(app.ler(nome)), codigos200(codigo)) << "vez " << vez;
        }
        if (HasFailure()) break;
    }
}

// A second run waits, then stops naming the holder; a killed run leaves the folder free.
TEST(ImpressoesSimultaneas, OutraExecucaoEsperaEDizQuemImprime) {
    AplicacaoTemporaria app;
    app.gravar("QuelmonteImprime.sh",
               "d=$(dirname \"$0\")\n"
               "if [ -f \"$d/mata\" ]; then rm \"$d/mata\"; kill -9 $PPID; sleep 3; fi\n"
               "if [ -f \"$d/segura\" ]; then touch \"$d/comecou\"\n"
               "  while [ -f \"$d/segura\" ]; do sleep 0.05; done; fi\n" +
                   kScriptAnexa);
    preparar(app, 1);
    app.gravar("segura", "");
    auto primeira = iniciar(imprimir200(app, "a", "111"));
    for (int i = 0; i < 600 && !fs::exists(app.pasta() / "comecou"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto segunda = apoio::executarCli(imprimir200(app, "b", "222"));
    fs::remove(app.pasta() / "segura");
    esperarFalha(
        segunda,
        "[Erro !] Outra impressão está em andamento nesta pasta (etiquetas-cli, processo ");
    EXPECT_FALSE(fs::exists(app.pasta() / "b"));
    EXPECT_EQ(primeira.get().codigo, 0);
    EXPECT_EQ(codigosZpl(app.ler("a")), codigos200("111"));

    app.gravar("mata", "");
    EXPECT_NE(apoio::executarCli(imprimir200(app, "c", "333")).codigo, 0);
    const auto depois = apoio::executarCli(imprimir200(app, "d", "444"));
    EXPECT_EQ(depois.codigo, 0) << depois.erros;
    EXPECT_EQ(codigosZpl(app.ler("d")), codigos200("444"));
}
