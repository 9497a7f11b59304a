// The check before a run through etiquetas-cli: the shipped templates filled
// from every shipped order file find nothing; a template with a token the
// routine never fills stops the print before its first label, is reported
// alone with --verificar, and prints with --ignorar-verificacao; fields
// printed over one another are found in the template that has them.

#include <gtest/gtest.h>

#include "ApoioImprimir.h"
#include "PastaDadosUsuario.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

// A shipped order file, every row ticked, checked before the run.
Resultado imprimirAmostra(const AplicacaoTemporaria& app, const std::string& amostra,
                          const Lista& opcoes) {
    return app.imprimir(app.ler(amostra), mais(opcoes, {"--todas"}), true);
}

}  // namespace

TEST(Verificacao, AmostrasComOsModelosInstaladosNaoTemErro) {
    AplicacaoTemporaria app;
    int verificadas = 0;
    for (const auto& e : fs::directory_iterator(app.pasta())) {
        if (e.path().extension() != ".xml") continue;
        for (const auto& impressora : {kZebra, kDatamax}) {
            const auto r = imprimirAmostra(app, e.path().filename().string(),
                                           mais(impressora, {"--verificar"}));
            const std::string nome = e.path().filename().string() + " " + impressora[1];
            EXPECT_EQ(r.saida.find("ERRO "), std::string::npos) << nome << "\n" << r.saida;
            if (r.codigo == 0) {
                ++verificadas;
                EXPECT_TRUE(contem(r.saida, "encontrou 0 erros e 0 avisos")) << nome << "\n"
                                                                             << r.saida;
            }
        }
    }
    EXPECT_GE(verificadas, 20);
    EXPECT_FALSE(fs::exists(app.pasta() / "job-1.spool")) << "--verificar sends nothing";
}

TEST(Verificacao, MarcadorNaoPreenchidoParaAntesDaPrimeiraEtiqueta) {
    AplicacaoTemporaria app;
    std::string modelo = app.ler("QuelmonteEtiqPrecoCartolinaZebra.zpl");
    substituirTodos(modelo, "^FDCOR^FS", "^FD:: COR_ALTERNATIVA ::^FS");
    app.gravar("QuelmonteEtiqPrecoCartolinaZebra.zpl", modelo);
    const std::string amostra = "Quelmonte_Preco_Cartolina_teste.xml";

    const auto relato = imprimirAmostra(app, amostra, mais(kZebra, {"--verificar"}));
    EXPECT_EQ(relato.codigo, 1);
    EXPECT_TRUE(contem(relato.saida,
                       "ERRO Linha 1 (pedido 4500123456, item 00010, variante 0012345001-7), "
                       "sequência 1, modelo QuelmonteEtiqPrecoCartolinaZebra.zpl: "
                       "\":: COR_ALTERNATIVA ::\" não foi preenchido"))
        << relato.saida;

    const auto previa = imprimirAmostra(
        app, amostra, mais(kZebra, {"--previa", textoDoCaminho(app.pasta() / "p")}));
    EXPECT_EQ(previa.codigo, 0) << previa.erros;
    EXPECT_TRUE(contem(previa.erros, "\":: COR_ALTERNATIVA ::\" não foi preenchido"))
        << previa.erros;

    esperarFalha(imprimirAmostra(app, amostra, kZebra), "--ignorar-verificacao");
    EXPECT_TRUE(app.trabalhos().empty());

    const auto impresso = imprimirAmostra(app, amostra, mais(kZebra, {"--ignorar-verificacao"}));
    EXPECT_EQ(impresso.codigo, 0) << impresso.erros;
    EXPECT_FALSE(app.trabalhos().empty());
}

// The Datamax ILPN label as it was shipped before: the order number ran into
// the store number and the large numbers covered their headings.
TEST(Verificacao, SobreposicoesDoModeloIlpnDatamaxAntigo) {
    AplicacaoTemporaria app;
    app.gravar("QuelmonteEtiqIlpnDataMax.prn",
               "\x02L\r\nD11\r\nH::Temperatura::\r\nP:: CMD_VELOCIDADE ::\r\n"
               "121100005200020PEDIDO\r\n142200004900020:: PEDIDO ::\r\n"
               "121100005200220DESTINO\r\n144400004600220:: DESTINO ::\r\nQ0001\r\nE\r\n");
    const auto r = imprimirAmostra(app, "Amostra_Volume_Ilpn.xml",
                                   mais(kDatamax, {"--verificar", "--tipo", "Etiqueta ILPN"}));
    EXPECT_EQ(r.codigo, 1);
    for (const char* achado : {"ERRO Linha 1 (", "modelo QuelmonteEtiqIlpnDataMax.prn, texto \"",
                               "sobrepõe texto \"DESTINO\" em 447,"})
        EXPECT_TRUE(contem(r.saida, achado)) << achado << "\n" << r.saida;
}

// After "only what was never printed" the check names a row as the grid
// numbers it, not as the shortened request does.
TEST(Verificacao, DepoisDeDeixarDeLadoNomeiaALinhaDaGrade) {
    DadosProprios dados;
    AplicacaoTemporaria app;
    Variante outra = faixa("1", "2");
    outra.codigo = "000124";
    const std::string xml = xmlPreco(1, {faixa("1", "2"), outra});
    ASSERT_EQ(app.imprimir(xml, mais(kZebra, {"--linhas", "1"})).codigo, 0);
    std::string modelo = app.ler("QuelmonteEtiqPrecoCartolinaZebra.zpl");
    substituirTodos(modelo, "^FDCOR^FS", "^FD:: COR_ALTERNATIVA ::^FS");
    app.gravar("QuelmonteEtiqPrecoCartolinaZebra.zpl", modelo);

    const auto r = app.imprimir(xml, mais(kTodasZebra, {"--sem-repetir"}), true);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(contem(r.erros, "ERRO Linha 2 (pedido 4512, item 10, variante 0000000124-"))
        << r.erros;
}

// The check meets the failure the run would meet after its first box: nothing
// goes out.
TEST(Verificacao, CaixasAlemDosVolumesParamAntesDaPrimeiraEtiqueta) {
    AplicacaoTemporaria app;
    const auto r =
        app.imprimir(xmlVolume(4, {Loja{.volumes = {{"1"}}}}),
                     mais(kTodasZebra, {"--tipo", "Etiqueta ILPN", "--caixas", "1:3"}), true);
    esperarFalha(r, "ERRO Linha 1 (pedido 4510000001, item 00010): A loja 0012");
    esperarFalha(r, "e 3 caixas a etiquetar.");
    esperarFalha(r, "Nenhuma etiqueta foi impressa");
    EXPECT_TRUE(app.trabalhos().empty());
}
