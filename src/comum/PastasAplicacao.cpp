#include "comum/PastasAplicacao.h"

#include <system_error>

#include "comum/Arquivos.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr std::string_view kScript = "QuelmonteImprime.bat";
#else
constexpr std::string_view kScript = "QuelmonteImprime.sh";
#endif
// A table every installation ships and nobody edits: where it is, the
// shipped files are.
constexpr std::string_view kArquivoDados = "tb_impressoras.txt";
constexpr std::string_view kNomePrograma = "etiquetas";

bool existe(const fs::path& pasta, std::string_view nome) {
    std::error_code erro;
    return fs::is_regular_file(caminhoNaPasta(pasta, nome), erro);
}

bool temDados(const fs::path& pasta) {
    return !pasta.empty() && existe(pasta, kArquivoDados);
}

// bin/ and share/etiquetas/ of one prefix, wherever a package was unpacked.
fs::path dadosDoPrefixo(const fs::path& programa) {
    return programa.parent_path() / "share" / kNomePrograma;
}

// The administrator's folder of a package's prefix: /etc/etiquetas for a
// program under /usr (or under a folder a package was unpacked into),
// PREFIX/etc/etiquetas for other prefixes.
fs::path pastaAdministracao(const fs::path& programa) {
    const fs::path prefixo = programa.parent_path();
    const fs::path raiz = prefixo.filename() == "usr" ? prefixo.parent_path() : prefixo;
    return raiz / "etc" / kNomePrograma;
}

std::optional<std::string> criarPasta(const fs::path& pasta) {
    std::error_code erro;
    fs::create_directories(pasta, erro);
    if (erro || !fs::is_directory(pasta, erro))
        return "Não foi possível criar a pasta " + textoDoCaminho(pasta) + ".";
    return std::nullopt;
}

LocalizacaoPastas pastasDoUsuario(const fs::path& dados, const fs::path& administracao,
                                  const PastasUsuario& usuario) {
    if (usuario.configuracao.empty() || usuario.estado.empty())
        return {std::nullopt,
                "A pasta do usuário não foi encontrada (HOME não está definida): as "
                "configurações não teriam onde ser gravadas."};
    const PastasAplicacao pastas(dados, usuario.configuracao / kNomePrograma,
                                 usuario.estado / kNomePrograma, administracao);
    for (const fs::path& pasta : {pastas.configuracao, pastas.estado})
        if (auto erro = criarPasta(pasta)) return {std::nullopt, *erro};
    return {pastas, {}};
}

LocalizacaoPastas localizarPastasDoPrograma(const Instalacao& instalacao) {
    const fs::path& programa = instalacao.programa;
    if (temDados(programa)) {
        if (instalacao.programaGravavel) return {PastasAplicacao(programa), {}};
        return pastasDoUsuario(programa, programa, instalacao.usuario);
    }
    if (const fs::path dados = dadosDoPrefixo(programa); temDados(dados))
        return pastasDoUsuario(dados, pastaAdministracao(programa), instalacao.usuario);
    return {PastasAplicacao(programa), {}};
}

}  // namespace

PastasAplicacao::PastasAplicacao(fs::path unica)
    : dados(unica), configuracao(unica), estado(unica), administracao(std::move(unica)) {}

PastasAplicacao::PastasAplicacao(fs::path dados_, fs::path configuracao_, fs::path estado_,
                                 fs::path administracao_)
    : dados(std::move(dados_)),
      configuracao(std::move(configuracao_)),
      estado(std::move(estado_)),
      administracao(std::move(administracao_)) {}

fs::path arquivoConfiguracaoLeitura(const PastasAplicacao& pastas, std::string_view nome) {
    const fs::path doUsuario = caminhoNaPasta(pastas.configuracao, nome);
    std::error_code erro;
    if (pastas.unica() || fs::exists(doUsuario, erro)) return doUsuario;
    return caminhoNaPasta(pastas.dados, nome);
}

std::optional<fs::path> arquivoConfiguracaoGravacao(const PastasAplicacao& pastas,
                                                    std::string_view nome) {
    const fs::path doUsuario = caminhoNaPasta(pastas.configuracao, nome);
    std::error_code erro;
    if (pastas.unica() || fs::exists(doUsuario, erro)) return doUsuario;
    const fs::path enviado = caminhoNaPasta(pastas.dados, nome);
    if (!fs::exists(enviado, erro)) return doUsuario;
    const auto conteudo = lerArquivo(enviado);
    if (!conteudo || !gravarArquivoAtomico(doUsuario, *conteudo)) return std::nullopt;
    return doUsuario;
}

fs::path scriptImpressao(const PastasAplicacao& pastas) {
    if (existe(pastas.administracao, kScript)) return caminhoNaPasta(pastas.administracao, kScript);
    return caminhoNaPasta(pastas.dados, kScript);
}

fs::path pastaHistorico(const PastasUsuario& usuario) {
    return usuario.dados.empty() ? fs::path() : usuario.dados / kNomePrograma;
}

LocalizacaoPastas localizarPastas(const Instalacao& instalacao) {
    auto localizacao = localizarPastasDoPrograma(instalacao);
    if (localizacao.pastas) localizacao.pastas->historico = pastaHistorico(instalacao.usuario);
    return localizacao;
}

}  // namespace etiquetas
