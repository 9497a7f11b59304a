#include "orderfile/Xml.h"

#include <cstring>
#include <fstream>

#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace etiquetas {

namespace {

// Elements and character data as the portal's files carry them; comments,
// processing instructions and the declaration are kept as nodes so that node
// positions match what the order files rely on; a DOCTYPE is kept so that it
// can be refused.
constexpr unsigned kOpcoesAnalise = pugi::parse_default | pugi::parse_declaration |
                                    pugi::parse_comments | pugi::parse_pi | pugi::parse_doctype;

// A buffer owned by pugixml's allocator, so the document can take it over.
struct BufferPugi {
    char* dados = nullptr;
    std::size_t tamanho = 0;
    explicit BufferPugi(std::size_t n) : tamanho(n) {
        dados = static_cast<char*>(pugi::get_memory_allocation_function()(n ? n : 1));
    }
    ~BufferPugi() {
        if (dados) pugi::get_memory_deallocation_function()(dados);
    }
    BufferPugi(const BufferPugi&) = delete;
    BufferPugi& operator=(const BufferPugi&) = delete;
    char* soltar() {
        char* d = dados;
        dados = nullptr;
        return d;
    }
};

bool comecaCom(std::string_view texto, std::string_view prefixo) {
    return texto.substr(0, prefixo.size()) == prefixo;
}

bool temBomUnicodeLargo(std::string_view bytes) {
    return comecaCom(bytes, "\xFF\xFE") || comecaCom(bytes, "\xFE\xFF");
}

// The value of encoding="..." in the declaration, if there is one.
std::optional<std::string> codificacaoDeclarada(std::string_view bytes) {
    if (!comecaCom(bytes, "<?xml")) return std::nullopt;
    const auto fim = bytes.find("?>");
    if (fim == std::string_view::npos) return std::nullopt;
    const std::string_view decl = bytes.substr(0, fim);
    const auto pos = decl.find("encoding");
    if (pos == std::string_view::npos) return std::nullopt;
    auto i = decl.find_first_of("\"'", pos);
    if (i == std::string_view::npos) return std::nullopt;
    const char aspas = decl[i];
    const auto j = decl.find(aspas, i + 1);
    if (j == std::string_view::npos) return std::nullopt;
    return maiusculas(aparar(decl.substr(i + 1, j - i - 1)));
}

}  // namespace

Codificacao codificacaoDoArquivo(std::string_view bytes) {
    if (comecaCom(bytes, "\xEF\xBB\xBF")) return Codificacao::Utf8;
    if (temBomUnicodeLargo(bytes)) return Codificacao::PeloBom;
    const auto nome = codificacaoDeclarada(bytes);
    if (!nome) return Codificacao::Utf8;
    if (*nome == "UTF-8" || *nome == "UTF8" || *nome == "US-ASCII" || *nome == "ASCII")
        return Codificacao::Utf8;
    if (*nome == "ISO-8859-1" || *nome == "ISO8859-1" || *nome == "ISO_8859-1" ||
        *nome == "LATIN1" || *nome == "LATIN-1")
        return Codificacao::Latin1;
    if (*nome == "WINDOWS-1252" || *nome == "CP1252") return Codificacao::Cp1252;
    return Codificacao::Desconhecida;
}

namespace {

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool utf8Valido(const unsigned char* p, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
        // Runs of ASCII eight bytes at a time: most of an order file.
        while (i + 8 <= n) {
            std::uint64_t bloco;
            std::memcpy(&bloco, p + i, 8);
            if (bloco & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i >= n) break;
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned minimo;
        if ((b & 0xE0) == 0xC0)
            extra = 1, minimo = 0x80;
        else if ((b & 0xF0) == 0xE0)
            extra = 2, minimo = 0x800;
        else if ((b & 0xF8) == 0xF0)
            extra = 3, minimo = 0x10000;
        else
            return false;
        if (i + extra >= n) return false;
        unsigned cp = b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

// What the order files may not be even when the parser took them: a DTD
// (entities are never expanded, but such a file is no order file), more
// than one root element, or text outside the root.
bool estruturaAceita(const pugi::xml_document& documento) {
    int elementos = 0;
    for (auto no : documento.children()) {
        switch (no.type()) {
            case pugi::node_doctype:
            case pugi::node_pcdata:
            case pugi::node_cdata:
                return false;
            case pugi::node_element:
                ++elementos;
                break;
            default:
                break;
        }
    }
    return elementos == 1;
}

std::shared_ptr<pugi::xml_document> analisar(BufferPugi& buffer) {
    auto documento = std::make_shared<pugi::xml_document>();
    const std::string_view bytes(buffer.dados, buffer.tamanho);
    pugi::xml_encoding codificacao = pugi::encoding_utf8;
    switch (codificacaoDoArquivo(bytes)) {
        case Codificacao::Utf8:
            if (!utf8Valido(reinterpret_cast<const unsigned char*>(buffer.dados), buffer.tamanho))
                return documento;
            break;
        case Codificacao::Latin1:
            codificacao = pugi::encoding_latin1;
            break;
        case Codificacao::Cp1252: {
            const std::string utf8 = cp1252ParaUtf8(bytes);
            BufferPugi convertido(utf8.size());
            std::memcpy(convertido.dados, utf8.data(), utf8.size());
            std::swap(buffer.dados, convertido.dados);
            std::swap(buffer.tamanho, convertido.tamanho);
            break;
        }
        case Codificacao::PeloBom:
            codificacao = pugi::encoding_auto;
            break;
        case Codificacao::Desconhecida:
            return documento;
    }
    const std::size_t tamanho = buffer.tamanho;
    const auto resultado =
        documento->load_buffer_inplace_own(buffer.soltar(), tamanho, kOpcoesAnalise, codificacao);
    if (!resultado || !estruturaAceita(*documento)) documento->reset();
    return documento;
}

// The text below `no` in document order. Iterative: a value may nest
// elements far deeper than the stack would take.
void anexarTexto(pugi::xml_node no, std::string& saida) {
    paraCadaDescendente(no, [&saida](pugi::xml_node d) {
        if (d.type() == pugi::node_pcdata || d.type() == pugi::node_cdata) saida += d.value();
    });
}

bool soAscii(const char* s, std::size_t& n) {
    bool ascii = true;
    for (n = 0; s[n]; ++n)
        if (static_cast<unsigned char>(s[n]) >= 0x80) ascii = false;
    return ascii;
}

}  // namespace

std::filesystem::path caminhoDoTexto(const std::string& caminho) {
    const std::string utf8 = cp1252ParaUtf8(caminho);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::shared_ptr<pugi::xml_document> CarregarXML(const std::string& caminho) {
    return CarregarXML(caminhoDoTexto(caminho));
}

std::shared_ptr<pugi::xml_document> CarregarXML(const std::filesystem::path& caminho) {
    std::error_code erro;
    if (!std::filesystem::is_regular_file(caminho, erro))
        return std::make_shared<pugi::xml_document>();
    std::ifstream entrada(caminho, std::ios::binary | std::ios::ate);
    if (!entrada) return std::make_shared<pugi::xml_document>();
    const auto fim = entrada.tellg();
    if (fim < 0 || static_cast<std::uintmax_t>(fim) > kLimitePedidos)
        return std::make_shared<pugi::xml_document>();
    BufferPugi buffer(static_cast<std::size_t>(fim));
    if (!buffer.dados) return std::make_shared<pugi::xml_document>();
    entrada.seekg(0);
    if (!entrada.read(buffer.dados, static_cast<std::streamsize>(buffer.tamanho)))
        return std::make_shared<pugi::xml_document>();
    return analisar(buffer);
}

std::shared_ptr<pugi::xml_document> CarregarXMLDeBytes(std::string_view bytes) {
    BufferPugi buffer(bytes.size());
    if (!buffer.dados) return std::make_shared<pugi::xml_document>();
    if (!bytes.empty()) std::memcpy(buffer.dados, bytes.data(), bytes.size());
    return analisar(buffer);
}

bool anexarTrecho(pugi::xml_node pai, std::string trecho, Codificacao codificacao) {
    pugi::xml_encoding paraAnalise = pugi::encoding_utf8;
    switch (codificacao) {
        case Codificacao::Utf8:
            if (!utf8Valido(reinterpret_cast<const unsigned char*>(trecho.data()), trecho.size()))
                return false;
            break;
        case Codificacao::Latin1:
            paraAnalise = pugi::encoding_latin1;
            break;
        case Codificacao::Cp1252:
            trecho = cp1252ParaUtf8(trecho);
            break;
        default:
            return false;
    }
    // A fragment: a piece of character data alone is no error here.
    return static_cast<bool>(pai.append_buffer(trecho.data(), trecho.size(),
                                               kOpcoesAnalise | pugi::parse_fragment, paraAnalise));
}

pugi::xml_node filhoDoDocumento(const pugi::xml_document& documento, std::size_t indice) {
    std::size_t i = 0;
    for (auto no : documento.children())
        if (i++ == indice) return no;
    return {};
}

std::vector<pugi::xml_node> elementosPorNome(pugi::xml_node inicio, std::string_view nome) {
    std::vector<pugi::xml_node> encontrados;
    paraCadaDescendente(inicio, [&](pugi::xml_node no) {
        if (no.type() == pugi::node_element && nome == no.name()) encontrados.push_back(no);
    });
    return encontrados;
}

std::optional<std::string> atributoNaPosicao(pugi::xml_node elemento, std::size_t posicao) {
    std::size_t i = 0;
    for (auto a : elemento.attributes())
        if (i++ == posicao) return textoDoParser(a.value());
    return std::nullopt;
}

std::optional<std::string> atributoPorNome(pugi::xml_node elemento, std::string_view nome) {
    for (auto a : elemento.attributes())
        if (nome == a.name()) return textoDoParser(a.value());
    return std::nullopt;
}

pugi::xml_node filhoPorNome(pugi::xml_node elemento, std::string_view nome) {
    for (auto filho : elemento.children())
        if (filho.type() == pugi::node_element && nome == filho.name()) return filho;
    return {};
}

std::string textoElemento(pugi::xml_node elemento) {
    const auto primeiro = elemento.first_child();
    // The usual case: one run of character data.
    if (primeiro && !primeiro.next_sibling() &&
        (primeiro.type() == pugi::node_pcdata || primeiro.type() == pugi::node_cdata))
        return textoDoParser(primeiro.value());
    std::string utf8;
    anexarTexto(elemento, utf8);
    return textoDoParser(utf8.c_str());
}

std::optional<std::string> textoDoFilho(pugi::xml_node elemento, std::string_view nome) {
    const auto filho = filhoPorNome(elemento, nome);
    if (!filho) return std::nullopt;
    return textoElemento(filho);
}

pugi::xpath_node_set selecionarNos(pugi::xml_node inicio, std::string_view consulta) {
    try {
        const std::string utf8 = cp1252ParaUtf8(consulta);
        return inicio.select_nodes(utf8.c_str());
    } catch (const pugi::xpath_exception&) {
        return {};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::string literalXPath(std::string_view valor) {
    if (valor.find('\'') == std::string_view::npos) return "'" + std::string(valor) + "'";
    if (valor.find('"') == std::string_view::npos) return "\"" + std::string(valor) + "\"";
    // Both quotes: concat('a', "'", 'b').
    std::string saida = "concat(";
    std::size_t inicio = 0;
    for (std::size_t pos; (pos = valor.find('\'', inicio)) != std::string_view::npos;
         inicio = pos + 1) {
        saida += "'" + std::string(valor.substr(inicio, pos - inicio)) + "', \"'\", ";
    }
    saida += "'" + std::string(valor.substr(inicio)) + "')";
    return saida;
}

std::string consultaLojaVolume(std::string_view pedido, std::string_view loja,
                               std::string_view item) {
    return "/Volume/PedidoQuel[@Codigo=" + literalXPath(pedido) +
           "]/Loja[@Codigo=" + literalXPath(loja) + "][ItemPedido=" + literalXPath(item) + "]";
}

std::string textoDoParser(const char* utf8) {
    std::size_t n = 0;
    if (soAscii(utf8, n)) return std::string(utf8, n);
    return utf8ParaCp1252(std::string_view(utf8, n));
}

}  // namespace etiquetas
