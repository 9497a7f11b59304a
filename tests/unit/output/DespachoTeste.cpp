#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../render/ApoioImpressao.h"
#include "comum/Texto.h"
#include "render/FalhaImpressao.h"
#ifdef _WIN32
#include "platform/sistema/Spooler.h"
#endif

using namespace etiquetas;
using namespace etiquetas::teste;
using testing::StartsWith, testing::ThrowsMessage;

namespace {

// A spooler with one printer, which takes or refuses what it is sent.
struct SpoolerFalso : PlataformaHeadless {
    std::string instalada = "ZDesigner GK420t";
    ResultadoSpooler resposta{true, {}};
    std::vector<std::string> recebidos;
    bool impressoraInstalada(const std::string& nome) override { return nome == instalada; }
    ResultadoSpooler enviarAoSpooler(const std::string& impressora, const std::string& documento,
                                     const std::string& bytes, std::chrono::milliseconds) override {
        recebidos.push_back(impressora + "|" + documento + "|" + bytes);
        return resposta;
    }
};

template <class Plataforma = PlataformaHeadless>
struct Ambiente {
    PastaTemporaria pasta;
    Plataforma plataforma;
    ParametrosImpressao parametros = parametrosZebra();
    bool imagemEnviada = false;
    Despacho despacho{plataforma, parametros, pasta.caminho(), imagemEnviada};

    Ambiente() { plataforma.definirPortaSerial(std::make_unique<PortaFalsa>()); }
    std::string ler(const std::string& nome) const {
        return lerArquivo(pasta.caminho() / nome).value_or("<nada>");
    }
    void enviar(const std::string& texto) {
        despacho.enviar({TipoTrabalho::Etiqueta, "SpoolEtq.PRN", texto + "\r\n", 1, {}});
    }
};

}  // namespace

#ifndef _WIN32
// No shell in between: the destination is one argument whatever it holds.
TEST(Despacho, ScriptRecebeSpoolDestinoESerialComoArgumentosSeparados) {
    Ambiente<> a;
    a.pasta.gravar(
        "QuelmonteImprime.sh",  // no execute bit needed
        "d=$(dirname \"$0\"); printf '%s\\n' \"$@\" >\"$d/args\"; cat \"$1\" >\"$d/entregue\"\n");
    a.pasta.gravar("spooletq.prn", "conteudo antigo bem mais longo que o novo");
    a.parametros.destino = "\\\\srv\\fila com espaço\" & touch invadido; $(touch invadido2)";
    a.parametros.serial = {"19200", "E", "7", "2"};
    a.enviar("V=4;T=8");
    EXPECT_EQ(a.ler("args"), (a.pasta.caminho() / "spooletq.prn").string() + "\n" +
                                 cp1252ParaUtf8(a.parametros.destino) + "\n19200\nE\n7\n2\n");
    EXPECT_EQ(a.ler("entregue"), "V=4;T=8\r\n");
    EXPECT_EQ(a.ler("spooletq.prn"), "V=4;T=8\r\n");
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "invadido"));
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "invadido2"));
    EXPECT_TRUE(a.plataforma.mensagens.empty());
}
#else
// What cmd would run stops the run before the script; blanks and "&" reach it quoted.
TEST(Despacho, LoteRecebeValoresCitadosERecusaOQueOCmdExecutaria) {
    Ambiente<> a;
    a.pasta.gravar("QuelmonteImprime.bat",
                   "@set \"D=%~2\"\r\n@setlocal EnableDelayedExpansion\r\n"
                   "@>\"%~dp0args\" echo.!D!\r\n");
    a.parametros.destino = "\\\\srv\\fila (2) & echo invadido > f";
    a.enviar("x");
    EXPECT_EQ(a.ler("args"), a.parametros.destino + "\r\n");
    std::filesystem::remove(a.pasta.caminho() / "args");
    for (const std::string destino : {"x\" & echo pwned > f", "%TEMP%", "a!b", "a\nb"}) {
        a.parametros.destino = destino;
        EXPECT_THROW(a.enviar("x"), FalhaImpressao) << destino;
    }
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "args"));
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "f"));
    EXPECT_FALSE(std::filesystem::exists("f"));
}
#endif

TEST(Despacho, FalhasDeEnvioTerminamAExecucao) {
    Ambiente<> a;
    a.parametros.porta = "COM1";  // not open
    EXPECT_THROW(a.enviar("x"), FalhaImpressao);
    std::filesystem::remove(a.pasta.caminho() / "SpoolEtq.PRN");
    std::filesystem::create_directory(a.pasta.caminho() / "SpoolEtq.PRN");
    EXPECT_THROW(a.enviar("x"), FalhaImpressao) << "a directory where the spool file goes";
}

// One run at a time per folder: a second waits, then names the holder; stale locks don't.
TEST(Despacho, UmaExecucaoPorPastaDeCadaVez) {
    PastaTemporaria pasta;
    PlataformaHeadless plataforma;
    ParametrosImpressao parametros = parametrosZebra();
    parametros.esperaOutraImpressao = std::chrono::seconds(0);
    bool imagem = false;
    const auto despacho = [&] {
        return std::make_unique<Despacho>(plataforma, parametros, pasta.caminho(), imagem);
    };
    auto primeira = despacho();
    EXPECT_THAT(despacho,
                ThrowsMessage<FalhaImpressao>(StartsWith(
                    "Outra impressão está em andamento nesta pasta (testes_nucleo, processo ")));
    EXPECT_FALSE(std::filesystem::exists(pasta.caminho() / "SpoolEtq.PRN"));
    primeira.reset();
    EXPECT_EQ(TravaImpressao::ocupante(pasta.caminho()), "");
    pasta.gravar("SpoolEtq.lock", "etiquetas, processo 999999, desde 01/12/2026 08:00:00");
    EXPECT_NO_THROW(despacho());
}

// Only a plain name can be a Windows printer; paths and devices go to the script.
TEST(Despacho, NomesDeImpressoraDoSistema) {
    for (const std::string nome : {"ZDesigner GK420t", "Datamax I-4208", " Zebra "})
        EXPECT_TRUE(nomeDeImpressoraDoSistema(nome)) << nome;
    for (const std::string nome : {"", "  ", "\\\\srv\\zebra", "C:\\saida", "/dev/usb/lp0", "LPT1",
                                   "lpt2", "COM3", "prn", "NUL"})
        EXPECT_FALSE(nomeDeImpressoraDoSistema(nome)) << nome;
}

// A Windows printer gets the job RAW through the spooler; a refusal stops the run.
TEST(Despacho, ImpressoraDoSistemaRecebePeloSpooler) {
    Ambiente<SpoolerFalso> a;
    a.parametros.destino = "ZDesigner GK420t";
    const auto enviar = [&] { a.enviar("^XA^XZ"); };
    enviar();
    EXPECT_THAT(a.plataforma.recebidos,
                testing::ElementsAre("ZDesigner GK420t|SpoolEtq.PRN|^XA^XZ\r\n"));
    a.plataforma.resposta = {false, "a impressora está pausada no Windows."};
    EXPECT_THAT(enviar, ThrowsMessage<FalhaImpressao>(
                            "A etiqueta não foi entregue à impressora ZDesigner GK420t: a "
                            "impressora está pausada no Windows."));
    a.parametros.destino = "Outra Zebra";
    EXPECT_THAT(enviar, ThrowsMessage<FalhaImpressao>(StartsWith("O programa de impressão ")));
    EXPECT_EQ(a.plataforma.recebidos.size(), 2u);
}

#ifdef _WIN32
// A printer not installed is found by nobody and gets nothing.
TEST(Despacho, SpoolerDoWindowsSemAImpressora) {
    EXPECT_FALSE(impressoraNoSpooler("Zebra que não existe"));
    const auto r = enviarRawAoSpooler("Zebra que não existe", "SpoolEtq.PRN", "^XA^XZ",
                                      std::chrono::seconds(1));
    EXPECT_FALSE(r.entregue);
    EXPECT_THAT(r.motivo, StartsWith("a impressora não foi encontrada no Windows"));
}
#endif
