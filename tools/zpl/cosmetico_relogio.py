"""Cosmetic and watch price templates. Neither family fills positions or the
font from the layout file, so every field is placed here and the fonts are
the printers' own (ZPL font 0, DPL fonts 9 and 2)."""

from dpl_gemeo import Gemeo, centesimos, largura_estimada, pontos_do_tamanho, reverso

# ---- Cosmetic: one small label of 30 x 15 mm (240 x 120 dots) that shows
# only the price. A unit stands for five labels: the footer prints five.

CABECALHO_COSMETICO_ZPL = ["~SD:: Temperatura ::", "^XA", "^CI27", "^PW240", "^LL120", "^LH0,0",
                           "^PR:: CMD_VELOCIDADE ::"]
RODAPE_COSMETICO_ZPL = ["^PQ5", "^XZ"]

COSMETICO_ZPL = [
    "^FO6,6^GB228,108,2^FS",
    "^FO16,18^A0N,24,22^FDR$^FS",
    "^FO16,46^FB208,1,0,C^A0N,60,50^FH\\^FD:: Preco ::^FS",
]

# New layout: a dark band with "R$" and the price below it, right-aligned;
# the routine pads the price to eight characters so that prices of
# different lengths keep their cents under each other.
COSMETICO_NOVO_ZPL = [
    "^FO6,6^GB228,108,2^FS",
    "^FO6,6^GB228,30,30^FS",
    "^FO16,10^A0N,24,22^FR^FDR$^FS",
    "^FO16,48^FB204,1,0,R^A0N,58,46^FH\\^FD:: Preco ::^FS",
]

CABECALHO_DPL = "\x02L"


def cabecalho_dpl():
    return [CABECALHO_DPL, "D11", "H:: Temperatura ::", "P:: CMD_VELOCIDADE ::"]


RODAPE_COSMETICO_DPL = ["Q0005", "E"]

# The Datamax twins (see dpl_gemeo). No centred or right-aligned block in
# DPL: the price is centred for a usual one, and the new layout's padded
# price takes bitmap font 2, whose fixed cells keep the cents under each
# other, ending where the Zebra's right-aligned block ends.
COSMETICO = Gemeo(120)
COSMETICO_DPL = [
    COSMETICO.caixa(6, 6, 228, 108, 2),
    COSMETICO.texto(16, 18, 24, "R$"),
    COSMETICO.texto_centrado(16, 208, 46, 60, ":: Preco ::", pontos=18, como="99,90"),
]
COSMETICO_NOVO_DPL = [
    COSMETICO.caixa(6, 6, 228, 108, 2),
    COSMETICO.caixa(6, 6, 228, 30, 30),
] + reverso([COSMETICO.texto(16, 10, 24, "R$")]) + [
    COSMETICO.bitmap("2", 2, 3, 16 + 204 - 8 * 24, 48, 58, ":: Preco ::"),
]

# ---- Watch: two labels of 48 x 28 mm (384 x 224 dots) side by side, 2 mm
# apart. "#DIREITA#" marks where the right label begins, so that the last
# label of an odd range prints alone.

CABECALHO_RELOGIO_ZPL = ["~SD:: Temperatura ::", "^XA", "^CI27", "^PW784", "^LL224", "^LH0,0",
                         "^PR:: CMD_VELOCIDADE ::"]
RODAPE_RELOGIO_ZPL = ["^PQ1", "^XZ"]


def relogio_zpl(x, codigo, legivel):
    # The bar code is a serial field: its data ends in the field's step and
    # leading-zero flag (",1,N"), or switches code set before an odd last
    # digit. Subset C from the start packs the digits in pairs.
    return [
        "^FO%d,8^FB360,2,0,C^A0N,20,18^FH\\^FD::DESCRICAO::^FS" % (x + 12),
        "^FO%d,66^A0N,26,24^FDR$^FS" % (x + 20),
        "^FO%d,54^FB196,1,0,R^A0N,56,48^FH\\^FD::VAL_PRODUTO::^FS" % (x + 56),
        "^FO%d,56^A0N,30,26^FH\\^FD::CEN_PRODUTO::^FS" % (x + 254),
        "^FO%d,116^FB360,1,0,C^A0N,24,22^FH\\^FD10x de R$ ::VAL_PARCELA::::CEN_PARCELA::^FS"
        % (x + 12),
        "^FO%d,146^BY2^BCN,46,N,N,N^SN>;%s^FS" % (x + 60, codigo),
        "^FO%d,198^A0N,18,16^FH\\^FD%s^FS" % (x + 20, legivel),
        "^FO%d,198^A0N,18,16^FH\\^FD::COD_BUREAU::^FS" % (x + 290),
    ]


# The Datamax twin; the right label from column 197 (400 dots). The bar code
# keeps its record head "1e42020" (wide bar 4, 0.20 inch): the routine
# narrows it to 2 for these printers by that text.
RELOGIO = Gemeo(224)


def relogio_dpl(x, codigo, legivel):
    g = RELOGIO
    return [
        g.texto(x + 12, 8, 20, "::DESCRICAO::"),
        g.texto(x + 20, 66, 26, "R$"),
        # Right-aligned on the Zebra: here it ends there for a usual price.
        g.texto(x + 252 - largura_estimada(pontos_do_tamanho(18), "299,"), 54, 56, "::VAL_PRODUTO::",
                pontos=18),
        g.texto(x + 254, 56, 30, "::CEN_PRODUTO::"),
        g.texto_centrado(x + 12, 360, 116, 24, "10x de R$ ::VAL_PARCELA::::CEN_PARCELA::",
                         como="10x de R$ 129,90"),
        "1e42020%04d%04dC%s" % (g.linha(146, 46), centesimos(x + 60), codigo),
        g.texto(x + 20, 198, 18, legivel),
        g.texto(x + 290, 198, 18, "::COD_BUREAU::"),
    ]


def gerar(gravar):
    def modelo(cabecalho, corpo, rodape):
        return cabecalho + ["#INICIO#"] + corpo + ["#FIM#"] + rodape

    gravar("QuelmonteEtiqPrecoCosmeticoZebra.zpl",
           modelo(CABECALHO_COSMETICO_ZPL, COSMETICO_ZPL, RODAPE_COSMETICO_ZPL))
    gravar("QuelmonteEtiqPrecoCosmetico_NOVOZebra.zpl",
           modelo(CABECALHO_COSMETICO_ZPL, COSMETICO_NOVO_ZPL, RODAPE_COSMETICO_ZPL))
    gravar("QuelmonteEtiqPrecoCosmeticoDataMax.prn",
           modelo(cabecalho_dpl(), COSMETICO_DPL, RODAPE_COSMETICO_DPL))
    gravar("QuelmonteEtiqPrecoCosmetico_NOVODataMax.prn",
           modelo(cabecalho_dpl(), COSMETICO_NOVO_DPL, RODAPE_COSMETICO_DPL))

    corpo_zpl = relogio_zpl(0, "::COD_BARRAS::", "::COD_QUELMONTE::") + ["#DIREITA#"] + \
        relogio_zpl(400, "::COD_BARRAS2::", "::COD_QUELMONTE2::")
    gravar("QuelmonteEtiqPrecoRelogioZebra.zpl",
           modelo(CABECALHO_RELOGIO_ZPL, corpo_zpl, RODAPE_RELOGIO_ZPL))
    corpo_dpl = relogio_dpl(0, "::COD_BARRAS::", "::COD_QUELMONTE::") + ["#DIREITA#"] + \
        relogio_dpl(400, "::COD_BARRAS2::", "::COD_QUELMONTE2::")
    gravar("QuelmonteEtiqPrecoRelogioDataMax.prn",
           modelo(cabecalho_dpl(), corpo_dpl, ["Q0001", "E"]))
