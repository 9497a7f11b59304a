#include "verificacao/VerificacaoTrabalhos.h"

namespace etiquetas {

std::string textoAchado(const Achado& a) {
    std::string t;
    if (a.origem) {
        const auto& o = *a.origem;
        t = "Linha " + std::to_string(o.linha) + " (pedido " + o.pedido + ", item " + o.item;
        if (!o.variante.empty()) t += (a.loja ? ", loja " : ", variante ") + o.variante;
        t += ")";
    } else {
        t = a.etiqueta > 0 ? "Separador" : "Configuração";
    }
    if (a.etiqueta > 0) t += ", etiqueta " + std::to_string(a.etiqueta);
    if (!a.campo.empty()) t += ", " + a.campo;
    t += ": " + a.problema;
    if (a.outras > 0)
        t += " (e em mais " + std::to_string(a.outras) + " etiqueta" + (a.outras == 1 ? ")" : "s)");
    return t;
}

}  // namespace etiquetas
