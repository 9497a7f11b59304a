"""Datamax twins of Zebra fields: the same place and size in DPL's terms.

DPL counts hundredths of an inch (2.032 dots at 203 dpi) and rows up from the
label's bottom edge to a field's lower left corner; ZPL counts dots down from
the top. Each helper takes the Zebra field's numbers (dots, top left) and
writes the record whose cell stands on the same bottom line at the same left
edge, so the twins agree to a fraction of a millimetre.

Text goes in font 9 (CG Triumvirate, the Datamax's own smooth font) at the
resident size nearest the Zebra cell: 6 to 48 points at 203 dpi (4, 5 and 72
points and the "000" size exist only from 300 dpi on)."""

PONTOS_POR_CENTESIMO = 2.032
PONTOS_FONTE_9 = (6, 8, 10, 12, 14, 18, 24, 30, 36, 48)
MILIMETRO = 8  # dots


def centesimos(pontos):
    return int(round(pontos / PONTOS_POR_CENTESIMO))


def pontos_do_tamanho(pt):
    return int(round(pt * 8 * 25.4 / 72.307))


def fonte_9(altura):
    """Point size and multiplier of the font 9 cell nearest `altura` dots: a
    size of its own when one lies within a millimetre, else a multiple."""
    for mult in (1, 2, 3):
        pt = min(PONTOS_FONTE_9, key=lambda p: abs(mult * pontos_do_tamanho(p) - altura))
        if abs(mult * pontos_do_tamanho(pt) - altura) <= MILIMETRO:
            return pt, mult
    return pt, mult


def largura_estimada(altura, texto):
    """A proportional line's width at an average letter (the check's own
    estimate), to centre a line where Zebra's ^FB centres it."""
    pt, mult = fonte_9(altura)
    letra = 0.6 * mult * pontos_do_tamanho(pt)
    return sum(letra / 3 if c == " " else letra for c in texto)


class Gemeo:
    def __init__(self, comprimento):
        self.comprimento = comprimento  # the Zebra label's ^LL, in dots

    def linha(self, y, altura):
        return centesimos(self.comprimento - y - altura)

    def texto(self, x, y, altura, dado, pontos=None):
        """`pontos`: a smaller size of font 9 where the Zebra letters are
        narrower than the nearest size's."""
        pt, mult = (pontos, 1) if pontos else fonte_9(altura)
        return "19%d%dA%02d%04d%04d%s" % (mult, mult, pt, self.linha(y, altura), centesimos(x), dado)

    def texto_na_base(self, x, base, altura, dado):
        """^FT: the Zebra line stands on `base`; the Datamax cell's bottom lies
        a descender (a fifth of the cell) below its own base line."""
        pt, mult = fonte_9(altura)
        celula = mult * pontos_do_tamanho(pt)
        return self.texto(x, base + celula / 5 - altura, altura, dado)

    def texto_centrado(self, x, largura, y, altura, dado, pontos=None, como=None):
        """At the centre of Zebra's ^FB block for a line like `como` (a
        usual value of a token), or `dado` itself."""
        medida = largura_estimada(pontos_do_tamanho(pontos) if pontos else altura, como or dado)
        return self.texto(x + (largura - medida) / 2, y, altura, dado, pontos)

    def bitmap(self, fonte, mult_largura, mult_altura, x, y, altura, dado):
        """A bitmap font (0 to 8, or "*": the layout's font code): narrow
        letters where a long line must fit."""
        return "1%s%d%d000%04d%04d%s" % (fonte, mult_largura, mult_altura, self.linha(y, altura),
                                         centesimos(x), dado)

    def caixa(self, x, y, largura, altura, espessura):
        """^GB: a frame, or a solid box when the edge fills it."""
        e = max(1, centesimos(espessura))
        a = max(1, centesimos(altura))
        if 2 * espessura >= min(largura, altura):
            e = a  # edges as thick as the box: no hairline left by rounding
        return "1X11000%04d%04dB%03d%03d%03d%03d" % (self.linha(y, altura), centesimos(x),
                                                     centesimos(largura), a, e, e)

    def traco(self, x, y, largura, espessura):
        """^GB with no height: a line."""
        return "1X11000%04d%04dL%03d%03d" % (self.linha(y, espessura), centesimos(x),
                                             centesimos(largura), max(1, centesimos(espessura)))

    def barras(self, x, y, altura, dado, modulo, legenda):
        """^BC: Code 128 started in subset C; with `legenda` the printer's
        human-readable line below, which DPL counts in the symbol's height."""
        total = altura + (modulo + max(10, 9 * modulo) if legenda else 0)
        return "1%s%d%d%03d%04d%04dC%s" % ("E" if legenda else "e", modulo, modulo,
                                           centesimos(total), self.linha(y, total), centesimos(x), dado)


def reverso(registros):
    """White on black, as Zebra's ^FR over a solid box: exclusive or."""
    return ["A1"] + registros + ["A2"]
