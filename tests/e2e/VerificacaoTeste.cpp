// The check before a run through etiquetas-cli.

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

// Every family, printer line, layout, type and separator of the samples: nothing found.
TEST(Verificacao, CadaFamiliaNasDuasImpressorasSemAchado) {
    AplicacaoTemporaria app;
    const struct {
        const char* amostra;
        Lista opcoes;
        bool novo = false;  // the sample with the new layout
    } casos[]{
        {"Quelmonte_Preco_Cartolina_teste.xml", {}},
        {"Quelmonte_Preco_Cartolina_teste.xml", {}, true},
        {"Quelmonte_Preco_Cartolina_teste.xml", {"--separador"}},
        {"Amostra_Preco_Cartolina_GerarTxt.xml", {}},
        {"Amostra_Preco_CartolinaComSem.xml", {}},
        {"Amostra_Preco_CartolinaComSem.xml", {}, true},
        {"Amostra_Preco_Conjunto.xml", {}},
        {"Quelmonte_Preco_Adesiva_teste.xml", {}},
        {"Quelmonte_Preco_Adesiva_teste.xml", {}, true},
        {"Amostra_Preco_AdesivaIntima.xml", {}},
        {"Amostra_Preco_AdesivaIntima.xml", {}, true},
        {"Amostra_Preco_Cosmetico.xml", {}},
        {"Amostra_Preco_Cosmetico.xml", {}, true},
        {"Amostra_Preco_Relogio.xml", {"--separador"}},
        {"Amostra_Preco_Sku.xml", {"--tipo", "Etiq.Interna"}},
        {"Amostra_Preco_Sku.xml", {"--tipo", "Etiq.Caixa"}},
        {"Amostra_Volume_Ilpn.xml", {"--tipo", "Etiqueta ILPN"}},
        {"Amostra_Volume_Ilpn.xml", {"--tipo", "Etiqueta Volume"}},
        {"Amostra_Volume_Padrao_GerarTxt.xml", {}},
        {"Amostra_Volume_ReposAuto_GerarTxt.xml", {}},
        {"Quelmonte_Grade_Volume_Padrao_teste.xml", {}},
        {"Quelmonte_Grade_Volume_ReposAuto_teste.xml", {}},
    };
    for (const auto& c : casos) {
        std::string xml = app.ler(c.amostra);
        ASSERT_FALSE(xml.empty()) << c.amostra;
        if (c.novo) substituirTodos(xml, "LayoutNovo=\"False\"", "LayoutNovo=\"True\"");
        for (const auto& impressora : {kZebra, kDatamax}) {
            const auto r = app.imprimir(
                xml, mais(impressora, mais(c.opcoes, {"--todas", "--verificar"})), true);
            std::string nome = c.amostra;
            for (const auto& o : mais(c.opcoes, {c.novo ? "novo" : "", impressora[1]}))
                nome += " " + o;
            EXPECT_EQ(r.codigo, 0) << nome << "\n" << r.saida << r.erros;
            EXPECT_TRUE(contem(r.saida, "encontrou 0 erros e 0 avisos")) << nome << "\n" << r.saida;
        }
    }
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

// The ILPN Datamax template and set-up shipped before: overlaps and cut boxes are found.
TEST(Verificacao, ModeloIlpnEConfiguracaoDatamaxAntigos) {
    AplicacaoTemporaria app;
    for (const auto& [antigo, instalado] :
         {std::pair("QuelmonteEtiqIlpnDataMaxAntigo.prn", "QuelmonteEtiqIlpnDataMax.prn"),
          std::pair("QuelmonteConfiguracaoDatamaxAntiga.prn", "QuelmonteConfiguracaoDatamax.prn")})
        fs::copy_file(fs::path(ETIQUETAS_DADOS_E2E) / antigo, app.pasta() / instalado,
                      fs::copy_options::overwrite_existing);
    const auto r =
        app.imprimir(app.ler("Amostra_Volume_Ilpn.xml"),
                     mais(kTodasDatamax, {"--verificar", "--tipo", "Etiqueta ILPN"}), true);
    EXPECT_EQ(r.codigo, 1);
    const std::string linha1 =
        "ERRO Linha 1 (pedido 4510000006, item 00010, loja 0501), caixa 1, "
        "modelo QuelmonteEtiqIlpnDataMax.prn, ";
    for (const std::string& achado :
         {linha1 + "texto \"4510000006\" em 41,121: sobrepõe texto \"PEDIDO\" em 41,114",
          linha1 + "caixa em 12,0: passa 138 pontos da borda da etiqueta (650 x 1189 pontos)",
          std::string("ERRO Linha 2 (pedido 4510000006, item 00010, loja 0502), caixa 1, modelo "
                      "QuelmonteEtiqIlpnDataMax.prn, texto \"0502\" em 447,110: sobrepõe texto "
                      "\"DESTINO\" em 447,114")})
        EXPECT_TRUE(contem(r.saida, achado)) << achado << "\n" << r.saida;
}

// After "only what was never printed" a row is named as the grid numbers it.
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

// The check meets the failure the run would meet after its first box: nothing goes out.
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
