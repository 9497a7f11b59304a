// Every etiquetas-cli these tests start keeps its print history in a folder
// of the test run, never in the user's own data folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "PastaDadosUsuario.h"
#include "PastaUnica.h"

namespace {

class DadosDoTeste : public ::testing::Environment {
  public:
    void SetUp() override {
        pasta_ = etiquetas::apoio::criarPastaUnica("etiquetas-dados-");
        etiquetas::e2e::definirPastaDadosUsuario(pasta_);
    }
    void TearDown() override {
        std::error_code erro;
        std::filesystem::remove_all(pasta_, erro);
    }

  private:
    std::filesystem::path pasta_;
};

[[maybe_unused]] const auto* const kDadosDoTeste =
    ::testing::AddGlobalTestEnvironment(new DadosDoTeste);

}  // namespace
