#include "resolucao/ConversaoDpl.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "dpl/Fontes.h"

namespace etiquetas {

namespace {

constexpr char kStx = '\x02';
constexpr std::size_t kCabecalhoRegistro = 15;  // a b c d eee ffff gggg
constexpr int kMultiplicadorMaximo = 61;

// 1 to 9, A to Z (10 to 35), a to z (36 to 61).
std::optional<int> multiplicador(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 36;
    return std::nullopt;
}

char letraDoMultiplicador(int m) {
    m = std::clamp(m, 1, kMultiplicadorMaximo);
    if (m <= 9) return static_cast<char>('0' + m);
    if (m <= 35) return static_cast<char>('A' + m - 10);
    return static_cast<char>('a' + m - 36);
}

bool digitos(const char* t, std::size_t n) {
    return std::all_of(t, t + n, [](char c) { return c >= '0' && c <= '9'; });
}

// Far enough from the exact size to be seen: a dot and a twentieth.
bool longe(double impresso, double exato) {
    const double d = std::abs(impresso - exato);
    return d > 1.0 && d > 0.05 * exato;
}

}  // namespace

void ConversorDpl::converter(std::string_view spool, const Escala& escala, std::string& saida,
                             std::vector<AvisoConversao>& avisos) {
    e_ = &escala;
    avisos_ = &avisos;
    dentro_ = false;
    saida.assign(spool);
    std::size_t i = 0;
    while (i < saida.size()) {
        std::size_t fim = saida.find_first_of("\r\n", i);
        if (fim == std::string::npos) fim = saida.size();
        linha(saida.data() + i, fim - i);
        i = saida.find_first_not_of("\r\n", fim);
        if (i == std::string::npos) break;
    }
}

void ConversorDpl::linha(char* l, std::size_t tamanho) {
    if (tamanho == 0) return;
    if (!dentro_) {
        if (l[0] == kStx && tamanho > 1 && l[1] == 'L') dentro_ = true;
        if (l[0] == kStx && tamanho > 1 && l[1] == 'I') {
            campo_.assign(l, std::min<std::size_t>(tamanho, 8));
            avisar("imagem carregada não convertida: sai em outro tamanho");
        }
        return;
    }
    if (l[0] == 'E' || l[0] == 'X') dentro_ = false;
    if (l[0] >= '1' && l[0] <= '4') registro(l, tamanho);
}

void ConversorDpl::registro(char* l, std::size_t tamanho) {
    campo_.assign(l, std::min(tamanho, kCabecalhoRegistro));
    if (tamanho < kCabecalhoRegistro) return;
    const char tipo = l[1];
    if (tipo >= '0' && tipo <= '8') return fonteBitmap(l);
    if (tipo == '9') return fonteSuave(l, tamanho);
    if (tipo == 'X') return;  // lines and boxes: in the format's units
    if (tipo == 'W') return avisar("registro W não convertido: sai em outro tamanho");
    if (tipo == 'Y') return avisar("imagem armazenada não convertida: sai em outro tamanho");
    if (std::isalpha(static_cast<unsigned char>(tipo))) barras(l);
}

// c and d multiply the cell; each resolution has cells of its own, so the
// nearest multiple of the new cell to the size printed before.
void ConversorDpl::fonteBitmap(char* l) {
    const auto mw = multiplicador(l[2]), mh = multiplicador(l[3]);
    if (!mw || !mh) return;
    const auto antes = *dpl::celulaBitmap(l[1], e_->dpmmOrigem());
    const auto depois = *dpl::celulaBitmap(l[1], e_->dpmmDestino());
    const double exatoH = e_->exato(antes.altura * *mh), exatoW = e_->exato(antes.avanco * *mw);
    const int nh =
        std::clamp(static_cast<int>(std::lround(exatoH / depois.altura)), 1, kMultiplicadorMaximo);
    const int nw =
        std::clamp(static_cast<int>(std::lround(exatoW / depois.avanco)), 1, kMultiplicadorMaximo);
    l[2] = letraDoMultiplicador(nw);
    l[3] = letraDoMultiplicador(nh);
    if (longe(depois.altura * nh, exatoH) || longe(depois.avanco * nw, exatoW))
        avisar("fonte " + std::string(1, l[1]) + " sai com " + std::to_string(depois.altura * nh) +
               "x" + std::to_string(depois.avanco * nw) + " pontos a " +
               std::to_string(e_->dpiDestino()) + " dpi (" + decimal(exatoH) + "x" +
               decimal(exatoW) + " exatos): a matriz só cresce em múltiplos inteiros");
}

// Font 9 sized by S, U or u: height and width lead the data, four digits in
// dots or Pnnn in points (which need nothing).
void ConversorDpl::fonteSuave(char* l, std::size_t tamanho) {
    if (l[4] != 'S' && l[4] != 'U' && l[4] != 'u') return;
    if (tamanho < kCabecalhoRegistro + 8) return;
    for (char* campo : {l + kCabecalhoRegistro, l + kCabecalhoRegistro + 4}) {
        if (!digitos(campo, 4)) continue;
        const long long v = std::min(e_->pontos(std::stoi(std::string(campo, 4))), 9999LL);
        const std::string novo = std::to_string(v);
        std::fill(campo, campo + 4, '0');
        std::copy(novo.begin(), novo.end(), campo + 4 - novo.size());
    }
}

// c: the wide bar, d: the narrow one, in dots; whole dots, the narrow one
// nearest to its exact width and the wide one keeping its ratio to it.
void ConversorDpl::barras(char* l) {
    const auto larga = multiplicador(l[2]), estreita = multiplicador(l[3]);
    if (!larga || !estreita) return;
    const double exato = e_->exato(*estreita);
    const int novaEstreita =
        std::clamp(static_cast<int>(std::lround(exato)), 1, kMultiplicadorMaximo);
    const int novaLarga = static_cast<int>(std::lround(double(*larga) * novaEstreita / *estreita));
    l[2] = letraDoMultiplicador(novaLarga);
    l[3] = letraDoMultiplicador(novaEstreita);
    if (novaEstreita != exato)
        avisar("barra estreita de " + std::to_string(*estreita) + " pontos vira " +
               std::to_string(novaEstreita) + " a " + std::to_string(e_->dpiDestino()) + " dpi (" +
               decimal(exato) + " exatos): o código muda de largura");
}

void ConversorDpl::avisar(std::string problema) {
    avisarUmaVez(*avisos_, {campo_, std::move(problema)});
}

}  // namespace etiquetas
