#include "dpl/Interpretador.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "dpl/CodigosBarras.h"
#include "dpl/Fontes.h"
#include "zpl/Colocacao.h"
#include "zpl/MemoriaLeitura.h"
#include "zpl/TextoCampo.h"

namespace etiquetas::dpl {

namespace {

using namespace etiquetas::zpl;

constexpr char kStx = '\x02';
constexpr char kSoh = '\x01';
constexpr int kCodificacaoWindows1252 = 27;
// A label whose stream gives no width: 4 inches, as the ZPL preview assumes.
constexpr double kLarguraPadraoMm = 101.6;

enum class Unidade { Polegada, Milimetro };  // hundredths of inch, tenths of mm

// The fixed header of a record: a b c d eee ffff gggg, then the data.
struct Registro {
    int rotacao = 1;
    char tipo = '0';
    char largura = '1', altura = '1';  // multipliers, or bar widths
    std::string_view tamanho;          // eee
    int linha = 0, coluna = 0;         // in the format's units
    std::string_view dados;
};

// 1 to 9, A to Z (10 to 35), a to z (36 to 61).
std::optional<int> multiplicador(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 36;
    return std::nullopt;
}

std::optional<int> digitos(std::string_view t) {
    if (t.empty() || t.size() > 9) return std::nullopt;
    int v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// 1 upright, then 90, 180 and 270 degrees clockwise.
Orientacao orientacao(int rotacao) {
    static constexpr Orientacao kOrientacoes[] = {Orientacao::Normal, Orientacao::Rotacionada,
                                                  Orientacao::Invertida,
                                                  Orientacao::DeBaixoParaCima};
    return kOrientacoes[rotacao - 1];
}

struct Extensao {
    long topo = 0, direita = 0;  // above the bottom edge; right of the left edge
};

// How far an operation reaches; a text's width is estimated from its cell,
// the proportional font's at an average letter.
Extensao extensao(const Operacao& op) {
    Extensao e;
    const auto retangulo = [&](const Retangulo& r) {
        e.topo = std::max<long>(e.topo, -static_cast<long>(r.y));
        e.direita = std::max<long>(e.direita, static_cast<long>(r.x) + r.largura);
    };
    if (const auto* t = std::get_if<OpTexto>(&op)) {
        const long avanco = t->fonte == '0' ? t->largura * 3 / 5 : t->largura;
        const long comprimento = static_cast<long>(t->texto.size()) * avanco;
        const bool deitado =
            t->orientacao == Orientacao::Normal || t->orientacao == Orientacao::Invertida;
        retangulo({t->x, t->y, static_cast<int>(deitado ? comprimento : t->altura),
                   deitado ? t->altura : 0});
    } else if (const auto* c = std::get_if<OpCaixa>(&op)) {
        retangulo(c->area);
    } else if (const auto* b = std::get_if<OpCodigoBarras>(&op)) {
        for (const auto& r : b->barras) retangulo(r);
    }
    return e;
}

void deslocarVertical(Operacao& op, int dy) {
    std::visit(
        [dy](auto& o) {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, OpCaixa> || std::is_same_v<T, OpDiagonal>)
                o.area.y += dy;
            else if constexpr (std::is_same_v<T, OpCodigoBarras>)
                for (auto& r : o.barras) r.y += dy;
            else
                o.y += dy;
        },
        op);
}

// What a record reads from outside itself: the format's offsets, units and
// XOR mode, the label's width its reach is measured against.
struct ContextoRegistro {
    int deslocLinha = 0, deslocColuna = 0;
    Unidade unidade = Unidade::Polegada;
    bool xorAtivo = false;
    int largura = 0;
    bool operator==(const ContextoRegistro&) const = default;
};

// Where the lines of a piece end: its next CR and next LF, each sought with
// memchr only once the line before has passed it (find_first_of would call
// memchr once a character; a spool without CRs is not sought to its end for
// every line).
class FinsDeLinha {
  public:
    explicit FinsDeLinha(std::string_view texto) : texto_(texto) {}

    std::size_t depois(std::size_t i) {
        return std::min(proximo(cr_, '\r', i), proximo(lf_, '\n', i));
    }

  private:
    std::size_t proximo(std::size_t& achado, char c, std::size_t i) const {
        if (achado != kNaoProcurado && (achado == std::string_view::npos || achado >= i))
            return achado;
        const void* p = std::memchr(texto_.data() + i, c, texto_.size() - i);
        achado = p ? static_cast<std::size_t>(static_cast<const char*>(p) - texto_.data())
                   : std::string_view::npos;
        return achado;
    }

    static constexpr std::size_t kNaoProcurado = std::string_view::npos - 1;
    std::string_view texto_;
    std::size_t cr_ = kNaoProcurado, lf_ = kNaoProcurado;
};

struct NadaDepois {};
using RegistroLido = LeituraGuardada<ContextoRegistro, NadaDepois>;
using MemoriaRegistros = MemoriaLeitura<RegistroLido>;

class Interpretador : public Leitor {
  public:
    Interpretador(int dpmm, DestinoLeitura destino)
        : dpmm_(dpmm),
          larguraPadrao_(static_cast<int>(std::lround(kLarguraPadraoMm * dpmm))),
          destino_(std::move(destino)) {}

    // A line is read once its end is seen; a CR at the end of a piece waits
    // for the next to say whether an LF belongs to it.
    void ler(std::string_view pedaco) override {
        std::size_t i = 0;
        if (crPendente_ && !pedaco.empty()) {
            crPendente_ = false;
            if (pedaco[0] == '\n') i = 1;
        }
        FinsDeLinha fins(pedaco);
        while (i < pedaco.size()) {
            const std::size_t fim = fins.depois(i);
            const std::string_view trecho =
                pedaco.substr(i, fim == std::string_view::npos ? fim : fim - i);
            if (fim != std::string_view::npos && linha_.empty() && trecho.size() <= kLinhaMaxima) {
                fimDeLinha(trecho);  // whole in the piece: read where it lies
            } else {
                acrescentar(trecho);
                if (fim == std::string_view::npos) return;
                fimDeLinha(linha_);
            }
            i = fim + 1;
            if (pedaco[fim] == '\r') {
                if (i == pedaco.size())
                    crPendente_ = true;
                else if (pedaco[i] == '\n')
                    ++i;
            }
        }
    }

    void terminar() override {
        lerLinha(linha_);
        linha_.clear();
        if (dentro_) avisar("o spool termina sem E: a impressora não imprime esta etiqueta");
    }

    int etiquetasLidas() const override { return lidas_; }
    void redirecionar(DestinoLeitura destino) override { destino_ = std::move(destino); }
    std::unique_ptr<Leitor> copia() const override {
        return std::make_unique<Interpretador>(*this);
    }

  private:
    // Beyond its limit a line is cut, so that a spool without line ends
    // cannot hold the memory.
    void acrescentar(std::string_view trecho) {
        const std::size_t cabe = kLinhaMaxima - std::min(linha_.size(), kLinhaMaxima);
        if (trecho.size() > cabe) linhaCortada_ = true;
        linha_.append(trecho.substr(0, cabe));
    }

    void fimDeLinha(std::string_view l) {
        lerLinha(l);
        linha_.clear();
        ++numeroLinha_;
    }

    void lerLinha(std::string_view l) {
        linhaLida_ = numeroLinha_;
        if (linhaCortada_) {
            avisar("linha além de " + std::to_string(kLinhaMaxima) + " caracteres cortada");
            linhaCortada_ = false;
        }
        if (!l.empty()) linha(l);
    }

    void avisar(const std::string& texto) {
        if (avisosGuardados_) avisosGuardados_->push_back(texto);
        if (!destino_.aviso) return;
        destino_.aviso(
            {dentro_ ? lidas_ + 1 : 0,
             linhaLida_ == 0 ? texto : "linha " + std::to_string(linhaLida_) + ": " + texto});
    }
    void avisarTodos(std::vector<std::string>& avisos) {
        for (const auto& a : avisos) avisar(a);
        avisos.clear();
    }

    // Hundredths of inch or tenths of millimetre as dots, within the bounds.
    int pontos(long valor) const {
        const double mm = unidade_ == Unidade::Polegada ? valor * 0.254 : valor / 10.0;
        return static_cast<int>(std::min<double>(std::lround(mm * dpmm_), kCoordenadaMaxima));
    }

    void linha(std::string_view l) {
        if (l.find_first_not_of(" \t") == std::string_view::npos) return;
        if (dentro_)
            formatacao(l);
        else
            sistema(l);
    }

    // ---- outside a label format: system commands

    void sistema(std::string_view l) {
        if (l[0] == kSoh) return;  // immediate commands: status, reset, pause
        if (l[0] != kStx || l.size() < 2)
            return avisar("texto fora de comandos ignorado (\"" + std::string(l.substr(0, 20)) +
                          "\")");
        const std::string_view p = l.substr(2);
        switch (l[1]) {
            case 'L':
                return iniciarFormato();
            case 'n':
                padrao_ = Unidade::Polegada;
                return;
            case 'm':
                padrao_ = Unidade::Milimetro;
                return;
            case 'c':
                unidade_ = padrao_;
                if (const auto v = digitos(p.substr(0, 4))) comprimento_ = pontos(*v);
                return;
            case 'K':
                return configuracao(p);
        }
        // The rest (sensor, offsets, heat and speed defaults...) change no
        // drawing.
    }

    // <STX>Kc with LWnnnn: the label's width.
    void configuracao(std::string_view p) {
        if (p.empty() || p[0] != 'c') return;
        const auto lw = p.find("LW");
        if (lw == std::string_view::npos) return;
        unidade_ = padrao_;
        if (const auto v = digitos(p.substr(lw + 2, 4))) largura_ = pontos(*v);
    }

    void iniciarFormato() {
        dentro_ = true;
        registroNaEtiqueta_ = 0;
        etiqueta_.esvaziar(operacoesNaUltima_);
        unidade_ = padrao_;
        deslocColuna_ = deslocLinha_ = 0;
        xor_ = false;
        copias_ = 1;
    }

    // ---- inside a label format

    void formatacao(std::string_view l) {
        if (l[0] >= '1' && l[0] <= '4') return registro(l);
        const std::string p(l.substr(1));
        switch (l[0]) {
            case 'E':
                return fimFormato();
            case 'Q':
                copias_ = numero(p, 1, 1, 99'999);
                return;
            case 'H':
                impressora_.tonalidade = p;
                return;
            case 'P':
                impressora_.velocidade = p;
                return;
            case 'S':
            case 'z':
            case 'Z':
            case 'U':
                return;  // slew speed, the slashed zero, replaceable fields
            case 'D':
                if (p != "11") avisar("D" + p + ": tamanho de ponto não simulado; usado D11");
                return;
            case 'C':
                deslocColuna_ = numero(p, 0, 0, 9999);
                return;
            case 'R':
                deslocLinha_ = numero(p, 0, 0, 9999);
                return;
            case 'm':
                unidade_ = Unidade::Milimetro;
                return;
            case 'n':
                unidade_ = Unidade::Polegada;
                return;
            case 'A':
                return modo(p);
            case 'X':
                avisar("X: formatação encerrada sem imprimir; etiqueta descartada");
                dentro_ = false;
                return;
            case kStx:
                return avisar("<STX>" + std::string(l.substr(1, 1)) +
                              " dentro da formatação da etiqueta, ignorado");
        }
        avisar("comando de formatação \"" + std::string(l.substr(0, 20)) +
               "\" desconhecido, ignorado");
    }

    int numero(const std::string& t, int padrao, int minimo, int maximo) {
        const auto v = digitos(t.substr(0, std::min<std::size_t>(t.size(), 9)));
        if (!v) {
            avisar("valor \"" + citacao(t) + "\" inválido; usado o padrão");
            return padrao;
        }
        if (*v < minimo || *v > maximo)
            avisar("valor " + citacao(t) + " fora de " + std::to_string(minimo) + " a " +
                   std::to_string(maximo) + "; limitado");
        return std::clamp(*v, minimo, maximo);
    }

    // A1 prints by exclusive or, A2 over what is there, the default.
    void modo(const std::string& p) {
        if (p == "1" || p == "2") {
            xor_ = p == "1";
            return;
        }
        avisar("A" + p + ": modo de impressão não simulado; usado A2");
        xor_ = false;
    }

    void fimFormato() {
        int comprimento = comprimento_.value_or(0);
        long topo = 0;
        for (const auto& op : etiqueta_.operacoes) topo = std::max(topo, extensao(op).topo);
        if (!comprimento_) comprimento = static_cast<int>(std::max(topo, 1L));
        if (comprimento > kComprimentoMaximo)
            avisar("etiqueta mais alta que " + std::to_string(kComprimentoMaximo) +
                   " pontos; a parte de cima fica fora da imagem");
        else if (topo > comprimento)
            avisar("campos acima do comprimento da etiqueta ficam fora dela");
        comprimento = std::clamp(comprimento, 1, kComprimentoMaximo);
        for (auto& op : etiqueta_.operacoes) deslocarVertical(op, comprimento);
        etiqueta_.configuracao = impressora_;
        etiqueta_.configuracao.largura = larguraEtiqueta();
        etiqueta_.configuracao.comprimento = comprimento;
        etiqueta_.configuracao.codificacao = kCodificacaoWindows1252;
        etiqueta_.configuracao.copias = copias_;
        operacoesNaUltima_ = etiqueta_.operacoes.size();
        ++lidas_;
        if (destino_.etiqueta) destino_.etiqueta(std::move(etiqueta_));
        etiqueta_.esvaziar(0);
        dentro_ = false;
    }

    int larguraEtiqueta() const {
        return std::clamp(largura_.value_or(larguraPadrao_), 1, kLarguraMaxima);
    }

    // ---- records

    // A record changes nothing but its label: the same one at the same place
    // reads the same.
    void registro(std::string_view l) {
        const ContextoRegistro contexto{deslocLinha_, deslocColuna_, unidade_, xor_,
                                        larguraEtiqueta()};
        const auto p = memoria_.passo(registroNaEtiqueta_++, l, contexto);
        switch (p.passo) {
            case PassoLeitura::Ler:
                return lerEMedir(l);
            case PassoLeitura::Guardar:
                return guardar(*p.leitura, l);
            case PassoLeitura::Repetir:
                for (const auto& a : p.leitura->avisos) avisar(a);
                etiqueta_.operacoes.insert(etiqueta_.operacoes.end(), p.leitura->operacoes.begin(),
                                           p.leitura->operacoes.end());
        }
    }

    void guardar(RegistroLido& r, std::string_view l) {
        const std::size_t antes = etiqueta_.operacoes.size();
        r.avisos.clear();
        avisosGuardados_ = &r.avisos;
        lerEMedir(l);
        avisosGuardados_ = nullptr;
        r.operacoes.assign(etiqueta_.operacoes.begin() + static_cast<std::ptrdiff_t>(antes),
                           etiqueta_.operacoes.end());
        r.repetivel = r.guardada = true;
    }

    void lerEMedir(std::string_view l) {
        const std::size_t antes = etiqueta_.operacoes.size();
        lerRegistro(l);
        for (std::size_t i = antes; i < etiqueta_.operacoes.size(); ++i) {
            if (extensao(etiqueta_.operacoes[i]).direita > larguraEtiqueta())
                return avisar("campo além da largura da etiqueta (" +
                              std::to_string(larguraEtiqueta()) + " pontos) cortado");
        }
    }

    void lerRegistro(std::string_view l) {
        if (l.size() > 1 && l[1] == 'W')
            return avisar("registro W (fontes e códigos estendidos) não simulado, ignorado");
        if (l.size() < 15) return avisar("registro com menos de 15 caracteres, ignorado");
        Registro r;
        r.rotacao = l[0] - '0';
        r.tipo = l[1];
        r.largura = l[2];
        r.altura = l[3];
        r.tamanho = l.substr(4, 3);
        const auto linha = digitos(l.substr(7, 4)), coluna = digitos(l.substr(11, 4));
        if (!linha || !coluna)
            return avisar("linha ou coluna do registro não numérica, registro ignorado");
        r.linha = *linha + deslocLinha_;
        r.coluna = *coluna + deslocColuna_;
        r.dados = l.substr(15);
        if (r.dados.size() > kDadosRegistroMaximo) {
            avisar("dados além de " + std::to_string(kDadosRegistroMaximo) +
                   " caracteres cortados");
            r.dados = r.dados.substr(0, kDadosRegistroMaximo);
        }
        if (r.tipo >= '0' && r.tipo <= '8') return textoBitmap(r);
        if (r.tipo == '9') return textoSuave(r);
        if (r.tipo == 'X') return grafico(r);
        if (r.tipo == 'Y') return avisar("imagem armazenada (registro Y) não simulada, ignorada");
        if (std::isalpha(static_cast<unsigned char>(r.tipo))) return barras(r);
        avisar(std::string("tipo de registro \"") + r.tipo + "\" desconhecido, ignorado");
    }

    // The field's anchor: its lower left corner before rotation, in picture
    // dots upwards from the bottom edge (negative y until the label's height
    // is known).
    std::pair<int, int> ancora(const Registro& r) const {
        return {pontos(r.coluna), -pontos(r.linha)};
    }

    int multiplicadorValido(char c) {
        if (const auto m = multiplicador(c)) return *m;
        avisar(std::string("multiplicador \"") + c + "\" inválido; usado 1");
        return 1;
    }

    void textoBitmap(const Registro& r) {
        const CelulaDpl cel = *celulaBitmap(r.tipo, dpmm_);
        // The painter's bitmap letters: any font name but the scalable 0.
        emitirTexto(r, 'A', cel.altura * multiplicadorValido(r.altura),
                    cel.avanco * multiplicadorValido(r.largura), r.dados);
    }

    void textoSuave(const Registro& r) {
        int altura = 0, largura = 0;
        std::string_view dados = r.dados;
        if (const auto pt = pontosFonteSuave(r.tamanho, dpmm_)) {
            altura = largura = pontosEmDots(*pt, dpmm_);
        } else if (!r.tamanho.empty() &&
                   std::string_view("SUu").find(r.tamanho[0]) != std::string_view::npos) {
            if (dados.size() < 8) return avisar("fonte escalável sem altura e largura, ignorada");
            altura = tamanhoEscalavel(dados.substr(0, 4));
            largura = tamanhoEscalavel(dados.substr(4, 4));
            dados = dados.substr(8);
        } else {
            avisar("fonte 9 de tamanho \"" + std::string(r.tamanho) +
                   "\" não residente nesta resolução; usada a de 10 pontos");
            altura = largura = pontosEmDots(10, dpmm_);
        }
        emitirTexto(r, '0', altura * multiplicadorValido(r.altura),
                    largura * multiplicadorValido(r.largura), dados);
    }

    // Pnnn in points, or four digits in dots.
    int tamanhoEscalavel(std::string_view t) {
        if (t[0] == 'P') {
            if (const auto v = digitos(t.substr(1))) return pontosEmDots(std::max(*v, 4), dpmm_);
        } else if (const auto v = digitos(t)) {
            return std::clamp(*v, 4, kCoordenadaMaxima);
        }
        avisar("tamanho \"" + std::string(t) + "\" da fonte escalável inválido; usados 10 pontos");
        return pontosEmDots(10, dpmm_);
    }

    void emitirTexto(const Registro& r, char fonte, int altura, int largura,
                     std::string_view dados) {
        std::vector<std::string> avisos;
        OpTexto t;
        t.fonte = fonte;
        t.altura = std::min(altura, kCoordenadaMaxima);
        t.largura = std::min(largura, kCoordenadaMaxima);
        t.orientacao = orientacao(r.rotacao);
        t.texto = caracteresImpressos(dados, kCodificacaoWindows1252, avisos);
        t.reverso = xor_;
        const auto [x, y] = ancora(r);
        // Upright and at 90 degrees the cell's corner is known; turned over,
        // the text's own width is not, so the baseline is placed instead.
        const int descendente = t.altura / 5;
        switch (t.orientacao) {
            case Orientacao::Normal:
                t.x = x, t.y = y - t.altura;
                break;
            case Orientacao::Rotacionada:
                t.x = x, t.y = y;
                break;
            case Orientacao::Invertida:
                t.x = x, t.y = y + descendente, t.naLinhaBase = true;
                break;
            case Orientacao::DeBaixoParaCima:
                t.x = x - descendente, t.y = y, t.naLinhaBase = true;
                break;
        }
        avisarTodos(avisos);
        etiqueta_.operacoes.emplace_back(std::move(t));
    }

    // Lhhhvvv, lhhhhvvvv, Bhhhvvvbbbsss, bhhhhvvvvbbbbssss.
    void grafico(const Registro& r) {
        const std::string_view d = r.dados;
        const char forma = d.empty() ? ' ' : d[0];
        const std::size_t n = forma == 'L' || forma == 'B' ? 3 : 4;
        const std::size_t campos = forma == 'L' || forma == 'l' ? 2 : 4;
        if (std::string_view("LlBb").find(forma) == std::string_view::npos)
            return avisar("desenho \"" + std::string(d.substr(0, 1)) +
                          "\" não simulado (só linhas e caixas), ignorado");
        std::vector<int> v;
        for (std::size_t i = 0; i < campos; ++i) {
            const auto c =
                d.size() >= 1 + (i + 1) * n ? digitos(d.substr(1 + i * n, n)) : std::nullopt;
            if (!c)
                return avisar("desenho \"" + citacao(d) +
                              "\" incompleto: " + std::to_string(campos) + " campos de " +
                              std::to_string(n) + " dígitos esperados; ignorado");
            v.push_back(pontos(*c));
        }
        const auto [x, y] = ancora(r);
        const Retangulo fora{x, y - v[1], v[0], v[1]};
        if (fora.largura == 0 || fora.altura == 0)
            return avisar("linha ou caixa sem área, ignorada");
        if (campos == 2) return caixa(fora, std::max(fora.largura, fora.altura));
        const int topoBase = std::max(v[2], 1), lados = std::max(v[3], 1);
        if (topoBase == lados) return caixa(fora, lados);
        caixa({fora.x, fora.y, fora.largura, topoBase}, topoBase);
        caixa({fora.x, fora.y + fora.altura - topoBase, fora.largura, topoBase}, topoBase);
        caixa({fora.x, fora.y, lados, fora.altura}, lados);
        caixa({fora.x + fora.largura - lados, fora.y, lados, fora.altura}, lados);
    }

    void caixa(const Retangulo& area, int espessura) {
        OpCaixa c;
        c.area = area;
        c.espessura = std::max(1, espessura);
        c.reverso = xor_;
        etiqueta_.operacoes.emplace_back(std::move(c));
    }

    // c: wide bar, d: narrow bar (the module), eee: the bars' height.
    void barras(const Registro& r) {
        std::vector<std::string> avisos;
        const auto altura = digitos(r.tamanho);
        if (!altura) return avisar("altura do código de barras não numérica, ignorado");
        if (r.dados.empty()) return avisar("código de barras sem dados; nada impresso");
        const int estreita = std::min(multiplicadorValido(r.altura), 30);
        const int larga = std::min(multiplicadorValido(r.largura), 30);
        SimboloLinear s = simboloDpl(r.tipo, r.dados, estreita, larga, avisos);
        avisarTodos(avisos);
        if (s.barras.empty()) return;
        const bool legenda = std::isupper(static_cast<unsigned char>(r.tipo)) && !s.legenda.empty();
        // The height is the symbol's, the human-readable line included.
        const int total = std::max(1, pontos(*altura));
        const int alturaTexto = std::max(10, 9 * estreita);
        const int alturaBarras = std::max(1, total - (legenda ? estreita + alturaTexto : 0));
        const auto [x, y] = ancora(r);
        const Colocacao c{.x = x,
                          .y = y,
                          .naLinhaBase = true,
                          .orientacao = orientacao(r.rotacao),
                          .largura = s.largura,
                          .altura = total,
                          .ancoraY = total};
        OpCodigoBarras o;
        o.simbologia = std::move(s.simbologia);
        o.dados = std::move(s.dados);
        o.reverso = xor_;
        const Colocador colocar(c);
        o.barras.reserve(s.barras.size());
        for (const Barra& b : s.barras)
            o.barras.push_back(colocar({b.x, 0, b.largura, alturaBarras}));
        etiqueta_.operacoes.emplace_back(std::move(o));
        if (legenda) legendaAbaixo(s, c, alturaBarras + estreita, alturaTexto);
    }

    void legendaAbaixo(const SimboloLinear& s, const Colocacao& c, int topo, int altura) {
        etiqueta_.operacoes.emplace_back(legendaDoSimbolo(s, c, topo, altura, xor_));
    }

    int dpmm_;
    int larguraPadrao_;  // without <STX>KcLW: every record is measured against it
    DestinoLeitura destino_;
    std::string linha_;  // read since the last line end
    bool linhaCortada_ = false;
    bool crPendente_ = false;  // the last piece ended with a CR
    int numeroLinha_ = 1;
    int lidas_ = 0;                      // labels ended with E
    std::size_t operacoesNaUltima_ = 0;  // a label's size, as the next is likely to be
    int linhaLida_ = 0;                  // the line warnings name; 0 before the first
    bool dentro_ = false;
    Unidade padrao_ = Unidade::Polegada;
    Unidade unidade_ = Unidade::Polegada;
    std::optional<int> largura_, comprimento_;  // <STX>KcLW, <STX>c
    ConfiguracaoEtiqueta impressora_;
    Etiqueta etiqueta_;
    int deslocColuna_ = 0, deslocLinha_ = 0;
    bool xor_ = false;
    int copias_ = 1;
    MemoriaRegistros memoria_;
    std::size_t registroNaEtiqueta_ = 0;
    std::vector<std::string>* avisosGuardados_ = nullptr;  // the record being kept warns here
};

}  // namespace

std::unique_ptr<Leitor> novoLeitor(int dpmm, DestinoLeitura destino) {
    return std::make_unique<Interpretador>(dpmm, std::move(destino));
}

Interpretacao interpretar(std::string_view spool, int dpmm) {
    return interpretarCom(*novoLeitor(dpmm, {}), spool);
}

}  // namespace etiquetas::dpl
