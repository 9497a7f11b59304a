#pragma once

// A history of a year of orders for the history's benchmarks: ten jobs of
// two labels for each of 100,000 variants, sent.

#include <filesystem>
#include <string>

#include "../tests/apoio/ExecucaoGravada.h"
#include "historico/HistoricoImpressao.h"
#include "historico/Sqlite.h"

namespace etiquetas::bench {

constexpr int kVariantes = 100'000;
constexpr int kTrabalhosGravados = 1'000'000;

inline std::filesystem::path pastaNova(const std::string& nome) {
    const auto pasta = std::filesystem::temp_directory_path() / ("etiquetas-bench-" + nome);
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    return pasta;
}

inline std::string variante(int n) {
    std::string v = std::to_string(n);
    return std::string(10 - v.size(), '0') + v + "-5";
}

inline void gravarMilhao(const std::filesystem::path& arquivo) {
    HistoricoImpressao h(arquivo);
    const long long e = h.iniciarExecucao(apoio::execucaoGravada());
    sqlite::Banco banco(arquivo, 10'000);
    sqlite::Transacao t(banco);
    sqlite::Comando inserir(banco,
                            "INSERT INTO trabalhos(execucao, numero, tipo, linha, pedido, item, "
                            "variante, primeira, ultima, momento, desfecho) "
                            "VALUES(?1, ?2, 'etiquetas', ?3, '4512', '10', ?4, ?5, ?6, "
                            "'2026-12-07 10:31:00', 1)");
    for (int n = 0; n < kTrabalhosGravados; ++n) {
        const int v = n % kVariantes, vez = n / kVariantes;
        inserir.ligar(1, e).ligar(2, n + 1).ligar(3, v + 1).ligar(4, variante(v));
        inserir.ligar(5, vez * 2 + 1).ligar(6, vez * 2 + 2);
        inserir.executar();
    }
    t.confirmar();
}

}  // namespace etiquetas::bench
