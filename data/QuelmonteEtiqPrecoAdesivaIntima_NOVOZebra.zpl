~SD:: Temperatura ::
^XA
^CI27
^LL240
^LH0,0
^PR:: CMD_VELOCIDADE ::
#INICIO#
^FOEEEE,_EE_^GB384,228,2^FS
^FOTTTT,_TT_^A*N,26,22,FONTE_NOME^FH\^FD:: Tamanho :: :: TamanhoUnico ::^FS
^FODLDL,_LD_^FB360,1,0,L^A*N,20,18,FONTE_NOME^FH\^FD:: Desc. Linha 01 ::^FS
^FOREFF,_EF_^A*N,18,14,FONTE_NOME^FH\^FDREF: :: REF_FORNECEDOR ::   CAT: :: Catalogo ::^FS
^FOPPPP,_PP_^A0N,48,40^FH\^FDR$:: Preco ::^FS
^FOCBCB,_BC_^BY2^BCN,48,N,N,N^FD>;:: CodBarras ::^FS
^FOBBBB,_BB_^A*N,16,12,FONTE_NOME^FH\^FD:: Dados Dt,Depto,Mat,Dig ::  :: CodigoBureau ::  %1922A12%^FS
#FIM#
^PQ1
^XZ
