#include "zpl/Colocacao.h"

#include <algorithm>

namespace etiquetas::zpl {

namespace {

struct Ponto {
    long x = 0, y = 0;
};

// Screen coordinates (y down): R turns clockwise.
Ponto girar(Ponto p, Orientacao o) {
    switch (o) {
        case Orientacao::Rotacionada:
            return {-p.y, p.x};
        case Orientacao::Invertida:
            return {-p.x, -p.y};
        case Orientacao::DeBaixoParaCima:
            return {p.y, -p.x};
        default:
            return p;
    }
}

struct Caixa {
    long x0, y0, x1, y1;
};

Caixa girarCaixa(long x, long y, long l, long a, Orientacao o) {
    const Ponto p = girar({x, y}, o), q = girar({x + l, y + a}, o);
    return {std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
}

int limitar(long v) {
    return static_cast<int>(std::clamp(v, -4L * kCoordenadaMaxima, 4L * kCoordenadaMaxima));
}

}  // namespace

Colocador::Colocador(const Colocacao& c) : orientacao_(c.orientacao) {
    if (c.naLinhaBase) {
        const Ponto a = girar({0, c.ancoraY}, c.orientacao);
        dx_ = c.x - a.x;
        dy_ = c.y - a.y;
    } else {
        const Caixa campo = girarCaixa(0, 0, c.largura, c.altura, c.orientacao);
        dx_ = c.x - campo.x0;
        dy_ = c.y - campo.y0;
    }
}

Retangulo Colocador::operator()(const Retangulo& local) const {
    if (orientacao_ == Orientacao::Normal && local.largura >= 0 && local.altura >= 0)
        return {limitar(local.x + dx_), limitar(local.y + dy_), limitar(local.largura),
                limitar(local.altura)};
    const Caixa r = girarCaixa(local.x, local.y, local.largura, local.altura, orientacao_);
    return {limitar(r.x0 + dx_), limitar(r.y0 + dy_), limitar(r.x1 - r.x0), limitar(r.y1 - r.y0)};
}

Retangulo colocar(const Retangulo& local, const Colocacao& c) {
    return Colocador(c)(local);
}

OpTexto legendaDoSimbolo(const SimboloLinear& s, const Colocacao& c, int topo, int altura,
                         bool reverso) {
    const Retangulo area = colocar({0, topo, s.largura, altura}, c);
    OpTexto t;
    t.x = area.x;
    t.y = area.y;
    t.orientacao = c.orientacao;
    t.altura = altura;
    t.largura = altura * 3 / 4;
    t.texto = s.legenda;
    t.bloco = Bloco{.largura = s.largura, .justificacao = 'C'};
    t.reverso = reverso;
    return t;
}

}  // namespace etiquetas::zpl
