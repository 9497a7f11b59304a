#!/usr/bin/env python3
"""Each shipped DPL template beside its ZPL twin, field by field: the fields
that carry the same token (":: NOME ::" or a fixed text), with the lower left
corner of each cell in millimetres from the label's lower left corner (DPL rows
count up from the bottom; ZPL's y counts down from the top of ^LL), the
height of its text or bars in millimetres, and the rotation.

usage: tools/dpl/comparar_gemeos.py [data/]
"""
import glob
import os
import re
import sys

DOT_MM = 1 / 8.0  # 203 dpi
BITMAP_203 = [7, 13, 18, 27, 36, 52, 64, 32, 28]
FONTE_LAYOUT = 2  # "*": the layout's font code, as shipped for Datamax
PONTOS_9 = [5, 6, 8, 10, 12, 14, 18, 24, 30, 36, 48]


def chave(dados):
    m = re.search(r"::\s*([^:]+?)\s*::", dados)
    return m.group(1) if m else dados.strip()[:24]


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
        if tipo in "012345678*":
            fonte = FONTE_LAYOUT if tipo == "*" else int(tipo)
            altura = BITMAP_203[fonte] * mult(linha[3]) * DOT_MM
        elif tipo == "9" and eee.isdigit() and int(eee) < len(PONTOS_9):
            altura = PONTOS_9[int(eee)] * 25.4 / 72.307 * mult(linha[3])
        elif tipo == "9" and eee[0] == "A":
            altura = int(eee[1:]) * 25.4 / 72.307 * mult(linha[3])
        elif tipo.isalpha() and tipo != "X" and eee.isdigit():
            altura = int(eee) * 0.254
        else:
            continue
        r.setdefault(chave(linha[15:]), []).append((col, base, altura, "DPL" + linha[0]))
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
        r.setdefault(chave(d.group(1).replace(">;", "")), []).append(
            (x * DOT_MM, base * DOT_MM, altura * DOT_MM, "ZPL" + rot))
    return r


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
                fz = f"{zz[0]:6.1f}{zz[1]:6.1f}{zz[2]:6.1f} {zz[3]}" if zz else "-"
                fd = f"{dd[0]:6.1f}{dd[1]:6.1f}{dd[2]:6.1f} {dd[3]}" if dd else "-"
                dx = f"{dd[0] - zz[0]:6.1f}" if zz and dd else ""
                dy = f"{dd[1] - zz[1]:6.1f}" if zz and dd else ""
                print(f"  {k[:26]:26} {fz:>22} {fd:>22} {dx:>6} {dy:>6}")


main()
