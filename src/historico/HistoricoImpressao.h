#pragma once

// The print history: one SQLite file per user, a row per job (per row of
// the grid a job was made from) written before the job goes to the printer
// and completed after, so that a crash leaves "pode ter sido impressa",
// never silence. Texts come and go in the core's Windows-1252; the file
// holds UTF-8.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace etiquetas {

namespace sqlite {
class Banco;
class Comando;
}  // namespace sqlite

enum class DesfechoTrabalho {
    PodeTerSidoImpressa = 0,  // handed to the printer, no word back (yet)
    Enviada = 1,
    Falhou = 2,
    Cancelada = 3,
    // Sent, but the printer said after the run that it still held it or had
    // stopped before it: it may never come out.
    NaoConfirmada = 4,
};
const char* textoDesfecho(DesfechoTrabalho desfecho);

// How a run ended. None recorded: it was never told (the program ended
// during it, or the run was written by a version that did not keep it).
enum class DesfechoExecucao {
    SemRegistro = 0,
    Concluida = 1,
    Cancelada = 2,
    Falhou = 3,
    NaoConfirmada = 4,  // sent whole, but the printer did not print it all
};
const char* textoDesfecho(DesfechoExecucao desfecho);

// A grid row a run was asked to print: its range (volume labels: its boxes).
struct LinhaPedida {
    int linha = 0;
    long long primeira = 0, ultima = 0;
    bool operator==(const LinhaPedida&) const = default;
};

// What every job of one run shares.
struct ExecucaoRegistrada {
    std::string arquivo;  // the order file's path
    std::string md5;      // of its bytes
    int tipoEtiqueta = 0;
    std::string familia;  // caption of the label family
    bool volume = false;  // boxes of a store rather than sequences of a variant
    std::string impressora, linguagem, destino, usuario;
    // The order file as the file system names it, to open it again: `arquivo`
    // is text for people, and loses what Windows-1252 or UTF-8 cannot hold.
    std::filesystem::path caminho;
    // The rows asked for, so that a run cut short is taken up whole; written
    // with the run, read back by linhasPedidas().
    std::vector<LinhaPedida> linhasPedidas;
    bool reimpressao = false;  // asked as a reprint of labels already sent
    DesfechoExecucao desfecho = DesfechoExecucao::SemRegistro;  // read back only
};

// One grid row's share of a job; a separator or set-up job has none.
struct OrigemRegistrada {
    int linha = 0;
    std::string pedido, item, variante;  // variante: the store for volume labels
    long long primeira = 0, ultima = 0;
};

// A row read back.
struct LinhaHistorico {
    long long id = 0;
    long long idExecucao = 0;  // the run it was sent in
    std::string momento;       // "AAAA-MM-DD HH:MM:SS", local time
    ExecucaoRegistrada execucao;
    std::string tipoTrabalho;
    OrigemRegistrada origem;
    DesfechoTrabalho desfecho = DesfechoTrabalho::PodeTerSidoImpressa;
};

// What a view or the command line asks for; empty fields match anything.
struct FiltroHistorico {
    std::string arquivo;  // an order file: its path, or its bytes (md5) wherever it lies now
    std::string md5;
    std::string pedido, variante;  // variante: also a store
    // The variant as the labels write it (the grid's 18 digits trimmed to
    // 10, say), matched as well as `variante` itself.
    std::string varianteImpressa;
    std::string desde, ate;  // "AAAA-MM-DD"
    long long execucao = 0;  // one run's rows only
    long long antesDe = 0;   // rows older than this one (a view's next page)
};

// A range asked for, to compare with what was sent before.
struct FaixaPedida {
    int tipoEtiqueta = 0;
    bool volume = false;
    std::string pedido;    // compared for volume labels (boxes of a store of an order)
    std::string variante;  // variant, or store
    long long primeira = 0, ultima = 0;
};

struct ImpressaoAnterior {
    long long primeira = 0, ultima = 0;  // the part of the range asked for already sent
    std::string momento, impressora, destino;
};

// A history that cannot be used; the text is the user's message.
struct FalhaHistorico : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A print writes; a listing or a reprint's look-up only reads, and so serves
// a file it may not write and leaves a damaged one where it is.
enum class AberturaHistorico { Gravacao, Leitura };

class HistoricoImpressao {
  public:
    static constexpr int kVersaoEsquema = 4;
    static constexpr const char* kNomeArquivo = "historico.sqlite";

    // Opens or creates the file (and its folder). A file that is not a
    // database or is damaged is renamed aside and a new one begun: aviso()
    // says so. Throws FalhaHistorico when the history cannot be written.
    // For reading, the file must exist; a damaged one throws.
    explicit HistoricoImpressao(const std::filesystem::path& arquivo,
                                AberturaHistorico abertura = AberturaHistorico::Gravacao);
    ~HistoricoImpressao();

    const std::filesystem::path& arquivo() const { return arquivo_; }
    const std::string& aviso() const { return aviso_; }

    long long iniciarExecucao(const ExecucaoRegistrada& execucao);
    // In the order asked; none for a run recorded before rows were kept.
    std::vector<LinhaPedida> linhasPedidas(long long execucao);
    // The intent, before the job leaves: "pode ter sido impressa".
    void registrarTrabalho(long long execucao, int numero, const std::string& tipoTrabalho,
                           const std::vector<OrigemRegistrada>& origens);
    void concluirTrabalho(long long execucao, int numero, DesfechoTrabalho desfecho);
    void concluirExecucao(long long execucao, DesfechoExecucao desfecho);

    // Parts of `faixa` sent before, in the order of their first number.
    std::vector<ImpressaoAnterior> anteriores(const FaixaPedida& faixa);
    // The same for each of `faixas`, in the order asked, in one pass.
    std::vector<std::vector<ImpressaoAnterior>> anteriores(const std::vector<FaixaPedida>& faixas);

    // Newest first; `visitar` returns false to stop.
    void percorrer(const FiltroHistorico& filtro, long long deslocamento, long long limite,
                   const std::function<bool(const LinhaHistorico&)>& visitar);
    long long contar(const FiltroHistorico& filtro);

  private:
    void abrir();
    bool modoWal();
    void criarOuMigrar();
    [[noreturn]] void falhar(const std::exception& e, const std::string& acao) const;
    template <typename F>
    auto protegido(const std::string& acao, F&& f);

    void prepararComandos();

    std::filesystem::path arquivo_;
    bool leitura_ = false;
    long long versao_ = 0;  // of the file as opened
    std::string aviso_;
    std::unique_ptr<sqlite::Banco> banco_;
    std::unique_ptr<sqlite::Comando> inserirTrabalho_, concluirTrabalho_, inserirFaixa_,
        anteriores_;
};

// Whether this build keeps a history at all (a build without SQLite does not).
bool historicoDisponivel();

// "historico.sqlite" in `pasta`.
std::filesystem::path arquivoHistorico(const std::filesystem::path& pasta);

// A row as the command line and the view export it, field by field, under
// these names.
std::vector<std::string> nomesCamposHistorico();
// The same fields as a person reads them (the window's view and export).
std::vector<std::string> legendasCamposHistorico();
std::vector<std::string> camposHistorico(const LinhaHistorico& linha);
// One CSV line: fields joined by `separador` (a spreadsheet set for Brazil
// reads ';'), quoted when they hold it, a quote or a line break; a field that
// a spreadsheet would take for a formula (=, +, -, @, tab or CR first) begins
// with a quote mark.
std::string linhaCsv(const std::vector<std::string>& campos, char separador = ',');

}  // namespace etiquetas
