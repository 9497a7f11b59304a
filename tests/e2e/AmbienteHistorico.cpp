// etiquetas-cli keeps its history in a folder of the test run, never the user's own.

#include <gtest/gtest.h>

#include <optional>

#include "PastaDadosUsuario.h"

namespace {

class DadosDoTeste : public ::testing::Environment {
  public:
    void SetUp() override { dados_.emplace("etiquetas-dados-"); }
    void TearDown() override { dados_.reset(); }

  private:
    std::optional<etiquetas::e2e::DadosProprios> dados_;
};

[[maybe_unused]] const auto* const kDadosDoTeste =
    ::testing::AddGlobalTestEnvironment(new DadosDoTeste);

}  // namespace
