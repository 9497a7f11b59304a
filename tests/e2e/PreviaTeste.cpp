#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>

#include "ApoioImprimir.h"
#include "LeituraEmPedacos.h"
#include "dpl/Spool.h"
#include "resolucao/Escala.h"

using namespace etiquetas;
using namespace etiquetas::e2e;

namespace {

Resultado executar(const fs::path& pasta, const std::string& argumentos) {
    const auto saida = pasta / "saida.txt", erros = pasta / "erros-previa.txt";
    const std::string linha =
        argumentos + " >'" + saida.string() + "' 2>'" + erros.string() + "' </dev/null";
    const int estado = std::system(linha.c_str());
    return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, lerArquivo(erros).value_or(""),
            lerArquivo(saida).value_or("")};
}

// Killed after `segundos`, short of memory beyond `megabytes` (ASan: its own limit).
Resultado executarLimitado(const fs::path& pasta, const std::string& antes,
                           const std::string& comando, int segundos, int megabytes) {
#if defined(__SANITIZE_ADDRESS__)
    const std::string memoria =
        "export ASAN_OPTIONS=\"$ASAN_OPTIONS:exitcode=86:hard_rss_limit_mb=" +
        std::to_string(megabytes) + "\"; ";
#else
    const std::string memoria = "ulimit -v " + std::to_string(megabytes * 1024) + "; ";
#endif
    return executar(pasta, antes + memoria + "exec timeout -s KILL " + std::to_string(segundos) +
                               " " + comando);
}

Resultado previa(const fs::path& pasta, const std::string& opcoes) {
    return executar(pasta, std::string("'") + ETIQUETAS_CLI + "' previa " + opcoes);
}

Lista semRepetir(Lista r) {
    std::sort(r.begin(), r.end());
    r.erase(std::unique(r.begin(), r.end()), r.end());
    return r;
}

Lista linhas(const std::string& texto) {
    Lista r = linhasDe(texto);
    std::erase(r, "");
    return r;
}

// Width and height from the PNG header.
std::pair<int, int> tamanhoPng(const fs::path& png) {
    const std::string b = lerArquivo(png).value_or("");
    if (b.size() < 24) return {0, 0};
    const auto u32 = [&](std::size_t i) {
        int n = 0;
        for (std::size_t k = i; k < i + 4; ++k) n = n << 8 | static_cast<unsigned char>(b[k]);
        return n;
    };
    return {u32(16), u32(20)};
}

Lista lidosPeloZbar(const fs::path& png) {
    auto r = linhas(executar(png.parent_path(), "zbarimg --raw -q '" + png.string() + "'").saida);
    std::sort(r.begin(), r.end());
    return r;
}

// "^FD>;digits>6d" encodes the digits; ">6" only switches the subset.
Lista codificadosPelaImpressora(const std::string& spool) {
    Lista r = codigosZpl(spool);
    for (auto& c : r) substituirTodos(c, ">6", "");
    std::sort(r.begin(), r.end());
    return r;
}

Lista lidosDasImagens(const Lista& imagens) {
    Lista r;
    for (const auto& png : imagens) {
        const Lista lidos = lidosPeloZbar(png);
        r.insert(r.end(), lidos.begin(), lidos.end());
    }
    return semRepetir(r);  // a sheet repeats its code
}

// The first row of every sample: price templates on both lines, the rest on a Datamax.
struct Caso {
    const char* amostra;
    bool layoutNovo;
    Lista opcoes;
    bool zebra = false, imprimirComPrevia = false;
};

const std::vector<Caso>& casosDasAmostras() {
    static const std::vector<Caso> casos{
        {"Quelmonte_Preco_Cartolina_teste.xml", false, {"--separador"}, true},
        {"Quelmonte_Preco_Cartolina_teste.xml", true, {}, true},
        {"Amostra_Preco_CartolinaComSem.xml", false, {}, true},
        {"Amostra_Preco_CartolinaComSem.xml", true, {}, true},
        {"Quelmonte_Preco_Cartolina_teste.xml", false, {"--separador"}, false, true},
        {"Quelmonte_Preco_Cartolina_teste.xml", true, {}},
        {"Amostra_Preco_CartolinaComSem.xml", false, {}},
        {"Amostra_Preco_CartolinaComSem.xml", true, {}},
        {"Quelmonte_Preco_Adesiva_teste.xml", false, {}},
        {"Quelmonte_Preco_Adesiva_teste.xml", true, {}},
        {"Amostra_Preco_AdesivaIntima.xml", false, {}},
        {"Amostra_Preco_AdesivaIntima.xml", true, {}},
        {"Amostra_Preco_Cosmetico.xml", false, {}},
        {"Amostra_Preco_Cosmetico.xml", true, {}},
        {"Amostra_Preco_Relogio.xml", false, {}},
        {"Amostra_Preco_Conjunto.xml", false, {}},
        {"Amostra_Preco_Sku.xml", false, {"--tipo", "Etiq.Interna", "--separador"}},
        {"Amostra_Preco_Sku.xml", false, {"--tipo", "Etiq.Caixa"}},
        {"Quelmonte_Grade_Volume_Padrao_teste.xml", false, {"--separador"}},
        {"Quelmonte_Grade_Volume_ReposAuto_teste.xml", false, {}},
        {"Amostra_Volume_Ilpn.xml", false, {"--tipo", "Etiqueta ILPN"}, false, true}};
    return casos;
}

// A drawing (with its text or bar-code data), its corner and height in millimetres.
struct Medida {
    std::string oque;
    double x = 0, y = 0, altura = 0;
};

Medida medidaDe(const zpl::Operacao& op, double dpmm) {
    if (const auto* t = std::get_if<zpl::OpTexto>(&op))
        return {"texto " + t->texto, t->x / dpmm, t->y / dpmm, t->altura / dpmm};
    if (const auto* c = std::get_if<zpl::OpCaixa>(&op))
        return {"caixa", c->area.x / dpmm, c->area.y / dpmm, c->area.altura / dpmm};
    if (const auto* b = std::get_if<zpl::OpCodigoBarras>(&op)) {
        const auto e = apoio::envolvente(b->barras);
        return {"código " + b->dados, e.x / dpmm, e.y / dpmm, e.altura / dpmm};
    }
    if (const auto* g = std::get_if<zpl::OpGrafico>(&op))
        return {"gráfico", g->x / dpmm, g->y / dpmm, g->altura * g->ampliacaoY / dpmm};
    return {"outro"};
}

std::vector<Medida> medidas(const std::string& spool, int dpmm) {
    std::vector<Medida> r;
    for (const auto& e : dpl::interpretarSpool(spool, dpmm).etiquetas)
        for (const auto& op : e.operacoes) r.push_back(medidaDe(op, dpmm));
    return r;
}

Lista codigosMedidos(const std::vector<Medida>& m) {
    Lista r;
    for (const auto& e : m)
        if (e.oque.starts_with("código "))
            r.push_back(e.oque.substr(std::string("código ").size()));
    return semRepetir(r);
}

}  // namespace

// Each job previews clean and its bar codes read back; --previa draws and sends nothing.
TEST(Previa, CodigosDosModelosLidosDaImagem) {
    for (const auto& c : casosDasAmostras()) {
        SCOPED_TRACE(std::string(c.amostra) + (c.layoutNovo ? " (novo)" : "") +
                     (c.zebra ? " zebra" : " datamax"));
        const std::string xml = amostra(c.amostra, c.layoutNovo);
        Lista opcoes = mais(mais(c.zebra ? kZebra : kDatamax, {"--linhas", "1"}), c.opcoes);
        AplicacaoTemporaria app;
        const auto jobs = app.imprimirBem(xml, opcoes);
        ASSERT_FALSE(jobs.empty());
        Lista enviados;
        std::size_t formatos = 0;
        const bool cosmetico = std::string(c.amostra).find("Cosmetico") != std::string::npos;
        for (std::size_t j = 0; j < jobs.size(); ++j) {
            const auto& spool = jobs[j].spool;
            const auto etiquetas = contar(spool, "^XA") + contar(spool, "\x02L");
            if (etiquetas == 0) continue;  // the printer's configuration
            formatos += etiquetas;
            const std::string base = (app.pasta() / ("job-" + std::to_string(j + 1))).string();
            const auto r = previa(app.pasta(), "'" + base + ".spool' --saida '" + base + "'");
            ASSERT_EQ(r.codigo, 0) << r.erros;
            EXPECT_EQ(r.erros,
                      cosmetico ? cp1252ParaUtf8("[Prévia] etiqueta 1: 5 cópias (Q)\n") : "")
                << base;
            ASSERT_EQ(linhas(r.saida).size(), etiquetas) << base;
            const Lista codigos =
                c.zebra ? codificadosPelaImpressora(spool) : semRepetir(codigosDpl(spool));
            EXPECT_EQ(c.zebra ? lidosPeloZbar(base + "-1.png") : lidosDasImagens(linhas(r.saida)),
                      codigos)
                << base;
            enviados.insert(enviados.end(), codigos.begin(), codigos.end());
        }
        EXPECT_EQ(enviados.empty(), cosmetico);
        if (!c.imprimirComPrevia) continue;

        AplicacaoTemporaria visualizada;
        opcoes.insert(opcoes.end(), {"--previa", (visualizada.pasta() / "p").string()});
        const auto r = visualizada.imprimir(xml, opcoes);
        ASSERT_EQ(r.codigo, 0) << r.erros;
        EXPECT_TRUE(visualizada.trabalhos().empty());
        EXPECT_FALSE(fs::exists(visualizada.pasta() / "SpoolEtq.PRN"));
        EXPECT_FALSE(fs::exists(visualizada.pasta() / "QuelmonteConfig.ini"));
        EXPECT_EQ(r.erros.find("Confirma"), std::string::npos);
        Lista imagens;
        for (int n = 1; fs::exists(visualizada.pasta() / ("p-" + std::to_string(n) + ".png")); ++n)
            imagens.push_back((visualizada.pasta() / ("p-" + std::to_string(n) + ".png")).string());
        EXPECT_EQ(imagens.size(), formatos);
        EXPECT_EQ(lidosDasImagens(imagens), semRepetir(enviados));
    }
}

// Bad or hostile input ends quickly, in bounded memory, with a message, sending nothing.
TEST(Previa, EntradasHostisTerminamComMensagem) {
    AplicacaoTemporaria app;
    const auto p = app.pasta();
    const std::string cli = std::string("'") + ETIQUETAS_CLI + "' --pasta '" + p.string() + "' ";
    const std::string saida = " --saida '" + (p / "img").string() + "'";
    const auto arquivo = [&](const std::string& nome) { return "'" + (p / nome).string() + "'"; };
    std::string nomeLongo(60, 'A'), curingas = "^IDR:";
    for (int i = 0; i < 12; ++i) curingas += "*A";
    app.gravar("curingas.prn", "~DGR:" + nomeLongo + ".GRF,2,1,FF\r\n" + curingas +
                                   "*B.GRF\r\n^XA^FO0,0^XGR:" + nomeLongo + ".GRF^FS^XZ");
    std::string cargas;
    for (int i = 0; i < 1000; ++i)
        cargas += "~DGR:G" + std::to_string(i) + ".GRF,2097152,1000,F\r\n";
    app.gravar("cargas.prn", cargas + "^XA^FO0,0^XGR:G1.GRF^FS^XZ");
    app.gravar("avisos.prn", "^XA^PQ5^F^FO1,1^FDa^FS^Z\r\nZ^FO1,1^GB0,100,3^FS^XZ");
    app.gravar("hostil.prn", "^XA^PW100000^LL100000^FO0,0^GB99999,99999,99999^FS^ZZ1^FO5,5^GD\r\n");
    app.gravar("vazio.prn", "nada aqui\r\n");
    app.gravar("sem-tamanho.prn", "^XA^FO10,10^A0N,30^FDx^FS^XZ^XA^XZ");
    app.gravar("limitada.prn",
               "^XA^FO10,10^A0N,30^FDsem tamanho^FS^XZ"
               "^XA^PW100000^LL100000^FO0,0^GB99999,99999,99999^FS^ZZ1^XZ");
    app.gravar("pedidos.xml", amostra("Quelmonte_Preco_Cartolina_teste.xml"));
    app.gravar("muitas.xml", xmlPreco(1, {faixa("1", "300")}));
    fs::create_directory(p / "pasta.prn");
    ASSERT_EQ(mkfifo((p / "fila.prn").c_str(), 0600), 0);
    std::ofstream(p / "grande.prn").close();
    fs::resize_file(p / "grande.prn", (64u << 20) + 1);  // sparse: nothing to write
    const std::string zebraSemLinhas = " --impressora 1 --velocidade 4 --temperatura 8",
                      zebra = " --todas" + zebraSemLinhas;
    const auto semLinhas = [&](const std::string& impressora) {
        return "imprimir " + arquivo("pedidos.xml") + impressora +
               " --ignorar-verificacao --previa " + (p / "vazia").string();
    };
    struct Caso {
        const char* nome;
        std::string argumentos;
        int codigo;
        std::string erro;  // a whole line of standard error, or a part of it
        int imagens;       // names on standard output; -n: at least n
        int segundos = 30;
        std::string antes = "";                          // shell commands before the limits
        std::vector<std::pair<int, int>> tamanhos = {};  // of img-1.png, img-2.png...
    };
    const auto spool = [&](const std::string& nome) { return "previa " + arquivo(nome) + saida; };
    const std::vector<Caso> casos{
        {"spool ausente", spool("nao-existe.prn"), 1, "não foi possível ler o spool", 0},
        {"spool sem etiqueta", spool("vazio.prn"), 1, "nenhuma etiqueta", 0},
        {"resolução inválida", spool("sem-tamanho.prn") + " --dpmm 10", 2,
         "--dpmm: \"10\" não é um de 8, 12, 24. Veja etiquetas-cli --help.", 0},
        {"prefixo vazio", "previa " + arquivo("sem-tamanho.prn") + " --saida ''", 2,
         "--saida: informe o começo do nome das imagens", 0},
        {"prefixo sem nome", "previa " + arquivo("sem-tamanho.prn") + " --saida " + arquivo("/"), 2,
         "--saida: informe o começo do nome das imagens", 0},
        {"sem --saida", "previa " + arquivo("sem-tamanho.prn"), 2, "--saida", 0},
        {"pasta de saída ausente",
         "previa " + arquivo("sem-tamanho.prn") + " --saida " + arquivo("nao/existe"), 1,
         "não foi possível gravar", 0},
        {"uma imagem por formato", spool("sem-tamanho.prn"), 0, "", 2},
        // Without ^PW and ^LL a label is 4 by 6 inches; a huge one is cut to the limit.
        {"imagem limitada",
         spool("limitada.prn") + " --dpmm 12",
         0,
         "[Prévia] etiqueta 2: ^PW: valor 100000",
         2,
         30,
         "",
         {{1219, 1829}, {3000, 6000}}},
        {"nada marcado, Zebra", semLinhas(zebraSemLinhas), 1, "Não foi selecionado nenhum Pedido",
         0},
        {"nada marcado, Datamax", semLinhas(" --impressora 0 --velocidade '' --temperatura 8"), 1,
         "Não foi selecionado nenhum Pedido", 0},
        {"formato sem fim", spool("hostil.prn"), 1, "termina sem ^XZ", 0},
        {"a forma = da prévia",
         "imprimir " + arquivo("pedidos.xml") + zebra + " --previa=" + (p / "igual").string(), 0,
         "", -1},
        {"pasta como spool", spool("pasta.prn"), 1, "não é um arquivo comum", 0},
        {"dispositivo como spool", "previa /dev/zero" + saida, 1, "não é um arquivo comum", 0},
        {"fila como spool", spool("fila.prn"), 1, "não é um arquivo comum", 0},
        {"spool grande demais", spool("grande.prn"), 1, "passa do limite de 64 MB", 0},
        {"curingas sobre nome longo", spool("curingas.prn"), 0, "^ID: nenhum objeto", 1, 20},
        {"mil gráficos de 2 MB", spool("cargas.prn"), 0,
         "memória de gráficos da impressora cheia (8 MB)", 1},
        {"disco cheio", spool("avisos.prn"), 1, "não foi possível gravar", 0, 30,
         "trap '' XFSZ; ulimit -f 1; "},
        {"cópias, corte e quebra de linha", spool("avisos.prn"), 0,
         "[Prévia] etiqueta 1: ^F: comando incompleto, cortado pelo comando seguinte; ignorado\n"
         "[Prévia] etiqueta 1: ^ZZ: comando desconhecido, ignorado\n"
         "[Prévia] etiqueta 1: 5 cópias (^PQ)\n",
         1},
        {"cada etiqueta gravada ao ser desenhada",
         "imprimir " + arquivo("muitas.xml") + zebra + " --previa " + (p / "m").string(), 0, "",
         -150, 120},
        {"modelo que não é arquivo comum", "imprimir " + arquivo("pedidos.xml") + zebra, 1,
         "QuelmonteEtiqPrecoCartolinaZebra.zpl não pôde ser lido: não é um arquivo comum", 0, 30,
         "ln -sf /dev/zero " + arquivo("QuelmonteEtiqPrecoCartolinaZebra.zpl") + "; "}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        for (const auto& e : fs::directory_iterator(p))
            if (e.path().extension() == ".png") fs::remove(e.path());
        const auto r = executarLimitado(p, c.antes, cli + c.argumentos, c.segundos, 1536);
        EXPECT_EQ(r.codigo, c.codigo) << r.erros;
        EXPECT_TRUE(contem(r.erros, c.erro)) << r.erros;
        EXPECT_TRUE(c.codigo == 0 || r.erros.find("sucesso") == std::string::npos) << r.erros;
        const auto imagens = static_cast<int>(linhas(r.saida).size());
        EXPECT_GE(imagens, std::abs(c.imagens)) << r.saida;
        EXPECT_LE(imagens, c.imagens < 0 ? imagens : c.imagens) << r.saida;
        for (const auto& e : fs::directory_iterator(p))
            EXPECT_TRUE(e.path().extension() != ".png" || fs::file_size(e.path()) > 0) << e.path();
        EXPECT_TRUE(app.trabalhos().empty());
        EXPECT_FALSE(fs::exists(p / "vazia-1.png"));
        for (std::size_t i = 0; i < c.tamanhos.size(); ++i)
            EXPECT_EQ(tamanhoPng(p / ("img-" + std::to_string(i + 1) + ".png")), c.tamanhos[i]);
    }

    // A link at a picture's name is replaced, its target left as it was.
    app.gravar("alvo.txt", "intacto");
    fs::remove(p / "img-1.png");
    fs::create_symlink(p / "alvo.txt", p / "img-1.png");
    const auto r = executar(p, cli + spool("sem-tamanho.prn"));
    EXPECT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(app.ler("alvo.txt"), "intacto");
    EXPECT_FALSE(fs::is_symlink(p / "img-1.png"));
    EXPECT_EQ(tamanhoPng(p / "img-1.png"), (std::pair{813, 1219}));
}

// Each distinct sample of the table once, printed on either line.
class Resolucoes : public testing::TestWithParam<std::tuple<std::size_t, bool>> {};

// At 300 and 600 dpi every field within half a millimetre of 203 dpi, codes readable.
TEST_P(Resolucoes, MedidasECodigosComoA203Dpi) {
    const auto [indice, zebra] = GetParam();
    const Caso& c = casosDasAmostras()[indice];
    SCOPED_TRACE(std::string(c.amostra) + (c.layoutNovo ? " (novo)" : "") +
                 (zebra ? " zebra" : " datamax"));
    const std::string xml = amostra(c.amostra, c.layoutNovo);
    const Lista opcoes = mais(mais(zebra ? kZebra : kDatamax, {"--linhas", "1"}), c.opcoes);
    AplicacaoTemporaria a203;
    const auto jobs203 = a203.imprimirBem(xml, opcoes);
    ASSERT_FALSE(jobs203.empty());
    for (int dpi : {300, 600}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        AplicacaoTemporaria app;
        const auto jobs = app.imprimirBem(xml, mais(opcoes, {"--dpi", std::to_string(dpi)}));
        ASSERT_EQ(jobs.size(), jobs203.size());
        for (std::size_t j = 0; j < jobs.size(); ++j) {
            const auto antes = medidas(jobs203[j].spool, 8);
            const auto depois = medidas(jobs[j].spool, pontosPorMilimetro(dpi));
            ASSERT_EQ(antes.size(), depois.size()) << "job " << j + 1;
            for (std::size_t i = 0; i < antes.size(); ++i) {
                const auto& [oque, x, y, altura] = antes[i];
                EXPECT_EQ(depois[i].oque, oque);
                EXPECT_NEAR(depois[i].x, x, 0.5) << oque;
                EXPECT_NEAR(depois[i].y, y, 0.5) << oque;
                EXPECT_NEAR(depois[i].altura, altura, 0.5) << oque;
            }
            if (contar(jobs[j].spool, "^XA") + contar(jobs[j].spool, "\x02L") == 0) continue;
            const std::string base = (app.pasta() / ("job-" + std::to_string(j + 1))).string();
            const auto r = previa(app.pasta(), "'" + base + ".spool' --saida '" + base +
                                                   "' --dpi " + std::to_string(dpi));
            ASSERT_EQ(r.codigo, 0) << r.erros;
            EXPECT_EQ(lidosDasImagens(linhas(r.saida)), codigosMedidos(antes)) << base;
        }
    }
}

std::vector<std::size_t> amostrasDistintas() {
    std::vector<std::size_t> r;
    for (std::size_t i = 0; i < casosDasAmostras().size(); ++i)
        if (!casosDasAmostras()[i].zebra) r.push_back(i);
    return r;
}

INSTANTIATE_TEST_SUITE_P(Amostras, Resolucoes,
                         testing::Combine(testing::ValuesIn(amostrasDistintas()), testing::Bool()));
