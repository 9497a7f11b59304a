#pragma once

// The application: the main window model, the rendering module's state and
// the platform, with the window's commands. Commands are grouped by area in
// their own sources (Inicializacao.cpp, ArquivoPedidos.cpp, Grades.cpp,
// Impressao.cpp, ExportacaoTxt.cpp, ...).

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/DialogoConfiguracao.h"
#include "app/JanelaPrincipal.h"
#include "app/PaginasPrevia.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/Reconhecimento.h"
#include "platform/Plataforma.h"
#include "render/ExecucaoImpressao.h"
#include "render/Trabalho.h"

namespace etiquetas {

class AtualizarConfiguracao;
class Despacho;
struct FamiliaEtiqueta;

// How the last print command ended, for the command line's exit status.
enum class DesfechoImpressao {
    Impressa,      // the routine ran to its end
    SemRotina,     // a label type that prints nothing: the command ends silently
    Recusada,      // stopped with a message before any label was made
    Falhou,        // the run stopped on a failure
    Interrompida,  // the user stopped it after a job
    NadaImpresso,  // the run ended without sending a label
};

// What "Visualizar" found: the jobs the print command would send now, in
// the printer's language.
struct PreviaImpressao {
    Linguagem linguagem = Linguagem::Nenhuma;
    std::vector<Trabalho> trabalhos;
};

class Aplicacao {
  public:
    Aplicacao(Plataforma& plataforma, std::filesystem::path pastaAplicacao);

    Plataforma& plataforma() { return plataforma_; }
    const std::filesystem::path& PastaAplicacao() const { return pasta_; }
    JanelaPrincipal& janela() { return janela_; }
    // What printing carries from one run to the next.
    MemoriaImpressao& memoria() { return memoria_; }
    DesfechoImpressao ultimaImpressao() const { return ultimaImpressao_; }

    // Start-up (the window's load event) and closing.
    void iniciar();
    void fechar();   // unload: closes the serial port if open
    void cmdSair();  // closes the serial port, then ends at once

    // Order files.
    void cmdLocalizar();
    void AbrirArquivoPedidos(const std::string& caminho);

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
    // Closing the window: false while a run goes on (the user is asked
    // whether to stop it; if so, fecharAoTerminar() tells the window to
    // close once it has stopped).
    bool podeFechar();
    bool fecharAoTerminar() const { return fecharAoTerminar_; }
    // A stop asked from outside the window (the command line's signals).
    std::function<bool()> cancelamentoExterno;
    // Closes the window (set by the window; the CLI leaves it empty).
    std::function<void()> fecharJanela;
    // The same rows, printer and layout as cmdImprimir, collected instead of
    // sent: no question, no port opened, nothing written, and what carries
    // over between runs left as it was. Nothing when the command would
    // refuse or a routine fails (the box says why).
    std::optional<PreviaImpressao> VisualizarEtiquetas();
    // "Visualizar": the labels of VisualizarEtiquetas in the preview window,
    // which the front end that can show it sets (from there the user prints
    // or closes). Only ZPL has a preview.
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
    void lembrarPastaDosPedidos(const std::string& arquivoEscolhido);

    // Shows a box through the platform; "" as title shows the application's.
    Resposta mensagem(const std::string& texto, const std::string& titulo = {},
                      Icone icone = Icone::Nenhum, Botoes botoes = Botoes::Ok);

    // The configuration dialog is a window of its own; the front end that
    // can show it sets this (the CLI leaves it empty).
    std::function<void()> mostrarDialogoConfiguracao;

  private:
    void ligarReacoes();
    void ligarReacoesImpressoras();
    void ligarReacoesGrades();
    // Print command: opens a chosen COM port; false when the command must end.
    bool prepararPortaCom();
    enum class AberturaPorta { SemPortaCom, JaAberta, Aberta, Falhou };
    // Opens the COM port chosen in the window if it is not open; a port that
    // cannot be opened is reported.
    AberturaPorta abrirPortaCom(bool conferirExistencia);
    DesfechoImpressao imprimirEtiquetas();
    // The printer, port and options of a run, read from the window once.
    ParametrosImpressao resolverParametros() const;
    DesfechoImpressao imprimirFamilia(const AtualizarConfiguracao& cfg,
                                      const ParametrosImpressao& parametros);
    // Impressa when the family has a routine; otherwise how the command ends
    // (silently for a type that prints nothing, with a message for one that
    // cannot print in this version).
    DesfechoImpressao conferirFamilia(const FamiliaEtiqueta* familia, int tipo);
    Despacho despachoDaJanela(const ParametrosImpressao& parametros);
    ResultadoImpressao rodarFamilia(const FamiliaEtiqueta& familia,
                                    const AtualizarConfiguracao& cfg,
                                    const ParametrosImpressao& parametros, SaidaTrabalhos& saida);
    // The checks and choices both printing and its preview make first.
    std::optional<ParametrosImpressao> parametrosConferidos();
    AtualizarConfiguracao configuracaoDoTipo() const;
    EntradaImpressao entradaImpressao(const FamiliaEtiqueta& familia,
                                      const AtualizarConfiguracao& cfg,
                                      const ParametrosImpressao& parametros,
                                      MemoriaImpressao& memoria, SaidaTrabalhos& saida,
                                      ProgressoImpressao& progresso);
    DesfechoImpressao concluirImpressao(const ResultadoImpressao& resultado);
    bool cancelamentoPedido() const;
    bool cancelar_ = false;
    bool emImpressao_ = false;
    bool fecharAoTerminar_ = false;
    std::set<int> eventosSeriaisDaExecucao_;
    void mostrarEventoSerial(int codigo);

    // Test print and Zebra preparation (TesteImpressao.cpp).
    DesfechoImpressao imprimirPaginaTeste(int opcao);
    DesfechoImpressao executarTeste(const AtualizarConfiguracao& cfg,
                                    const ParametrosImpressao& parametros);
    DesfechoImpressao carregarFonteZebra();
    // Runs one step of the Zebra preparation; a failure is shown, gives false.
    bool preCarga(const std::function<void()>& passo);
    // A stop asked during the preparation, before any label: said as such.
    DesfechoImpressao interrupcaoSemEtiquetas();

    // The open chain (ArquivoPedidos.cpp).
    bool ValidarArquivoEtiquetas(const std::string& caminho,
                                 std::shared_ptr<pugi::xml_document>& documento);
    void RejeitarArquivoPedidos(const std::string& caminho, const std::string& statusAnterior);
    ResultadoCarga lerPedidos(const pugi::xml_document& documento);
    void PreencherInfoArquivo(ResultadoCarga carga);
    void aplicarCarga(ResultadoCarga carga, Grade& grade, const char* descricaoTotal);
    void aplicarSeletor(SeletorTipo seletor);
    ContagemElementos contagemEmAbertura_;

    // Grids (Grades.cpp).
    void conferirSequencia(int linha, int coluna);
    void formatarCaixas(int linha, int coluna);
    void inverterDestaque(Grade& grade, int linha);
    void marcarTodas(Grade& grade, bool marcar, bool mudarFonte);

    Plataforma& plataforma_;
    std::filesystem::path pasta_;
    JanelaPrincipal janela_;
    MemoriaImpressao memoria_;
    DesfechoImpressao ultimaImpressao_ = DesfechoImpressao::SemRotina;
};

}  // namespace etiquetas
