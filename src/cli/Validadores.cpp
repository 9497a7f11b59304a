#include "cli/Validadores.h"

#include <filesystem>

#include "comum/Texto.h"

namespace etiquetas::cli {

namespace fs = std::filesystem;

namespace {

// The CLI's messages are written in UTF-8; these texts are the core's.
std::string terminal(const std::string& cp1252) {
    return cp1252ParaUtf8(cp1252);
}

// What follows `inicio` in `texto` up to `fim` (or its end); empty when
// `inicio` is not there.
std::string trecho(const std::string& texto, const std::string& inicio,
                   const std::string& fim = "") {
    const auto p = texto.find(inicio);
    if (p == std::string::npos) return {};
    const auto a = p + inicio.size();
    return texto.substr(a, fim.empty() ? std::string::npos : texto.find(fim, a) - a);
}

// The option an English message of CLI11 names, up to `fim`.
std::string opcaoAntes(const std::string& texto, const std::string& fim) {
    return texto.substr(0, texto.find(fim));
}

template <typename Tipo>
bool de(const CLI::Error& erro) {
    return dynamic_cast<const Tipo*>(&erro) != nullptr;
}

// By the error's class: the name an error carries is not always its class's.
std::string textoFalha(const CLI::Error& erro) {
    const std::string texto = erro.what();
    if (de<CLI::ValidationError>(erro)) return texto;  // "NAME: " and our own words
    if (de<CLI::ConversionError>(erro)) {
        if (const auto v = trecho(texto, "Could not convert: "); !v.empty())
            return terminal("valor inválido para ") + opcaoAntes(v, " = ") + ": \"" +
                   trecho(v, " = ") + "\"";
        return terminal("valor inválido");
    }
    if (de<CLI::RequiredError>(erro)) {
        if (texto == "A subcommand") return "falta o comando";
        return "falta " + opcaoAntes(texto, " is required");
    }
    if (de<CLI::ExtrasError>(erro))
        return terminal("argumento não esperado: ") + trecho(texto, "expected: ");
    if (de<CLI::ExcludesError>(erro))
        return opcaoAntes(texto, " excludes ") + terminal(" não vale junto com ") +
               trecho(texto, " excludes ");
    if (de<CLI::RequiresError>(erro))
        return opcaoAntes(texto, " requires ") + " pede " + trecho(texto, " requires ");
    if (de<CLI::ArgumentMismatch>(erro)) {
        std::string opcao = trecho(texto, " arguments to ", ",");
        if (opcao.empty()) opcao = opcaoAntes(texto, ":");
        return terminal("quantidade errada de valores para ") + opcao;
    }
    return terminal("argumentos inválidos");
}

}  // namespace

CLI::Validator validador(std::function<bool(const std::string&)> ler, const std::string& forma) {
    return CLI::Validator(
        [ler, forma](std::string& valor) -> std::string {
            return ler(valor) ? std::string() : "esperado " + forma + ": " + valor;
        },
        forma);
}

CLI::Validator arquivoExistente() {
    return CLI::Validator(
        [](std::string& valor) -> std::string {
            std::error_code erro;
            const auto estado = fs::status(fs::path(valor), erro);
            if (!fs::exists(estado)) return terminal("o arquivo não existe: ") + valor;
            if (fs::is_directory(estado)) return terminal("é uma pasta, não um arquivo: ") + valor;
            return {};
        },
        "ARQUIVO");
}

CLI::Validator pastaExistente() {
    return CLI::Validator(
        [](std::string& valor) -> std::string {
            std::error_code erro;
            const auto estado = fs::status(fs::path(valor), erro);
            if (!fs::exists(estado)) return terminal("a pasta não existe: ") + valor;
            if (!fs::is_directory(estado)) return terminal("não é uma pasta: ") + valor;
            return {};
        },
        "PASTA");
}

CLI::Validator umDe(const std::vector<std::string>& valores) {
    std::string lista;
    for (const auto& v : valores) lista += (lista.empty() ? "" : ", ") + v;
    return CLI::Validator(
        [valores, lista](std::string& valor) -> std::string {
            for (const auto& v : valores)
                if (v == valor) return {};
            return "\"" + valor + terminal("\" não é um de ") + lista;
        },
        "{" + lista + "}");
}

CLI::Validator numeroPositivo() {
    return CLI::Validator(
        [](std::string& valor) -> std::string {
            const auto n = valorInteiro(valor);
            if (n && *n >= 1) return {};
            return terminal("informe um número a partir de 1, não \"") + valor + "\"";
        },
        "N");
}

CLI::Validator prefixoImagens() {
    return CLI::Validator(
        [](std::string& valor) -> std::string {
            if (!fs::path(valor).filename().empty()) return {};
            return terminal(
                       "informe o começo do nome das imagens (ex.: etiqueta, para "
                       "etiqueta-1.png), não \"") +
                   valor + "\"";
        },
        "PREFIXO");
}

std::string mensagemFalhaArgumentos(const CLI::App*, const CLI::Error& erro) {
    std::string texto = textoFalha(erro);
    if (!texto.empty() && texto[0] >= 'a' && texto[0] <= 'z') texto[0] -= 'a' - 'A';
    return texto + terminal(". Veja etiquetas-cli --help.") + "\n";
}

}  // namespace etiquetas::cli
