#include "app/ServicoImpressao.h"

#include <algorithm>
#include <array>
#include <pugixml.hpp>

#include "comum/Arquivos.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "config/AtualizarConfiguracao.h"
#include "config/TabelasImpressoras.h"
#include "export/ArquivoSequencial.h"
#include "orderfile/Md5.h"
#include "orderfile/Xml.h"
#include "output/Despacho.h"
#include "output/PortasCom.h"
#include "output/PreCargaZebra.h"
#include "render/FamiliasEtiqueta.h"
#include "render/MotorTemplate.h"

namespace etiquetas {

namespace {

constexpr const char* kMensagemVersao =
    "Versão desatualizada para efetuar a impressão deste arquivo ! Acesse o Portal de "
    "Fornecedores e efetue o DOWNLOAD da nova versão do aplicativo de Etiquetas."
    "\rO Programa será encerrado !\r\n";

// "1.234": thousands with a dot, as the window writes numbers.
std::string milhares(long long n) {
    const std::string digitos = std::to_string(n < 0 ? -n : n);
    std::string texto = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0) texto += '.';
        texto += digitos[i];
    }
    return texto;
}

std::string etiquetas(long long n) {
    return milhares(n) + (n == 1 ? " etiqueta" : " etiquetas");
}

std::string destinoImpressao(const ParametrosImpressao& p) {
    return (p.fabricante.empty() ? std::string("?") : p.fabricante) + ", " + p.destino;
}

// Section "Impressao", key "LimiteEnvioSegundos" of the personal settings:
// how long one job may take to leave; 120 seconds when absent or not a
// positive whole number.
std::chrono::seconds limiteEnvio(const PastasAplicacao& pastas) {
    const auto valor = valorInteiro(LerArquivoConfig(pastas, "Impressao", "LimiteEnvioSegundos"));
    if (!valor || *valor <= 0 || *valor > 86400) return std::chrono::seconds(120);
    return std::chrono::seconds(*valor);
}

// Key "EsperaOutraImpressaoSegundos" of the same section: how long a run
// waits for another run of the folder to end; 5 seconds when absent or not a
// whole number from 0 to a day.
std::chrono::seconds esperaOutraImpressao(const PastasAplicacao& pastas) {
    const auto valor =
        valorInteiro(LerArquivoConfig(pastas, "Impressao", "EsperaOutraImpressaoSegundos"));
    if (!valor || *valor < 0 || *valor > 86400) return std::chrono::seconds(5);
    return std::chrono::seconds(*valor);
}

// Keys "LimiteConexaoSegundos", "LimiteRespostaSegundos" and
// "LimiteFimImpressaoSegundos" of the same section: a network printer's
// connect, a printer's answer to the status question, and the wait for it
// to print what it holds after a run.
std::chrono::seconds limiteSegundos(const PastasAplicacao& pastas, const char* chave,
                                    std::chrono::seconds padrao) {
    const auto valor = valorInteiro(LerArquivoConfig(pastas, "Impressao", chave));
    if (!valor || *valor <= 0 || *valor > 86400) return padrao;
    return std::chrono::seconds(*valor);
}

std::string mensagemFalha(const FalhaRotina& falha) {
    return falha.descricao + "\n" + "Linha: " + std::to_string(falha.passo);
}

// Passes each job on and keeps the last grid row that reached the printer:
// rows are printed in order, so every ticked row before it went out whole.
class EntregasPorLinha : public SaidaTrabalhos {
  public:
    explicit EntregasPorLinha(SaidaTrabalhos& destino) : destino_(destino) {}
    void enviar(const Trabalho& trabalho) override {
        destino_.enviar(trabalho);
        for (const auto& o : trabalho.origens) ultimaLinha = std::max(ultimaLinha, o.linha);
    }
    int ultimaLinha = 0;

  private:
    SaidaTrabalhos& destino_;
};

// The rows of a request less what was sent are not the grid's: each job's
// origin is given back the grid's row before the history or the resume
// point sees it.
class OrigensNaGrade : public SaidaTrabalhos {
  public:
    OrigensNaGrade(SaidaTrabalhos& destino, const LinhasNuncaImpressas& linhas)
        : destino_(destino), linhas_(linhas) {}
    void enviar(const Trabalho& trabalho) override {
        Trabalho t = trabalho;
        for (auto& o : t.origens) o.linha = linhas_.linhaNaGrade(o.linha);
        destino_.enviar(t);
    }

  private:
    SaidaTrabalhos& destino_;
    const LinhasNuncaImpressas& linhas_;
};

std::vector<int> linhasMarcadas(const PedidoImpressao& pedido) {
    std::vector<int> r;
    for (int l = 1; pedido.linhas && l <= pedido.linhas->linhas(); ++l)
        if (pedido.linhas->marcada(l)) r.push_back(l);
    return r;
}

// The row a stopped run resumes in, and what went out whole before it. A
// price row whose next sequence lies past its last went out whole too.
ServicoImpressao::Retomada retomadaDe(const PedidoImpressao& pedido, int ultimaLinha,
                                      std::optional<long long> proxima) {
    ServicoImpressao::Retomada r;
    const auto marcadas = linhasMarcadas(pedido);
    for (int l : marcadas) {
        if (l < ultimaLinha) {
            r.concluidas.push_back(l);
            continue;
        }
        if (l == ultimaLinha && pedido.tipoArquivo == kArquivoPreco && proxima) {
            const auto ultima =
                valorInteiro(LinhaPreco(*pedido.linhas, l)[CampoPreco::SequenciaFinal]);
            if (ultima && *proxima > *ultima) {
                r.concluidas.push_back(l);
                continue;
            }
            r.proximaSequencia = proxima;
        }
        r.linha = l;
        break;
    }
    return r;
}

// "Retomar na linha N: pedido P, item I, variante V." for the row a stopped
// run resumes in.
std::string textoRetomada(const PedidoImpressao& pedido, const ServicoImpressao::Retomada& r) {
    if (r.linha == 0 || !pedido.linhas) return {};
    std::string texto = "Retomar na linha " + std::to_string(r.linha) + ": pedido ";
    if (pedido.tipoArquivo == kArquivoPreco) {
        const LinhaPreco l(*pedido.linhas, r.linha);
        texto += l[CampoPreco::Pedido] + ", item " + l[CampoPreco::Item] + ", variante " +
                 l[CampoPreco::Variante];
    } else {
        const LinhaVolume l(*pedido.linhas, r.linha);
        texto += l[CampoVolume::Pedido] + ", item " + l[CampoVolume::Item] + ", loja " +
                 l[CampoVolume::Loja];
    }
    return texto + ".";
}

// What a run sent, and for a price row stopped early, where to resume.
std::string relatoEnvio(const ResultadoImpressao& resultado) {
    std::string texto = etiquetas(resultado.etiquetas) + " enviada" +
                        (resultado.etiquetas == 1 ? "" : "s") + " à impressora.";
    if (!resultado.concluida() && resultado.proximaSequencia)
        texto +=
            "\nPróxima sequência não impressa: " + std::to_string(*resultado.proximaSequencia) +
            ".";
    return texto;
}

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

ParametrosImpressao resolverParametros(const PastasAplicacao& pastas,
                                       const ImpressoraEscolhida& impressora,
                                       bool separadorPorPedido, bool listaTipoVisivel,
                                       const std::string& textoTipo, bool layoutNovo,
                                       const std::string& origemSolicitacao) {
    ParametrosImpressao p;
    p.impressora = impressora.linha;
    p.fabricante = fabricanteImpressora(p.impressora);
    p.linguagem = linguagemDoFabricante(p.fabricante);
    p.velocidade = valorVelocidade(velocidadeConvertida(pastas.dados, impressora), p.fabricante);
    p.temperatura = aparar(impressora.temperatura);
    p.porta = impressora.porta;
    p.destino = impressora.destino;
    p.serial = impressora.serial;
    p.separadorPorPedido = separadorPorPedido;
    p.variante = varianteDoTexto(listaTipoVisivel, textoTipo);
    p.layoutNovo = layoutNovo;
    p.origemSolicitacao = origemSolicitacao;
    p.limiteEnvio = limiteEnvio(pastas);
    p.esperaOutraImpressao = esperaOutraImpressao(pastas);
    p.limiteConexao = limiteSegundos(pastas, "LimiteConexaoSegundos", p.limiteConexao);
    p.limiteResposta = limiteSegundos(pastas, "LimiteRespostaSegundos", p.limiteResposta);
    p.limiteFimImpressao =
        limiteSegundos(pastas, "LimiteFimImpressaoSegundos", p.limiteFimImpressao);
    return p;
}

InformacoesArquivo informacoesArquivo(const ArquivoAberto& a) {
    const auto seisDigitos = [](long n) { return formatarInteiro(n, "000000"); };
    const bool preco = a.tipoArquivo == kArquivoPreco;
    InformacoesArquivo i;
    i.totalPedidos = seisDigitos(a.pedidos);
    i.rotuloItens = preco ? "Total de Itens :" : "Total de Lojas :";
    i.totalItens = seisDigitos(preco ? a.itens : a.lojas);
    i.totalVariantes = seisDigitos(preco ? a.variantes : 0);
    if (a.carga.total) {
        i.descricaoTotal =
            preco ? "Total de Etiquetas a Imprimir:" : "Total de Peças dos Volumes :";
        i.total = formatarInteiro(*a.carga.total, "00000000");
    }
    return i;
}

bool listaTipoVisivel(SeletorTipo seletor) {
    return seletor == SeletorTipo::InternaCaixa || seletor == SeletorTipo::IlpnVolume;
}

// From construction to destruction the client is held and the service is in
// a run; the serial port's complaints are said once.
class ServicoImpressao::Execucao {
  public:
    Execucao(ServicoImpressao& s, Acompanhamento& a) : s_(s), a_(a) {
        a_.iniciarExecucao();
        s_.emExecucao_ = true;
        s_.eventosSeriaisDaExecucao_.clear();
    }
    ~Execucao() {
        s_.emExecucao_ = false;
        a_.terminarExecucao();
    }
    Execucao(const Execucao&) = delete;
    Execucao& operator=(const Execucao&) = delete;

  private:
    ServicoImpressao& s_;
    Acompanhamento& a_;
};

ServicoImpressao::ServicoImpressao(Maquina& maquina, Pessoa& pessoa, PastasAplicacao pastas)
    : maquina_(maquina), pessoa_(pessoa), pastas_(std::move(pastas)) {}

Resposta ServicoImpressao::mensagem(const std::string& texto, const std::string& titulo,
                                    Icone icone, Botoes botoes) {
    return pessoa_.mensagem(texto, titulo, icone, botoes);
}

// A dead port repeats its complaint for every chunk: once a run is enough.
void ServicoImpressao::eventoSerial(int codigo) {
    const char* texto = textoEventoSerial(codigo);
    if (!texto) return;
    if (emExecucao_ && !eventosSeriaisDaExecucao_.insert(codigo).second) return;
    mensagem(texto);
}

// ---- Opening an order file

ArquivoAberto ServicoImpressao::abrir(const std::filesystem::path& caminho,
                                      const std::function<void(long)>& inicio,
                                      const AvisoProgresso& aviso) {
    ArquivoAberto arquivo;
    arquivo.caminho = caminho;
    const auto recusar = [&] {
        mensagem("Arquivo " + textoDoCaminho(caminho) +
                     " não é um arquivo válido para impressão de etiquetas Quelmonte !",
                 "Formato Não Reconhecido", Icone::Critico);
        pessoa_.cursorOcupado(false);
        arquivo.tipoArquivo = kArquivoNaoReconhecido;
        return std::move(arquivo);
    };
    // A missing file keeps the recognition's own message.
    const auto& origem = caminho;
    if (const auto falha = conferirArquivo(origem, kLimitePedidos);
        falha != FalhaLeitura::Nenhuma && falha != FalhaLeitura::Ausente) {
        mensagem(mensagemFalhaLeitura(origem, falha, kLimitePedidos), "Erro !", Icone::Critico);
        return recusar();
    }
    auto documento = CarregarXML(origem);
    Reconhecimento r = reconhecerArquivo(*documento);
    if (!r.erro.empty()) mensagem(r.erro, "Erro !", Icone::Critico);
    if (!r.valido) return recusar();
    arquivo.legendaTipo = legendaTipoEtiqueta(
        r.tipoArquivo == kArquivoPreco ? ArquivoFamilia::Preco : ArquivoFamilia::Volume,
        r.codigoTipo);
    const auto& c = r.contagem;
    std::tie(arquivo.pedidos, arquivo.itens, arquivo.variantes, arquivo.lojas) =
        std::tuple(c.pedidos, c.itens, c.variantes, c.lojas);
    const short tipo = IdentificarTipoArquivo(documento.get());
    const long maximo = c.pedidos + (tipo == kArquivoPreco ? c.itens + c.variantes : c.lojas);
    if (inicio) inicio(maximo);
    pessoa_.cursorOcupado(true);
    const std::string digesto = digestoDaVersao(maquina_.versao());
    arquivo.carga = tipo == kArquivoPreco
                        ? CarregarPedidosPreco(*documento, digesto, aviso, &c.listaPedidos)
                        : CarregarPedidosVolume(*documento, digesto, aviso, &c.listaPedidos);
    r.contagem.listaPedidos.clear();  // nodes of a document that may go
    if (!arquivo.carga.erro.empty()) {
        mensagem(arquivo.carga.erro, "Erro !", Icone::Critico);
        return recusar();
    }
    arquivo.tipoArquivo = tipo;
    arquivo.documento = std::move(documento);
    return arquivo;
}

void ServicoImpressao::encerrarPorVersao() {
    mensagem(kMensagemVersao, "", Icone::Nenhum, Botoes::Ok);
    pessoa_.encerrarAplicacao();
}

// ---- Checks shared by the commands

// Cells that are not numbers count nothing here; the routine reports them.
long long ServicoImpressao::etiquetasPedidas(const PedidoImpressao& pedido) {
    long long total = 0;
    if (!pedido.linhas) return total;
    const LeitorGrade& g = *pedido.linhas;
    for (int l = 1; l <= g.linhas(); ++l) {
        if (pedido.tipoArquivo == kArquivoPreco) {
            const LinhaPreco linha(g, l);
            const auto primeira = valorInteiro(linha[CampoPreco::SequenciaInicial]);
            const auto ultima = valorInteiro(linha[CampoPreco::SequenciaFinal]);
            if (linha.marcada() && primeira && ultima && *ultima >= *primeira)
                total += *ultima - *primeira + 1;
        } else if (pedido.tipoArquivo == kArquivoVolume) {
            const LinhaVolume linha(g, l);
            const auto caixas = valorInteiro(linha[CampoVolume::Caixas]);
            if (linha.marcada() && caixas && *caixas > 0) total += *caixas;
        }
    }
    return total;
}

namespace {

// Takes every job and keeps none: the run's own count is what matters.
class SemEnvio : public SaidaTrabalhos {
  public:
    void enviar(const Trabalho&) override {}
};

struct SemProgresso : ProgressoImpressao {
    void mostrarStatus(const std::string&) override {}
};

}  // namespace

// Asked of the family itself, from the memory the run will start with (the
// separator already sent, the Datamax batch waiting), so that the question
// names what the printer will take. When a row would stop the run, the
// ranges' sum: the run then says what is wrong, as it always did.
long long ServicoImpressao::etiquetasQueSairao(const FamiliaEtiqueta* familia,
                                               const PedidoImpressao& pedido) {
    if (!familia || !familia->rotina) return etiquetasPedidas(pedido);
    SemEnvio semEnvio;
    MemoriaImpressao memoria = memoria_;
    SemProgresso progresso;
    try {
        const ResultadoImpressao r = rodar(*familia, pedido, semEnvio, memoria, progresso, true);
        if (!r.falha) return r.etiquetas;
    } catch (const std::exception&) {
    }
    return etiquetasPedidas(pedido);
}

bool ServicoImpressao::conferirSelecao(const PedidoImpressao& pedido, Acompanhamento& a) {
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

bool ServicoImpressao::caminhoInformado(const PedidoImpressao& pedido, Acompanhamento& a) {
    if (!pedido.impressora.rede || !aparar(pedido.impressora.destino).empty()) return true;
    mensagem("Informe o caminho de rede da Impressora !", "Caminho para Impressora",
             Icone::Critico);
    a.apontar(Campo::CaminhoRede);
    return false;
}

// Without the printer table there is no printer, no language and no layout
// section: what would fail further on is its absence.
bool ServicoImpressao::impressoraCadastrada() {
    const auto linhas = lerLinhasTabela(caminhoNaPasta(pastas_.dados, kTabelaImpressoras));
    if (linhas && !linhas->empty()) return true;
    mensagem("Nenhuma impressora cadastrada: a tabela de impressoras (" +
                 std::string(kTabelaImpressoras.substr(1)) +
                 ") não foi encontrada ou está vazia na pasta do aplicativo.",
             "Impressora", Icone::Critico);
    return false;
}

// A label type that prints nothing says so before anything is asked.
bool ServicoImpressao::tipoSemEtiquetas(const PedidoImpressao& pedido) {
    if (pedido.tipoArquivo == kArquivoNaoReconhecido) return false;
    const FamiliaEtiqueta* familia = familiaDoTipo(pedido.tipoEtiqueta);
    if (familia && !familia->modelo.empty()) return false;
    mensagem("As etiquetas do tipo " + std::to_string(pedido.tipoEtiqueta) +
                 (familia ? " (" + std::string(familia->legenda) + ")" : std::string()) +
                 " não têm impressão: não há etiquetas a imprimir neste arquivo.",
             "Tipo de Etiqueta", Icone::Exclamacao);
    return true;
}

bool ServicoImpressao::conferirVariante(const PedidoImpressao& pedido, Acompanhamento& a) {
    if (pedido.parametros.variante != 0) return true;
    mensagem("Selecione o tipo de etiqueta a ser impressa !", "Tipo de Etiqueta", Icone::Critico);
    a.apontar(Campo::TipoEtiqueta);
    return false;
}

ServicoImpressao::AberturaPorta ServicoImpressao::abrirPortaCom(const ImpressoraEscolhida& e,
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

AtualizarConfiguracao ServicoImpressao::configuracao(const PedidoImpressao& pedido) const {
    AtualizarConfiguracao cfg = configuracaoLayout(pedido.tipoEtiqueta, pedido.impressora.indice,
                                                   pedido.parametros.layoutNovo);
    cfg.Carregar(pastas_);
    return cfg;
}

// Impressa when the family has a routine; otherwise how the command ends
// (silently for a type that prints nothing, with a message for one that
// cannot print in this version).
DesfechoImpressao ServicoImpressao::conferirFamilia(const FamiliaEtiqueta* familia, int tipo) {
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

Despacho ServicoImpressao::despacho(const ParametrosImpressao& parametros, Acompanhamento& a) {
    Despacho despacho(maquina_, parametros, pastas_, memoria_.ImagemEnviada);
    despacho.mostrarDetalhePortaCom = [&a](const std::string& t) { a.mostrarDetalhePorta(t); };
    return despacho;
}

// ---- Printing

DesfechoImpressao ServicoImpressao::protegido(const std::function<DesfechoImpressao()>& comando) {
    // A client's button calls this: nothing may escape into the toolkit.
    try {
        return comando();
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
        return DesfechoImpressao::Falhou;
    }
}

DesfechoImpressao ServicoImpressao::imprimir(const PedidoImpressao& pedido, Acompanhamento& a) {
    return protegido([&] { return imprimirEtiquetas(pedido, a); });
}

DesfechoImpressao ServicoImpressao::imprimirEtiquetas(const PedidoImpressao& pedido,
                                                      Acompanhamento& a) {
    if (!impressoraCadastrada() || tipoSemEtiquetas(pedido)) return DesfechoImpressao::Recusada;
    const AberturaPorta abertura = abrirPortaCom(pedido.impressora, true);
    if (abertura == AberturaPorta::Falhou) return DesfechoImpressao::Recusada;
    if (abertura == AberturaPorta::Aberta) memoria_.ImagemEnviada = false;
    salvarEscolhaPessoal(pastas_, pedido.impressora);
    // An empty label kind is said before the question, not after a yes.
    if (!caminhoInformado(pedido, a) || !conferirVariante(pedido, a))
        return DesfechoImpressao::Recusada;
    auto historico = abrirHistorico();
    if (!historico) return DesfechoImpressao::Recusada;
    return imprimirConferido(pedido, *historico, a);
}

DesfechoImpressao ServicoImpressao::imprimirConferido(const PedidoImpressao& pedidoOriginal,
                                                      HistoricoDaExecucao& historico,
                                                      Acompanhamento& a) {
    retomada_.reset();
    PedidoImpressao pedido = pedidoOriginal;
    const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
    if (familia && familia->rotina)
        if (const auto parada = conferirRepeticoes(pedido, *familia, historico)) return *parada;
    if (familia && familia->rotina && a.verificarAntes() &&
        !aprovadoNaVerificacao(pedido, *familia, a))
        return DesfechoImpressao::Recusada;
    const long long pedidas = etiquetasQueSairao(familia, pedido);
    if (mensagem("Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?\n" +
                     etiquetas(pedidas) + " — " + destinoImpressao(pedido.parametros),
                 "Impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return DesfechoImpressao::Recusada;
    const Execucao execucao(*this, a);
    if (!conferirSelecao(pedido, a)) return DesfechoImpressao::Recusada;
    a.mostrarProgresso(pedidas);
    DesfechoImpressao desfecho = conferirFamilia(familia, pedido.tipoEtiqueta);
    if (desfecho == DesfechoImpressao::Impressa) {
        Despacho saida = despacho(pedido.parametros, a);
        std::unique_ptr<SaidaTrabalhos> registrada;
        if (!registrarExecucao(saida, historico, pedido, *familia, registrada))
            desfecho = DesfechoImpressao::Recusada;
        else
            desfecho =
                rodarComRetomada(*familia, pedido, pedidoOriginal, historico.nuncaImpressas.get(),
                                 registrada ? *registrada : saida, a);
    }
    if (maquina_.portaSerial().aberta()) maquina_.portaSerial().fechar();
    return desfecho;
}

// A run that stops early says where to resume, and the window unticks what
// went out whole, so that "Imprimir" again goes on from there.
DesfechoImpressao ServicoImpressao::rodarComRetomada(const FamiliaEtiqueta& familia,
                                                     const PedidoImpressao& pedido,
                                                     const PedidoImpressao& pedidoDaGrade,
                                                     const LinhasNuncaImpressas* nuncaImpressas,
                                                     SaidaTrabalhos& saida, Acompanhamento& a) {
    EntregasPorLinha entregas(saida);
    std::optional<OrigensNaGrade> naGrade;
    if (nuncaImpressas) naGrade.emplace(entregas, *nuncaImpressas);
    const ResultadoImpressao resultado = rodar(
        familia, pedido, naGrade ? static_cast<SaidaTrabalhos&>(*naGrade) : entregas, memoria_, a);
    if (resultado.concluida()) return concluir(resultado, a);
    retomada_ = retomadaDe(pedidoDaGrade, entregas.ultimaLinha, resultado.proximaSequencia);
    return concluir(resultado, a, textoRetomada(pedidoDaGrade, *retomada_));
}

// ---- The history

void ServicoImpressao::usarHistorico(std::filesystem::path arquivo, FalhaDoHistorico falha) {
    arquivoHistorico_ = std::move(arquivo);
    falhaHistorico_ = falha;
}

namespace {
constexpr const char* kTituloHistorico = "Histórico de Impressões";
constexpr std::size_t kRepeticoesNaMensagem = 20;
}  // namespace

// Opened afresh for each print: a file set right since the last one (its
// rights, a full disk) serves again. Nothing: the print stops (said).
std::optional<ServicoImpressao::HistoricoDaExecucao> ServicoImpressao::abrirHistorico() {
    HistoricoDaExecucao h;
    if (!arquivoHistorico_) return h;
    try {
        if (arquivoHistorico_->empty())
            throw FalhaHistorico(
                "A pasta de dados do usuário não foi encontrada: o histórico de impressões não "
                "teria onde ser gravado.");
        h.historico = std::make_unique<HistoricoImpressao>(*arquivoHistorico_);
        if (!h.historico->aviso().empty())
            mensagem(h.historico->aviso(), kTituloHistorico, Icone::Exclamacao);
    } catch (const FalhaHistorico& falha) {
        if (!seguirSemHistorico(falha.what())) return std::nullopt;
    }
    return h;
}

bool ServicoImpressao::seguirSemHistorico(const std::string& motivo) {
    switch (falhaHistorico_) {
        case FalhaDoHistorico::Prosseguir:
            mensagem(motivo + "\nA impressão segue sem registro no histórico.", kTituloHistorico,
                     Icone::Exclamacao);
            return true;
        case FalhaDoHistorico::Parar:
            mensagem(motivo + "\nNenhuma etiqueta foi impressa.", kTituloHistorico, Icone::Critico);
            return false;
        case FalhaDoHistorico::Perguntar:
            break;
    }
    return mensagem(motivo + "\nImprimir mesmo assim, sem registrar no histórico?",
                    kTituloHistorico, Icone::Pergunta, Botoes::SimNao) == Resposta::Sim;
}

// Says which ranges of the ticked rows were sent before and, as asked (or
// chosen), keeps only the rest in the request. A value: the run stops there
// (said).
std::optional<DesfechoImpressao> ServicoImpressao::conferirRepeticoes(
    PedidoImpressao& pedido, const FamiliaEtiqueta& familia, HistoricoDaExecucao& h) {
    if (!h.historico || !pedido.linhas) return std::nullopt;
    std::vector<RepeticaoEncontrada> repeticoes;
    try {
        repeticoes = procurarRepeticoes(pedido, familia, *h.historico);
    } catch (const FalhaHistorico& falha) {
        if (!seguirSemHistorico(falha.what())) return DesfechoImpressao::Recusada;
        h.historico.reset();
        return std::nullopt;
    }
    if (repeticoes.empty()) return std::nullopt;
    std::string texto = textoRepeticoes(repeticoes, kRepeticoesNaMensagem);
    switch (decidirRepeticoes(pedido, texto)) {
        case Repetidas::Imprimir:
            return std::nullopt;
        case Repetidas::Parar:
            return DesfechoImpressao::Recusada;
        case Repetidas::Deixar:
            break;
    }
    const bool volume = familia.arquivo == ArquivoFamilia::Volume;
    h.nuncaImpressas = std::make_unique<LinhasNuncaImpressas>(*pedido.linhas, volume, repeticoes);
    pedido.linhas = h.nuncaImpressas.get();
    texto = pedido.perguntarRepeticoes ? std::string()
                                       : texto + "\nSó o que nunca foi impresso será impresso.";
    for (int linha : h.nuncaImpressas->volumesRepetidos())
        texto += (texto.empty() ? "" : "\n") + std::string("A linha ") + std::to_string(linha) +
                 " teve só parte das caixas impressas e será impressa inteira.";
    if (!texto.empty()) mensagem(texto, "Etiquetas já impressas", Icone::Exclamacao);
    if (h.nuncaImpressas->linhas() > 0) return std::nullopt;
    mensagem("Todas as etiquetas marcadas já foram impressas.", "Fim da Impressão",
             Icone::Exclamacao);
    return DesfechoImpressao::NadaImpresso;
}

// The window asks; the command line was told by its options.
ServicoImpressao::Repetidas ServicoImpressao::decidirRepeticoes(const PedidoImpressao& pedido,
                                                                const std::string& texto) {
    if (pedido.perguntarRepeticoes) {
        // Enter leaves out what was sent: the choice that cannot duplicate a code.
        switch (pessoa_.escolher(
            texto, "Etiquetas já impressas", Icone::Pergunta,
            {"Imprimir tudo de novo", "Só o que nunca foi impresso", "Cancelar"}, 1)) {
            case 0:
                return Repetidas::Imprimir;
            case 1:
                return Repetidas::Deixar;
            default:
                return Repetidas::Parar;
        }
    }
    if (pedido.somenteNuncaImpressas) return Repetidas::Deixar;
    mensagem(texto + "\nSerão impressas novamente.", "Etiquetas já impressas", Icone::Exclamacao);
    return Repetidas::Imprimir;
}

// The run's row, and a sink that records each job on its way to `saida`
// (none: the run goes without). False: stop before the first job.
bool ServicoImpressao::registrarExecucao(SaidaTrabalhos& saida, HistoricoDaExecucao& h,
                                         const PedidoImpressao& pedido,
                                         const FamiliaEtiqueta& familia,
                                         std::unique_ptr<SaidaTrabalhos>& registrada) {
    if (!h.historico) return true;
    try {
        const long long execucao =
            h.historico->iniciarExecucao(execucaoRegistrada(pedido, familia));
        registrada = std::make_unique<SaidaComHistorico>(
            saida, *h.historico, execucao,
            [this](const std::string& motivo) { return seguirSemHistorico(motivo); });
        return true;
    } catch (const FalhaHistorico& falha) {
        return seguirSemHistorico(falha.what());
    }
}

ResultadoImpressao ServicoImpressao::executar(const PedidoImpressao& pedido, SaidaTrabalhos& saida,
                                              MemoriaImpressao& memoria,
                                              ProgressoImpressao& progresso) {
    const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
    if (!familia || !familia->rotina) return {};
    return rodar(*familia, pedido, saida, memoria, progresso);
}

namespace {

// The rows a family of the other kind of file reads: none.
struct SemLinhas : LeitorGrade {
    int linhas() const override { return 0; }
    int colunas() const override { return 0; }
    const std::string& texto(int, int) const override { return vazio; }
    std::string vazio;
};

const LeitorGrade& linhasDaFamilia(const FamiliaEtiqueta& familia, const PedidoImpressao& p) {
    static const SemLinhas semLinhas;
    const bool doArquivo =
        p.linhas && (familia.arquivo == ArquivoFamilia::Preco) == (p.tipoArquivo == kArquivoPreco);
    return doArquivo ? *p.linhas : semLinhas;
}

}  // namespace

ResultadoImpressao ServicoImpressao::rodar(const FamiliaEtiqueta& familia,
                                           const PedidoImpressao& pedido, SaidaTrabalhos& saida,
                                           MemoriaImpressao& memoria, ProgressoImpressao& progresso,
                                           bool semEfeito) {
    const AtualizarConfiguracao cfg = configuracao(pedido);
    const ParametrosImpressao& p = pedido.parametros;
    ExecucaoImpressao execucao(EntradaImpressao{
        .parametros = p,
        .cfg = cfg,
        .pastas = pastas_,
        .grade = linhasDaFamilia(familia, pedido),
        .arquivoPedidos = pedido.arquivoPedidos,
        .nomeTemplate = nomeTemplate(familia, p.layoutNovo, p.linguagem),
        .nomeSeparador = nomeSeparador(familia, p.linguagem),
        .memoria = memoria,
        .saida = saida,
        .progresso = progresso,
        .documento = pedido.documento,
        .lerUmaVez = semEfeito,
    });
    return executarRotina(familia.rotina, execucao);
}

DesfechoImpressao ServicoImpressao::concluir(const ResultadoImpressao& resultado, Acompanhamento& a,
                                             const std::string& retomar) {
    const std::string relato = relatoEnvio(resultado) + (retomar.empty() ? "" : "\n" + retomar);
    if (resultado.falha) {
        mensagem(mensagemFalha(*resultado.falha) + "\n" + relato, "Erro !", Icone::Critico);
        return DesfechoImpressao::Falhou;
    }
    if (resultado.interrompida) {
        a.mostrarStatus("Impressão interrompida. . .");
        mensagem("Impressão interrompida a pedido do usuário.\n" + relato, "Fim da Impressão",
                 Icone::Exclamacao);
        return DesfechoImpressao::Interrompida;
    }
    if (resultado.etiquetas == 0) {
        a.mostrarStatus("Nenhuma etiqueta foi impressa.");
        mensagem("Nenhuma etiqueta foi impressa.", "Fim da Impressão", Icone::Exclamacao);
        return DesfechoImpressao::NadaImpresso;
    }
    a.mostrarStatus("Etiquetas impressas com Sucesso. . .");
    mensagem("Impressão das Etiquetas concluída com sucesso !\n" + relatoEnvio(resultado),
             "Fim da Impressão", Icone::Informacao);
    return DesfechoImpressao::Impressa;
}

// A preview or a check: a copy of what carries between runs (the batch, the
// separator memory, the set-up flag belong to real runs), and no stop.
ResultadoImpressao ServicoImpressao::rodarSemEfeito(const FamiliaEtiqueta& familia,
                                                    const PedidoImpressao& pedido,
                                                    SaidaTrabalhos& saida, Acompanhamento& a) {
    MemoriaImpressao memoria = memoria_;
    struct : Acompanhamento {
        Acompanhamento* cliente;
        void mostrarStatus(const std::string& t) override { cliente->mostrarStatus(t); }
    } progresso;
    progresso.cliente = &a;
    return rodar(familia, pedido, saida, memoria, progresso, true);
}

bool ServicoImpressao::visualizar(const PedidoImpressao& pedido, Acompanhamento& a,
                                  SaidaTrabalhos& destino) {
    if (!impressoraCadastrada() || tipoSemEtiquetas(pedido)) return false;
    const Execucao execucao(*this, a);
    if (!conferirSelecao(pedido, a) || !conferirVariante(pedido, a)) return false;
    const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
    if (conferirFamilia(familia, pedido.tipoEtiqueta) != DesfechoImpressao::Impressa) return false;
    const ResultadoImpressao resultado = rodarSemEfeito(*familia, pedido, destino, a);
    a.mostrarStatus("");
    if (resultado.falha) {
        mensagem(mensagemFalha(*resultado.falha), "Erro !", Icone::Critico);
        return false;
    }
    return true;
}

// ---- The check before a run

namespace {

constexpr const char* kTituloVerificacao = "Verificação das Etiquetas";

// The templates a run fills, read as the routines read them; one that cannot
// be read is the run's own failure to report.
ModelosDaExecucao modelosDaExecucao(const PastasAplicacao& pastas, const FamiliaEtiqueta& familia,
                                    const ParametrosImpressao& p) {
    const auto lido = [&](const std::string& nome) {
        try {
            return ModeloVerificado{nome, lerTemplate(pastas.dados, nome)};
        } catch (const std::exception&) {
            return ModeloVerificado{nome, {}};
        }
    };
    return {lido(nomeTemplate(familia, p.layoutNovo, p.linguagem)),
            lido(nomeSeparador(familia, p.linguagem))};
}

// "39,99", "1.234,50", "12": digits and separators; an empty price is the
// layout's choice (labels without price).
bool precoNumerico(const std::string& texto) {
    const std::string t = aparar(texto);
    return t.empty() || (t.find_first_not_of("0123456789.,") == std::string::npos &&
                         t.find_first_of("0123456789") != std::string::npos);
}

void conferirPrecos(const PedidoImpressao& pedido, VerificacaoTrabalhos& v) {
    if (!pedido.linhas || pedido.tipoArquivo != kArquivoPreco) return;
    for (int l = 1; l <= pedido.linhas->linhas(); ++l) {
        if (!pedido.linhas->marcada(l)) continue;
        const LinhaPreco linha(*pedido.linhas, l);
        if (precoNumerico(linha[CampoPreco::PrecoMaterial])) continue;
        v.acrescentar({Gravidade::Erro, 0,
                       OrigemTrabalho{l, linha[CampoPreco::Pedido], linha[CampoPreco::Item],
                                      linha[CampoPreco::Variante]},
                       false, "preço \"" + linha[CampoPreco::PrecoMaterial] + "\"",
                       "o preço não é um número", 0, ""});
    }
}

// The rows as the check reads them: a price row's range cut to its first
// unit, since the labels of one row differ only in their numbers (of the
// same width). The rest of the grid reads through.
class PrimeiraUnidadeDeCadaLinha : public LeitorGrade {
  public:
    explicit PrimeiraUnidadeDeCadaLinha(const LeitorGrade& g)
        : g_(g), finais_(static_cast<std::size_t>(std::max(0, g.linhas())) + 1) {}
    int linhas() const override { return g_.linhas(); }
    int colunas() const override { return g_.colunas(); }
    int linhaNaGrade(int linha) const override { return g_.linhaNaGrade(linha); }
    const std::string& texto(int linha, int c) const override {
        if (c != coluna(CampoPreco::SequenciaFinal) || linha < 1 || linha > g_.linhas())
            return g_.texto(linha, c);
        std::string& final = finais_[static_cast<std::size_t>(linha)];
        if (final.empty()) final = finalDaPrimeiraUnidade(linha);
        return final;
    }

  private:
    std::string finalDaPrimeiraUnidade(int linha) const {
        const std::string& final = g_.texto(linha, coluna(CampoPreco::SequenciaFinal));
        const auto inicial = valorInteiro(g_.texto(linha, coluna(CampoPreco::SequenciaInicial)));
        const auto ultima = valorInteiro(final);
        if (!inicial || !ultima || *ultima <= *inicial + 1) return final;
        return std::to_string(*inicial + 1);
    }
    const LeitorGrade& g_;
    mutable std::vector<std::string> finais_;
};

// Only a value with a token's delimiter in it can hold one; a large file has
// millions of values and nearly none has.
bool temDelimitador(const char* texto) {
    for (; *texto; ++texto)
        if (*texto == ':' || *texto == '%' || *texto == '#') return true;
    return false;
}

void lerTextoDoPedido(const pugi::xml_document& documento, VerificacaoTrabalhos& v) {
    const auto ler = [&v](const char* texto) {
        if (temDelimitador(texto)) v.textoDoPedido(texto);
    };
    paraCadaDescendente(documento, [&ler](const pugi::xml_node& no) {
        if (no.type() == pugi::node_pcdata || no.type() == pugi::node_cdata) ler(no.value());
        for (const auto& atributo : no.attributes()) ler(atributo.value());
    });
}

std::string contagem(long long n, const char* singular, const char* plural) {
    return std::to_string(n) + " " + (n == 1 ? singular : plural);
}

}  // namespace

std::string resumoVerificacao(const ResultadoVerificacao& r) {
    return "A verificação das etiquetas encontrou " + contagem(r.erros, "erro", "erros") + " e " +
           contagem(r.avisos, "aviso", "avisos") + ".";
}

std::string linhaAchado(const Achado& a) {
    return (a.gravidade == Gravidade::Erro ? "ERRO " : "AVISO ") + textoAchado(a);
}

std::string textoVerificacao(const ResultadoVerificacao& r, std::size_t linhas) {
    std::string texto = resumoVerificacao(r);
    const std::size_t mostradas = std::min(r.achados.size(), linhas);
    for (std::size_t i = 0; i < mostradas; ++i) texto += "\n" + linhaAchado(r.achados[i]);
    const long long resto = r.erros + r.avisos - static_cast<long long>(mostradas);
    if (resto > 0) texto += "\n... e mais " + std::to_string(resto);
    return texto;
}

std::optional<ResultadoVerificacao> ServicoImpressao::verificarFamilia(
    const FamiliaEtiqueta& familia, const PedidoImpressao& pedido, Acompanhamento& a,
    std::optional<FalhaRotina>& falha) {
    const auto& p = pedido.parametros;
    auto modelos = modelosDaExecucao(pastas_, familia, p);
    const bool comPreco = modelos.etiqueta.texto.find(":: Preco ::") != std::string::npos ||
                          modelos.separador.texto.find(":: Preco ::") != std::string::npos;
    VerificacaoTrabalhos v(std::move(modelos), familia.arquivo == ArquivoFamilia::Volume);
    if (pedido.documento) lerTextoDoPedido(*pedido.documento, v);
    PedidoImpressao resumido = pedido;
    std::optional<PrimeiraUnidadeDeCadaLinha> primeiras;
    if (pedido.linhas && pedido.tipoArquivo == kArquivoPreco)
        resumido.linhas = &primeiras.emplace(*pedido.linhas);
    const ResultadoImpressao resultado = rodarSemEfeito(familia, resumido, v, a);
    a.mostrarStatus("");
    if (resultado.falha) {
        falha = resultado.falha;
        return std::nullopt;
    }
    v.terminar();
    if (comPreco) conferirPrecos(pedido, v);
    ResultadoVerificacao r{v.achados(), v.erros(), v.avisos(), v.omitidos()};
    for (auto& achado : r.achados)
        if (achado.origem && pedido.linhas)
            achado.origem->linha = pedido.linhas->linhaNaGrade(achado.origem->linha);
    return r;
}

std::optional<ResultadoVerificacao> ServicoImpressao::verificar(const PedidoImpressao& pedido,
                                                                Acompanhamento& a) {
    if (!impressoraCadastrada() || tipoSemEtiquetas(pedido)) return std::nullopt;
    const Execucao execucao(*this, a);
    if (!conferirSelecao(pedido, a) || !conferirVariante(pedido, a)) return std::nullopt;
    const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
    if (conferirFamilia(familia, pedido.tipoEtiqueta) != DesfechoImpressao::Impressa)
        return std::nullopt;
    std::optional<FalhaRotina> falha;
    auto r = verificarFamilia(*familia, pedido, a, falha);
    if (falha) mensagem(mensagemFalha(*falha), "Erro !", Icone::Critico);
    return r;
}

// A routine that fails here fails the same way in the run, which says why.
bool ServicoImpressao::aprovadoNaVerificacao(const PedidoImpressao& pedido,
                                             const FamiliaEtiqueta& familia, Acompanhamento& a) {
    if (!verificacaoDisponivel()) return true;
    std::optional<FalhaRotina> falha;
    std::optional<ResultadoVerificacao> r;
    {
        // Locked while it reads the rows, as the run is; open again for the answer.
        const Execucao execucao(*this, a);
        r = verificarFamilia(familia, pedido, a, falha);
    }
    return !r || r->achados.empty() || a.prosseguirApesarDe(*r);
}

// ---- Export

ServicoImpressao::Exportacao ServicoImpressao::exportarTxt(const PedidoImpressao& pedido,
                                                           Acompanhamento& a) {
    if (!conferirSelecao(pedido, a)) return {};
    const FamiliaEtiqueta* familia = familiaDoTipo(pedido.tipoEtiqueta);
    if (!familia || familia->registroTxt == RegistroTxt::Nenhum) {
        pessoa_.cursorOcupado(false);
        Exportacao semExportacao;
        semExportacao.tipoSemExportacao = true;
        return semExportacao;
    }
    ArquivoSequencial arquivo(pastas_.estado);
    arquivo.definirGrid(linhasDaFamilia(*familia, pedido));
    const bool gerado = arquivo.Gerar(exportacaoTxt(*familia), maquina_.agora());
    pessoa_.cursorOcupado(false);
    if (!gerado) {
        mensagem(arquivo.Erro(), "Gerar TXT", Icone::Critico);
        return {};
    }
    mensagem("Arquivo gerado com sucesso!\nNome: " + textoDoCaminho(arquivo.NomeTXT()));
    Exportacao exportacao;
    exportacao.arquivo = arquivo.NomeTXT();
    return exportacao;
}

// ---- Test print and the Zebra font

std::filesystem::path ServicoImpressao::arquivoTeste(int opcao) const {
    return caminhoNaPasta(pastas_.dados, std::string(arquivoTesteDaOpcao(opcao)));
}

DesfechoImpressao ServicoImpressao::imprimirTeste(const PedidoImpressao& pedido,
                                                  Acompanhamento& a) {
    return protegido([&] { return imprimirPaginaTeste(pedido, a); });
}

DesfechoImpressao ServicoImpressao::imprimirPaginaTeste(const PedidoImpressao& pedido,
                                                        Acompanhamento& a) {
    if (!impressoraCadastrada()) return DesfechoImpressao::Recusada;
    salvarEscolhaPessoal(pastas_, pedido.impressora);
    if (!caminhoInformado(pedido, a)) return DesfechoImpressao::Recusada;
    // Named like the print's question: what goes out, and where.
    const long long pedidas = etiquetasQueSairao(
        familiaPaginaTeste(pedido.tipoEtiqueta, pedido.parametros.variante), pedido);
    if (mensagem("Confirma a Impressão de Teste ?\n" + etiquetas(pedidas) + " — " +
                     destinoImpressao(pedido.parametros),
                 "Impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return DesfechoImpressao::Recusada;
    const Execucao execucao(*this, a);
    if (!conferirSelecao(pedido, a)) return DesfechoImpressao::Recusada;
    // The port stays open afterwards, and the Datamax set-up flag is kept.
    if (abrirPortaCom(pedido.impressora, false) == AberturaPorta::Falhou)
        return DesfechoImpressao::Falhou;
    a.mostrarProgresso(pedidas);
    return executarTeste(pedido, a);
}

DesfechoImpressao ServicoImpressao::executarTeste(const PedidoImpressao& pedido,
                                                  Acompanhamento& a) {
    const ParametrosImpressao& parametros = pedido.parametros;
    Despacho despacho = this->despacho(parametros, a);
    if (parametros.zebra()) {
        if (!preCarga([&] { EnviarGraficoZebra(despacho); })) return DesfechoImpressao::Falhou;
        if (a.cancelado()) return interrupcaoSemEtiquetas(a);
        a.mostrarStatus("Transferindo fonte para impressora ...");
        if (!preCarga([&] { EnviarFonteZebra(despacho); })) return DesfechoImpressao::Falhou;
        if (a.cancelado()) return interrupcaoSemEtiquetas(a);
    }
    if (!conferirVariante(pedido, a)) return DesfechoImpressao::Recusada;
    const FamiliaEtiqueta* familia = familiaPaginaTeste(pedido.tipoEtiqueta, parametros.variante);
    DesfechoImpressao desfecho = conferirFamilia(familia, pedido.tipoEtiqueta);
    if (desfecho == DesfechoImpressao::Impressa)
        desfecho = concluir(rodar(*familia, pedido, despacho, memoria_, a), a);
    // The graphic goes only to the printer that took it; a run the user
    // stopped sends nothing more.
    if (parametros.zebra() && desfecho != DesfechoImpressao::Interrompida &&
        !preCarga([&] { ApagarGraficoZebra(despacho); }))
        return DesfechoImpressao::Falhou;
    return desfecho;
}

DesfechoImpressao ServicoImpressao::carregarFonte(const PedidoImpressao& pedido,
                                                  Acompanhamento& a) {
    return protegido([&] { return carregarFonteZebra(pedido, a); });
}

DesfechoImpressao ServicoImpressao::carregarFonteZebra(const PedidoImpressao& pedido,
                                                       Acompanhamento& a) {
    if (!impressoraCadastrada()) return DesfechoImpressao::Recusada;
    // The window shows the button for Zebra printers only; the font and the
    // graphic are ZPL, which any other printer would print as text.
    if (!pedido.parametros.zebra()) {
        mensagem("A fonte e o gráfico só podem ser carregados em impressoras Zebra.",
                 "Carregar Fonte Zebra", Icone::Critico);
        return DesfechoImpressao::Recusada;
    }
    const Execucao execucao(*this, a);
    pessoa_.cursorOcupado(true);
    Despacho despacho = this->despacho(pedido.parametros, a);
    if (abrirPortaCom(pedido.impressora, false) == AberturaPorta::Falhou ||
        !preCarga([&] { EnviarGraficoZebra(despacho); }))
        return DesfechoImpressao::Falhou;
    if (a.cancelado()) return interrupcaoSemEtiquetas(a);
    if (!preCarga([&] { EnviarFonteZebra(despacho); })) return DesfechoImpressao::Falhou;
    return DesfechoImpressao::Impressa;
}

bool ServicoImpressao::preCarga(const std::function<void()>& passo) {
    try {
        passo();
        return true;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
        return false;
    }
}

// A stop asked during the preparation, before any label: said as such.
DesfechoImpressao ServicoImpressao::interrupcaoSemEtiquetas(Acompanhamento& a) {
    ResultadoImpressao resultado;
    resultado.interrompida = true;
    return concluir(resultado, a);
}

}  // namespace etiquetas
