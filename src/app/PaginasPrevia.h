#pragma once

// The labels a print would send, as the preview window pages through them:
// the jobs read as one stream in the printer's language (a graphic
// downloaded in one job serves the next), one page a label, and the
// warnings of the printer's reading.
// The jobs wait in a temporary file and a page is read again when shown,
// so a run of any length costs the same memory.

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
    // "Etiqueta 2 de 7", and "(5 cópias)" when ^PQ asks for more than one.
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
    mutable std::optional<zpl::Etiqueta> pagina_;
    mutable int paginaLida_ = -1;
};

}  // namespace etiquetas
