#pragma once

// What a print does with the history: each job recorded before it leaves
// and completed after (a decorator of the job sink, so that the window and
// the command line record alike), the ranges of a request that were sent
// before, and the rows of a request less what was sent.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comum/LeitorGrade.h"
#include "comum/PastasAplicacao.h"
#include "historico/HistoricoImpressao.h"
#include "output/TravaImpressao.h"
#include "platform/Maquina.h"
#include "render/Trabalho.h"

namespace etiquetas {

struct FamiliaEtiqueta;
struct PedidoImpressao;

// The history file of this user (empty: the data folder is unknown).
std::filesystem::path arquivoHistoricoDoUsuario(const PastasAplicacao& pastas);

// What to do when the history cannot be written.
enum class FalhaDoHistorico {
    Perguntar,   // ask whether to go on without it (the window)
    Prosseguir,  // say it once and go on (etiquetas-cli --sem-historico)
    Parar,       // say it and stop before the next job (etiquetas-cli)
};

// Records every job handed to `destino`. A history that fails while the run
// goes on is said through `aoFalhar`, which tells whether to go on without
// it; otherwise the run ends with the reason before the next job leaves. A
// job that went out counts as sent whatever the history could record of it:
// it is never the one refused.
class SaidaComHistorico : public SaidaTrabalhos {
  public:
    SaidaComHistorico(SaidaTrabalhos& destino, HistoricoImpressao& historico, long long execucao,
                      std::function<bool(const std::string&)> aoFalhar);
    void enviar(const Trabalho& trabalho) override;
    // Why the last job sent is not recorded as sent, when the run ended with
    // it and so was not stopped: the user's message.
    const std::string& semRegistro() const { return semRegistro_; }
    // The last jobs sent, as many as hold the `porImprimir` labels the
    // printer still had after the run, become "não confirmada".
    void marcarNaoConfirmadas(long long porImprimir);

  private:
    bool registrar(const Trabalho& trabalho);
    void concluirSemFalhar(DesfechoTrabalho desfecho);
    void falhou(const FalhaHistorico& falha);
    void falhouDepoisDoEnvio(const FalhaHistorico& falha);

    SaidaTrabalhos& destino_;
    HistoricoImpressao& historico_;
    long long execucao_;
    std::function<bool(const std::string&)> aoFalhar_;
    int numero_ = 0;
    bool ativo_ = true;
    std::string semRegistro_;
    std::vector<OrigemRegistrada> origens_;
    std::vector<std::pair<int, int>> enviados_;  // job number, its labels
};

// Runs that leave out what the history says was sent hold this while they
// check and print, one at a time per history: two at once would each find
// nothing sent and both print it. Waits up to `espera`; none when another
// run held it all along (its holder in `ocupante`).
std::optional<TravaImpressao> travarHistorico(const std::filesystem::path& arquivo,
                                              std::chrono::milliseconds espera, Maquina& maquina,
                                              std::string& ocupante);

// An order file as the history knows it: its absolute path and the MD5 of
// its bytes (empty when it cannot be read).
struct ArquivoIdentificado {
    std::string caminho, md5;
    std::filesystem::path absoluto;  // as the file system names it
};
ArquivoIdentificado identificarArquivoPedidos(const std::filesystem::path& caminho);

// A variant typed as the grid or the order file shows it
// ("000000000032345104", with or without "-5") as the labels and the
// history write it ("0032345104"); "" when it is not a variant's digits.
std::string varianteComoImpressa(const std::string& digitada);

// What the run's jobs share in the history.
ExecucaoRegistrada execucaoRegistrada(const PedidoImpressao& pedido,
                                      const FamiliaEtiqueta& familia);

// A ticked row's range that was sent before (a part of it, per earlier run).
struct RepeticaoEncontrada {
    int linha = 0;
    FaixaPedida faixa;
    ImpressaoAnterior anterior;
};
std::vector<RepeticaoEncontrada> procurarRepeticoes(const PedidoImpressao& pedido,
                                                    const FamiliaEtiqueta& familia,
                                                    HistoricoImpressao& historico);
// "Sequências 1-10 da variante 0000000123-5 já impressas em 07/12 10:31 na
// ZEBRA (LPT1)".
std::string textoRepeticao(const RepeticaoEncontrada& repeticao);
// One line each, the first `limite`, then how many more.
std::string textoRepeticoes(const std::vector<RepeticaoEncontrada>& repeticoes, std::size_t limite);

// The request's rows less what was sent: a price row whose range was partly
// sent becomes one row per part never sent; a volume row whose boxes were
// all sent drops out (a volume row partly sent stays whole: its labels
// number the boxes of the row, and a part cannot be asked for).
class LinhasNuncaImpressas : public LeitorGrade {
  public:
    LinhasNuncaImpressas(const LeitorGrade& linhas, bool volume,
                         const std::vector<RepeticaoEncontrada>& repeticoes);
    int linhas() const override { return static_cast<int>(linhas_.size()) - 1; }
    int colunas() const override { return origem_.colunas(); }
    const std::string& texto(int linha, int coluna) const override;
    int linhaNaGrade(int linha) const override;
    // Volume rows printed whole although some of their boxes were sent.
    const std::vector<int>& volumesRepetidos() const { return volumesRepetidos_; }

  private:
    struct Linha {
        int original = 0;
        std::string primeira, ultima;  // empty: as the original row
    };
    const LeitorGrade& origem_;
    std::vector<Linha> linhas_;  // [0] the captions
    std::vector<int> volumesRepetidos_;
};

}  // namespace etiquetas
