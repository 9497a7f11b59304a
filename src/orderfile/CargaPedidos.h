#pragma once

// The two loaders: an opened, recognised order file read into the rows of its
// grid and the window state it sets, as a value. Nothing of the window
// changes here, so a file that cannot be read completely is refused before
// the grid is touched.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "comum/CamposGrade.h"

namespace etiquetas {

// The label-kind chooser after the last row.
enum class SeletorTipo {
    Inalterado,    // no row was read
    Oculto,        // hidden, its list left as it was
    InternaCaixa,  // shown with "Etiq.Interna", "Etiq.Caixa"
    IlpnVolume,    // shown with "Etiqueta ILPN", "Etiqueta Volume"
};

struct ResultadoCarga {
    int linhas = 0;
    std::vector<std::string> celulas;  // row-major, every row as wide as the grid
    // Window state; empty when no order (or variant) set it.
    std::optional<short> TipoEtiquetaPedido;
    std::optional<std::string> IndicadorTipoSku;
    std::optional<bool> LayoutNovoArquivo;
    std::optional<std::string> OrigemSolicitacao;
    // Labels (price) or pieces (volume) to print; empty when no row was read.
    std::optional<long long> total;
    SeletorTipo seletor = SeletorTipo::Inalterado;
    bool autorizadoGerarTxt = false;
    // Index of the first order whose version digest differs: the rows are
    // those of the orders before it, and the application must end.
    std::optional<std::size_t> pedidoVersaoRecusada;
    // Set when the file cannot be read completely: what is wrong and where.
    std::string erro;
    // Steps counted for the progress bar (orders, items, variants or stores).
    long passos = 0;
};

// Called now and then with the progress counter (it starts at 1 and grows by
// one per order, item and variant, or per order and store).
using AvisoProgresso = std::function<void(long contador)>;

// `pedidos`: the PedidoQuel elements when the caller already has them (the
// recognition collects them); found in the document otherwise.
ResultadoCarga CarregarPedidosPreco(const pugi::xml_document& documento,
                                    const std::string& digestoVersao,
                                    const AvisoProgresso& aviso = {},
                                    const std::vector<pugi::xml_node>* pedidos = nullptr);
ResultadoCarga CarregarPedidosVolume(const pugi::xml_document& documento,
                                     const std::string& digestoVersao,
                                     const AvisoProgresso& aviso = {},
                                     const std::vector<pugi::xml_node>* pedidos = nullptr);

// The loader over a document that grows at its end, as LeituraEmPartes
// builds it: each call reads the orders under the root, and their children,
// added since the last, as the whole-file loaders read them. The caller
// makes sure at the end that these orders are all the file's.
class CargaEmPartes {
  public:
    CargaEmPartes(short tipoArquivo, const pugi::xml_document& documento,
                  std::string digestoVersao);
    ~CargaEmPartes();
    CargaEmPartes(const CargaEmPartes&) = delete;
    CargaEmPartes& operator=(const CargaEmPartes&) = delete;

    // False once an order's version or a failure stops the reading: the
    // result says which.
    bool continuar();
    // The rows read since the last call: how many, their cells row-major.
    int retirarLinhas(std::vector<std::string>& celulas);
    // Without the cells already taken.
    const ResultadoCarga& resultado() const;
    ResultadoCarga concluir();
    const std::vector<pugi::xml_node>& pedidos() const;

  private:
    struct Estado;
    std::unique_ptr<Estado> estado_;
};

// "True"/"False" in any case, or a number (0 is false).
std::optional<bool> valorLogico(std::string_view texto);

}  // namespace etiquetas
