#!/usr/bin/env bash
# Every shipped ZPL template, filled from the sample order files by a real
# print run, drawn by etiquetas-cli previa and by zpl-renderer-js; prints the
# differing pixels of each pair (see comparar.py).
#   tools/zpl/comparar_modelos.sh [PASTA_IMAGENS]
# Needs a default build (build/default) and `npm ci` in tools/zpl. The pictures
# and a map of the differences (black: differing pixel) stay in PASTA_IMAGENS.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/../.." && pwd)
app="$raiz/build/default/aplicacao"
cli="$app/etiquetas-cli"
imagens=${1:-$(mktemp -d)}
mkdir -p "$imagens"
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT

# A copy of the application folder whose "network printer" is a folder.
cp "$app"/*.ini "$app"/*.txt "$app"/*.zpl "$app"/*.prn "$app"/*.xml "$app"/*.sh "$trabalho/"
imprimir() {  # amostra layoutNovo destino [opções...]
    local amostra=$1 novo=$2 destino=$3
    shift 3
    mkdir -p "$destino"
    sed "s/LayoutNovo=\"False\"/LayoutNovo=\"$novo\"/" "$trabalho/$amostra" >"$trabalho/pedidos.xml"
    "$cli" --pasta "$trabalho" imprimir "$trabalho/pedidos.xml" --todas --impressora 1 \
        --velocidade 4 --temperatura 8 --rede "$destino" "$@" >/dev/null 2>&1
}
imprimir Quelmonte_Preco_Cartolina_teste.xml False "$trabalho/cartolina" --separador
imprimir Quelmonte_Preco_Cartolina_teste.xml True "$trabalho/cartolina-novo"
imprimir Amostra_Preco_CartolinaComSem.xml False "$trabalho/comsem"
imprimir Amostra_Preco_CartolinaComSem.xml True "$trabalho/comsem-novo"

# The SKU separator has no print routine yet: its tokens are filled here.
sed -e 's/::Temperatura::/08/; s/:: CMD_VELOCIDADE ::/4/' \
    -e 's/:: INFO_FORNECEDOR ::/FORNECEDOR: CONFECCOES EXEMPLO/' \
    -e 's/:: INFO_MATERIAL ::/MATERIAL: 345001/' \
    -e 's/:: INFO_REF_FORNECEDOR ::/REF: MF-5001/' \
    -e 's/:: INFO_PEDIDO ::/PEDIDO: 4512/' \
    -e 's/:: INFO_ITEM_PEDIDO ::/ITEM: 10/' \
    "$trabalho/QuelmonteSeparadorSKU.zpl" >"$trabalho/separador-sku.prn"

primeiro() {  # pasta [trecho]: the first job, or the first that holds the text
    grep -l -a -F -- "${2:-^XA}" "$1"/*.prn | head -n 1
}

comparar() {  # nome spool
    local nome=$1 spool=$2 largura comprimento
    largura=$(grep -a -o '\^PW[0-9]*' "$spool" | head -n 1 | cut -c4-)
    comprimento=$(grep -a -o '\^LL[0-9]*' "$spool" | head -n 1 | cut -c4-)
    "$cli" previa "$spool" --saida "$imagens/$nome-previa" >/dev/null
    node "$raiz/tools/zpl/previa.js" "$spool" "$imagens/$nome-renderizador" \
        "$(echo "$largura / 8" | bc -l)" "$(echo "$comprimento / 8" | bc -l)" >/dev/null
    printf '%-40s %s\n' "$nome" "$(python3 "$raiz/tools/zpl/comparar.py" \
        "$imagens/$nome-previa-1.png" "$imagens/$nome-renderizador-1.png" "$imagens/$nome-diferenca.pgm")"
}

comparar QuelmonteEtiqPrecoCartolinaZebra "$(primeiro "$trabalho/cartolina" '^BC')"
comparar QuelmonteEtiqPrecoCartolina_NOVOZebra "$(primeiro "$trabalho/cartolina-novo")"
comparar QuelmonteEtiqPrecoComSemZebra "$(primeiro "$trabalho/comsem")"
comparar QuelmonteEtiqPrecoComSem_NOVOZebra "$(primeiro "$trabalho/comsem-novo")"
comparar QuelmonteSeparador "$(primeiro "$trabalho/cartolina" SEPARADOR)"
comparar QuelmonteSeparadorSKU "$trabalho/separador-sku.prn"
echo "imagens em $imagens"
