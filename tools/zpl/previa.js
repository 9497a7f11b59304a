// Pictures of ZPL spool files, offline: node previa.js SPOOL.prn PREFIXO [larguraMm alturaMm]
// Writes PREFIXO-1.png, PREFIXO-2.png, ... one a label.
//
// The renderer draws a different picture than a printer in two places, so the
// copy it gets is adjusted: Windows-1252 text under ^CI27 becomes UTF-8 under
// ^CI28, and a Code 128 field with the ">6" switch becomes its plain digits
// in automatic mode (the renderer drops the character after the switch; a
// printer does not). It has no serial fields either: "^SN" data with its step
// and leading-zero flag is drawn as the plain field it starts with.
"use strict";
const fs = require("node:fs");

function paraRenderizador(bytes) {
    let zpl = new TextDecoder("windows-1252").decode(bytes);
    zpl = zpl.replace(/\^CI27/g, "^CI28");
    zpl = zpl.replace(/\^SN([^^]*?)(,[0-9]+,[YN])?\^FS/g, "^FD$1^FS");
    zpl = zpl.replace(/\^BC([^^]*)\^FD>;([0-9]+)>6([0-9])\^FS/g, "^BC$1,A^FD$2$3^FS");
    return zpl;
}

async function main() {
    const [entrada, prefixo, larguraMm = "81.3", alturaMm = "70"] = process.argv.slice(2);
    if (!entrada || !prefixo) {
        console.error("uso: node previa.js SPOOL.prn PREFIXO [larguraMm alturaMm]");
        process.exit(2);
    }
    const { ready } = require("zpl-renderer-js");
    const { api } = await ready;
    const zpl = paraRenderizador(fs.readFileSync(entrada));
    const figuras = await api.zplToBase64MultipleAsync(zpl, Number(larguraMm), Number(alturaMm), 8);
    figuras.forEach((png, i) => {
        const nome = `${prefixo}-${i + 1}.png`;
        fs.writeFileSync(nome, Buffer.from(png, "base64"));
        console.log(nome);
    });
}

main().then(() => process.exit(0), (erro) => {
    console.error(String(erro));
    process.exit(1);
});
