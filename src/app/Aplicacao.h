#pragma once

// The window's view model: the main window's controls with their reactions
// and commands. A command builds a request from the controls and hands it to
// the printing service; what comes back moves the controls. Commands are
// grouped by area in their own sources (Inicializacao.cpp, ArquivoPedidos.cpp,
// Grades.cpp, Impressao.cpp, ...).

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "app/ApoioImpressao.h"
#include "app/DialogoConfiguracao.h"
#include "app/EscolhaImpressora.h"
#include "app/JanelaPrincipal.h"
#include "app/PaginasPrevia.h"
#include "app/ServicoImpressao.h"
#include "app/TrabalhadorImpressao.h"
#include "platform/Plataforma.h"

namespace etiquetas {

struct RestanteExecucao;

class Aplicacao {
  public:
    Aplicacao(Plataforma& plataforma, PastasAplicacao pastas);
    ~Aplicacao();
    Aplicacao(const Aplicacao&) = delete;
    Aplicacao& operator=(const Aplicacao&) = delete;

    Plataforma& plataforma() { return plataforma_; }
    const PastasAplicacao& pastas() const { return servico_.pastas(); }
    // The folder of the shipped files (templates, tables, test order files).
    const std::filesystem::path& PastaAplicacao() const { return pastas().dados; }
    JanelaPrincipal& janela() { return janela_; }
    ServicoImpressao& servico() { return servico_; }
    // What printing carries from one run to the next.
    MemoriaImpressao& memoria() { return servico_.memoria(); }
    // The request the window's controls describe now.
    PedidoImpressao pedidoDaJanela(bool layoutNovo) const;
    // "Total de Etiquetas a Imprimir" of a price file: what the ticked rows
    // will send, as the family counts it, beside the file's total. The front
    // end calls it once the ticks rest (a count renders the rows).
    void atualizarEtiquetasMarcadas();
    // What the last run ended with gives way to what the file asks: the
    // front end calls it a while after the run; a change of the grid does.
    void esquecerStatusDoFim();
    ImpressoraEscolhida impressoraDaJanela() const;
    void mostrarResolucaoSalva();
    // Asks the chosen printer its state on the worker; the answer shows
    // beside the choice.
    void cmdEstadoImpressora();
    DesfechoImpressao ultimaImpressao() const { return ultimaImpressao_; }

    // Start-up (the window's load event) and closing.
    void iniciar();
    void fechar();   // unload: closes the serial port if open
    void cmdSair();  // closes the serial port, then ends at once

    // Order files.
    void cmdLocalizar();
    // With a live window the file is read on the worker, its rows shown as
    // they come and printing off until the whole is in; `depois` learns on
    // the window's thread whether it opened. Without one the open has ended
    // when this returns. Another open, Cancelar or closing stops a read in
    // progress, and the grid shows again what it showed before.
    void AbrirArquivoPedidos(const std::filesystem::path& caminho,
                             std::function<void(bool aberto)> depois = {});
    bool aberturaEmCurso() const { return abertura_.has_value(); }

    // Grids.
    void cmdSelTodos();
    void cmdDesmarcaTodos();
    void cmdAtualizaQtd();
    void SelecionarTodasLinhas();
    bool VerificarPedidoSelecionado();

    // Printing, export, configuration, test print.
    void cmdImprimir();
    // "Cancelar": the run stops after the job in progress.
    void cmdCancelar();
    bool emImpressao() const { return emImpressao_; }
    // A print, test print, font load or export started and not yet ended
    // (with a live window it goes on the worker; its end comes back here).
    bool comandoEmCurso() const { return comandoEmCurso_; }
    // Closing the window: false while a run goes on (the user is asked
    // whether to stop it; if so, fecharAoTerminar() tells the window to
    // close once it has stopped).
    bool podeFechar();
    bool fecharAoTerminar() const { return fecharAoTerminar_; }
    // Closes the window (set by the window; the CLI leaves it empty).
    std::function<void()> fecharJanela;
    // Ticked rows a filter of the view keeps out of sight (set by the window).
    std::function<int()> marcadasForaDoFiltro;
    // The same rows, printer and layout as cmdImprimir, each job handed to
    // `destino` as made instead of sent: no question, no port opened,
    // nothing written, and what carries over between runs left as it was.
    // False when the command would refuse or a routine fails (the box says
    // why).
    bool VisualizarEtiquetas(SaidaTrabalhos& destino);
    // "Visualizar": the labels of VisualizarEtiquetas in the preview window,
    // which the front end that can show it sets (from there the user prints
    // or closes).
    std::function<void(PaginasPrevia&)> mostrarPrevia;
    void cmdVisualizar();
    void cmdGerarTxt();
    // The export behind "&Gerar TXT": the file written, or nothing (nothing
    // ticked, a label type without export, a failure already reported).
    std::optional<std::filesystem::path> GerarArquivoTxt();
    void cmdConfiguracao();
    // The printer language of the current printer and the loaded file's
    // label type: where the layout dialog opens.
    DialogoConfiguracao::Escolha escolhaConfiguracao() const;
    void CmZebra();
    void imprimirTeste(int opcao);

    // Printer settings (section "ConfigPess" of the personal INI file) and
    // the speed and temperature boxes the templates read.
    // Saving returns false when the personal file could not be written.
    bool salvarConfiguracaoPessoal();
    void restaurarConfiguracaoPessoal();
    void montavelocidadetemperatura();
    // The folder the file dialog opens in: the last one a file was chosen
    // from (kept in the personal file), the application folder at first.
    std::string pastaInicialDosPedidos() const;
    void lembrarPastaDosPedidos(const std::filesystem::path& arquivoEscolhido);
    // Column widths in pixels the user set on a grid (0: the default),
    // kept in the personal file across files and runs.
    std::vector<int> largurasColunas(const std::string& grade) const;
    void lembrarLargurasColunas(const std::string& grade, const std::vector<int>& larguras);

    // Shows a box through the platform; "" as title shows the application's.
    Resposta mensagem(const std::string& texto, const std::string& titulo = {},
                      Icone icone = Icone::Nenhum, Botoes botoes = Botoes::Ok);

    // The configuration dialog is a window of its own; the front end that
    // can show it sets this (the CLI leaves it empty).
    std::function<void()> mostrarDialogoConfiguracao;
    // "Histórico": the view over the print history, set likewise.
    std::function<void()> mostrarHistorico;
    // "Reimprimir a partir de...": the run's order file loaded (unless it is
    // the one shown), the rows of its remainder ticked with their ranges, its
    // printer line, destination and separator chosen; the user then presses
    // "Imprimir". False when the file is gone or changed or the printer is
    // no longer listed (said).
    bool reimprimirAPartirDe(const RestanteExecucao& restante);
    // That remainder ticked in the grid of the file shown, on printer line `impressora`.
    void marcarRestante(const RestanteExecucao& restante, int impressora);
    // "Local" with a port of the list, or "Rede" with a network path.
    void escolherDestino(bool rede, const std::string& destino);

  private:
    void ligarReacoes();
    void ligarReacoesImpressoras();
    void ligarReacoesGrades();
    // The state shown belongs to one printer and destination: another choice
    // shows none, or "não consultável" where none can be asked.
    void esquecerEstadoImpressora();
    std::string estadoMostradoDe_;
    ParametrosImpressao parametrosDaJanela() const;
    // A command of the service around the window: `preparo` reads the
    // controls here and gives the run, which goes on the worker with the
    // window's progress and stop; `depois` gets its outcome back here.
    // Nothing may escape into the toolkit.
    using Execucao = std::function<DesfechoImpressao(Acompanhamento&)>;
    void executarNoTrabalhador(const std::function<Execucao()>& preparo,
                               std::function<void(DesfechoImpressao)> depois = {});
    void terminarComando(AcompanhamentoJanela& a, DesfechoImpressao desfecho,
                         const std::function<void(DesfechoImpressao)>& depois);
    std::shared_ptr<AcompanhamentoJanela> acompanhamento(std::stop_token parada = {});
    bool emImpressao_ = false;
    bool comandoEmCurso_ = false;
    bool algumaLinhaMarcada();
    bool algumaCelulaEditada() const;
    bool trabalhoPorImprimir();
    // Before another file takes the grid's place: asked when ticks or edits
    // not yet printed would be lost.
    bool podeTrocarArquivo(const std::string& titulo);
    void aplicarRetomada();
    bool fecharAoTerminar_ = false;
    bool marcasPendentes_ = false;     // ticks or ranges not printed since they changed
    bool reimpressaoMarcada_ = false;  // the grid holds a reprint set up from the history
    std::string statusDoArquivo_;      // the status line a loaded file asks for
    std::string statusDoFim_;          // the status line the last run ended with
    std::string totalDoArquivo_;       // the file's label total, as the block shows it

    // The open chain (ArquivoPedidos.cpp).
    // What the first rows of a file being read took the place of, to come
    // back if the whole is refused or the read stopped.
    struct VistaAnterior {
        Grade* grade = nullptr;
        ConteudoGrade conteudo;
        bool precosVisiveis = false, volumesVisiveis = false;
    };
    struct Abertura {
        // Set by each open. A default member initialiser here would make clang
        // see no default constructor for optional<Abertura>::emplace.
        unsigned id;
        std::filesystem::path caminho;
        std::string statusAnterior;
        std::function<void(bool)> depois;
        std::optional<VistaAnterior> anterior;  // once its first rows show
        std::vector<std::pair<Controle*, bool>> travados;
        std::stop_source parada;
    };
    std::optional<Abertura> abertura_;
    unsigned aberturas_ = 0;
    void lerArquivoNoTrabalhador(unsigned id, const std::filesystem::path& caminho,
                                 std::stop_token parada, std::stop_token fim);
    void mostrarLinhasLidas(LinhasLidas lidas, std::uintmax_t lidos, std::uintmax_t tamanho);
    void concluirAbertura(ArquivoAberto arquivo);
    void cancelarAbertura();
    void mostrarPassosDaCarga(const ArquivoAberto& arquivo);
    std::string caminhoMostrado() const;
    void travarDuranteAbertura(Abertura& abertura);
    void devolverVista(VistaAnterior anterior);
    void formatarColunas(Grade& grade);
    void RejeitarArquivoPedidos(const std::filesystem::path& caminho,
                                const std::string& statusAnterior);
    // `linhasNaGrade`: the rows already came as the file was read.
    void PreencherInfoArquivo(ArquivoAberto arquivo, bool linhasNaGrade = false);
    void aplicarCarga(ResultadoCarga carga, Grade& grade, const InformacoesArquivo& info,
                      bool linhasNaGrade);
    void aplicarSeletor(SeletorTipo seletor);

    // Grids (Grades.cpp).
    void inverterDestaque(Grade& grade, int linha);
    // The most boxes volume row `linha` may ask for: its volumes in the file
    // while the label printed takes one a box; none otherwise.
    std::optional<long long> volumesPorCaixa(int linha) const;
    std::vector<long long> volumesDoArquivo_;  // per volume row, as the file lists them

    Plataforma& plataforma_;
    JanelaPrincipal janela_;
    PessoaNaVista pessoaServico_;
    ServicoImpressao servico_;
    DesfechoImpressao ultimaImpressao_ = DesfechoImpressao::SemRotina;
    // False once the application is gone: the run's queued updates drop.
    std::shared_ptr<bool> vivo_ = std::make_shared<bool>(true);
    TrabalhadorImpressao trabalhador_;  // last: its run ends before the rest goes
};

}  // namespace etiquetas
