#pragma once

// One print run: what it reads (the resolved printer job, the layout
// parameters, the grid), where its jobs go, and the texts it works on. What
// must outlive the run is in MemoriaImpressao, owned by the application.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "comum/LeitorGrade.h"
#include "comum/PastasAplicacao.h"
#include "config/AtualizarConfiguracao.h"
#include "render/ParametrosImpressao.h"
#include "render/Trabalho.h"

namespace pugi {
class xml_document;
}

namespace etiquetas {

// Carried from one run to the next while the application runs.
struct MemoriaImpressao {
    std::string LoteDatamax;      // Datamax units waiting to go out together
    int ContadorLoteDatamax = 0;  // units in LoteDatamax
    std::string PedidoSeparador;  // order and item of the last separator sent
    std::string ItemSeparador;
    bool ImagemEnviada = false;  // the Datamax set-up went out on the open serial port
};

// Status texts and the stop of a run. A run may go on a thread of its own:
// the client passes what it shows on to its view.
class ProgressoImpressao {
  public:
    virtual ~ProgressoImpressao() = default;
    virtual void mostrarStatus(const std::string& texto) = 0;
    // Labels handed on so far in this run.
    virtual void etiquetasEnviadas(long long) {}
    // The user asked the run to stop: it ends after the job in progress.
    virtual bool cancelado() const { return false; }
};

// Where a run stopped and why; the window shows it in the "Erro !" box.
struct FalhaRotina {
    std::string descricao;
    int passo = 0;  // the routine's step number
    int linha = 0;  // grid row
    std::string pedido, item;
    std::string modelo;  // the template file being filled
};

struct ResultadoImpressao {
    long long etiquetas = 0;  // labels handed to the sink
    long long trabalhos = 0;  // jobs of any kind handed to the sink
    std::optional<FalhaRotina> falha;
    bool interrompida = false;  // cancelled by the user after a job
    // Price runs: the first sequence number of the current row not yet sent.
    std::optional<long long> proximaSequencia;
    bool concluida() const { return !falha && !interrompida; }
};

// What a run reads and where its jobs go.
struct EntradaImpressao {
    const ParametrosImpressao& parametros;
    const AtualizarConfiguracao& cfg;
    PastasAplicacao pastas;  // templates from the data folder, layout file
    const LeitorGrade& grade;
    std::filesystem::path arquivoPedidos;
    std::string nomeTemplate;
    std::string nomeSeparador;
    MemoriaImpressao& memoria;
    SaidaTrabalhos& saida;
    ProgressoImpressao& progresso;
    // The order file as loaded; a routine that needs more of it than the grid
    // holds reads it here (none: from arquivoPedidos).
    std::shared_ptr<pugi::xml_document> documento;
    // A print reads the layout file and the templates again for every row
    // (an edit between rows takes effect, a value gone bad stops that row); a
    // run that sends nothing (a preview, a check) reads each once.
    bool lerUmaVez = false;
};

struct ExecucaoImpressao : EntradaImpressao {
    explicit ExecucaoImpressao(const EntradaImpressao& entrada) : EntradaImpressao(entrada) {}

    // The run's working texts, named as the routines know them.
    std::string TextoTemplate;
    std::string CorpoTemplate;
    std::string TextoSaida;
    std::string TextoSeparador;
    std::string PedidoAtual;
    std::string ItemAtual;
    std::string SemanaEntrega;

    int passo = 0;  // step the routine is in, for the failure message
    int linha = 0;  // grid row being printed
    ResultadoImpressao resultado;

    // A key of the layout file, and a template of the data folder, read as
    // `lerUmaVez` says.
    std::string lerLayout(std::string_view secao, std::string_view chave);
    std::string lerModelo(const std::string& nome);
    // The same template with the printer's speed and temperature filled.
    std::string lerModeloAjustado(const std::string& nome);

    const char* linguagem() const { return nomeLinguagem(parametros.linguagem); }
    bool novoLayout() const { return nomeTemplate.find("_NOVO") != std::string::npos; }

    // Labels numbered `primeira` to `ultima` of the current row were made;
    // the next label job carries them (a run kept apart is a second origin).
    void anotarEtiquetas(OrigemTrabalho origem);

    // Hands `texto` on as a label job carrying `etiquetas` labels.
    void enviarEtiquetas(const std::string& spool, const std::string& texto, int etiquetas);
    // Hands `texto` on as it is, with the CR LF every spool file ends with.
    void enviarTexto(TipoTrabalho tipo, const std::string& spool, const std::string& texto,
                     int etiquetas = 0);
    // "QuelmonteConfiguracaoDatamax.prn" as a job of its own ("SpoolEtqImg.prn").
    void enviarConfiguracaoDatamax();

    Trabalho trabalhoEmEnvio;                      // reused: one allocation for a whole run
    std::vector<OrigemTrabalho> origensPendentes;  // labels made, not yet handed on

  private:
    template <class Ler>
    std::string lembrar(std::string chave, Ler ler);
    std::map<std::string, std::string, std::less<>> lidos_;  // what lerUmaVez keeps
};

using RotinaFamilia = void (*)(ExecucaoImpressao& execucao);

// Runs a family's routine; a failure inside it ends the run and comes back
// as a value with where it happened. Jobs sent stay sent.
ResultadoImpressao executarRotina(RotinaFamilia rotina, ExecucaoImpressao& execucao);

}  // namespace etiquetas
