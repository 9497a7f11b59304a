#include <gtest/gtest.h>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

std::string valorEntre(const std::string& texto, const std::string& antes,
                       const std::string& depois, std::size_t desde = 0) {
    const auto p = texto.find(antes, desde);
    if (p == std::string::npos) return "<ausente>";
    const auto inicio = p + antes.size();
    return texto.substr(inicio, texto.find(depois, inicio) - inicio);
}

// The data of every Code 128 field of a ZPL job, in order.
Lista codigosBarras(const std::string& spool) {
    Lista r;
    for (auto p = spool.find("^BC"); p != std::string::npos; p = spool.find("^BC", p + 1))
        r.push_back(valorEntre(spool, "^FD", "^FS", p));
    return r;
}

bool separador(const Trabalho& t) {
    return t.spool.find("SEPARADOR") != std::string::npos;
}

}  // namespace

// Type 3: one label per box, tokens filled, a separator before another item's row.
TEST(Volume, ReposicaoUmaEtiquetaPorCaixaDaGrade) {
    AplicacaoTemporaria app;
    const Loja tres, nenhuma{.codigo = "0013", .item = "00020"};
    const auto jobs = app.imprimirBem(xmlVolume(3, {tres, nenhuma}, false),
                                      mais(kTodasZebra, {"--separador", "--caixas", "2:0"}));
    ASSERT_EQ(jobs.size(), 5u);
    EXPECT_TRUE(separador(jobs[0]));
    EXPECT_TRUE(separador(jobs[4]));
    EXPECT_NE(jobs[4].spool.find("ITEM PED.: 0020"), std::string::npos);
    const Lista volumes{"001", "002", "003"};
    for (int i = 0; i < 3; ++i) {
        const auto& s = jobs[i + 1].spool;
        SCOPED_TRACE(i);
        EXPECT_EQ(arquivoDoSpool(jobs[i + 1]), "SpoolEtqVol.PRN");
        EXPECT_EQ(codigosBarras(s), Lista{"00120000123456" + volumes[i] + "003"});
        EXPECT_EQ(valorEntre(s, "^A0N,130,110^FD", "^FS"), "Vol." + volumes[i] + "/003");
        EXPECT_EQ(valorEntre(s, "^FB720,1,0,L^FH\\^FD", "^FS"), "0012");
        EXPECT_NE(s.find("^FD0000123456^FS"), std::string::npos);
        EXPECT_NE(s.find("BUREAU 000042"), std::string::npos);
        EXPECT_EQ(s.substr(0, 8), "~SD8\r\n^X");  // temperature as typed
        EXPECT_NE(s.find("^PR4\r\n"), std::string::npos);
        EXPECT_EQ(s.find("::"), std::string::npos) << "a token left unfilled";
    }
}

#ifndef _WIN32
// Type 4: series of at most 999; not under wine, where hundreds of script runs time out.
TEST(Volume, PadraoNumeraEmSeriesDeAte999) {
    // A Datamax batches three labels a job, and the script keeps every job in one file.
    AplicacaoTemporaria app("cat \"$1\" >> \"$(dirname \"$0\")/todos.spool\"\n");
    app.gravar("QuelmonteEtiqVolumePadraoDataMax.prn",
               "V=::Volume::;B=::CodBarras::;G=::QuantGrade::;T=::Temperatura::\r\n");
    struct Caso {
        std::string quantidade;
        std::map<int, std::string> volumes;  // label number -> "n/m"
    };
    const std::vector<Caso> casos{
        {"5", {{1, "001/005"}, {5, "005/005"}}},
        {"1000", {{1, "001/999"}, {999, "999/999"}, {1000, "001/001"}}},
        {"1200", {{999, "999/999"}, {1000, "001/201"}, {1200, "201/201"}}},
        {"0", {}}};
    std::vector<Loja> lojas;
    for (std::size_t i = 0; i < casos.size(); ++i) {
        Loja l;
        l.codigo = std::to_string(100 + i);
        l.etiquetas = casos[i].quantidade;
        lojas.push_back(l);
    }
    const auto r =
        app.imprimir(xmlVolume(4, lojas), mais(kTodasDatamax, {"--tipo", "Etiqueta Volume"}));
    ASSERT_EQ(r.codigo, 0) << r.erros;
    std::istringstream todas(app.ler("todos.spool"));
    Lista etiquetas;
    for (std::string l; std::getline(todas, l);)
        if (l.starts_with("V=")) etiquetas.push_back(l);
    ASSERT_EQ(etiquetas.size(), 2205u);
    std::size_t primeira = 0;
    for (const auto& c : casos) {
        for (const auto& [n, volume] : c.volumes) {
            const auto& e = etiquetas.at(primeira + n - 1);
            const std::string codigo = volume.substr(0, 3) + volume.substr(4);
            EXPECT_EQ(e, "V=" + volume + ";B=0000123456" + codigo + ";G=[012];T=08\r")
                << c.quantidade << " #" << n;
        }
        primeira += std::stoul(c.quantidade);
    }
}
#endif

// Datamax labels three a job, others one; order text like a token prints as it stands.
TEST(Volume, DatamaxEmLotesDeTres) {
    struct Caso {
        int tipo;
        std::string variante;
        const char* spool;
    };
    for (const auto& c : std::vector<Caso>{{3, "", "SpoolEtqVol.PRN"},
                                           {4, "Etiqueta Volume", "SpoolEtqVolPad.PRN"},
                                           {4, "Etiqueta ILPN", "SpoolEtqVolPad.PRN"}}) {
        SCOPED_TRACE(std::to_string(c.tipo) + c.variante);
        const std::string falso = "::Temperatura:::: CMD_VELOCIDADE ::";
        Loja quatro{.etiquetas = "4", .volumes = {{"1"}, {"2"}, {"3"}, {"4"}}},
            tres{.codigo = "0013"};
        for (auto* l : {&quatro, &tres}) {
            l->campos["CodigoBureau"] = falso;
            for (auto& v : l->volumes) v.campos["desAuxiliar_2"] = falso;
        }
        for (const auto& [impressora, lotes] :
             std::vector<std::pair<Lista, std::vector<std::size_t>>>{
                 {kDatamax, {3, 3, 1}}, {kZebra, {1, 1, 1, 1, 1, 1, 1}}}) {
            AplicacaoTemporaria app;
            Lista opcoes = mais(impressora, {"--todas"});
            if (!c.variante.empty()) opcoes = mais(opcoes, {"--tipo", c.variante});
            std::vector<std::size_t> etiquetas;
            for (const auto& j :
                 app.imprimirBem(xmlVolume(c.tipo, {quatro, tres}, c.tipo == 4), opcoes)) {
                etiquetas.push_back(contar(j.spool, "^XA") + contar(j.spool, "\x02L"));
                EXPECT_EQ(arquivoDoSpool(j), c.spool);
                EXPECT_TRUE(j.spool.ends_with("E\r\n\r\n") || j.spool.ends_with("^XZ\r\n\r\n"));
                EXPECT_TRUE(impressora != kZebra || contem(j.spool, falso)) << j.spool;
            }
            EXPECT_EQ(etiquetas, lotes);
        }
    }
}

// Rows of one order and item share a separator; each row's labels come from its store.
TEST(Volume, UmSeparadorPorPedidoEItem) {
    const Loja a, b{.codigo = "0013", .etiquetas = "1"},
        c{.pedido = "4510000002", .codigo = "0013", .etiquetas = "2", .grade = "6"};
    for (const auto& [separa, esperado] : std::vector<std::pair<bool, Lista>>{
             {true,
              {"S 4510000001 0010", "[012]", "[012]", "[012]", "[012]", "S 4510000002 0010",
               "[006]", "[006]"}},
             {false, {"[012]", "[012]", "[012]", "[012]", "[006]", "[006]"}}}) {
        AplicacaoTemporaria app;
        Lista opcoes = mais(kTodasZebra, {"--tipo", "Etiqueta Volume"});
        if (separa) opcoes.push_back("--separador");
        Lista ordem;
        for (const auto& j : app.imprimirBem(xmlVolume(4, {a, b, c}), opcoes))
            ordem.push_back(separador(j) ? "S " + valorEntre(j.spool, "PEDIDO: ", "^FS") + " " +
                                               valorEntre(j.spool, "ITEM PED.: ", "^FS")
                                         : valorEntre(j.spool, "^A0N,80,70^FH\\^FD", "^FS"));
        EXPECT_EQ(ordem, esperado) << separa;
    }
}

// ILPN: the i-th volume entry for the i-th box; order text kept from printer commands.
TEST(Volume, IlpnUmVolumeDoArquivoPorCaixa) {
    Loja l;
    l.volumes = {{"000501", {{"codMercadoria", "000012345"}, {"qtdeTotal", "012"}}},
                 {"000502", {{"desAuxiliar_1", "A^XZ~B\\C"}, {"codBarra", "78^XZ9"}}},
                 {"000503", {{"codMercadoria", "0000"}}}};
    struct Caso {
        std::string caixas;
        Lista volumes;
    };
    for (const auto& c :
         std::vector<Caso>{{"", {"000501", "000502", "000503"}}, {"2", {"000501", "000502"}}}) {
        AplicacaoTemporaria app;
        Lista opcoes = mais(kTodasZebra, {"--tipo", "Etiqueta ILPN"});
        if (!c.caixas.empty()) opcoes = mais(opcoes, {"--caixas", "1:" + c.caixas});
        Lista volumes;
        for (const auto& j : app.imprimirBem(xmlVolume(4, {l}), opcoes))
            volumes.push_back(
                valorEntre(j.spool, "^FB720,1,0,L^FH\\^FD", "^FS", j.spool.find("VOLUME")));
        EXPECT_EQ(volumes, c.volumes) << c.caixas;
    }
    AplicacaoTemporaria app;
    // The variant list hidden (no store marked ILPN) prints ILPN labels too.
    const auto jobs = app.imprimirBem(xmlVolume(4, {l}, false), kTodasZebra);
    ASSERT_EQ(jobs.size(), 3u);
    const auto campo = [](const std::string& s, const std::string& rotulo) {
        return valorEntre(s, "^FD", "^FS", s.find("^FD" + rotulo + "^FS") + 4);
    };
    EXPECT_EQ(campo(jobs[0].spool, "ARTIGO"), "12345");
    EXPECT_EQ(campo(jobs[0].spool, "QTDE"), "12");
    EXPECT_EQ(campo(jobs[2].spool, "ARTIGO"), "0000");
    EXPECT_EQ(campo(jobs[0].spool, "DESTINO"), "0012");
    EXPECT_EQ(campo(jobs[0].spool, "PEDIDO"), "4510000001");
    EXPECT_NE(jobs[1].spool.find("^FDA\\5EXZ\\7EB\\5CC^FS"), std::string::npos);
    EXPECT_EQ(codigosBarras(jobs[1].spool), (Lista{"99000502", "78XZ9"}));
    EXPECT_EQ(contar(jobs[1].spool, "^XZ"), 1u);
}

// A run that cannot print every label says why after what it sent, never success.
TEST(Volume, FalhasParamAExecucaoComMotivo) {
    const Loja doisVolumes{.volumes = {{"1"}, {"2"}}};
    struct Caso {
        const char* nome;
        Loja loja;
        Lista opcoes;
        std::size_t enviados;
        std::string mensagem;
    };
    const Lista ilpn = mais(kTodasZebra, {"--tipo", "Etiqueta ILPN"});
    const Lista padrao = mais(kTodasZebra, {"--tipo", "Etiqueta Volume"});
    const Lista datamax = mais(kTodasDatamax, {"--tipo", "Etiqueta ILPN", "--caixas", "1:3"});
    const std::vector<Caso> casos{
        {"mais caixas que volumes", doisVolumes, mais(ilpn, {"--caixas", "1:3"}), 2,
         "A loja 0012 (Pedido 4510000001, Item 00010) tem 2 volumes no arquivo de pedidos e 3 "
         "caixas a etiquetar."},
        {"o lote Datamax sai antes", doisVolumes, datamax, 1, "tem 2 volumes"},
        {"volume sem elemento", Loja{.volumes = {{"1"}, {"2", {{"codDco", "-"}}}}}, ilpn, 1,
         "Falta o elemento codDco no volume 2 da loja 0012"},
        {"qtdeTotal fora de 16 bits", Loja{.volumes = {{"1", {{"qtdeTotal", "70000"}}}}}, ilpn, 0,
         "qtdeTotal no volume 1 da loja 0012 (Pedido 4510000001, Item 00010) não é um número"},
        // The 16-bit limits from both sides: the limit passes and the run stops beyond it.
        {"qtdeTotal no limite",
         Loja{.volumes = {{"1", {{"qtdeTotal", "32767"}}}, {"2", {{"codDco", "-"}}}}}, ilpn, 1,
         "Falta o elemento codDco no volume 2"},
        {"qtdeTotal além do limite", Loja{.volumes = {{"1", {{"qtdeTotal", "32768"}}}}}, ilpn, 0,
         "não é um número inteiro de -32768 a 32767: \"32768\"."},
        {"QuantidadeEtiqueta no limite",
         Loja{.etiquetas = "32767", .campos = {{"QuantidadePecGrade", "-"}}}, padrao, 0,
         "Falta o elemento QuantidadePecGrade na loja 0012"},
        {"QuantidadeEtiqueta além do limite", Loja{.etiquetas = "32768"}, padrao, 0,
         "QuantidadeEtiqueta da loja 0012 (Pedido 4510000001, Item 00010) passa de 32767"},
        {"sem QuantidadeEtiqueta", Loja{.campos = {{"QuantidadeEtiqueta", "-"}}}, padrao, 0,
         "Falta o elemento QuantidadeEtiqueta na loja 0012"},
        {"QuantidadeEtiqueta sem número", Loja{.etiquetas = "muitas"}, padrao, 0,
         "QuantidadeEtiqueta da loja 0012 (Pedido 4510000001, Item 00010) não é um número: "
         "\"muitas\"."}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        AplicacaoTemporaria app;
        const auto r = app.imprimir(xmlVolume(4, {c.loja}), c.opcoes);
        esperarFalha(r, c.mensagem);
        EXPECT_TRUE(contem(r.erros, "[Erro !] ") &&
                    contem(r.erros, "Linha 1 da grade, modelo QuelmonteEtiq"))
            << r.erros;
        const auto jobs = app.trabalhos();
        EXPECT_EQ(jobs.size(), c.enviados);
        if (c.opcoes == datamax) {
            EXPECT_EQ(contar(jobs.at(0).spool, "\x02L"), 2u);
        }
    }
}

TEST(Volume, CaixasQueNaoSaoNumeroInteiroSaoRecusadas) {
    AplicacaoTemporaria app;
    esperarFalha(
        app.imprimir(xmlVolume(3, {Loja{}}, false), mais(kTodasZebra, {"--caixas", "1:40000"})),
        "Qtd. de Caixas precisa ser um número inteiro");
    EXPECT_TRUE(app.trabalhos().empty());
}
