#!/usr/bin/env python3
"""Writes the label templates of data/ in the printers' form: Windows-1252
bytes, lines ending in CR LF. Edit the templates here and run it again."""
import os
import sys

DADOS = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
STX = "\x02"


def gravar(nome, linhas):
    with open(os.path.join(DADOS, nome), "wb") as f:
        f.write(("\r\n".join(linhas) + "\r\n").encode("cp1252"))


# ---- Zebra (ZPL, 203 dpi). Two tags side by side, 325 dots (40 mm) each.

CABECALHO_ZPL = [
    "~SD:: Temperatura ::",
    "^XA",
    "^CI27",
    "^PW650",
    "^LL560",
    "^LH0,0",
    "^PR:: CMD_VELOCIDADE ::",
]
RODAPE_ZPL = ["^PQ1", "^XZ"]


def fonte(alt, larg=None):
    return "^A*N,%d,%d,FONTE_NOME" % (alt, larg or alt)


def etiqueta_classica(x, codigo, preco_exato):
    """One tag at horizontal position x (0 or 325). The frame stops above the
    bar code, which needs its quiet zones."""
    l = []
    l.append("^FO%d,12^GB300,360,2^FS" % (x + 12))
    l.append("^FO%d,24^FB276,1,0,C%s^FH\\^FD:: Desc.Linha 01 ::^FS" % (x + 24, fonte(22)))
    l.append("^FO%d,52^FB276,2,0,C%s^FH\\^FD:: Desc.Linha 02 ::^FS" % (x + 24, fonte(26, 24)))
    l.append("^FO%d,112^FB276,1,0,C%s^FH\\^FD:: Catalogo ::^FS" % (x + 24, fonte(22)))
    l.append("^FO%d,138^FB276,1,0,C%s^FH\\^FD:: Promocao ::^FS" % (x + 24, fonte(20)))
    l.append("^FO%d,170%s^FDTAM^FS" % (x + 28, fonte(20)))
    l.append("^FO%d,192%s^FH\\^FD:: Tamanho :::: TamanhoUnico ::^FS" % (x + 28, fonte(34, 30)))
    l.append("^FO%d,170%s^FDCOR^FS" % (x + 160, fonte(20)))
    l.append("^FO%d,192%s^FH\\^FD:: COR ::^FS" % (x + 160, fonte(30, 26)))
    l.append("^FO%d,236%s^FH\\^FDREF: :: REF_FORNECEDOR ::^FS" % (x + 28, fonte(20)))
    l.append("^FO%d,258%s^FH\\^FD:: ESTACAO :: :: ESTRCOLECAO ::^FS" % (x + 28, fonte(16)))
    if preco_exato:
        l += preco_exato
    l.append("^FO%d,378^BY2^BCN,80,N,N,N^FD>;%s^FS" % (x + 16, codigo))
    l.append("^FO%d,466%s^FH\\^FD:: NUM_COD_BARRAS1 ::^FS" % (x + 28, fonte(20)))
    l.append("^FO%d,490%s^FH\\^FD:: NUM_COD_BARRAS2 ::-:: NUM_COD_BARRAS3 ::^FS" % (x + 28, fonte(22)))
    l.append("^FO%d,518%s^FH\\^FD:: CodigoBureau ::  %%1922A12%%^FS" % (x + 28, fonte(16)))
    return l


def preco_classico(x):
    # The same geometry as the with/without-price template, so one tag looks
    # alike in both families.
    return [
        "^FO%d,280^GB270,82,4^FS" % (x + 15),
        "^FT%d,327^A0N,23,24^FH\\^FDR$^FS" % (x + 31),
        "^FT%d,339^A0N,46,45^FH\\^FD:: Preco ::^FS" % (x + 74),
    ]


def etiqueta_nova(x, codigo, preco):
    """New layout: size boxed at the top right, price right-aligned."""
    l = []
    l.append("^FO%d,12^GB300,360,2^FS" % (x + 12))
    l.append("^FO%d,24^FB200,1,0,L%s^FH\\^FD:: Desc.Linha 01 ::^FS" % (x + 24, fonte(20)))
    l.append("^FO%d,48^FB200,3,0,L%s^FH\\^FD:: Desc.Linha 02 ::^FS" % (x + 24, fonte(22, 20)))
    l.append("^FO%d,24^GB70,70,2^FS" % (x + 230))
    l.append("^FO%d,30^FB70,1,0,C%s^FDTAM^FS" % (x + 230, fonte(16)))
    l.append("^FO%d,52^FB70,1,0,C%s^FH\\^FD:: Tamanho ::^FS" % (x + 230, fonte(34, 24)))
    l.append("^FO%d,100^FB70,1,0,C%s^FH\\^FD:: TamanhoUnico ::^FS" % (x + 230, fonte(16)))
    l.append("^FO%d,126%s^FH\\^FD:: Catalogo ::^FS" % (x + 24, fonte(20)))
    l.append("^FO%d,150%s^FH\\^FD:: Promocao ::^FS" % (x + 24, fonte(18)))
    l.append("^FO%d,176%s^FH\\^FDCOR :: COR ::^FS" % (x + 24, fonte(22)))
    l.append("^FO%d,204%s^FH\\^FDREF :: REF_FORNECEDOR ::^FS" % (x + 24, fonte(20)))
    l.append("^FO%d,228%s^FH\\^FD:: ESTACAO :: :: ESTRCOLECAO ::^FS" % (x + 24, fonte(16)))
    l += preco
    l.append("^FO%d,378^BY2^BCN,80,N,N,N^FD>;%s^FS" % (x + 16, codigo))
    l.append("^FO%d,466%s^FH\\^FD:: NUM_COD_BARRAS1 ::^FS" % (x + 28, fonte(20)))
    l.append("^FO%d,490%s^FH\\^FD:: NUM_COD_BARRAS2 ::-:: NUM_COD_BARRAS3 ::^FS" % (x + 28, fonte(22)))
    l.append("^FO%d,518%s^FH\\^FD:: CodigoBureau ::  %%1922A12%%^FS" % (x + 28, fonte(16)))
    return l


def preco_novo(x):
    return [
        "^FO%d,262^GB270,104,4^FS" % (x + 15),
        "^FT%d,300^A0N,23,24^FH\\^FDR$^FS" % (x + 27),
        # The price comes right-aligned in eight characters: a monospaced
        # width keeps its digits under each other from tag to tag.
        "^FT%d,350^A0N,56,40^FB230,1,0,R^FH\\^FD:: Preco ::^FS" % (x + 40),
    ]


def modelo_zpl(corpo):
    return CABECALHO_ZPL + ["#INICIO#"] + corpo + ["#FIM#"] + RODAPE_ZPL


cartolina = etiqueta_classica(0, ":: CodBarra1 ::", preco_classico(0)) + \
    etiqueta_classica(325, ":: CodBarra2 ::", preco_classico(325))
gravar("QuelmonteEtiqPrecoCartolinaZebra.zpl", modelo_zpl(cartolina))
cartolina_nova = etiqueta_nova(0, ":: CodBarra1 ::", preco_novo(0)) + \
    etiqueta_nova(325, ":: CodBarra2 ::", preco_novo(325))
gravar("QuelmonteEtiqPrecoCartolina_NOVOZebra.zpl", modelo_zpl(cartolina_nova))

# With/without price: these six commands are what a request of origin "I"
# removes, so they must stay written exactly like this.
PRECO_COMSEM_ESQ = ["^FO15,280^GB270,82,4^FS", "^FT31,327^A0N,23,24^FH\\^FDR$^FS",
                    "^FT74,339^A0N,46,45^FH\\^FD:: Preco ::^FS"]
PRECO_COMSEM_DIR = ["^FO340,280^GB270,82,4^FS", "^FT356,327^A0N,23,24^FH\\^FDR$^FS",
                    "^FT399,339^A0N,46,45^FH\\^FD:: Preco ::^FS"]
comsem = etiqueta_classica(0, ":: CodBarra ::", PRECO_COMSEM_ESQ) + \
    etiqueta_classica(325, ":: CodBarra1 ::", PRECO_COMSEM_DIR)
gravar("QuelmonteEtiqPrecoComSemZebra.zpl", modelo_zpl(comsem))
comsem_nova = etiqueta_nova(0, ":: CodBarra ::", PRECO_COMSEM_ESQ) + \
    etiqueta_nova(325, ":: CodBarra1 ::", PRECO_COMSEM_DIR)
gravar("QuelmonteEtiqPrecoComSem_NOVOZebra.zpl", modelo_zpl(comsem_nova))


def separador_zpl(largura, altura, escala, letra_fornecedor):
    s = escala
    return [
        "~SD::Temperatura::",
        "^XA",
        "^CI27",
        "^PW%d" % largura,
        "^LL%d" % altura,
        "^PR:: CMD_VELOCIDADE ::",
        "^FO0,0^GB%d,%d,%d^FS" % (largura, int(90 * s), int(90 * s)),
        "^FO0,%d^FB%d,1,0,C^A0N,%d,%d^FR^FDSEPARADOR LLLL^FS" % (int(24 * s), largura, int(46 * s), int(46 * s)),
        "^FO24,%d^A0N,%d,%d^FH\\^FD:: INFO_FORNECEDOR ::^FS" % (int(120 * s), int(32 * s), letra_fornecedor),
        "^FO24,%d^A0N,%d,%d^FH\\^FD:: INFO_MATERIAL ::^FS" % (int(170 * s), int(32 * s), int(30 * s)),
        "^FO24,%d^A0N,%d,%d^FH\\^FD:: INFO_REF_FORNECEDOR ::^FS" % (int(220 * s), int(32 * s), int(30 * s)),
        "^FO24,%d^A0N,%d,%d^FH\\^FD:: INFO_PEDIDO ::^FS" % (int(290 * s), int(52 * s), int(48 * s)),
        "^FO24,%d^A0N,%d,%d^FH\\^FD:: INFO_ITEM_PEDIDO ::^FS" % (int(360 * s), int(52 * s), int(48 * s)),
        "^FO0,%d^GB%d,%d,%d^FS" % (altura - int(40 * s), largura, int(40 * s), int(40 * s)),
        "^PQ1",
        "^XZ",
    ]


# Narrow letters for the supplier: "FORNECEDOR: " and a 30-letter name fit
# the 650-dot stock.
gravar("QuelmonteSeparador.zpl", separador_zpl(650, 560, 1.0, 20))
# The internal, box and SKU stock is 101.6 mm wide: the separator of those
# runs takes its whole width and the height of two internal rows.
gravar("QuelmonteSeparadorSKU.zpl", separador_zpl(812, 400, 0.7, 21))

# ---- Datamax (DPL). Units of 0.01 inch; rows count from the bottom edge.

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dpl_gemeo import Gemeo, reverso  # noqa: E402

CABECALHO_DPL = [STX + "L", "D11", "H:: Temperatura ::", "P:: CMD_VELOCIDADE ::"]
RODAPE_DPL = ["Q0001", "E"]


# The tags' twins. Their text takes the layout's bitmap font ("*", font 2 as
# shipped: 18-dot cells 12 dots apart) at a height multiple of the Zebra
# field's; Datamax has no centred block, so a centred Zebra line starts at the
# frame's inner edge, where 24 letters fit. Price and "R$" keep font 9, as
# the Zebra's font 0.
PRECO_DPL = Gemeo(560)
CELULA_FONTE_LAYOUT = 18


def texto_layout(x, y, alt, dado):
    # Never much taller than the Zebra cell: a taller one would reach into
    # the field above.
    return PRECO_DPL.bitmap("*", 1, max(1, (alt + 2) // CELULA_FONTE_LAYOUT), x, y, alt, dado)


def codigo_dpl(x, codigo):
    return PRECO_DPL.barras(x + 16, 378, 80, codigo, 2, False)


def rodape_dpl(x):
    return [
        texto_layout(x + 28, 466, 20, ":: NUM_COD_BARRAS1 ::"),
        texto_layout(x + 28, 490, 22, ":: NUM_COD_BARRAS2 ::-:: NUM_COD_BARRAS3 ::"),
        texto_layout(x + 28, 518, 16, ":: CodigoBureau ::  %1922A12%"),
    ]


def etiqueta_classica_dpl(x, codigo, preco):
    return [
        PRECO_DPL.caixa(x + 12, 12, 300, 360, 2),
        texto_layout(x + 16, 24, 22, ":: Desc.Linha 01 ::"),
        texto_layout(x + 16, 52, 26, ":: Desc.Linha 02 ::"),
        texto_layout(x + 16, 112, 22, ":: Catalogo ::"),
        texto_layout(x + 16, 138, 20, ":: Promocao ::"),
        texto_layout(x + 28, 170, 20, "TAM"),
        texto_layout(x + 28, 192, 34, ":: Tamanho :::: TamanhoUnico ::"),
        texto_layout(x + 160, 170, 20, "COR"),
        texto_layout(x + 160, 192, 30, ":: COR ::"),
        texto_layout(x + 28, 236, 20, "REF: :: REF_FORNECEDOR ::"),
        texto_layout(x + 28, 258, 16, ":: ESTACAO :: :: ESTRCOLECAO ::"),
    ] + preco + [codigo_dpl(x, codigo)] + rodape_dpl(x)


def etiqueta_nova_dpl(x, codigo, preco):
    return [
        PRECO_DPL.caixa(x + 12, 12, 300, 360, 2),
        texto_layout(x + 24, 24, 20, ":: Desc.Linha 01 ::"),
        # Zebra wraps the description in three lines beside the size box;
        # Datamax has one, in font 1 (9-dot cells): 24 letters fit.
        PRECO_DPL.bitmap("1", 1, 1, x + 14, 48, 22, ":: Desc.Linha 02 ::"),
        PRECO_DPL.caixa(x + 230, 24, 70, 70, 2),
        texto_layout(x + 247, 30, 16, "TAM"),
        # The size comes padded to seven letters: font 1 keeps them in the box.
        PRECO_DPL.bitmap("1", 1, 2, x + 233, 52, 34, ":: Tamanho ::"),
        texto_layout(x + 230, 100, 16, ":: TamanhoUnico ::"),
        texto_layout(x + 24, 126, 20, ":: Catalogo ::"),
        texto_layout(x + 24, 150, 18, ":: Promocao ::"),
        texto_layout(x + 24, 176, 22, "COR :: COR ::"),
        texto_layout(x + 24, 204, 20, "REF :: REF_FORNECEDOR ::"),
        texto_layout(x + 24, 228, 16, ":: ESTACAO :: :: ESTRCOLECAO ::"),
    ] + preco + [codigo_dpl(x, codigo)] + rodape_dpl(x)


def preco_classico_dpl(x):
    """The with/without-price family's price records: the routine removes
    exactly these for a request of origin "I"."""
    return [
        PRECO_DPL.caixa(x + 15, 280, 270, 82, 4),
        PRECO_DPL.texto_na_base(x + 31, 327, 23, "R$"),
        PRECO_DPL.texto_na_base(x + 74, 339, 46, ":: Preco ::"),
    ]


def preco_novo_dpl(x):
    # The routine pads the new layout's price to eight letters for the
    # Zebra's right-aligned block: in font 2's fixed cells (24 dots apart at
    # twice the width) it ends where that block ends, as the cosmetic price
    # does. Font 9's narrow blanks left it short of the frame's right side.
    celula = 3 * CELULA_FONTE_LAYOUT
    return [
        PRECO_DPL.caixa(x + 15, 262, 270, 104, 4),
        PRECO_DPL.texto_na_base(x + 27, 300, 23, "R$"),
        PRECO_DPL.bitmap("2", 2, 3, x + 40 + 230 - 8 * 24, 350 + celula / 5 - celula, celula,
                         ":: Preco ::"),
    ]


def modelo_dpl(corpo):
    return CABECALHO_DPL + ["#INICIO#"] + corpo + ["#FIM#"] + RODAPE_DPL


def gemeos_dpl(etiqueta, cod1, cod2, preco):
    return modelo_dpl(etiqueta(0, cod1, preco(0)) + etiqueta(325, cod2, preco(325)))


gravar("QuelmonteEtiqPrecoCartolinaDataMax.prn",
       gemeos_dpl(etiqueta_classica_dpl, ":: CodBarra1 ::", ":: CodBarra2 ::", preco_classico_dpl))
gravar("QuelmonteEtiqPrecoCartolina_NOVODataMax.prn",
       gemeos_dpl(etiqueta_nova_dpl, ":: CodBarra1 ::", ":: CodBarra2 ::", preco_novo_dpl))
gravar("QuelmonteEtiqPrecoComSemDataMax.prn",
       gemeos_dpl(etiqueta_classica_dpl, ":: CodBarra ::", ":: CodBarra1 ::", preco_classico_dpl))
gravar("QuelmonteEtiqPrecoComSem_NOVODataMax.prn",
       gemeos_dpl(etiqueta_nova_dpl, ":: CodBarra ::", ":: CodBarra1 ::", preco_classico_dpl))


def separador_dpl(largura, altura, escala, letra_fornecedor):
    """The Zebra separator's twin, from the same numbers (see dpl_gemeo). The
    title is centred for the shipped label text, "SEPARADOR"."""
    s = escala
    g = Gemeo(altura)
    alt_fornecedor = int(32 * s)
    if letra_fornecedor < 0.75 * alt_fornecedor:
        # Narrow letters as on the Zebra: bitmap font 2 (12-dot cells) made taller.
        fornecedor = g.bitmap("2", 1, round(alt_fornecedor / 18), 24, int(120 * s), alt_fornecedor,
                              ":: INFO_FORNECEDOR ::")
    else:
        fornecedor = g.texto(24, int(120 * s), alt_fornecedor, ":: INFO_FORNECEDOR ::")
    titulo = g.texto_centrado(0, largura, int(24 * s), int(46 * s), "SEPARADOR SEPARADOR")
    return [
        STX + "L", "D11", "H::Temperatura::", "P:: CMD_VELOCIDADE ::",
        g.caixa(0, 0, largura, int(90 * s), int(90 * s)),
    ] + reverso([titulo.replace("SEPARADOR SEPARADOR", "SEPARADOR LLLL")]) + [
        fornecedor,
        g.texto(24, int(170 * s), int(32 * s), ":: INFO_MATERIAL ::"),
        g.texto(24, int(220 * s), int(32 * s), ":: INFO_REF_FORNECEDOR ::"),
        g.texto(24, int(290 * s), int(52 * s), ":: INFO_PEDIDO ::"),
        g.texto(24, int(360 * s), int(52 * s), ":: INFO_ITEM_PEDIDO ::"),
        g.caixa(0, altura - int(40 * s), largura, int(40 * s), int(40 * s)),
        "Q0001", "E",
    ]


gravar("QuelmonteSeparador.prn", separador_dpl(650, 560, 1.0, 20))
gravar("QuelmonteSeparadorSKU.prn", separador_dpl(812, 400, 0.7, 21))

# Printer set-up sent before every Datamax price unit: inch units, a 5 inch
# maximum label length, gap sensing, no cutter, default start-of-print, and
# a 4 inch label width: the widest label sent after it, the adhesive pair,
# reaches 3.4 inches and the 100 mm box labels 3.9.
gravar("QuelmonteConfiguracaoDatamax.prn",
       [STX + "n", STX + "M0500", STX + "e", STX + "V0", STX + "O0220", STX + "KcLW0400"])


# ---- Internal, box and SKU sheets. A sheet is one whole-file template; the
# routine numbers the bar codes in the order they come in the file, and the
# n-th readable line (":: NUM_COD_BARRAS3 ::") shows the n-th bar code's number.

# The prefix has a field of its own: the internal routine writes it bare
# ("2"), the SKU routine with a blank after it ("2 ").
PREFIXO = ":: NUM_COD_BARRAS1 ::"
LEGIVEL = ":: NUM_COD_BARRAS2 :: :: NUM_COD_BARRAS3 ::"


def cabecalho_folha_zpl(largura, altura):
    return ["~SD:: Temperatura ::", "^XA", "^CI27", "^PW%d" % largura, "^LL%d" % altura,
            "^LH0,0", "^PR:: CMD_VELOCIDADE ::"]


def posicao_interna_zpl(x, y):
    """One internal label of 50.8 x 25.4 mm (406 x 200 dots). Module 2: the
    17-digit code of an 11-digit variant is 290 dots wide and keeps its
    quiet zones."""
    return [
        "^FO%d,%d^A0N,22,20^FB370,1,0,L^FH\\^FD:: DESC_PROD ::^FS" % (x + 20, y + 12),
        "^FO%d,%d^A0N,18,16^FB370,1,0,L^FH\\^FDCOR :: COR :: / :: COR_INGLES ::^FS" % (x + 20, y + 38),
        "^FO%d,%d^A0N,18,16^FB370,1,0,L^FH\\^FDTAM :: TAMANHO :: / :: TAMANHO_INGLES ::   DEP :: DCO ::^FS"
        % (x + 20, y + 58),
        "^FO%d,%d^BY2^BCN,70,N,N,N^FD>;:: NUM_COD_BARRAS ::^FS" % (x + 30, y + 82),
        "^FO%d,%d^A0N,24,20^FH\\^FD%s^FS" % (x + 20, y + 160, PREFIXO),
        "^FO%d,%d^A0N,24,20^FH\\^FD%s^FS" % (x + 40, y + 160, LEGIVEL),
    ]


def posicao_caixa_zpl(y):
    """One box label of 101.6 x 50.8 mm (812 x 400 dots)."""
    return [
        "^FO16,%d^GB780,372,3^FS" % (y + 14),
        "^FO40,%d^A0N,36,32^FB732,1,0,L^FH\\^FD:: DESC_PROD ::^FS" % (y + 34),
        "^FO40,%d^A0N,28,26^FH\\^FDCOR: :: COR ::^FS" % (y + 82),
        "^FO420,%d^A0N,28,26^FH\\^FDCOLOR: :: COR_INGLES ::^FS" % (y + 82),
        "^FO40,%d^A0N,28,26^FH\\^FDTAM: :: TAMANHO ::^FS" % (y + 118),
        "^FO420,%d^A0N,28,26^FH\\^FDSIZE: :: TAMANHO_INGLES ::^FS" % (y + 118),
        "^FO40,%d^A0N,28,26^FH\\^FDDEPTO: :: DCO ::^FS" % (y + 154),
        "^FO70,%d^BY3^BCN,110,N,N,N^FD>;:: NUM_COD_BARRAS ::^FS" % (y + 196),
        "^FO40,%d^A0N,40,34^FH\\^FD%s^FS" % (y + 322, PREFIXO),
        "^FO74,%d^A0N,40,34^FH\\^FD%s^FS" % (y + 322, LEGIVEL),
    ]


interna = cabecalho_folha_zpl(812, 600)
for linha in range(3):
    for coluna in range(2):
        interna += posicao_interna_zpl(406 * coluna, 200 * linha)
gravar("QuelmonteEtiqInternaZebra.zpl", interna + RODAPE_ZPL)
gravar("QuelmonteEtiqCaixaZebra.zpl",
       cabecalho_folha_zpl(812, 800) + posicao_caixa_zpl(0) + posicao_caixa_zpl(400) + RODAPE_ZPL)


# The sheets' twins (see dpl_gemeo). Long lines of the internal label take
# bitmap font 2, whose 12-dot cells are as narrow as the Zebra's letters.
FOLHA_INTERNA_DPL = Gemeo(600)
FOLHA_CAIXA_DPL = Gemeo(800)


def posicao_interna_dpl(x, y):
    g = FOLHA_INTERNA_DPL
    return [
        g.bitmap("2", 1, 1, x + 20, y + 12, 22, ":: DESC_PROD ::"),
        g.bitmap("2", 1, 1, x + 20, y + 38, 18, "COR :: COR :: / :: COR_INGLES ::"),
        g.bitmap("2", 1, 1, x + 20, y + 58, 18,
                 "TAM :: TAMANHO :: / :: TAMANHO_INGLES ::   DEP :: DCO ::"),
        g.barras(x + 30, y + 82, 70, ":: NUM_COD_BARRAS ::", 2, False),
        g.texto(x + 20, y + 160, 24, PREFIXO),
        g.texto(x + 40, y + 160, 24, LEGIVEL),
    ]


def posicao_caixa_dpl(y):
    g = FOLHA_CAIXA_DPL
    return [
        g.caixa(16, y + 14, 780, 372, 3),
        g.texto(40, y + 34, 36, ":: DESC_PROD ::"),
        g.texto(40, y + 82, 28, "COR: :: COR ::"),
        g.texto(420, y + 82, 28, "COLOR: :: COR_INGLES ::"),
        g.texto(40, y + 118, 28, "TAM: :: TAMANHO ::"),
        g.texto(420, y + 118, 28, "SIZE: :: TAMANHO_INGLES ::"),
        g.texto(40, y + 154, 28, "DEPTO: :: DCO ::"),
        g.barras(70, y + 196, 110, ":: NUM_COD_BARRAS ::", 3, False),
        g.texto(40, y + 322, 40, PREFIXO),
        g.texto(74, y + 322, 40, LEGIVEL),
    ]


CABECALHO_FOLHA_DPL = [STX + "L", "D11", "H:: Temperatura ::", "P:: CMD_VELOCIDADE ::"]
interna_dpl = list(CABECALHO_FOLHA_DPL)
for linha in range(3):  # top row first, as the Zebra's: bar codes are numbered in file order
    for coluna in range(2):
        interna_dpl += posicao_interna_dpl(406 * coluna, 200 * linha)
gravar("QuelmonteEtiqInternaDataMax.prn", interna_dpl + RODAPE_DPL)
gravar("QuelmonteEtiqCaixaDataMax.prn",
       CABECALHO_FOLHA_DPL + posicao_caixa_dpl(0) + posicao_caixa_dpl(400) + RODAPE_DPL)


# Adhesive and intimate-apparel adhesive labels.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import adesiva  # noqa: E402

adesiva.gerar(gravar, STX)

# Cosmetic and watch price labels.
import cosmetico_relogio  # noqa: E402

cosmetico_relogio.gerar(gravar)
