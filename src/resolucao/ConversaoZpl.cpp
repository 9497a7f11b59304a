#include "resolucao/ConversaoZpl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "zpl/Etiqueta.h"
#include "zpl/Graficos.h"

namespace etiquetas {

namespace {

constexpr int chave(char a, char b) {
    return static_cast<unsigned char>(a) << 8 | static_cast<unsigned char>(b);
}

bool fimDeLinha(char c) {
    return c == '\r' || c == '\n';
}

std::string_view aparado(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

// A whole number as a template writes a size: digits, perhaps a sign.
std::optional<long long> inteiro(std::string_view texto) {
    std::string_view t = aparado(texto);
    const bool negativo = !t.empty() && t[0] == '-';
    if (negativo) t.remove_prefix(1);
    if (t.empty() || t.size() > 9) return std::nullopt;
    long long v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negativo ? -v : v;
}

// Where the parameters start: the name may be split by line ends.
std::size_t depoisDoNome(std::string_view comando, std::size_t letras) {
    std::size_t i = 1;
    for (std::size_t lidas = 0; lidas < letras && i < comando.size(); ++i)
        if (!fimDeLinha(comando[i])) ++lidas;
    return i;
}

// The line ends after the parameters stay where the template put them.
std::string_view fimDasLinhas(std::string_view parametros) {
    std::size_t n = parametros.size();
    while (n > 0 && fimDeLinha(parametros[n - 1])) --n;
    return parametros.substr(n);
}

std::string campoDoAviso(std::string_view comando) {
    std::string r;
    for (char c : comando.substr(0, 24))
        if (!fimDeLinha(c)) r += c;
    return r;
}

// Far enough from the exact size to be seen: a dot and a twentieth.
bool longe(double impresso, double exato) {
    const double d = std::abs(impresso - exato);
    return d > 1.0 && d > 0.05 * exato;
}

std::string porcentagem(double impresso, double exato) {
    const long p = std::lround((impresso / exato - 1.0) * 100.0);
    return std::to_string(std::labs(p)) + "% " + (p > 0 ? "maior" : "menor");
}

const char kHex[] = "0123456789ABCDEF";

// A picture of whole rows, most significant bit first.
struct Bitmap {
    int bytesPorLinha = 0, linhas = 0;
    std::vector<std::uint8_t> bits;

    bool ponto(int x, int y) const {
        return bits[static_cast<std::size_t>(y) * bytesPorLinha + x / 8] >> (7 - x % 8) & 1;
    }
};

// Nearest neighbour, sampled at the centre of each new dot.
Bitmap reamostrar(const Bitmap& b, const Escala& e) {
    const int larguraOrigem = b.bytesPorLinha * 8;
    const int largura = static_cast<int>(std::max(1LL, e.pontos(larguraOrigem)));
    Bitmap r;
    r.linhas = static_cast<int>(std::max(1LL, e.pontos(b.linhas)));
    r.bytesPorLinha = (largura + 7) / 8;
    r.bits.assign(static_cast<std::size_t>(r.bytesPorLinha) * r.linhas, 0);
    const auto origem = [&](int i, int limite) {
        const long long o = (2LL * i + 1) * e.dpmmOrigem() / (2LL * e.dpmmDestino());
        return static_cast<int>(std::min<long long>(o, limite - 1));
    };
    for (int y = 0; y < r.linhas; ++y) {
        const int yo = origem(y, b.linhas);
        for (int x = 0; x < largura; ++x)
            if (b.ponto(origem(x, larguraOrigem), yo))
                r.bits[static_cast<std::size_t>(y) * r.bytesPorLinha + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return r;
}

// ASCII hexadecimal with the printer's own shorthand: ":" repeats the row
// above (every row of a graphic grown by a whole factor comes in runs), ","
// fills the rest of a row with zeros.
void codificar(const Bitmap& b, std::string& saida) {
    const auto linha = [&](int y) {
        return b.bits.begin() + static_cast<std::ptrdiff_t>(y) * b.bytesPorLinha;
    };
    for (int y = 0; y < b.linhas; ++y) {
        if (y > 0 && std::equal(linha(y), linha(y) + b.bytesPorLinha, linha(y - 1))) {
            saida += ':';
            continue;
        }
        int ultimo = b.bytesPorLinha;
        while (ultimo > 0 && linha(y)[ultimo - 1] == 0) --ultimo;
        for (int i = 0; i < ultimo; ++i) {
            saida += kHex[linha(y)[i] >> 4];
            saida += kHex[linha(y)[i] & 15];
        }
        if (ultimo < b.bytesPorLinha) saida += ',';
    }
}

}  // namespace

void ConversorZpl::converter(std::string_view spool, const Escala& escala, std::string& saida,
                             std::vector<AvisoConversao>& avisos) {
    e_ = &escala;
    avisos_ = &avisos;
    padrao_ = {9, 5};
    saida.clear();
    saida.reserve(spool.size() + spool.size() / 8);
    std::size_t i = zpl::inicioDosComandos(spool);
    saida.append(spool.substr(0, i));
    while (i < spool.size()) {
        const std::size_t fim = zpl::lerComando(spool, i, comando_);
        original_ = spool.substr(i, fim - i);
        if (comando_.truncado || !reescrever()) {
            saida.append(original_);
        } else {
            const std::size_t parametros = depoisDoNome(original_, comando_.nome.size());
            saida.append(original_.substr(0, parametros));
            saida.append(novos_);
            saida.append(fimDasLinhas(original_.substr(parametros)));
        }
        i = fim;
    }
}

bool ConversorZpl::reescrever() {
    const std::string& n = comando_.nome;
    if (comando_.prefixo == '~') return n == "DG" && grafico(3);
    if (n.size() == 1) return n == "A" && fonte();
    switch (chave(n[0], n[1])) {
        case chave('F', 'O'):
        case chave('F', 'T'):
        case chave('L', 'H'):
        case chave('G', 'C'):
            return escalar(0b11);
        case chave('L', 'T'):
        case chave('L', 'S'):
        case chave('P', 'W'):
        case chave('L', 'L'):
            return escalar(0b1);
        case chave('G', 'B'):
        case chave('G', 'D'):
        case chave('G', 'E'):
            return escalar(0b111);
        case chave('F', 'B'):  // width, line spacing and indent; not the lines
            return escalar(0b10101);
        case chave('T', 'B'):
        case chave('G', 'S'):
            return escalar(0b110);
        case chave('B', 'C'):  // bar-code heights, second parameter
        case chave('B', 'E'):
        case chave('B', '8'):
        case chave('B', '9'):
        case chave('B', 'U'):
        case chave('B', '2'):
        case chave('B', 'A'):
        case chave('B', 'I'):
        case chave('B', 'J'):
        case chave('B', 'L'):
        case chave('B', 'S'):
        case chave('B', '7'):
        case chave('B', 'X'):
            return escalar(0b10);
        case chave('B', '3'):  // third
        case chave('B', '1'):
        case chave('B', 'K'):
        case chave('B', 'M'):
            return escalar(0b100);
        case chave('B', 'Q'):
            return escalarEmPassos(2, 10, "ampliação");
        case chave('B', '0'):
        case chave('B', 'O'):
            return escalarEmPassos(1, 10, "ampliação");
        case chave('B', 'Y'):
            return modulo();
        case chave('C', 'F'):
            return fontePadrao();
        case chave('G', 'F'):
            return grafico(4);
        case chave('M', 'U'):
            avisar("unidades mudadas pelo modelo; as medidas foram convertidas como pontos");
            return false;
    }
    return false;
}

bool ConversorZpl::escalar(unsigned indices) {
    zpl::dividirParametros(comando_.parametros, p_);
    bool mudou = false;
    for (std::size_t i = 0; i < p_.size(); ++i) {
        if (!(indices >> i & 1)) continue;
        if (const auto v = inteiro(p_[i])) {
            p_[i] = std::to_string(e_->pontos(*v));
            mudou = true;
        }
    }
    if (!mudou) return false;
    novos_.clear();
    juntar();
    return true;
}

void ConversorZpl::juntar() {
    for (std::size_t i = 0; i < p_.size(); ++i) {
        if (i > 0) novos_ += ',';
        novos_ += p_[i];
    }
}

void ConversorZpl::avisar(std::string problema) {
    avisarUmaVez(*avisos_, {campoDoAviso(original_), std::move(problema)});
}

// Magnifications are whole: the nearest one, said when it is not exact.
bool ConversorZpl::escalarEmPassos(std::size_t indice, int maximo, const char* oque) {
    zpl::dividirParametros(comando_.parametros, p_);
    const auto v = indice < p_.size() ? inteiro(p_[indice]) : std::nullopt;
    if (!v) return false;
    const double exato = e_->exato(static_cast<double>(*v));
    const int passo =
        static_cast<int>(std::clamp(std::lround(exato), 1L, static_cast<long>(maximo)));
    if (passo != exato)
        avisar(std::string(oque) + " " + std::to_string(*v) + " vira " + std::to_string(passo) +
               " a " + std::to_string(e_->dpiDestino()) + " dpi (" + decimal(exato) +
               " exatos): o código sai " + porcentagem(passo, exato));
    p_[indice] = std::to_string(passo);
    novos_.clear();
    juntar();
    return true;
}

// ^BY w,r,h: the module stays whole dots, within the printer's 1 to 10; the
// ratio of wide to narrow bars is a ratio and stays as written.
bool ConversorZpl::modulo() {
    zpl::dividirParametros(comando_.parametros, p_);
    const auto w = inteiro(p_[0]);
    if (w && *w > 0) {
        const double exato = e_->exato(static_cast<double>(*w));
        const int pontos = static_cast<int>(std::clamp(std::lround(exato), 1L, 10L));
        if (pontos != exato)
            avisar("módulo de " + std::to_string(*w) + " pontos vira " + std::to_string(pontos) +
                   " a " + std::to_string(e_->dpiDestino()) + " dpi (" + decimal(exato) +
                   " exatos): o código sai " + porcentagem(pontos, exato));
        p_[0] = std::to_string(pontos);
    }
    const auto h = p_.size() > 2 ? inteiro(p_[2]) : std::nullopt;
    if (h) p_[2] = std::to_string(e_->pontos(*h));
    if (!(w && *w > 0) && !h) return false;
    novos_.clear();
    juntar();
    return true;
}

// ^Afo,h,w: the font's letter comes right after the name.
bool ConversorZpl::fonte() {
    const std::string_view t = comando_.parametros;
    if (t.empty()) return false;
    const char f = static_cast<char>(std::toupper(static_cast<unsigned char>(t[0])));
    zpl::dividirParametros(t.substr(1), p_);
    if (!tamanhoFonte(f, 1, padrao_)) return false;
    novos_.assign(1, t[0]);
    juntar();
    return true;
}

// ^CFf,h,w: the default for fields that give no size; kept as the template
// wrote it, for the fields that follow.
bool ConversorZpl::fontePadrao() {
    zpl::dividirParametros(comando_.parametros, p_);
    const std::string_view letra = aparado(p_[0]);
    const char f =
        letra.empty() ? 'A' : static_cast<char>(std::toupper(static_cast<unsigned char>(letra[0])));
    const zpl::Celula anterior = padrao_;
    const auto h = p_.size() > 1 ? inteiro(p_[1]) : std::nullopt;
    const auto w = p_.size() > 2 ? inteiro(p_[2]) : std::nullopt;
    if (h && *h >= 0) padrao_.altura = static_cast<int>(*h);
    if (w && *w >= 0) padrao_.largura = static_cast<int>(*w);
    if (!tamanhoFonte(f, 1, anterior)) return false;
    novos_.clear();
    juntar();
    return true;
}

// Height and width at p_[primeiro] and after. A scalable font takes any
// size; a bitmap one prints whole multiples of its cell, which differs from
// one resolution to another: the nearest multiple to the size printed before.
bool ConversorZpl::tamanhoFonte(char f, std::size_t primeiro, zpl::Celula padrao) {
    const auto lido = [&](std::size_t i) -> std::optional<long long> {
        if (i >= p_.size() || aparado(p_[i]).empty()) return 0;
        const auto v = inteiro(p_[i]);
        return v && *v >= 0 && *v <= zpl::kCoordenadaMaxima ? v : std::nullopt;
    };
    const auto h = lido(primeiro), w = lido(primeiro + 1);
    if (!h || !w) return false;
    zpl::Celula antes{static_cast<int>(*h), static_cast<int>(*w)};
    const bool bitmap = zpl::celulaBitmap(f, 8).has_value();
    if (bitmap)
        antes = zpl::tamanhoImpresso(f, antes.altura, antes.largura, padrao, e_->dpmmOrigem());
    else if (antes.altura == 0 && antes.largura == 0)
        antes = padrao;
    const double exatoH = e_->exato(antes.altura), exatoW = e_->exato(antes.largura);
    zpl::Celula depois{static_cast<int>(e_->pontos(antes.altura)),
                       static_cast<int>(e_->pontos(antes.largura))};
    if (bitmap) {
        depois = zpl::tamanhoImpresso(f, depois.altura, depois.largura, {}, e_->dpmmDestino());
        if (longe(depois.altura, exatoH) || longe(depois.largura, exatoW))
            avisar("fonte " + std::string(1, f) + " de " + std::to_string(antes.altura) + "x" +
                   std::to_string(antes.largura) + " pontos sai com " +
                   std::to_string(depois.altura) + "x" + std::to_string(depois.largura) + " a " +
                   std::to_string(e_->dpiDestino()) + " dpi (" + decimal(exatoH) + "x" +
                   decimal(exatoW) + " exatos): a matriz só cresce em múltiplos inteiros");
    }
    // A scalable size left out stays out: the printer keeps the proportion.
    const bool soAltura = !bitmap && *h != 0 && *w == 0;
    const bool soLargura = !bitmap && *h == 0 && *w != 0;
    p_.resize(std::max(p_.size(), primeiro + (soAltura ? 1 : 2)));
    if (!soLargura) p_[primeiro] = std::to_string(depois.altura);
    if (!soAltura) p_[primeiro + 1] = std::to_string(depois.largura);
    return true;
}

// ~DGd:o.x,t,w,data and ^GFa,b,c,w,data: the picture resampled, written as
// plain hexadecimal with the row shorthand.
bool ConversorZpl::grafico(std::size_t campos) {
    const std::string_view t = comando_.parametros;
    std::array<std::string_view, 4> c;
    std::size_t i = 0;
    for (std::size_t k = 0; k < campos; ++k) {
        const std::size_t v = t.find(',', i);
        if (v == std::string_view::npos) return false;
        c[k] = t.substr(i, v - i);
        i = v + 1;
    }
    const std::string_view dados = t.substr(i);
    const bool campo = campos == 4;
    if (campo && aparado(c[0]) != "A" && aparado(c[0]) != "a") {
        avisar("gráfico em formato " + std::string(aparado(c[0])) +
               " não convertido: sai em outro tamanho");
        return false;
    }
    if (dados.substr(0, 1) == ":") {
        avisar("gráfico codificado (" + std::string(dados.substr(0, 5)) +
               ") não convertido: sai em outro tamanho");
        return false;
    }
    const auto total = inteiro(c[1]), porLinha = inteiro(c[campo ? 3 : 2]);
    if (!total || !porLinha || *total <= 0 || *porLinha <= 0 || *total > zpl::kBytesGraficoMaximo ||
        *porLinha > zpl::kBytesPorLinhaMaximo)
        return false;
    std::vector<std::string> ignorados;  // the reader of the converted job says them
    Bitmap b;
    b.bytesPorLinha = static_cast<int>(*porLinha);
    b.linhas = static_cast<int>((*total + *porLinha - 1) / *porLinha);
    b.bits = zpl::decodificarGrafico(dados, b.linhas * b.bytesPorLinha, b.bytesPorLinha, ignorados);
    const long long novoTotal = (e_->pontos(b.bytesPorLinha * 8LL) + 7) / 8 * e_->pontos(b.linhas);
    if (novoTotal > zpl::kBytesGraficoMaximo) {
        avisar("gráfico grande demais para converter: sai em outro tamanho");
        return false;
    }
    const Bitmap r = reamostrar(b, *e_);
    if (e_->dpmmDestino() % e_->dpmmOrigem() != 0)
        avisar("gráfico ampliado por amostragem a " + std::to_string(e_->dpiDestino()) +
               " dpi: traços de um ponto podem sair desiguais");
    const std::string bytes = std::to_string(r.bytesPorLinha * r.linhas);
    novos_.clear();
    if (campo)
        novos_.append("A,").append(bytes).append(",");
    else
        novos_.append(c[0]).append(",");
    novos_.append(bytes).append(",").append(std::to_string(r.bytesPorLinha)).append(",");
    codificar(r, novos_);
    return true;
}

}  // namespace etiquetas
