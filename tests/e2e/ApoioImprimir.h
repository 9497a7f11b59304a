#pragma once

// etiquetas-cli against a throw-away copy of the built application folder
// whose print script records every job: its spool file and its arguments.

#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "orderfile/Md5.h"

namespace etiquetas::e2e {

namespace fs = std::filesystem;
using Lista = std::vector<std::string>;

// Job n leaves job-n.spool and job-n.args (one argument a line).
inline const std::string kScriptGravador =
    "d=$(dirname \"$0\"); n=$(($(cat \"$d/n\" 2>/dev/null || echo 0) + 1)); echo $n >\"$d/n\"\n"
    "cp \"$1\" \"$d/job-$n.spool\"; printf '%s\\n' \"$@\" >\"$d/job-$n.args\"\n";

struct Trabalho {
    std::string spool;  // what reached the printer
    Lista args;
};

struct Resultado {
    int codigo = -1;
    std::string erros;  // UTF-8, as the terminal shows them
};

// One variant of a price file; `campos` overrides the portal's values below
// or adds the elements they lack.
struct Variante {
    std::string pedido = "4512", item = "10", codigo = "000123";
    std::map<std::string, std::string> campos;
};

inline Variante faixa(const std::string& primeira, const std::string& ultima) {
    return {.campos = {{"SequenciaInicial", primeira}, {"SequenciaFinal", ultima}}};
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
            const auto elemento = corpo.find("<" + nome + ">");
            if (elemento == std::string::npos) {
                corpo += "<" + nome + ">" + valor + "</" + nome + ">";
                continue;
            }
            const auto inicio = elemento + nome.size() + 2;
            corpo.replace(inicio, corpo.find("</", inicio) - inicio, valor);
        }
        x << corpo;
        x << "</Variante>\n</Item>\n</PedidoQuel>\n";
    }
    return x.str() + "</Preco>\n";
}

class AplicacaoTemporaria {
  public:
    AplicacaoTemporaria(const std::string& script = kScriptGravador) {
        std::string modelo = (fs::temp_directory_path() / "etiquetas-e2e-XXXXXX").string();
        pasta_ = mkdtemp(modelo.data());
        for (const auto& e : fs::directory_iterator(ETIQUETAS_PASTA_APLICACAO))
            if (e.is_regular_file() && !e.path().filename().string().starts_with("etiquetas"))
                fs::copy_file(e.path(), pasta_ / e.path().filename());
        gravar("QuelmonteImprime.sh", script);
    }
    ~AplicacaoTemporaria() {
        std::error_code e;
        fs::remove_all(pasta_, e);
    }
    const fs::path& pasta() const { return pasta_; }
    void gravar(const std::string& nome, const std::string& conteudo) const {
        std::ofstream(pasta_ / nome, std::ios::binary) << conteudo;
    }
    std::string ler(const std::string& nome) const {
        return lerArquivo(pasta_ / nome).value_or("");
    }

    // etiquetas-cli --pasta <folder> imprimir <file> <options>; stderr kept.
    Resultado imprimir(const std::string& xml, const Lista& opcoes) const {
        gravar("pedidos.xml", xml);
        std::string linha = std::string("'") + ETIQUETAS_CLI + "' --pasta '" + pasta_.string() +
                            "' imprimir '" + (pasta_ / "pedidos.xml").string() + "'";
        for (const auto& o : opcoes) linha += " '" + o + "'";
        linha += " >/dev/null 2>'" + (pasta_ / "erros.txt").string() + "' </dev/null";
        const int estado = std::system(linha.c_str());
        return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, ler("erros.txt")};
    }

    std::vector<Trabalho> trabalhos() const {
        std::vector<Trabalho> r;
        for (int n = 1; fs::exists(pasta_ / ("job-" + std::to_string(n) + ".spool")); ++n) {
            const std::string job = "job-" + std::to_string(n);
            Trabalho t{ler(job + ".spool"), {}};
            std::istringstream args(ler(job + ".args"));
            for (std::string a; std::getline(args, a);) t.args.push_back(a);
            r.push_back(std::move(t));
        }
        return r;
    }

  private:
    fs::path pasta_;
};

// The Code 128 data of every ZPL bar code field in a spool text.
inline Lista codigosZpl(const std::string& spool) {
    Lista r;
    for (auto p = spool.find("^FD>;"); p != std::string::npos; p = spool.find("^FD>;", p + 1))
        r.push_back(spool.substr(p + 5, spool.find("^FS", p) - p - 5));
    return r;
}

inline std::size_t contar(const std::string& texto, const std::string& parte) {
    std::size_t n = 0;
    for (auto p = texto.find(parte); p != std::string::npos; p = texto.find(parte, p + 1)) ++n;
    return n;
}

}  // namespace etiquetas::e2e
