#!/usr/bin/env python3
"""Writes the box label templates of data/ (replenishment, standard volume,
ILPN) in the printers' form: Windows-1252 bytes, lines ending in CR LF. Box
labels are 100 x 150 mm: 800 x 1200 dots at 203 dpi on a Zebra, 394 x 591
hundredths of an inch on a Datamax. Edit the templates here and run it again."""
import os
import sys

DADOS = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
STX = "\x02"


def gravar(nome, linhas):
    with open(os.path.join(DADOS, nome), "wb") as f:
        f.write(("\r\n".join(linhas) + "\r\n").encode("cp1252"))


# ---- Zebra (ZPL, 203 dpi, 8 dots a millimetre).

def cabecalho_zpl():
    return ["~SD::Temperatura::", "^XA", "^CI27", "^PW800", "^LL1200", "^LH0,0",
            "^PR:: CMD_VELOCIDADE ::", "^FO16,16^GB768,1168,4^FS"]


def rotulo(x, y, texto, alt=26):
    """A fixed caption (no order data: no ^FH needed)."""
    return "^FO%d,%d^A0N,%d,%d^FD%s^FS" % (x, y, alt, alt, texto)


def campo(x, y, token, alt, larg=None, bloco=None):
    """A field that receives order data: ^FH\\ so that escaped command
    characters print as themselves."""
    fb = "^FB%d,1,0,L" % bloco if bloco else ""
    return "^FO%d,%d^A0N,%d,%d%s^FH\\^FD%s^FS" % (x, y, alt, larg or alt, fb, token)


def linha_h(y):
    return "^FO16,%d^GB768,0,3^FS" % y


def barras(x, y, dados, altura, modulo=3, legenda="Y"):
    # Automatic subset selection: the data may mix digits and letters.
    return "^FO%d,%d^BY%d^BCN,%d,%s,N,N,A^FD%s^FS" % (x, y, modulo, altura, legenda, dados)


reposicao = cabecalho_zpl() + [
    "^FO16,16^GB768,80,80^FS",
    "^FO16,36^FB768,1,0,C^A0N,44,44^FR^FDREPOSIÇÃO AUTOMÁTICA^FS",
    rotulo(40, 116, "LOJA"),
    campo(40, 150, "::L000::", 200, 170, 720),
    linha_h(370),
    rotulo(40, 390, "MATERIAL"),
    campo(40, 424, "::000000000", 72, 60, 720),
    linha_h(520),
    rotulo(40, 540, "VOLUME"),
    "^FO40,580^A0N,130,110^FD@Volume^FS",
    linha_h(740),
    barras(60, 780, "1111111111111111111111111111", 220),
    linha_h(1080),
    campo(40, 1104, "BUREAU :: CodigoBureau ::", 30),
    "^PQ1", "^XZ",
]
gravar("QuelmonteEtiqVolumeReposZebra.zpl", reposicao)

padrao = cabecalho_zpl() + [
    "^FO16,16^GB768,80,80^FS",
    "^FO16,36^FB768,1,0,C^A0N,44,44^FR^FDETIQUETA DE VOLUME^FS",
    rotulo(40, 116, "MERCADORIA"),
    campo(40, 150, "::Mercadoria::", 96, 80, 720),
    linha_h(270),
    rotulo(40, 290, "VOLUME"),
    "^FO40,330^A0N,170,140^FH\\^FD::Volume::^FS",
    linha_h(530),
    rotulo(40, 550, "PEÇAS POR CAIXA"),
    campo(40, 590, "::QuantGrade::", 80, 70),
    rotulo(440, 550, "SEMANA DE ENTREGA"),
    campo(440, 590, "::SemanaEntr::", 80, 70, 320),
    linha_h(700),
    barras(80, 740, "::CodBarras::", 240),
    linha_h(1080),
    campo(40, 1104, "BUREAU :: CodigoBureau ::", 30),
    "^PQ1", "^XZ",
]
gravar("QuelmonteEtiqVolumePadraoZebra.zpl", padrao)

ilpn = cabecalho_zpl() + [
    rotulo(40, 36, "FORNECEDOR"),
    campo(40, 68, ":: FORNEC ::", 40, 34, 720),
    linha_h(124),
    rotulo(40, 140, "PEDIDO"),
    campo(40, 172, ":: PEDIDO ::", 48, 40, 340),
    rotulo(440, 140, "DESTINO"),
    campo(440, 172, ":: DESTINO ::", 110, 90, 320),
    linha_h(300),
    rotulo(40, 316, "ARTIGO"),
    campo(40, 348, ":: ARTIGO ::", 44, 38, 340),
    rotulo(440, 316, "QTDE"),
    campo(440, 348, ":: QTD_TOTAL ::", 44, 38, 150),
    rotulo(600, 316, "DCO"),
    campo(600, 348, ":: DCO ::", 44, 38, 170),
    rotulo(40, 410, "TIPO"),
    campo(40, 442, ":: TIPO_PRODUTO ::", 36, 32, 720),
    linha_h(494),
    rotulo(40, 510, "VOLUME"),
    campo(40, 542, ":: VOLUME_ATUAL ::", 44, 38, 720),
    rotulo(40, 600, "CD"),
    barras(100, 600, ":: COD_BARRAS_CD ::", 100, 2),
    linha_h(740),
    campo(40, 756, ":: DES_1 ::", 30, 28, 720),
    campo(40, 792, ":: DES_2 ::", 30, 28, 720),
    campo(40, 828, ":: DES_3 ::", 30, 28, 720),
    linha_h(874),
    barras(90, 900, ":: COD_BARRAS ::", 220),
    "^PQ1", "^XZ",
]
gravar("QuelmonteEtiqIlpnZebra.zpl", ilpn)


# ---- Datamax (DPL). Units of 0.01 inch; rows count from the bottom edge.
# Record: rotation, font, width and height multipliers, size, row, column.

def cabecalho_dpl():
    return [STX + "L", "D11", "H::Temperatura::", "P:: CMD_VELOCIDADE ::",
            "1X1100000060006B382579003003"]


def texto_dpl(fonte, mult, linha, coluna, dado):
    return "1%s%d%d000%04d%04d%s" % (fonte, mult, mult, linha, coluna, dado)


def barras_dpl(linha, coluna, altura, dado, largo=3, estreito=3):
    # Code 128 with automatic subsets, the human-readable line below it.
    return "1e%d%d%03d%04d%04d%s" % (largo, estreito, altura, linha, coluna, dado)


def traco_dpl(linha):
    return "1X1100%05d0006l%03d%03d" % (linha, 382, 3)


RODAPE_DPL = ["Q0001", "E"]

gravar("QuelmonteEtiqVolumeReposDataMax.prn", cabecalho_dpl() + [
    texto_dpl("4", 2, 545, 40, "REPOSICAO AUTOMATICA"),
    texto_dpl("2", 1, 520, 20, "LOJA"),
    texto_dpl("4", 7, 440, 20, "::L000::"),
    traco_dpl(420),
    texto_dpl("2", 1, 400, 20, "MATERIAL"),
    texto_dpl("4", 2, 360, 20, "::000000000"),
    traco_dpl(340),
    texto_dpl("2", 1, 320, 20, "VOLUME"),
    texto_dpl("4", 4, 250, 20, "@Volume"),
    traco_dpl(230),
    barras_dpl(80, 30, 120, "1111111111111111111111111111"),
    texto_dpl("2", 1, 20, 20, "BUREAU :: CodigoBureau ::"),
] + RODAPE_DPL)

gravar("QuelmonteEtiqVolumePadraoDataMax.prn", cabecalho_dpl() + [
    texto_dpl("4", 2, 545, 60, "ETIQUETA DE VOLUME"),
    texto_dpl("2", 1, 520, 20, "MERCADORIA"),
    texto_dpl("4", 3, 470, 20, "::Mercadoria::"),
    traco_dpl(450),
    texto_dpl("2", 1, 430, 20, "VOLUME"),
    texto_dpl("4", 6, 340, 20, "::Volume::"),
    traco_dpl(320),
    texto_dpl("2", 1, 300, 20, "PECAS POR CAIXA"),
    texto_dpl("4", 3, 250, 20, "::QuantGrade::"),
    texto_dpl("2", 1, 300, 210, "SEMANA DE ENTREGA"),
    texto_dpl("4", 3, 250, 210, "::SemanaEntr::"),
    traco_dpl(230),
    barras_dpl(80, 40, 120, "::CodBarras::"),
    texto_dpl("2", 1, 20, 20, "BUREAU :: CodigoBureau ::"),
] + RODAPE_DPL)

gravar("QuelmonteEtiqIlpnDataMax.prn", cabecalho_dpl() + [
    texto_dpl("2", 1, 565, 20, "FORNECEDOR"),
    texto_dpl("3", 1, 545, 20, ":: FORNEC ::"),
    traco_dpl(535),
    texto_dpl("2", 1, 520, 20, "PEDIDO"),
    texto_dpl("4", 2, 490, 20, ":: PEDIDO ::"),
    texto_dpl("2", 1, 520, 220, "DESTINO"),
    texto_dpl("4", 4, 460, 220, ":: DESTINO ::"),
    traco_dpl(450),
    texto_dpl("2", 1, 435, 20, "ARTIGO"),
    texto_dpl("4", 1, 415, 20, ":: ARTIGO ::"),
    texto_dpl("2", 1, 435, 220, "QTDE"),
    texto_dpl("4", 1, 415, 220, ":: QTD_TOTAL ::"),
    texto_dpl("2", 1, 435, 300, "DCO"),
    texto_dpl("4", 1, 415, 300, ":: DCO ::"),
    texto_dpl("3", 1, 395, 20, ":: TIPO_PRODUTO ::"),
    traco_dpl(385),
    texto_dpl("2", 1, 370, 20, "VOLUME"),
    texto_dpl("4", 1, 350, 20, ":: VOLUME_ATUAL ::"),
    barras_dpl(290, 40, 50, ":: COD_BARRAS_CD ::", 2, 2),
    traco_dpl(280),
    texto_dpl("3", 1, 260, 20, ":: DES_1 ::"),
    texto_dpl("3", 1, 240, 20, ":: DES_2 ::"),
    texto_dpl("3", 1, 220, 20, ":: DES_3 ::"),
    traco_dpl(205),
    barras_dpl(50, 40, 130, ":: COD_BARRAS ::"),
] + RODAPE_DPL)
