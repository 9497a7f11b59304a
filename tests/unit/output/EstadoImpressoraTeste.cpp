#include <gtest/gtest.h>

#include "comum/Texto.h"
#include "output/ConsultaEstado.h"
#include "output/EstadoImpressora.h"

using namespace etiquetas;

namespace {

// ~HS frames as a printer sends them, with the fields a case changes.
std::string quadro(const std::string& campos) {
    return "\x02" + campos + "\x03\r\n";
}
std::string respostaHs(const std::string& q1, const std::string& q2) {
    return quadro(q1) + quadro(q2) + quadro("1234,0");
}
const std::string kQ1 = "030,0,0,1245,000,0,0,0,000,0,0,0";
const std::string kQ2 = "000,0,0,0,0,2,4,0,00000000,1,000";
const std::string kPronta = respostaHs(kQ1, kQ2);

struct Caso {
    Linguagem linguagem;
    std::string resposta;
    std::string estado;  // textoEstado after the wait
    long long porImprimir;
    LeituraResposta leitura;
};

}  // namespace

TEST(EstadoImpressora, RespostasCompletasRasgadasEIlegiveis) {
    const auto Z = Linguagem::Zebra;
    const auto D = Linguagem::DataMax;
    using L = LeituraResposta;
    const std::string hqesCabeca = quadro(
        "\r\nPRINTER STATUS\r\n   ERRORS:         1 00000000 00000004\r\n"
        "   WARNINGS:       0 00000000 00000000\r\n");
    const std::vector<Caso> casos{
        {Z, kPronta, "pronta", 0, L::Completa},
        {Z, respostaHs("030,1,1,1245,000,0,0,0,000,0,0,0", kQ2), "sem papel, em pausa", 0,
         L::Completa},
        {Z, respostaHs(kQ1, "000,0,1,0,0,2,4,0,00000000,1,000"), "cabeça aberta", 0, L::Completa},
        {Z, respostaHs("030,0,0,1245,000,1,0,0,000,1,1,1", kQ2),
         "buffer cheio, temperatura baixa, temperatura alta, memória corrompida", 0, L::Completa},
        // The ribbon flag counts only in thermal-transfer mode.
        {Z, respostaHs(kQ1, "000,0,0,1,1,2,4,0,00000000,1,000"), "sem ribbon", 0, L::Completa},
        {Z, respostaHs(kQ1, "000,0,0,1,0,2,4,0,00000000,1,000"), "pronta", 0, L::Completa},
        {Z, respostaHs("030,1,0,1245,003,0,0,0,000,0,0,0", "000,0,0,0,0,2,4,0,00001450,1,000"),
         "sem papel", 1450, L::Completa},
        {Z, hqesCabeca + kPronta, "cabeça aberta", 0, L::Completa},
        // Noise before the answer, a frame begun again, a printer without frame 3.
        {Z, "lixo\r\n\x03" + kPronta, "pronta", 0, L::Completa},
        {Z,
         "\x02"
         "030,0," +
             kPronta,
         "pronta", 0, L::Completa},
        {Z, quadro(kQ1) + quadro(kQ2), "pronta", 0, L::Incompleta},
        // Torn before frame 2 ends, partial or garbled frames, plain garbage.
        {Z,
         quadro(kQ1) + "\x02"
                       "000,0,1,",
         "não respondeu", 0, L::Incompleta},
        {Z, quadro("030,1,0") + quadro(kQ2), "não respondeu", 0, L::Invalida},
        {Z, respostaHs("030,0,0,12x5,000,0,0,0,000,0,0,0", kQ2), "não respondeu", 0, L::Invalida},
        {Z, "HTTP/1.1 400 Bad Request\r\n\r\n", "não respondeu", 0, L::Incompleta},
        {Z, "", "não respondeu", 0, L::Incompleta},

        {D, "NNNNNNNN\r00000\r", "pronta", 0, L::Completa},
        {D, "NYNNNNNN\r", "sem papel", 0, L::Incompleta},
        {D, "NNYNNYNN\r00000\r", "sem ribbon, em pausa", 0, L::Completa},
        {D, "NNNNNNNY\r00000\r", "falha no rebobinador", 0, L::Completa},
        {D, "NYNYYNNN\r01450\r", "sem papel", 1450, L::Completa},
        {D, std::string("\n\0?\rNNNN", 8), "não respondeu", 0, L::Incompleta},
        {D, "lixo\r\nNNNNNNNN\r\n00000\r", "pronta", 0, L::Completa},
        {D, "YNX\r", "não respondeu", 0, L::Incompleta},
    };
    for (const auto& c : casos) {
        const auto a = analisarResposta(c.linguagem, c.resposta);
        const auto e = estadoDaResposta(a);
        EXPECT_EQ(cp1252ParaUtf8(textoEstado(e)), cp1252ParaUtf8(c.estado)) << c.resposta;
        EXPECT_EQ(e.porImprimir, c.porImprimir) << c.resposta;
        EXPECT_EQ(a.leitura, c.leitura) << c.resposta;
    }
}

// Every cut of a ready answer waits for more; what it holds reads as ready.
TEST(EstadoImpressora, QualquerCorteDaRespostaAguardaMais) {
    for (const auto& [linguagem, resposta] :
         {std::pair{Linguagem::Zebra, kPronta},
          std::pair{Linguagem::DataMax, std::string("NNNNNNNN\r00000\r")}}) {
        const auto fecho = resposta.rfind(linguagem == Linguagem::Zebra ? '\x03' : '\r');
        for (std::size_t n = 0; n <= resposta.size(); ++n) {
            const auto a = analisarResposta(linguagem, resposta.substr(0, n));
            EXPECT_EQ(a.leitura,
                      n > fecho ? LeituraResposta::Completa : LeituraResposta::Incompleta)
                << n;
            if (a.util) {
                EXPECT_TRUE(estadoDaResposta(a).pronta()) << n;
            }
        }
    }
}

TEST(EstadoImpressora, DestinosQueOProgramaEntregaPelaRede) {
    struct Destino {
        std::string texto, servidor;
        int porta;
    };
    for (const auto& d : std::vector<Destino>{{"192.168.0.10:9100", "192.168.0.10", 9100},
                                              {"zebra-expedicao:6101", "zebra-expedicao", 6101},
                                              {"LPT1", "", 0},
                                              {"\\\\srv\\fila:9100", "", 0},
                                              {"/dev/usb/lp0", "", 0},
                                              {"impressora:abc", "", 0},
                                              {"impressora:70000", "", 0},
                                              {":9100", "", 0},
                                              {"C:", "", 0}}) {
        const auto e = enderecoRede(d.texto);
        EXPECT_EQ(e ? e->servidor + ":" + std::to_string(e->porta) : std::string(":0"),
                  d.servidor + ":" + std::to_string(d.porta))
            << d.texto;
    }
}
