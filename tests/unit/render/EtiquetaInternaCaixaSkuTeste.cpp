#include <gtest/gtest.h>

#include "BancadaRotina.h"
#include "comum/CamposGrade.h"
#include "render/EtiquetaInternaCaixaSku.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

using Rotina = decltype(&ImprimirEtiquetaSku);

// One row printed by a sheet routine against a throw-away folder.
struct Execucao : BancadaRotina {
    Execucao() {
        pasta.copiarDados("QuelmonteSeparadorSKU.zpl");
        pasta.copiarDados("QuelmonteSeparadorSKU.prn");
    }
    void imprimir(Rotina rotina, const std::string& modelo, const std::string& tipoEtiq,
                  const std::string& depto = "42") {
        teste::LinhaPreco l;
        l.ultima = "1", l.depto = depto;
        Grade grade = gradePreco({l});
        grade.definirTexto(1, coluna(CampoPreco::TipoEtiq), tipoEtiq);
        grade.definirTexto(1, coluna(CampoPreco::CorIngles), "BLUE");
        grade.definirTexto(1, coluna(CampoPreco::TamanhoIngles), "MEDIUM");
        BancadaRotina::imprimir(rotina, grade, modelo,
                                parametros.linguagem == Linguagem::Zebra
                                    ? "QuelmonteSeparadorSKU.zpl"
                                    : "QuelmonteSeparadorSKU.prn");
    }
};

const std::string kModeloTokens =
    "T=:: Temperatura ::|::Temperatura::|V=:: CMD_VELOCIDADE ::\r\n"
    "[:: NUM_COD_BARRAS3 ::|:: NUM_COD_BARRAS1 ::|:: NUM_COD_BARRAS2 ::|:: NUM_COD_BARRAS ::|"
    ":: NUM_COD_BARRAS ::|:: NUM_COD_BARRAS3 ::|:: NUM_COD_BARRAS3 ::|:: COR_INGLES ::|"
    ":: TAMANHO_INGLES ::|:: COR ::|:: DCO ::|:: TAMANHO ::|:: DESC_PROD ::|:::: COR ::|:: X ::]";

}  // namespace

// The whole sheet, byte for byte.
TEST(EtiquetaInternaCaixaSku, FolhaByteAByte) {
    struct Caso {
        Rotina rotina;
        std::string tipoEtiq, esperado;
    };
    const std::string comum = "|BLUE|MEDIUM|AZUL|42|M|BLUSA MALHA|::AZUL|:: X ::]\r\n";
    for (const auto& c : std::vector<Caso>{
             {ImprimirEtiquetaInternaCaixa, "2",
              "T=8|8|V=4\r\n[5 0002|2|0000000 123|2000000012350002|2000000012350003|5 0003|"
              ":: NUM_COD_BARRAS3 ::" +
                  comum},
             {ImprimirEtiquetaSku, "5",
              "T=8|8|V=4\r\n[5 0001|3 |0000000 123|3000000012350001|3000000012350001|5 0001|"
              "5 0001" +
                  comum}}) {
        Execucao e;
        e.pasta.gravar("QuelmonteEtiqInternaZebra.zpl", kModeloTokens);
        e.imprimir(c.rotina, "QuelmonteEtiqInternaZebra.zpl", c.tipoEtiq);
        ASSERT_TRUE(e.resultado.concluida()) << e.resultado.falha->descricao;
        ASSERT_GE(e.trabalhos().size(), 2u);
        const auto& folha = e.trabalhos()[1];
        EXPECT_EQ(std::tuple(folha.spool, folha.tipo, folha.etiquetas, folha.texto),
                  std::tuple("SpoolEtqVol.PRN", TipoTrabalho::Etiqueta, 2, c.esperado));
    }
}
