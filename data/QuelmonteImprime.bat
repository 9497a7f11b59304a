@echo off
rem Delivers one spool file of etiquetas to the printer.
rem   QuelmonteImprime.bat SPOOL DESTINO VELOCIDADE PARIDADE BITS_DADOS BITS_PARADA
rem DESTINO: LPT1, LPT2, a shared printer (\\servidor\fila), a COM port (set to
rem the serial values first) or an existing folder, which receives the job as
rem a new numbered file. Exits 1 with a one-line reason when it cannot deliver.
setlocal DisableDelayedExpansion
set "SPOOL=%~1"
set "DESTINO=%~2"
set "VELOCIDADE=%~3"
set "PARIDADE=%~4"
set "DADOS=%~5"
set "PARADA=%~6"
setlocal EnableDelayedExpansion
if not exist "!SPOOL!" (echo Arquivo de impressao nao encontrado: !SPOOL! 1>&2& exit /b 1)
if "!DESTINO!"=="" (echo Destino da impressao nao informado. 1>&2& exit /b 1)
if exist "!DESTINO!\*" goto pasta
if /i "!DESTINO:~0,3!"=="COM" mode !DESTINO! baud=!VELOCIDADE! parity=!PARIDADE! data=!DADOS! stop=!PARADA! >nul
copy /b "!SPOOL!" "!DESTINO!" >nul 2>&1 || (echo Nao foi possivel enviar a etiqueta para !DESTINO!. 1>&2& exit /b 1)
exit /b 0
:pasta
set /a N=1
:proximo
set "NOME=0000!N!"
set "NOME=!DESTINO!\etiqueta-!NOME:~-4!.prn"
if exist "!NOME!" (set /a N+=1& goto proximo)
copy /b "!SPOOL!" "!NOME!" >nul 2>&1 || (echo Nao foi possivel gravar na pasta !DESTINO!. 1>&2& exit /b 1)
exit /b 0
