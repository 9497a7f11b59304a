// Every etiquetas-cli these tests start keeps its print history in a folder
// of the test run, never in the user's own data folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "PastaUnica.h"

namespace {

#ifndef _WIN32
class DadosDoTeste : public ::testing::Environment {
  public:
    void SetUp() override {
        pasta_ = etiquetas::apoio::criarPastaUnica("etiquetas-dados-");
        setenv("XDG_DATA_HOME", pasta_.c_str(), 1);
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
#endif

}  // namespace
