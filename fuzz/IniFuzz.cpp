// libFuzzer target over the readers of the files a user may edit by hand:
// INI files (keys, sections, field positions) and the printer tables.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"
#include "config/TabelasImpressoras.h"

using namespace etiquetas;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static const fs::path pasta = [] {
        fs::path d = fs::temp_directory_path() / ("fuzz-ini-" + std::to_string(getpid()));
        fs::create_directories(d);
        return d;
    }();
    const std::string texto(reinterpret_cast<const char*>(dados), tamanho);
    std::ofstream(pasta / "QuelmonteEtiqueta.ini", std::ios::binary | std::ios::trunc) << texto;
    std::ofstream(pasta / "tabela.txt", std::ios::binary | std::ios::trunc) << texto;

    for (const char* secao : {"QuelmonteEtiqPrecoZebra", "QUELMONTEETIQPRECOADESIVAZEBRA", ""})
        for (const char* chave : {"Repeticao", "LarguraEtiqueta", "CodigoFonte", ""})
            LerArquivoIni(pasta, secao, chave);
    AtualizarConfiguracao cfg;
    cfg.RaizSecao = "QuelmonteEtiqPreco";
    cfg.TipoImpressora = 1;
    cfg.Carregar(pasta);
    std::string chave = "_GG_";
    short x = 0, y = 0;
    LerPosicaoTemplate(cfg, pasta, "QuelmonteEtiqPrecoAdesivaZebra.zpl", chave, x, y);
    gravarChaveIni(pasta / "QuelmonteEtiqueta.ini", "QuelmonteEtiqPrecoZebra", "Repeticao", "2");

    if (const auto linhas = lerLinhasTabela(pasta / "tabela.txt"))
        for (const auto& linha : *linhas) {
            camposDaLinha(linha);
            lerModelo(linha);
            for (const auto& campo : camposBrutos(linha)) inteiroDoCampo(campo);
        }
    buscarConversao(pasta / "tabela.txt", "ZEBRA", "4");
    return 0;
}
