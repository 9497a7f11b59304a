#include "output/Despacho.h"

#include <chrono>
#include <system_error>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "output/PortasCom.h"
#include "render/FalhaImpressao.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTamanhoMotivo = 300;

// Control characters a script writes (a terminal's escapes among them) show
// as blanks.
std::string primeiraLinha(const std::string& texto) {
    const auto inicio = texto.find_first_not_of("\r\n");
    if (inicio == std::string::npos) return {};
    const auto fim = texto.find_first_of("\r\n", inicio);
    std::string linha = texto.substr(inicio, fim == std::string::npos ? fim : fim - inicio);
    for (char& c : linha)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return aparar(linha);
}

}  // namespace

bool nomeDeImpressoraDoSistema(const std::string& destino) {
    const std::string nome = maiusculas(aparar(destino));
    if (nome.empty() || nome.find_first_of("\\/:") != std::string::npos) return false;
    for (const char* dispositivo : {"PRN", "NUL", "CON", "AUX"})
        if (nome == dispositivo) return false;
    const bool portaNumerada = (nome.starts_with("LPT") || nome.starts_with("COM")) &&
                               nome.size() == 4 && nome[3] >= '0' && nome[3] <= '9';
    return !portaNumerada;
}

Despacho::Despacho(Maquina& maquina, const ParametrosImpressao& parametros, PastasAplicacao pastas,
                   bool& imagemEnviada)
    : maquina_(maquina),
      parametros_(parametros),
      pastas_(std::move(pastas)),
      imagemEnviada_(imagemEnviada) {
    if (parametros_.porta == "LPT1" || parametros_.porta == "LPT2")
        rede_ = enderecoRede(parametros_.destino);
    trava_ = aguardarTrava();
}

TravaImpressao Despacho::aguardarTrava() {
    const auto fim = std::chrono::steady_clock::now() + parametros_.esperaOutraImpressao;
    for (;;) {
        if (auto trava = TravaImpressao::tentar(pastas_.estado)) return std::move(*trava);
        if (std::chrono::steady_clock::now() >= fim) break;
        maquina_.pausar(std::chrono::milliseconds(100));
    }
    const std::string quem = TravaImpressao::ocupante(pastas_.estado);
    throw FalhaImpressao(
        "Outra impressão está em andamento nesta pasta (" +
        (quem.empty() ? std::string("outro programa") : quem) +
        ").\nAguarde o fim dela e tente novamente. Nenhuma etiqueta foi impressa.");
}

void Despacho::enviar(const Trabalho& trabalho) {
    const fs::path spool = caminhoNaPasta(pastas_.estado, trabalho.spool);
    if (!regravarArquivo(spool, trabalho.texto))
        throw FalhaImpressao("Não foi possível gravar o arquivo de impressão " +
                             textoDoCaminho(spool));
    despachar(spool, trabalho);
}

// The spool path as the file system names it; the window's texts in UTF-8.
std::vector<std::string> Despacho::argumentosScript(const fs::path& spool) const {
    const auto& s = parametros_.serial;
    std::vector<std::string> argumentos{utf8DoCaminho(spool)};
    for (const auto* texto :
         {&parametros_.destino, &s.velocidade, &s.paridade, &s.bitsDados, &s.bitsParada})
        argumentos.push_back(cp1252ParaUtf8(*texto));
    return argumentos;
}

void Despacho::despachar(const fs::path& spool, const Trabalho& trabalho) {
    const std::string& porta = parametros_.porta;
    if (rede_)
        enviarRede(trabalho.texto);
    else if (porta == "LPT1" || porta == "LPT2") {
        const std::string& destino = parametros_.destino;
        if (nomeDeImpressoraDoSistema(destino) && maquina_.impressoraInstalada(destino))
            enviarAoSpooler(trabalho);
        else
            executarScript(spool);
    } else
        enviarSerial(trabalho.texto, trabalho.tipo);
}

void Despacho::executarScript(const fs::path& spool) {
    const fs::path script = scriptImpressao(pastas_);
    const auto argumentos = argumentosScript(spool);
    std::error_code erro;
    // No script, no delivery: the run stops instead of announcing labels
    // that went nowhere.
    if (!fs::is_regular_file(script, erro))
        throw FalhaImpressao("O programa de impressão " + textoDoCaminho(script) +
                             " não foi encontrado: a etiqueta não foi entregue à impressora.");
    // An empty script ends well and delivers nothing.
    if (fs::file_size(script, erro) == 0)
        throw FalhaImpressao("O programa de impressão " + textoDoCaminho(script) +
                             " está vazio: a etiqueta não foi entregue à impressora.");
#ifdef _WIN32
    // A value cmd would act on is refused by the process start, which says
    // why: the run stops at its first job.
    const auto resultado = maquina_.executarEAguardar(utf8DoCaminho(script), argumentos, limite());
#else
    // Through the shell program, not the file's own mode: a script copied
    // without its execute bit still runs. No command line is ever parsed.
    std::vector<std::string> comScript{utf8DoCaminho(script)};
    comScript.insert(comScript.end(), argumentos.begin(), argumentos.end());
    const auto resultado = maquina_.executarEAguardar("/bin/sh", comScript, limite());
#endif
    if (!resultado.iniciou)
        throw FalhaImpressao("O script de impressão não pôde ser iniciado: " +
                             resultado.descricaoFalha);
    if (resultado.excedeuLimite)
        throw FalhaImpressao("A etiqueta não foi entregue à impressora " + parametros_.destino +
                             ": o script de impressão não terminou em " +
                             std::to_string(parametros_.limiteEnvio.count()) +
                             " segundos e foi interrompido.");
    if (resultado.codigoSaida != 0) {
        // A script may write megabytes: its first line, cut, is the reason.
        std::string motivo = esquerda(primeiraLinha(resultado.erroPadrao), kTamanhoMotivo);
        if (motivo.empty())
            motivo = "O script de impressão terminou com o código " +
                     std::to_string(resultado.codigoSaida) + ".";
        throw FalhaImpressao("A etiqueta não foi entregue à impressora: " + motivo);
    }
}

ConexaoRede& Despacho::conexaoRede() {
    if (conexao_) return *conexao_;
    auto r = maquina_.conectar(rede_->servidor, rede_->porta, parametros_.limiteConexao);
    if (!r.conexao)
        throw FalhaImpressao("Não foi possível conectar à impressora " + parametros_.destino +
                             ": " + r.erro + ".");
    conexao_ = std::move(r.conexao);
    return *conexao_;
}

void Despacho::enviarRede(const std::string& conteudo) {
    ConexaoRede& conexao = conexaoRede();
    if (!conexao.escrever(conteudo, parametros_.limiteEnvio))
        throw FalhaImpressao("A etiqueta não foi entregue à impressora " + parametros_.destino +
                             ": " + conexao.ultimoErro() + ".");
}

bool Despacho::portaSerialEscolhida() const {
    return parametros_.porta == "COM1" || parametros_.porta == "COM2";
}

EstadoImpressora Despacho::consultarEstado() {
    const auto limite =
        std::chrono::duration_cast<std::chrono::milliseconds>(parametros_.limiteResposta);
    if (rede_) return etiquetas::consultarEstado(parametros_.linguagem, conexaoRede(), limite);
    PortaSerial& porta = maquina_.portaSerial();
    if (portaSerialEscolhida() && porta.aberta())
        return etiquetas::consultarEstado(parametros_.linguagem, porta, limite);
    return estadoNaoConsultavel();
}

void Despacho::enviarAoSpooler(const Trabalho& trabalho) {
    const auto r =
        maquina_.enviarAoSpooler(parametros_.destino, trabalho.spool, trabalho.texto, limite());
    if (!r.entregue)
        throw FalhaImpressao("A etiqueta não foi entregue à impressora " + parametros_.destino +
                             ": " + r.motivo);
}

// The Datamax set-up goes out once per opening of the port.
void Despacho::enviarSerial(const std::string& conteudo, TipoTrabalho tipo) {
    const bool configuracaoDatamax = tipo == TipoTrabalho::ConfiguracaoDatamax;
    if (configuracaoDatamax && imagemEnviada_) return;
    PortaSerial& porta = maquina_.portaSerial();
    if (!porta.escrever(conteudo + '\r')) {
        const std::string erro = porta.ultimoErro();
        throw FalhaImpressao(erro.empty() ? "A porta serial não está aberta." : erro);
    }
    if (configuracaoDatamax) imagemEnviada_ = true;
    if (mostrarDetalhePortaCom)
        mostrarDetalhePortaCom("Valor do Buffer Porta COM : " +
                               std::to_string(porta.bytesPendentes()));
    aguardarPortaVazia();
    // The printer takes the last bytes from its side after the buffer empties.
    for (int i = 0; i < kPausasFinaisSerial; ++i) maquina_.pausar(std::chrono::milliseconds(100));
}

// A port nobody reads never drains: the wait ends at the limit.
void Despacho::aguardarPortaVazia() {
    PortaSerial& porta = maquina_.portaSerial();
    const auto fim = std::chrono::steady_clock::now() + parametros_.limiteEnvio;
    while (porta.bytesPendentes() > 0) {
        if (!porta.aberta()) throw FalhaImpressao("A porta serial foi fechada durante o envio.");
        if (std::chrono::steady_clock::now() >= fim)
            throw FalhaImpressao("A porta serial " + parametros_.porta +
                                 " não enviou os dados em " +
                                 std::to_string(parametros_.limiteEnvio.count()) +
                                 " segundos: verifique se a impressora está ligada e conectada.");
        porta.aguardarEnvio(100);
    }
}

std::chrono::milliseconds Despacho::limite() const {
    return parametros_.limiteEnvio;
}

}  // namespace etiquetas
