#pragma once

// The use cases of printing as functions of one service: open an order file,
// print a request, preview it, export it to TXT, print a test page, load the
// Zebra font. The window and etiquetas-cli are its two clients: each builds a
// PedidoImpressao from what it has (controls, options) and takes back a
// value; what the system must say goes to the person seam, and a run's
// progress, stop and locking to the Acompanhamento the client passes.

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/EscolhaImpressora.h"
#include "app/RegistroHistorico.h"
#include "comum/LeitorGrade.h"
#include "comum/PastasAplicacao.h"
#include "config/AtualizarConfiguracao.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/Reconhecimento.h"
#include "platform/Maquina.h"
#include "platform/Pessoa.h"
#include "render/ExecucaoImpressao.h"
#include "render/Trabalho.h"
#include "verificacao/VerificacaoTrabalhos.h"

namespace pugi {
class xml_document;
}

namespace etiquetas {

class Despacho;
struct FamiliaEtiqueta;

// How a print, test print or font load ended, for the command line's exit
// status.
enum class DesfechoImpressao {
    Impressa,      // the routine ran to its end
    SemRotina,     // a label type that prints nothing: the command ends silently
    Recusada,      // stopped with a message before any label was made
    Falhou,        // the run stopped on a failure
    Interrompida,  // the user stopped it after a job
    NadaImpresso,  // the run ended without sending a label
};

// An order file recognised and read, or refused (tipoArquivo 0, the reason
// already said).
struct ArquivoAberto {
    std::filesystem::path caminho;
    short tipoArquivo = kArquivoNaoReconhecido;
    std::optional<std::string> legendaTipo;  // caption of the label type it names
    long pedidos = 0, itens = 0, variantes = 0, lojas = 0;
    std::shared_ptr<pugi::xml_document> documento;
    ResultadoCarga carga;
    bool aberto() const { return tipoArquivo != kArquivoNaoReconhecido; }
};

// The window's information block of an opened file.
struct InformacoesArquivo {
    std::string totalPedidos;
    std::string rotuloItens;  // "Total de Itens :" or "Total de Lojas :"
    std::string totalItens, totalVariantes;
    // Labels (price) or pieces (volume) to print; none when no row was read.
    std::optional<std::string> descricaoTotal, total;
};
InformacoesArquivo informacoesArquivo(const ArquivoAberto& arquivo);

// One print: the loaded rows with the user's ticks, ranges and box counts,
// the file's label type, the printer chosen and the parameters resolved from
// it. Built without any window.
struct PedidoImpressao {
    int tipoArquivo = kArquivoNaoReconhecido;  // of the loaded file: 1 price, 2 volume
    int tipoEtiqueta = 0;
    const LeitorGrade* linhas = nullptr;  // none when no file is loaded
    std::filesystem::path arquivoPedidos;
    std::shared_ptr<pugi::xml_document> documento;  // the loaded order file
    ImpressoraEscolhida impressora;
    ParametrosImpressao parametros;
    // Leave out what the history holds as sent (etiquetas-cli --sem-repetir).
    bool somenteNuncaImpressas = false;
    // Ask what to do with what the history holds as sent: all again, only
    // what was never sent, or nothing (the window).
    bool perguntarRepeticoes = false;
};

// The parameters of a print to `impressora` from the file's state and the
// label-variant list (hidden, or the text chosen in it).
ParametrosImpressao resolverParametros(const PastasAplicacao& pastas,
                                       const ImpressoraEscolhida& impressora,
                                       bool separadorPorPedido, bool listaTipoVisivel,
                                       const std::string& textoTipo, bool layoutNovo,
                                       const std::string& origemSolicitacao);

// Whether the label-variant list shows after rows were read with this
// chooser (it starts hidden).
bool listaTipoVisivel(SeletorTipo seletor);

// What the check before a run found in the jobs it would send.
struct ResultadoVerificacao {
    std::vector<Achado> achados;  // the first kAchadosGuardados
    long long erros = 0, avisos = 0, omitidos = 0;
};
// "A verificação das etiquetas encontrou 2 erros e 1 aviso."
std::string resumoVerificacao(const ResultadoVerificacao& r);
// "ERRO Linha 3 (...)": one finding on one line.
std::string linhaAchado(const Achado& a);
// The summary and the first `linhas` findings, one a line, then how many more.
std::string textoVerificacao(const ResultadoVerificacao& r, std::size_t linhas);

// What a refused command points the user at.
enum class Campo { CaminhoRede, Linhas, TipoEtiqueta };

// A run's client: progress and stop (ProgressoImpressao), and what the window
// does around a run. Every member but the progress ones has a quiet default.
class Acompanhamento : public ProgressoImpressao {
  public:
    void mostrarStatus(const std::string&) override {}
    // A run holds the client from iniciar to terminar, however it ends.
    virtual void iniciarExecucao() {}
    virtual void terminarExecucao() {}
    virtual void mostrarProgresso(long long /*etiquetasPedidas*/) {}
    virtual void apontar(Campo) {}
    virtual void mostrarDetalhePorta(const std::string&) {}
    // Whether a print is checked before its question, and whether it goes
    // on with what the check found (the window asks; the command line stops
    // on an error unless told not to).
    virtual bool verificarAntes() const { return false; }
    virtual bool prosseguirApesarDe(const ResultadoVerificacao&) { return true; }
};

class ServicoImpressao {
  public:
    ServicoImpressao(Maquina& maquina, Pessoa& pessoa, PastasAplicacao pastas);

    const PastasAplicacao& pastas() const { return pastas_; }
    // What printing carries from one run to the next.
    MemoriaImpressao& memoria() { return memoria_; }

    // Recognises, checks and reads an order file. A refused file has been
    // said (its reason, then "Formato Não Reconhecido"); a file whose
    // version is refused comes back with carga.pedidoVersaoRecusada, for
    // encerrarPorVersao once the client has shown what it read.
    // `inicio` learns the progress range, `aviso` the count as it grows.
    ArquivoAberto abrir(const std::filesystem::path& caminho,
                        const std::function<void(long maximo)>& inicio = {},
                        const AvisoProgresso& aviso = {});
    void encerrarPorVersao();

    DesfechoImpressao imprimir(const PedidoImpressao& pedido, Acompanhamento& acompanhamento);
    // Where the last print that stopped early (cancelled or failed) resumes:
    // the rows it printed whole, the row it stopped in and, for a price row,
    // the next sequence not sent. Nothing after a print that ended whole.
    struct Retomada {
        std::vector<int> concluidas;
        int linha = 0;
        std::optional<long long> proximaSequencia;
    };
    const std::optional<Retomada>& retomada() const { return retomada_; }
    // Prints record their jobs in the history file `arquivo` (empty: the
    // user's data folder is unknown, which each print says); `falha` is what
    // a history that cannot be written does. Without this call nothing is
    // recorded, as in tests.
    void usarHistorico(std::filesystem::path arquivo, FalhaDoHistorico falha);
    const std::optional<std::filesystem::path>& arquivoHistorico() const {
        return arquivoHistorico_;
    }
    // The same rows, printer and layout, each job handed to `destino` as it
    // is made instead of sent: no question, no port opened, nothing written,
    // and what carries over between runs left as it was. False when the
    // command refuses or a routine fails (said why).
    bool visualizar(const PedidoImpressao& pedido, Acompanhamento& acompanhamento,
                    SaidaTrabalhos& destino);
    // The jobs the print would send, checked as the printer would read them;
    // none when the command refuses or a routine fails (said why).
    std::optional<ResultadoVerificacao> verificar(const PedidoImpressao& pedido,
                                                  Acompanhamento& acompanhamento);
    // Runs the request's family into any sink with the given memory: the
    // checks and question of imprimir are the caller's.
    ResultadoImpressao executar(const PedidoImpressao& pedido, SaidaTrabalhos& saida,
                                MemoriaImpressao& memoria, ProgressoImpressao& progresso);
    // The TXT export of the ticked rows: the file written, or nothing
    // (nothing ticked or a failure, both said; a label type without export).
    struct Exportacao {
        std::optional<std::filesystem::path> arquivo;
        bool tipoSemExportacao = false;
    };
    Exportacao exportarTxt(const PedidoImpressao& pedido, Acompanhamento& acompanhamento);
    // The test page of a request made from a test order file with every row
    // ticked.
    DesfechoImpressao imprimirTeste(const PedidoImpressao& pedido, Acompanhamento& acompanhamento);
    // "Carregar Fonte Zebra": the graphic, then the font.
    DesfechoImpressao carregarFonte(const PedidoImpressao& pedido, Acompanhamento& acompanhamento);

    // At least one row ticked; otherwise said, and false.
    bool conferirSelecao(const PedidoImpressao& pedido, Acompanhamento& acompanhamento);
    // Labels the ticked rows ask for.
    static long long etiquetasPedidas(const PedidoImpressao& pedido);
    // Labels `familia` will send for the request, separators included.
    long long etiquetasQueSairao(const FamiliaEtiqueta* familia, const PedidoImpressao& pedido);
    // The test order file of option 1 to 4.
    std::filesystem::path arquivoTeste(int opcao) const;
    // A communication event of the serial port, said once a run.
    void eventoSerial(int codigo);

  private:
    Resposta mensagem(const std::string& texto, const std::string& titulo = {},
                      Icone icone = Icone::Nenhum, Botoes botoes = Botoes::Ok);
    DesfechoImpressao protegido(const std::function<DesfechoImpressao()>& comando);
    DesfechoImpressao imprimirEtiquetas(const PedidoImpressao& pedido, Acompanhamento& a);
    DesfechoImpressao imprimirPaginaTeste(const PedidoImpressao& pedido, Acompanhamento& a);
    DesfechoImpressao carregarFonteZebra(const PedidoImpressao& pedido, Acompanhamento& a);
    bool caminhoInformado(const PedidoImpressao& pedido, Acompanhamento& a);
    bool impressoraCadastrada();
    bool tipoSemEtiquetas(const PedidoImpressao& pedido);
    bool conferirVariante(const PedidoImpressao& pedido, Acompanhamento& a);
    enum class AberturaPorta { SemPortaCom, JaAberta, Aberta, Falhou };
    AberturaPorta abrirPortaCom(const ImpressoraEscolhida& impressora, bool conferirExistencia);
    AtualizarConfiguracao configuracao(const PedidoImpressao& pedido) const;
    DesfechoImpressao conferirFamilia(const FamiliaEtiqueta* familia, int tipo);
    Despacho despacho(const ParametrosImpressao& parametros, Acompanhamento& a);
    ResultadoImpressao rodar(const FamiliaEtiqueta& familia, const PedidoImpressao& pedido,
                             SaidaTrabalhos& saida, MemoriaImpressao& memoria,
                             ProgressoImpressao& progresso, bool semEfeito = false);
    std::optional<ResultadoVerificacao> verificarFamilia(const FamiliaEtiqueta& familia,
                                                         const PedidoImpressao& pedido,
                                                         Acompanhamento& a,
                                                         std::optional<FalhaRotina>& falha);
    bool aprovadoNaVerificacao(const PedidoImpressao& pedido, const FamiliaEtiqueta& familia,
                               Acompanhamento& a);
    ResultadoImpressao rodarSemEfeito(const FamiliaEtiqueta& familia, const PedidoImpressao& pedido,
                                      SaidaTrabalhos& saida, Acompanhamento& a);
    DesfechoImpressao executarTeste(const PedidoImpressao& pedido, Acompanhamento& a);
    DesfechoImpressao rodarComRetomada(const FamiliaEtiqueta& familia,
                                       const PedidoImpressao& pedido,
                                       const PedidoImpressao& pedidoDaGrade,
                                       const LinhasNuncaImpressas* nuncaImpressas,
                                       SaidaTrabalhos& saida, Acompanhamento& a);
    DesfechoImpressao concluir(const ResultadoImpressao& resultado, Acompanhamento& a,
                               const std::string& retomar = {});
    bool preCarga(const std::function<void()>& passo);
    DesfechoImpressao interrupcaoSemEtiquetas(Acompanhamento& a);
    // The history a print records in: none when it is not used, or when it
    // cannot be and the user goes on without it.
    struct HistoricoDaExecucao {
        std::unique_ptr<HistoricoImpressao> historico;
        // What the rows of a request less the ones sent read from.
        std::unique_ptr<LinhasNuncaImpressas> nuncaImpressas;
    };
    DesfechoImpressao imprimirConferido(const PedidoImpressao& pedido,
                                        HistoricoDaExecucao& historico, Acompanhamento& a);
    std::optional<HistoricoDaExecucao> abrirHistorico();
    bool seguirSemHistorico(const std::string& motivo);
    std::optional<DesfechoImpressao> conferirRepeticoes(PedidoImpressao& pedido,
                                                        const FamiliaEtiqueta& familia,
                                                        HistoricoDaExecucao& historico);
    enum class Repetidas { Imprimir, Deixar, Parar };
    Repetidas decidirRepeticoes(const PedidoImpressao& pedido, const std::string& texto);
    bool registrarExecucao(SaidaTrabalhos& saida, HistoricoDaExecucao& historico,
                           const PedidoImpressao& pedido, const FamiliaEtiqueta& familia,
                           std::unique_ptr<SaidaTrabalhos>& registrada);
    class Execucao;

    Maquina& maquina_;
    Pessoa& pessoa_;
    PastasAplicacao pastas_;
    MemoriaImpressao memoria_;
    std::optional<Retomada> retomada_;
    std::string portaComAberta_;  // port and settings the serial port was last opened with
    bool emExecucao_ = false;
    std::set<int> eventosSeriaisDaExecucao_;
    std::optional<std::filesystem::path> arquivoHistorico_;
    FalhaDoHistorico falhaHistorico_ = FalhaDoHistorico::Perguntar;
};

}  // namespace etiquetas
