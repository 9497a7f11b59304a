#pragma once

// The TXT export of the ticked rows.

#include <filesystem>
#include <optional>

#include "app/SessaoImpressao.h"

namespace etiquetas {

// The file written, or nothing (nothing ticked or a failure, both said; a
// label type without export).
struct Exportacao {
    std::optional<std::filesystem::path> arquivo;
    bool tipoSemExportacao = false;
};
Exportacao exportarTxt(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                       Acompanhamento& acompanhamento);

}  // namespace etiquetas
