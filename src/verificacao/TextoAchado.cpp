#include "verificacao/VerificacaoTrabalhos.h"

namespace etiquetas {

std::string textoAchado(const Achado& a) {
    std::string t;
    if (a.origem) {
        const auto& o = *a.origem;
        t = "Linha " + std::to_string(o.linha) + " (pedido " + o.pedido + ", item " + o.item;
        if (!o.variante.empty()) t += (a.loja ? ", loja " : ", variante ") + o.variante;
        t += ")";
        // The label is the one that carries this number.
        if (o.primeira > 0)
            t += (a.loja ? ", caixa " : ", sequência ") + std::to_string(o.primeira);
    } else {
        t = a.etiqueta > 0 ? "Separador" : "Configuração";
    }
    if (!a.modelo.empty()) t += ", modelo " + a.modelo;
    if (!a.campo.empty()) t += ", " + a.campo;
    t += ": " + a.problema;
    if (a.outras > 0)
        t += " (e mais " + std::to_string(a.outras) + (a.outras == 1 ? " vez)" : " vezes)");
    return t;
}

}  // namespace etiquetas
