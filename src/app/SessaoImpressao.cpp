#include "app/SessaoImpressao.h"

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/TabelasImpressoras.h"
#include "output/Despacho.h"
#include "output/PortasCom.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

const char* textoEventoSerial(int codigo) {
    switch (codigo) {
        case 1001:
            return "Error: Break was received";
        case 1002:
            return "Error: CTS Timeout";
        case 1003:
            return "Error: DSR Timeout";
        case 1004:
            return "Error: Framing Error";
        case 1006:
            return "Error: Data Lost";
        case 1007:
            return "Error: CD (RLSD) Timeout";
        case 1008:
            return "Error: Receive buffer overflow";
        case 1009:
            return "Error: Parity Error";
        case 1010:
            return "Error: Transmit buffer full";
        case 1011:
            return "Error: Unexpected error retrieving DCB";
        // 2 (data received) and the line changes need nothing: the printers
        // send no answers that the system reads.
        default:
            return nullptr;
    }
}

}  // namespace

SessaoImpressao::SessaoImpressao(Maquina& maquina, Pessoa& pessoa, PastasAplicacao pastas)
    : maquina_(maquina), pessoa_(pessoa), pastas_(std::move(pastas)) {}

Resposta SessaoImpressao::mensagem(const std::string& texto, const std::string& titulo, Icone icone,
                                   Botoes botoes) {
    return pessoa_.mensagem(texto, titulo, icone, botoes);
}

// A dead port repeats its complaint for every chunk: once a run is enough.
void SessaoImpressao::eventoSerial(int codigo) {
    const char* texto = textoEventoSerial(codigo);
    if (!texto) return;
    if (emExecucao_ && !eventosSeriaisDaExecucao_.insert(codigo).second) return;
    mensagem(texto);
}

void SessaoImpressao::usarHistorico(std::filesystem::path arquivo, FalhaDoHistorico falha) {
    arquivoHistorico_ = std::move(arquivo);
    falhaHistorico_ = falha;
}

bool SessaoImpressao::seguirSemHistorico(const std::string& motivo, bool jobsEnviados) {
    switch (falhaHistorico_) {
        case FalhaDoHistorico::Prosseguir:
            mensagem(motivo + "\nA impressão segue sem registro no histórico.", kTituloHistorico,
                     Icone::Exclamacao);
            return true;
        case FalhaDoHistorico::Parar:
            mensagem(jobsEnviados ? motivo : motivo + "\nNenhuma etiqueta foi impressa.",
                     kTituloHistorico, Icone::Critico);
            return false;
        case FalhaDoHistorico::Perguntar:
            break;
    }
    return mensagem(motivo + "\nImprimir mesmo assim, sem registrar no histórico?",
                    kTituloHistorico, Icone::Pergunta, Botoes::SimNao) == Resposta::Sim;
}

SessaoImpressao::Execucao::Execucao(SessaoImpressao& s, Acompanhamento& a) : s_(s), a_(a) {
    a_.iniciarExecucao();
    s_.emExecucao_ = true;
    s_.eventosSeriaisDaExecucao_.clear();
}

SessaoImpressao::Execucao::~Execucao() {
    s_.emExecucao_ = false;
    a_.terminarExecucao();
}

// ---- Checks shared by the commands

bool SessaoImpressao::conferirSelecao(const PedidoImpressao& pedido, Acompanhamento& a) {
    const int tipo = pedido.tipoArquivo;
    if ((tipo != kArquivoPreco && tipo != kArquivoVolume) || !pedido.linhas) return false;
    pessoa_.cursorOcupado(true);
    for (int l = 1; l <= pedido.linhas->linhas(); ++l)
        if (pedido.linhas->marcada(l)) return true;
    mensagem(tipo == kArquivoPreco
                 ? "Não foi selecionado nenhum Pedido para ser impressa a Etiqueta de Preço !"
                 : "Não foi selecionado nenhum Pedido para ser impressa a Etiqueta de Volume !",
             "Impressão", Icone::Critico);
    a.apontar(Campo::Linhas);
    pessoa_.cursorOcupado(false);
    return false;
}

bool SessaoImpressao::caminhoInformado(const PedidoImpressao& pedido, Acompanhamento& a) {
    if (!pedido.impressora.rede || !aparar(pedido.impressora.destino).empty()) return true;
    mensagem("Informe o caminho de rede da Impressora !", "Caminho para Impressora",
             Icone::Critico);
    a.apontar(Campo::CaminhoRede);
    return false;
}

// Without the printer table there is no printer, no language and no layout
// section: what would fail further on is its absence.
bool SessaoImpressao::impressoraCadastrada() {
    const auto linhas = lerLinhasTabela(caminhoNaPasta(pastas_.dados, kTabelaImpressoras));
    if (linhas && !linhas->empty()) return true;
    mensagem("Nenhuma impressora cadastrada: a tabela de impressoras (" +
                 std::string(kTabelaImpressoras.substr(1)) +
                 ") não foi encontrada ou está vazia na pasta do aplicativo.",
             "Impressora", Icone::Critico);
    return false;
}

// A label type that prints nothing says so before anything is asked.
bool SessaoImpressao::tipoSemEtiquetas(const PedidoImpressao& pedido) {
    if (pedido.tipoArquivo == kArquivoNaoReconhecido) return false;
    const FamiliaEtiqueta* familia = familiaDoTipo(pedido.tipoEtiqueta);
    if (familia && !familia->modelo.empty()) return false;
    mensagem("As etiquetas do tipo " + std::to_string(pedido.tipoEtiqueta) +
                 (familia ? " (" + std::string(familia->legenda) + ")" : std::string()) +
                 " não têm impressão: não há etiquetas a imprimir neste arquivo.",
             "Tipo de Etiqueta", Icone::Exclamacao);
    return true;
}

bool SessaoImpressao::conferirVariante(const PedidoImpressao& pedido, Acompanhamento& a) {
    if (pedido.parametros.variante != 0) return true;
    mensagem("Selecione o tipo de etiqueta a ser impressa !", "Tipo de Etiqueta", Icone::Critico);
    a.apontar(Campo::TipoEtiqueta);
    return false;
}

// Silently for a type that prints nothing, with a message for one that
// cannot print in this version.
DesfechoImpressao SessaoImpressao::conferirFamilia(const FamiliaEtiqueta* familia, int tipo) {
    if (!familia || familia->modelo.empty()) return DesfechoImpressao::SemRotina;
    if (!familia->rotina) {
        mensagem("A impressão de etiquetas do tipo " + std::to_string(tipo) +
                     " ainda não está disponível nesta versão do aplicativo. Nenhuma "
                     "etiqueta foi impressa.",
                 "Tipo de Etiqueta", Icone::Critico);
        return DesfechoImpressao::Recusada;
    }
    return DesfechoImpressao::Impressa;
}

SessaoImpressao::AberturaPorta SessaoImpressao::abrirPortaCom(const ImpressoraEscolhida& e,
                                                              bool conferirExistencia) {
    const std::string& porta = e.porta;
    if (porta != "COM1" && porta != "COM2") return AberturaPorta::SemPortaCom;
    PortaSerial& serial = maquina_.portaSerial();
    const int numero = porta == "COM1" ? 1 : 2;
    const auto& s = e.serial;
    const std::string configuracao =
        s.velocidade + "," + s.paridade + "," + s.bitsDados + "," + s.bitsParada;
    // An open port serves only the choice it was opened for: labels for COM2
    // must never leave through COM1.
    const std::string escolha = porta + " " + configuracao;
    if (serial.aberta()) {
        if (escolha == portaComAberta_) return AberturaPorta::JaAberta;
        serial.fechar();
    }
    if (conferirExistencia && !PortaComDisponivel(pastas_, numero)) {
        mensagem("Porta COM" + std::to_string(numero) + " não encontrada.", {}, Icone::Informacao);
        return AberturaPorta::Falhou;
    }
    const std::string dispositivo = dispositivoPortaCom(pastas_, numero);
    if (!serial.abrir(dispositivo, configuracao)) {
        mensagem("Não foi possível abrir a porta " + porta + " (" + dispositivo +
                     "): " + serial.ultimoErro(),
                 "Porta " + porta, Icone::Critico);
        return AberturaPorta::Falhou;
    }
    portaComAberta_ = escolha;
    return AberturaPorta::Aberta;
}

}  // namespace etiquetas
