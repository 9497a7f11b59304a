#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "ApoioImprimir.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

TEST(Imprimir, CartolinaZebraFaixasCodigosMolduraEArgumentos) {
    AplicacaoTemporaria app;
    // Rows: 5-5, 1-5, 9998-10001 (edited from the file's 9990-10010), 10005-10006.
    const auto xml = xmlPreco(
        1, {faixa("5", "5"), faixa("1", "5"), faixa("9990", "10010"), faixa("10005", "10006")});
    const auto r = app.imprimir(xml, mais(kTodasZebra, {"--sequencia", "3:9998-10001"}));
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_TRUE(
        contem(r.erros, "[Fim da Impressão] Impressão das Etiquetas concluída com sucesso !"));
    const auto jobs = app.trabalhos();
    const std::string p = "200000001235";
    const std::vector<Lista> esperados{
        {p + "0005", p + "0006"},  // 5-5: one unit
        {p + "0001", p + "0002"}, {p + "0003", p + "0004"}, {p + "0005", p + "0006"},  // 1-5
        {p + "9998", p + "9999"}, {p + "0001", p + "0002"},  // 9998-10001 wraps
        {p + "0006", p + "0007"}};                           // 10005 starts at 6
    ASSERT_EQ(jobs.size(), esperados.size());
    // Header, CR LF, body, footer and a final CR LF; speed and temperature filled.
    std::string modelo = app.ler("QuelmonteEtiqPrecoCartolinaZebra.zpl");
    substituirTodos(modelo, ":: CMD_VELOCIDADE ::", "4");
    substituirTodos(modelo, ":: Temperatura ::", "08");
    const auto cabecalho = modelo.substr(0, modelo.find("#INICIO#")) + "\r\n\r\n";
    const auto rodape = modelo.substr(modelo.find("#FIM#") + 5) + "\r\n";
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const auto& s = jobs[i].spool;
        EXPECT_EQ(codigosZpl(s), esperados[i]) << "job " << i + 1;
        EXPECT_EQ(s.substr(0, cabecalho.size()), cabecalho);
        EXPECT_EQ(s.substr(s.size() - rodape.size()), rodape);
        EXPECT_EQ(jobs[i].args,
                  (Lista{(app.pasta() / "SpoolEtq.PRN").string(), "LPT1", "9600", "N", "8", "1"}));
    }
}

TEST(Imprimir, CodigoDeBarrasZebraComTrocaEDatamaxSimplesComConfiguracaoAntes) {
    Variante v = faixa("42", "43"), w = faixa("9999", "9999");
    v.codigo = w.codigo = "12345678901";
    v.campos["Digito"] = w.campos["Digito"] = "7";
    {
        AplicacaoTemporaria app;
        const auto jobs = app.imprimirBem(xmlPreco(1, {v, w}), kTodasZebra);
        ASSERT_EQ(jobs.size(), 2u);
        EXPECT_EQ(codigosZpl(jobs[0].spool), (Lista{"2123456789017004>62", "2123456789017004>63"}));
        // 9999 + 1 is not wrapped within a unit: the five-digit number pairs up again.
        EXPECT_EQ(codigosZpl(jobs[1].spool), (Lista{"2123456789017999>69", "212345678901710000"}));
    }
    AplicacaoTemporaria app;
    v.campos["SequenciaFinal"] = "45";  // two units
    const auto jobs = app.imprimirBem(xmlPreco(1, {v}), mais(kTodasDatamax, {"--separador"}));
    EXPECT_EQ(arquivosDosSpools(jobs), (Lista{"SpoolEtq.PRN", "SpoolEtqImg.prn", "SpoolEtq.PRN",
                                              "SpoolEtqImg.prn", "SpoolEtq.PRN"}));
    ASSERT_EQ(jobs.size(), 5u);
    EXPECT_EQ(jobs[1].spool, app.ler("QuelmonteConfiguracaoDatamax.prn") + "\r\n");
    EXPECT_EQ(codigosDpl(jobs[2].spool), (Lista{"21234567890170042", "21234567890170043"}));
    // Empty Datamax speed is "C"; temperature 8 is 08 in the template, 8 in the separator.
    EXPECT_NE(jobs[2].spool.find("\r\nH08\r\nPC\r\n"), std::string::npos);
    EXPECT_NE(jobs[0].spool.find("\r\nH8\r\nPC\r\n"), std::string::npos);
    EXPECT_NE(jobs[0].spool.find("PEDIDO: 0000004512"), std::string::npos);
}

TEST(Imprimir, LayoutDoIniDeslocamentosFonteTamanhoEJuncoes) {
    AplicacaoTemporaria app;
    // The first key of a section wins: the inserted ones replace the shipped.
    app.ajustarIni("QuelmonteEtiqPrecoZebra",
                   "Repeticao=0002\r\nLargura=0300\r\nFonteCodigo=@\r\nFonteNome=E:ARIAL.TTF");
    app.gravar("QuelmonteEtiqPrecoCartolinaZebra.zpl",
               "^XA\r\n#INICIO#\r\nO=GGGG;F=^A*N,20,20,FONTE_NOME;U=:: TamanhoUnico ::;"
               "T=:: Tamanho ::;C=:: Catalogo ::;P=:: Promocao ::;\r\n#FIM#\r\n^XZ");
    Variante v = faixa("1", "4");
    v.campos["Tamanho"] = "u";
    v.campos["Tendencia"] = "X";
    const auto jobs = app.imprimirBem(xmlPreco(1, {v}), kTodasZebra);
    ASSERT_EQ(jobs.size(), 2u);
    const std::string comum = ";F=^A@N,20,20,E:ARIAL.TTF;U=UNICO;T=;C=X;P=A - C;";
    EXPECT_EQ(jobs[0].spool, "^XA\r\n\r\n\r\nO=0000" + comum + "\r\n\r\n^XZ\r\n");
    EXPECT_EQ(jobs[1].spool, "^XA\r\n\r\n\r\nO=-0300" + comum + "\r\n\r\n^XZ\r\n");
}

TEST(Imprimir, ComSemEConjuntoPrefixosESupressaoSoParaOrigemI) {
    struct Caso {
        int tipo;
        std::string origem, a, b;
        bool suprimido;
    };
    // Which origins suppress is the routine's matter; here each prefix pair gets the origin.
    for (const auto& c : std::vector<Caso>{{5, "I", "3", "4", true}, {9, "N", "5", "6", false}}) {
        AplicacaoTemporaria app;
        Variante v = faixa("9998", "10000");
        v.campos["OrigemSolicitacao"] = c.origem;
        const auto jobs = app.imprimirBem(xmlPreco(c.tipo, {v}), kTodasZebra);
        const Lista sequencias{"9998", "9999", "0001"};  // one unit per number, wrapped
        ASSERT_EQ(jobs.size(), sequencias.size());
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            const auto& n = sequencias[i];
            EXPECT_EQ(codigosZpl(jobs[i].spool),
                      (Lista{c.a + "00000001235" + n, c.b + "00000001235" + n}));
            EXPECT_EQ(contar(jobs[i].spool, "129,90"), c.suprimido ? 0u : 2u) << c.tipo << c.origem;
            EXPECT_EQ(contar(jobs[i].spool, "R$"), c.suprimido ? 0u : 2u) << c.tipo << c.origem;
        }
    }
}

// A separator before the first ticked row of each order and item; leading zeros are equal.
TEST(Imprimir, UmSeparadorPorMudancaDePedidoOuItem) {
    struct Caso {
        int tipo;
        std::string ultima, linhas, marcadas;  // linhas: "pedido/item ..."; marcadas: "" all
        std::string ordem;                     // jobs, "e" for a label
    };
    for (const auto& c : std::vector<Caso>{
             {1, "1", "100/10 100/10 100/20 200/20 100/20", "1-3,5",  // row 4 not ticked
              "0000000100 0010, e, e, 0000000100 0020, e, e"},
             {2, "2", "123/1 123/1 123/2", "", "0000000123 0001, e, e, 0000000123 0002, e"},
             {7, "2", "4512/10 004512/10 4512/11", "",
              "0000004512 0010, e, e, 0000004512 0011, e"}}) {
        std::vector<Variante> variantes;
        std::istringstream linhas(c.linhas);
        for (std::string l; linhas >> l;) {
            variantes.push_back(faixa("1", c.ultima));
            variantes.back().pedido = l.substr(0, l.find('/'));
            variantes.back().item = l.substr(l.find('/') + 1);
        }
        AplicacaoTemporaria app;
        const Lista marcadas =
            c.marcadas.empty() ? Lista{"--todas"} : Lista{"--linhas", c.marcadas};
        std::string ordem;  // "<order> <item>" for a separator
        for (const auto& j : app.imprimirBem(xmlPreco(c.tipo, variantes),
                                             mais(kZebra, mais(marcadas, {"--separador"})))) {
            const auto pedido = entre(j.spool, "PEDIDO: ", "^FS");
            ordem +=
                (ordem.empty() ? "" : ", ") +
                (pedido.empty() ? "e"
                                : pedido[0] + " " + entre(j.spool, "ITEM PED.: ", "^FS").at(0));
        }
        EXPECT_EQ(ordem, c.ordem) << c.tipo;
    }
}

// A job not delivered ends the run with the script's first error line, and no success.
TEST(Imprimir, ScriptQueFalhaParaAExecucao) {
    const struct {
        std::string sh, bat, motivo;
    } casos[] = {{"echo 'Sem papel.' >&2; echo detalhe >&2; exit 2\n",
                  "echo Sem papel. 1>&2\r\necho detalhe 1>&2\r\nexit /b 2\r\n", "Sem papel."},
                 {"exit 4\n", "exit /b 4\r\n", "O script de impressão terminou com o código 4."}};
    for (const auto& [sh, bat, motivo] : casos) {
        AplicacaoTemporaria app(sh, bat);
        esperarFalha(app.imprimir(xmlPreco(1, {faixa("1", "4")}), kTodasZebra),
                     "[Erro !] A etiqueta não foi entregue à impressora: " + motivo +
                         " Linha 1 da grade, modelo QuelmonteEtiqPrecoCartolinaZebra.zpl.");
        EXPECT_EQ(app.trabalhos().size(), 1u) << "the run stops at the first failed job";
    }
}

// Order text that looks like the speed or temperature token, or a later field's, prints as it
// stands.
TEST(Imprimir, TextoDoPedidoComCaraDeComandoSaiComoEsta) {
    const std::string falso = "::Temperatura:::: CMD_VELOCIDADE :::: Preco :::: INFO_PEDIDO ::";
    Variante v = faixa("1", "2");
    for (const char* campo :
         {"DescricaoMaterial", "Cor", "Tamanho", "Grade", "NomeForn", "Catalogo", "MaterialForn"})
        v.campos[campo] = falso;
    for (int tipo : {1, 2, 5, 6, 7, 9, 11, 99}) {
        AplicacaoTemporaria app;
        SCOPED_TRACE(tipo);
        const auto jobs = app.imprimirBem(xmlPreco(tipo, {v}), mais(kTodasZebra, {"--separador"}));
        ASSERT_GE(jobs.size(), 2u);
        for (const auto& j : jobs)  // a cosmetic label prints no order text but the price
            EXPECT_TRUE(j.spool.find(falso) != std::string::npos ||
                        (tipo == 11 && j.spool.find("PEDIDO: ") == std::string::npos))
                << j.spool;
    }
}

// What cannot print says why before any label, and mostly before the question.
TEST(Imprimir, RecusasDizemOMotivoAntesDaPergunta) {
    struct Caso {
        std::string tabelaAusente, xml, arquivo;  // arquivo: of the folder; "" none
        std::string argumentos;                   // words; '' an empty one
        int codigo;
        std::string mensagem;
        bool depoisDaPergunta = false;
    };
    const auto preco = xmlPreco(1, {faixa("1", "2")});
    const std::string zebra = " --impressora 1 --velocidade 4 --temperatura 8 --serial 9600,N,8,1";
    for (const auto& c : std::vector<Caso>{
             {"tb_impressoras.txt", preco, "pedidos.xml", "imprimir --todas", 1,
              "[Impressora] Nenhuma impressora cadastrada: a tabela de impressoras "
              "(tb_impressoras.txt) não foi encontrada"},
             {"", "", "",
              "fonte --impressora 0 --velocidade '' --temperatura 8 --serial 9600,N,8,1", 1,
              "[Carregar Fonte Zebra] A fonte e o gráfico só podem ser carregados em "
              "impressoras Zebra."},
             {"", xmlPreco(99, {faixa("1", "2")}), "pedidos.xml",
              "imprimir --todas --tipo Etiq.Caixa" + zebra, 2,
              "--tipo não se aplica a este arquivo: etiquetas do tipo 99"},
             {"", "", "Amostra_Volume_Consolidador.xml", "imprimir --todas" + zebra, 1,
              "[Tipo de Etiqueta] As etiquetas do tipo 8 (Etiquetas de Consolidador de "
              "Encabidado) não têm impressão"},
             {"", preco, "pedidos.xml", "imprimir --ignorar-verificacao --todas --rede ''" + zebra,
              1, "[Caminho para Impressora] Informe o caminho de rede da Impressora !"},
             {"", preco, "pedidos.xml", "imprimir --ignorar-verificacao" + zebra, 1,
              "Não foi selecionado nenhum Pedido para ser impressa a Etiqueta de Preço !", true},
             // Argument errors in the user's words, not the parser's English.
             {"", preco, "pedidos.xml", "imprimir --todas --impressora um", 2,
              "Valor inválido para --impressora: \"um\". Veja etiquetas-cli --help."},
             {"", "", ".", "imprimir --todas" + zebra, 2, "ARQUIVO: é uma pasta, não um arquivo: "},
             {"", preco, "pedidos.xml", "imprimir --todas --porta LPT9", 2,
              "--porta: \"LPT9\" não é um de LPT1, LPT2, COM1, COM2"},
             {"", "", "", "teste", 2, "Falta OPCAO. Veja etiquetas-cli --help."}}) {
        AplicacaoTemporaria app;
        if (!c.tabelaAusente.empty()) fs::remove(app.pasta() / c.tabelaAusente);
        if (!c.xml.empty()) app.gravar(c.arquivo, c.xml);
        Lista argumentos;
        std::istringstream palavras(c.argumentos);
        for (std::string w; palavras >> w;) argumentos.push_back(w == "''" ? "" : w);
        if (!c.arquivo.empty())
            argumentos.insert(argumentos.begin() + 1, textoDoCaminho(app.pasta() / c.arquivo));
        const auto s = app.executar(argumentos);
        EXPECT_EQ(s.codigo, c.codigo) << c.mensagem << "\n" << s.erros;
        EXPECT_TRUE(contem(s.erros, c.mensagem)) << s.erros;
        EXPECT_EQ(s.erros.find(c.depoisDaPergunta ? "confirmada" : "Confirma"), std::string::npos)
            << s.erros;
        EXPECT_TRUE(app.trabalhos().empty()) << c.mensagem;
    }
}

#ifndef _WIN32
// A failing script's messages are one line of at most 1,000 characters each.
TEST(Imprimir, MensagemDeScriptEnormeFicaLimitada) {
    for (const std::string sh : {"head -c 20000000 /dev/urandom >&2; exit 3\n",
                                 "yes x | tr -d '\\n' | head -c 20000000 >&2; exit 3\n"}) {
        AplicacaoTemporaria app(sh);
        const auto r = app.imprimir(xmlPreco(1, {faixa("1", "4")}), kTodasZebra);
        EXPECT_EQ(r.codigo, 1) << sh;
        std::istringstream linhas(r.erros);
        for (std::string linha; std::getline(linhas, linha);) {
            const auto texto = linha.substr(linha.find("] ") + 2);
            EXPECT_LE(utf8ParaCp1252(texto).size(), 1000u) << sh << linha.size();
        }
    }
}

// Folders and files named outside Windows-1252 open, print and are named.
TEST(Imprimir, PastasForaDoWindows1252) {
    AplicacaoTemporaria app("", "", reinterpret_cast<const char*>(u8"Łódź app-"));
    const fs::path pedidos = app.pasta() / u8"Łódź" / "pedidos.xml";
    fs::create_directory(pedidos.parent_path());
    std::ofstream(pedidos, std::ios::binary) << xmlPreco(1, {faixa("1", "2")});
    const Lista base{"--pasta", utf8DoCaminho(app.pasta())};

    const auto aberto = apoio::executarCliUtf8(mais(base, {"abrir", utf8DoCaminho(pedidos)}));
    ASSERT_EQ(aberto.codigo, 0) << aberto.erros;
    EXPECT_NE(aberto.saida.find("Arquivo : " + utf8DoCaminho(pedidos) + "\n"), std::string::npos);

    const auto r = apoio::executarCliUtf8(
        mais(mais(base, {"imprimir", utf8DoCaminho(pedidos), "--todas"}), kZebra));
    ASSERT_EQ(r.codigo, 0) << r.erros;
    const auto jobs = app.trabalhos();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].args.at(0), utf8DoCaminho(app.pasta() / "SpoolEtq.PRN"));
    EXPECT_EQ(codigosZpl(jobs[0].spool), (Lista{"2000000012350001", "2000000012350002"}));
}
#endif

namespace {

// The number of the first "N etiqueta(s)<fim>" in the CLI's messages; -1 when none.
long long numeroAntesDe(const std::string& erros, const std::string& fim) {
    const std::regex linha(" ([0-9.]+) etiquetas?" + cp1252ParaUtf8(fim));
    std::smatch m;
    if (!std::regex_search(erros, m, linha)) return -1;
    std::string digitos = m[1];
    std::erase(digitos, '.');
    return std::stoll(digitos);
}

}  // namespace

// The question names what the printer will take, and the end says the same number.
TEST(Imprimir, PerguntaContaOQueAFamiliaEnvia) {
    Variante sku = faixa("1", "3");
    sku.campos["TipoEtiq"] = "1";
    sku.campos["CodDepto"] = "42";
    struct Caso {
        int tipo;
        Variante variante;
        Lista opcoes;
        long long etiquetas;  // -1: the same as the end reports
    };
    for (const auto& c : std::vector<Caso>{{99, sku, {}, 13},  // two sheets of six, a separator
                                           {1, faixa("1", "5"), {"--separador"}, -1},
                                           {11, faixa("1", "3"), {}, -1},
                                           {2, faixa("1", "7"), {}, -1}}) {
        AplicacaoTemporaria app;
        const auto r = app.imprimir(xmlPreco(c.tipo, {c.variante}), mais(kTodasZebra, c.opcoes));
        ASSERT_EQ(r.codigo, 0) << r.erros;
        const long long perguntadas = numeroAntesDe(r.erros, " — ");
        EXPECT_EQ(perguntadas, numeroAntesDe(r.erros, " enviadas?")) << c.tipo << r.erros;
        if (c.etiquetas >= 0) {
            EXPECT_EQ(perguntadas, c.etiquetas) << r.erros;
        }
    }
}

// A Datamax speed without its table letter stops the print before any label.
TEST(Imprimir, VelocidadeDatamaxSemCodigoParaAntesDaPrimeiraEtiqueta) {
    const Lista datamax4{"--impressora", "0",          "--velocidade", "4", "--temperatura", "8",
                         "--serial",     "9600,N,8,1", "--todas"};
    struct Caso {
        std::string nome, mensagem;
        std::function<void(const AplicacaoTemporaria&)> preparar;
    };
    const fs::path tabela = "tb_impressoras_convercao.txt";
    for (const auto& c : std::vector<Caso>{
             {"ausente", "tb_impressoras_convercao.txt não pôde ser lido: não existe.",
              [&](const AplicacaoTemporaria& a) { fs::remove(a.pasta() / tabela); }},
             {"pasta",
              "tb_impressoras_convercao.txt não pôde ser lido: não é um arquivo comum (pasta",
              [&](const AplicacaoTemporaria& a) {
                  fs::remove(a.pasta() / tabela);
                  fs::create_directory(a.pasta() / tabela);
              }},
             {"sem a velocidade",
              "A tabela tb_impressoras_convercao.txt não tem o código da velocidade 4 da "
              "impressora DATAMAX.",
              [&](const AplicacaoTemporaria& a) { a.gravar(tabela.string(), "lixo\r\n\r\n"); }}}) {
        AplicacaoTemporaria app;
        c.preparar(app);
        esperarFalha(app.imprimir(xmlPreco(1, {faixa("1", "2")}), datamax4), c.mensagem);
        EXPECT_TRUE(app.trabalhos().empty()) << c.nome;
    }
    AplicacaoTemporaria app;
    const auto jobs = app.imprimirBem(xmlPreco(1, {faixa("1", "2")}), datamax4);
    ASSERT_FALSE(jobs.empty());
    EXPECT_NE(jobs.back().spool.find("PG"), std::string::npos) << "speed 4 as G";
}

// A print with no port goes to LPT1 and keeps the saved destination; a stated one saves.
TEST(Imprimir, PortaNaoInformadaNaoTrocaADoUsuario) {
    AplicacaoTemporaria app;
    const std::string rede =
        "[ConfigPess]\r\nTipoCaminho=Rede\r\nCaminhoImpressora=\\\\srv\\zebra\r\n";
    app.gravar("QuelmonteConfig.ini", rede);
    const auto jobs = app.imprimirBem(xmlPreco(1, {faixa("1", "2")}), kTodasZebra);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].args.at(1), "LPT1");
    const std::string salvo = app.ler("QuelmonteConfig.ini");
    EXPECT_NE(salvo.find("TipoCaminho=Rede\r\nCaminhoImpressora=\\\\srv\\zebra"), std::string::npos)
        << salvo;
    app.imprimirBem(xmlPreco(1, {faixa("1", "2")}), mais(kTodasZebra, {"--porta", "LPT2"}));
    EXPECT_NE(app.ler("QuelmonteConfig.ini").find("CaminhoImpressora=LPT2"), std::string::npos);
}
