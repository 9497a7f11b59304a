#pragma once

// The fixed-width TXT export: one record per label of the ticked rows of an
// order grid, for suppliers who print the labels by other means.

#include <chrono>
#include <filesystem>
#include <string>

#include "comum/LeitorGrade.h"
#include "comum/RegistroTxt.h"

namespace etiquetas {

class SaidaRegistros;

class ArquivoSequencial {
  public:
    explicit ArquivoSequencial(std::filesystem::path pastaAplicacao);

    // The price grid for price records, the volume grid for volume records.
    void definirGrid(const LeitorGrade& grade) { grid_ = &grade; }
    const LeitorGrade* grid() const { return grid_; }

    // Full path of the file of the last Gerar (also when it failed).
    const std::filesystem::path& NomeTXT() const { return nomeTxt_; }

    // Writes the file of one label type's export, named after `quando`
    // (local time). All or nothing: on false no file was left behind and
    // Erro() says why (a type without export, a cell that holds no whole
    // number, a file that cannot be written).
    bool Gerar(const ExportacaoTxt& exportacao, std::chrono::system_clock::time_point quando);

    const std::string& Erro() const { return erro_; }
    long long registrosGravados() const { return registros_; }

  private:
    bool gerarRegistros(const ExportacaoTxt& exportacao, SaidaRegistros& saida);
    bool gerarPreco(int tipo, int linha, SaidaRegistros& saida);
    bool gerarVolume(bool reposicao, int linha, SaidaRegistros& saida);
    bool lerInteiro(int linha, int coluna, long long& valor);

    std::filesystem::path pasta_;
    const LeitorGrade* grid_ = nullptr;
    std::filesystem::path nomeTxt_;
    std::string erro_;
    long long registros_ = 0;
};

}  // namespace etiquetas
