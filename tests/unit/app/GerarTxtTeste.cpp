#include <gtest/gtest.h>

#include "../orderfile/ModelosPedidos.h"
#include "AplicacaoDeTeste.h"

using namespace etiquetas;
using namespace etiquetas::teste;

// The grid check leaves the cursor busy for its caller: the command gives it
// back whether a file was written (a box without icon) or the type has none.
TEST(GerarTxt, CursorLivreDepoisDoComando) {
    for (const std::string tipo : {"1", "5", "99"}) {
        AtributosPedido a;
        a.tipo = tipo;
        AplicacaoDeTeste t;
        t.abrir("p.xml", arquivoPreco(pedidoPreco(a, item("00010", variante("V1"))),
                                      " AutorizadoGerarTXT=\"True\""));
        t.janela().sprPedidos.clicarCaixa(1);
        t.plataforma.mensagens.clear();
        t.janela().cmdGerarTxt.clicar();
        ASSERT_EQ(t.plataforma.mensagens.size(), tipo == "1" ? 1u : 0u) << tipo;
        for (const auto& m : t.plataforma.mensagens) EXPECT_EQ(m.icone, Icone::Nenhum);
        EXPECT_FALSE(t.plataforma.ocupado()) << tipo;
    }
}
