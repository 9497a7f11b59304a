#pragma once

// The order grids as the user edits them, window or not: the grid that holds
// a loaded file's rows, the checks a sequence range or box count passes when
// typed (a refused value is said and undone), and ticking every row.

#include <memory>

#include "app/Grade.h"
#include "app/ServicoImpressao.h"
#include "platform/Pessoa.h"

namespace etiquetas {

// A grid of the file's kind (sprPedidos or vaVolume) holding its rows, with
// the checks of conferirEdicao on every edit.
std::unique_ptr<Grade> gradeDoArquivo(ArquivoAberto& arquivo, Pessoa& pessoa);

// After the user's edit of cell (linha, coluna) of a price grid
// (sprPedidos) or a volume grid (vaVolume).
void conferirSequencia(Grade& grade, int linha, int coluna, Pessoa& pessoa);
void conferirCaixas(Grade& grade, int linha, int coluna, Pessoa& pessoa);

void marcarTodas(Grade& grade, bool marcar, bool mudarFonte);

}  // namespace etiquetas
