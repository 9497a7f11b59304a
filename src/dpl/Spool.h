#pragma once

// A spool read in the language it is written in: DPL streams open with the
// STX of a system command, ZPL ones with ^XA (or a ~ command before it).

#include <memory>
#include <string>
#include <string_view>

#include "zpl/Etiqueta.h"
#include "zpl/Leitor.h"

namespace etiquetas::dpl {

// Whether an STX comes before the first ^XA.
bool ehDpl(std::string_view spool);

// Either language, read in pieces: the text waits until an STX or a ^XA
// shows which it is, then goes to that language's reader.
class LeitorSpool : public zpl::Leitor {
  public:
    LeitorSpool(int dpmm, zpl::DestinoLeitura destino);
    LeitorSpool(const LeitorSpool& outro);

    void ler(std::string_view pedaco) override;
    void terminar() override;
    int etiquetasLidas() const override;
    std::size_t objetosArmazenados() const override;
    void redirecionar(zpl::DestinoLeitura destino) override;
    std::unique_ptr<zpl::Leitor> copia() const override;
    // Known once decided; before that, false.
    bool dpl() const { return dpl_; }

  private:
    void decidir(bool fimDoSpool);

    int dpmm_;
    zpl::DestinoLeitura destino_;
    std::string inicio_;  // read before the language was known
    std::unique_ptr<zpl::Leitor> leitor_;
    bool dpl_ = false;
};

zpl::Interpretacao interpretarSpool(std::string_view spool, int dpmm = 8);

}  // namespace etiquetas::dpl
