#!/usr/bin/env python3
"""Each shipped DPL template beside its ZPL twin, field by field: the fields
that carry the same token (":: NOME ::" or a fixed text), with the lower left
corner of each cell in millimetres from the label's lower left corner (DPL rows
count up from the bottom; ZPL's y counts down from the top of ^LL), the
height of its text or bars in millimetres, and the rotation.

A Zebra line in a centred or right-aligned ^FB block is compared by its
centre or right end, the Datamax line's width estimated as the generator
estimates it; a token's width depends on the order's value, so such a line
has no dx. Captions are paired without their accents, and marked where the
twins spell them differently.

usage: tools/dpl/comparar_gemeos.py [data/]
"""
import glob
import os
import re
import sys
import unicodedata

DOT_MM = 1 / 8.0  # 203 dpi
BITMAP_203 = [7, 13, 18, 27, 36, 52, 64, 32, 28]
FONTE_LAYOUT = 2  # "*": the layout's font code, as shipped for Datamax
PASSO_203 = [6, 9, 12, 16, 21, 21, 36, 20, 20]  # cell and gap of fonts 0 to 8
PONTOS_9 = [5, 6, 8, 10, 12, 14, 18, 24, 30, 36, 48]


def sem_acentos(texto):
    return "".join(c for c in unicodedata.normalize("NFKD", texto) if not unicodedata.combining(c))


def chave(dados):
    m = re.search(r"::\s*([^:]+?)\s*::", dados)
    return sem_acentos(m.group(1) if m else dados.strip()[:24])


def tem_token(dados):
    return "::" in dados or re.search(r"%\w+%|@\w+", dados) is not None


def mult(c):
    if c.isdigit():
        return int(c)
    if c.isupper():
        return ord(c) - ord("A") + 10
    return ord(c) - ord("a") + 36


def campos_dpl(texto):
    r = {}
    for linha in re.split(r"\r\n|\r|\n", texto):
        if len(linha) < 15 or linha[0] not in "1234" or not linha[7:15].isdigit():
            continue
        tipo, eee = linha[1], linha[4:7]
        base, col = int(linha[7:11]) * 0.254, int(linha[11:15]) * 0.254
        dados = linha[15:]
        largura = None  # of a text line, in millimetres
        if tipo in "012345678*":
            fonte = FONTE_LAYOUT if tipo == "*" else int(tipo)
            altura = BITMAP_203[fonte] * mult(linha[3]) * DOT_MM
            largura = len(dados) * PASSO_203[fonte] * mult(linha[2]) * DOT_MM
        elif tipo == "9" and (eee.isdigit() and int(eee) < len(PONTOS_9) or eee[0] == "A"):
            pontos = PONTOS_9[int(eee)] if eee.isdigit() else int(eee[1:])
            altura = pontos * 25.4 / 72.307 * mult(linha[3])
            letra = 0.6 * altura  # the generator's and the check's average letter
            largura = sum(letra / 3 if c == " " else letra for c in dados)
        elif tipo.isalpha() and tipo != "X" and eee.isdigit():
            altura = int(eee) * 0.254
        else:
            continue
        r.setdefault(chave(dados), []).append(
            {"x": col, "y": base, "alt": altura, "rot": "DPL" + linha[0], "dados": dados,
             "largura": largura})
    return r


def campos_zpl(texto):
    r = {}
    ll = int(re.search(r"\^LL(\d+)", texto).group(1))
    for campo in re.findall(r"\^F[OT][^\n]*?\^FS", texto):
        o = re.match(r"\^F([OT])(\d+),(\d+)", campo)
        d = re.search(r"\^FD(.*)\^FS", campo)
        if not o or not d:
            continue
        x, y = int(o.group(2)), int(o.group(3))
        a = re.search(r"\^A.([NRIB])?,(\d+)", campo)
        b = re.search(r"\^B[CE3]([NRIB]),(\d+)(?:,([YN]))?", campo)
        if b:
            # With its human-readable line the symbol reaches below the bars,
            # as a DPL record's height counts it.
            modulo = int((re.search(r"\^BY(\d+)", campo) or re.search(r"\^BY(\d+)", texto)).group(1))
            legenda = modulo + max(10, 9 * modulo) if b.group(3) != "N" else 0
            altura, rot = int(b.group(2)) + legenda, b.group(1)
        elif a:
            altura, rot = int(a.group(2)), a.group(1) or "N"
        else:
            continue
        # ^FT gives the base line: the cell's bottom lies a descender (a
        # fifth of the cell) below it, where a DPL record's row is.
        base = ll - y - altura / 5 if o.group(1) == "T" else ll - y - altura
        fb = re.search(r"\^FB(\d+),\d*,\d*,([LCRJ])", campo)
        dados = d.group(1).replace(">;", "")
        r.setdefault(chave(dados), []).append(
            {"x": x * DOT_MM, "y": base * DOT_MM, "alt": altura * DOT_MM, "rot": "ZPL" + rot,
             "dados": dados, "bloco": (int(fb.group(1)) * DOT_MM, fb.group(2)) if fb else None})
    return r


def dx(zz, dd):
    """The Datamax line's offset from where the Zebra line lies: its left
    edge, or the centre or right end of a centred or right-aligned block;
    None where that depends on the value of a token."""
    if not zz["bloco"] or zz["bloco"][1] in "LJ" or zz["rot"] != "ZPLN":
        return dd["x"] - zz["x"]
    if tem_token(zz["dados"]) or dd["largura"] is None:
        return None
    largura, alinhamento = zz["bloco"]
    if alinhamento == "C":
        return dd["x"] + dd["largura"] / 2 - (zz["x"] + largura / 2)
    return dd["x"] + dd["largura"] - (zz["x"] + largura)


def main():
    pasta = sys.argv[1] if len(sys.argv) > 1 else "data"
    for dpl in sorted(glob.glob(os.path.join(pasta, "*DataMax.prn"))):
        zpl = dpl.replace("DataMax.prn", "Zebra.zpl")
        if not os.path.exists(zpl):
            continue
        d = campos_dpl(open(dpl, encoding="cp1252").read())
        z = campos_zpl(open(zpl, encoding="cp1252").read())
        print(f"\n{os.path.basename(dpl)} / {os.path.basename(zpl)}")
        print(f"  {'campo':26} {'ZPL x,y,alt (mm)':>22} {'DPL x,y,alt (mm)':>22} {'dx':>6} {'dy':>6}")
        for k in sorted(set(d) | set(z)):
            for i in range(max(len(d.get(k, [])), len(z.get(k, [])))):
                zz = z.get(k, [])[i] if i < len(z.get(k, [])) else None
                dd = d.get(k, [])[i] if i < len(d.get(k, [])) else None
                fz = f"{zz['x']:6.1f}{zz['y']:6.1f}{zz['alt']:6.1f} {zz['rot']}" if zz else "-"
                fd = f"{dd['x']:6.1f}{dd['y']:6.1f}{dd['alt']:6.1f} {dd['rot']}" if dd else "-"
                desvio = dx(zz, dd) if zz and dd else None
                fx = f"{desvio:6.1f}" if desvio is not None else ("     ~" if zz and dd else "")
                dy = f"{dd['y'] - zz['y']:6.1f}" if zz and dd else ""
                nota = ""
                if zz and zz["bloco"] and zz["bloco"][1] in "CR" and zz["rot"] == "ZPLN":
                    nota += " bloco " + zz["bloco"][1]
                if zz and dd and not tem_token(zz["dados"]) and zz["dados"] != dd["dados"]:
                    nota += " legenda difere"
                print(f"  {k[:26]:26} {fz:>22} {fd:>22} {fx:>6} {dy:>6}{nota}")


main()
