#include "app/Controles.h"

namespace etiquetas {

void Controle::definirVisivel(bool v) {
    if (visivel_ == v) return;
    visivel_ = v;
    avisar();
}

void Controle::definirHabilitado(bool h) {
    if (habilitado_ == h) return;
    habilitado_ = h;
    avisar();
}

void Rotulo::definirLegenda(std::string l) {
    legenda_ = std::move(l);
    avisar();
}

void Rotulo::definirCor(int c) {
    cor_ = c;
    avisar();
}

void Rotulo::definirTag(std::string t) {
    tag_ = std::move(t);
}

void CaixaTexto::definirTexto(std::string t) {
    if (texto_ == t) return;
    texto_ = std::move(t);
    avisar();
}

void Lista::limpar() {
    itens_.clear();
    indice_ = -1;
    texto_.clear();
    avisar();
}

void Lista::adicionar(std::string texto, long dado) {
    itens_.push_back({std::move(texto), dado});
    avisar();
}

void Lista::definirDado(int indice, long dado) {
    if (indice >= 0 && indice < contagem()) itens_[indice].dado = dado;
}

void Lista::selecionar(int indice) {
    if (indice < -1 || indice >= contagem()) return;
    indice_ = indice;
    texto_ = indice >= 0 ? itens_[indice].texto : std::string();
    avisar();
    escolhido.emitir();
}

void Lista::definirTexto(const std::string& texto) {
    for (int i = 0; i < contagem(); ++i) {
        if (itens_[i].texto == texto) {
            selecionar(i);
            return;
        }
    }
    indice_ = -1;
    texto_ = texto;
    avisar();
}

void Opcao::definirMarcada(bool m) {
    if (marcada_ == m) return;
    marcada_ = m;
    avisar();
}

void Opcao::clicar() {
    definirMarcada(true);
    clicada.emitir();
}

void BarraProgresso::definirFaixa(int minimo, int maximo) {
    minimo_ = minimo;
    maximo_ = maximo;
    avisar();
}

void BarraProgresso::definirValor(int v) {
    if (valor_ == v) return;
    valor_ = v;
    avisar();
}

void BarraProgresso::definirTexto(std::string t) {
    if (texto_ == t) return;
    texto_ = std::move(t);
    avisar();
}

void BarraStatus::definirTexto(std::string t) {
    texto_ = std::move(t);
    avisar();
}

}  // namespace etiquetas
