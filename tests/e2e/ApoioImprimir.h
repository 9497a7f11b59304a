#pragma once

// etiquetas-cli against a throw-away copy of the built application folder
// whose print script records every job: its spool file and its arguments,
// in order. Price order files are written by the test itself.

#include <openssl/evp.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "comum/Versao.h"

namespace etiquetas::e2e {

namespace fs = std::filesystem;

// Records job n as job-000n.spool and job-000n.args (one argument a line).
inline const char* kScriptGravador =
    "pasta=$(dirname \"$0\")\n"
    "n=$(cat \"$pasta/contador\" 2>/dev/null || echo 0)\n"
    "n=$((n + 1))\n"
    "echo $n > \"$pasta/contador\"\n"
    "job=$(printf '%s/job-%04d' \"$pasta\" \"$n\")\n"
    "cp \"$1\" \"$job.spool\"\n"
    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$job.args\"\n";

struct Trabalho {
    std::string spool;              // what reached the printer
    std::vector<std::string> args;  // the script's arguments
    std::string arquivo() const { return fs::path(args.at(0)).filename().string(); }
};

struct Resultado {
    int codigo = -1;
    std::string saida, erros;  // UTF-8, as the terminal shows them
};

inline std::string digestoVersao() {
    const std::string versao = textoVersao(kVersaoCompilada);
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_Digest(versao.data(), versao.size(), md, &n, EVP_md5(), nullptr);
    std::string hex;
    char b[3];
    for (unsigned i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, "%02X", md[i]);
        hex += b;
    }
    return hex;
}

// One variant of a price file (values as they would come from the portal).
struct Variante {
    std::string pedido = "4512", item = "10", codigo = "000123", digito = "5";
    std::string primeira = "1", ultima = "2", tamanho = "M", preco = "129,90";
    std::string tendencia = "INVERNO", familia = "", catalogo = "A", promocao = "",
                coordenado = "C";
    std::string origem = "N", descricao = "BLUSA MALHA", fornecedor = "CONFECCOES EXEMPLO";
};

inline std::string xmlPreco(int tipo, const std::vector<Variante>& variantes) {
    std::ostringstream x;
    x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Preco>\n";
    for (const auto& v : variantes) {
        x << "<PedidoQuel Codigo=\"" << v.pedido << "\" TipoEtiqueta=\"" << tipo << "\" Versao=\""
          << digestoVersao() << "\" IndicadorTipoSku=\"N\" LayoutNovo=\"False\">\n<Item Codigo=\""
          << v.item << "\">\n<Variante Codigo=\"" << v.codigo << "\">\n";
        const std::vector<std::pair<const char*, std::string>> campos{
            {"CNPJ", "12.345.678/0001-90"},
            {"Digito", v.digito},
            {"QuantidadeEtiqueta", "2"},
            {"SequenciaInicial", v.primeira},
            {"SequenciaFinal", v.ultima},
            {"Catalogo", v.catalogo},
            {"Tamanho", v.tamanho},
            {"EstrColecao", "EC1"},
            {"Estacao", "VERAO"},
            {"DataEntrega", "20261231"},
            {"CodDepto", "42"},
            {"DataTransmissao", "20261206"},
            {"CodigoCoordenado", v.coordenado},
            {"Tendencia", v.tendencia},
            {"Parede", "P1"},
            {"ValeAPena", "VALE A PENA"},
            {"DescricaoMaterial", v.descricao},
            {"CodigoBarra", "7891234567895"},
            {"CodigoPromocao", v.promocao},
            {"PrecoMaterial", v.preco},
            {"Grade", "PMG"},
            {"MaterialForn", "REF77"},
            {"NomeForn", v.fornecedor},
            {"CodigoBureau", "42"},
            {"OrigemSolicitacao", v.origem},
            {"Cor", "AZUL"},
            {"Familia", v.familia}};
        for (const auto& [nome, valor] : campos)
            x << "<" << nome << ">" << valor << "</" << nome << ">\n";
        x << "</Variante>\n</Item>\n</PedidoQuel>\n";
    }
    x << "</Preco>\n";
    return x.str();
}

class AplicacaoTemporaria {
  public:
    AplicacaoTemporaria() {
        std::random_device r;
        pasta_ = fs::temp_directory_path() /
                 ("etiquetas-e2e-" + std::to_string(r()) + std::to_string(r()));
        fs::create_directories(pasta_);
        for (const auto& e : fs::directory_iterator(ETIQUETAS_PASTA_APLICACAO)) {
            const auto nome = e.path().filename().string();
            if (e.is_regular_file() && nome != "etiquetas" && nome != "etiquetas-cli")
                fs::copy_file(e.path(), pasta_ / nome);
        }
        gravar("QuelmonteImprime.sh", kScriptGravador);
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

    // Runs etiquetas-cli --pasta <folder> imprimir <arquivo> <opcoes>.
    Resultado imprimir(const std::string& xml, const std::vector<std::string>& opcoes) const {
        gravar("pedidos.xml", xml);
        std::string linha = std::string("'") + ETIQUETAS_CLI + "' --pasta '" + pasta_.string() +
                            "' imprimir '" + (pasta_ / "pedidos.xml").string() + "'";
        for (const auto& o : opcoes) linha += " '" + o + "'";
        linha += " >'" + (pasta_ / "saida.txt").string() + "' 2>'" +
                 (pasta_ / "erros.txt").string() + "' </dev/null";
        const int estado = std::system(linha.c_str());
        return {WIFEXITED(estado) ? WEXITSTATUS(estado) : -1, ler("saida.txt"), ler("erros.txt")};
    }

    std::vector<Trabalho> trabalhos() const {
        std::vector<Trabalho> r;
        for (int n = 1;; ++n) {
            char nome[32];
            std::snprintf(nome, sizeof nome, "job-%04d", n);
            if (!fs::exists(pasta_ / (std::string(nome) + ".spool"))) break;
            Trabalho t{ler(std::string(nome) + ".spool"), {}};
            std::istringstream args(ler(std::string(nome) + ".args"));
            for (std::string a; std::getline(args, a);) t.args.push_back(a);
            r.push_back(std::move(t));
        }
        return r;
    }

  private:
    fs::path pasta_;
};

// The Code 128 data of every ZPL bar code field in a spool text.
inline std::vector<std::string> codigosZpl(const std::string& spool) {
    std::vector<std::string> r;
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
