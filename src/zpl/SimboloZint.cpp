#include "zpl/SimboloZint.h"

#include <zint.h>

#include <cmath>
#include <memory>

namespace etiquetas::zpl {

namespace {

struct LiberarZint {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

bool modulo(const zint_symbol& s, int coluna) {
    return (s.encoded_data[0][coluna >> 3] >> (coluna & 7)) & 1;
}

// Runs of equal modules; with two widths, any run wider than one module is
// a wide element, drawn at the ratio the printer was given.
std::vector<int> larguras(const zint_symbol& s) {
    std::vector<int> r;
    for (int c = 0; c < s.width;) {
        int fim = c;
        while (fim < s.width && modulo(s, fim) == modulo(s, c)) ++fim;
        r.push_back(fim - c);
        c = fim;
    }
    return r;
}

int emPontos(int modulos, const Modulo& m, bool duasLarguras) {
    if (!duasLarguras) return modulos * m.largura;
    return modulos == 1 ? m.largura : static_cast<int>(std::lround(m.razao * m.largura));
}

void converterBarras(const zint_symbol& s, const Modulo& m, bool duasLarguras, SimboloLinear& r) {
    int x = 0;
    bool barra = s.width > 0 && modulo(s, 0);
    for (int l : larguras(s)) {
        const int pontos = emPontos(l, m, duasLarguras);
        if (barra) r.barras.push_back({x, pontos});
        x += pontos;
        barra = !barra;
    }
    r.largura = x;
}

}  // namespace

SimboloLinear simboloZint(const PedidoZint& pedido, const Modulo& m,
                          std::vector<std::string>& avisos) {
    SimboloLinear r;
    std::unique_ptr<zint_symbol, LiberarZint> s(ZBarcode_Create());
    if (!s) return r;
    s->symbology = pedido.simbologia;
    s->input_mode = DATA_MODE;
    s->option_2 = pedido.opcao2;
    const int erro =
        ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(pedido.dados.data()),
                        static_cast<int>(pedido.dados.size()));
    if (erro >= ZINT_ERROR) {
        avisos.push_back("código de barras não desenhado: " + std::string(s->errtxt));
        return r;
    }
    r.legenda = reinterpret_cast<const char*>(s->text);
    r.dados = std::string(pedido.dados);
    converterBarras(*s, m, pedido.duasLarguras, r);
    return r;
}

}  // namespace etiquetas::zpl
