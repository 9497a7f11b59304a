// What a request keeps of its rows once the history says what was sent.

#include <gtest/gtest.h>

#include "../render/ApoioImpressao.h"
#include "app/RegistroHistorico.h"
#include "comum/CamposGrade.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

RepeticaoEncontrada repeticao(int linha, long long primeira, long long ultima) {
    RepeticaoEncontrada r;
    r.linha = linha;
    r.faixa = {1, false, "4512", "0000000123-5", 1, 10};
    r.anterior = {primeira, ultima, "2026-12-07 10:31:05", "ZEBRA,2,ZPL", "LPT1"};
    return r;
}

}  // namespace

// A row partly sent becomes its parts never sent, a row wholly sent drops
// out, an unticked row is not asked for, other rows stay as they are.
TEST(RegistroHistorico, LinhasNuncaImpressas) {
    teste::LinhaPreco parte, toda, outra, desmarcada;
    parte.primeira = toda.primeira = "1";
    parte.ultima = toda.ultima = "10";
    outra.pedido = "7";
    desmarcada.marcada = "0";
    const Grade grade = gradePreco({parte, toda, desmarcada, outra});
    const LinhasNuncaImpressas linhas(
        grade, false,
        {repeticao(1, 3, 4), repeticao(1, 7, 8), repeticao(2, 1, 6), repeticao(2, 5, 10)});
    std::vector<std::string> lidas;
    for (int l = 0; l <= linhas.linhas(); ++l)
        lidas.push_back(linhas.texto(l, coluna(CampoPreco::Pedido)) + " " +
                        linhas.texto(l, coluna(CampoPreco::SequenciaInicial)) + "-" +
                        linhas.texto(l, coluna(CampoPreco::SequenciaFinal)));
    EXPECT_EQ(lidas, (std::vector<std::string>{grade.texto(0, coluna(CampoPreco::Pedido)) + " " +
                                                   grade.texto(0, 23) + "-" + grade.texto(0, 24),
                                               "4512 1-2", "4512 5-6", "4512 9-10", "7 1-2"}));
    EXPECT_EQ(textoRepeticao(repeticao(1, 3, 4)),
              "Sequências 3-4 da variante 0000000123-5 já impressas em 07/12 10:31 na ZEBRA "
              "(LPT1)");
}
