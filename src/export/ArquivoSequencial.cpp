#include "export/ArquivoSequencial.h"

#include <cmath>
#include <ctime>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>

#include "comum/Arquivos.h"
#include "comum/CamposGrade.h"
#include "comum/Texto.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFimRegistro = "\r\n";

// Left-aligned in its width: cut to the first characters, or filled with
// spaces on the right. A line break or other control character of an order
// value would split the record: it becomes a blank.
void campo(std::string& registro, std::string_view texto, std::size_t largura) {
    const std::size_t usado = std::min(texto.size(), largura);
    for (const char c : texto.substr(0, usado))
        registro += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
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

// Records go to a temporary file of this run beside the target, which takes
// the file's name only when the last record is in: a failed export leaves no
// file behind, and two exports never write into one file.
class SaidaRegistros {
  public:
    explicit SaidaRegistros(const fs::path& destino) : temporario_(caminhoTemporario(destino)) {
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
    // The first of the names `nome(1)`, `nome(2)`, ... that no file has yet:
    // a file of the same second, another run's or not, is never replaced.
    // Empty when the file could not be written.
    template <class Nome>
    fs::path concluir(Nome&& nome) {
        esvaziar();
        saida_.close();
        if (saida_.fail()) return {};
        for (int n = 1; n <= kNomesTentados; ++n) {
            const fs::path destino = nome(n);
            if (moverSemSubstituir(temporario_, destino)) {
                concluida_ = true;
                return destino;
            }
            std::error_code erro;
            if (!fs::exists(temporario_, erro)) return {};
        }
        return {};
    }

  private:
    static constexpr std::size_t kTamanhoBuffer = 1 << 20;
    static constexpr int kNomesTentados = 1000;
    void esvaziar() {
        saida_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }
    void descartar() {
        saida_.close();
        std::error_code ignorado;
        fs::remove(temporario_, ignorado);
    }

    fs::path temporario_;
    std::ofstream saida_;
    std::string buffer_;
    bool concluida_ = false;
};

ArquivoSequencial::ArquivoSequencial(fs::path pastaAplicacao) : pasta_(std::move(pastaAplicacao)) {}

bool ArquivoSequencial::Gerar(const ExportacaoTxt& e,
                              std::chrono::system_clock::time_point quando) {
    erro_.clear();
    registros_ = 0;
    if (e.registro == RegistroTxt::Nenhum || !grid_) {
        erro_ = "Tipo de etiqueta " + std::to_string(e.tipo) + " sem exportação para TXT.";
        return false;
    }
    // The second's name, then "_2", "_3", ... when it is taken.
    const std::string base = std::string(e.prefixo) + dataHora(quando);
    const auto nome = [&](int n) {
        return caminhoNaPasta(pasta_, base + (n == 1 ? "" : "_" + std::to_string(n)) + ".txt");
    };
    nomeTxt_ = nome(1);
    SaidaRegistros saida(nomeTxt_);
    if (saida.aberta() && gerarRegistros(e, saida)) {
        nomeTxt_ = saida.concluir(nome);
        if (!nomeTxt_.empty()) return true;
        nomeTxt_ = nome(1);
    }
    if (erro_.empty())
        erro_ = "Não foi possível gravar o arquivo " + textoDoCaminho(nomeTxt_) +
                ".\nVerifique se a pasta do aplicativo permite gravação e se há espaço em disco.";
    registros_ = 0;
    return false;
}

bool ArquivoSequencial::gerarRegistros(const ExportacaoTxt& e, SaidaRegistros& saida) {
    for (int linha = 1; linha <= grid_->linhas(); ++linha) {
        if (!grid_->marcada(linha)) continue;
        const bool ok = e.registro == RegistroTxt::Preco
                            ? gerarPreco(e.tipo, linha, saida)
                            : gerarVolume(e.registro == RegistroTxt::VolumeReposicao, linha, saida);
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
    long long inicio = 0, fim = 0;
    if (!lerInteiro(linha, coluna(CampoPreco::SequenciaInicial), inicio) ||
        !lerInteiro(linha, coluna(CampoPreco::SequenciaFinal), fim))
        return false;
    const auto cel = [&](auto campo) -> const std::string& {
        return grid_->texto(linha, coluna(campo));
    };

    // Only the bar code's sequence number changes from record to record.
    std::string antes;
    campo(antes, cel(CampoPreco::Cnpj), 14);
    campo(antes, cel(CampoPreco::Pedido), 10);
    campo(antes, cel(CampoPreco::Item), 5);
    const std::string& variante = cel(CampoPreco::Variante);
    const bool codigoG = !variante.empty() && maiusculas(variante.substr(0, 1)) == "G";
    campo(antes, codigoG ? variante : direita(variante, 11), 11);
    campo(antes, cel(CampoPreco::Digito), 1);
    campo(antes, "1", 8);
    campo(antes, cel(CampoPreco::Catalogo), 20);
    campo(antes, cel(CampoPreco::Tamanho), 7);
    campo(antes, cel(CampoPreco::DataEntrega), 4);
    campo(antes, cel(CampoPreco::CodDepto), 3);
    campo(antes, cel(CampoPreco::DataTransmissao), 6);
    campo(antes, cel(CampoPreco::CodigoCoordenado), 6);
    campo(antes, cel(CampoPreco::Tendencia), 20);
    campo(antes, cel(CampoPreco::Parede), 5);
    campo(antes, cel(CampoPreco::ValeAPena), 2);
    campo(antes, cel(CampoPreco::Descricao), 30);
    const std::string barra =
        "2" + formatarNumero(direita(variante, 10), "0000000000") + cel(CampoPreco::Digito);
    std::string depois;
    campo(depois, cel(CampoPreco::CodigoPromocao), 2);
    campo(depois, cel(CampoPreco::PrecoMaterial), 9);
    campo(depois, cel(CampoPreco::Grade), 11);
    campo(depois, std::to_string(tipo), 1);
    campo(depois, cel(CampoPreco::MaterialForn), 15);
    campo(depois, cel(CampoPreco::CodigoBureau), 10);
    campo(depois, cel(CampoPreco::CentroEntrega), 4);
    campo(depois, cel(CampoPreco::DescCentroEntrega), 20);
    campo(depois, cel(CampoPreco::CentroFaturamento), 4);
    campo(depois, cel(CampoPreco::DescCentroFaturamento), 20);
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

bool ArquivoSequencial::gerarVolume(bool reposicao, int linha, SaidaRegistros& saida) {
    long long caixas = 0, total = 0, pecas = 0;
    if (!lerInteiro(linha, coluna(CampoVolume::Caixas), caixas) ||
        !lerInteiro(linha, coluna(CampoVolume::QtdeTotal), total))
        return false;
    if (reposicao && !lerInteiro(linha, coluna(CampoVolume::QuantidadePeca), pecas)) return false;
    const auto cel = [&](auto campo) -> const std::string& {
        return grid_->texto(linha, coluna(campo));
    };

    // Only the box number inside the volume code changes from record to record.
    std::string antes;
    campo(antes, cel(CampoVolume::Cnpj), 14);
    campo(antes, cel(CampoVolume::Pedido), 10);
    campo(antes, cel(CampoVolume::Item), 5);
    campo(antes, direita(cel(CampoVolume::Material), 11), 11);
    campo(antes, std::to_string(caixas), 8);
    campo(antes, std::to_string(total), 4);
    std::string codigoAntes, codigoDepois, depois;
    const std::string material = formatarNumero(cel(CampoVolume::Material), "0000000000");
    int larguraCodigo = 0;
    if (reposicao) {
        campo(antes, std::to_string(pecas), 6);
        campo(antes, cel(CampoVolume::Loja), 4);
        campo(antes, cel(CampoVolume::MaterialForn), 15);
        codigoAntes = aparar(cel(CampoVolume::Loja)) + material;
        codigoDepois = formatarNumero(cel(CampoVolume::QuantidadePeca), "000000") +
                       formatarNumero(cel(CampoVolume::Caixas), "0000");
        larguraCodigo = 27;
    } else {
        campo(antes, cel(CampoVolume::MaterialForn), 15);
        codigoAntes = material;
        codigoDepois = formatarInteiro(caixas, "000");
        larguraCodigo = 16;
        campo(depois, cel(CampoVolume::CentroEntrega), 4);
        campo(depois, cel(CampoVolume::CentroFaturamento), 4);
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
