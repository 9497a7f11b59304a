#!/usr/bin/env python3
"""Differing pixels of two label pictures: python3 comparar.py A.png B.png [DIFERENCA.pgm]

Both are reduced to black and white (a printer has nothing else); the figure
is the count of pixels black in one and white in the other over the larger
of the two sizes, and its share of that area. Reads 8-bit PNGs without any
library beyond Python's own."""
import struct
import sys
import zlib


def ler_png(caminho):
    with open(caminho, "rb") as f:
        dados = f.read()
    if dados[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(caminho + ": não é PNG")
    pos, idat, paleta = 8, b"", None
    while pos < len(dados):
        tamanho, tipo = struct.unpack(">I4s", dados[pos:pos + 8])
        corpo = dados[pos + 8:pos + 8 + tamanho]
        if tipo == b"IHDR":
            largura, altura, bits, cor, _, _, entrelacado = struct.unpack(">IIBBBBB", corpo)
        elif tipo == b"PLTE":
            paleta = [corpo[i:i + 3] for i in range(0, len(corpo), 3)]
        elif tipo == b"IDAT":
            idat += corpo
        pos += 12 + tamanho
    if entrelacado or (bits != 8 and cor != 3) or (cor == 3 and bits not in (1, 2, 4, 8)):
        raise SystemExit(caminho + ": formato de PNG não lido por este script")
    canais = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[cor]
    passo = canais if cor != 3 else 1
    bytes_linha = (largura * canais * bits + 7) // 8
    cru = zlib.decompress(idat)
    linhas, anterior = [], bytearray(bytes_linha)
    for y in range(altura):
        filtro = cru[y * (bytes_linha + 1)]
        linha = bytearray(cru[y * (bytes_linha + 1) + 1:(y + 1) * (bytes_linha + 1)])
        for i in range(bytes_linha):
            a = linha[i - passo] if i >= passo else 0
            b = anterior[i]
            c = anterior[i - passo] if i >= passo else 0
            if filtro == 1:
                linha[i] = (linha[i] + a) & 255
            elif filtro == 2:
                linha[i] = (linha[i] + b) & 255
            elif filtro == 3:
                linha[i] = (linha[i] + (a + b) // 2) & 255
            elif filtro == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                linha[i] = (linha[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        linhas.append(linha)
        anterior = linha
    preto = []
    for linha in linhas:
        fila = []
        for x in range(largura):
            if cor == 3:
                indice = (linha[x * bits // 8] >> (8 - bits - (x * bits) % 8)) & ((1 << bits) - 1)
                r, g, b = paleta[indice]
                luz = (r + g + b) / 3
            elif cor in (0, 4):
                luz = linha[x * canais]
                if cor == 4 and linha[x * canais + 1] < 128:
                    luz = 255
            else:
                r, g, b = linha[x * canais:x * canais + 3]
                luz = (r + g + b) / 3
                if cor == 6 and linha[x * canais + 3] < 128:
                    luz = 255
            fila.append(luz < 128)
        preto.append(fila)
    return largura, altura, preto


def main():
    if len(sys.argv) < 3:
        raise SystemExit("uso: comparar.py A.png B.png [DIFERENCA.pgm]")
    la, aa, a = ler_png(sys.argv[1])
    lb, ab, b = ler_png(sys.argv[2])
    largura, altura = max(la, lb), max(aa, ab)
    diferentes, mapa = 0, bytearray()
    for y in range(altura):
        for x in range(largura):
            pa = y < aa and x < la and a[y][x]
            pb = y < ab and x < lb and b[y][x]
            diferentes += pa != pb
            mapa.append(0 if pa != pb else 255 if not pa else 200)
    if len(sys.argv) > 3:
        with open(sys.argv[3], "wb") as f:
            f.write(b"P5 %d %d 255\n" % (largura, altura) + bytes(mapa))
    print("%d %.2f%%" % (diferentes, 100.0 * diferentes / (largura * altura)))


main()
