#pragma once

// What the print command and the test print share while a run goes on.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/JanelaPrincipal.h"
#include "platform/Plataforma.h"
#include "render/ExecucaoImpressao.h"

namespace etiquetas {

// Everything that could change the file, the rows, the printer or the
// settings, or start another command, is locked during a run and given back
// as it was however the run ends; "Cancelar" shows instead.
class FimDaImpressao {
  public:
    FimDaImpressao(JanelaPrincipal& j, Plataforma& p) : j_(j), p_(p) {
        for (Controle* c : controlesTravados()) {
            estados_.push_back(c->habilitado());
            c->definirHabilitado(false);
        }
        j_.cmdCancelar.definirHabilitado(true);
        j_.cmdCancelar.definirVisivel(true);
    }
    ~FimDaImpressao() {
        p_.cursorOcupado(false);
        const auto controles = controlesTravados();
        for (std::size_t i = 0; i < controles.size(); ++i)
            controles[i]->definirHabilitado(estados_[i]);
        j_.cmdCancelar.definirVisivel(false);
        j_.frameBarra.definirVisivel(false);
        j_.frameBarra.definirLegenda(legendaBarra_);
    }
    void fecharPorta() {
        if (p_.portaSerial().aberta()) p_.portaSerial().fechar();
    }
    void mostrarProgresso(long long pedidas) {
        j_.frameBarra.definirLegenda("Etiquetas enviadas à impressora...");
        j_.ProgressBar1.definirFaixa(0, static_cast<int>(std::min<long long>(pedidas, INT32_MAX)));
        j_.ProgressBar1.definirValor(0);
        j_.frameBarra.definirVisivel(true);
    }

  private:
    std::vector<Controle*> controlesTravados() {
        auto& j = j_;
        return {&j.fraArquivo,
                &j.cmdLocalizar,
                &j.fraPedidos,
                &j.cmdSelTodos,
                &j.cmdDesmarcaTodos,
                &j.cmdAtualizaQtd,
                &j.ckbMaterialForn,
                &j.fraImpressoras,
                &j.cmbImpressora,
                &j.cmbModelo,
                &j.cmdVelocidade,
                &j.txtvelocidade,
                &j.cmdTemperatura,
                &j.txtTemperatura,
                &j.optLocal,
                &j.optRede,
                &j.cmbCaminhoImpressora,
                &j.txtCaminhoImpressora,
                &j.cbvelocidade,
                &j.cbparidade,
                &j.cbbitdados,
                &j.cbbitparada,
                &j.CmZebra,
                &j.frmTipo,
                &j.cbvTipoEtiq,
                &j.fraTeste,
                &j.Option1,
                &j.Option2,
                &j.Option3,
                &j.Option4,
                &j.cmdConfiguracao,
                &j.cmdGerarTxt,
                &j.cmdVisualizar,
                &j.cmdImprimir,
                &j.cmdSair};
    }

    JanelaPrincipal& j_;
    Plataforma& p_;
    std::vector<bool> estados_;
    std::string legendaBarra_ = j_.frameBarra.legenda();
};

class ProgressoJanela : public ProgressoImpressao {
  public:
    ProgressoJanela(JanelaPrincipal& j, Plataforma& p, std::function<bool()> cancelado)
        : j_(j), p_(p), cancelado_(std::move(cancelado)) {}
    void mostrarStatus(const std::string& texto) override { j_.StatusBar1.definirTexto(texto); }
    void processarEventos() override { p_.processarEventos(); }
    void etiquetasEnviadas(long long n) override {
        j_.ProgressBar1.definirValor(static_cast<int>(std::min<long long>(n, INT32_MAX)));
        p_.processarEventos();
    }
    bool cancelado() const override { return cancelado_(); }

  private:
    JanelaPrincipal& j_;
    Plataforma& p_;
    std::function<bool()> cancelado_;
};

// A run is in progress from construction to destruction; a stop asked
// before it does not carry into it.
class ExecucaoEmCurso {
  public:
    ExecucaoEmCurso(bool& emImpressao, bool& cancelar) : emImpressao_(emImpressao) {
        cancelar = false;
        emImpressao_ = true;
    }
    ~ExecucaoEmCurso() { emImpressao_ = false; }
    ExecucaoEmCurso(const ExecucaoEmCurso&) = delete;
    ExecucaoEmCurso& operator=(const ExecucaoEmCurso&) = delete;

  private:
    bool& emImpressao_;
};

// Labels the ticked rows ask for: the sequence range of a price row, the box
// count of a volume row.
long long etiquetasPedidas(JanelaPrincipal& j);

}  // namespace etiquetas
