"""Cosmetic and watch price templates. Neither family fills positions or the
font from the layout file, so every field is placed here and the fonts are
the printers' own (ZPL font 0, DPL fonts 9 and 4)."""

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

# Units of 0.01 inch, rows from the bottom edge: 118 x 59.
COSMETICO_DPL = [
    "1X1100000030003B112053002002",
    "191100200400010R$",
    "192200300100026:: Preco ::",
]
# Font 4 is fixed-pitch: the eight-character price keeps its digits aligned.
COSMETICO_NOVO_DPL = [
    "1X1100000030003B112053002002",
    "1X1100000380003L112002",
    "191100200420010R$",
    "142200000080010:: Preco ::",
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


# Units of 0.01 inch, rows from the bottom edge: each label 189 x 110,
# the right one from column 197. The bar codes are written with a wide bar
# of 4; the routine narrows it to 2 for these printers.
def registro(prefixo, linha, coluna, dados):
    return "%s%04d%04d%s" % (prefixo, linha, coluna, dados)


def relogio_dpl(c, codigo, legivel):
    return [
        registro("1911002", 90, c + 8, "::DESCRICAO::"),
        registro("1911002", 66, c + 10, "R$"),
        registro("1922003", 58, c + 30, "::VAL_PRODUTO::"),
        registro("1911002", 72, c + 120, "::CEN_PRODUTO::"),
        registro("1911002", 42, c + 20, "10x de R$ ::VAL_PARCELA::::CEN_PARCELA::"),
        registro("1e42020", 16, c + 20, codigo),
        registro("1911001", 4, c + 10, legivel),
        registro("1911001", 4, c + 150, "::COD_BUREAU::"),
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
        relogio_dpl(197, "::COD_BARRAS2::", "::COD_QUELMONTE2::")
    gravar("QuelmonteEtiqPrecoRelogioDataMax.prn",
           modelo(cabecalho_dpl(), corpo_dpl, ["Q0001", "E"]))
