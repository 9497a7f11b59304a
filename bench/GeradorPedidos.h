#pragma once

// Large order files with the element sizes of the portal's real ones: price
// files of N variants (ten variants an item, ten items an order) and volume
// files of N stores (two volumes a store, ten stores an order).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "comum/Texto.h"
#include "orderfile/Md5.h"

namespace etiquetas::bench {

inline std::string numero(long n, int largura) {
    return formatarInteiro(n, std::string(largura, '0'));
}

inline void escreverVariante(std::string& s, long v) {
    const std::string cod = numero(v, 18);
    s += "      <Variante Codigo=\"" + cod + "\">\n";
    auto el = [&s](const char* nome, const std::string& valor) {
        s += "        <";
        s += nome;
        s += ">";
        s += valor;
        s += "</";
        s += nome;
        s += ">\n";
    };
    el("CNPJ", "12.345.678/0001-90");
    el("Digito", "7");
    el("QuantidadeEtiqueta", std::to_string(1 + v % 20));
    el("SequenciaInicial", "1");
    el("SequenciaFinal", std::to_string(1 + v % 20));
    el("Catalogo", numero(v % 1000000, 6));
    el("Tamanho", v % 2 ? "M" : "GG");
    el("EstrColecao", "VER27");
    el("Estacao", "VERÃO 2027");
    el("DataEntrega", "15/01/2027");
    el("CodDepto", std::to_string(100 + v % 300));
    el("DataTransmissao", "06/12/2026");
    el("CodigoCoordenado", numero(v % 10000, 4));
    el("Tendencia", "BÁSICO");
    el("Parede", "P02");
    el("ValeAPena", "N");
    el("DescricaoMaterial", "CAMISETA MALHA ALGODÃO GOLA CARECA " + numero(v % 1000, 3));
    el("CodigoBarra", "789" + numero(v, 10));
    el("CodigoPromocao", "000");
    el("PrecoMaterial", std::to_string(10 + v % 190) + ",99");
    el("Grade", "PMG");
    el("MaterialForn", "MF-" + numero(v % 100000, 5));
    el("NomeForn", "CONFECÇÕES ARAÚJO LTDA");
    el("CodigoBureau", "42");
    el("centroentrega", "55");
    el("descricaocentroentrega", "CD CAJAMAR");
    el("centrofaturamento", "12");
    el("descricaocentrofaturamento", "MATRIZ SÃO PAULO");
    el("OrigemSolicitacao", "N");
    el("Cor", "AZUL MARINHO");
    el("CorIngles", "NAVY BLUE");
    el("TamanhoIngles", v % 2 ? "M" : "XL");
    el("TipoEtiq", "1");
    el("Familia", "CAMISETAS");
    s += "      </Variante>\n";
}

inline void escreverLoja(std::string& s, long l) {
    const std::string cod = numero(l % 10000, 4);
    s += "    <Loja Codigo=\"" + cod + "\" ILPN=\"False\">\n";
    auto el = [&s](const char* nome, const std::string& valor, const char* recuo = "      ") {
        s += recuo;
        s += "<";
        s += nome;
        s += ">";
        s += valor;
        s += "</";
        s += nome;
        s += ">\n";
    };
    el("CNPJ", "23.456.789/0001-01");
    el("ItemPedido", numero(10 * (1 + l % 50), 5));
    el("DescricaoMaterial", "CALÇA JEANS SKINNY LAVAGEM CLARA");
    el("CodigoMaterial", numero(12345678 + l % 1000, 18));
    el("MaterialForn", "CJ-" + numero(l % 10000, 4));
    el("SemanaEntr", "51");
    el("NomeForn", "MALHARIA SÃO JOSÉ S/A");
    el("CodigoBureau", "123");
    el("QuantidadePeca", "24");
    el("QuantidadeEtiqueta", "2");
    el("QuantidadePecGrade", "12");
    el("centroentrega", "55");
    el("centrofaturamento", "12");
    s += "      <DADOS_VOLUME>\n";
    for (int i = 1; i <= 2; ++i) {
        const char* r = "          ";
        s += "        <VOLUME>\n";
        el("numVolume", numero(l * 10 + i, 20), r);
        el("codMercadoria", numero(12345678 + l % 1000, 18), r);
        el("codBarra", "0789" + numero(l * 10 + i, 10), r);
        el("codBarraCdAtual", "99" + numero(l * 10 + i, 12), r);
        el("codDco", "CD55", r);
        el("tipoProduto", "VESTUÁRIO", r);
        el("qtdeTotal", "12", r);
        el("desAuxiliar_1", "LOJA " + cod + " - SÃO PAULO", r);
        el("desAuxiliar_2", "MANUSEAR COM CUIDADO", r);
        el("desEndereco", "RUA DAS FLORES, 100 - CENTRO", r);
        s += "        </VOLUME>\n";
    }
    s += "      </DADOS_VOLUME>\n    </Loja>\n";
}

// Writes the file in UTF-8, as the portal does; returns its size in bytes.
inline std::uintmax_t gerarArquivo(const std::filesystem::path& caminho, bool volume, long n) {
    const std::string digesto = digestoDaVersao(kVersaoCompilada);
    std::ofstream saida(caminho, std::ios::binary);
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += volume ? "<Volume>\n" : "<Preco>\n";
    for (long i = 0; i < n; ++i) {
        const bool novoPedido = volume ? i % 10 == 0 : i % 100 == 0;
        if (novoPedido) {
            if (i > 0) s += volume ? "  </PedidoQuel>\n" : "    </Item>\n  </PedidoQuel>\n";
            s += "  <PedidoQuel Codigo=\"" + numero(4500000000 + i, 10) + "\" TipoEtiqueta=\"" +
                 (volume ? "4" : "1") + "\" Versao=\"" + digesto +
                 (volume ? "\">\n" : "\" IndicadorTipoSku=\"N\" LayoutNovo=\"False\">\n");
        }
        if (!volume && i % 10 == 0) {
            if (!novoPedido) s += "    </Item>\n";
            s += "    <Item Codigo=\"" + numero(10 * (1 + (i / 10) % 10), 5) + "\">\n";
        }
        if (volume)
            escreverLoja(s, i);
        else
            escreverVariante(s, i);
        if (s.size() > (1 << 20)) {
            saida << cp1252ParaUtf8(s);
            s.clear();
        }
    }
    if (n > 0) s += volume ? "  </PedidoQuel>\n" : "    </Item>\n  </PedidoQuel>\n";
    s += volume ? "</Volume>\n" : "</Preco>\n";
    saida << cp1252ParaUtf8(s);
    saida.close();
    return std::filesystem::file_size(caminho);
}

// "[PASTA] [--tamanhos 1000,10000,100000]" from the command line.
struct Argumentos {
    std::filesystem::path pasta;
    std::vector<long> tamanhos{1000, 10000, 100000};
};

inline Argumentos lerArgumentos(int argc, char** argv, std::filesystem::path pastaPadrao) {
    Argumentos a{std::move(pastaPadrao)};
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--tamanhos" && i + 1 < argc) {
            a.tamanhos.clear();
            std::istringstream in(argv[++i]);
            for (std::string t; std::getline(in, t, ',');) a.tamanhos.push_back(std::stol(t));
        } else {
            a.pasta = argv[i];
        }
    }
    return a;
}

}  // namespace etiquetas::bench
