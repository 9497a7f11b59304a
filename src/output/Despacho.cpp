#include "output/Despacho.h"

#include <chrono>
#include <system_error>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "output/FalhaImpressao.h"
#include "output/PortasCom.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCrLf = "\r\n";

#ifdef _WIN32
constexpr const char* kScript = "QuelmonteImprime.bat";
#else
constexpr const char* kScript = "QuelmonteImprime.sh";
#endif

std::string primeiraLinha(const std::string& texto) {
    const auto inicio = texto.find_first_not_of("\r\n");
    if (inicio == std::string::npos) return {};
    const auto fim = texto.find_first_of("\r\n", inicio);
    return aparar(texto.substr(inicio, fim == std::string::npos ? fim : fim - inicio));
}

std::string linhaDeComando(const fs::path& script, const std::vector<std::string>& argumentos) {
    std::string linha = "\"" + script.string() + "\"";
    for (std::size_t i = 0; i < argumentos.size(); ++i)
        linha += i == 0 ? " \"" + argumentos[i] + "\"" : " " + argumentos[i];
    return linha;
}

}  // namespace

std::string fabricanteImpressora(const std::string& impressora) {
    return maiusculas(semEspacos(impressora.substr(0, impressora.find(','))));
}

std::string valorVelocidade(const JanelaImpressao& janela) {
    std::string velocidade = aparar(janela.velocidade());
    const std::string fabricante = fabricanteImpressora(janela.impressora());
    if (velocidade.empty() && (fabricante == "ARGOX" || fabricante == "DATAMAX")) velocidade = "C";
    return velocidade;
}

Despacho::Despacho(Plataforma& plataforma, JanelaImpressao& janela, fs::path pasta,
                   bool& imagemEnviada)
    : plataforma_(plataforma),
      janela_(janela),
      pasta_(std::move(pasta)),
      imagemEnviada_(imagemEnviada) {}

fs::path Despacho::caminhoSpool(const std::string& nome) const {
    return caminhoNaPasta(pasta_, nome);
}

void Despacho::EnviarSpool(const fs::path& spool, std::string& texto) {
    substituirTodos(texto, ":: CMD_VELOCIDADE ::", valorVelocidade(janela_));
    substituirTodos(texto, "::Temperatura::", janela_.temperatura());
    gravarEDespachar(spool, texto);
}

void Despacho::EnviarConfiguracaoDatamax() {
    const fs::path origem = caminhoNaPasta(pasta_, "QuelmonteConfiguracaoDatamax.prn");
    const auto configuracao = lerArquivo(origem);
    if (!configuracao)
        throw FalhaImpressao("Arquivo de configuração da Datamax não encontrado: " +
                             origem.string());
    gravarEDespachar(caminhoSpool("SpoolEtqImg.prn"), *configuracao);
}

void Despacho::gravarEDespachar(const fs::path& spool, const std::string& texto) {
    std::string conteudo;
    conteudo.reserve(texto.size() + 2);
    conteudo.append(texto).append(kCrLf);
    if (!regravarArquivo(spool, conteudo))
        throw FalhaImpressao("Não foi possível gravar o arquivo de impressão " + spool.string());
    despachar(spool);
}

std::vector<std::string> Despacho::argumentosScript(const fs::path& spool) const {
    return {spool.string(),        janela_.destino(),      janela_.velocidadeCom(),
            janela_.paridadeCom(), janela_.bitsDadosCom(), janela_.bitsParadaCom()};
}

void Despacho::despachar(const fs::path& spool) {
    const std::string porta = janela_.porta();
    if (porta == "LPT1" || porta == "LPT2")
        ExecutarEAguardar(caminhoNaPasta(pasta_, kScript), argumentosScript(spool));
    else
        EnviarArquivoSerial(spool);
}

void Despacho::ExecutarEAguardar(const fs::path& script,
                                 const std::vector<std::string>& argumentos) {
    std::error_code erro;
    if (!fs::is_regular_file(script, erro)) {
        plataforma_.mensagem("Unable to find '" + linhaDeComando(script, argumentos) + "'", {},
                             Icone::Nenhum, Botoes::Ok);
        return;
    }
#ifdef _WIN32
    const auto resultado = plataforma_.executarEAguardar(script.string(), argumentos);
#else
    // Through the shell program, not the file's own mode: a script copied
    // without its execute bit still runs. No command line is ever parsed.
    std::vector<std::string> comScript{script.string()};
    comScript.insert(comScript.end(), argumentos.begin(), argumentos.end());
    const auto resultado = plataforma_.executarEAguardar("/bin/sh", comScript);
#endif
    if (!resultado.iniciou) {
        plataforma_.mensagem(resultado.descricaoFalha, {}, Icone::Nenhum, Botoes::Ok);
        return;
    }
    if (resultado.codigoSaida != 0) {
        std::string motivo = primeiraLinha(resultado.erroPadrao);
        if (motivo.empty())
            motivo = "O script de impressão terminou com o código " +
                     std::to_string(resultado.codigoSaida) + ".";
        throw FalhaImpressao("A etiqueta não foi entregue à impressora: " + motivo);
    }
}

void Despacho::EnviarArquivoSerial(const fs::path& arquivo) {
    const auto conteudo = lerArquivo(arquivo);
    if (!conteudo) throw FalhaImpressao("Não foi possível ler " + arquivo.string());
    const bool configuracaoDatamax =
        maiusculas(arquivo.filename().string()).find("SPOOLETQIMG.PRN") != std::string::npos;
    if (configuracaoDatamax && imagemEnviada_) return;
    PortaSerial& porta = plataforma_.portaSerial();
    if (!porta.escrever(*conteudo + '\r')) {
        const std::string erro = porta.ultimoErro();
        throw FalhaImpressao(erro.empty() ? "A porta serial não está aberta." : erro);
    }
    if (configuracaoDatamax) imagemEnviada_ = true;
    janela_.mostrarDetalhePortaCom("Valor do Buffer Porta COM : " +
                                   std::to_string(porta.bytesPendentes()));
    aguardarPortaVazia();
    // The printer takes the last bytes from its side after the buffer empties.
    for (int i = 0; i < kPausasFinaisSerial; ++i)
        plataforma_.pausar(std::chrono::milliseconds(100));
}

void Despacho::aguardarPortaVazia() {
    PortaSerial& porta = plataforma_.portaSerial();
    while (porta.bytesPendentes() > 0) {
        if (!porta.aberta()) throw FalhaImpressao("A porta serial foi fechada durante o envio.");
        porta.aguardarEnvio(100);
    }
}

}  // namespace etiquetas
