#!/bin/sh
# Delivers one spool file of etiquetas to the printer.
#
#   QuelmonteImprime.sh SPOOL DESTINO VELOCIDADE PARIDADE BITS_DADOS BITS_PARADA
#
# DESTINO is what the window shows as the printer's path:
#   LPT1, LPT2        the first or second local printer device that exists
#                     (/dev/usb/lp0, /dev/usb/lp1, ..., then /dev/lp0, ...)
#   an existing folder  the job is saved there as a new numbered file
#                     (etiqueta-0001.prn, ...): printing without a printer
#   a CUPS queue      sent unchanged with "lp -o raw"
#   host:porta        raw TCP, as network label printers take it (port 9100)
#   an existing device  written to it (/dev/ttyUSB0, ...)
#   an existing file  the job is appended to it, never written over
# Anything else (a path that does not exist, a bare name that is no queue,
# host:port with a port that is no number) is refused with its reason.
# The serial values only matter to a serial device; the program itself sends
# to COM ports. Exits non-zero with one line in Portuguese on standard error
# when the job could not be delivered.

spool=$1
destino=$2

falha() {
    echo "$*" >&2
    exit 1
}

[ -r "$spool" ] || falha "Arquivo de impressão não encontrado: $spool"
[ -n "$destino" ] || falha "Destino da impressão não informado."

# The n-th local printer device present on this machine.
impressora_local() {
    n=$1
    i=0
    for d in /dev/usb/lp* /dev/lp*; do
        [ -e "$d" ] || continue
        i=$((i + 1))
        if [ "$i" -eq "$n" ]; then
            echo "$d"
            return 0
        fi
    done
    return 1
}

enviar_para() {
    cat -- "$spool" > "$1" 2>/dev/null || falha "Não foi possível enviar a etiqueta para $1."
    exit 0
}

acrescentar_a() {
    cat -- "$spool" >> "$1" 2>/dev/null || falha "Não foi possível gravar a etiqueta em $1."
    exit 0
}

# Connecting and sending each have their limit: a printer that does not
# answer, or takes the connection and never reads, fails the job.
LIMITE_CONEXAO=${ETIQUETAS_LIMITE_CONEXAO:-10}
LIMITE_ENVIO=${ETIQUETAS_LIMITE_ENVIO:-60}

salvar_na_pasta() {
    n=1
    while [ "$n" -lt 100000 ]; do
        nome=$(printf '%s/etiqueta-%04d.prn' "$1" "$n")
        # noclobber: two jobs never take the same number
        if (set -C; cat -- "$spool" > "$nome") 2>/dev/null; then exit 0; fi
        [ -e "$nome" ] || falha "Não foi possível gravar na pasta $1."
        n=$((n + 1))
    done
    falha "A pasta $1 já tem etiquetas demais."
}

enviar_tcp() {
    host=$1
    porta=$2
    if command -v bash >/dev/null 2>&1 && command -v timeout >/dev/null 2>&1; then
        timeout -k 2 "$LIMITE_ENVIO" bash -c '
            exec 3<>"/dev/tcp/$1/$2" || exit 1
            cat -- "$3" >&3' _ "$host" "$porta" "$spool" 2>/dev/null && exit 0
    elif command -v nc >/dev/null 2>&1; then
        nc -w "$LIMITE_CONEXAO" "$host" "$porta" < "$spool" 2>/dev/null && exit 0
    fi
    falha "Não foi possível enviar a etiqueta para a impressora de rede $host:$porta."
}

fila_cups() {
    command -v lp >/dev/null 2>&1 && command -v lpstat >/dev/null 2>&1 &&
        lpstat -v "$1" >/dev/null 2>&1
}

case $destino in
    LPT1 | LPT2 | lpt1 | lpt2)
        numero=${destino#???}
        dispositivo=$(impressora_local "$numero") ||
            falha "Nenhuma impressora local encontrada para $destino."
        enviar_para "$dispositivo"
        ;;
esac

if [ -d "$destino" ]; then
    salvar_na_pasta "$destino"
fi

case $destino in
    */*) ;;
    *:*)
        host=${destino%:*}
        porta=${destino##*:}
        case $porta in
            '' | *[!0-9]*) falha "Porta de rede inválida em $destino: use servidor:porta (ex.: 192.168.0.10:9100)." ;;
            *) enviar_tcp "$host" "$porta" ;;
        esac
        ;;
    *)
        if fila_cups "$destino"; then
            lp -s -o raw -d "$destino" -- "$spool" >/dev/null 2>&1 && exit 0
            falha "A fila de impressão $destino recusou a etiqueta."
        fi
        # A bare name is a queue, never a file in whatever folder this runs.
        falha "Impressora ou caminho não encontrado: $destino"
        ;;
esac

if [ -c "$destino" ] || [ -b "$destino" ] || [ -p "$destino" ]; then
    enviar_para "$destino"
fi
if [ -f "$destino" ]; then
    acrescentar_a "$destino"
fi
# A path that does not exist would become a file that every job overwrites.
falha "Caminho da impressora não encontrado: $destino"
