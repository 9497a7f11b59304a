#pragma once

// What the use cases share: the two seams, the folders, what printing
// carries from one run to the next (the Datamax batch and counter, the
// separator memory, the serial port opened and for which choice), the
// history a print records in, and the checks every command makes before it
// sends anything. Each use case is a function over it, in a file of its own.

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/PedidoImpressao.h"
#include "app/RegistroHistorico.h"
#include "app/VigiaImpressora.h"
#include "config/AtualizarConfiguracao.h"
#include "platform/Maquina.h"
#include "platform/Pessoa.h"
#include "render/ContagemEtiquetas.h"
#include "render/Trabalho.h"
#include "resolucao/SaidaEmResolucao.h"

namespace etiquetas {

class Despacho;
struct FamiliaEtiqueta;

inline constexpr const char* kTituloHistorico = "Histórico de Impressões";

// "1.234 etiquetas — ZEBRA, LPT1": what a question before a run names.
std::string etiquetasEDestino(const ContagemEtiquetas& contagem,
                              const ParametrosImpressao& parametros);
// A routine's failure as the "Erro !" box says it.
std::string mensagemFalha(const FalhaRotina& falha);
// The rows `familia` reads from the request: none when they are of the
// other kind of file.
const LeitorGrade& linhasDaFamilia(const FamiliaEtiqueta& familia, const PedidoImpressao& p);

class SessaoImpressao {
  public:
    SessaoImpressao(Maquina& maquina, Pessoa& pessoa, PastasAplicacao pastas);

    Maquina& maquina() { return maquina_; }
    Pessoa& pessoa() { return pessoa_; }
    const PastasAplicacao& pastas() const { return pastas_; }
    MemoriaImpressao& memoria() { return memoria_; }

    Resposta mensagem(const std::string& texto, const std::string& titulo = {},
                      Icone icone = Icone::Nenhum, Botoes botoes = Botoes::Ok);
    // A communication event of the serial port, said once a run.
    void eventoSerial(int codigo);

    // The history prints record in (see ServicoImpressao::usarHistorico).
    void usarHistorico(std::filesystem::path arquivo, FalhaDoHistorico falha);
    const std::optional<std::filesystem::path>& arquivoHistorico() const {
        return arquivoHistorico_;
    }
    // Said why; true when the print goes on without the history. Once jobs
    // may have gone out, the run's own end says how many.
    bool seguirSemHistorico(const std::string& motivo, bool jobsEnviados = false);

    // From construction to destruction the client is held and the session
    // is in a run; the serial port's complaints are said once.
    class Execucao {
      public:
        Execucao(SessaoImpressao& s, Acompanhamento& a);
        ~Execucao();
        Execucao(const Execucao&) = delete;
        Execucao& operator=(const Execucao&) = delete;

      private:
        SessaoImpressao& s_;
        Acompanhamento& a_;
    };

    // ---- Checks shared by the commands: false (or a value) is said.
    bool conferirSelecao(const PedidoImpressao& pedido, Acompanhamento& a);
    bool caminhoInformado(const PedidoImpressao& pedido, Acompanhamento& a);
    bool impressoraCadastrada();
    // True when the label type prints nothing (said).
    bool tipoSemEtiquetas(const PedidoImpressao& pedido);
    bool conferirVariante(const PedidoImpressao& pedido, Acompanhamento& a);
    // Impressa when the family has a routine; otherwise how the command ends.
    DesfechoImpressao conferirFamilia(const FamiliaEtiqueta* familia, int tipo);
    enum class AberturaPorta { SemPortaCom, JaAberta, Aberta, Falhou };
    AberturaPorta abrirPortaCom(const ImpressoraEscolhida& impressora, bool conferirExistencia);

    // ---- Running a family
    Despacho despacho(const ParametrosImpressao& parametros, Acompanhamento& a);
    ResultadoImpressao rodar(const FamiliaEtiqueta& familia, const PedidoImpressao& pedido,
                             SaidaTrabalhos& saida, MemoriaImpressao& memoria,
                             ProgressoImpressao& progresso, bool semEfeito = false,
                             const AvisoEmResolucao& aviso = {});
    // A preview or a check: a copy of the memory, and no stop.
    ResultadoImpressao rodarSemEfeito(const FamiliaEtiqueta& familia, const PedidoImpressao& pedido,
                                      SaidaTrabalhos& saida, Acompanhamento& a,
                                      const AvisoEmResolucao& aviso = {});
    // Labels `familia` will send for the request, separators included.
    // What the family will hand on, worked out without rendering where the
    // family has a rule; `a`, when given, may stop a sampled count.
    ContagemEtiquetas etiquetasQueSairao(const FamiliaEtiqueta* familia,
                                         const PedidoImpressao& pedido,
                                         const ProgressoImpressao* a = nullptr);
    // How a run ended, said; `retomar` is where a stopped run resumes, and
    // `naImpressora` what the printer said of it afterwards.
    DesfechoImpressao concluir(const ResultadoImpressao& resultado, Acompanhamento& a,
                               const std::string& retomar = {},
                               const FimNaImpressora& naImpressora = {});
    // A client's button calls a command through this: nothing may escape
    // into the toolkit.
    DesfechoImpressao protegido(const std::function<DesfechoImpressao()>& comando);
    // A printer preload step; a failure is said, and false.
    bool preCarga(const std::function<void()>& passo);
    // A stop asked during the preparation, before any label: said as such.
    DesfechoImpressao interrupcaoSemEtiquetas(Acompanhamento& a);

  private:
    AtualizarConfiguracao configuracao(const PedidoImpressao& pedido) const;

    Maquina& maquina_;
    Pessoa& pessoa_;
    PastasAplicacao pastas_;
    MemoriaImpressao memoria_;
    std::string portaComAberta_;  // port and settings the serial port was last opened with
    bool emExecucao_ = false;
    std::set<int> eventosSeriaisDaExecucao_;
    std::optional<std::filesystem::path> arquivoHistorico_;
    FalhaDoHistorico falhaHistorico_ = FalhaDoHistorico::Perguntar;
};

}  // namespace etiquetas
