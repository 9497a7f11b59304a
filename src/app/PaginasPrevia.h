#pragma once

// The labels a print would send, as the preview window pages through them:
// the jobs read as one stream in the printer's language (a graphic
// downloaded in one job serves the next), one page a label, and the
// warnings of the printer's reading.
// The jobs wait in a temporary file and a page is read again when shown,
// so a run of any length costs little more than a line of text a job (what
// its pages are: order, item, sequences, and which tags of the run).

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dpl/Spool.h"
#include "render/Trabalho.h"

namespace etiquetas {

class PaginasPrevia : public SaidaTrabalhos {
  public:
    explicit PaginasPrevia(int dpmm = 8);
    PaginasPrevia(const PaginasPrevia&) = delete;
    PaginasPrevia& operator=(const PaginasPrevia&) = delete;
    // Takes each job of the run as it is made; throws FalhaImpressao when
    // the temporary file cannot take it.
    void enviar(const Trabalho& trabalho) override;
    // The run has ended: the last command is read.
    void terminar();

    int total() const { return total_; }
    int atual() const { return atual_; }  // from 0
    int dpmm() const { return dpmm_; }
    bool temAnterior() const { return atual_ > 0; }
    bool temProxima() const { return atual_ + 1 < total(); }
    void anterior();
    void proxima();

    const zpl::Etiqueta& etiquetaAtual() const;
    // Rows of a volume file: their numbers are boxes of a store, not sequences.
    void definirVolume(bool volume) { volume_ = volume; }
    // The tags of the page counted as the window counts them ("Etiqueta 2
    // de 7", "Etiquetas 3 e 4 de 14" for a page of two), what they are
    // ("Pedido 4512, Item 10, Variante ..., Sequência 3 a 4"), and "(5
    // cópias)" when ^PQ asks for more than one.
    std::string titulo() const;
    // Every warning, those of a label with its number first; Windows-1252.
    // A flood of them is cut, saying how many were left out.
    std::vector<std::string> avisos() const;
    // Findings of the check before a print, shown first among the warnings.
    void acrescentarAvisos(std::vector<std::string> achados);

  private:
    // A copy of the reader taken between two jobs, and where the next job
    // starts in the file: a page is read from the nearest one before it.
    struct Marco {
        std::unique_ptr<zpl::Leitor> leitor;
        long posicao = 0;
        int etiquetas = 0;
    };
    void marcar();
    zpl::Etiqueta lerPagina(int pagina) const;
    // The pages one job made, and its tags.
    struct Trecho {
        int primeiraPagina = 0, paginas = 0;
        long long etiquetasAntes = 0;
        int etiquetas = 0;
        std::string origem;                  // "Pedido ..., Item ..., Variante ..." or ""
        long long primeira = 0, ultima = 0;  // its sequences (or boxes)
    };
    void anotarTrecho(const Trabalho& trabalho, int paginasAntes);
    std::string numerosDaPagina(const Trecho& trecho, int pagina) const;
    std::string etiquetasDaPagina(int pagina) const;

    struct FecharArquivo {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FecharArquivo> spool_;
    long tamanho_ = 0;
    int dpmm_;
    dpl::LeitorSpool leitor_;
    std::vector<Marco> marcos_;
    std::vector<std::string> avisos_;
    int avisosOmitidos_ = 0;
    int total_ = 0;
    int atual_ = 0;
    std::vector<Trecho> trechos_;
    long long etiquetas_ = 0;  // tags of every job so far
    bool volume_ = false;
    mutable std::optional<zpl::Etiqueta> pagina_;
    mutable int paginaLida_ = -1;
};

}  // namespace etiquetas
