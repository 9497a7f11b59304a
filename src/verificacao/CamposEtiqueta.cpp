#include "verificacao/CamposEtiqueta.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <variant>

namespace etiquetas {

namespace {

using zpl::Retangulo;

constexpr long kLarguraEstimadaMaxima = 100000;

bool deitado(zpl::Orientacao o) {
    return o == zpl::Orientacao::Normal || o == zpl::Orientacao::Invertida;
}

Retangulo uniao(const std::vector<Retangulo>& rs) {
    if (rs.empty()) return {};
    int x0 = rs[0].x, y0 = rs[0].y, x1 = x0 + rs[0].largura, y1 = y0 + rs[0].altura;
    for (const auto& r : rs) {
        x0 = std::min(x0, r.x);
        y0 = std::min(y0, r.y);
        x1 = std::max(x1, r.x + r.largura);
        y1 = std::max(y1, r.y + r.altura);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

bool cruzam(const Retangulo& a, const Retangulo& b) {
    return a.x < b.x + b.largura && b.x < a.x + a.largura && a.y < b.y + b.altura &&
           b.y < a.y + a.altura;
}

Retangulo girado(bool emPe, int x, int y, int largura, int altura) {
    return emPe ? Retangulo{x, y, largura, altura} : Retangulo{x, y, altura, largura};
}

// A block claims its whole width and lines; its letters take what the text
// needs of them, placed as the block justifies, and down to the base line of
// the last: the fifth of a cell below it holds only descenders, which the
// labels' capitals and digits lack.
CampoEtiqueta campoTexto(const zpl::OpTexto& t) {
    CampoEtiqueta c;
    c.tipo = TipoCampo::Texto;
    c.reverso = t.reverso;
    c.exato = t.bloco.has_value() || larguraFixa(t);
    c.larguraTexto = larguraEstimada(t);
    const long estimada = std::min(c.larguraTexto, kLarguraEstimadaMaxima);
    const bool emPe = deitado(t.orientacao);
    const int topo = t.naLinhaBase ? t.y - t.altura : t.y;
    const int descendente = t.altura / 5;
    if (!t.bloco || t.bloco->largura <= 0) {
        c.area = girado(emPe, t.x, topo, static_cast<int>(estimada), t.altura);
        c.tinta = girado(emPe, t.x, topo, static_cast<int>(estimada), t.altura - descendente);
        return c;
    }
    const auto& b = *t.bloco;
    const int linhas = std::max(1, b.linhas);
    c.area = girado(emPe, t.x, topo, b.largura, t.altura * linhas);
    const int usadas =
        static_cast<int>(std::clamp<long>((estimada + b.largura - 1) / b.largura, 1, linhas));
    const int largura = static_cast<int>(std::min<long>(estimada, b.largura));
    const int folga = b.largura - largura;
    const int recuo = b.justificacao == 'C' ? folga / 2 : b.justificacao == 'R' ? folga : 0;
    const int altura = t.altura * usadas - descendente;
    c.tinta = emPe ? Retangulo{t.x + recuo, topo, largura, altura}
                   : girado(false, t.x, topo, largura, altura);
    return c;
}

CampoEtiqueta campoCodigoBarras(const zpl::OpCodigoBarras& b) {
    CampoEtiqueta c;
    c.tipo = TipoCampo::CodigoBarras;
    c.reverso = b.reverso;
    c.area = c.tinta = uniao(b.barras);
    int modulo = c.area.largura;
    for (const auto& barra : b.barras) modulo = std::min(modulo, std::max(1, barra.largura));
    c.zona = 10 * modulo;
    return c;
}

CampoEtiqueta campoCaixa(const zpl::OpCaixa& caixa) {
    CampoEtiqueta c;
    c.tipo = TipoCampo::Caixa;
    c.reverso = caixa.reverso;
    c.area = c.tinta = caixa.area;
    c.espessura = std::max(1, caixa.espessura);
    return c;
}

std::optional<CampoEtiqueta> campoDe(const zpl::Operacao& op) {
    if (const auto* t = std::get_if<zpl::OpTexto>(&op)) return campoTexto(*t);
    if (const auto* c = std::get_if<zpl::OpCaixa>(&op)) return campoCaixa(*c);
    if (const auto* b = std::get_if<zpl::OpCodigoBarras>(&op)) {
        if (b->barras.empty()) return std::nullopt;
        return campoCodigoBarras(*b);
    }
    if (const auto* g = std::get_if<zpl::OpGrafico>(&op)) {
        CampoEtiqueta c;
        c.tipo = TipoCampo::Grafico;
        c.area = c.tinta = {g->x, g->y, g->largura * g->ampliacaoX, g->altura * g->ampliacaoY};
        return c;
    }
    return std::nullopt;
}

// The readers place a bar code's human-readable line, a centred block, right
// after its bars.
bool legendaDoAnterior(const zpl::Operacao& op, const std::vector<CampoEtiqueta>& campos) {
    const auto* t = std::get_if<zpl::OpTexto>(&op);
    return t && t->bloco && t->bloco->justificacao == 'C' && !campos.empty() &&
           campos.back().tipo == TipoCampo::CodigoBarras;
}

bool solida(const CampoEtiqueta& caixa) {
    return 2 * caixa.espessura >= std::min(caixa.tinta.largura, caixa.tinta.altura);
}

bool cruzaBorda(const Retangulo& r, const CampoEtiqueta& caixa) {
    const Retangulo& a = caixa.tinta;
    if (solida(caixa)) return cruzam(r, a);
    const int e = caixa.espessura;
    return cruzam(r, {a.x, a.y, a.largura, e}) ||
           cruzam(r, {a.x, a.y + a.altura - e, a.largura, e}) ||
           cruzam(r, {a.x, a.y, e, a.altura}) || cruzam(r, {a.x + a.largura - e, a.y, e, a.altura});
}

Retangulo comZona(const CampoEtiqueta& codigo) {
    const Retangulo& r = codigo.tinta;
    return {r.x - codigo.zona, r.y, r.largura + 2 * codigo.zona, r.altura};
}

// Texts first, then bar codes, then boxes: the first of a pair is the one
// the finding names.
int ordem(TipoCampo t) {
    return t == TipoCampo::Texto ? 0 : t == TipoCampo::CodigoBarras ? 1 : 2;
}

std::optional<Sobreposicao> sobreposicao(const std::vector<CampoEtiqueta>& campos, std::size_t i,
                                         std::size_t j) {
    if (ordem(campos[j].tipo) < ordem(campos[i].tipo)) std::swap(i, j);
    const CampoEtiqueta& a = campos[i];
    const CampoEtiqueta& b = campos[j];
    const auto achada = [&](bool soZona) { return Sobreposicao{i, j, soZona}; };
    if (b.tipo == TipoCampo::Caixa) {
        if (a.tipo == TipoCampo::Caixa || (solida(b) && (a.reverso || b.reverso))) return {};
        if (cruzaBorda(a.tinta, b)) return achada(false);
        return {};
    }
    if (b.tipo == TipoCampo::CodigoBarras) {
        if (a.legendaDe == static_cast<std::ptrdiff_t>(j)) return {};
        if (cruzam(a.tinta, b.tinta)) return achada(false);
        if (cruzam(a.tinta, comZona(b)) ||
            (a.tipo == TipoCampo::CodigoBarras && cruzam(comZona(a), b.tinta)))
            return achada(true);
        return {};
    }
    if (cruzam(a.tinta, b.tinta)) return achada(false);
    return {};
}

bool comparavel(const CampoEtiqueta& c) {
    return c.tipo == TipoCampo::Texto || c.tipo == TipoCampo::CodigoBarras ||
           c.tipo == TipoCampo::Caixa;
}

}  // namespace

bool larguraFixa(const zpl::OpTexto& t) {
    return t.fonte >= 'A' && t.fonte <= 'H';
}

namespace {

struct Letras {
    long letras = 0, brancos = 0;  // bytes that begin a character; blanks
};

// How many bytes have their high bit set, the others' bits being clear
// (std::popcount is a call without the processor's own instruction).
long bytesMarcados(std::uint64_t altos) {
    return static_cast<long>(((altos >> 7) * 0x0101010101010101ULL) >> 56);
}

// Eight bytes at a time, the last ones padded with zeros (neither inside a
// character nor blank): the check measures every text of every label.
Letras contarLetras(std::string_view t) {
    constexpr std::uint64_t kAltos = 0x8080808080808080ULL, kBaixos = 0x7F7F7F7F7F7F7F7FULL,
                            kBrancos = 0x2020202020202020ULL;
    Letras c;
    for (std::size_t i = 0; i < t.size(); i += 8) {
        const std::size_t n = std::min<std::size_t>(8, t.size() - i);
        std::uint64_t x = 0;
        std::memcpy(&x, t.data() + i, n);
        const std::uint64_t dentro = x & ~(x << 1) & kAltos;  // 10xxxxxx: inside a character
        const std::uint64_t y = x ^ kBrancos;                 // a blank's byte is now zero
        const std::uint64_t brancos = ~(((y & kBaixos) + kBaixos) | y | kBaixos);
        c.letras += static_cast<long>(n) - bytesMarcados(dentro);
        c.brancos += bytesMarcados(brancos);
    }
    return c;
}

}  // namespace

long larguraEstimada(const zpl::OpTexto& t) {
    const long avanco = t.fonte == '0' ? t.largura * 3 / 5 : t.largura;
    const auto [letras, brancos] = contarLetras(t.texto);
    if (t.fonte != '0') return letras * avanco;
    return ((letras - brancos) * 3 * avanco + brancos * avanco) / 3;  // in thirds: blanks exact
}

namespace {

void camposDaEtiqueta(const zpl::Etiqueta& e, std::vector<CampoEtiqueta>& campos) {
    campos.clear();
    campos.reserve(e.operacoes.size());
    for (std::size_t i = 0; i < e.operacoes.size(); ++i) {
        auto c = campoDe(e.operacoes[i]);
        if (!c) continue;
        c->operacao = i;
        if (legendaDoAnterior(e.operacoes[i], campos))
            c->legendaDe = static_cast<std::ptrdiff_t>(campos.size() - 1);
        campos.push_back(*c);
    }
}

}  // namespace

std::vector<Sobreposicao> sobreposicoes(const std::vector<CampoEtiqueta>& campos) {
    // Only fields whose reach (ink and quiet zone) meets can be found on one
    // another: swept down the label, its few hundred pairs come down to the
    // few that touch, tested in the order of the whole table.
    struct Alcance {
        std::size_t campo;
        Retangulo area;
    };
    std::vector<Alcance> alcances;
    alcances.reserve(campos.size());
    for (std::size_t i = 0; i < campos.size(); ++i)
        if (comparavel(campos[i])) alcances.push_back({i, comZona(campos[i])});
    std::sort(alcances.begin(), alcances.end(),
              [](const Alcance& a, const Alcance& b) { return a.area.y < b.area.y; });
    std::vector<std::pair<std::size_t, std::size_t>> pares;
    for (auto a = alcances.begin(); a != alcances.end(); ++a)
        for (auto b = a + 1; b != alcances.end() && b->area.y < a->area.y + a->area.altura; ++b)
            if (cruzam(a->area, b->area))
                pares.emplace_back(std::max(a->campo, b->campo), std::min(a->campo, b->campo));
    std::sort(pares.begin(), pares.end());
    std::vector<Sobreposicao> r;
    for (const auto& [i, j] : pares)
        if (const auto s = sobreposicao(campos, i, j)) r.push_back(*s);
    return r;
}

DisposicoesEtiqueta::Leitura DisposicoesEtiqueta::ler(const zpl::Etiqueta& etiqueta) {
    camposDaEtiqueta(etiqueta, lidos_);
    // A label of thousands of fields is measured on its own: kept eight
    // times over, it would hold the memory.
    if (lidos_.size() > kCamposGuardados) {
        Disposicao& avulsa = guardadas_[kAvulsa];
        std::swap(avulsa.campos, lidos_);
        avulsa.sobreposicoes = etiquetas::sobreposicoes(avulsa.campos);
        return {kAvulsa, true};
    }
    for (std::size_t k = 0; k < kGuardadas; ++k) {
        const std::size_t i = (ultima_ + k) % kGuardadas;  // the last one first
        if (guardadas_[i].usada && guardadas_[i].campos == lidos_) return {ultima_ = i, false};
    }
    ultima_ = proxima_;
    proxima_ = (proxima_ + 1) % kGuardadas;
    Disposicao& d = guardadas_[ultima_];
    std::swap(d.campos, lidos_);
    d.sobreposicoes = etiquetas::sobreposicoes(d.campos);
    d.usada = true;
    return {ultima_, true};
}

}  // namespace etiquetas
