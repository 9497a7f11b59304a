// etiquetas-cli historico: the user's print history, newest first, as a
// tab-separated table or CSV (a header line, then one line a job).

#include <iostream>

#include "app/RegistroHistorico.h"
#include "cli/ContextoCli.h"
#include "comum/Texto.h"
#include "historico/HistoricoImpressao.h"

namespace etiquetas::cli {

namespace {

struct OpcoesHistorico {
    std::string arquivo;
    std::string pedido, variante;
    long long execucao = 0;
    bool csv = false;
};

std::string linhaTabela(const std::vector<std::string>& campos) {
    std::string r;
    for (const auto& campo : campos) {
        if (!r.empty()) r += '\t';
        for (char c : campo) r += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return r;
}

std::string linha(const std::vector<std::string>& campos, bool csv) {
    return cp1252ParaUtf8(csv ? linhaCsv(campos) : linhaTabela(campos)) + '\n';
}

FiltroHistorico filtro(const OpcoesHistorico& o) {
    FiltroHistorico f;
    if (!o.arquivo.empty()) {
        const auto identificado = identificarArquivoPedidos(caminhoDoArgumento(o.arquivo));
        f.arquivo = identificado.caminho;
        f.md5 = identificado.md5;
    }
    f.pedido = utf8ParaCp1252(o.pedido);
    f.variante = utf8ParaCp1252(o.variante);
    f.execucao = o.execucao;
    return f;
}

int listar(ContextoCli& ctx, const OpcoesHistorico& o) {
    ctx.iniciarServico();
    if (!historicoDisponivel()) {
        std::cerr << cp1252ParaUtf8(
                         "O histórico de impressões não está disponível nesta versão do programa.")
                  << '\n';
        return kFalha;
    }
    const auto arquivo = arquivoHistoricoDoUsuario(ctx.pastas());
    if (arquivo.empty()) {
        std::cerr << cp1252ParaUtf8(
                         "A pasta de dados do usuário não foi encontrada: não há "
                         "histórico de impressões.")
                  << '\n';
        return kFalha;
    }
    std::cout << linha(nomesCamposHistorico(), o.csv);
    std::error_code erro;
    // Listing creates nothing.
    if (!std::filesystem::exists(arquivo, erro)) return kOk;
    try {
        HistoricoImpressao historico(arquivo, AberturaHistorico::Leitura);
        if (!historico.aviso().empty()) std::cerr << cp1252ParaUtf8(historico.aviso()) << '\n';
        historico.percorrer(filtro(o), 0, -1, [&](const LinhaHistorico& l) {
            std::cout << linha(camposHistorico(l), o.csv);
            return true;
        });
    } catch (const FalhaHistorico& falha) {
        std::cerr << cp1252ParaUtf8(falha.what()) << '\n';
        return kFalha;
    }
    std::cout.flush();
    return kOk;
}

}  // namespace

void registrarHistorico(CLI::App& app, ContextoCli& ctx, Execucao& execucao) {
    auto o = std::make_shared<OpcoesHistorico>();
    auto* c = app.add_subcommand(
        "historico", utf8(u8"Lista o histórico de impressões, da mais nova à mais antiga"));
    c->add_option("ARQUIVO", o->arquivo,
                  utf8(u8"Só as impressões deste arquivo de pedidos (pelo caminho ou pelo "
                       u8"conteúdo)"));
    c->add_option("--pedido", o->pedido, utf8(u8"Só as deste pedido"));
    c->add_option("--variante", o->variante, utf8(u8"Só as desta variante (ou loja)"));
    c->add_option("--execucao", o->execucao, utf8(u8"Só os trabalhos desta impressão"));
    c->add_flag("--csv", o->csv, utf8(u8"Em CSV: uma linha de cabeçalho, depois uma por trabalho"));
    c->callback([&ctx, &execucao, o] { execucao = [&ctx, o] { return listar(ctx, *o); }; });
}

}  // namespace etiquetas::cli
