#include "render/PrecoRelogio.h"

#include <cmath>
#include <limits>

#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/PrecoCartolina.h"
#include "render/RotinaPreco.h"
#include "render/Separador.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

constexpr long long kEscala = 10'000;  // ten-thousandths, the precision of money values
// Whole units that leave room for the fraction and its rounding.
constexpr long long kMaximoInteiros = (std::numeric_limits<long long>::max() - kEscala) / kEscala;
constexpr int kUltimaSequencia = 9999;
constexpr const char* kSpool = "SpoolEtq.PRN";
// Templates may mark where the right label of the body begins, so that a
// range with an odd count prints its last label alone on the left.
constexpr std::string_view kMarcaDireita = "#DIREITA#";

// Steps of a run, as the failure message names them.
enum Passo {
    kPassoInicio = 1,
    kPassoAguarde,
    kPassoMarcada,
    kPassoFaixa,
    kPassoPreco,
    kPassoSeparador,
    kPassoTemplate,
    kPassoPares,
    kPassoParCorpo,
    kPassoParStatus,
    kPassoParCodigos,
    kPassoParValores,
    kPassoParCabecalho,
    kPassoParVelocidade,  // kept so that later steps keep their numbers
    kPassoParEnvio,
    kPassoFim,
};

long long numeroInicial(long long primeira) {
    return primeira > kUltimaSequencia ? (primeira - 1) % kUltimaSequencia + 1 : primeira;
}

long long numeroSeguinte(long long numero) {
    return numero + 1 > kUltimaSequencia ? 1 : numero + 1;
}

// Division by `divisor` rounded half to even, as money arithmetic does.
long long dividirArredondando(long long valor, long long divisor) {
    long long quociente = valor / divisor;
    const long long resto = std::llabs(valor % divisor) * 2;
    if (resto > divisor || (resto == divisor && quociente % 2 != 0))
        quociente += valor < 0 ? -1 : 1;
    return quociente;
}

// "15,99", "15", "9,995": no trailing zeros, a comma only with a fraction.
std::string textoMonetario(ValorMonetario valor) {
    const long long v = valor.decimosMilesimos;
    const unsigned long long absoluto = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : v;
    std::string texto = (v < 0 ? "-" : "") + std::to_string(absoluto / kEscala);
    std::string fracao = formatarInteiro(static_cast<long long>(absoluto % kEscala), "0000");
    fracao.erase(fracao.find_last_not_of('0') + 1);
    if (!fracao.empty()) texto += "," + fracao;
    return texto;
}

// One pair of labels (or the last label alone) of a row.
struct Par {
    long long sequencia;  // the left label's sequence number
    bool sozinha;         // the range ends before the right label
};

class ExecucaoRelogio : public RotinaPreco {
  public:
    explicit ExecucaoRelogio(ExecucaoImpressao& execucao)
        : RotinaPreco(execucao), zebra_(execucao.parametros.zebra()) {}

    void executar() { executarLinhas(kPassoInicio, kPassoFim); }

  private:
    void imprimirLinha(int linha) override {
        x_.passo = kPassoAguarde;
        x_.progresso.mostrarStatus("Aguarde o final da impressão das Etiquetas. . .");
        x_.passo = kPassoMarcada;
        if (!x_.grade.marcada(linha)) return;
        x_.passo = kPassoFaixa;
        const auto [primeira, ultima] = faixaDaLinha();
        // A price that cannot print ends the run before the row's separator.
        x_.passo = kPassoPreco;
        if (primeira <= ultima) lerValoresDaLinha();
        x_.passo = kPassoSeparador;
        imprimirSeparadorSeDevido(ComparacaoSeparador::NumerosFormados);
        x_.passo = kPassoTemplate;
        CarregarTemplate(x_);
        ExtrairCorpoTemplate(x_);
        separarCorpo();
        x_.passo = kPassoPares;
        numero_ = numeroInicial(primeira);
        for (long long i = primeira; i <= ultima; i += 2) imprimirPar({i, i == ultima});
    }

    void lerValoresDaLinha() {
        const auto& texto = celula(CampoPreco::PrecoMaterial);
        const auto preco = valorMonetario(texto);
        if (!preco) throw FalhaImpressao("Preço inválido: \"" + texto + "\".");
        produto_ = valorImpresso(*preco);
        parcela_ = valorImpresso(parcelaDeDez(*preco));
        variante_ = valorCodigoBarras(celula(CampoPreco::Variante));
        CompletarZeros(variante_);
        digito_ = valorCodigoBarras(celula(CampoPreco::Digito));
    }

    // The body split at the right label's mark, with the wide-bar rewrite
    // for non-Zebra printers done before any order value goes in.
    void separarCorpo() {
        std::string corpo = x_.CorpoTemplate;
        if (!zebra_) substituirTodos(corpo, "1e42020", "1e22020");
        const auto marca = corpo.find(kMarcaDireita);
        temMarca_ = marca != std::string::npos;
        if (!temMarca_) {
            esquerda_ = std::move(corpo);
            direita_.clear();
            return;
        }
        esquerda_ = corpo.substr(0, marca);
        direita_ = corpo.substr(marca + kMarcaDireita.size());
        if (direita_.starts_with("\r\n")) direita_.erase(0, 2);
    }

    void imprimirPar(const Par& par) {
        std::string& texto = x_.TextoSaida;
        x_.passo = kPassoParCorpo;
        texto.assign("\r\n").append(esquerda_);
        if (!par.sozinha) texto.append(direita_);
        x_.passo = kPassoParStatus;
        MostrarStatusImpressao(x_, celula(CampoPreco::Pedido), celula(CampoPreco::Item),
                               par.sequencia, numero_);
        x_.passo = kPassoParCodigos;
        preencherCodigos(par.sozinha);
        x_.passo = kPassoParValores;
        preencherValores();
        preenchimento_.aplicar(x_.TextoSaida);
        x_.passo = kPassoParCabecalho;
        AplicarCabecalhoRodape(x_);
        x_.passo = kPassoParEnvio;
        enviar(par);
    }

    // A pair that does not reach the printer is where a new run resumes;
    // once it went out (a stop may follow at once), the next one is.
    void enviar(const Par& par) {
        const int etiquetas = par.sozinha ? 1 : 2;
        anotarEtiquetas(par.sequencia, par.sequencia + etiquetas - 1);
        x_.resultado.proximaSequencia = par.sequencia;
        try {
            x_.enviarEtiquetas(kSpool, x_.TextoSaida, etiquetas);
        } catch (const ImpressaoInterrompida&) {
            x_.resultado.proximaSequencia = par.sequencia + etiquetas;
            throw;
        }
        x_.resultado.proximaSequencia = par.sequencia + etiquetas;
    }

    // Each label's readable code follows its own bar code. A template without
    // the right label's mark gets an empty right code for a label alone.
    void preencherCodigos(bool sozinha) {
        preenchimento_.preencher("::COD_BARRAS::", codigoBarras(numero_));
        preencherTexto(preenchimento_, "::COD_QUELMONTE::", legivel(numero_),
                       x_.parametros.linguagem);
        numero_ = numeroSeguinte(numero_);
        if (sozinha) {
            preenchimento_.preencher("::COD_BARRAS2::", "");
            preenchimento_.preencher("::COD_QUELMONTE2::", "");
            return;
        }
        preenchimento_.preencher("::COD_BARRAS2::", codigoBarras(numero_));
        preencherTexto(preenchimento_, "::COD_QUELMONTE2::", legivel(numero_),
                       x_.parametros.linguagem);
        numero_ = numeroSeguinte(numero_);
    }

    void preencherValores() {
        preenchimento_.preencher("::VAL_PARCELA::", parcela_.inteiros);
        preenchimento_.preencher("::CEN_PARCELA::", parcela_.centavos);
        preenchimento_.preencher("::VAL_PRODUTO::", produto_.inteiros);
        preenchimento_.preencher("::CEN_PRODUTO::", produto_.centavos);
        const auto linguagem = x_.parametros.linguagem;
        preencherTexto(preenchimento_, "::DESCRICAO::", celula(CampoPreco::Descricao), linguagem);
        preencherTexto(preenchimento_, "::COD_BUREAU::", celula(CampoPreco::CodigoBureau),
                       linguagem);
    }

    // Zebra templates take the data as a serial field ("^SN"): ",1,N" is its
    // step and no leading zeros. Data of odd length switches code set for
    // its last digit and keeps the field's defaults.
    std::string codigoBarras(long long numero) const {
        std::string codigo = codigoBarrasPreco('2', variante_, digito_, numero, zebra_);
        if (zebra_ && codigo.find(">6") == std::string::npos) codigo += ",1,N";
        return codigo;
    }

    std::string legivel(long long numero) const {
        return "2 " + variante_ + " " + digito_ + " " + formatarInteiro(numero, "00000");
    }

    const bool zebra_;

    std::string esquerda_, direita_;
    PreenchimentoUnidade preenchimento_;
    bool temMarca_ = false;
    ValorImpresso produto_, parcela_;
    std::string variante_, digito_;
    long long numero_ = 0;  // the running number of the next label
};

}  // namespace

std::optional<ValorMonetario> valorMonetario(const std::string& texto) {
    if (!valorNumerico(texto)) return std::nullopt;
    const std::string limpo = aparar(texto);
    std::size_t i = 0;
    const bool negativo = limpo[0] == '-';
    if (limpo[0] == '-' || limpo[0] == '+') ++i;
    long long inteiros = 0;
    for (; i < limpo.size() && limpo[i] != ',' && limpo[i] != '.'; ++i) {
        const int digito = limpo[i] - '0';
        if (inteiros > (kMaximoInteiros - digito) / 10) return std::nullopt;
        inteiros = inteiros * 10 + digito;
    }
    // Beyond four decimals the value is rounded: the digits past them weigh
    // as one more digit, with a trace of anything after it.
    const std::string fracao = i < limpo.size() ? limpo.substr(i + 1) : "";
    long long decimais = 0;
    for (std::size_t k = 0; k < 5; ++k)
        decimais = decimais * 10 + (k < fracao.size() ? fracao[k] - '0' : 0);
    const bool resto = fracao.size() > 5 && fracao.find_first_not_of('0', 5) != std::string::npos;
    long long v = inteiros * kEscala + decimais / 10;
    const long long quinto = decimais % 10;
    if (quinto > 5 || (quinto == 5 && (resto || v % 2 != 0))) ++v;
    return ValorMonetario{negativo ? -v : v};
}

ValorMonetario parcelaDeDez(ValorMonetario valor) {
    return {dividirArredondando(valor.decimosMilesimos, 10)};
}

ValorImpresso valorImpresso(ValorMonetario valor) {
    const std::string texto = textoMonetario(valor);
    const auto virgula = texto.find(',');
    if (virgula == std::string::npos) return {texto + ",", "00"};
    std::string centavos = texto.substr(virgula + 1, 2);
    if (centavos.size() == 1) centavos += "0";
    return {texto.substr(0, virgula + 1), centavos};
}

void ImprimirPrecoRelogio(ExecucaoImpressao& execucao) {
    ExecucaoRelogio(execucao).executar();
}

}  // namespace etiquetas
