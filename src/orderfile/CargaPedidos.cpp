#include "orderfile/CargaPedidos.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "comum/Texto.h"
#include "orderfile/Reconhecimento.h"
#include "orderfile/Xml.h"

namespace etiquetas {

namespace {

// The cells of one new grid row, written by field name.
template <class Campo, int N>
struct CelulasLinha {
    std::array<std::string, N> celulas;
    std::string& operator[](Campo campo) { return celulas[coluna(campo) - 1]; }
    void moverPara(std::vector<std::string>& destino) {
        for (auto& c : celulas) destino.push_back(std::move(c));
    }
};

constexpr long kIntervaloAviso = 4096;

// A file that cannot be read completely: the message names where and what.
struct FalhaArquivo {
    std::string descricao;
};

// Where in the file a value is read; put into words only when it is wrong.
struct Onde {
    std::size_t indicePedido = 0;
    const std::string* pedido = nullptr;
    const std::string* item = nullptr;
    const std::string* variante = nullptr;
    const std::string* loja = nullptr;

    std::string texto() const {
        std::string t = pedido ? "Pedido " + *pedido
                               : "Pedido nº " + std::to_string(indicePedido + 1) + " do arquivo";
        if (item) t += ", item " + *item;
        if (variante) t += ", variante " + *variante;
        if (loja) t += ", loja " + *loja;
        return t;
    }
};

[[noreturn]] void falhar(const Onde& onde, const std::string& oque) {
    throw FalhaArquivo{onde.texto() + ": " + oque};
}

// Finds, in one pass over an element's children, the first child element of
// each wanted name.
class LeitorFilhos {
  public:
    template <std::size_t N>
    explicit LeitorFilhos(const std::array<const char*, N>& nomes) {
        for (std::size_t i = 0; i < N; ++i) posicoes_.emplace(nomes[i], static_cast<int>(i));
        nomes_.assign(nomes.begin(), nomes.end());
        achados_.resize(N);
    }
    void ler(pugi::xml_node pai) {
        std::fill(achados_.begin(), achados_.end(), pugi::xml_node());
        std::size_t esperado = 0;  // the portal writes the elements in one order
        for (auto filho = pai.first_child(); filho; filho = filho.next_sibling()) {
            const char* nome = filho.name();
            if (!*nome) continue;  // character data, comments
            int posicao;
            if (esperado < nomes_.size() && std::strcmp(nome, nomes_[esperado]) == 0) {
                posicao = static_cast<int>(esperado);
            } else {
                const auto p = posicoes_.find(std::string_view(nome));
                if (p == posicoes_.end() || filho.type() != pugi::node_element) continue;
                posicao = p->second;
            }
            esperado = posicao + 1;
            if (!achados_[posicao]) achados_[posicao] = filho;
        }
    }
    pugi::xml_node no(int i) const { return achados_[i]; }

  private:
    std::unordered_map<std::string_view, int> posicoes_;
    std::vector<const char*> nomes_;
    std::vector<pugi::xml_node> achados_;
};

class Progresso {
  public:
    explicit Progresso(const AvisoProgresso& aviso) : aviso_(aviso) {}
    void passo() {
        if (aviso_ && contador_ % kIntervaloAviso == 0) aviso_(contador_);
        ++contador_;
    }
    void fim() {
        if (aviso_ && contador_ > 1) aviso_(contador_ - 1);
    }
    long passos() const { return contador_ - 1; }

  private:
    const AvisoProgresso& aviso_;
    long contador_ = 1;
};

bool autorizadoGerarTxt(const pugi::xml_document& documento) {
    const auto ultimo = documento.last_child();
    if (ultimo.type() != pugi::node_element) return false;
    const auto valor = atributoPorNome(ultimo, "AutorizadoGerarTXT");
    return valor && *valor == "True";
}

std::string atributoExigido(pugi::xml_node no, std::size_t posicao, const Onde& onde,
                            const char* significado) {
    auto valor = atributoNaPosicao(no, posicao);
    if (!valor)
        falhar(onde,
               "falta o atributo nº " + std::to_string(posicao + 1) + " (" + significado + ").");
    return std::move(*valor);
}

short tipoEtiqueta(const std::string& texto, const Onde& onde) {
    const auto n = valorInteiro(texto);
    if (!n || *n < SHRT_MIN || *n > SHRT_MAX)
        falhar(onde, "o tipo de etiqueta (\"" + texto + "\") não é um número inteiro.");
    return static_cast<short>(*n);
}

bool logicoExigido(const std::string& texto, const Onde& onde, const char* significado) {
    const auto v = valorLogico(texto);
    if (!v)
        falhar(onde, std::string("o atributo ") + significado + " (\"" + texto +
                         "\") não é True, False nem um número.");
    return *v;
}

// Children of orders, items and stores must all be elements.
void exigirElemento(pugi::xml_node no, const Onde& onde, const char* esperado) {
    if (no.type() != pugi::node_element)
        falhar(onde,
               std::string("contém um nó que não é um elemento (esperado ") + esperado + ").");
}

std::string textoExigido(const LeitorFilhos& leitor, int i, const char* nome, const Onde& onde) {
    const auto no = leitor.no(i);
    if (!no) falhar(onde, std::string("falta o elemento ") + nome + ".");
    return textoElemento(no);
}

std::string textoOpcional(const LeitorFilhos& leitor, int i) {
    const auto no = leitor.no(i);
    return no ? textoElemento(no) : std::string();
}

// Zero picture where a blank or absent value counts as zero.
std::string zerosOuPadrao(const std::string& texto, std::string_view figura) {
    if (aparar(texto).empty()) return std::string(figura);
    return formatarNumero(texto, figura);
}

// ---- price files ----------------------------------------------------------

enum ElementoPreco {
    pCNPJ,
    pDigito,
    pQuantidadeEtiqueta,
    pSequenciaInicial,
    pSequenciaFinal,
    pCatalogo,
    pTamanho,
    pEstrColecao,
    pEstacao,
    pDataEntrega,
    pCodDepto,
    pDataTransmissao,
    pCodigoCoordenado,
    pTendencia,
    pParede,
    pValeAPena,
    pDescricaoMaterial,
    pCodigoBarra,
    pCodigoPromocao,
    pPrecoMaterial,
    pGrade,
    pMaterialForn,
    pNomeForn,
    pCodigoBureau,
    pcentroentrega,
    pdescricaocentroentrega,
    pcentrofaturamento,
    pdescricaocentrofaturamento,
    pOrigemSolicitacao,
    pCor,
    pCorIngles,
    pTamanhoIngles,
    pTipoEtiq,
    pFamilia,
    kCamposPreco
};

constexpr std::array<const char*, kCamposPreco> kNomesPreco{"CNPJ",
                                                            "Digito",
                                                            "QuantidadeEtiqueta",
                                                            "SequenciaInicial",
                                                            "SequenciaFinal",
                                                            "Catalogo",
                                                            "Tamanho",
                                                            "EstrColecao",
                                                            "Estacao",
                                                            "DataEntrega",
                                                            "CodDepto",
                                                            "DataTransmissao",
                                                            "CodigoCoordenado",
                                                            "Tendencia",
                                                            "Parede",
                                                            "ValeAPena",
                                                            "DescricaoMaterial",
                                                            "CodigoBarra",
                                                            "CodigoPromocao",
                                                            "PrecoMaterial",
                                                            "Grade",
                                                            "MaterialForn",
                                                            "NomeForn",
                                                            "CodigoBureau",
                                                            "centroentrega",
                                                            "descricaocentroentrega",
                                                            "centrofaturamento",
                                                            "descricaocentrofaturamento",
                                                            "OrigemSolicitacao",
                                                            "Cor",
                                                            "CorIngles",
                                                            "TamanhoIngles",
                                                            "TipoEtiq",
                                                            "Familia"};

// Required text elements and their columns, in the order they are read.
struct CampoColuna {
    ElementoPreco elemento;
    CampoPreco campo;
};
constexpr std::array<CampoColuna, 17> kTextosPreco{{
    {pCatalogo, CampoPreco::Catalogo},
    {pTamanho, CampoPreco::Tamanho},
    {pDataEntrega, CampoPreco::DataEntrega},
    {pCodDepto, CampoPreco::CodDepto},
    {pDataTransmissao, CampoPreco::DataTransmissao},
    {pCodigoCoordenado, CampoPreco::CodigoCoordenado},
    {pTendencia, CampoPreco::Tendencia},
    {pParede, CampoPreco::Parede},
    {pValeAPena, CampoPreco::ValeAPena},
    {pDescricaoMaterial, CampoPreco::Descricao},
    {pCodigoBarra, CampoPreco::CodigoBarra},
    {pCodigoPromocao, CampoPreco::CodigoPromocao},
    {pPrecoMaterial, CampoPreco::PrecoMaterial},
    {pGrade, CampoPreco::Grade},
    {pMaterialForn, CampoPreco::MaterialForn},
    {pNomeForn, CampoPreco::Fornecedor},
    {pCodigoBureau, CampoPreco::CodigoBureau},
}};

// What both loaders share: the document, the digest to match, progress, the
// field reader, the orders and the result being built. An order is read in
// two steps, its own attributes and then each child, so that a file read a
// piece at a time reads its orders as they come.
class Carga {
  public:
    virtual ~Carga() = default;

    ResultadoCarga executar() {
        const auto& pedidos = iniciar();
        try {
            reservar(pedidos);
            for (std::size_t i = 0; i < pedidos.size(); ++i) {
                if (!iniciarPedido(i, pedidos[i])) break;
                for (auto filho : pedidos[i].children()) lerFilho(filho);
            }
        } catch (const FalhaArquivo& f) {
            r_.erro = f.descricao;
        }
        return concluir();
    }

    // False when the order fails the version gate.
    virtual bool iniciarPedido(std::size_t indice, pugi::xml_node pedido) = 0;
    virtual void lerFilho(pugi::xml_node filho) = 0;

    ResultadoCarga& resultado() { return r_; }
    ResultadoCarga concluir() {
        progresso_.fim();
        r_.passos = progresso_.passos();
        return std::move(r_);
    }

  protected:
    template <std::size_t N>
    Carga(const pugi::xml_document& documento, const std::string& digesto,
          const AvisoProgresso& aviso, const std::vector<pugi::xml_node>* pedidos,
          const std::array<const char*, N>& nomes)
        : documento_(documento),
          digesto_(digesto),
          progresso_(aviso),
          campos_(nomes),
          pedidos_(pedidos) {
        r_.autorizadoGerarTxt = autorizadoGerarTxt(documento_);
    }

    // The orders, found now unless the caller already walked the document.
    const std::vector<pugi::xml_node>& iniciar() {
        if (!pedidos_) {
            achados_ = elementosPorNome(documento_, "PedidoQuel");
            pedidos_ = &achados_;
        }
        return *pedidos_;
    }
    virtual void reservar(const std::vector<pugi::xml_node>& pedidos) = 0;

    const pugi::xml_document& documento_;
    const std::string& digesto_;
    Progresso progresso_;
    LeitorFilhos campos_;
    const std::vector<pugi::xml_node>* pedidos_;
    std::vector<pugi::xml_node> achados_;
    ResultadoCarga r_;
};

struct EstadoPedidoPreco {
    std::string numero;
    short tipo = 0;
    std::string indicadorSku;
};

class CargaPreco : public Carga {
  public:
    CargaPreco(const pugi::xml_document& documento, const std::string& digesto,
               const AvisoProgresso& aviso, const std::vector<pugi::xml_node>* pedidos)
        : Carga(documento, digesto, aviso, pedidos, kNomesPreco) {}

    bool iniciarPedido(std::size_t indice, pugi::xml_node pedido) override {
        p_ = EstadoPedidoPreco{};
        onde_ = Onde{indice};
        p_.numero = atributoExigido(pedido, 0, onde_, "número do pedido");
        onde_.pedido = &p_.numero;
        p_.tipo = tipoEtiqueta(atributoExigido(pedido, 1, onde_, "tipo de etiqueta"), onde_);
        r_.TipoEtiquetaPedido = p_.tipo;
        if (atributoExigido(pedido, 2, onde_, "versão") != digesto_) {
            r_.pedidoVersaoRecusada = indice;
            return false;
        }
        p_.indicadorSku = atributoExigido(pedido, 3, onde_, "indicador de SKU");
        r_.IndicadorTipoSku = p_.indicadorSku;
        r_.LayoutNovoArquivo =
            logicoExigido(atributoExigido(pedido, 4, onde_, "layout novo"), onde_, "layout novo");
        progresso_.passo();
        return true;
    }

    void lerFilho(pugi::xml_node item) override {
        exigirElemento(item, onde_, "Item");
        const std::string codigoItem = atributoExigido(item, 0, onde_, "código do item");
        Onde ondeItem = onde_;
        ondeItem.item = &codigoItem;
        progresso_.passo();
        for (auto variante : item.children()) {
            exigirElemento(variante, ondeItem, "Variante");
            lerVariante(p_, codigoItem, ondeItem, variante);
        }
    }

  private:
    void reservar(const std::vector<pugi::xml_node>& pedidos) override {
        std::size_t linhas = 0;
        for (auto pedido : pedidos)
            for (auto item : pedido.children())
                linhas += std::distance(item.children().begin(), item.children().end());
        r_.celulas.reserve(linhas * kColunasPreco);
    }

    EstadoPedidoPreco p_;
    Onde onde_;

    void lerVariante(const EstadoPedidoPreco& p, const std::string& item, const Onde& ondeItem,
                     pugi::xml_node variante) {
        std::string codigo = atributoExigido(variante, 0, ondeItem, "código da variante");
        Onde onde = ondeItem;
        onde.variante = &codigo;
        campos_.ler(variante);
        CelulasLinha<CampoPreco, kColunasPreco> linha;
        linha[CampoPreco::Marcada] = "0";
        lerQuantidadeESequencias(onde, linha);
        lerOpcionais(p, linha);
        for (const auto& c : kTextosPreco)
            linha[c.campo] = textoExigido(campos_, c.elemento, kNomesPreco[c.elemento], onde);
        linha[CampoPreco::CodigoBureau] = zerosOuPadrao(linha[CampoPreco::CodigoBureau], "00000");
        linha[CampoPreco::Variante] = std::move(codigo);
        linha[CampoPreco::Pedido] = p.numero;
        linha[CampoPreco::Item] = item;
        linha.moverPara(r_.celulas);
        ++r_.linhas;
        progresso_.passo();
    }

    void lerQuantidadeESequencias(const Onde& onde,
                                  CelulasLinha<CampoPreco, kColunasPreco>& linha) {
        linha[CampoPreco::Cnpj] = textoExigido(campos_, pCNPJ, "CNPJ", onde);
        linha[CampoPreco::Digito] = textoExigido(campos_, pDigito, "Digito", onde);
        linha[CampoPreco::QuantidadeEtiqueta] =
            textoExigido(campos_, pQuantidadeEtiqueta, "QuantidadeEtiqueta", onde);
        const auto quantidade = valorInteiro(linha[CampoPreco::QuantidadeEtiqueta]);
        if (!quantidade || *quantidade < 0 || *quantidade > INT_MAX)
            falhar(onde, "o elemento QuantidadeEtiqueta (\"" +
                             linha[CampoPreco::QuantidadeEtiqueta] +
                             "\") não é um número inteiro de zero para cima.");
        linha[CampoPreco::QtdEtq] = std::to_string(*quantidade);
        linha[CampoPreco::SequenciaInicial] =
            textoExigido(campos_, pSequenciaInicial, "SequenciaInicial", onde);
        linha[CampoPreco::SequenciaInicialOriginal] = linha[CampoPreco::SequenciaInicial];
        linha[CampoPreco::SequenciaFinal] =
            textoExigido(campos_, pSequenciaFinal, "SequenciaFinal", onde);
        linha[CampoPreco::SequenciaFinalOriginal] = linha[CampoPreco::SequenciaFinal];
        r_.total = r_.total.value_or(0) + *quantidade;
        linha[CampoPreco::EstrColecao] = textoOpcional(campos_, pEstrColecao);
        linha[CampoPreco::Estacao] = textoOpcional(campos_, pEstacao);
    }

    void lerOpcionais(const EstadoPedidoPreco& p, CelulasLinha<CampoPreco, kColunasPreco>& linha) {
        linha[CampoPreco::CentroEntrega] =
            zerosOuPadrao(textoOpcional(campos_, pcentroentrega), "0000");
        linha[CampoPreco::DescCentroEntrega] =
            zerosOuPadrao(textoOpcional(campos_, pdescricaocentroentrega), "00000000000000000000");
        linha[CampoPreco::CentroFaturamento] =
            zerosOuPadrao(textoOpcional(campos_, pcentrofaturamento), "0000");
        linha[CampoPreco::DescCentroFaturamento] = zerosOuPadrao(
            textoOpcional(campos_, pdescricaocentrofaturamento), "00000000000000000000");
        r_.OrigemSolicitacao = textoOpcional(campos_, pOrigemSolicitacao);
        linha[CampoPreco::Cor] = esquerda(textoOpcional(campos_, pCor), 7);
        linha[CampoPreco::CorIngles] = textoOpcional(campos_, pCorIngles);
        linha[CampoPreco::TamanhoIngles] = textoOpcional(campos_, pTamanhoIngles);
        linha[CampoPreco::TipoEtiq] = textoOpcional(campos_, pTipoEtiq);
        linha[CampoPreco::Familia] = textoOpcional(campos_, pFamilia);
        escolherSeletor(p, linha[CampoPreco::TipoEtiq], textoOpcional(campos_, pCodDepto));
    }

    void escolherSeletor(const EstadoPedidoPreco& p, const std::string& tipoEtiq,
                         const std::string& codDepto) {
        const bool sku = tipoEtiq == "5" && p.tipo == 99 && p.indicadorSku == "S";
        r_.seletor = sku ? SeletorTipo::InternaCaixa : SeletorTipo::Oculto;
        if (codDepto == "550" || codDepto == "565" || codDepto == "560")
            r_.seletor = SeletorTipo::InternaCaixa;
    }
};

// ---- volume files ---------------------------------------------------------

enum ElementoVolume {
    vCNPJ,
    vItemPedido,
    vDescricaoMaterial,
    vCodigoMaterial,
    vDADOS_VOLUME,
    vMaterialForn,
    vSemanaEntr,
    vNomeForn,
    vCodigoBureau,
    vQuantidadePeca,
    vcentroentrega,
    vcentrofaturamento,
    kCamposVolume
};

constexpr std::array<const char*, kCamposVolume> kNomesVolume{
    "CNPJ",         "ItemPedido",     "DescricaoMaterial", "CodigoMaterial",
    "DADOS_VOLUME", "MaterialForn",   "SemanaEntr",        "NomeForn",
    "CodigoBureau", "QuantidadePeca", "centroentrega",     "centrofaturamento"};

class CargaVolume : public Carga {
  public:
    CargaVolume(const pugi::xml_document& documento, const std::string& digesto,
                const AvisoProgresso& aviso, const std::vector<pugi::xml_node>* pedidos)
        : Carga(documento, digesto, aviso, pedidos, kNomesVolume) {}

    // Only the first order carries the digest that counts.
    bool iniciarPedido(std::size_t indice, pugi::xml_node pedido) override {
        if (indice == 0 && !versaoAceita(pedido)) return false;
        onde_ = Onde{indice};
        numero_ = atributoExigido(pedido, 0, onde_, "número do pedido");
        onde_.pedido = &numero_;
        r_.TipoEtiquetaPedido =
            tipoEtiqueta(atributoExigido(pedido, 1, onde_, "tipo de etiqueta"), onde_);
        progresso_.passo();
        return true;
    }

    void lerFilho(pugi::xml_node loja) override {
        exigirElemento(loja, onde_, "Loja");
        lerLoja(numero_, onde_, loja);
    }

  private:
    bool versaoAceita(pugi::xml_node primeiro) {
        const auto numero = atributoNaPosicao(primeiro, 0);
        Onde onde{0, numero ? &*numero : nullptr};
        if (atributoExigido(primeiro, 2, onde, "versão") == digesto_) return true;
        r_.pedidoVersaoRecusada = 0;
        return false;
    }

    void reservar(const std::vector<pugi::xml_node>& pedidos) override {
        std::size_t linhas = 0;
        for (auto pedido : pedidos)
            linhas += std::distance(pedido.children().begin(), pedido.children().end());
        r_.celulas.reserve(linhas * kColunasVolume);
    }

    std::string numero_;
    Onde onde_;

    void lerLoja(const std::string& numero, const Onde& ondePedido, pugi::xml_node loja) {
        std::string codigo = atributoExigido(loja, 0, ondePedido, "código da loja");
        Onde onde = ondePedido;
        onde.loja = &codigo;
        const bool ilpn =
            logicoExigido(atributoExigido(loja, 1, onde, "etiqueta ILPN"), onde, "etiqueta ILPN");
        r_.seletor = ilpn ? SeletorTipo::IlpnVolume : SeletorTipo::Oculto;
        campos_.ler(loja);
        CelulasLinha<CampoVolume, kColunasVolume> linha;
        linha[CampoVolume::Marcada] = "0";
        linha[CampoVolume::Cnpj] = textoExigido(campos_, vCNPJ, "CNPJ", onde);
        linha[CampoVolume::Item] = textoExigido(campos_, vItemPedido, "ItemPedido", onde);
        linha[CampoVolume::Descricao] =
            textoExigido(campos_, vDescricaoMaterial, "DescricaoMaterial", onde);
        linha[CampoVolume::Material] =
            textoExigido(campos_, vCodigoMaterial, "CodigoMaterial", onde);
        lerVolumes(onde, linha);
        linha[CampoVolume::MaterialForn] =
            textoExigido(campos_, vMaterialForn, "MaterialForn", onde);
        linha[CampoVolume::SemanaEntrega] = textoOpcional(campos_, vSemanaEntr);
        linha[CampoVolume::Fornecedor] = textoExigido(campos_, vNomeForn, "NomeForn", onde);
        linha[CampoVolume::CodigoBureau] =
            zerosOuPadrao(textoExigido(campos_, vCodigoBureau, "CodigoBureau", onde), "000000");
        linha[CampoVolume::Pedido] = numero;
        linha[CampoVolume::QuantidadePeca] =
            textoExigido(campos_, vQuantidadePeca, "QuantidadePeca", onde);
        somarPecas(linha[CampoVolume::QuantidadePeca], onde);
        linha[CampoVolume::Loja] = std::move(codigo);
        linha[CampoVolume::CentroEntrega] =
            zerosOuPadrao(textoOpcional(campos_, vcentroentrega), "0000");
        linha[CampoVolume::CentroFaturamento] =
            zerosOuPadrao(textoOpcional(campos_, vcentrofaturamento), "0000");
        linha.moverPara(r_.celulas);
        ++r_.linhas;
        progresso_.passo();
    }

    // One box label per volume entry; the first entry's total quantity.
    void lerVolumes(const Onde& onde, CelulasLinha<CampoVolume, kColunasVolume>& linha) {
        const auto dados = campos_.no(vDADOS_VOLUME);
        if (!dados) falhar(onde, "falta o elemento DADOS_VOLUME.");
        long volumes = 0;
        pugi::xml_node primeiro;
        for (auto filho : dados.children()) {
            if (filho.type() != pugi::node_element) continue;
            if (!primeiro) primeiro = filho;
            ++volumes;
        }
        if (volumes == 0) falhar(onde, "o elemento DADOS_VOLUME não tem volumes.");
        const auto total = textoDoFilho(primeiro, "qtdeTotal");
        if (!total) falhar(onde, "falta o elemento qtdeTotal no primeiro volume de DADOS_VOLUME.");
        linha[CampoVolume::Caixas] = std::to_string(volumes);
        linha[CampoVolume::QtdeTotal] = *total;
    }

    void somarPecas(const std::string& texto, const Onde& onde) {
        const auto valor = valorNumerico(texto);
        if (!valor || std::fabs(*valor) > static_cast<double>(INT_MAX))
            falhar(onde, "o elemento QuantidadePeca (\"" + texto + "\") não é um número.");
        r_.total = r_.total.value_or(0) + static_cast<long long>(std::trunc(*valor));
    }
};

}  // namespace

std::optional<bool> valorLogico(std::string_view texto) {
    const std::string limpo = aparar(texto);
    if (iguaisSemCaixa(limpo, "True")) return true;
    if (iguaisSemCaixa(limpo, "False")) return false;
    const auto n = valorNumerico(limpo);
    if (!n) return std::nullopt;
    return *n != 0;
}

namespace {

std::unique_ptr<Carga> novaCarga(short tipoArquivo, const pugi::xml_document& documento,
                                 const std::string& digesto, const AvisoProgresso& aviso,
                                 const std::vector<pugi::xml_node>* pedidos) {
    if (tipoArquivo == kArquivoPreco)
        return std::make_unique<CargaPreco>(documento, digesto, aviso, pedidos);
    return std::make_unique<CargaVolume>(documento, digesto, aviso, pedidos);
}

}  // namespace

struct CargaEmPartes::Estado {
    Estado(short tipo, const pugi::xml_document& d, std::string dig)
        : digesto(std::move(dig)),
          raiz(d.document_element()),
          carga(novaCarga(tipo, d, digesto, aviso, &pedidos)) {}
    std::string digesto;
    AvisoProgresso aviso;
    pugi::xml_node raiz, ultimoDaRaiz, pedido, ultimoFilho;
    std::vector<pugi::xml_node> pedidos;
    std::unique_ptr<Carga> carga;
    int entregues = 0;

    bool continuar() {
        for (;;) {
            if (pedido) {
                for (auto f = ultimoFilho ? ultimoFilho.next_sibling() : pedido.first_child(); f;
                     f = f.next_sibling()) {
                    carga->lerFilho(f);
                    ultimoFilho = f;
                }
            }
            const auto proximo = ultimoDaRaiz ? ultimoDaRaiz.next_sibling() : raiz.first_child();
            if (!proximo) return true;
            ultimoDaRaiz = proximo;
            pedido = ultimoFilho = {};
            if (proximo.type() != pugi::node_element || std::strcmp(proximo.name(), "PedidoQuel"))
                continue;
            if (!carga->iniciarPedido(pedidos.size(), proximo)) return false;
            pedidos.push_back(proximo);
            pedido = proximo;
        }
    }
};

CargaEmPartes::CargaEmPartes(short tipoArquivo, const pugi::xml_document& documento,
                             std::string digestoVersao)
    : estado_(std::make_unique<Estado>(tipoArquivo, documento, std::move(digestoVersao))) {}

CargaEmPartes::~CargaEmPartes() = default;

bool CargaEmPartes::continuar() {
    try {
        return estado_->continuar();
    } catch (const FalhaArquivo& f) {
        estado_->carga->resultado().erro = f.descricao;
        return false;
    }
}

int CargaEmPartes::retirarLinhas(std::vector<std::string>& celulas) {
    ResultadoCarga& r = estado_->carga->resultado();
    celulas = std::move(r.celulas);
    r.celulas.clear();
    const int novas = r.linhas - estado_->entregues;
    estado_->entregues = r.linhas;
    return novas;
}

const ResultadoCarga& CargaEmPartes::resultado() const {
    return estado_->carga->resultado();
}

ResultadoCarga CargaEmPartes::concluir() {
    return estado_->carga->concluir();
}

const std::vector<pugi::xml_node>& CargaEmPartes::pedidos() const {
    return estado_->pedidos;
}

ResultadoCarga CarregarPedidosPreco(const pugi::xml_document& documento,
                                    const std::string& digestoVersao, const AvisoProgresso& aviso,
                                    const std::vector<pugi::xml_node>* pedidos) {
    return CargaPreco(documento, digestoVersao, aviso, pedidos).executar();
}

ResultadoCarga CarregarPedidosVolume(const pugi::xml_document& documento,
                                     const std::string& digestoVersao, const AvisoProgresso& aviso,
                                     const std::vector<pugi::xml_node>* pedidos) {
    return CargaVolume(documento, digestoVersao, aviso, pedidos).executar();
}

}  // namespace etiquetas
