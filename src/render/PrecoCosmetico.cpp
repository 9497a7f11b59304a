#include "render/PrecoCosmetico.h"

#include <cmath>
#include <limits>

#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/RotinaPreco.h"
#include "render/Separador.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

constexpr long long kEtiquetasPorUnidade = 5;
constexpr std::size_t kLarguraPrecoNovo = 8;
constexpr const char* kSpool = "SpoolEtq.PRN";

// Steps of a run, as the failure message names them.
enum Passo {
    kPassoInicio = 1,
    kPassoRepeticao,
    kPassoAguarde,
    kPassoMarcada,
    kPassoFaixa,
    kPassoSeparador,
    kPassoTemplate,
    kPassoUnidades,
    kPassoUnidadeCorpo,
    kPassoUnidadeStatus,
    kPassoUnidadePreco,
    kPassoUnidadeCabecalho,
    kPassoUnidadeVelocidade,  // kept so that later steps keep their numbers
    kPassoUnidadeEnvio,
    kPassoFim,
};

// Units of five that cover `etiquetas` labels; none for an empty or reversed range.
long long unidadesPara(long long etiquetas) {
    if (etiquetas > std::numeric_limits<int>::max()) throw FalhaImpressao("Estouro de capacidade.");
    return etiquetas < 1 ? 0 : (etiquetas + kEtiquetasPorUnidade - 1) / kEtiquetasPorUnidade;
}

class ExecucaoCosmetico : public RotinaPreco {
  public:
    explicit ExecucaoCosmetico(ExecucaoImpressao& execucao) : RotinaPreco(execucao) {}

    void executar() { executarLinhas(kPassoInicio, kPassoFim); }

  private:
    void imprimirLinha(int linha) override {
        x_.passo = kPassoRepeticao;
        conferirRepeticao();
        x_.passo = kPassoAguarde;
        x_.progresso.mostrarStatus("Aguarde o final da impressão das Etiquetas. . .");
        x_.passo = kPassoMarcada;
        if (!x_.grade.marcada(linha)) return;
        x_.passo = kPassoFaixa;
        const auto [primeira, ultima] = faixaDaLinha();
        x_.passo = kPassoSeparador;
        imprimirSeparadorSeDevido(ComparacaoSeparador::ComoDigitados);
        x_.passo = kPassoTemplate;
        CarregarTemplate(x_);
        ExtrairCorpoTemplate(x_);
        x_.passo = kPassoUnidades;
        const long long unidades = unidadesPara(ultima - (primeira - 1));
        for (long long u = 1; u <= unidades; ++u) {
            primeiraDaUnidade_ = primeira + (u - 1) * kEtiquetasPorUnidade;
            imprimirUnidade(u);
        }
    }

    void imprimirUnidade(long long unidade) {
        std::string& texto = x_.TextoSaida;
        x_.passo = kPassoUnidadeCorpo;
        texto.assign("\r\n").append(x_.CorpoTemplate);
        x_.passo = kPassoUnidadeStatus;
        MostrarStatusImpressao(x_, celula(CampoPreco::Pedido), celula(CampoPreco::Item), unidade,
                               0);
        x_.passo = kPassoUnidadePreco;
        preencherTexto(texto, ":: Preco ::", preco(), x_.parametros.linguagem);
        x_.passo = kPassoUnidadeCabecalho;
        AplicarCabecalhoRodape(x_);
        x_.passo = kPassoUnidadeEnvio;
        enviar();
    }

    // The new layout lines prices up on the right in eight characters.
    std::string preco() const {
        std::string preco = celula(CampoPreco::PrecoMaterial);
        if (x_.novoLayout() && preco.size() < kLarguraPrecoNovo)
            preco.insert(0, kLarguraPrecoNovo - preco.size(), ' ');
        return preco;
    }

    // A unit that does not reach the printer is where a new run resumes; once
    // it went out (a stop may follow at once), the next one is.
    void enviar() {
        anotarEtiquetas(primeiraDaUnidade_, primeiraDaUnidade_ + kEtiquetasPorUnidade - 1);
        x_.resultado.proximaSequencia = primeiraDaUnidade_;
        try {
            enviarUnidade();
        } catch (const ImpressaoInterrompida&) {
            x_.resultado.proximaSequencia = primeiraDaUnidade_ + kEtiquetasPorUnidade;
            throw;
        }
        x_.resultado.proximaSequencia = primeiraDaUnidade_ + kEtiquetasPorUnidade;
    }

    void enviarUnidade() {
        if (x_.parametros.datamax()) {
            auto& lote = x_.memoria.LoteDatamax;
            lote += x_.TextoSaida;
            x_.enviarConfiguracaoDatamax();
            x_.enviarEtiquetas(kSpool, lote, kEtiquetasPorUnidade);
            lote.clear();
        } else {
            x_.enviarEtiquetas(kSpool, x_.TextoSaida, kEtiquetasPorUnidade);
        }
    }

    long long primeiraDaUnidade_ = 0;  // sequence number of the unit's first label
};

}  // namespace

void ImprimirPrecoCosmetico(ExecucaoImpressao& execucao) {
    ExecucaoCosmetico(execucao).executar();
}

}  // namespace etiquetas
