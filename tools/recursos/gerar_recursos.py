#!/usr/bin/env python3
"""Writes the two objects etiquetas downloads into Zebra printers.

  src/output/recursos/GraficoTesouras.zpl  ~DG graphic TESOURAS, 312 x 34 dots
  src/output/recursos/FonteArial.zpl       ~DT font ARIAL, 50,966 bytes of data

Each is ZPL text: the command header, the data as lines of hexadecimal digits
ending in CR LF, and a few zero bytes at the end. The program embeds them at
build time. Run it again only to change them, with Debian's Python and the
packages fonts-liberation2 and python3-fonttools:

  /usr/bin/python3 tools/recursos/gerar_recursos.py
"""
import io
import math
import pathlib
import sys

RAIZ = pathlib.Path(__file__).resolve().parents[2]
DESTINO = RAIZ / "src" / "output" / "recursos"
FONTE_LIBERATION = pathlib.Path("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf")

LARGURA, ALTURA = 312, 34  # dots; 39 bytes a row, 1,326 bytes in all
TAMANHO_FONTE = 50966      # the size the ~DT header announces
BYTES_POR_LINHA = 39       # hex lines of the font, as long as the graphic's


# --- the graphic: a pair of scissors followed by a dashed cut line ---------

def no_anel(x, y, cx, cy, rx, ry, espessura):
    d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
    di = ((x - cx) / (rx - espessura)) ** 2 + ((y - cy) / (ry - espessura)) ** 2
    return d <= 1.0 and di >= 1.0


def no_poligono(x, y, pontos):
    dentro = False
    j = len(pontos) - 1
    for i, (xi, yi) in enumerate(pontos):
        xj, yj = pontos[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            dentro = not dentro
        j = i
    return dentro


def na_linha(x, y, a, b, espessura):
    (ax, ay), (bx, by) = a, b
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(x - ax - t * vx, y - ay - t * vy) <= espessura / 2


# Blades cross at the pivot: the upper handle drives the blade that ends low.
LAMINA_DE_CIMA = [(22, 10), (27, 8), (40, 15), (84, 24), (40, 20), (30, 16)]
LAMINA_DE_BAIXO = [(22, 24), (27, 26), (40, 19), (84, 10), (40, 14), (30, 18)]


def ponto_tesoura(x, y):
    if no_anel(x, y, 12, 8.5, 11, 7, 3) or no_anel(x, y, 12, 25.5, 11, 7, 3):
        return True
    if no_poligono(x + 0.5, y + 0.5, LAMINA_DE_CIMA) or no_poligono(x + 0.5, y + 0.5, LAMINA_DE_BAIXO):
        return True
    if math.hypot(x - 36, y - 17) <= 2.2:  # the pivot screw
        return True
    return na_linha(x, y, (20, 13), (26, 15), 2) or na_linha(x, y, (20, 21), (26, 19), 2)


def ponto_linha_corte(x, y):
    return x >= 96 and 16 <= y <= 17 and (x - 96) % 16 < 10


def bitmap_tesouras():
    linhas = []
    for y in range(ALTURA):
        bits = [ponto_tesoura(x, y) or ponto_linha_corte(x, y) for x in range(LARGURA)]
        linha = bytearray()
        for i in range(0, LARGURA, 8):
            byte = 0
            for b in bits[i:i + 8]:
                byte = (byte << 1) | int(b)
            linha.append(byte)
        linhas.append(bytes(linha))
    return linhas


# --- the font: Liberation Sans cut to the Windows-1252 characters ----------

def caracteres_cp1252():
    codigos = set()
    for b in [*range(0x20, 0x7F), *range(0x80, 0x100)]:
        try:
            codigos.add(ord(bytes([b]).decode("cp1252")))
        except UnicodeDecodeError:
            pass  # 0x81, 0x8D, 0x8F, 0x90, 0x9D have no character
    return sorted(codigos)


NOME_FONTE = "Etiquetas Sans"


def renomear(fonte):
    # "Liberation" is a Reserved Font Name of the licence: a cut-down copy
    # must go by another name. Copyright and licence entries stay.
    nomes = fonte["name"]
    for registro in list(nomes.names):
        if registro.nameID in (1, 4, 16, 21):
            registro.string = NOME_FONTE
        elif registro.nameID in (3, 6):
            registro.string = NOME_FONTE.replace(" ", "") + "-Regular"
        elif registro.nameID == 5:
            registro.string = registro.toUnicode() + "; subset of Liberation Sans by etiquetas"


def fonte_reduzida():
    from fontTools import subset
    from fontTools.ttLib import TTFont

    opcoes = subset.Options()
    opcoes.hinting = True           # instructions keep small text legible
    opcoes.layout_features = []     # no kerning or ligature tables
    opcoes.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
    opcoes.drop_tables += ["FFTM"]  # keep copyright and licence
    opcoes.notdef_outline = True
    opcoes.desubroutinize = True
    fonte = TTFont(str(FONTE_LIBERATION), recalcTimestamp=False)  # same bytes every run
    subsetter = subset.Subsetter(opcoes)
    subsetter.populate(unicodes=caracteres_cp1252())
    subsetter.subset(fonte)
    renomear(fonte)
    faltam = set(caracteres_cp1252()) - set(fonte.getBestCmap())
    if faltam:
        sys.exit("a fonte não tem " + "".join(map(chr, sorted(faltam))))
    saida = io.BytesIO()
    fonte.save(saida)
    dados = saida.getvalue()
    if len(dados) > TAMANHO_FONTE:
        sys.exit(f"a fonte reduzida tem {len(dados)} bytes, mais que {TAMANHO_FONTE}")
    # The ~DT header fixes the size; TrueType readers ignore bytes after the
    # last table, so the rest is zero bytes.
    return dados + bytes(TAMANHO_FONTE - len(dados))


# --- the ZPL text of both objects ---------------------------------------------

def linhas_hex(dados, por_linha):
    return b"".join(dados[i:i + por_linha].hex().upper().encode() + b"\r\n"
                    for i in range(0, len(dados), por_linha))


def com_zeros_finais(texto):
    # At least two zero bytes, to a multiple of four, as a resource compiler
    # aligns its data.
    zeros = 2 + (-(len(texto) + 2) % 4)
    return texto + bytes(zeros)


def grafico():
    dados = b"".join(bitmap_tesouras())
    assert len(dados) == 1326
    return com_zeros_finais(b"~DGTESOURAS,01326,039,\r\n" + linhas_hex(dados, LARGURA // 8))


def fonte():
    dados = fonte_reduzida()
    return com_zeros_finais(b"~DTARIAL,%d,\r\n" % TAMANHO_FONTE + linhas_hex(dados, BYTES_POR_LINHA))


def main():
    DESTINO.mkdir(parents=True, exist_ok=True)
    (DESTINO / "GraficoTesouras.zpl").write_bytes(grafico())
    (DESTINO / "FonteArial.zpl").write_bytes(fonte())
    for linha in bitmap_tesouras()[::2]:  # a look at the picture
        print("".join("#" if (linha[x // 8] >> (7 - x % 8)) & 1 else "." for x in range(120)))


if __name__ == "__main__":
    main()
