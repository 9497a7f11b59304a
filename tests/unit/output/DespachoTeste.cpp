#include <gtest/gtest.h>

#include "../render/ApoioImpressao.h"
#include "comum/Texto.h"
#include "output/FalhaImpressao.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

struct Ambiente {
    PastaTemporaria pasta;
    PlataformaHeadless plataforma;
    JanelaFalsa janela;
    bool imagemEnviada = false;
    Despacho despacho{plataforma, janela, pasta.caminho(), imagemEnviada};

    Ambiente() { plataforma.definirPortaSerial(std::make_unique<PortaFalsa>()); }
    std::string ler(const std::string& nome) const {
        return lerArquivo(pasta.caminho() / nome).value_or("<nada>");
    }
    void enviar(std::string texto) {
        despacho.EnviarSpool(despacho.caminhoSpool("SpoolEtq.PRN"), texto);
    }
};

}  // namespace

// No shell in between: the destination is one argument whatever it holds.
TEST(Despacho, ScriptRecebeSpoolDestinoESerialComoArgumentosSeparados) {
    Ambiente a;
    a.pasta.gravar(
        "QuelmonteImprime.sh",  // no execute bit needed
        "d=$(dirname \"$0\"); printf '%s\\n' \"$@\" >\"$d/args\"; cat \"$1\" >\"$d/entregue\"\n");
    a.pasta.gravar("spooletq.prn", "conteudo antigo bem mais longo que o novo");
    a.janela.destinoTexto = "\\\\srv\\fila com espaço\" & touch invadido; $(touch invadido2)";
    a.janela.velCom = "19200", a.janela.parCom = "E", a.janela.dadosCom = "7",
    a.janela.paradaCom = "2";
    std::string texto = "V=:: CMD_VELOCIDADE ::;T=::Temperatura::";
    a.despacho.EnviarSpool(a.despacho.caminhoSpool("SpoolEtq.PRN"), texto);
    EXPECT_EQ(texto, "V=4;T=8") << "the caller's text is filled";
    EXPECT_EQ(a.ler("args"), (a.pasta.caminho() / "spooletq.prn").string() + "\n" +
                                 cp1252ParaUtf8(a.janela.destinoTexto) + "\n19200\nE\n7\n2\n");
    EXPECT_EQ(a.ler("entregue"), "V=4;T=8\r\n");
    EXPECT_EQ(a.ler("spooletq.prn"), "V=4;T=8\r\n");
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "invadido"));
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "invadido2"));
    EXPECT_TRUE(a.plataforma.mensagens.empty());
}

TEST(Despacho, ScriptAusenteAvisaESegue) {
    Ambiente a;
    EXPECT_NO_THROW(a.enviar("x"));
    ASSERT_EQ(a.plataforma.mensagens.size(), 1u);
    const auto& m = a.plataforma.mensagens[0];
    EXPECT_EQ(m.texto.rfind("Unable to find '\"", 0), 0u) << m.texto;
    EXPECT_NE(m.texto.find("QuelmonteImprime.sh\" \""), std::string::npos) << m.texto;
    EXPECT_EQ(m.icone, Icone::Nenhum);
    EXPECT_EQ(a.ler("SpoolEtq.PRN"), "x\r\n") << "the spool file is written first";
}

TEST(Despacho, FalhasDeEnvioTerminamAExecucao) {
    Ambiente a;
    a.janela.portaTexto = "COM1";  // not open
    EXPECT_THROW(a.enviar("x"), FalhaImpressao);
    EXPECT_THROW(a.despacho.EnviarConfiguracaoDatamax(), FalhaImpressao) << "no configuration file";
    std::filesystem::remove(a.pasta.caminho() / "SpoolEtq.PRN");
    std::filesystem::create_directory(a.pasta.caminho() / "SpoolEtq.PRN");
    EXPECT_THROW(a.enviar("x"), FalhaImpressao) << "a directory where the spool file goes";
}
