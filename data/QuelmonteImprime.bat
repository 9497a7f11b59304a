@echo off
rem Delivers one spool file of etiquetas to the printer.
rem   QuelmonteImprime.bat SPOOL DESTINO VELOCIDADE PARIDADE BITS_DADOS BITS_PARADA
rem DESTINO: LPT1, LPT2, a shared printer (\\servidor\fila), a COM port (set to
rem the serial values first) or an existing folder, which receives the job as
rem a new numbered file (etiqueta-0001.prn, ...). Exits 1 with a one-line
rem reason on standard error when it cannot deliver.
rem
rem The rule that keeps order-file and window values from running as commands:
rem etiquetas never hands this script a value holding a double quote, a percent
rem sign, an exclamation mark or a line break (it stops the run with a message
rem instead), and puts in double quotes every value with a blank or one of
rem & | < > ( ) ^ , ; =. So use the values only as "%~1" ... "%~6", always
rem inside double quotes, and never with delayed expansion enabled.
setlocal DisableDelayedExpansion
if not exist "%~1" goto semSpool
if "%~2"=="" goto semDestino
if exist "%~2\*" goto pasta
if /i "%~2"=="COM1" goto serial
if /i "%~2"=="COM2" goto serial
:copiar
copy /b "%~1" "%~2" >nul 2>&1
if errorlevel 1 goto semEnvio
exit /b 0
:serial
rem mode takes its values bare: only digits, "." and the parity letters pass.
call :simples "%~3" "%~4" "%~5" "%~6"
if errorlevel 1 goto semSerial
mode %~2 baud=%~3 parity=%~4 data=%~5 stop=%~6 >nul
goto copiar
:simples
for /f "delims=0123456789.NEOMSneoms" %%c in ("%~1%~2%~3%~4") do exit /b 1
exit /b 0
:pasta
set /a N=10000
:proximo
set /a N+=1
if %N% GTR 19999 goto pastaCheia
set "NOME=%~2\etiqueta-%N:~1%.prn"
if exist "%NOME%" goto proximo
copy /b "%~1" "%NOME%" >nul 2>&1
if errorlevel 1 goto semPasta
exit /b 0
:semSpool
echo Arquivo de impressao nao encontrado: "%~1" 1>&2
exit /b 1
:semDestino
echo Destino da impressao nao informado. 1>&2
exit /b 1
:semEnvio
echo Nao foi possivel enviar a etiqueta para "%~2". 1>&2
exit /b 1
:semPasta
echo Nao foi possivel gravar na pasta "%~2". 1>&2
exit /b 1
:semSerial
echo Valores da porta serial invalidos para o comando mode. 1>&2
exit /b 1
:pastaCheia
echo A pasta "%~2" ja tem etiquetas demais. 1>&2
exit /b 1
