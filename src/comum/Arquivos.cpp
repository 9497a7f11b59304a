#include "comum/Arquivos.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "comum/Texto.h"

namespace etiquetas {

namespace fs = std::filesystem;

fs::path caminhoNaPasta(const fs::path& pasta, std::string_view nome) {
    while (!nome.empty() && (nome.front() == '\\' || nome.front() == '/')) nome.remove_prefix(1);
    fs::path direto = pasta / fs::path(std::string(nome));
    std::error_code erro;
    if (fs::exists(direto, erro)) return direto;
    for (fs::directory_iterator it(pasta, erro), fim; !erro && it != fim; it.increment(erro)) {
        if (iguaisSemCaixa(it->path().filename().string(), nome)) return it->path();
    }
    return direto;
}

std::string textoDoCaminho(const fs::path& caminho) {
    return utf8ParaCp1252(utf8DoCaminho(caminho));
}

std::string utf8DoCaminho(const fs::path& caminho) {
    const auto utf8 = caminho.u8string();
    return std::string(utf8.begin(), utf8.end());
}

fs::path caminhoDoUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

namespace {

std::string textoTamanho(std::uintmax_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

FalhaLeitura conferirArquivo(const fs::path& caminho, std::uintmax_t limite) {
    std::error_code erro;
    const auto estado = fs::status(caminho, erro);
    if (erro || !fs::exists(estado)) return FalhaLeitura::Ausente;
    if (!fs::is_regular_file(estado)) return FalhaLeitura::NaoComum;
    const auto tamanho = fs::file_size(caminho, erro);
    if (erro) return FalhaLeitura::Erro;
    return tamanho > limite ? FalhaLeitura::GrandeDemais : FalhaLeitura::Nenhuma;
}

LeituraArquivo lerArquivoLimitado(const fs::path& caminho, std::uintmax_t limite) {
    LeituraArquivo r;
    r.falha = conferirArquivo(caminho, limite);
    if (!r) return r;
    std::ifstream entrada(caminho, std::ios::binary);
    if (!entrada) {
        r.falha = FalhaLeitura::Erro;
        return r;
    }
    // In pieces, and never past the limit: the file may grow, or be swapped
    // for something endless, after it was looked at.
    constexpr std::size_t kPedaco = 1 << 16;
    try {
        char pedaco[kPedaco];
        while (entrada && r.conteudo.size() <= limite) {
            entrada.read(pedaco, kPedaco);
            r.conteudo.append(pedaco, static_cast<std::size_t>(entrada.gcount()));
        }
        if (entrada.bad()) r.falha = FalhaLeitura::Erro;
    } catch (const std::exception&) {
        r.falha = FalhaLeitura::Erro;
    }
    if (r && r.conteudo.size() > limite) r.falha = FalhaLeitura::GrandeDemais;
    if (!r) r.conteudo.clear();
    return r;
}

std::optional<std::string> lerArquivo(const fs::path& caminho, std::uintmax_t limite) {
    auto r = lerArquivoLimitado(caminho, limite);
    if (!r) return std::nullopt;
    return std::move(r.conteudo);
}

std::string motivoFalhaLeitura(FalhaLeitura falha, std::uintmax_t limite) {
    switch (falha) {
        case FalhaLeitura::Nenhuma:
            return "";
        case FalhaLeitura::Ausente:
            return "não existe";
        case FalhaLeitura::NaoComum:
            return "não é um arquivo comum (pasta, dispositivo ou fila)";
        case FalhaLeitura::GrandeDemais:
            return "passa do limite de " + textoTamanho(limite);
        case FalhaLeitura::Erro:
            break;
    }
    return "erro de leitura";
}

std::string mensagemFalhaLeitura(const fs::path& caminho, FalhaLeitura falha,
                                 std::uintmax_t limite) {
    return "O arquivo " + textoDoCaminho(caminho) +
           " não pôde ser lido: " + motivoFalhaLeitura(falha, limite) + ".";
}

bool gravarArquivoAtomico(const fs::path& caminho, std::string_view conteudo) {
    // A read-only file stays read-only even for a user whom the folder lets
    // replace it: the installation marked it so on purpose.
    std::error_code estado;
    const auto permissoes = fs::status(caminho, estado).permissions();
    if (!estado && (permissoes & fs::perms::owner_write) == fs::perms::none) return false;
    const fs::path temporario = caminhoTemporario(caminho);
    {
        std::ofstream saida(temporario, std::ios::binary | std::ios::trunc);
        if (!saida) return false;
        saida.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
        saida.flush();
        if (!saida) {
            saida.close();
            std::error_code ignorado;
            fs::remove(temporario, ignorado);
            return false;
        }
    }
    std::error_code erro;
    fs::rename(temporario, caminho, erro);
    if (erro) {
        fs::remove(temporario, erro);
        return false;
    }
    return true;
}

fs::path caminhoTemporario(const fs::path& destino) {
    thread_local std::mt19937_64 gerador{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    char sufixo[24];
    std::snprintf(sufixo, sizeof sufixo, ".%016llx.tmp~",
                  static_cast<unsigned long long>(gerador()));
    fs::path temporario = destino;
    return temporario += sufixo;
}

bool moverSemSubstituir(const fs::path& temporario, const fs::path& destino) {
    std::error_code erro;
    if (fs::exists(caminhoNaPasta(destino.parent_path(), destino.filename().string()), erro))
        return false;
    // A hard link is refused when the name is taken, even by a writer that
    // got there a moment ago; where the file system has none, a rename.
    fs::create_hard_link(temporario, destino, erro);
    if (!erro) {
        fs::remove(temporario, erro);
        return true;
    }
    if (fs::exists(destino, erro)) return false;
    fs::rename(temporario, destino, erro);
    return !erro;
}

bool regravarArquivo(const fs::path& caminho, std::string_view conteudo) {
    std::error_code erro;
    {
        std::fstream saida(caminho, std::ios::binary | std::ios::in | std::ios::out);
        if (!saida) {
            saida.open(caminho, std::ios::binary | std::ios::out | std::ios::trunc);
            if (!saida) return false;
        }
        saida.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
        saida.flush();
        if (!saida) return false;
    }
    fs::resize_file(caminho, conteudo.size(), erro);
    return !erro;
}

}  // namespace etiquetas
