#!/usr/bin/env python3
"""A label's Zebra and Datamax twins side by side, filled from the same order
values: one print run of an order file on each printer line, drawn by
etiquetas-cli's own preview (8 dots a millimetre, so both at one scale), the
chosen label of each put next to the other on one PNG for review.

usage: tools/dpl/gemeos_lado_a_lado.py PEDIDOS.xml SAIDA.png
           [--etiqueta N] [--aplicacao PASTA] [-- opções de imprimir...]

PEDIDOS.xml is an order file (a name alone is looked for in the application
folder: the shipped samples). The options after "--" go to `imprimir` as they
are ("--tipo 'Etiqueta ILPN'", "--linhas 2"); every row is ticked unless they
say otherwise. The application folder is build/default/aplicacao, or
build/asan/aplicacao when that is the one built."""
import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

RAIZ = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
# Lines of the shipped printer table, and the speed each takes ("" the model's).
IMPRESSORAS = {"zebra": ("1", "4"), "datamax": ("0", "")}
MARGEM = 24  # white between and around the pictures, in dots
CINZA_SEPARACAO = 160


def pasta_aplicacao(pedida):
    for p in [pedida] if pedida else [os.path.join(RAIZ, "build", b, "aplicacao") for b in ("default", "asan")]:
        if p and os.path.exists(os.path.join(p, "etiquetas-cli")):
            return p
    sys.exit("etiquetas-cli não encontrado: construa o projeto ou informe --aplicacao")


# ---- PNG: the preview writes 8-bit grey or colour pictures, not interlaced.

def ler_png(caminho):
    dados = open(caminho, "rb").read()
    pos, idat, largura, altura, tipo = 8, b"", 0, 0, 0
    while pos < len(dados):
        n, nome = struct.unpack(">I4s", dados[pos:pos + 8])
        corpo = dados[pos + 8:pos + 8 + n]
        if nome == b"IHDR":
            largura, altura, bits, tipo, _, _, entrelacado = struct.unpack(">IIBBBBB", corpo)
            if bits != 8 or entrelacado or tipo not in (0, 2, 4, 6):
                sys.exit("%s: PNG de 8 bits não entrelaçado esperado" % caminho)
        elif nome == b"IDAT":
            idat += corpo
        pos += 12 + n
    canais = {0: 1, 2: 3, 4: 2, 6: 4}[tipo]
    cru = zlib.decompress(idat)
    linhas, anterior, passo = [], bytearray(largura * canais), largura * canais + 1
    for y in range(altura):
        filtro, linha = cru[y * passo], bytearray(cru[y * passo + 1:(y + 1) * passo])
        desfiltrar(filtro, linha, anterior, canais)
        # One grey byte a dot: the previews are black on white.
        linhas.append(bytearray(linha[x * canais] for x in range(largura)))
        anterior = linha
    return largura, linhas


def desfiltrar(filtro, linha, anterior, bpp):
    for i in range(len(linha)):
        a = linha[i - bpp] if i >= bpp else 0
        b = anterior[i]
        c = anterior[i - bpp] if i >= bpp else 0
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


def gravar_png(caminho, largura, linhas):
    def pedaco(nome, corpo):
        return struct.pack(">I", len(corpo)) + nome + corpo + struct.pack(">I", zlib.crc32(nome + corpo))
    cru = b"".join(b"\x00" + bytes(l) for l in linhas)
    with open(caminho, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + pedaco(b"IHDR", struct.pack(">IIBBBBB", largura, len(linhas), 8, 0, 0, 0, 0))
                + pedaco(b"IDAT", zlib.compress(cru, 9)) + pedaco(b"IEND", b""))


def lado_a_lado(imagens):
    """Tops aligned, a grey line under each label's own height."""
    altura = max(len(l) for _, l in imagens) + 2 * MARGEM
    largura = sum(w for w, _ in imagens) + MARGEM * (len(imagens) + 1)
    linhas = [bytearray(b"\xff" * largura) for _ in range(altura)]
    x = MARGEM
    for w, ls in imagens:
        for y, l in enumerate(ls):
            linhas[MARGEM + y][x:x + w] = l
        if MARGEM + len(ls) < altura:
            linhas[MARGEM + len(ls)][x:x + w] = bytes([CINZA_SEPARACAO]) * w
        x += w + MARGEM
    return largura, linhas


# ---- The two runs.

def imprimir(cli, pasta, pedidos, impressora, prefixo, opcoes):
    linha, velocidade = IMPRESSORAS[impressora]
    comando = [cli, "--pasta", pasta, "imprimir", pedidos, "--impressora", linha,
               "--velocidade", velocidade, "--temperatura", "8", "--previa", prefixo] + opcoes
    if not any(o in opcoes for o in ("--todas", "--linhas")):
        comando.append("--todas")
    r = subprocess.run(comando, capture_output=True, text=True)
    if r.stderr.strip():
        print("%s:\n%s" % (impressora, r.stderr.strip()), file=sys.stderr)
    if r.returncode != 0:
        sys.exit("%s: etiquetas-cli terminou com %d" % (impressora, r.returncode))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("pedidos")
    ap.add_argument("saida")
    ap.add_argument("--etiqueta", type=int, default=1, help="a label of each run, from 1")
    ap.add_argument("--aplicacao")
    ap.add_argument("opcoes", nargs=argparse.REMAINDER)
    a = ap.parse_args()
    opcoes = a.opcoes[1:] if a.opcoes[:1] == ["--"] else a.opcoes
    app = pasta_aplicacao(a.aplicacao)
    with tempfile.TemporaryDirectory() as trabalho:
        for nome in os.listdir(app):
            if os.path.splitext(nome)[1].lower() in (".ini", ".txt", ".zpl", ".prn", ".xml", ".sh", ".bat"):
                shutil.copy(os.path.join(app, nome), trabalho)
        pedidos = a.pedidos if os.path.exists(a.pedidos) else os.path.join(trabalho, a.pedidos)
        imagens = []
        for impressora in ("zebra", "datamax"):
            prefixo = os.path.join(trabalho, impressora)
            imprimir(os.path.join(app, "etiquetas-cli"), trabalho, pedidos, impressora, prefixo, opcoes)
            png = "%s-%d.png" % (prefixo, a.etiqueta)
            if not os.path.exists(png):
                sys.exit("%s: a execução não fez a etiqueta %d" % (impressora, a.etiqueta))
            imagens.append(ler_png(png))
        gravar_png(a.saida, *lado_a_lado(imagens))


main()
