#include "export/ArquivoSequencial.h"

#include <cmath>
#include <ctime>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>

#include "comum/Arquivos.h"
#include "comum/Texto.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFimRegistro = "\r\n";

// Columns of sprPedidos and vaVolume that the records read.
namespace preco {
constexpr int kDescricao = 3, kTamanho = 4, kVariante = 5, kPedido = 6, kItem = 7, kCnpj = 9,
              kDigito = 10, kCatalogo = 11, kDataEntrega = 12, kDepto = 13, kTransmissao = 14,
              kCoordenado = 15, kTendencia = 16, kParede = 17, kValeAPena = 18, kPromocao = 20,
              kPreco = 21, kGrade = 22, kSeqInicial = 23, kSeqFinal = 24, kMaterialForn = 26,
              kBureau = 27, kCentroEntrega = 30, kDescEntrega = 31, kCentroFaturamento = 32,
              kDescFaturamento = 33;
}
namespace volume {
constexpr int kMaterial = 5, kPedido = 6, kItem = 7, kLoja = 8, kPecas = 9, kCaixas = 10,
              kCnpj = 11, kTotal = 12, kMaterialForn = 13, kCentroEntrega = 15,
              kCentroFaturamento = 16;
}

// Left-aligned in its width: cut to the first characters, or filled with
// spaces on the right.
void campo(std::string& registro, std::string_view texto, std::size_t largura) {
    const std::size_t usado = std::min(texto.size(), largura);
    registro.append(texto.data(), usado);
    registro.append(largura - usado, ' ');
}

// A cell "as a whole number": numeric text rounded to the nearest whole
// number (halves to even, as the conversion the file format was made with),
// within 32 bits so that a range past 32767 is exported whole.
std::optional<long long> comoInteiro(std::string_view texto) {
    const auto valor = valorNumerico(texto);
    if (!valor) return std::nullopt;
    const double inteiro = std::nearbyint(*valor);
    if (inteiro < std::numeric_limits<int>::min() || inteiro > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<long long>(inteiro);
}

std::string dataHora(std::chrono::system_clock::time_point quando) {
    const std::time_t t = std::chrono::system_clock::to_time_t(quando);
    const std::tm* local = std::localtime(&t);
    char texto[32] = {};
    if (local) std::strftime(texto, sizeof texto, "%Y%m%d %H%M%S", local);
    return texto;
}

}  // namespace

// Records go to a temporary file beside the target, renamed over it only
// when the last record is in: a failed export leaves no file behind.
class SaidaRegistros {
  public:
    explicit SaidaRegistros(fs::path destino)
        : destino_(std::move(destino)), temporario_(fs::path(destino_) += ".tmp~") {
        saida_.open(temporario_, std::ios::binary | std::ios::trunc);
        buffer_.reserve(kTamanhoBuffer + 512);
    }
    ~SaidaRegistros() {
        if (!concluida_) descartar();
    }

    bool aberta() const { return saida_.is_open(); }
    std::string& buffer() { return buffer_; }
    void registroPronto() {
        buffer_.append(kFimRegistro);
        if (buffer_.size() >= kTamanhoBuffer) esvaziar();
    }
    bool concluir() {
        esvaziar();
        saida_.close();
        if (saida_.fail()) return false;
        std::error_code erro;
        fs::rename(temporario_, destino_, erro);
        concluida_ = !erro;
        return concluida_;
    }

  private:
    static constexpr std::size_t kTamanhoBuffer = 1 << 20;
    void esvaziar() {
        saida_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }
    void descartar() {
        saida_.close();
        std::error_code ignorado;
        fs::remove(temporario_, ignorado);
    }

    fs::path destino_;
    fs::path temporario_;
    std::ofstream saida_;
    std::string buffer_;
    bool concluida_ = false;
};

std::string prefixoArquivoTxt(int tipo) {
    switch (tipo) {
        case 1:
            return "QuelmonteEtiquetaPrecoCartolina_";
        case 2:
            return "QuelmonteEtiquetaPrecoAdesiva_";
        case 3:
            return "QuelmonteEtiquetaVolumeReposicao_";
        case 4:
            return "QuelmonteEtiquetaVolumePadrao_";
        default:
            return {};
    }
}

ArquivoSequencial::ArquivoSequencial(fs::path pastaAplicacao) : pasta_(std::move(pastaAplicacao)) {}

bool ArquivoSequencial::Gerar(int tipo, std::chrono::system_clock::time_point quando) {
    erro_.clear();
    registros_ = 0;
    const std::string prefixo = prefixoArquivoTxt(tipo);
    if (prefixo.empty() || !grid_) {
        erro_ = "Tipo de etiqueta " + std::to_string(tipo) + " sem exportação para TXT.";
        return false;
    }
    nomeTxt_ = caminhoNaPasta(pasta_, prefixo + dataHora(quando) + ".txt");
    SaidaRegistros saida(nomeTxt_);
    if (saida.aberta() && gerarRegistros(tipo, saida) && saida.concluir()) return true;
    if (erro_.empty())
        erro_ = "Não foi possível gravar o arquivo " + utf8ParaCp1252(nomeTxt_.string()) +
                ".\nVerifique se a pasta do aplicativo permite gravação e se há espaço em disco.";
    registros_ = 0;
    return false;
}

bool ArquivoSequencial::gerarRegistros(int tipo, SaidaRegistros& saida) {
    const bool precos = tipo == 1 || tipo == 2;
    for (int linha = 1; linha <= grid_->linhas(); ++linha) {
        if (!grid_->marcada(linha)) continue;
        const bool ok = precos ? gerarPreco(tipo, linha, saida) : gerarVolume(tipo, linha, saida);
        if (!ok) return false;
    }
    return true;
}

bool ArquivoSequencial::lerInteiro(int linha, int coluna, long long& valor) {
    const std::string& texto = grid_->texto(linha, coluna);
    if (const auto v = comoInteiro(texto)) {
        valor = *v;
        return true;
    }
    const std::string& titulo = grid_->texto(0, coluna);
    erro_ = "Linha " + std::to_string(linha) + ", coluna " + std::to_string(coluna) +
            (titulo.empty() ? std::string() : " (" + titulo + ")") + ": \"" + texto +
            "\" não é um número inteiro válido.\nNenhum arquivo foi gerado.";
    return false;
}

bool ArquivoSequencial::gerarPreco(int tipo, int linha, SaidaRegistros& saida) {
    using namespace preco;
    long long inicio = 0, fim = 0;
    if (!lerInteiro(linha, kSeqInicial, inicio) || !lerInteiro(linha, kSeqFinal, fim)) return false;
    const auto cel = [&](int coluna) -> const std::string& { return grid_->texto(linha, coluna); };

    // Only the bar code's sequence number changes from record to record.
    std::string antes;
    campo(antes, cel(kCnpj), 14);
    campo(antes, cel(kPedido), 10);
    campo(antes, cel(kItem), 5);
    const std::string& variante = cel(kVariante);
    const bool codigoG = !variante.empty() && maiusculas(variante.substr(0, 1)) == "G";
    campo(antes, codigoG ? variante : direita(variante, 11), 11);
    campo(antes, cel(kDigito), 1);
    campo(antes, "1", 8);
    campo(antes, cel(kCatalogo), 20);
    campo(antes, cel(kTamanho), 7);
    campo(antes, cel(kDataEntrega), 4);
    campo(antes, cel(kDepto), 3);
    campo(antes, cel(kTransmissao), 6);
    campo(antes, cel(kCoordenado), 6);
    campo(antes, cel(kTendencia), 20);
    campo(antes, cel(kParede), 5);
    campo(antes, cel(kValeAPena), 2);
    campo(antes, cel(kDescricao), 30);
    const std::string barra =
        "2" + formatarNumero(direita(variante, 10), "0000000000") + cel(kDigito);
    std::string depois;
    campo(depois, cel(kPromocao), 2);
    campo(depois, cel(kPreco), 9);
    campo(depois, cel(kGrade), 11);
    campo(depois, std::to_string(tipo), 1);
    campo(depois, cel(kMaterialForn), 15);
    campo(depois, cel(kBureau), 10);
    campo(depois, cel(kCentroEntrega), 4);
    campo(depois, cel(kDescEntrega), 20);
    campo(depois, cel(kCentroFaturamento), 4);
    campo(depois, cel(kDescFaturamento), 20);
    campo(depois, "", 58);

    for (long long sequencia = inicio; sequencia <= fim; ++sequencia) {
        std::string& registro = saida.buffer();
        registro += antes;
        campo(registro, barra + formatarInteiro(sequencia, "0000"), 16);
        registro += depois;
        saida.registroPronto();
        ++registros_;
    }
    return true;
}

bool ArquivoSequencial::gerarVolume(int tipo, int linha, SaidaRegistros& saida) {
    using namespace volume;
    long long caixas = 0, total = 0, pecas = 0;
    if (!lerInteiro(linha, kCaixas, caixas) || !lerInteiro(linha, kTotal, total)) return false;
    if (tipo == 3 && !lerInteiro(linha, kPecas, pecas)) return false;
    const auto cel = [&](int coluna) -> const std::string& { return grid_->texto(linha, coluna); };

    // Only the box number inside the volume code changes from record to record.
    std::string antes;
    campo(antes, cel(kCnpj), 14);
    campo(antes, cel(kPedido), 10);
    campo(antes, cel(kItem), 5);
    campo(antes, direita(cel(kMaterial), 11), 11);
    campo(antes, std::to_string(caixas), 8);
    campo(antes, std::to_string(total), 4);
    std::string codigoAntes, codigoDepois, depois;
    const std::string material = formatarNumero(cel(kMaterial), "0000000000");
    int larguraCodigo = 0;
    if (tipo == 3) {
        campo(antes, std::to_string(pecas), 6);
        campo(antes, cel(kLoja), 4);
        campo(antes, cel(kMaterialForn), 15);
        codigoAntes = aparar(cel(kLoja)) + material;
        codigoDepois = formatarNumero(cel(kPecas), "000000") + formatarNumero(cel(kCaixas), "0000");
        larguraCodigo = 27;
    } else {
        campo(antes, cel(kMaterialForn), 15);
        codigoAntes = material;
        codigoDepois = formatarInteiro(caixas, "000");
        larguraCodigo = 16;
        campo(depois, cel(kCentroEntrega), 4);
        campo(depois, cel(kCentroFaturamento), 4);
    }
    campo(depois, "", 26);

    for (long long caixa = 1; caixa <= caixas; ++caixa) {
        std::string& registro = saida.buffer();
        registro += antes;
        campo(registro, codigoAntes + formatarInteiro(caixa, "000") + codigoDepois, larguraCodigo);
        registro += depois;
        saida.registroPronto();
        ++registros_;
    }
    return true;
}

}  // namespace etiquetas
