#include <gtest/gtest.h>

#include "LeituraEmPedacos.h"
#include "dpl/Interpretador.h"
#include "dpl/Spool.h"

using namespace etiquetas;
using namespace etiquetas::zpl;

namespace {

// A label format between <STX>L and E, records one a line.
std::string formato(const std::string& registros, const std::string& sistema = "") {
    return sistema + "\x02L\r\nD11\r\n" + registros + "E\r\n";
}

std::string avisos(const Interpretacao& r) {
    std::string t;
    for (const auto& a : r.avisos) t += std::to_string(a.etiqueta) + ": " + a.texto + "\n";
    return t;
}

}  // namespace

TEST(InterpretadorDpl, EntradasRuinsViramAvisos) {
    struct Caso {
        std::string spool;
        std::string aviso;
        std::size_t etiquetas;
    };
    const std::string longo(300, 'x');
    for (const auto& c : std::vector<Caso>{
             {formato("1X1100005350006l382003\r\n"), "incompleto", 1},
             {formato("121100000x00010abc\r\n"), "não numérica", 1},
             {formato("12110000010\r\n"), "menos de 15", 1},
             {formato("W5\r\n"), "desconhecido", 1},
             {formato("1u1100500100010abc\r\n"), "não simulado", 1},
             {formato("1E11050001000100123\x01\r\n"), "não codifica", 1},
             {formato("1W1c00000100010abc\r\n"), "não simulado", 1},
             {formato("1Y1100000100010LOGO\r\n"), "não simulada", 1},
             {formato("1X1100000100010C0100010\r\n"), "não simulado", 1},
             {formato("121100000100010" + longo + "\r\n"), "cortados", 1},
             {formato("121100000109000fora\r\n"), "além da largura", 1},
             {formato("1911S0000100010P0\r\n"), "sem altura", 1},
             {formato("1911X0000100010abc\r\n"), "não residente", 1},
             {formato("D22\r\n"), "não simulado", 1},
             {formato("A5\r\n"), "não simulado", 1},
             {"\x02L\r\n121100000100010abc\r\n", "termina sem E", 0},
             {"lixo\r\n" + formato(""), "fora de comandos", 1},
             {formato("X\r\n"), "descartada", 0},
             {formato("1X1100000100010L000010\r\n"), "sem área", 1},
             {formato("121100000100010" + std::string(dpl::kLinhaMaxima, 'x') + "\r\n"),
              "linha 3: linha além de 65536 caracteres cortada", 1},
             {formato("Q" + longo + "\r\n"), "valor \"" + longo.substr(0, 40) + "...\" inválido",
              1}}) {
        SCOPED_TRACE(c.spool);
        const auto r = dpl::interpretar(c.spool);
        EXPECT_EQ(r.etiquetas.size(), c.etiquetas);
        EXPECT_NE(avisos(r).find(c.aviso), std::string::npos) << avisos(r);
    }
}

// Wherever a piece ends, even between CR and LF, the reading is the whole spool's.
TEST(InterpretadorDpl, LeituraEmPedacosIgualAInteira) {
    struct Caso {
        std::string spool;
        bool dpl;
    };
    for (const auto& [spool, ehDpl] :
         std::vector<Caso>{{"\x02n\r\n" + formato("121100000100010um\r\nQ0005\r\nZZ\r\n") +
                                formato("1X1100000100010L000010\r\n") + "\x02L\r\n",
                            true},
                           // Lines ended by LF alone and by CR alone.
                           {"\x02n\n\x02L\n121100000100010um\rQ0003\nE\n\x02L\r"
                            "121100000100010dois\n1X1100000100010L000010\rE\r",
                            true},
                           {"~SD10^XA^FO1,1^FDa^FS^ZZ^XZ\x02", false}}) {
        const auto inteira = dpl::interpretarSpool(spool);
        if (ehDpl) {
            EXPECT_EQ(inteira.etiquetas.size(), 2u);
        }
        for (std::size_t corte = 0; corte <= spool.size(); ++corte) {
            dpl::LeitorSpool leitor(8, {});
            const auto r = apoio::lidoEmDoisPedacos(leitor, spool, corte);
            ASSERT_EQ(r.etiquetas.size(), inteira.etiquetas.size()) << corte;
            EXPECT_EQ(avisos(r), avisos(inteira)) << corte;
            EXPECT_EQ(leitor.dpl(), ehDpl) << corte;
            EXPECT_EQ(r.etiquetas[0].configuracao.copias, inteira.etiquetas[0].configuracao.copias);
        }
    }
}

// A reader that remembers repeated fields, now or labels later, reads what one without that
// memory reads.
TEST(InterpretadorDpl, CampoRepetidoLeComoOLidoDeNovo) {
    struct Caso {
        std::string inicio;
        std::vector<std::string> etiquetas;
    };
    const std::string zpl =
        "^XA^PW300^FO5,5^AZN,20^FDfixo^FS^FO1,1^BY3^BCN,30^FD12^FS"
        "^FO9,9^GB9,9,1^FS^FX nota^FS^FO2,2^BY2,4^A0N,20^FDvaria";
    // A field followed by another is read through the memory; the last one before ^XZ is not.
    const auto varia = [&zpl](const char* valor) {
        return zpl + valor + "^FS^FO4,4^A0N,20^FDfim^FS^XZ";
    };
    const std::string dpl =
        "121100000100010fixo\r\n1X1100000100010L000010\r\n1Z1100000100010a\r\n"
        "1911A2400200999longo demais para a largura\r\n";
    const std::vector<Caso> casos{
        {"~SD10",
         {varia("1"), varia("2"), varia("1"), varia("2"), varia("1"), zpl + "3^FS^XZ",
          zpl + "3^FS^XZ", "^XA^LH7,7^CI28" + zpl.substr(3) + "3^FS^XZ", varia("4"),
          zpl + "3^fs^FS^XZ", "^XA^CFB^FO5,5^AZN,20^FDfixo^FS^XZ",
          "^XA^FO5,5^AZN,20^FDfixo^FS^XZ"}},
        {"\x02n\r\n\x02KcLW0300\r\n",
         {formato(dpl + "121100000100010um\r\n"), formato(dpl + "121100000100010dois\r\n"),
          formato(dpl + "121100000100010um\r\n"), formato(dpl + "121100000100010dois\r\n"),
          formato(dpl + "121100000100010um\r\n"), formato(dpl), formato(dpl),
          formato("R0050\r\n" + dpl), formato("m\r\n" + dpl), formato(dpl, "\x02KcLW0200\r\n")}},
    };
    for (const auto& c : casos) {
        Interpretacao lembrando, esquecido;
        dpl::LeitorSpool leitor(8, {});
        leitor.redirecionar({[&](Etiqueta&& e) { lembrando.etiquetas.push_back(std::move(e)); },
                             [&](const Aviso& a) { lembrando.avisos.push_back(a); }});
        leitor.ler(c.inicio);
        for (const auto& etiqueta : c.etiquetas) {
            const auto antes = lembrando;
            const auto semMemoria = leitor.copia();
            esquecido = antes;
            semMemoria->redirecionar(
                {[&](Etiqueta&& e) { esquecido.etiquetas.push_back(std::move(e)); },
                 [&](const Aviso& a) { esquecido.avisos.push_back(a); }});
            for (auto* l : {static_cast<Leitor*>(&leitor), semMemoria.get()}) {
                l->ler(etiqueta);
                l->terminar();  // a ZPL reader holds the last command until then
            }
            EXPECT_EQ(avisos(lembrando), avisos(esquecido)) << etiqueta;
            EXPECT_TRUE(lembrando.etiquetas == esquecido.etiquetas) << etiqueta;
        }
        EXPECT_EQ(lembrando.etiquetas.size(), c.etiquetas.size());
        EXPECT_FALSE(lembrando.avisos.empty());
    }
}
