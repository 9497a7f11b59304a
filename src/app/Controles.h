#pragma once

// The main window's controls as plain models. A control changes through its
// setters, which emit `mudou` (the view repaints) and, where the window
// reacts to a user's choice, `escolhido` (the core's reaction).

#include <string>
#include <vector>

#include "app/Sinal.h"

namespace etiquetas {

class Controle {
  public:
    std::string nome;

    bool visivel() const { return visivel_; }
    bool habilitado() const { return habilitado_; }
    void definirVisivel(bool v);
    void definirHabilitado(bool h);

    Sinal<> mudou;

  protected:
    explicit Controle(std::string n) : nome(std::move(n)) {}
    void avisar() { mudou.emitir(); }

  private:
    bool visivel_ = true;
    bool habilitado_ = true;
};

// Labels, frames and buttons: a caption, a text colour (0x00BBGGRR) and a tag.
class Rotulo : public Controle {
  public:
    explicit Rotulo(std::string n, std::string legenda = {})
        : Controle(std::move(n)), legenda_(std::move(legenda)) {}
    const std::string& legenda() const { return legenda_; }
    void definirLegenda(std::string l);
    int cor() const { return cor_; }
    void definirCor(int c);
    const std::string& tag() const { return tag_; }
    void definirTag(std::string t);
    const std::string& dica() const { return dica_; }
    void definirDica(std::string d) { dica_ = std::move(d); }

  private:
    std::string legenda_;
    int cor_ = 0;
    std::string tag_;
    std::string dica_;
};

class Botao : public Rotulo {
  public:
    using Rotulo::Rotulo;
    // The user pressed it.
    Sinal<> clicado;
    void clicar() { clicado.emitir(); }
};

class CaixaTexto : public Controle {
  public:
    explicit CaixaTexto(std::string n, std::string rotulo = {})
        : Controle(std::move(n)), rotulo(std::move(rotulo)) {}
    std::string rotulo;  // the caption shown beside it
    std::string dica;    // the tooltip
    const std::string& texto() const { return texto_; }
    void definirTexto(std::string t);

  private:
    std::string texto_;
};

struct ItemLista {
    std::string texto;
    long dado = 0;
};

// Combo boxes. The text is the selected item's, or free text when no item
// matches it.
class Lista : public Controle {
  public:
    explicit Lista(std::string n, std::string rotulo = {})
        : Controle(std::move(n)), rotulo(std::move(rotulo)) {}
    std::string rotulo;
    std::string dica;

    const std::vector<ItemLista>& itens() const { return itens_; }
    int contagem() const { return static_cast<int>(itens_.size()); }
    int indice() const { return indice_; }
    const std::string& texto() const { return texto_; }
    long dadoSelecionado() const { return indice_ >= 0 ? itens_[indice_].dado : 0; }

    void limpar();
    void adicionar(std::string texto, long dado = 0);
    void definirDado(int indice, long dado);
    // Selects the item and runs the window's reaction (`escolhido`).
    void selecionar(int indice);
    // Sets the text: the first item with exactly that text is selected (and
    // the reaction runs); otherwise the text stands alone, with no item.
    void definirTexto(const std::string& texto);

    Sinal<> escolhido;

  private:
    std::vector<ItemLista> itens_;
    int indice_ = -1;
    std::string texto_;
};

// Option buttons and the check box.
class Opcao : public Controle {
  public:
    explicit Opcao(std::string n, std::string legenda = {})
        : Controle(std::move(n)), legenda(std::move(legenda)) {}
    std::string legenda;
    bool marcada() const { return marcada_; }
    // Changes the value without the reaction (as code setting the value).
    void definirMarcada(bool m);
    // The user clicked it: marks it and runs the reaction.
    void clicar();
    Sinal<> clicada;

  private:
    bool marcada_ = false;
};

class BarraProgresso : public Controle {
  public:
    explicit BarraProgresso(std::string n) : Controle(std::move(n)) {}
    int minimo() const { return minimo_; }
    int maximo() const { return maximo_; }
    int valor() const { return valor_; }
    void definirFaixa(int minimo, int maximo);
    void definirValor(int v);
    // What the bar says over itself ("" says nothing).
    const std::string& texto() const { return texto_; }
    void definirTexto(std::string t);

  private:
    int minimo_ = 0, maximo_ = 100, valor_ = 0;
    std::string texto_;
};

class BarraStatus : public Controle {
  public:
    explicit BarraStatus(std::string n) : Controle(std::move(n)) {}
    const std::string& texto() const { return texto_; }
    void definirTexto(std::string t);

  private:
    std::string texto_;
};

}  // namespace etiquetas
