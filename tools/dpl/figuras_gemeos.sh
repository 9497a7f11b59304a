#!/usr/bin/env bash
# The pictures docs/gemeos-*.png: every family's Zebra and Datamax twins side
# by side, filled from the shipped sample order files (gemeos_lado_a_lado.py).
#   tools/dpl/figuras_gemeos.sh [PASTA_APLICACAO]
set -euo pipefail
raiz=$(cd "$(dirname "$0")/../.." && pwd)
lado="$raiz/tools/dpl/gemeos_lado_a_lado.py"
app=${1:-}
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT

figura() {  # nome amostra [opções de imprimir...]; ETIQUETA=n: the run's n-th label
    local nome=$1 amostra=$2
    shift 2
    python3 "$lado" ${app:+--aplicacao "$app"} --etiqueta "${ETIQUETA:-1}" "$amostra" \
        "$raiz/docs/gemeos-$nome.png" -- "$@"
}

# The new layout of a sample: the same file with LayoutNovo="True".
novo() {
    local origem
    origem=$(ls "${app:-$raiz/build/default/aplicacao}/$1" 2>/dev/null ||
             ls "$raiz/build/asan/aplicacao/$1")
    sed 's/LayoutNovo="False"/LayoutNovo="True"/' "$origem" >"$trabalho/novo-$1"
    echo "$trabalho/novo-$1"
}

figura cartolina Quelmonte_Preco_Cartolina_teste.xml
figura cartolina-novo "$(novo Quelmonte_Preco_Cartolina_teste.xml)"
figura separador Quelmonte_Preco_Cartolina_teste.xml --separador
figura comsem Amostra_Preco_CartolinaComSem.xml
figura conjunto Amostra_Preco_Conjunto.xml
figura adesiva Quelmonte_Preco_Adesiva_teste.xml
figura adesiva-novo "$(novo Quelmonte_Preco_Adesiva_teste.xml)"
figura adesiva-intima Amostra_Preco_AdesivaIntima.xml
figura cosmetico Amostra_Preco_Cosmetico.xml
figura cosmetico-novo "$(novo Amostra_Preco_Cosmetico.xml)"
figura relogio Amostra_Preco_Relogio.xml
# The internal and box sheets come after their separator.
ETIQUETA=2 figura interna Amostra_Preco_Sku.xml --tipo Etiq.Interna
ETIQUETA=2 figura caixa Amostra_Preco_Sku.xml --tipo Etiq.Caixa
figura volume-reposicao Amostra_Volume_ReposAuto_GerarTxt.xml
figura volume-padrao Amostra_Volume_Ilpn.xml --tipo "Etiqueta Volume"
figura ilpn Amostra_Volume_Ilpn.xml --tipo "Etiqueta ILPN"
