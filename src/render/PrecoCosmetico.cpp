#include "render/PrecoCosmetico.h"

#include <cmath>
#include <limits>

#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
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

long long parteInteira(const std::string& texto, const char* nome) {
    const auto valor = valorNumerico(texto);
    if (!valor)
        throw FalhaImpressao(std::string("Valor não numérico em ") + nome + ": \"" + texto + "\".");
    const double inteiro = std::trunc(*valor);
    if (std::fabs(inteiro) > std::numeric_limits<int>::max())
        throw FalhaImpressao("Estouro de capacidade.");
    return static_cast<long long>(inteiro);
}

// Units of five that cover `etiquetas` labels; none for an empty or reversed range.
long long unidadesPara(long long etiquetas) {
    if (etiquetas > std::numeric_limits<int>::max()) throw FalhaImpressao("Estouro de capacidade.");
    return etiquetas < 1 ? 0 : (etiquetas + kEtiquetasPorUnidade - 1) / kEtiquetasPorUnidade;
}

class ExecucaoCosmetico {
  public:
    explicit ExecucaoCosmetico(ExecucaoImpressao& execucao) : x_(execucao) {}

    void executar() {
        x_.passo = kPassoInicio;
        x_.memoria.LoteDatamax.clear();
        x_.TextoSaida.clear();
        x_.memoria.PedidoSeparador = "00000";
        x_.memoria.ItemSeparador = "00000";
        for (int linha = 0; linha <= x_.grade.linhas(); ++linha) imprimirLinha(linha);
        x_.passo = kPassoFim;
    }

  private:
    const std::string& celula(CampoPreco campo) const {
        return LinhaPreco(x_.grade, x_.linha)[campo];
    }

    void imprimirLinha(int linha) {
        x_.linha = linha;
        x_.passo = kPassoRepeticao;
        lerRepeticao();
        x_.passo = kPassoAguarde;
        x_.progresso.processarEventos();
        x_.progresso.mostrarStatus("Aguarde o final da impressão das Etiquetas. . .");
        x_.passo = kPassoMarcada;
        if (!x_.grade.marcada(linha)) return;
        x_.passo = kPassoFaixa;
        const long long primeira =
            parteInteira(celula(CampoPreco::SequenciaInicial), "Inf. a Seq. Inicial");
        const long long ultima =
            parteInteira(celula(CampoPreco::SequenciaFinal), "Inf. a Seq.Final");
        x_.passo = kPassoSeparador;
        imprimirSeparadorSeDevido();
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

    // Read for every row, printed or not, as the other price families do;
    // only a value that is not a 16-bit number matters.
    void lerRepeticao() {
        const std::string secao = std::string("QuelmonteEtiqPreco") + x_.linguagem();
        const std::string texto = LerArquivoIni(x_.pasta, secao, "Repeticao");
        const auto valor = valorNumerico(texto);
        if (!valor || std::round(*valor) < -32768 || std::round(*valor) > 32767)
            throw FalhaImpressao("Valor inválido para Repeticao na seção " + secao +
                                 " de QuelmonteEtiqueta.ini: \"" + texto + "\".");
    }

    void imprimirSeparadorSeDevido() {
        if (!x_.parametros.separadorPorPedido) return;
        auto& memoria = x_.memoria;
        const auto& pedido = celula(CampoPreco::Pedido);
        const auto& item = celula(CampoPreco::Item);
        if (pedido == memoria.PedidoSeparador && item == memoria.ItemSeparador) return;
        memoria.PedidoSeparador = pedido;
        memoria.ItemSeparador = item;
        ImprimirSeparador(x_, x_.linha);
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

    ExecucaoImpressao& x_;
    long long primeiraDaUnidade_ = 0;  // sequence number of the unit's first label
};

}  // namespace

void ImprimirPrecoCosmetico(ExecucaoImpressao& execucao) {
    ExecucaoCosmetico(execucao).executar();
}

}  // namespace etiquetas
