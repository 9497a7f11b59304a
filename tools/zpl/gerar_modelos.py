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

CABECALHO_DPL = [STX + "L", "D11", "H:: Temperatura ::", "P:: CMD_VELOCIDADE ::"]
RODAPE_DPL = ["Q0001", "E"]


def etiqueta_dpl(c, codigo, preco):
    """One tag whose left edge lies at column c (0 or 158). The fixed price
    records put the frame at rows 213-238 and the price at rows 70-100; the
    other fields keep clear of both."""
    return [
        "1*11000%04d%04d:: Desc.Linha 01 ::" % (275, c + 12),
        "1*11000%04d%04d:: Desc.Linha 02 ::" % (262, c + 12),
        "1*11000%04d%04d:: Catalogo ::" % (250, c + 12),
        "1*22000%04d%04d:: Tamanho :::: TamanhoUnico ::" % (194, c + 12),
        "1*11000%04d%04dCOR :: COR ::" % (194, c + 80),
        "1*11000%04d%04dREF :: REF_FORNECEDOR ::" % (180, c + 12),
        "1*11000%04d%04d:: ESTACAO :: :: ESTRCOLECAO ::" % (168, c + 12),
        "1*11000%04d%04d:: Promocao ::" % (155, c + 12),
    ] + preco + [
        "1E32035%04d%04d%s" % (112, c + 12, codigo),
        "1*11000%04d%04d:: NUM_COD_BARRAS1 ::" % (52, c + 12),
        "1*11000%04d%04d:: NUM_COD_BARRAS2 ::-:: NUM_COD_BARRAS3 ::" % (40, c + 12),
        "1*11000%04d%04d:: CodigoBureau ::  %%1922A12%%" % (28, c + 12),
    ]


PRECO_DPL_ESQ = ["1X1100002130031B120025001001", "192200300700028:: Preco ::", "191100200850013R$"]
PRECO_DPL_DIR = ["1X1100002130189B120025001001", "192200300700185:: Preco ::", "191100200850170R$"]


def modelo_dpl(corpo):
    return CABECALHO_DPL + ["#INICIO#"] + corpo + ["#FIM#"] + RODAPE_DPL


for base, cod1, cod2 in (("QuelmonteEtiqPrecoCartolina", ":: CodBarra1 ::", ":: CodBarra2 ::"),
                         ("QuelmonteEtiqPrecoComSem", ":: CodBarra ::", ":: CodBarra1 ::")):
    corpo = etiqueta_dpl(0, cod1, PRECO_DPL_ESQ) + etiqueta_dpl(158, cod2, PRECO_DPL_DIR)
    gravar(base + "DataMax.prn", modelo_dpl(corpo))
    gravar(base + "_NOVODataMax.prn", modelo_dpl(corpo))


def separador_dpl(escala):
    s = escala
    return [
        STX + "L", "D11", "H::Temperatura::", "P:: CMD_VELOCIDADE ::",
        "1X11000%04d0000B%03d%03d%03d%03d" % (int(240 * s), int(320 * s), int(40 * s), 40, 40),
        "1911000%04d0010SEPARADOR LLLL" % int(250 * s),
        "1911000%04d0010:: INFO_FORNECEDOR ::" % int(200 * s),
        "1911000%04d0010:: INFO_MATERIAL ::" % int(170 * s),
        "1911000%04d0010:: INFO_REF_FORNECEDOR ::" % int(140 * s),
        "1922000%04d0010:: INFO_PEDIDO ::" % int(90 * s),
        "1922000%04d0010:: INFO_ITEM_PEDIDO ::" % int(40 * s),
        "Q0001", "E",
    ]


gravar("QuelmonteSeparador.prn", separador_dpl(1.0))
gravar("QuelmonteSeparadorSKU.prn", separador_dpl(0.8))

# Printer set-up sent before every Datamax price unit: inch units, a 5 inch
# maximum label length, gap sensing, no cutter, default start-of-print.
gravar("QuelmonteConfiguracaoDatamax.prn",
       [STX + "n", STX + "M0500", STX + "e", STX + "V0", STX + "O0220", STX + "KcLW0320"])


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


def posicao_interna_dpl(c, b):
    """One internal label; c its left column, b its bottom row (0.01 inch)."""
    return [
        "1211000%04d%04d:: DESC_PROD ::" % (b + 86, c + 10),
        "1211000%04d%04dCOR :: COR :: / :: COR_INGLES ::" % (b + 76, c + 10),
        "1211000%04d%04dTAM :: TAMANHO :: / :: TAMANHO_INGLES ::  DEP :: DCO ::" % (b + 66, c + 10),
        "1E22030%04d%04d:: NUM_COD_BARRAS ::" % (b + 30, c + 15),
        "1311000%04d%04d%s" % (b + 12, c + 10, PREFIXO),
        "1311000%04d%04d%s" % (b + 12, c + 20, LEGIVEL),
    ]


def posicao_caixa_dpl(b):
    return [
        "1X11000%04d0008B392184003003" % (b + 8),
        "1411000%04d0020:: DESC_PROD ::" % (b + 162),
        "1311000%04d0020COR: :: COR ::" % (b + 142),
        "1311000%04d0200COLOR: :: COR_INGLES ::" % (b + 142),
        "1311000%04d0020TAM: :: TAMANHO ::" % (b + 127),
        "1311000%04d0200SIZE: :: TAMANHO_INGLES ::" % (b + 127),
        "1311000%04d0020DEPTO: :: DCO ::" % (b + 112),
        "1E33055%04d0035:: NUM_COD_BARRAS ::" % (b + 42),
        "1411000%04d0020%s" % (b + 18, PREFIXO),
        "1411000%04d0036%s" % (b + 18, LEGIVEL),
    ]


CABECALHO_FOLHA_DPL = [STX + "L", "D11", "H:: Temperatura ::", "P:: CMD_VELOCIDADE ::"]
interna_dpl = list(CABECALHO_FOLHA_DPL)
for base in (200, 100, 0):  # top row first: bar codes are numbered in file order
    for coluna in (0, 200):
        interna_dpl += posicao_interna_dpl(coluna, base)
gravar("QuelmonteEtiqInternaDataMax.prn", interna_dpl + RODAPE_DPL)
gravar("QuelmonteEtiqCaixaDataMax.prn",
       CABECALHO_FOLHA_DPL + posicao_caixa_dpl(200) + posicao_caixa_dpl(0) + RODAPE_DPL)


# Adhesive and intimate-apparel adhesive labels.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import adesiva  # noqa: E402

adesiva.gerar(gravar, STX)

# Cosmetic and watch price labels.
import cosmetico_relogio  # noqa: E402

cosmetico_relogio.gerar(gravar)
