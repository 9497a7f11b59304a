#pragma once

// One print run at a time per spool folder, whoever starts it (the window,
// etiquetas-cli, a test print, a font load): two runs writing the same spool
// file deliver each other's labels. An exclusive lock of the operating system
// on a file beside the spool, held for the whole run; the system lets it go
// when the process ends, however it ends, so a dead holder never blocks.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace etiquetas {

class TravaImpressao {
  public:
    // The lock of `pasta`, taken now, or nothing when another run holds it.
    // A folder where no lock can be kept (no file may be created there, or
    // its file system keeps no locks) gives a lock that holds nothing: the
    // run goes on and meets the folder's own failure, if any, at the spool.
    // `nome`: the lock file, for a lock of another kind in the same folder.
    static std::optional<TravaImpressao> tentar(const std::filesystem::path& pasta,
                                                std::string_view nome = kNomeArquivo);

    TravaImpressao(TravaImpressao&&) noexcept;
    TravaImpressao& operator=(TravaImpressao&&) noexcept;
    ~TravaImpressao();

    // Who holds the lock of `pasta`, as its holder wrote it ("etiquetas-cli,
    // processo 1234, desde 11:02:03"); "" when it said nothing.
    static std::string ocupante(const std::filesystem::path& pasta,
                                std::string_view nome = kNomeArquivo);

    static constexpr const char* kNomeArquivo = "SpoolEtq.lock";

    struct Sistema;

  private:
    explicit TravaImpressao(std::unique_ptr<Sistema> sistema);
    std::unique_ptr<Sistema> sistema_;
};

}  // namespace etiquetas
