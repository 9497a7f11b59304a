#include "app/RegistroHistorico.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "app/PedidoImpressao.h"
#include "comum/Arquivos.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "orderfile/Md5.h"
#include "orderfile/Xml.h"
#include "render/FalhaImpressao.h"
#include "render/FamiliasEtiqueta.h"
#include "render/MotorTemplate.h"
#include "render/RotinaPreco.h"

namespace etiquetas {

namespace {

const char* textoTipo(TipoTrabalho tipo) {
    switch (tipo) {
        case TipoTrabalho::Separador:
            return "separador";
        case TipoTrabalho::ConfiguracaoDatamax:
            return "configuração Datamax";
        case TipoTrabalho::Grafico:
            return "gráfico";
        case TipoTrabalho::Fonte:
            return "fonte";
        case TipoTrabalho::Exclusao:
            return "exclusão";
        case TipoTrabalho::Etiqueta:
            break;
    }
    return "etiquetas";
}

std::string usuario() {
    for (const char* variavel : {"USER", "LOGNAME", "USERNAME"})
        if (const char* valor = std::getenv(variavel); valor && *valor) return valor;
    return {};
}

// "2026-12-07 10:31:05" as "07/12 10:31".
std::string diaEHora(const std::string& momento) {
    if (momento.size() < 16) return momento;
    return momento.substr(8, 2) + "/" + momento.substr(5, 2) + " " + momento.substr(11, 5);
}

std::string nomeImpressora(const std::string& linhaTabela) {
    return aparar(linhaTabela.substr(0, linhaTabela.find(',')));
}

constexpr long long kQualquerCaixa = std::numeric_limits<int>::max();

std::optional<FaixaPedida> faixaDaLinha(const LeitorGrade& grade, int linha, int tipo,
                                        bool volume) {
    if (volume) {
        const LinhaVolume v(grade, linha);
        return FaixaPedida{
            tipo, true, v[CampoVolume::Pedido], aparar(v[CampoVolume::Loja]), 1, kQualquerCaixa};
    }
    const LinhaPreco p(grade, linha);
    const auto primeira = valorNumerico(p[CampoPreco::SequenciaInicial]);
    const auto ultima = valorNumerico(p[CampoPreco::SequenciaFinal]);
    // A range that is no number stops the run with its own message.
    if (!primeira || !ultima) return std::nullopt;
    return FaixaPedida{tipo,
                       false,
                       p[CampoPreco::Pedido],
                       varianteDaLinha(p),
                       static_cast<long long>(*primeira),
                       static_cast<long long>(*ultima)};
}

std::string intervalo(long long primeira, long long ultima) {
    return primeira == ultima ? std::to_string(primeira)
                              : std::to_string(primeira) + "-" + std::to_string(ultima);
}

// The parts of [primeira, ultima] outside every range of `enviadas`.
std::vector<std::pair<long long, long long>> restantes(
    long long primeira, long long ultima, std::vector<std::pair<long long, long long>> enviadas) {
    std::sort(enviadas.begin(), enviadas.end());
    std::vector<std::pair<long long, long long>> r;
    long long proxima = primeira;
    for (const auto& [a, b] : enviadas) {
        if (a > proxima) r.emplace_back(proxima, std::min(a - 1, ultima));
        proxima = std::max(proxima, b + 1);
        if (proxima > ultima) return r;
    }
    if (proxima <= ultima) r.emplace_back(proxima, ultima);
    return r;
}

// The ticked rows as the grid numbers them, with the range each asks for.
std::vector<LinhaPedida> linhasPedidas(const PedidoImpressao& pedido, bool volume) {
    std::vector<LinhaPedida> r;
    if (!pedido.linhas) return r;
    for (int l = 1; l <= pedido.linhas->linhas(); ++l) {
        if (!pedido.linhas->marcada(l)) continue;
        const int naGrade = pedido.linhas->linhaNaGrade(l);
        if (volume) {
            const auto caixas = valorInteiro(LinhaVolume(*pedido.linhas, l)[CampoVolume::Caixas]);
            r.push_back({naGrade, 1, caixas.value_or(0)});
            continue;
        }
        if (const auto f = faixaDaLinha(*pedido.linhas, l, pedido.tipoEtiqueta, false))
            r.push_back({naGrade, f->primeira, f->ultima});
    }
    return r;
}

}  // namespace

std::filesystem::path arquivoHistoricoDoUsuario(const PastasAplicacao& pastas) {
    return pastas.historico.empty() ? std::filesystem::path() : arquivoHistorico(pastas.historico);
}

ArquivoIdentificado identificarArquivoPedidos(const std::filesystem::path& origem) {
    std::error_code erro;
    const auto absoluto = std::filesystem::absolute(origem, erro);
    const auto bytes = lerArquivo(origem, kLimitePedidos);
    const auto& caminho = erro ? origem : absoluto;
    return {textoDoCaminho(caminho), bytes ? CalcularMD5(*bytes) : std::string(), caminho};
}

SaidaComHistorico::SaidaComHistorico(SaidaTrabalhos& destino, HistoricoImpressao& historico,
                                     long long execucao,
                                     std::function<bool(const std::string&)> aoFalhar)
    : destino_(destino),
      historico_(historico),
      execucao_(execucao),
      aoFalhar_(std::move(aoFalhar)) {}

void SaidaComHistorico::enviar(const Trabalho& trabalho) {
    if (!semRegistro_.empty()) throw FalhaImpressao(semRegistro_);
    const bool registrado = ativo_ && registrar(trabalho);
    try {
        destino_.enviar(trabalho);
    } catch (const ImpressaoInterrompida&) {
        if (registrado) concluirSemFalhar(DesfechoTrabalho::Cancelada);
        throw;
    } catch (...) {
        if (registrado) concluirSemFalhar(DesfechoTrabalho::Falhou);
        throw;
    }
    if (!registrado) return;
    try {
        historico_.concluirTrabalho(execucao_, numero_, DesfechoTrabalho::Enviada);
        enviados_.emplace_back(numero_, trabalho.etiquetas);
    } catch (const FalhaHistorico& falha) {
        falhouDepoisDoEnvio(falha);
    }
}

void SaidaComHistorico::marcarNaoConfirmadas(long long porImprimir) {
    for (auto j = enviados_.rbegin(); j != enviados_.rend() && porImprimir > 0 && ativo_; ++j) {
        try {
            historico_.concluirTrabalho(execucao_, j->first, DesfechoTrabalho::NaoConfirmada);
        } catch (const FalhaHistorico&) {
            ativo_ = false;  // the run's own account is told all the same
        }
        porImprimir -= j->second;
    }
}

bool SaidaComHistorico::registrar(const Trabalho& trabalho) {
    ++numero_;
    origens_.clear();
    for (const auto& o : trabalho.origens)
        origens_.push_back({o.linha, o.pedido, o.item, o.variante, o.primeira, o.ultima});
    try {
        historico_.registrarTrabalho(execucao_, numero_, textoTipo(trabalho.tipo), origens_);
        return true;
    } catch (const FalhaHistorico& falha) {
        falhou(falha);
        return false;
    }
}

// On the way out of a failed send: the send's failure is the one to tell.
void SaidaComHistorico::concluirSemFalhar(DesfechoTrabalho desfecho) {
    try {
        historico_.concluirTrabalho(execucao_, numero_, desfecho);
    } catch (const FalhaHistorico&) {
        ativo_ = false;
    }
}

void SaidaComHistorico::falhou(const FalhaHistorico& falha) {
    ativo_ = false;
    if (!aoFalhar_(falha.what())) throw FalhaImpressao(falha.what());
}

// The job is at the printer: the run stops before the next one instead, and
// the history shows this one as "pode ter sido impressa".
void SaidaComHistorico::falhouDepoisDoEnvio(const FalhaHistorico& falha) {
    ativo_ = false;
    const std::string texto = std::string(falha.what()) +
                              "\nO último trabalho enviado chegou à impressora, mas o histórico "
                              "não pôde registrá-lo como enviado.";
    if (!aoFalhar_(texto)) semRegistro_ = texto;
}

std::optional<TravaImpressao> travarHistorico(const std::filesystem::path& arquivo,
                                              std::chrono::milliseconds espera, Maquina& maquina,
                                              std::string& ocupante) {
    const auto pasta = arquivo.parent_path();
    const std::string nome = arquivo.filename().string() + ".lock";
    // The first run of a user makes the folder: a lock needs it already.
    std::error_code erro;
    std::filesystem::create_directories(pasta, erro);
    const auto fim = std::chrono::steady_clock::now() + espera;
    for (;;) {
        if (auto trava = TravaImpressao::tentar(pasta, nome)) return trava;
        if (std::chrono::steady_clock::now() >= fim) break;
        maquina.pausar(std::chrono::milliseconds(100));
    }
    ocupante = TravaImpressao::ocupante(pasta, nome);
    return std::nullopt;
}

std::string varianteComoImpressa(const std::string& digitada) {
    const std::string texto = aparar(digitada);
    const auto traco = texto.find('-');
    std::string digitos = texto.substr(0, traco);
    const auto soDigitos = [](const std::string& t) {
        return !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!soDigitos(digitos) || (traco != std::string::npos && !soDigitos(texto.substr(traco + 1))))
        return {};
    CompletarZeros(digitos);
    return traco == std::string::npos ? digitos : digitos + texto.substr(traco);
}

ExecucaoRegistrada execucaoRegistrada(const PedidoImpressao& pedido,
                                      const FamiliaEtiqueta& familia) {
    const ParametrosImpressao& p = pedido.parametros;
    const auto [arquivo, md5, caminho] = identificarArquivoPedidos(pedido.arquivoPedidos);
    return {arquivo,
            md5,
            pedido.tipoEtiqueta,
            std::string(familia.modelo),
            familia.arquivo == ArquivoFamilia::Volume,
            p.impressora,
            nomeLinguagem(p.linguagem),
            p.destino,
            usuario(),
            caminho,
            linhasPedidas(pedido, familia.arquivo == ArquivoFamilia::Volume),
            pedido.reimpressao,
            DesfechoExecucao::SemRegistro};
}

std::vector<RepeticaoEncontrada> procurarRepeticoes(const PedidoImpressao& pedido,
                                                    const FamiliaEtiqueta& familia,
                                                    HistoricoImpressao& historico) {
    std::vector<RepeticaoEncontrada> r;
    if (!pedido.linhas) return r;
    const LeitorGrade& grade = *pedido.linhas;
    const bool volume = familia.arquivo == ArquivoFamilia::Volume;
    std::vector<int> linhas;
    std::vector<FaixaPedida> faixas;
    for (int linha = 1; linha <= grade.linhas(); ++linha) {
        if (!grade.marcada(linha)) continue;
        auto faixa = faixaDaLinha(grade, linha, pedido.tipoEtiqueta, volume);
        if (!faixa || faixa->primeira > faixa->ultima) continue;
        linhas.push_back(linha);
        faixas.push_back(std::move(*faixa));
    }
    auto anteriores = historico.anteriores(faixas);
    for (std::size_t i = 0; i < faixas.size(); ++i)
        for (auto& anterior : anteriores[i])
            r.push_back({linhas[i], faixas[i], std::move(anterior)});
    return r;
}

std::string textoRepeticao(const RepeticaoEncontrada& r) {
    const auto& a = r.anterior;
    const bool uma = a.primeira == a.ultima;
    const std::string onde = " em " + diaEHora(a.momento) + " na " + nomeImpressora(a.impressora) +
                             " (" + a.destino + ")";
    if (r.faixa.volume)
        return std::string(uma ? "Caixa " : "Caixas ") + intervalo(a.primeira, a.ultima) +
               " da loja " + r.faixa.variante + " do pedido " + r.faixa.pedido +
               (uma ? " já impressa" : " já impressas") + onde;
    return std::string(uma ? "Sequência " : "Sequências ") + intervalo(a.primeira, a.ultima) +
           " da variante " + r.faixa.variante + (uma ? " já impressa" : " já impressas") + onde;
}

std::string textoRepeticoes(const std::vector<RepeticaoEncontrada>& repeticoes,
                            std::size_t limite) {
    std::string texto;
    for (std::size_t i = 0; i < repeticoes.size() && i < limite; ++i)
        texto += (i ? "\n" : "") + textoRepeticao(repeticoes[i]);
    if (repeticoes.size() > limite)
        texto +=
            "\n... e mais " + std::to_string(repeticoes.size() - limite) + " faixas já impressas.";
    return texto;
}

LinhasNuncaImpressas::LinhasNuncaImpressas(const LeitorGrade& linhas, bool volume,
                                           const std::vector<RepeticaoEncontrada>& repeticoes)
    : origem_(linhas) {
    linhas_.push_back({0, {}, {}});
    for (int linha = 1; linha <= linhas.linhas(); ++linha) {
        if (!linhas.marcada(linha)) continue;
        std::vector<std::pair<long long, long long>> enviadas;
        std::optional<FaixaPedida> faixa;
        for (const auto& r : repeticoes)
            if (r.linha == linha) {
                enviadas.emplace_back(r.anterior.primeira, r.anterior.ultima);
                faixa = r.faixa;
            }
        if (enviadas.empty()) {
            linhas_.push_back({linha, {}, {}});
        } else if (volume) {
            const auto caixas = valorNumerico(LinhaVolume(linhas, linha)[CampoVolume::Caixas]);
            const long long total = caixas ? static_cast<long long>(*caixas) : kQualquerCaixa;
            if (!restantes(1, total, enviadas).empty()) {
                linhas_.push_back({linha, {}, {}});
                volumesRepetidos_.push_back(linha);
            }
        } else {
            for (const auto& [a, b] : restantes(faixa->primeira, faixa->ultima, enviadas))
                linhas_.push_back({linha, std::to_string(a), std::to_string(b)});
        }
    }
}

int LinhasNuncaImpressas::linhaNaGrade(int linha) const {
    if (linha < 1 || linha >= static_cast<int>(linhas_.size())) return linha;
    return linhas_[linha].original;
}

const std::string& LinhasNuncaImpressas::texto(int linha, int coluna) const {
    static const std::string vazio;
    if (linha < 0 || linha >= static_cast<int>(linhas_.size())) return vazio;
    const Linha& l = linhas_[linha];
    if (!l.primeira.empty()) {
        if (coluna == etiquetas::coluna(CampoPreco::SequenciaInicial)) return l.primeira;
        if (coluna == etiquetas::coluna(CampoPreco::SequenciaFinal)) return l.ultima;
    }
    return origem_.texto(l.original, coluna);
}

}  // namespace etiquetas
