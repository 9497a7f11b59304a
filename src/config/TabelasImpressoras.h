#pragma once

// The printer and serial tables of the application folder: single-byte text,
// one record a line, fields separated by ",".

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace etiquetas {

inline constexpr std::string_view kTabelaImpressoras = "\\tb_impressoras.txt";
inline constexpr std::string_view kTabelaModelos = "\\tb_modelo_impressora.txt";
inline constexpr std::string_view kTabelaConversao = "\\tb_impressoras_convercao.txt";
inline constexpr std::string_view kTabelaVelocidadeCom = "\\tb_velocidade_com.txt";
inline constexpr std::string_view kTabelaParidadeCom = "\\tb_paridade_com.txt";
inline constexpr std::string_view kTabelaBitDadosCom = "\\tb_bitdedados_com.txt";
inline constexpr std::string_view kTabelaBitParadaCom = "\\tb_bitdeparada_com.txt";

// The lines of a table, or nothing when the file cannot be read. Lines end
// in CR LF (a bare LF is taken too); lines that are blank, the one after the
// file's final line break among them, are no records and are left out.
std::optional<std::vector<std::string>> lerLinhasTabela(const std::filesystem::path& arquivo);

// The fields of a line, split at every ",", as written (not trimmed).
std::vector<std::string> camposBrutos(std::string_view linha);
// The same, each field trimmed.
std::vector<std::string> camposDaLinha(std::string_view linha);

// A field as a whole number; nothing when it is not one.
std::optional<long> inteiroDoCampo(std::string_view campo);

// Two ids match as numbers when both are numbers ("01" is 1), else as text.
bool mesmoIdImpressora(std::string_view a, std::string_view b);

// One line of the model table.
struct ModeloImpressora {
    std::string idImpressora;
    std::string nome;
    long velocidadeDe = 0, velocidadeAte = 0, velocidadePadrao = 0;
    long temperaturaDe = 0, temperaturaAte = 0, temperaturaPadrao = 0;
};

// Nothing when the line lacks a field or a range value is no whole number.
std::optional<ModeloImpressora> lerModelo(std::string_view linha);

// The converted speed of the conversion table for a printer name and a
// speed, or "" when the file is missing or no line matches.
std::string buscarConversao(const std::filesystem::path& arquivo, std::string_view impressora,
                            std::string_view velocidade);

}  // namespace etiquetas
