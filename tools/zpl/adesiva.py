"""Adhesive price templates: the adhesive family (classic and "_NOVO") and the
intimate-apparel family. Every field is placed by the position tokens the
routines fill from the layout file, so moving a field is an edit of
QuelmonteEtiqueta.ini, not of the template."""

# ---- Zebra (ZPL, 203 dpi). Labels of 50 x 30 mm (400 x 240 dots).

CABECALHO_ZPL = ["~SD:: Temperatura ::", "^XA", "^CI27", "^LL240", "^LH0,0",
                 "^PR:: CMD_VELOCIDADE ::"]
RODAPE_ZPL = ["^PQ1", "^XZ"]


def texto(x, y, alt, larg, dados, bloco=None):
    fb = "^FB%d,1,0,L" % bloco if bloco else ""
    return "^FO%s,%s%s^A*N,%d,%d,FONTE_NOME^FH\\^FD%s^FS" % (x, y, fb, alt, larg, dados)


def codigo_zpl(x, y, alt, dados):
    # Subset C from the start: the data is digits, ">6" switches for an odd last one.
    return "^FO%s,%s^BY2^BCN,%d,N,N,N^FD>;%s^FS" % (x, y, alt, dados)


def adesiva_classica_zpl():
    return [
        texto("CCCC", "_CC_", 20, 18, ":: Catalogo ::"),
        texto("LILI", "_LI_", 18, 16, "%1922A12%"),
        texto("DDDD", "_DD_", 16, 14, ":: ESTACAO :: :: ESTRCOLECAO ::"),
        texto("TTTT", "_TT_", 26, 22, ":: Tamanho :::: TamanhoUnico ::"),
        texto("DLDL", "_LD_", 18, 16, ":: Desc.Linha 01 ::", 368),
        texto("LDLD", "_DL_", 22, 20, ":: Desc. Linha 02 ::", 368),
        texto("REFF", "_EF_", 18, 16, "REF: :: REF_FORNECEDOR ::"),
        "^FOMMMM,_MM_^A0N,24,22^FDR$^FS",
        "^FOPPPP,_PP_^A0N,44,38^FH\\^FD:: Prec^FS",
        texto("BBBB", "_BB_", 18, 16, ":: CodigoBureau ::"),
        codigo_zpl("CBCB", "_BC_", 36, "COL1:: Cod. da Barra ::"),
        texto("EEEE", "_EE_", 16, 12, ":: Dados Dt,Depto,Mat,Dig ::"),
    ]


def adesiva_nova_zpl(segunda):
    """One label of the new layout's pair; each is a format of its own, so
    both follow the layout file and the liner carries one label a row."""
    dados, codigo = ((":: Dados Dt,Depto,Mat,Dig2 ::", "COL1:: Cod. da Barra2 ::") if segunda
                     else (":: Dados Dt,Depto,Mat,Dig ::", "COL1:: Cod. da Barra ::"))
    return ["^XA", "^CI27", "^LL240", "^LH0,0", "^PR:: CMD_VELOCIDADE ::",
            texto("CCCC", "_CC_", 20, 18, "COR: :: Catalogo ::"),
            texto("LILI", "_LI_", 18, 16, "%1922A12%"),
            texto("DDDD", "_DD_", 16, 14, ":: ESTACAO :: :: ESTRCOLECAO ::"),
            texto("TTTT", "_TT_", 26, 22, "TAM:: Tamanho :::: TamanhoUnico ::"),
            texto("DLDL", "_LD_", 22, 20, ":: Desc. Linha 01 ::", 368),
            texto("LDLD", "_DL_", 16, 14, ":: Desc. Linha 02 :: :: Desc.Linha 01 ::", 368),
            texto("REFF", "_EF_", 18, 16, "REF: :: REF_FORNECEDOR ::"),
            "^FOMMMM,_MM_^A0N,24,22^FDR$^FS",
            "^FOPPPP,_PP_^A0N,44,30^FH\\^FD:: Prec^FS",
            texto("BBBB", "_BB_", 18, 16, ":: CodigoBureau ::"),
            codigo_zpl("CBCB", "_BC_", 36, codigo),
            texto("EEEE", "_EE_", 16, 12, dados),
            "^PQ1", "^XZ"]


def intima_zpl(novo):
    preco = "R$:: Preco ::" if novo else ":: Preco ::"
    return [
        "^FOEEEE,_EE_^GB384,228,2^FS",
        texto("TTTT", "_TT_", 26, 22, ":: Tamanho :: :: TamanhoUnico ::"),
        texto("DLDL", "_LD_", 20, 18, ":: Desc. Linha 01 ::", 360),
        texto("REFF", "_EF_", 18, 14, "REF: :: REF_FORNECEDOR ::   CAT: :: Catalogo ::"),
        "^FOPPPP,_PP_^A0N,48,40^FH\\^FD%s^FS" % preco,
        codigo_zpl("CBCB", "_BC_", 48, ":: CodBarras ::"),
        texto("BBBB", "_BB_", 16, 12, ":: Dados Dt,Depto,Mat,Dig ::  :: CodigoBureau ::  %1922A12%"),
    ]


# ---- Datamax (DPL). Units of 0.01 inch, rows from the bottom edge; labels
# of 2.0 x 1.2 inches. The Datamax positions of QuelmonteEtiqueta.ini are the
# Zebra ones converted (see dpl_gemeo): each field's cell stands on the Zebra
# field's bottom line (the intimate-apparel description 2 mm further left,
# so that its 31 letters fit the frame). Text takes the layout's font ("*",
# font 2 as shipped: 18-dot cells), twice as tall for the price.

def registro(fonte, linha, coluna, dados):
    return "1%s000%s%s%s" % (fonte, linha, coluna, dados)


def codigo_dpl(linha, coluna, dados, altura=18):
    # Code 128 without the printer's own text line: the data line is a field.
    # "C" starts the symbol in subset C, as the Zebra twin's ">;"; module 2
    # and the Zebra bars' height (0.18 inch: 36 dots).
    return "1e22%03d%s%sC%s" % (altura, linha, coluna, dados)


def adesiva_classica_dpl():
    return [
        registro("*11", "_CC_", "CCCC", ":: Catalogo ::"),
        registro("*11", "_LI_", "LILI", "%1922A12%"),
        registro("*11", "_DD_", "DDDD", ":: ESTACAO :: :: ESTRCOLECAO ::"),
        registro("*11", "_TT_", "TTTT", ":: Tamanho :::: TamanhoUnico ::"),
        registro("*11", "_LD_", "DLDL", ":: Desc.Linha 01 ::"),
        registro("*11", "_DL_", "LDLD", ":: Desc. Linha 02 ::"),
        registro("*11", "_EF_", "REFF", "REF: :: REF_FORNECEDOR ::"),
        registro("*11", "_MM_", "MMMM", "R$"),
        registro("*22", "_PP_", "PPPP", ":: Prec"),
        registro("*11", "_BB_", "BBBB", ":: CodigoBureau ::"),
        codigo_dpl("_BC_", "CBCB", "COL1:: Cod. da Barra ::"),
        registro("*11", "_EE_", "EEEE", ":: Dados Dt,Depto,Mat,Dig ::"),
    ]


def adesiva_nova_dpl(stx, segunda):
    dados, codigo = ((":: Dados Dt,Depto,Mat,Dig2 ::", "COL1:: Cod. da Barra2 ::") if segunda
                     else (":: Dados Dt,Depto,Mat,Dig ::", "COL1:: Cod. da Barra ::"))
    return [stx + "L", "D11", "H:: Temperatura ::", "P:: CMD_VELOCIDADE ::",
            registro("*11", "_CC_", "CCCC", "COR: :: Catalogo ::"),
            registro("*11", "_LI_", "LILI", "%1922A12%"),
            registro("*11", "_DD_", "DDDD", ":: ESTACAO :: :: ESTRCOLECAO ::"),
            registro("*11", "_TT_", "TTTT", "TAM:: Tamanho :::: TamanhoUnico ::"),
            registro("*11", "_LD_", "DLDL", ":: Desc. Linha 01 ::"),
            registro("*11", "_DL_", "LDLD", ":: Desc. Linha 02 :: :: Desc.Linha 01 ::"),
            registro("*11", "_EF_", "REFF", "REF: :: REF_FORNECEDOR ::"),
            registro("*11", "_MM_", "MMMM", "R$"),
            registro("*22", "_PP_", "PPPP", ":: Prec"),
            registro("*11", "_BB_", "BBBB", ":: CodigoBureau ::"),
            codigo_dpl("_BC_", "CBCB", codigo),
            registro("*11", "_EE_", "EEEE", dados),
            "Q0001", "E"]


def intima_dpl(novo):
    preco = "R$:: Preco ::" if novo else ":: Preco ::"
    return [
        "1X11000_EE_EEEEB189112001001",
        registro("*11", "_TT_", "TTTT", ":: Tamanho :: :: TamanhoUnico ::"),
        registro("*11", "_LD_", "DLDL", ":: Desc. Linha 01 ::"),
        # The two long lines take font 1 (9-dot cells), as narrow as the
        # Zebra's condensed letters: they fit the label whatever the layout font.
        registro("111", "_EF_", "REFF", "REF: :: REF_FORNECEDOR ::   CAT: :: Catalogo ::"),
        registro("*22", "_PP_", "PPPP", preco),
        codigo_dpl("_BC_", "CBCB", ":: CodBarras ::", 24),
        registro("111", "_BB_", "BBBB", ":: Dados Dt,Depto,Mat,Dig ::  :: CodigoBureau ::  %1922A12%"),
    ]


def gerar(gravar, stx):
    def bloco(cabecalho, corpo, rodape):
        return cabecalho + ["#INICIO#"] + corpo + ["#FIM#"] + rodape

    cabecalho_dpl = [stx + "L", "D11", "H:: Temperatura ::", "P:: CMD_VELOCIDADE ::"]
    rodape_dpl = ["Q0001", "E"]
    gravar("QuelmonteEtiqPrecoAdesivaZebra.zpl",
           bloco(CABECALHO_ZPL, adesiva_classica_zpl(), RODAPE_ZPL))
    gravar("QuelmonteEtiqPrecoAdesiva_NOVOZebra.zpl",
           bloco(["~SD:: Temperatura ::"], adesiva_nova_zpl(False) + adesiva_nova_zpl(True), []))
    gravar("QuelmonteEtiqPrecoAdesivaDataMax.prn",
           bloco(cabecalho_dpl, adesiva_classica_dpl(), rodape_dpl))
    gravar("QuelmonteEtiqPrecoAdesiva_NOVODataMax.prn",
           bloco([], adesiva_nova_dpl(stx, False) + adesiva_nova_dpl(stx, True), []))
    for novo, sufixo in ((False, ""), (True, "_NOVO")):
        gravar("QuelmonteEtiqPrecoAdesivaIntima%sZebra.zpl" % sufixo,
               bloco(CABECALHO_ZPL, intima_zpl(novo), RODAPE_ZPL))
        gravar("QuelmonteEtiqPrecoAdesivaIntima%sDataMax.prn" % sufixo,
               bloco(cabecalho_dpl, intima_dpl(novo), rodape_dpl))
