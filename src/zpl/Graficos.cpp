#include "zpl/Graficos.h"

#include <algorithm>
#include <cctype>

#include "comum/Texto.h"
#include "zpl/Comandos.h"

namespace etiquetas::zpl {

namespace {

int valorHexadecimal(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int repeticao(char c) {
    if (c >= 'G' && c <= 'Y') return c - 'G' + 1;
    if (c >= 'g' && c <= 'z') return (c - 'f') * 20;
    return 0;
}

// Nibbles written row by row into the declared size.
class Escrita {
  public:
    Escrita(int bytesTotais, int bytesPorLinha)
        : nibbles_(static_cast<std::size_t>(bytesTotais) * 2, 0), linha_(bytesPorLinha * 2) {}

    bool cheia() const { return pos_ >= nibbles_.size(); }
    void escrever(int valor, int vezes) {
        for (; vezes > 0 && !cheia(); --vezes) nibbles_[pos_++] = static_cast<std::uint8_t>(valor);
    }
    void completarLinha(int valor) {
        if (linha_ > 0) escrever(valor, static_cast<int>(linha_ - pos_ % linha_));
    }
    void repetirLinha() {
        if (linha_ == 0) return;
        const std::size_t noInicio = pos_ - pos_ % linha_;
        if (noInicio < linha_) return completarLinha(0);
        for (std::size_t k = pos_ % linha_; k < linha_ && !cheia(); ++k)
            nibbles_[pos_++] = nibbles_[noInicio - linha_ + k];
    }
    std::size_t escritos() const { return pos_; }
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> r(nibbles_.size() / 2);
        for (std::size_t i = 0; i < r.size(); ++i)
            r[i] = static_cast<std::uint8_t>(nibbles_[2 * i] << 4 | nibbles_[2 * i + 1]);
        return r;
    }

  private:
    std::vector<std::uint8_t> nibbles_;
    std::size_t linha_;
    std::size_t pos_ = 0;
};

// Greedy, going back only to the last star: a star's match never needs to
// shrink once a later star has matched, so the work stays within the
// product of the two lengths, however many stars there are.
bool casaPadrao(std::string_view padrao, std::string_view nome) {
    std::size_t p = 0, n = 0;
    std::size_t estrela = std::string_view::npos, retomada = 0;
    while (n < nome.size()) {
        if (p < padrao.size() && (padrao[p] == '?' || padrao[p] == nome[n])) {
            ++p;
            ++n;
        } else if (p < padrao.size() && padrao[p] == '*') {
            estrela = p++;
            retomada = n;
        } else if (estrela != std::string_view::npos) {
            p = estrela + 1;
            n = ++retomada;
        } else {
            return false;
        }
    }
    while (p < padrao.size() && padrao[p] == '*') ++p;
    return p == padrao.size();
}

std::optional<int> inteiro(const std::string& texto) {
    const auto v = valorInteiro(texto);
    if (!v || *v < 0 || *v > (1LL << 30)) return std::nullopt;
    return static_cast<int>(*v);
}

}  // namespace

std::string nomeCompleto(std::string_view nome) {
    std::string r = maiusculas(aparar(nome));
    if (r.size() < 2 || r[1] != ':') r = "R:" + r;
    if (r.find('.') == std::string::npos) r += ".GRF";
    return r;
}

std::vector<std::uint8_t> decodificarGrafico(std::string_view dados, int bytesTotais,
                                             int bytesPorLinha, std::vector<std::string>& avisos) {
    Escrita escrita(bytesTotais, bytesPorLinha);
    int vezes = 0;
    bool estranhos = false;
    for (char c : dados) {
        if (escrita.cheia()) break;
        if (const int v = valorHexadecimal(c); v >= 0) {
            escrita.escrever(v, std::max(vezes, 1));
            vezes = 0;
        } else if (const int n = repeticao(c); n > 0) {
            vezes += n;
        } else if (c == ',') {
            escrita.completarLinha(0);
        } else if (c == '!') {
            escrita.completarLinha(15);
        } else if (c == ':') {
            escrita.repetirLinha();
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            estranhos = true;
        }
    }
    if (estranhos) avisos.push_back("~DG: caracteres que não são hexadecimais foram ignorados");
    if (!escrita.cheia())
        avisos.push_back("~DG: dados menores que o tamanho declarado; o resto fica em branco");
    return escrita.bytes();
}

void MemoriaGraficos::carregar(std::string_view parametros, std::vector<std::string>& avisos) {
    const auto p = dividirParametros(parametros);
    auto total = p.size() > 1 ? inteiro(p[1]) : std::nullopt;
    auto porLinha = p.size() > 2 ? inteiro(p[2]) : std::nullopt;
    if (!total || !porLinha || *porLinha == 0 || *total == 0) {
        avisos.push_back("~DG: tamanho do gráfico ausente ou inválido; gráfico ignorado");
        return;
    }
    if (*total > kBytesGraficoMaximo || *porLinha > kBytesPorLinhaMaximo) {
        avisos.push_back("~DG: gráfico grande demais para a prévia; reduzido");
        total = std::min(*total, kBytesGraficoMaximo);
        porLinha = std::min(*porLinha, kBytesPorLinhaMaximo);
    }
    const std::size_t inicioDados =
        std::min(parametros.size(), p[0].size() + p[1].size() + p[2].size() + 3);
    const std::string_view dados = parametros.substr(inicioDados);
    GraficoArmazenado g;
    g.bytesPorLinha = *porLinha;
    g.linhas = (*total + *porLinha - 1) / *porLinha;
    const std::string nome = nomeCompleto(p[0]);
    const std::size_t bytes = static_cast<std::size_t>(g.linhas) * g.bytesPorLinha;
    // Checked before anything is allocated; a download replacing one of the
    // same name frees that one's room.
    if (usados_ - ocupados(nome) + bytes > kMemoriaGraficos) {
        avisos.push_back("~DG: memória de gráficos da impressora cheia (" +
                         std::to_string(kMemoriaGraficos >> 20) + " MB); " + nome +
                         " não foi gravado");
        return;
    }
    if (dados.starts_with(":B64:") || dados.starts_with(":Z64:") || dados.starts_with(":b64:") ||
        dados.starts_with(":z64:")) {
        avisos.push_back("~DG: dados em base 64 não simulados; gráfico em branco");
        g.bits = std::make_shared<const std::vector<std::uint8_t>>(bytes, 0);
    } else {
        g.bits = std::make_shared<const std::vector<std::uint8_t>>(
            decodificarGrafico(dados, static_cast<int>(bytes), g.bytesPorLinha, avisos));
    }
    usados_ = usados_ - ocupados(nome) + bytes;
    graficos_[nome] = std::move(g);
}

std::size_t MemoriaGraficos::ocupados(const std::string& nome) const {
    const auto i = graficos_.find(nome);
    return i == graficos_.end() ? 0 : i->second.bits->size();
}

void MemoriaGraficos::apagar(std::string_view nome, std::vector<std::string>& avisos) {
    const std::string padrao = nomeCompleto(nome);
    const auto apagados = std::erase_if(graficos_, [&](const auto& par) {
        if (!casaPadrao(padrao, par.first)) return false;
        usados_ -= par.second.bits->size();
        return true;
    });
    if (apagados == 0) avisos.push_back("^ID: nenhum objeto " + padrao + " na memória");
}

const GraficoArmazenado* MemoriaGraficos::buscar(std::string_view nome) const {
    const auto i = graficos_.find(nomeCompleto(nome));
    return i == graficos_.end() ? nullptr : &i->second;
}

}  // namespace etiquetas::zpl
