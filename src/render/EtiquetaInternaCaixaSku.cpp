#include "render/EtiquetaInternaCaixaSku.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

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

constexpr const char* kSpool = "SpoolEtqVol.PRN";
constexpr std::string_view kModeloCaixa = "QuelmonteEtiqCaixa";
constexpr std::string_view kModeloInterna = "QuelmonteEtiqInterna";
// Box labels of this department go out on the internal sheet.
constexpr std::string_view kDepartamentoInterno = "550";
constexpr long long kUltimoNumero = 9999;
constexpr int kPosicoesInterna = 6;
constexpr int kPosicoesCaixa = 2;
constexpr int kPosicoesSku = 6;

// Steps of a run, as the failure message names them.
enum Passo {
    kPassoInicio = 1,
    kPassoAguarde,
    kPassoMarcada,
    kPassoFaixa,
    kPassoTemplate,
    kPassoSeparador,
    kPassoFolhas,
    kPassoFolhaStatus,
    kPassoFolhaPreenchimento,
    kPassoFolhaEnvio,
    kPassoFim,
};

enum class Campo {
    CodigoBarras,
    Prefixo,
    VarianteLegivel,
    LinhaLegivel,
    CorIngles,
    TamanhoIngles,
    Cor,
    Departamento,
    Tamanho,
    Descricao,
    Temperatura,
    TemperaturaEnvio,
    Velocidade,
};

struct Token {
    std::string_view texto;
    Campo campo;
};

// No token is the beginning of another, so the first match is the token.
constexpr std::array<Token, 13> kTokens{{
    {":: NUM_COD_BARRAS ::", Campo::CodigoBarras},
    {":: NUM_COD_BARRAS1 ::", Campo::Prefixo},
    {":: NUM_COD_BARRAS2 ::", Campo::VarianteLegivel},
    {":: NUM_COD_BARRAS3 ::", Campo::LinhaLegivel},
    {":: COR_INGLES ::", Campo::CorIngles},
    {":: TAMANHO_INGLES ::", Campo::TamanhoIngles},
    {":: COR ::", Campo::Cor},
    {":: DCO ::", Campo::Departamento},
    {":: TAMANHO ::", Campo::Tamanho},
    {":: DESC_PROD ::", Campo::Descricao},
    {":: Temperatura ::", Campo::Temperatura},
    {"::Temperatura::", Campo::TemperaturaEnvio},
    {":: CMD_VELOCIDADE ::", Campo::Velocidade},
}};

const Token* tokenEm(std::string_view texto, std::size_t posicao) {
    for (const auto& t : kTokens)
        if (texto.substr(posicao, t.texto.size()) == t.texto) return &t;
    return nullptr;
}

// Fills `modelo` in one pass, left to right, into `saida`: a value is never
// read again as a token. `valor(campo, texto)` sets the text of a token and
// returns false to leave that token as it stands.
template <class Valor>
void preencherFolha(std::string_view modelo, std::string& saida, Valor&& valor) {
    saida.clear();
    std::string texto;
    std::size_t i = 0;
    for (auto p = modelo.find("::"); p != std::string_view::npos; p = modelo.find("::", i)) {
        saida.append(modelo, i, p - i);
        const Token* token = tokenEm(modelo, p);
        if (!token) {
            saida += ':';
            i = p + 1;
            continue;
        }
        saida.append(valor(token->campo, texto) ? std::string_view(texto) : token->texto);
        i = p + token->texto.size();
    }
    saida.append(modelo.substr(i));
}

int contarCodigosBarras(std::string_view modelo) {
    int n = 0;
    std::string saida;
    preencherFolha(modelo, saida, [&n](Campo campo, std::string&) {
        if (campo == Campo::CodigoBarras) ++n;
        return false;
    });
    return n;
}

// Sequence numbers run from 1 to 9999 and start over.
long long reduzido(long long numero) {
    return numero > kUltimoNumero ? (numero - 1) % kUltimoNumero + 1 : numero;
}
long long proximo(long long numero) {
    return numero >= kUltimoNumero ? 1 : numero + 1;
}
std::string quatroDigitos(long long numero) {
    return formatarInteiro(numero, "0000");
}

long long folhasInternaCaixa(long long quantidade, const std::string& tipoEtiq, int posicoes) {
    const bool reparte = tipoEtiq == "1" || quantidade > posicoes;
    const double q = reparte ? static_cast<double>(quantidade) / posicoes : 0.0;
    return static_cast<long long>(ArredondarParaCima(q)) + 1;
}

long long folhasSku(long long quantidade, const std::string& tipoEtiq) {
    if (tipoEtiq == "1" || quantidade > kPosicoesSku)
        return static_cast<long long>(
                   ArredondarParaCima(static_cast<double>(quantidade) / kPosicoesSku)) +
               1;
    return quantidade;
}

std::string varianteLegivel(const std::string& variante) {
    const std::size_t corte = variante.size() > 3 ? variante.size() - 3 : 0;
    return variante.substr(0, corte) + " " + variante.substr(corte);
}

// What a row's sheets are filled with; order data already made safe.
struct DadosLinha {
    std::string tipoEtiq;
    long long quantidade = 0;
    long long primeiroNumero = 0;
    std::string variante, digito;  // bar-code data
    std::string legivel, digitoLegivel, cor, corIngles, tamanho, tamanhoIngles, departamento,
        descricao;  // text fields
};

class ImpressaoFolhas : public RotinaPreco {
  public:
    ImpressaoFolhas(ExecucaoImpressao& execucao, bool sku) : RotinaPreco(execucao), sku_(sku) {}

    void executar() {
        // Every sheet leaves on its own: nothing of an earlier run may ride along.
        x_.memoria.ContadorLoteDatamax = 0;
        executarLinhas(kPassoInicio, kPassoFim);
    }

  private:
    // A row that cannot print (a range that is no number, a missing
    // template) stops the run before its separator goes out.
    void imprimirLinha(int linha) override {
        x_.passo = kPassoAguarde;
        x_.progresso.mostrarStatus("Aguarde o final da impressão das Etiquetas. . .");
        x_.passo = kPassoMarcada;
        if (!x_.grade.marcada(linha)) return;
        x_.passo = kPassoFaixa;
        lerLinha();
        x_.passo = kPassoTemplate;
        carregarModelo();
        x_.passo = kPassoSeparador;
        if (sku_)
            ImprimirSeparador(x_, linha);
        else
            ImprimirSeparadorCaixa(x_, linha);
        x_.passo = kPassoFolhas;
        numero_ = dados_.primeiroNumero;
        par_ = true;
        const long long folhas = contarFolhas();
        for (long long folha = 1; folha <= folhas; ++folha) imprimirFolha(folha);
    }

    void lerLinha() {
        using enum CampoPreco;
        const Linguagem l = x_.parametros.linguagem;
        const auto [primeira, ultima] = faixaDaLinha();
        primeiraDaLinha_ = primeira;
        std::string variante = celula(Variante);
        CompletarZeros(variante);
        dados_ = {
            .tipoEtiq = celula(TipoEtiq),
            .quantidade = ultima - primeira + 1,
            .primeiroNumero = reduzido(primeira),
            .variante = valorCodigoBarras(variante),
            .digito = valorCodigoBarras(celula(Digito)),
            .legivel = valorTexto(varianteLegivel(variante), l),
            .digitoLegivel = valorTexto(celula(Digito), l),
            .cor = valorTexto(celula(Cor), l),
            .corIngles = valorTexto(celula(CorIngles), l),
            .tamanho = valorTexto(celula(Tamanho), l),
            .tamanhoIngles = valorTexto(celula(TamanhoIngles), l),
            .departamento = valorTexto(celula(CodDepto), l),
            .descricao = valorTexto(celula(Descricao), l),
        };
        if (sku_ && (dados_.tipoEtiq == "5" || dados_.tipoEtiq == "9")) dados_.quantidade *= 2;
    }

    void carregarModelo() {
        std::string nome = x_.nomeTemplate;
        if (!sku_ && celula(CampoPreco::CodDepto) == kDepartamentoInterno)
            substituirTodos(nome, kModeloCaixa, kModeloInterna);
        caixa_ = !sku_ && nome.find(kModeloCaixa) != std::string::npos;
        x_.TextoTemplate = x_.lerModelo(nome);
        codigosPorFolha_ = contarCodigosBarras(x_.TextoTemplate);
    }

    long long contarFolhas() const {
        if (sku_) return folhasSku(dados_.quantidade, dados_.tipoEtiq);
        return folhasInternaCaixa(dados_.quantidade, dados_.tipoEtiq,
                                  caixa_ ? kPosicoesCaixa : kPosicoesInterna);
    }

    void imprimirFolha(long long folha) {
        x_.passo = kPassoFolhaStatus;
        MostrarStatusImpressao(x_, celula(CampoPreco::Pedido), celula(CampoPreco::Item), folha,
                               numero_);
        x_.passo = kPassoFolhaPreenchimento;
        if (sku_)
            preencherSku();
        else
            preencherInternaCaixa();
        anotarFolha(folha);
        x_.passo = kPassoFolhaEnvio;
        x_.enviarTexto(TipoTrabalho::Etiqueta, kSpool, x_.TextoSaida,
                       std::max(codigosPorFolha_, 1));
    }

    // In the grid's numbers, not the printed ones that start over after 9999:
    // a SKU sheet carries one number, an internal or box sheet one per bar
    // code, the row's first being the start sequence plus one.
    void anotarFolha(long long folha) {
        if (sku_) {
            anotarEtiquetas(primeiraDaLinha_ + folha - 1, primeiraDaLinha_ + folha - 1);
            return;
        }
        if (codigosPorFolha_ == 0) return;
        const long long antes = primeiraDaLinha_ + (folha - 1) * codigosPorFolha_;
        anotarEtiquetas(antes + 1, antes + codigosPorFolha_);
    }

    // Each bar code takes the next number; the n-th readable line of the
    // sheet shows the number of the n-th bar code.
    void preencherInternaCaixa() {
        numerosFolha_.clear();
        for (int i = 0; i < codigosPorFolha_; ++i)
            numerosFolha_.push_back(numero_ = proximo(numero_));
        std::size_t codigo = 0, legivel = 0;
        preencherFolha(x_.TextoTemplate, x_.TextoSaida, [&](Campo campo, std::string& texto) {
            switch (campo) {
                case Campo::CodigoBarras:
                    texto = codigoBarras('2', numerosFolha_.at(codigo++));
                    return true;
                case Campo::Prefixo:
                    texto = "2";
                    return true;
                case Campo::LinhaLegivel:
                    if (legivel >= numerosFolha_.size()) return false;
                    texto = dados_.digitoLegivel + " " + quatroDigitos(numerosFolha_[legivel++]);
                    return true;
                default:
                    return campoComum(campo, texto);
            }
        });
    }

    // One number for the whole sheet, bar codes and readable lines alike.
    void preencherSku() {
        const char prefixo = prefixoSku();
        const std::string codigo = codigoBarras(prefixo, numero_);
        const std::string linha = dados_.digitoLegivel + " " + quatroDigitos(numero_);
        preencherFolha(x_.TextoTemplate, x_.TextoSaida, [&](Campo campo, std::string& texto) {
            switch (campo) {
                case Campo::CodigoBarras:
                    texto = codigo;
                    return true;
                case Campo::Prefixo:
                    texto.assign(1, prefixo).append(" ");
                    return true;
                case Campo::LinhaLegivel:
                    texto = linha;
                    return true;
                default:
                    return campoComum(campo, texto);
            }
        });
        par_ = !par_;
        numero_ = proximo(numero_);
    }

    // TipoEtiq 5 and 9 print their labels in pairs of alternating prefixes.
    char prefixoSku() const {
        if (dados_.tipoEtiq == "5") return par_ ? '3' : '4';
        if (dados_.tipoEtiq == "9") return par_ ? '5' : '6';
        return '2';
    }

    std::string codigoBarras(char prefixo, long long numero) const {
        return codigoBarrasPreco(prefixo, dados_.variante, dados_.digito, numero,
                                 x_.parametros.zebra());
    }

    bool campoComum(Campo campo, std::string& texto) const {
        switch (campo) {
            case Campo::VarianteLegivel:
                texto = dados_.legivel;
                break;
            case Campo::CorIngles:
                texto = dados_.corIngles;
                break;
            case Campo::TamanhoIngles:
                texto = dados_.tamanhoIngles;
                break;
            case Campo::Cor:
                texto = dados_.cor;
                break;
            case Campo::Departamento:
                texto = dados_.departamento;
                break;
            case Campo::Tamanho:
                texto = dados_.tamanho;
                break;
            case Campo::Descricao:
                texto = dados_.descricao;
                break;
            case Campo::Temperatura:
            case Campo::TemperaturaEnvio:
                texto = x_.parametros.temperatura;
                break;
            case Campo::Velocidade:
                texto = x_.parametros.velocidade;
                break;
            default:
                return false;
        }
        return true;
    }

    const bool sku_;

    DadosLinha dados_;
    bool caixa_ = false;
    int codigosPorFolha_ = 0;
    long long numero_ = 0;  // the running number
    long long primeiraDaLinha_ = 0;
    bool par_ = true;  // the SKU pair flag
    std::vector<long long> numerosFolha_;
};

}  // namespace

void ImprimirEtiquetaInternaCaixa(ExecucaoImpressao& execucao) {
    ImpressaoFolhas(execucao, false).executar();
}

void ImprimirEtiquetaSku(ExecucaoImpressao& execucao) {
    ImpressaoFolhas(execucao, true).executar();
}

}  // namespace etiquetas
