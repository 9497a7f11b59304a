#pragma once

// The main window's list operations over the printer and serial tables.
// Each returns true on success; a missing table leaves its list as it was.

#include <filesystem>
#include <string>
#include <string_view>

#include "app/Controles.h"

namespace etiquetas {

class JanelaPrincipal;

// The lines of the table as items, each item's data the line's second field
// as a whole number. A line without a usable second field ends the load with
// false: the items added so far stay and nothing is selected.
bool PopularListControldoArquivo(Lista& lista, const std::filesystem::path& arquivo);
// The lines of the table as items; the first is selected.
bool PopularListControl(Lista& lista, const std::filesystem::path& arquivo);
// The models of one printer into cmbModelo (item data: the printer id).
bool PopularListModeloImpressora(Lista& cmbModelo, std::string_view idImpressora,
                                 const std::filesystem::path& arquivo);
// The speed and temperature ranges of one printer model.
bool PopularListVelocidadeImpressora(JanelaPrincipal& janela, std::string_view modelo,
                                     std::string_view idImpressora,
                                     const std::filesystem::path& arquivo);
// The whole numbers from `de` to `ate`, showing `padrao`. A range of more
// than kMaximoItensFaixa numbers is a broken table: nothing is added.
inline constexpr long kMaximoItensFaixa = 1000;
bool MontaComboBox(Lista& lista, long de, long ate, long padrao);
// The speed code the templates receive for the chosen printer and speed,
// or "" when the conversion table has none.
std::string BuscaListaConvercao(const JanelaPrincipal& janela,
                                const std::filesystem::path& arquivo);

// The printer id of a printer table line: its second field, trimmed.
std::string idDaImpressora(std::string_view linhaImpressora);

}  // namespace etiquetas
