// libFuzzer target over the template engine with order values: a template
// and the cells of a price row, both from the input, rendered by the price
// routines into a collecting sink for Zebra and Datamax. Checks that no value
// reaches a ZPL job as a command character.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "config/AtualizarConfiguracao.h"
#include "render/FamiliasEtiqueta.h"
#include "render/PrecoCartolina.h"
#include "render/ValoresSeguros.h"

using namespace etiquetas;
namespace fs = std::filesystem;

namespace {

struct SemProgresso : ProgressoImpressao {
    void mostrarStatus(const std::string&) override {}
};

const fs::path& pasta() {
    static const fs::path p = [] {
        fs::path d = fs::temp_directory_path() / ("fuzz-modelo-" + std::to_string(getpid()));
        fs::create_directories(d);
        std::ofstream(d / "QuelmonteEtiqueta.ini")
            << "[QuelmonteEtiqPrecoZebra]\r\nRepeticao=1\r\n[QuelmonteEtiqPrecoDatamax]\r\n"
               "Repeticao=1\r\n";
        std::ofstream(d / "QuelmonteConfiguracaoDatamax.prn") << "CFG";
        return d;
    }();
    return p;
}

// Pieces separated by a 0x01 byte: the template, then cells of the row.
std::vector<std::string> pedacos(std::string_view dados) {
    std::vector<std::string> r;
    std::size_t inicio = 0;
    for (std::size_t i = 0; i <= dados.size(); ++i)
        if (i == dados.size() || dados[i] == '\x01') {
            r.emplace_back(dados.substr(inicio, i - inicio));
            inicio = i + 1;
        }
    return r;
}

void verificarEscape(std::string_view valor) {
    for (const unsigned char c : valorTexto(valor, Linguagem::Zebra))
        if (c == '^' || c == '~' || c < 0x20) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const auto partes = pedacos({reinterpret_cast<const char*>(dados), tamanho});
    std::ofstream(pasta() / "Modelo.zpl", std::ios::binary) << partes[0];
    Grade grade("sprPedidos", colunasPedidosPreco());
    grade.definirLinhas(1);
    grade.definirTexto(1, 1, "1");
    // Short ranges keep one input fast: the sequence cells stay small.
    grade.definirTexto(1, 23, "1");
    grade.definirTexto(1, 24, "3");
    for (std::size_t i = 1; i < partes.size() && i < 40; ++i) {
        const int coluna = static_cast<int>(i) + 1;
        if (coluna == 23 || coluna == 24) continue;
        grade.definirTexto(1, coluna, partes[i]);
        verificarEscape(partes[i]);
    }
    AtualizarConfiguracao cfg;
    cfg.LarguraEtiqueta = 300;
    cfg.Repeticao = 1;
    for (const Linguagem linguagem : {Linguagem::Zebra, Linguagem::DataMax}) {
        ParametrosImpressao p;
        p.linguagem = linguagem;
        p.fabricante = linguagem == Linguagem::Zebra ? "ZEBRA" : "DATAMAX";
        p.velocidade = "4";
        p.origemSolicitacao = partes.size() > 1 ? partes.back().substr(0, 1) : "";
        for (const RotinaFamilia rotina :
             {ImprimirPrecoCartolina, ImprimirPrecoCartolinaComSem, ImprimirPrecoConjunto}) {
            MemoriaImpressao memoria;
            ColetorTrabalhos saida;
            SemProgresso progresso;
            ExecucaoImpressao x({p,
                                 cfg,
                                 pasta(),
                                 grade,
                                 "",
                                 "Modelo.zpl",
                                 "Modelo.zpl",
                                 memoria,
                                 saida,
                                 progresso,
                                 {}});
            executarRotina(rotina, x);
        }
    }
    return 0;
}
