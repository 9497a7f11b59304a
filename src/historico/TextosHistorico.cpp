#include "historico/HistoricoImpressao.h"

#include <string_view>

// What the history says in words, built with or without SQLite.

namespace etiquetas {

namespace {

// A spreadsheet runs a cell that starts like a formula: order values and
// settings are the supplier portal's and the user's text, never formulas, so
// such a cell keeps a leading quote.
std::string semFormula(const std::string& texto) {
    if (texto.empty() || std::string_view("=+-@\t\r").find(texto.front()) == std::string::npos)
        return texto;
    return "'" + texto;
}

std::string campoCsv(const std::string& campo, char separador) {
    const std::string texto = semFormula(campo);
    if (texto.find_first_of(std::string(1, separador) + "\"\r\n") == std::string::npos)
        return texto;
    std::string r = "\"";
    for (char c : texto) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

}  // namespace

const char* textoDesfecho(DesfechoTrabalho desfecho) {
    switch (desfecho) {
        case DesfechoTrabalho::Enviada:
            return "enviada";
        case DesfechoTrabalho::Falhou:
            return "falhou";
        case DesfechoTrabalho::Cancelada:
            return "cancelada";
        case DesfechoTrabalho::NaoConfirmada:
            return "não confirmada";
        case DesfechoTrabalho::PodeTerSidoImpressa:
            break;
    }
    return "pode ter sido impressa";
}

const char* textoDesfecho(DesfechoExecucao desfecho) {
    switch (desfecho) {
        case DesfechoExecucao::Concluida:
            return "concluída";
        case DesfechoExecucao::Cancelada:
            return "cancelada";
        case DesfechoExecucao::Falhou:
            return "falhou";
        case DesfechoExecucao::NaoConfirmada:
            return "não confirmada";
        case DesfechoExecucao::SemRegistro:
            break;
    }
    return "sem registro";
}

std::filesystem::path arquivoHistorico(const std::filesystem::path& pasta) {
    return pasta / HistoricoImpressao::kNomeArquivo;
}

std::vector<std::string> nomesCamposHistorico() {
    return {"id",         "execucao",      "momento",          "arquivo",
            "md5",        "tipo_etiqueta", "familia",          "linha",
            "pedido",     "item",          "variante_ou_loja", "primeira",
            "ultima",     "trabalho",      "impressora",       "linguagem",
            "destino",    "usuario",       "desfecho",         "desfecho_impressao",
            "reimpressao"};
}

std::vector<std::string> legendasCamposHistorico() {
    return {"Nº",
            "Impressão",
            "Data e hora",
            "Arquivo de pedidos",
            "MD5 do arquivo",
            "Tipo",
            "Família",
            "Linha",
            "Pedido",
            "Item",
            "Variante ou loja",
            "Primeira",
            "Última",
            "Trabalho",
            "Impressora",
            "Linguagem",
            "Destino",
            "Usuário",
            "Desfecho",
            "Resultado da impressão",
            "Reimpressão"};
}

std::vector<std::string> camposHistorico(const LinhaHistorico& l) {
    const auto& e = l.execucao;
    const auto& o = l.origem;
    return {std::to_string(l.id),
            std::to_string(l.idExecucao),
            l.momento,
            e.arquivo,
            e.md5,
            std::to_string(e.tipoEtiqueta),
            e.familia,
            std::to_string(o.linha),
            o.pedido,
            o.item,
            o.variante,
            std::to_string(o.primeira),
            std::to_string(o.ultima),
            l.tipoTrabalho,
            e.impressora,
            e.linguagem,
            e.destino,
            e.usuario,
            textoDesfecho(l.desfecho),
            textoDesfecho(e.desfecho),
            e.reimpressao ? "reimpressão" : ""};
}

std::string linhaCsv(const std::vector<std::string>& campos, char separador) {
    std::string r;
    bool primeiro = true;
    for (const auto& c : campos) {
        if (!primeiro) r += separador;
        r += campoCsv(c, separador);
        primeiro = false;
    }
    return r;
}

}  // namespace etiquetas
