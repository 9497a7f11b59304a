#pragma once

// The order grids as the user edits them, window or not: the grid that holds
// a loaded file's rows, the checks a sequence range or box count passes when
// typed (a refused value is said and undone), and ticking every row.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/Grade.h"
#include "app/ServicoImpressao.h"
#include "platform/Pessoa.h"

namespace etiquetas {

// A grid of the file's kind (sprPedidos or vaVolume) holding its rows, with
// the checks of conferirEdicao on every edit.
std::unique_ptr<Grade> gradeDoArquivo(ArquivoAberto& arquivo, Pessoa& pessoa);

// After the user's edit of cell (linha, coluna) of a price grid
// (sprPedidos) or a volume grid (vaVolume).
// A refusal is said, the cell undone, and the grid's edicaoRecusada told.
void conferirSequencia(Grade& grade, int linha, int coluna, Pessoa& pessoa);
// `volumes`: the row's volumes in the order file when the label printed
// takes one volume a box (ILPN), the most it may ask for.
void conferirCaixas(Grade& grade, int linha, int coluna, Pessoa& pessoa,
                    std::optional<long long> volumes = std::nullopt);

void marcarTodas(Grade& grade, bool marcar, bool mudarFonte);

// An order file opened with its rows in a grid of its kind, apart from any
// window; none when the file was refused (said already).
struct PedidosAbertos {
    ArquivoAberto arquivo;
    std::unique_ptr<Grade> grade;
};
std::optional<PedidosAbertos> abrirPedidos(ServicoImpressao& servico, Pessoa& pessoa,
                                           const std::filesystem::path& caminho);

// The request for the opened rows (none: no file) and the printer.
PedidoImpressao pedidoImpressao(const PastasAplicacao& pastas, const PedidosAbertos* pedidos,
                                const ImpressoraEscolhida& impressora, bool separador,
                                const std::string& textoTipo, bool layoutDoArquivo);

}  // namespace etiquetas
