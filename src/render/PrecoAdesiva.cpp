#include "render/PrecoAdesiva.h"

#include <array>
#include <cmath>
#include <limits>

#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/PrecoCartolina.h"
#include "render/RotinaPreco.h"
#include "render/Separador.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

constexpr const char* kSpool = "SpoolEtq.PRN";
constexpr long long kUltimaSequencia = 9999;
constexpr std::size_t kMaxPosicoes = 12;

// Steps of a run, as the failure message names them.
enum Passo {
    kPassoInicio = 1,
    kPassoAguarde,
    kPassoMarcada,
    kPassoPosicoes,
    kPassoFaixa,
    kPassoSeparador,
    kPassoTemplate,
    kPassoNumeros,
    kPassoFileiras,
    kPassoEtiquetaCorpo,
    kPassoEtiquetaStatus,
    kPassoEtiquetaPosicoes,
    kPassoEtiquetaFonte,
    kPassoEtiquetaDados,
    kPassoEtiquetaColuna,
    kPassoEtiquetaProxima,
    kPassoFileiraFim,
    kPassoFileiraCabecalho,
    kPassoFileiraVolta,
    kPassoFileiraVelocidade,  // kept so that later steps keep their numbers
    kPassoFileiraEnvio,
    kPassoFimDatamax,
    kPassoFim,
};

short curto(long long valor) {
    if (valor < std::numeric_limits<short>::min() || valor > std::numeric_limits<short>::max())
        throw FalhaImpressao("Estouro de capacidade.");
    return static_cast<short>(valor);
}

// A stored position must give two numbers; a missing key counts as 0.
void verificarPosicao(const std::string& valor, const std::string& secao, std::string_view chave,
                      const AtualizarConfiguracao& cfg) {
    if (valor.empty()) return;
    const auto x = valorNumerico(esquerda(valor, 4));
    const auto y = valorNumerico(direita(valor, 4));
    if (valor.size() < 8 || !x || !y)
        throw FalhaImpressao("Posição inválida em QuelmonteEtiqueta.ini, seção " + secao +
                             ", chave " + std::string(chave) + ": \"" + valor + "\".");
    curto(std::llround(*x) + cfg.margemEsquerda);
    curto(std::llround(*y) + cfg.margemTopo);
}

class ExecucaoAdesiva : public RotinaPreco {
  public:
    ExecucaoAdesiva(ExecucaoImpressao& execucao, const FamiliaAdesiva& familia)
        : RotinaPreco(execucao),
          cfg_(execucao.cfg),
          familia_(familia),
          pares_(familia.paresNoLayoutNovo && execucao.novoLayout()),
          secao_(std::string(familia.secaoPosicoes) + execucao.linguagem()) {}

    void executar() {
        executarLinhas(kPassoInicio, kPassoFimDatamax);
        enviarLoteRestante();
        x_.passo = kPassoFim;
    }

  private:
    void imprimirLinha(int linha) override {
        x_.passo = kPassoAguarde;
        x_.progresso.mostrarStatus("Aguarde o final da impressão das Etiquetas. . .");
        x_.passo = kPassoMarcada;
        if (!x_.grade.marcada(linha)) return;
        // Only the rows that print need them: the values are the same for
        // every row, so a bad one still stops the run before its first label.
        x_.passo = kPassoPosicoes;
        lerPosicoes();
        x_.passo = kPassoFaixa;
        const auto faixa = faixaDaLinha();
        const long long primeira = faixa.primeira;
        ultima_ = faixa.ultima;
        x_.passo = kPassoSeparador;
        imprimirSeparadorSeDevido(ComparacaoSeparador::NumerosFormados);
        x_.passo = kPassoTemplate;
        CarregarTemplate(x_);
        ExtrairCorpoTemplate(x_);
        x_.passo = kPassoNumeros;
        c_ = a_ = primeira;
        b_ = primeira + 1;
        x_.passo = kPassoFileiras;
        for (s_ = primeira; s_ <= ultima_ + 1; ++s_)
            if (!imprimirFileira()) break;
    }

    // Read afresh for every grid row: the moves of one row never carry over.
    void lerPosicoes() {
        for (std::size_t i = 0; i < familia_.chaves.size() && i < kMaxPosicoes; ++i) {
            const std::string valor = x_.lerLayout(secaoPosicoes(secao_), familia_.chaves[i]);
            posicaoComMargens(cfg_, valor, posX_[i], posY_[i]);
            verificarPosicao(valor, secao_, familia_.chaves[i], cfg_);
        }
    }

    // One printed row: `Repeticao` labels side by side, or one pair of the
    // new layout. False when the grid row has nothing more to print.
    bool imprimirFileira() {
        x_.TextoSaida.clear();
        const int colunas = pares_ ? 1 : repeticao();
        int coluna = 1;
        int etiquetas = 0;
        for (; coluna <= colunas; ++coluna) {
            imprimirEtiqueta();
            etiquetas += pares_ ? 2 : 1;
            x_.passo = kPassoEtiquetaColuna;
            moverX(passoColuna());
            if (pares_) continue;
            x_.passo = kPassoEtiquetaProxima;
            if (ultima_ < ++s_) {
                s_ += 2;
                break;
            }
            if (++c_ > kUltimaSequencia) c_ = 1;
        }
        x_.passo = kPassoFileiraFim;
        if (pares_) {
            if (ultima_ < s_) return false;
            ++s_;
            a_ = b_ + 1;
            b_ = a_ + 1;
        } else {
            --s_;
        }
        concluirFileira(coluna, etiquetas);
        return true;
    }

    int repeticao() const {
        // A row of no labels would never advance the sequence.
        if (cfg_.Repeticao >= 1) return cfg_.Repeticao;
        // Loading keeps 0 for a stored value that is no 16-bit number: say
        // what is wrong with the value, not with the 0.
        const std::string secao = cfg_.NomeSecao();
        const std::string texto = LerArquivoIni(x_.pastas, secao, "Repeticao");
        const auto valor = valorNumerico(texto);
        if (!texto.empty() && (!valor || std::abs(std::round(*valor)) > 32767))
            throw FalhaImpressao("Valor inválido para Repeticao na seção " + secao +
                                 " de QuelmonteEtiqueta.ini: \"" + texto +
                                 "\" (deve ser um número inteiro de 1 a 32767).");
        throw FalhaImpressao("Repetição deverá ser maior que 0 na seção " + secao +
                             " de QuelmonteEtiqueta.ini.");
    }

    // The classic row steps one label width per label; the new layout's one
    // body a row steps the whole row, so both come back in place.
    int passoColuna() const { return pares_ ? larguraFileira() : cfg_.LarguraEtiqueta; }

    int larguraFileira() const { return curto(cfg_.LarguraEtiqueta * cfg_.Repeticao); }

    // Each label is filled on its own, so a value of one label is never
    // taken for a token by the next.
    void imprimirEtiqueta() {
        x_.passo = kPassoEtiquetaCorpo;
        corpo_.assign(x_.CorpoTemplate);
        x_.passo = kPassoEtiquetaStatus;
        MostrarStatusImpressao(x_, celula(CampoPreco::Pedido), celula(CampoPreco::Item), s_, a_);
        x_.passo = kPassoEtiquetaPosicoes;
        substituirTodos(corpo_, "1X11000_LI_LILIl01100010", "");
        preencherPosicoes(familia_.tokensX, posX_);
        preencherPosicoes(familia_.tokensY, posY_);
        x_.passo = kPassoEtiquetaFonte;
        substituirTodos(corpo_, "*", cfg_.CodigoFonte);
        substituirTodos(corpo_, "FONTE_NOME", cfg_.CodigoFonte == "@" ? cfg_.NomeFonte : "");
        x_.passo = kPassoEtiquetaDados;
        const EtiquetaAdesiva etiqueta{
            LinhaPreco(x_.grade, x_.linha), pares_ ? a_ : c_,     b_, x_.novoLayout(),
            x_.parametros.linguagem,        x_.parametros.zebra()};
        familia_.preencherDados(etiqueta, preenchimento_);
        preenchimento_.aplicar(corpo_);
        x_.TextoSaida.append("\r\n").append(corpo_);
        if (pares_)
            anotarEtiquetas(a_, b_);
        else
            anotarEtiquetas(s_, s_);
    }

    void preencherPosicoes(std::span<const TokenPosicao> tokens,
                           const std::array<short, kMaxPosicoes>& valores) {
        for (const auto& [token, campo] : tokens)
            substituirTodos(corpo_, token,
                            campo < 0 ? "0000" : formatarInteiro(valores.at(campo), "0000"));
    }

    void moverX(long long deslocamento) {
        for (auto& x : posX_) x = curto(x + deslocamento);
    }

    void concluirFileira(int coluna, int etiquetas) {
        x_.passo = kPassoFileiraCabecalho;
        AplicarCabecalhoRodape(x_);
        x_.passo = kPassoFileiraVolta;
        moverX(-larguraFileira());
        x_.passo = kPassoFileiraEnvio;
        enviar(coluna, etiquetas);
    }

    // Datamax rows wait in the batch until a row that filled its columns
    // reaches the count of 2; a pair of the new layout goes at once.
    void enviar(int coluna, int etiquetas) {
        auto& memoria = x_.memoria;
        if (!x_.parametros.datamax()) {
            memoria.ContadorLoteDatamax = 0;
            x_.enviarEtiquetas(kSpool, x_.TextoSaida, etiquetas);
            return;
        }
        memoria.LoteDatamax += x_.TextoSaida;
        etiquetasNoLote_ += etiquetas;
        if (pares_) {
            enviarLote();
            memoria.ContadorLoteDatamax = 0;
            return;
        }
        memoria.ContadorLoteDatamax = coluna - 1;
        if (memoria.ContadorLoteDatamax == 2) {
            enviarLote();
            memoria.ContadorLoteDatamax = 0;
        } else {
            ++memoria.ContadorLoteDatamax;
        }
    }

    void enviarLote() {
        x_.enviarEtiquetas(kSpool, x_.memoria.LoteDatamax, etiquetasNoLote_);
        x_.memoria.LoteDatamax.clear();
        etiquetasNoLote_ = 0;
    }

    // The count carries over from the previous run; an empty batch is not
    // a job.
    void enviarLoteRestante() {
        if (!x_.parametros.datamax() || x_.memoria.ContadorLoteDatamax == 0) return;
        if (x_.memoria.LoteDatamax.empty()) return;
        if (familia_.configuracaoDatamaxNoFim) x_.enviarConfiguracaoDatamax();
        enviarLote();
    }

    const AtualizarConfiguracao& cfg_;
    const FamiliaAdesiva& familia_;
    const bool pares_;
    const std::string secao_;

    std::array<short, kMaxPosicoes> posX_{}, posY_{};
    long long s_ = 0, c_ = 0, a_ = 0, b_ = 0, ultima_ = 0;
    int etiquetasNoLote_ = 0;
    std::string corpo_;  // reused for every label
    PreenchimentoUnidade preenchimento_;
};

// ---- Adhesive price labels.

enum CampoAdesiva {
    kCatalogo,
    kInformacao,
    kDepartamento,
    kTamanho,
    kDescricao1,
    kDescricao2,
    kReferencia,
    kCodigoBarra,
    kPosicaoCodigoBarra,
    kMoeda,
    kPreco,
    kBureau,
};

constexpr std::array<std::string_view, 12> kChavesAdesiva{"Catalogo",
                                                          "Informacao",
                                                          "CodigoDepartamento",
                                                          "Tamanho",
                                                          "DescricaoLinha01",
                                                          "DescricaoLinha02",
                                                          "RefFornecedor",
                                                          "CodigoBarra",
                                                          "PosicaoCodigoBarra",
                                                          "Moeda",
                                                          "Preco",
                                                          "Bureau"};

constexpr std::array<TokenPosicao, 12> kXAdesiva{{{"CCCC", kCatalogo},
                                                  {"DDDD", kInformacao},
                                                  {"TTTT", kTamanho},
                                                  {"DLDL", kDescricao1},
                                                  {"LDLD", kDescricao2},
                                                  {"REFF", kReferencia},
                                                  {"CBCB", kCodigoBarra},
                                                  {"EEEE", kPosicaoCodigoBarra},
                                                  {"MMMM", kMoeda},
                                                  {"PPPP", kPreco},
                                                  {"BBBB", kBureau},
                                                  {"LILI", kDepartamento}}};

constexpr std::array<TokenPosicao, 12> kYAdesiva{{{"_LI_", kDepartamento},
                                                  {"_CC_", kCatalogo},
                                                  {"_DD_", kInformacao},
                                                  {"_TT_", kTamanho},
                                                  {"_LD_", kDescricao1},
                                                  {"_DL_", kDescricao2},
                                                  {"_EF_", kReferencia},
                                                  {"_BC_", kCodigoBarra},
                                                  {"_EE_", kPosicaoCodigoBarra},
                                                  {"_MM_", kMoeda},
                                                  {"_PP_", kPreco},
                                                  {"_BB_", kBureau}}};

std::string linhaDados(const LinhaPreco& l, long long numero) {
    using enum CampoPreco;
    return esquerda(l[DataEntrega], 4) + " " + formatarNumero(l[CodDepto], "000") + " " +
           materialAdesiva(l) + " " + formatarNumero(l[Digito], "0") + " " +
           esquerda(l[DataTransmissao], 4) + " " + formatarInteiro(numero, "00000");
}

std::string precoAdesiva(const EtiquetaAdesiva& e) {
    std::string preco = e.linha[CampoPreco::PrecoMaterial];
    if (e.novo && preco.size() < 8) preco.insert(0, 8 - preco.size(), ' ');
    return preco;
}

void preencherDadosAdesiva(const EtiquetaAdesiva& e, PreenchimentoUnidade& t) {
    using enum CampoPreco;
    const auto& l = e.linha;
    const auto lg = e.linguagem;
    const auto [tamanho, unico] = tamanhoAdesiva(e);
    preencherTexto(t, ":: TamanhoUnico ::", unico, lg);
    preencherTexto(t, ":: ESTACAO ::", l[Estacao], lg);
    preencherTexto(t, ":: ESTRCOLECAO ::", l[EstrColecao], lg);
    t.preencher("%1922A12%", "1922A12");
    if (e.novo) {
        preencherTexto(t, ":: Desc. Linha 01 ::", l[Descricao], lg);
        preencherTexto(t, ":: Desc. Linha 02 ::", materialAdesiva(l), lg);
        preencherTexto(t, ":: Catalogo ::", l[Cor], lg);
        preencherTexto(t, ":: Tamanho ::", tamanho, lg);
    }
    preencherTexto(t, ":: Tamanho ::", "TAM: " + tamanho, lg);
    preencherTexto(t, ":: Prec", precoAdesiva(e), lg);
    preencherTexto(t, ":: CodigoBureau ::", l[CodigoBureau], lg);
    preencherTexto(t, ":: Dados Dt,Depto,Mat,Dig ::", linhaDados(l, e.numero), lg);
    if (e.novo) preencherTexto(t, ":: Dados Dt,Depto,Mat,Dig2 ::", linhaDados(l, e.numeroPar), lg);
    preencherTexto(t, ":: Catalogo ::", l[Catalogo], lg);
    preencherTexto(t, ":: Desc. Linha 02 ::", l[Descricao] + "   " + l[CodigoPromocao], lg);
    preencherTexto(
        t, ":: Desc.Linha 01 ::",
        l[CodigoCoordenado] + " " + l[Tendencia] + "  " + l[Parede] + "    " + l[ValeAPena], lg);
    t.preencher("COL1:: Cod. da Barra ::", codigoBarrasAdesiva(e, e.numero));
    if (e.novo) t.preencher("COL1:: Cod. da Barra2 ::", codigoBarrasAdesiva(e, e.numeroPar));
    preencherTexto(t, ":: REF_FORNECEDOR ::", l[MaterialForn], lg);
}

constexpr FamiliaAdesiva kAdesiva{
    "QuelmonteEtiqPrecoAdesiva", kChavesAdesiva, kXAdesiva, kYAdesiva, true, true,
    preencherDadosAdesiva};

}  // namespace

std::string materialAdesiva(const LinhaPreco& linha) {
    std::string material = linha[CampoPreco::Variante];
    return CompletarZeros(material);
}

std::string codigoBarrasAdesiva(const EtiquetaAdesiva& etiqueta, long long numero) {
    return codigoBarrasPreco('2', valorCodigoBarras(materialAdesiva(etiqueta.linha)),
                             valorCodigoBarras(etiqueta.linha[CampoPreco::Digito]), numero,
                             etiqueta.zebra);
}

TamanhoAdesiva tamanhoAdesiva(const EtiquetaAdesiva& etiqueta) {
    const std::string& celula = etiqueta.linha[CampoPreco::Tamanho];
    if (maiusculas(aparar(celula)) == "U") return {"", "UNICO"};
    std::string tamanho = celula;
    if (etiqueta.novo) CompletarEspacos(tamanho);
    return {tamanho, ""};
}

void imprimirAdesiva(ExecucaoImpressao& execucao, const FamiliaAdesiva& familia) {
    ExecucaoAdesiva(execucao, familia).executar();
}

void ImprimirPrecoAdesiva(ExecucaoImpressao& execucao) {
    imprimirAdesiva(execucao, kAdesiva);
}

}  // namespace etiquetas
