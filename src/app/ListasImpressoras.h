#pragma once

// The main window's list operations over the printer and serial tables.
// Each returns true on success; a missing table leaves its list as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/Controles.h"
#include "comum/PastasAplicacao.h"

namespace etiquetas {

// The lists of the printer frame: the window's own, or a caller's that
// settles a choice the same way.
struct ListasImpressora {
    Lista& impressora;
    Lista& modelo;
    Lista& velocidade;
    Lista& temperatura;
    Lista& velocidadeCom;
    Lista& paridade;
    Lista& bitDados;
    Lista& bitParada;
};

// Start-up: the printer table (two built-in lines when it is missing) and
// the serial tables of the data folder; then the first printer, then what
// the user saved.
void preencherListasImpressora(ListasImpressora listas, const std::filesystem::path& dados);
void restaurarListasImpressora(ListasImpressora listas, const PastasAplicacao& pastas);
// The reactions to choosing a printer (its models) and a model (its speed
// and temperature ranges).
void reagirImpressora(ListasImpressora listas, const std::filesystem::path& dados);
void reagirModelo(ListasImpressora listas, const std::filesystem::path& dados);
// Whether a line of the printer list is a Zebra (its maker, the first word).
bool impressoraZebra(const std::string& linha);
// The saved "ConfigPess" keys of the network path choice: "Local" or "Rede",
// and the port or path.
struct CaminhoSalvo {
    std::optional<std::string> tipoCaminho, caminhoImpressora;
};
CaminhoSalvo lerCaminhoSalvo(const PastasAplicacao& pastas);
// A saved value the list no longer offers (a table edited since it was
// saved) would stand as free text beside the lists of another printer or
// model: the list keeps the choice it has.
void restaurarEscolha(Lista& lista, const std::optional<std::string>& salvo);

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
bool PopularListVelocidadeImpressora(Lista& velocidade, Lista& temperatura, std::string_view modelo,
                                     std::string_view idImpressora,
                                     const std::filesystem::path& arquivo);
// The whole numbers from `de` to `ate`, showing `padrao`. A range of more
// than kMaximoItensFaixa numbers is a broken table: nothing is added.
inline constexpr long kMaximoItensFaixa = 1000;
bool MontaComboBox(Lista& lista, long de, long ate, long padrao);
// The speed code the templates receive for the chosen printer and speed,
// or "" when the conversion table has none.
std::string BuscaListaConvercao(const std::string& impressora, const std::string& velocidade,
                                const std::filesystem::path& arquivo);

// The printer id of a printer table line: its second field, trimmed.
std::string idDaImpressora(std::string_view linhaImpressora);

}  // namespace etiquetas
