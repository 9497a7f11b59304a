#pragma once

// etiquetas-cli on a throw-away application folder whose script records every job.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ExecutarCli.h"
#include "PastaUnica.h"
#include "ScriptGravador.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "orderfile/Md5.h"

namespace etiquetas::e2e {

namespace fs = std::filesystem;
using Lista = std::vector<std::string>;

using apoio::kScriptGravador;
using apoio::kScriptGravadorBat;

// A Zebra and a Datamax on a serial line, as most runs print.
inline const Lista kZebra{"--impressora",  "1", "--velocidade", "4",
                          "--temperatura", "8", "--serial",     "9600,N,8,1"};
inline const Lista kDatamax{"--impressora",  "0", "--velocidade", "",
                            "--temperatura", "8", "--serial",     "9600,N,8,1"};

inline Lista mais(Lista a, const Lista& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
inline const Lista kTodasZebra = mais(kZebra, {"--todas"}),
                   kTodasDatamax = mais(kDatamax, {"--todas"});

// The lines of a text, their ends (LF or CR LF) left out.
inline Lista linhasDe(const std::string& texto) {
    Lista r;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);)
        r.push_back(l.ends_with('\r') ? l.substr(0, l.size() - 1) : l);
    return r;
}

struct Trabalho {
    std::string spool;  // what reached the printer
    Lista args;
};

using Resultado = apoio::SaidaCli;

// One variant of a price file; `campos` overrides or adds elements.
struct Variante {
    std::string pedido = "4512", item = "10", codigo = "000123";
    std::map<std::string, std::string> campos;
};

inline Variante faixa(const std::string& primeira, const std::string& ultima) {
    return {.campos = {{"SequenciaInicial", primeira}, {"SequenciaFinal", ultima}}};
}

// The root element of an order file with `atributos` (" Nome=\"valor\"") added.
inline std::string comAtributosNaRaiz(std::string xml, const std::string& atributos) {
    return xml.insert(xml.find('>', xml.find("?>") + 2), atributos);
}

inline std::string comLayoutNovo(std::string xml) {
    substituirTodos(xml, "LayoutNovo=\"False\"", "LayoutNovo=\"True\"");
    return xml;
}

// A sample file shipped in the application folder.
inline std::string amostra(const std::string& nome, bool layoutNovo = false) {
    const auto xml = lerArquivo(fs::path(ETIQUETAS_PASTA_APLICACAO) / nome).value_or("");
    return layoutNovo ? comLayoutNovo(xml) : xml;
}

inline std::string xmlPreco(int tipo, const std::vector<Variante>& variantes) {
    static const std::string padrao =
        "<CNPJ>12.345.678/0001-90</CNPJ><Digito>5</Digito>"
        "<QuantidadeEtiqueta>2</QuantidadeEtiqueta><SequenciaInicial>1</SequenciaInicial>"
        "<SequenciaFinal>2</SequenciaFinal><Catalogo>A</Catalogo><Tamanho>M</Tamanho>"
        "<EstrColecao>EC1</EstrColecao><Estacao>VERAO</Estacao>"
        "<DataEntrega>20261231</DataEntrega><CodDepto>42</CodDepto>"
        "<DataTransmissao>20261206</DataTransmissao><CodigoCoordenado>C</CodigoCoordenado>"
        "<Tendencia>INVERNO</Tendencia><Parede>P1</Parede><ValeAPena>VALE A PENA</ValeAPena>"
        "<DescricaoMaterial>BLUSA MALHA</DescricaoMaterial>"
        "<CodigoBarra>7891234567895</CodigoBarra><CodigoPromocao></CodigoPromocao>"
        "<PrecoMaterial>129,90</PrecoMaterial><Grade>PMG</Grade>"
        "<MaterialForn>REF77</MaterialForn><NomeForn>CONFECCOES EXEMPLO</NomeForn>"
        "<CodigoBureau>42</CodigoBureau><OrigemSolicitacao>N</OrigemSolicitacao><Cor>AZUL</Cor>"
        "<Familia></Familia>";
    std::ostringstream x;
    x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Preco>\n";
    for (const auto& v : variantes) {
        x << "<PedidoQuel Codigo=\"" << v.pedido << "\" TipoEtiqueta=\"" << tipo << "\" Versao=\""
          << digestoDaVersao(kVersaoCompilada)
          << "\" IndicadorTipoSku=\"N\" LayoutNovo=\"False\">\n<Item Codigo=\"" << v.item
          << "\">\n<Variante Codigo=\"" << v.codigo << "\">\n";
        std::string corpo = padrao;
        for (const auto& [nome, valor] : v.campos) {
            const std::string abre = "<" + nome + ">";
            if (const auto p = corpo.find(abre); p == std::string::npos)
                corpo += abre + valor + "</" + nome + ">";
            else
                corpo.replace(p + abre.size(), corpo.find("</", p) - p - abre.size(), valor);
        }
        x << corpo;
        x << "</Variante>\n</Item>\n</PedidoQuel>\n";
    }
    return x.str() + "</Preco>\n";
}

// One volume entry of a store; `campos` overrides the portal's values.
struct VolumeIlpn {
    VolumeIlpn(std::string n, std::map<std::string, std::string> c = {})
        : numero(std::move(n)), campos(std::move(c)) {}
    std::string numero;
    std::map<std::string, std::string> campos;
};

// One store of a volume file.
struct Loja {
    std::string pedido = "4510000001", codigo = "0012", item = "00010";
    std::string material = "000000000000123456", etiquetas = "3", grade = "12";
    std::vector<VolumeIlpn> volumes{{"V1"}, {"V2"}, {"V3"}};
    std::map<std::string, std::string> campos = {};  // elements of the store replaced or added
};

// The elements of `c` in name order, those valued "-" left out.
inline std::string elementos(const std::map<std::string, std::string>& c) {
    std::string x;
    for (const auto& [nome, valor] : c)
        if (valor != "-") x += "<" + nome + ">" + valor + "</" + nome + ">";
    return x;
}

// Every store in an order of its own unless consecutive ones share it.
inline std::string xmlVolume(int tipo, const std::vector<Loja>& lojas, bool ilpn = true) {
    std::ostringstream x;
    x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Volume>\n";
    for (std::size_t i = 0; i < lojas.size(); ++i) {
        const Loja& l = lojas[i];
        if (i == 0 || lojas[i - 1].pedido != l.pedido) {
            if (i > 0) x << "</PedidoQuel>\n";
            x << "<PedidoQuel Codigo=\"" << l.pedido << "\" TipoEtiqueta=\"" << tipo
              << "\" Versao=\"" << digestoDaVersao(kVersaoCompilada) << "\">\n";
        }
        std::map<std::string, std::string> c{
            {"CNPJ", "12.345.678/0001-90"},     {"ItemPedido", l.item},
            {"DescricaoMaterial", "CAMISA"},    {"CodigoMaterial", l.material},
            {"MaterialForn", "MF-1"},           {"SemanaEntr", "51"},
            {"NomeForn", "CONFECCOES EXEMPLO"}, {"CodigoBureau", "42"},
            {"QuantidadePeca", "36"},           {"QuantidadeEtiqueta", l.etiquetas},
            {"QuantidadePecGrade", l.grade}};
        for (const auto& [nome, valor] : l.campos) c[nome] = valor;
        x << "<Loja Codigo=\"" << l.codigo << "\" ILPN=\"" << (ilpn ? "True" : "False") << "\">"
          << elementos(c) << "<DADOS_VOLUME>\n";
        for (const auto& v : l.volumes) {
            std::map<std::string, std::string> e{{"numVolume", v.numero},
                                                 {"codMercadoria", "000000000000123456"},
                                                 {"codBarra", "0789" + v.numero},
                                                 {"codBarraCdAtual", "99" + v.numero},
                                                 {"codDco", "CD55"},
                                                 {"tipoProduto", "VESTUARIO"},
                                                 {"qtdeTotal", "12"},
                                                 {"desAuxiliar_1", "LOJA"},
                                                 {"desAuxiliar_2", "CUIDADO"},
                                                 {"desEndereco", "RUA DAS FLORES"}};
            for (const auto& [nome, valor] : v.campos) e[nome] = valor;
            x << "<VOLUME>" << elementos(e) << "</VOLUME>\n";
        }
        x << "</DADOS_VOLUME></Loja>\n";
    }
    return x.str() + "</PedidoQuel>\n</Volume>\n";
}

class AplicacaoTemporaria {
  public:
    // The recording script for this system, with `fimSh` or `fimBat` added.
    explicit AplicacaoTemporaria(const std::string& fimSh = "", const std::string& fimBat = "",
                                 const std::string& prefixo = "etiquetas-e2e-")
        : pasta_(apoio::criarPastaUnica(prefixo)) {
        apoio::copiarArquivosDaAplicacao(ETIQUETAS_PASTA_APLICACAO, pasta_);
#ifdef _WIN32
        (void)fimSh;
        gravar("QuelmonteImprime.bat", kScriptGravadorBat + fimBat);
#else
        (void)fimBat;
        gravar("QuelmonteImprime.sh", kScriptGravador + fimSh);
#endif
    }
    ~AplicacaoTemporaria() {
        std::error_code e;
        fs::remove_all(pasta_, e);
    }
    const fs::path& pasta() const {
        return pasta_;
    }
    void gravar(const std::string& nome, const std::string& conteudo) const {
        std::ofstream(pasta_ / nome, std::ios::binary) << conteudo;
    }
    std::string ler(const std::string& nome) const {
        return lerArquivo(pasta_ / nome).value_or("");
    }

    // etiquetas-cli --pasta <folder> <argumentos>; `programa`: a copy placed elsewhere.
    Resultado executar(const Lista& argumentos, const fs::path& programa = ETIQUETAS_CLI) const {
        return apoio::executarCli(mais({"--pasta", textoDoCaminho(pasta_)}, argumentos), programa);
    }

    // etiquetas-cli imprimir; the check before the run is skipped unless asked for.
    Resultado imprimir(const std::string& xml, const Lista& opcoes, bool comVerificacao = false,
                       const fs::path& programa = ETIQUETAS_CLI) const {
        gravar("pedidos.xml", xml);
        Lista argumentos{"imprimir", textoDoCaminho(pasta_ / "pedidos.xml")};
        if (!comVerificacao) argumentos.push_back("--ignorar-verificacao");
        return executar(mais(argumentos, opcoes), programa);
    }

    // Keys put first in a section of the layout file win over the shipped ones.
    void ajustarIni(const std::string& secao, const std::string& chaves) const {
        std::string ini = ler("QuelmonteEtiqueta.ini");
        const std::string cabecalho = "[" + secao + "]";
        const auto p = ini.find(cabecalho);
        ASSERT_NE(p, std::string::npos) << secao;
        ini.insert(p + cabecalho.size(), "\r\n" + chaves);
        gravar("QuelmonteEtiqueta.ini", ini);
    }

    // A print that must end well: the jobs it sent.
    std::vector<Trabalho> imprimirBem(const std::string& xml, const Lista& opcoes) const {
        const auto r = imprimir(xml, opcoes);
        EXPECT_EQ(r.codigo, 0) << r.erros;
        return trabalhos();
    }

    std::vector<Trabalho> trabalhos() const {
        std::vector<Trabalho> r;
        for (int n = 1; fs::exists(pasta_ / ("job-" + std::to_string(n) + ".spool")); ++n) {
            const std::string job = "job-" + std::to_string(n);
            r.push_back({ler(job + ".spool"), linhasDe(ler(job + ".args"))});  // cmd: CR LF
        }
        return r;
    }

  private:
    fs::path pasta_;
};

// Whether the CLI's UTF-8 output holds `parte` (in the core's text).
inline bool contem(const std::string& texto, const std::string& parte) {
    return texto.find(cp1252ParaUtf8(parte)) != std::string::npos;
}

// A run stopped by a fault: exit status 1, the message, and no success told.
inline void esperarFalha(const Resultado& r, const std::string& mensagem) {
    EXPECT_EQ(r.codigo, 1) << r.erros;
    EXPECT_NE(r.erros.find(cp1252ParaUtf8(mensagem)), std::string::npos) << r.erros;
    EXPECT_EQ(r.erros.find("sucesso"), std::string::npos) << r.erros;
}

inline std::string arquivoDoSpool(const Trabalho& t) {
    return fs::path(t.args.at(0)).filename().string();
}

inline Lista arquivosDosSpools(const std::vector<Trabalho>& jobs) {
    Lista r;
    for (const auto& j : jobs) r.push_back(arquivoDoSpool(j));
    return r;
}

// What lies between each `inicio` and the next `fim` of a spool text.
inline Lista entre(const std::string& texto, const std::string& inicio, const std::string& fim) {
    Lista r;
    for (auto p = texto.find(inicio); p != std::string::npos; p = texto.find(inicio, p + 1)) {
        const auto a = p + inicio.size();
        r.push_back(texto.substr(a, texto.find(fim, a) - a));
    }
    return r;
}

#ifndef _WIN32
// etiquetas-cli sent SIGTERM once `arquivo` appears: its exit status and standard error.
inline Resultado interromperAoSurgir(const AplicacaoTemporaria& app, const std::string& argumentos,
                                     const std::string& arquivo) {
    const auto p = app.pasta();
    const std::string linha = std::string("'") + ETIQUETAS_CLI + "' --pasta '" + p.string() + "' " +
                              argumentos + " 2>'" + (p / "erros").string() +
                              "' </dev/null & echo $! >'" + (p / "pid").string() +
                              "'; wait $!; echo $? >'" + (p / "rc").string() + "'";
    std::thread execucao([&] { std::system(linha.c_str()); });
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(p / arquivo) && std::chrono::steady_clock::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const int pid = std::atoi(app.ler("pid").c_str());
    if (pid > 0) kill(pid, SIGTERM);
    execucao.join();
    EXPECT_GT(pid, 0);
    return {pid > 0 ? std::atoi(app.ler("rc").c_str()) : -1, app.ler("erros"), ""};
}
#endif

// The Code 128 data of every ZPL bar code field in a spool text.
inline Lista codigosZpl(const std::string& spool) {
    return entre(spool, "^FD>;", "^FS");
}

// The data of every Code 128 record of a DPL spool, as a scanner reads it.
inline Lista codigosDpl(const std::string& spool) {
    Lista r;
    std::istringstream s(spool);
    for (std::string l; std::getline(s, l, '\r');) {
        if (l.starts_with('\n')) l.erase(0, 1);
        if (l.size() > 15 && l[0] >= '1' && l[0] <= '4' && (l[1] == 'E' || l[1] == 'e'))
            r.push_back(l.substr(l[15] >= 'A' && l[15] <= 'C' ? 16 : 15));
    }
    return r;
}

inline std::size_t contar(const std::string& texto, const std::string& parte) {
    std::size_t n = 0;
    for (auto p = texto.find(parte); p != std::string::npos; p = texto.find(parte, p + 1)) ++n;
    return n;
}

}  // namespace etiquetas::e2e
