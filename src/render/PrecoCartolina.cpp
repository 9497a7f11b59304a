#include "render/PrecoCartolina.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "comum/Arquivos.h"
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

// Where a family fills ":: ESTACAO ::" and ":: ESTRCOLECAO ::".
enum class PosicaoEstacao { AposBureau, AposPromocao, AposSupressao };

struct RegrasFamilia {
    bool doisNumerosPorUnidade;  // type 1: sequence n and n + 1 in one unit
    std::string_view tokenCodigo1;
    char prefixo1;
    std::string_view tokenCodigo2;
    char prefixo2;
    int somaCodigo2;  // number of the second code: counter + this
    bool suprimePreco;
    PosicaoEstacao estacao;
};

constexpr RegrasFamilia kCartolina{true,  ":: CodBarra1 ::",         '2', ":: CodBarra2 ::", '2', 1,
                                   false, PosicaoEstacao::AposBureau};
constexpr RegrasFamilia kComSem{
    false, ":: CodBarra ::", '3', ":: CodBarra1 ::", '4', 0, true, PosicaoEstacao::AposPromocao};
constexpr RegrasFamilia kConjunto{
    false, ":: CodBarra ::", '5', ":: CodBarra1 ::", '6', 0, true, PosicaoEstacao::AposSupressao};

// The price frames, "R$" texts and price fields of the shipped templates.
// The Datamax ones as shipped now (the price inside its frame) and as
// shipped before, which installed folders may still hold.
constexpr std::array<std::string_view, 12> kPrecoDpl{
    "1X1100000970007B133040002002", "1911A1801040036:: Preco ::", "1911A0801130015R$",
    "1X1100000970167B133040002002", "1911A1801040196:: Preco ::", "1911A0801130175R$",
    "1X1100002130031B120025001001", "192200300700028:: Preco ::", "191100200850013R$",
    "1X1100002130189B120025001001", "192200300700185:: Preco ::", "191100200850170R$"};
constexpr std::array<std::string_view, 6> kPrecoZpl{"^FO15,280^GB270,82,4^FS",
                                                    "^FT31,327^A0N,23,24^FH\\^FDR$^FS",
                                                    "^FT74,339^A0N,46,45^FH\\^FD:: Preco ::^FS",
                                                    "^FO340,280^GB270,82,4^FS",
                                                    "^FT356,327^A0N,23,24^FH\\^FDR$^FS",
                                                    "^FT399,339^A0N,46,45^FH\\^FD:: Preco ::^FS"};

constexpr int kUltimaSequencia = 9999;
constexpr long long kMaxLongo = std::numeric_limits<int>::max();
constexpr long long kMinLongo = std::numeric_limits<int>::min();

// Steps of a run, as the failure message names them.
enum Passo {
    kPassoInicio = 1,
    kPassoRepeticao,
    kPassoVelocidade,  // kept so that later steps keep their numbers
    kPassoAguarde,
    kPassoMarcada,
    kPassoFaixa,
    kPassoSeparador,
    kPassoTemplate,
    kPassoContador,
    kPassoUnidades,
    kPassoUnidadeCorpo,  // kept so that later steps keep their numbers
    kPassoUnidadeStatus,
    kPassoUnidadeRegistroDpl,
    kPassoUnidadeDeslocamentos,
    kPassoUnidadeFonte,
    kPassoUnidadeDados,
    kPassoUnidadeSomaLargura,
    kPassoUnidadeProximaSequencia,
    kPassoUnidadeCabecalho,
    kPassoUnidadeSubtraiLargura,
    kPassoUnidadeVelocidade,  // kept so that later steps keep their numbers
    kPassoUnidadeEnvio,
    kPassoFim,
};

std::string separado(const std::string& esquerda, const std::string& direita) {
    const bool ambos = !aparar(esquerda).empty() && !aparar(direita).empty();
    return esquerda + (ambos ? " - " : "") + direita;
}

long long verificarLongo(long long valor) {
    if (valor > kMaxLongo || valor < kMinLongo) throw FalhaImpressao("Estouro de capacidade.");
    return valor;
}

long long contadorInicial(long long primeira) {
    return primeira > kUltimaSequencia ? (primeira - 1) % kUltimaSequencia + 1 : primeira;
}

class ExecucaoPreco : public RotinaPreco {
  public:
    ExecucaoPreco(ExecucaoImpressao& execucao, const RegrasFamilia& regras)
        : RotinaPreco(execucao),
          cfg_(execucao.cfg),
          regras_(regras),
          novoLayout_(execucao.novoLayout()) {}

    void executar() {
        deslocamento_ = 0;
        executarLinhas(kPassoInicio, kPassoFim);
    }

  private:
    const ParametrosImpressao& parametros() const { return x_.parametros; }

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
        x_.passo = kPassoContador;
        contador_ = contadorInicial(primeira);
        x_.passo = kPassoUnidades;
        if (regras_.doisNumerosPorUnidade)
            imprimirPares(primeira, ultima);
        else
            for (long long k = primeira; k <= ultima; ++k) {
                primeiraDaUnidade_ = k;
                proximaAposUnidade_ = k + 1;
                imprimirUnidade(k);
            }
    }

    void imprimirPares(long long primeira, long long ultima) {
        long long n = verificarLongo(ultima - (primeira - 1));
        if (n > 1) n = (n % 2 == 1 ? n + 1 : n) / 2;
        for (long long u = 1; u <= n; ++u) {
            primeiraDaUnidade_ = primeira + 2 * (u - 1);
            proximaAposUnidade_ = primeira + 2 * u;
            imprimirUnidade(u);
        }
    }

    void imprimirUnidade(long long numeroMostrado) {
        x_.passo = kPassoUnidadeStatus;
        MostrarStatusImpressao(x_, celula(CampoPreco::Pedido), celula(CampoPreco::Item),
                               numeroMostrado, contador_);
        prepararCorpo();
        x_.passo = kPassoUnidadeDados;
        preencherDados();
        preenchimento_.aplicar(x_.TextoSaida);
        x_.passo = kPassoUnidadeSomaLargura;
        deslocamento_ = verificarLongo(deslocamento_ + cfg_.LarguraEtiqueta);
        x_.passo = kPassoUnidadeProximaSequencia;
        contador_ += regras_.doisNumerosPorUnidade ? 2 : 1;
        if (contador_ > kUltimaSequencia) contador_ = 1;
        x_.passo = kPassoUnidadeCabecalho;
        AplicarCabecalhoRodape(x_);
        x_.passo = kPassoUnidadeSubtraiLargura;
        subtrairRepeticao();
        x_.passo = kPassoUnidadeEnvio;
        enviar();
    }

    // What a unit takes from the template and the settings, before the row's
    // values: the same from one unit to the next while the offset is, so it
    // is made once and copied (three dozen passes over the template).
    void prepararCorpo() {
        std::string& texto = x_.TextoSaida;
        const bool semValores = regras_.estacao != PosicaoEstacao::AposSupressao;
        if (semValores && corpoPreparado_.serve(x_.CorpoTemplate, deslocamento_, cfg_)) {
            texto = corpoPreparado_.texto;
            x_.passo = kPassoUnidadeFonte;
            return;
        }
        texto.assign("\r\n").append(x_.CorpoTemplate);
        if (regras_.suprimePreco) suprimirPrecoSeInterno();
        if (regras_.estacao == PosicaoEstacao::AposSupressao) preencherEstacaoNoCorpo();
        x_.passo = kPassoUnidadeRegistroDpl;
        substituirTodos(texto, "1X11000_LI_LILIl01100010", "");
        x_.passo = kPassoUnidadeDeslocamentos;
        preencherDeslocamentos();
        x_.passo = kPassoUnidadeFonte;
        preencherFonte();
        if (semValores)
            corpoPreparado_ = {x_.CorpoTemplate, deslocamento_, cfg_.CodigoFonte, cfg_.NomeFonte,
                               texto};
    }

    struct CorpoPreparado {
        std::string corpo;
        long long deslocamento = 0;
        std::string codigoFonte, nomeFonte;
        std::string texto;

        bool serve(const std::string& c, long long d, const AtualizarConfiguracao& cfg) const {
            return !texto.empty() && d == deslocamento && c == corpo &&
                   cfg.CodigoFonte == codigoFonte && cfg.NomeFonte == nomeFonte;
        }
    };

    void suprimirPrecoSeInterno() {
        if (parametros().origemSolicitacao != "I") return;
        if (parametros().linguagem == Linguagem::DataMax)
            for (auto registro : kPrecoDpl) substituirTodos(x_.TextoSaida, registro, "");
        else if (parametros().linguagem == Linguagem::Zebra)
            for (auto comando : kPrecoZpl) substituirTodos(x_.TextoSaida, comando, "");
    }

    void preencherDeslocamentos() {
        const std::string valor = formatarInteiro(deslocamento_, "0000");
        for (auto token : kTokensDeslocamento) substituirTodos(x_.TextoSaida, token, valor);
        for (auto token : kTokensFixos) substituirTodos(x_.TextoSaida, token, "0000");
    }

    // Before the data fields, so a "*" inside a value reaches the printer.
    void preencherFonte() {
        std::string& texto = x_.TextoSaida;
        substituirTodos(texto, "*", cfg_.CodigoFonte);
        substituirTodos(texto, "FONTE_NOME", cfg_.CodigoFonte == "@" ? cfg_.NomeFonte : "");
    }

    // An order value into a text field, as text whatever it holds.
    void preencher(std::string_view token, std::string_view valor) {
        preencher(preenchimento_, token, valor);
    }
    void preencher(PreenchimentoUnidade& destino, std::string_view token, std::string_view valor) {
        destino.preencher(token, valorTexto(valor, parametros().linguagem));
    }

    void preencherEstacao(PreenchimentoUnidade& destino) {
        preencher(destino, ":: ESTACAO ::", celula(CampoPreco::Estacao));
        preencher(destino, ":: ESTRCOLECAO ::", celula(CampoPreco::EstrColecao));
    }

    // Before the offsets and the font, which are then sought in them too.
    void preencherEstacaoNoCorpo() {
        preencherEstacao(estacaoNoCorpo_);
        estacaoNoCorpo_.aplicar(x_.TextoSaida);
    }

    void preencherDados() {
        using enum CampoPreco;
        preencher(":: CodigoBureau ::", formatarNumero(celula(CodigoBureau), "000000"));
        if (regras_.estacao == PosicaoEstacao::AposBureau) preencherEstacao(preenchimento_);
        const std::string catalogo = aparar(separado(celula(Tendencia), celula(Familia)));
        preencher(":: Catalogo ::", catalogo);
        preencher(":: Promocao ::", separado(separado(celula(Catalogo), celula(CodigoPromocao)),
                                             celula(CodigoCoordenado)));
        if (regras_.estacao == PosicaoEstacao::AposPromocao) preencherEstacao(preenchimento_);
        preencherCodigosBarras();
        preencherTamanho();
        preencher(":: COR ::", celula(Cor));
        preencher(":: Preco ::", preco());
        preencher(":: NUM_COD_BARRAS1 ::",
                  esquerda(celula(DataEntrega), 4) + " " + formatarNumero(celula(CodDepto), "000"));
        std::string material = celula(Variante);
        preencher(":: NUM_COD_BARRAS2 ::", CompletarZeros(material));
        preencher(":: NUM_COD_BARRAS3 ::", formatarNumero(celula(Digito), "0"));
        preencher(":: Desc.Linha 02 ::", celula(Descricao));
        preencher(":: Desc.Linha 01 ::", celula(ValeAPena));
        preencher(":: REF_FORNECEDOR ::", celula(MaterialForn));
    }

    void preencherCodigosBarras() {
        std::string material = valorCodigoBarras(celula(CampoPreco::Variante));
        CompletarZeros(material);
        const std::string digito = valorCodigoBarras(celula(CampoPreco::Digito));
        const bool zebra = parametros().zebra();
        preenchimento_.preencher(regras_.tokenCodigo1, codigoBarrasPreco(regras_.prefixo1, material,
                                                                         digito, contador_, zebra));
        preenchimento_.preencher(regras_.tokenCodigo2,
                                 codigoBarrasPreco(regras_.prefixo2, material, digito,
                                                   contador_ + regras_.somaCodigo2, zebra));
    }

    void preencherTamanho() {
        const bool unico = maiusculas(aparar(celula(CampoPreco::Tamanho))) == "U";
        std::string tamanho = celula(CampoPreco::Tamanho);
        if (novoLayout_) CompletarEspacos(tamanho);
        if (unico) tamanho.clear();
        preenchimento_.preencher(":: TamanhoUnico ::", unico ? "UNICO" : "");
        preenchimento_.preencher("%1922A12%", "1922A12");
        preencher(":: Tamanho ::", tamanho);
    }

    std::string preco() const {
        std::string preco = celula(CampoPreco::PrecoMaterial);
        if (novoLayout_ && preco.size() < 8) preco.insert(0, 8 - preco.size(), ' ');
        return preco;
    }

    void subtrairRepeticao() {
        const int produto = cfg_.LarguraEtiqueta * cfg_.Repeticao;
        if (produto > 32767 || produto < -32768) throw FalhaImpressao("Estouro de capacidade.");
        deslocamento_ = verificarLongo(deslocamento_ - produto);
    }

    // A unit that does not reach the printer is where a new run resumes;
    // once it went out (a stop may follow at once), the next one is.
    void enviar() {
        anotarEtiquetas(primeiraDaUnidade_, proximaAposUnidade_ - 1);
        x_.resultado.proximaSequencia = primeiraDaUnidade_;
        try {
            enviarUnidade();
        } catch (const ImpressaoInterrompida&) {
            x_.resultado.proximaSequencia = proximaAposUnidade_;
            throw;
        }
        x_.resultado.proximaSequencia = proximaAposUnidade_;
    }

    void enviarUnidade() {
        const int etiquetas = regras_.doisNumerosPorUnidade ? 2 : 1;
        if (parametros().datamax()) {
            auto& lote = x_.memoria.LoteDatamax;
            lote += x_.TextoSaida;
            x_.enviarConfiguracaoDatamax();
            x_.enviarEtiquetas(kSpool, lote, etiquetas);
            lote.clear();
        } else {
            x_.enviarEtiquetas(kSpool, x_.TextoSaida, etiquetas);
        }
    }

    static constexpr const char* kSpool = "SpoolEtq.PRN";

    const AtualizarConfiguracao& cfg_;
    const RegrasFamilia& regras_;
    const bool novoLayout_;

    long long contador_ = 0;
    long long primeiraDaUnidade_ = 0;   // first sequence number of the unit being sent
    long long proximaAposUnidade_ = 0;  // what a stop after this unit leaves to print
    // The sixteen offsets start equal and change together: one value.
    long long deslocamento_ = 0;
    CorpoPreparado corpoPreparado_;
    PreenchimentoUnidade preenchimento_, estacaoNoCorpo_;
};

bool somenteDigitos(const std::string& texto) {
    return std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string codigoBarrasPreco(char prefixo, const std::string& material, const std::string& digito,
                              long long numero, bool zebra) {
    std::string codigo = prefixo + material + digito + formatarInteiro(numero, "0000");
    // Subset C packs digits in pairs: an odd last digit needs subset B.
    if (zebra && codigo.size() % 2 == 1 && somenteDigitos(codigo))
        codigo.insert(codigo.size() - 1, ">6");
    return codigo;
}

void ImprimirPrecoCartolina(ExecucaoImpressao& execucao) {
    ExecucaoPreco(execucao, kCartolina).executar();
}

void ImprimirPrecoCartolinaComSem(ExecucaoImpressao& execucao) {
    ExecucaoPreco(execucao, kComSem).executar();
}

void ImprimirPrecoConjunto(ExecucaoImpressao& execucao) {
    ExecucaoPreco(execucao, kConjunto).executar();
}

}  // namespace etiquetas
