#include <gtest/gtest.h>

#include "../render/ApoioImpressao.h"
#include "comum/Texto.h"
#include "output/FalhaImpressao.h"
#include "output/PortasCom.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

// Records the arguments, one a line, and the spool file it was given.
const std::string kScriptGravador =
    "pasta=$(dirname \"$0\")\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$pasta/argumentos.txt\"\n"
    "cat \"$1\" >> \"$pasta/entregue.txt\"\n";

class PortaFalsa : public PortaSerial {
  public:
    bool aberta_ = true;
    std::string escrito;
    long long pendentes = 0;
    int esperas = 0;
    bool abrir(const std::string&, const std::string&) override { return aberta_ = true; }
    void fechar() override { aberta_ = false; }
    bool aberta() const override { return aberta_; }
    bool escrever(const std::string& b) override {
        if (!aberta_) return false;
        escrito += b;
        pendentes = 3;  // drains over three waits
        return true;
    }
    long long bytesPendentes() override { return pendentes; }
    void aguardarEnvio(int) override {
        ++esperas;
        if (pendentes > 0) --pendentes;
    }
    std::string ultimoErro() const override {
        return aberta_ ? "" : "A porta serial não está aberta.";
    }
};

struct PlataformaContaPausas : PlataformaHeadless {
    std::vector<long long> pendentesNaPausa;
    void pausar(std::chrono::milliseconds d) override {
        EXPECT_EQ(d.count(), 100);
        pendentesNaPausa.push_back(portaSerial().bytesPendentes());
    }
};

struct Ambiente {
    PastaTemporaria pasta;
    PlataformaContaPausas plataforma;
    JanelaFalsa janela;
    bool imagemEnviada = false;
    Despacho despacho{plataforma, janela, pasta.caminho(), imagemEnviada};
    PortaFalsa* porta = nullptr;

    Ambiente() {
        auto p = std::make_unique<PortaFalsa>();
        porta = p.get();
        plataforma.definirPortaSerial(std::move(p));
        plataforma.semPausas = true;
    }
    std::string ler(const std::string& nome) const {
        return lerArquivo(pasta.caminho() / nome).value_or("<nada>");
    }
};

}  // namespace

TEST(Despacho, ScriptRecebeSpoolDestinoESerialComoArgumentosSeparados) {
    Ambiente a;
    a.pasta.gravar("QuelmonteImprime.sh", kScriptGravador);  // no execute bit needed
    a.pasta.gravar("spooletq.prn", "conteudo antigo bem mais longo que o novo");
    a.janela.destinoTexto = "\\\\srv\\fila com espaço\" & touch invadido; $(touch invadido2)";
    a.janela.velCom = "19200";
    a.janela.parCom = "E";
    a.janela.dadosCom = "7";
    a.janela.paradaCom = "2";
    std::string texto = "V=:: CMD_VELOCIDADE ::;T=::Temperatura::";
    a.despacho.EnviarSpool(a.despacho.caminhoSpool("SpoolEtq.PRN"), texto);
    EXPECT_EQ(texto, "V=4;T=8") << "the caller's text is filled";
    const auto spool = a.pasta.caminho() / "spooletq.prn";
    // Arguments reach the script in the system's encoding.
    EXPECT_EQ(a.ler("argumentos.txt"),
              spool.string() + "\n" + cp1252ParaUtf8(a.janela.destinoTexto) + "\n19200\nE\n7\n2\n");
    EXPECT_EQ(a.ler("entregue.txt"), "V=4;T=8\r\n");
    EXPECT_EQ(a.ler("spooletq.prn"), "V=4;T=8\r\n");
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "invadido"));
    EXPECT_FALSE(std::filesystem::exists(a.pasta.caminho() / "invadido2"));
    EXPECT_TRUE(a.plataforma.mensagens.empty());
}

TEST(Despacho, ScriptAusenteAvisaESegue) {
    Ambiente a;
    std::string texto = "x";
    EXPECT_NO_THROW(a.despacho.EnviarSpool(a.despacho.caminhoSpool("SpoolEtq.PRN"), texto));
    ASSERT_EQ(a.plataforma.mensagens.size(), 1u);
    const auto& m = a.plataforma.mensagens[0];
    EXPECT_EQ(m.texto.rfind("Unable to find '\"", 0), 0u) << m.texto;
    EXPECT_NE(m.texto.find("QuelmonteImprime.sh\" \""), std::string::npos) << m.texto;
    EXPECT_EQ(m.texto.back(), '\'');
    EXPECT_EQ(m.icone, Icone::Nenhum);
    EXPECT_EQ(a.ler("SpoolEtq.PRN"), "x\r\n") << "the spool file is written first";
}

TEST(Despacho, ScriptQueFalhaTerminaAExecucaoComSuaPrimeiraLinhaDeErro) {
    struct Caso {
        std::string script, esperado;
    };
    for (const auto& c : std::vector<Caso>{
             {reinterpret_cast<const char*>(
                  u8"echo 'Impressora LPT1 não encontrada.' >&2; echo detalhe >&2; exit 3"),
              "A etiqueta não foi entregue à impressora: Impressora LPT1 não encontrada."},
             {"exit 4",
              "A etiqueta não foi entregue à impressora: O script de impressão "
              "terminou com o código 4."}}) {
        Ambiente a;
        a.pasta.gravar("QuelmonteImprime.sh", c.script + "\n");
        std::string texto = "x";
        try {
            a.despacho.EnviarSpool(a.despacho.caminhoSpool("SpoolEtq.PRN"), texto);
            ADD_FAILURE() << "no failure for " << c.script;
        } catch (const FalhaImpressao& f) {
            EXPECT_EQ(std::string(f.what()), c.esperado);
        }
    }
}

TEST(Despacho, SerialEscreveMaisCrEsperaEsvaziarEPausa) {
    Ambiente a;
    a.janela.portaTexto = "COM1";
    std::string texto = "^XA^XZ";
    a.despacho.EnviarSpool(a.despacho.caminhoSpool("SpoolEtq.PRN"), texto);
    EXPECT_EQ(a.porta->escrito, "^XA^XZ\r\n\r");
    EXPECT_EQ(a.janela.detalhePorta, "Valor do Buffer Porta COM : 3");
    EXPECT_EQ(a.porta->esperas, 3);
    EXPECT_EQ(a.plataforma.pendentesNaPausa, std::vector<long long>(11, 0))
        << "eleven pauses of 100 ms, all after the buffer drained";
}

TEST(Despacho, ConfiguracaoDatamaxSaiPelaSerialUmaVezPorAbertura) {
    Ambiente a;
    a.janela.portaTexto = "COM2";
    a.pasta.gravar("QuelmonteConfiguracaoDatamax.prn", "\x02n\r\n");
    a.despacho.EnviarConfiguracaoDatamax();
    a.despacho.EnviarConfiguracaoDatamax();
    EXPECT_EQ(a.porta->escrito, "\x02n\r\n\r\n\r");
    EXPECT_TRUE(a.imagemEnviada);
    EXPECT_EQ(a.ler("SpoolEtqImg.prn"), "\x02n\r\n\r\n") << "rewritten at every call";
    a.imagemEnviada = false;  // the port was opened again
    a.despacho.EnviarConfiguracaoDatamax();
    EXPECT_EQ(contar(a.porta->escrito, "\x02n"), 2u);
}

TEST(Despacho, FalhasDeEnvioTerminamAExecucao) {
    Ambiente a;
    a.janela.portaTexto = "COM1";
    a.porta->fechar();
    std::string texto = "x";
    EXPECT_THROW(a.despacho.EnviarSpool(a.despacho.caminhoSpool("SpoolEtq.PRN"), texto),
                 FalhaImpressao)
        << "port closed";
    EXPECT_THROW(a.despacho.EnviarConfiguracaoDatamax(), FalhaImpressao) << "no configuration file";
    // A directory where the spool file should be: it cannot be written.
    std::filesystem::remove(a.pasta.caminho() / "SpoolEtq.PRN");
    std::filesystem::create_directory(a.pasta.caminho() / "SpoolEtq.PRN");
    EXPECT_THROW(a.despacho.EnviarSpool(a.despacho.caminhoSpool("SpoolEtq.PRN"), texto),
                 FalhaImpressao);
}

TEST(PortasCom, MapeamentoDoIniPessoalComPadraoDoSistema) {
    PastaTemporaria pasta;
    EXPECT_EQ(dispositivoPortaCom(pasta.caminho(), 1), "/dev/ttyS0");
    EXPECT_EQ(dispositivoPortaCom(pasta.caminho(), 2), "/dev/ttyS1");
    const auto existente = pasta.caminho() / "ttyFalso";
    pasta.gravar("ttyFalso", "");
    pasta.gravar("QuelmonteConfig.ini", "[ConfigPess]\r\nImpressora=ZEBRA\r\n[PortasCom]\r\nCOM1=" +
                                            existente.string() + "\r\nCOM2=/dev/naoexiste\r\n");
    EXPECT_EQ(dispositivoPortaCom(pasta.caminho(), 1), existente.string());
    EXPECT_TRUE(PortaComDisponivel(pasta.caminho(), 1));
    EXPECT_FALSE(PortaComDisponivel(pasta.caminho(), 2));
    EXPECT_EQ(IdentificarSistemaOperacional(), "");
}
