#pragma once

// The fixed-width TXT export: one record per label of the ticked rows of an
// order grid, for suppliers who print the labels by other means.

#include <chrono>
#include <filesystem>
#include <string>

#include "comum/LeitorGrade.h"

namespace etiquetas {

class SaidaRegistros;

class ArquivoSequencial {
  public:
    explicit ArquivoSequencial(std::filesystem::path pastaAplicacao);

    // sprPedidos for label types 1 and 2, vaVolume for 3 and 4.
    void definirGrid(const LeitorGrade& grade) { grid_ = &grade; }
    const LeitorGrade* grid() const { return grid_; }

    // Full path of the file of the last Gerar (also when it failed).
    const std::filesystem::path& NomeTXT() const { return nomeTxt_; }

    // Writes the file of label type `tipo` (1 to 4), named after `quando`
    // (local time). All or nothing: on false no file was left behind and
    // Erro() says why (a cell that holds no whole number, a file that cannot
    // be written).
    bool Gerar(int tipo, std::chrono::system_clock::time_point quando);

    const std::string& Erro() const { return erro_; }
    long long registrosGravados() const { return registros_; }

  private:
    bool gerarRegistros(int tipo, SaidaRegistros& saida);
    bool gerarPreco(int tipo, int linha, SaidaRegistros& saida);
    bool gerarVolume(int tipo, int linha, SaidaRegistros& saida);
    bool lerInteiro(int linha, int coluna, long long& valor);

    std::filesystem::path pasta_;
    const LeitorGrade* grid_ = nullptr;
    std::filesystem::path nomeTxt_;
    std::string erro_;
    long long registros_ = 0;
};

// The file name's stem for label type `tipo` ("" for a type without export).
std::string prefixoArquivoTxt(int tipo);

}  // namespace etiquetas
