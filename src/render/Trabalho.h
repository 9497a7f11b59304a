#pragma once

// What rendering hands on: one job per spool file, in the order made. Where
// it goes (a printer, a list for a test or a preview) is the sink's concern.

#include <string>
#include <vector>

namespace etiquetas {

enum class TipoTrabalho {
    Etiqueta,             // a unit of labels (or a Datamax batch of them)
    Separador,            // the order/item separator label
    ConfiguracaoDatamax,  // Datamax set-up commands sent before price tags (the file below)
    Grafico,              // a stored graphic download
    Fonte,                // a font download
    Exclusao,             // deletion of a stored object
};

inline constexpr const char* kArquivoConfiguracaoDatamax = "QuelmonteConfiguracaoDatamax.prn";

// What the labels of a job were made from: one grid row and the run of
// sequence numbers (price families) or box numbers (volume families) its
// labels carry, first and last. A Datamax batch may hold labels of several
// rows: one origin each.
struct OrigemTrabalho {
    int linha = 0;  // data row of the grid, from 1
    std::string pedido, item;
    std::string variante;  // price families: the variant; volume families: the store
    long long primeira = 0, ultima = 0;
    bool operator==(const OrigemTrabalho&) const = default;
};

struct Trabalho {
    TipoTrabalho tipo = TipoTrabalho::Etiqueta;
    std::string spool;  // spool file name in the application folder ("SpoolEtq.PRN")
    std::string texto;  // the exact bytes of the spool file
    int etiquetas = 0;  // labels the job carries, a separator's one among them (0 for set-up)
    std::vector<OrigemTrabalho> origens;  // none for separators and set-up
};

// Receives each job as soon as it is made. A sink that cannot deliver throws
// FalhaImpressao, which ends the run; jobs already taken stay taken.
class SaidaTrabalhos {
  public:
    virtual ~SaidaTrabalhos() = default;
    virtual void enviar(const Trabalho& trabalho) = 0;
};

// Keeps the jobs: tests, the preview and dry runs.
class ColetorTrabalhos : public SaidaTrabalhos {
  public:
    void enviar(const Trabalho& trabalho) override { trabalhos.push_back(trabalho); }
    std::vector<Trabalho> trabalhos;
};

}  // namespace etiquetas
