#pragma once

// An order grid (sprPedidos, vaVolume): rows x columns of text cells. Bold
// and font size vary by row, colour and visibility by column, so that is
// what is stored; 100,000 rows of 40 columns cost the cells' text and little
// more.

#include <string>
#include <vector>

#include "app/Sinal.h"
#include "comum/LeitorGrade.h"

namespace etiquetas {

struct ColunaGrade {
    std::string titulo;
    double largura = 0;  // in the grid's character units; 0 = the default width
    bool oculta = false;
    bool editavel = false;
    bool caixa = false;  // check-box column
    int cor = 0;         // text colour 0x00BBGGRR
};

// A grid's rows as they stand: cells, bold and size.
struct ConteudoGrade {
    int linhas = 0;
    std::vector<std::string> celulas;
    std::vector<unsigned char> negrito, tamanho;
};

class Grade : public LeitorGrade {
  public:
    Grade(std::string nome, std::vector<ColunaGrade> colunas);

    const std::string& nome() const { return nome_; }
    int linhas() const override { return linhas_; }
    int colunas() const override { return static_cast<int>(colunas_.size()); }
    const std::string& texto(int linha, int coluna) const override;

    void definirTexto(int linha, int coluna, std::string texto);
    void definirLinhas(int linhas);
    // Takes a whole new content at once (row-major, `colunas()` cells a row),
    // rows unmarked, normal and 8 points.
    void substituirConteudo(int linhas, std::vector<std::string> celulas);
    // Rows added after the last (row-major, as above), unmarked, normal and 8
    // points: the view keeps its place and selection.
    void acrescentarLinhas(int linhas, std::vector<std::string> celulas);
    // Room for this many rows in all, so that adding rows a batch at a time
    // does not move every cell again and again.
    void reservarLinhas(int linhas);
    // The rows taken out for a while (the grid is left empty), and put back.
    ConteudoGrade retirarConteudo();
    void devolverConteudo(ConteudoGrade conteudo);

    bool negrito(int linha) const;
    int tamanhoFonte(int linha) const;
    void definirNegrito(int linha, bool negrito);
    void definirTamanhoFonte(int linha, int pontos);

    const ColunaGrade& coluna(int coluna) const { return colunas_.at(coluna - 1); }
    void definirOculta(int coluna, bool oculta);
    void definirCor(int coluna, int cor);

    bool visivel() const { return visivel_; }
    void definirVisivel(bool v);

    // What the user does in the view: the view calls these, the window's
    // reactions listen to the signals.
    void editarPeloUsuario(int linha, int coluna, std::string texto);
    // What the cell held before the user's last edit, for reactions that
    // refuse the edit.
    const std::string& textoAntesDaEdicao() const { return antesDaEdicao_; }
    void clicarCaixa(int linha);

    // Cell (linha, coluna) changed; (-1, -1): everything may have changed.
    Sinal<int, int> mudou;
    Sinal<int, int> celulaEditada;
    Sinal<int> caixaClicada;
    // A check refused the user's edit of cell (linha, coluna) and said why:
    // the view brings the user back to that cell.
    Sinal<int, int> edicaoRecusada;
    // A run is printing row `linha` now: the view selects it and keeps it in
    // sight, so that the worker sees where the run is.
    Sinal<int> linhaEmImpressao;
    Sinal<> formatoMudou;  // columns, visibility
    // Rows primeira to ultima are about to come after the last, and have come.
    Sinal<int, int> linhasPorAcrescentar;
    Sinal<int, int> linhasAcrescentadas;

    // While suspended, changes emit nothing; resuming emits (-1, -1) once.
    void suspenderAvisos();
    void retomarAvisos();

  private:
    bool valida(int linha, int coluna) const;
    void avisar(int linha, int coluna);

    std::string nome_;
    std::vector<ColunaGrade> colunas_;
    int linhas_ = 0;
    std::vector<std::string> celulas_;
    std::string antesDaEdicao_;
    std::vector<unsigned char> negrito_;
    std::vector<unsigned char> tamanho_;
    bool visivel_ = true;
    int suspensoes_ = 0;
};

}  // namespace etiquetas
