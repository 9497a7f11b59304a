#include "render/PrecoCartolina.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "output/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/Separador.h"
#include "render/TratamentoFalhas.h"

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

constexpr std::array<std::string_view, 16> kTokensDeslocamento{
    "GGGG", "B1B1", "CCCC", "B2B2", "TTTT", "TATA", "PPPP", "RRRR",
    "IIII", "CTCT", "COCO", "L1L1", "L2L2", "REFF", "BBBB", "LILI"};
constexpr std::array<std::string_view, 16> kTokensFixos{
    "_LI_", "_GG_", "_B1_", "_CC_", "_B2_", "_TT_", "_TA_", "_PP_",
    "_RR_", "_II_", "_CA_", "_CO_", "_L1_", "_L2_", "_RF_", "_BB_"};

// The price frames, "R$" texts and price fields of the shipped templates.
constexpr std::array<std::string_view, 6> kPrecoDpl{
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
    kPassoVelocidade,
    kPassoAguarde,
    kPassoMarcada,
    kPassoFaixa,
    kPassoSeparador,
    kPassoTemplate,
    kPassoContador,
    kPassoUnidades,
    kPassoUnidadeCorpo,
    kPassoUnidadeStatus,
    kPassoUnidadeRegistroDpl,
    kPassoUnidadeDeslocamentos,
    kPassoUnidadeFonte,
    kPassoUnidadeDados,
    kPassoUnidadeSomaLargura,
    kPassoUnidadeProximaSequencia,
    kPassoUnidadeCabecalho,
    kPassoUnidadeSubtraiLargura,
    kPassoUnidadeVelocidade,
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

long long parteInteira(const LeitorGrade& grade, int linha, int coluna, const char* nome) {
    const auto valor = valorNumerico(grade.texto(linha, coluna));
    if (!valor)
        throw FalhaImpressao(std::string("Valor não numérico em ") + nome + ": \"" +
                             grade.texto(linha, coluna) + "\".");
    const double inteiro = std::trunc(*valor);
    if (inteiro > static_cast<double>(kMaxLongo) || inteiro < static_cast<double>(kMinLongo))
        throw FalhaImpressao("Estouro de capacidade.");
    return static_cast<long long>(inteiro);
}

long long contadorInicial(long long primeira) {
    return primeira > kUltimaSequencia ? (primeira - 1) % kUltimaSequencia + 1 : primeira;
}

class ExecucaoPreco {
  public:
    ExecucaoPreco(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                  const std::string& nomeTemplate, const std::string& nomeSeparador,
                  const std::string& linguagem, const RegrasFamilia& regras, int& passo)
        : despacho_(ambiente.despacho),
          modulo_(ambiente.modulo),
          grade_(ambiente.sprPedidos),
          cfg_(cfg),
          nomeTemplate_(nomeTemplate),
          nomeSeparador_(nomeSeparador),
          linguagem_(linguagem),
          linguagemMinuscula_(minusculas(linguagem)),
          novoLayout_(nomeTemplate.find("_NOVO") != std::string::npos),
          regras_(regras),
          passo_(passo) {}

    void executar() {
        passo_ = kPassoInicio;
        modulo_.LoteDatamax.clear();
        modulo_.TextoSaida.clear();
        modulo_.PedidoSeparador = "00000";
        modulo_.ItemSeparador = "00000";
        deslocamento_ = 0;
        spool_ = despacho_.caminhoSpool("SpoolEtq.PRN");
        for (int linha = 0; linha <= grade_.linhas(); ++linha) imprimirLinha(linha);
        passo_ = kPassoFim;
        janela().mostrarStatus("Etiquetas impressas com Sucesso. . .");
        despacho_.plataforma().mensagem("Impressão das Etiquetas concluída com sucesso !",
                                        "Fim da Impressão", Icone::Informacao, Botoes::Ok);
    }

  private:
    JanelaImpressao& janela() { return despacho_.janela(); }
    const std::string& celula(int coluna) const { return grade_.texto(linha_, coluna); }

    void imprimirLinha(int linha) {
        linha_ = linha;
        passo_ = kPassoRepeticao;
        lerRepeticao();
        passo_ = kPassoVelocidade;
        velocidade_ = valorVelocidade(janela());
        zebra_ = fabricanteImpressora(janela().impressora()) == "ZEBRA";
        passo_ = kPassoAguarde;
        despacho_.plataforma().processarEventos();
        janela().mostrarStatus("Aguarde o final da impressão das Etiquetas. . .");
        passo_ = kPassoMarcada;
        if (!grade_.marcada(linha)) return;
        passo_ = kPassoFaixa;
        const long long primeira = parteInteira(grade_, linha, 23, "Inf. a Seq. Inicial");
        const long long ultima = parteInteira(grade_, linha, 24, "Inf. a Seq.Final");
        passo_ = kPassoSeparador;
        imprimirSeparadorSeDevido();
        passo_ = kPassoTemplate;
        CarregarTemplate(modulo_, despacho_.pasta(), nomeTemplate_, janela());
        ExtrairCorpoTemplate(modulo_);
        passo_ = kPassoContador;
        contador_ = contadorInicial(primeira);
        passo_ = kPassoUnidades;
        if (regras_.doisNumerosPorUnidade)
            imprimirPares(primeira, ultima);
        else
            for (long long k = primeira; k <= ultima; ++k) imprimirUnidade(k);
    }

    void imprimirPares(long long primeira, long long ultima) {
        long long n = verificarLongo(ultima - (primeira - 1));
        if (n > 1) n = (n % 2 == 1 ? n + 1 : n) / 2;
        for (long long u = 1; u <= n; ++u) imprimirUnidade(u);
    }

    // The section is read for every row, printed or not; only a value that
    // is not a number matters here.
    void lerRepeticao() {
        const std::string secao = "QuelmonteEtiqPreco" + linguagem_;
        const std::string texto = LerArquivoIni(despacho_.pasta(), secao, "Repeticao");
        const auto valor = valorNumerico(texto);
        if (!valor || std::round(*valor) < -32768 || std::round(*valor) > 32767)
            throw FalhaImpressao("Valor inválido para Repeticao na seção " + secao +
                                 " de QuelmonteEtiqueta.ini: \"" + texto + "\".");
    }

    void imprimirSeparadorSeDevido() {
        if (!janela().separadorPorPedido()) return;
        if (celula(6) == modulo_.PedidoSeparador && celula(7) == modulo_.ItemSeparador) return;
        modulo_.PedidoSeparador = celula(6);
        modulo_.ItemSeparador = celula(7);
        ImprimirSeparador(despacho_, modulo_, grade_, linha_, nomeSeparador_, linguagem_);
    }

    void imprimirUnidade(long long numeroMostrado) {
        std::string& texto = modulo_.TextoSaida;
        passo_ = kPassoUnidadeCorpo;
        texto.assign("\r\n").append(modulo_.CorpoTemplate);
        passo_ = kPassoUnidadeStatus;
        MostrarStatusImpressao(modulo_, grade_, linha_, janela(), despacho_.plataforma(),
                               numeroMostrado, contador_);
        if (regras_.suprimePreco) suprimirPrecoSeInterno();
        if (regras_.estacao == PosicaoEstacao::AposSupressao) preencherEstacao();
        passo_ = kPassoUnidadeRegistroDpl;
        substituirTodos(texto, "1X11000_LI_LILIl01100010", "");
        passo_ = kPassoUnidadeDeslocamentos;
        preencherDeslocamentos();
        passo_ = kPassoUnidadeFonte;
        preencherFonte();
        passo_ = kPassoUnidadeDados;
        preencherDados();
        passo_ = kPassoUnidadeSomaLargura;
        deslocamento_ = verificarLongo(deslocamento_ + cfg_.LarguraEtiqueta);
        passo_ = kPassoUnidadeProximaSequencia;
        contador_ += regras_.doisNumerosPorUnidade ? 2 : 1;
        if (contador_ > kUltimaSequencia) contador_ = 1;
        passo_ = kPassoUnidadeCabecalho;
        AplicarCabecalhoRodape(modulo_);
        passo_ = kPassoUnidadeSubtraiLargura;
        subtrairRepeticao();
        passo_ = kPassoUnidadeVelocidade;
        substituirTodos(texto, "::Temperatura::", janela().temperatura());
        substituirTodos(texto, ":: CMD_VELOCIDADE ::", velocidade_);
        passo_ = kPassoUnidadeEnvio;
        enviar();
    }

    void suprimirPrecoSeInterno() {
        if (janela().origemSolicitacao() != "I") return;
        if (linguagemMinuscula_ == "datamax")
            for (auto registro : kPrecoDpl) substituirTodos(modulo_.TextoSaida, registro, "");
        else if (linguagemMinuscula_ == "zebra")
            for (auto comando : kPrecoZpl) substituirTodos(modulo_.TextoSaida, comando, "");
    }

    void preencherDeslocamentos() {
        const std::string valor = formatarInteiro(deslocamento_, "0000");
        for (auto token : kTokensDeslocamento) substituirTodos(modulo_.TextoSaida, token, valor);
        for (auto token : kTokensFixos) substituirTodos(modulo_.TextoSaida, token, "0000");
    }

    // Before the data fields, so a "*" inside a value reaches the printer.
    void preencherFonte() {
        std::string& texto = modulo_.TextoSaida;
        substituirTodos(texto, "*", cfg_.CodigoFonte);
        substituirTodos(texto, "FONTE_NOME", cfg_.CodigoFonte == "@" ? cfg_.NomeFonte : "");
    }

    void preencherEstacao() {
        substituirTodos(modulo_.TextoSaida, ":: ESTACAO ::", celula(40));
        substituirTodos(modulo_.TextoSaida, ":: ESTRCOLECAO ::", celula(39));
    }

    void preencherDados() {
        std::string& texto = modulo_.TextoSaida;
        substituirTodos(texto, ":: CodigoBureau ::", formatarNumero(celula(27), "000000"));
        if (regras_.estacao == PosicaoEstacao::AposBureau) preencherEstacao();
        const std::string catalogo = aparar(separado(celula(16), celula(38)));
        substituirTodos(texto, ":: Catalogo ::", catalogo);
        substituirTodos(texto,
                        ":: Promocao ::", separado(separado(celula(11), celula(20)), celula(15)));
        if (regras_.estacao == PosicaoEstacao::AposPromocao) preencherEstacao();
        preencherCodigosBarras();
        preencherTamanho();
        substituirTodos(texto, ":: COR ::", celula(34));
        substituirTodos(texto, ":: Preco ::", preco());
        substituirTodos(texto, ":: NUM_COD_BARRAS1 ::",
                        esquerda(celula(12), 4) + " " + formatarNumero(celula(13), "000"));
        std::string material = celula(5);
        substituirTodos(texto, ":: NUM_COD_BARRAS2 ::", CompletarZeros(material));
        substituirTodos(texto, ":: NUM_COD_BARRAS3 ::", formatarNumero(celula(10), "0"));
        substituirTodos(texto, ":: Desc.Linha 02 ::", celula(3));
        substituirTodos(texto, ":: Desc.Linha 01 ::", celula(18));
        substituirTodos(texto, ":: REF_FORNECEDOR ::", celula(26));
    }

    void preencherCodigosBarras() {
        std::string material = celula(5);
        CompletarZeros(material);
        const auto& digito = celula(10);
        substituirTodos(modulo_.TextoSaida, regras_.tokenCodigo1,
                        codigoBarrasPreco(regras_.prefixo1, material, digito, contador_, zebra_));
        substituirTodos(modulo_.TextoSaida, regras_.tokenCodigo2,
                        codigoBarrasPreco(regras_.prefixo2, material, digito,
                                          contador_ + regras_.somaCodigo2, zebra_));
    }

    void preencherTamanho() {
        const bool unico = maiusculas(aparar(celula(4))) == "U";
        std::string tamanho = celula(4);
        if (novoLayout_) CompletarEspacos(tamanho);
        if (unico) tamanho.clear();
        substituirTodos(modulo_.TextoSaida, ":: TamanhoUnico ::", unico ? "UNICO" : "");
        substituirTodos(modulo_.TextoSaida, "%1922A12%", "1922A12");
        substituirTodos(modulo_.TextoSaida, ":: Tamanho ::", tamanho);
    }

    std::string preco() const {
        std::string preco = celula(21);
        if (novoLayout_ && preco.size() < 8) preco.insert(0, 8 - preco.size(), ' ');
        return preco;
    }

    void subtrairRepeticao() {
        const int produto = cfg_.LarguraEtiqueta * cfg_.Repeticao;
        if (produto > 32767 || produto < -32768) throw FalhaImpressao("Estouro de capacidade.");
        deslocamento_ = verificarLongo(deslocamento_ - produto);
    }

    void enviar() {
        if (linguagemMinuscula_ == "datamax") {
            modulo_.LoteDatamax += modulo_.TextoSaida;
            despacho_.EnviarConfiguracaoDatamax();
            despacho_.EnviarSpool(spool_, modulo_.LoteDatamax);
            modulo_.LoteDatamax.clear();
        } else {
            despacho_.EnviarSpool(spool_, modulo_.TextoSaida);
        }
    }

    Despacho& despacho_;
    ModuloImpressao& modulo_;
    const LeitorGrade& grade_;
    const AtualizarConfiguracao& cfg_;
    const std::string& nomeTemplate_;
    const std::string& nomeSeparador_;
    const std::string& linguagem_;
    const std::string linguagemMinuscula_;
    const bool novoLayout_;
    const RegrasFamilia& regras_;
    int& passo_;

    std::filesystem::path spool_;
    int linha_ = 0;
    long long contador_ = 0;
    // The sixteen offsets start equal and change together: one value.
    long long deslocamento_ = 0;
    std::string velocidade_;
    bool zebra_ = false;
};

void executarPreco(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                   const std::string& nomeTemplate, const std::string& nomeSeparador,
                   const std::string& linguagem, const RegrasFamilia& regras) {
    executarRotina(ambiente.despacho.plataforma(), [&](int& passo) {
        ExecucaoPreco(ambiente, cfg, nomeTemplate, nomeSeparador, linguagem, regras, passo)
            .executar();
    });
}

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

void ImprimirPrecoCartolina(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                            const std::string& nomeTemplate, const std::string& nomeSeparador,
                            const std::string& linguagem) {
    executarPreco(ambiente, cfg, nomeTemplate, nomeSeparador, linguagem, kCartolina);
}

void ImprimirPrecoCartolinaComSem(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                                  const std::string& nomeTemplate, const std::string& nomeSeparador,
                                  const std::string& linguagem) {
    executarPreco(ambiente, cfg, nomeTemplate, nomeSeparador, linguagem, kComSem);
}

void ImprimirPrecoConjunto(AmbienteImpressao& ambiente, const AtualizarConfiguracao& cfg,
                           const std::string& nomeTemplate, const std::string& nomeSeparador,
                           const std::string& linguagem) {
    executarPreco(ambiente, cfg, nomeTemplate, nomeSeparador, linguagem, kConjunto);
}

}  // namespace etiquetas
