#!/usr/bin/env python3
"""Writes the box label templates of data/ (replenishment, standard volume,
ILPN) in the printers' form: Windows-1252 bytes, lines ending in CR LF. Box
labels are 100 x 150 mm: 800 x 1200 dots at 203 dpi on a Zebra, 394 x 591
hundredths of an inch on a Datamax; each field is written once for both.
Edit the templates here and run it again."""
import os
import sys

DADOS = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
STX = "\x02"


def gravar(nome, linhas):
    with open(os.path.join(DADOS, nome), "wb") as f:
        f.write(("\r\n".join(linhas) + "\r\n").encode("cp1252"))


# ---- Each field once, written for both printers: Zebra (ZPL, 203 dpi, 8 dots
# a millimetre) and its Datamax twin (DPL, see dpl_gemeo) at the same place.

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dpl_gemeo import Gemeo, reverso  # noqa: E402

DPL = Gemeo(1200)


def cabecalho_zpl():
    return ["~SD::Temperatura::", "^XA", "^CI27", "^PW800", "^LL1200", "^LH0,0",
            "^PR:: CMD_VELOCIDADE ::", "^FO16,16^GB768,1168,4^FS"]


def cabecalho_dpl():
    return [STX + "L", "D11", "H::Temperatura::", "P:: CMD_VELOCIDADE ::",
            DPL.caixa(16, 16, 768, 1168, 4)]


def titulo(texto, texto_dpl):
    """White on a black band across the top. DPL has no centred block: the
    line is placed at the centre by its estimated width."""
    return (["^FO16,16^GB768,80,80^FS",
             "^FO16,36^FB768,1,0,C^A0N,44,44^FR^FD%s^FS" % texto],
            [DPL.caixa(16, 16, 768, 80, 80)] + reverso([DPL.texto_centrado(16, 768, 36, 44, texto_dpl)]))


def rotulo(x, y, texto, alt=26, larg=None, texto_dpl=None, pontos_dpl=None):
    """A fixed caption (no order data: no ^FH needed). `pontos_dpl`: a
    smaller font 9 size where the Zebra letters are condensed."""
    return (["^FO%d,%d^A0N,%d,%d^FD%s^FS" % (x, y, alt, larg or alt, texto)],
            [DPL.texto(x, y, alt, texto_dpl or texto, pontos_dpl)])


def campo(x, y, token, alt, larg=None, bloco=None):
    """A field that receives order data: ^FH\\ so that escaped command
    characters print as themselves."""
    fb = "^FB%d,1,0,L" % bloco if bloco else ""
    return (["^FO%d,%d^A0N,%d,%d%s^FH\\^FD%s^FS" % (x, y, alt, larg or alt, fb, token)],
            [DPL.texto(x, y, alt, token)])


def linha_h(y):
    return ["^FO16,%d^GB768,0,3^FS" % y], [DPL.traco(16, y, 768, 3)]


def barras(x, y, dados, altura, modulo=3, legenda="Y"):
    # Automatic subset selection: the data may mix digits and letters.
    return (["^FO%d,%d^BY%d^BCN,%d,%s,N,N,A^FD%s^FS" % (x, y, modulo, altura, legenda, dados)],
            [DPL.barras(x, y, altura, dados, modulo, legenda == "Y")])


def gravar_gemeos(base, campos):
    gravar(base + "Zebra.zpl", cabecalho_zpl() + [l for z, _ in campos for l in z] + ["^PQ1", "^XZ"])
    gravar(base + "DataMax.prn", cabecalho_dpl() + [l for _, d in campos for l in d] + ["Q0001", "E"])


# The Datamax captions keep to plain letters: accented ones depend on the
# printer's symbol set.
gravar_gemeos("QuelmonteEtiqVolumeRepos", [
    titulo("REPOSIÇÃO AUTOMÁTICA", "REPOSICAO AUTOMATICA"),
    rotulo(40, 116, "LOJA"),
    campo(40, 150, "::L000::", 200, 170, 720),
    linha_h(370),
    rotulo(40, 390, "MATERIAL"),
    campo(40, 424, "::000000000", 72, 60, 720),
    linha_h(520),
    rotulo(40, 540, "VOLUME"),
    # "Vol.001/003": eleven letters must fit the box.
    rotulo(40, 580, "@Volume", 130, 110, pontos_dpl=36),
    linha_h(740),
    barras(60, 780, "1111111111111111111111111111", 220),
    linha_h(1080),
    campo(40, 1104, "BUREAU :: CodigoBureau ::", 30),
])

gravar_gemeos("QuelmonteEtiqVolumePadrao", [
    titulo("ETIQUETA DE VOLUME", "ETIQUETA DE VOLUME"),
    rotulo(40, 116, "MERCADORIA"),
    campo(40, 150, "::Mercadoria::", 96, 80, 720),
    linha_h(270),
    rotulo(40, 290, "VOLUME"),
    campo(40, 330, "::Volume::", 170, 140),
    linha_h(530),
    rotulo(40, 550, "PEÇAS POR CAIXA", texto_dpl="PECAS POR CAIXA"),
    campo(40, 590, "::QuantGrade::", 80, 70),
    rotulo(440, 550, "SEMANA DE ENTREGA"),
    campo(440, 590, "::SemanaEntr::", 80, 70, 320),
    linha_h(700),
    barras(80, 740, "::CodBarras::", 240),
    linha_h(1080),
    campo(40, 1104, "BUREAU :: CodigoBureau ::", 30),
])

gravar_gemeos("QuelmonteEtiqIlpn", [
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
])
