#include "render/VolumeReposicao.h"

#include "comum/Texto.h"
#include "render/MotorTemplate.h"
#include "render/RotinaVolume.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

class VolumeReposicao : public RotinaVolume {
  public:
    explicit VolumeReposicao(ExecucaoImpressao& execucao)
        : RotinaVolume(execucao, "SpoolEtqVol.PRN") {}

  private:
    void imprimirLinha(const LinhaVolumeLida& linha) override {
        x_.passo = kPassoVolumeQuantidade;
        const int caixas =
            quantidade(linha.caixas, "0000", "A quantidade de caixas da " + descricaoLoja(linha));
        for (int caixa = 1; caixa <= caixas; ++caixa) {
            preencher(linha, caixa, caixas);
            entregar(etiqueta_, linha, caixa);
        }
    }

    // Read when the first label needs it, so a run without boxes needs no
    // template; the same text serves every label of the run.
    const std::string& modelo() {
        x_.passo = kPassoVolumeTemplate;
        if (!lido_) {
            x_.TextoTemplate = x_.lerModelo(x_.nomeTemplate);
            preencherComandosImpressora(x_.TextoTemplate, x_.parametros.velocidade,
                                        x_.parametros.temperatura);
            lido_ = true;
        }
        return x_.TextoTemplate;
    }

    void preencher(const LinhaVolumeLida& linha, int caixa, int caixas) {
        etiqueta_ = modelo();
        x_.passo = kPassoVolumeEtiqueta;
        const std::string numero = formatarInteiro(caixa, "000");
        const std::string total = formatarInteiro(caixas, "000");
        std::string& e = etiqueta_;
        valor("1111111111111111111111111111",
              valorCodigoBarras(linha.loja + linha.material) + numero + total);
        texto("::L000::", linha.loja);
        texto("::000000000", linha.material);
        valor("@Volume", "Vol." + numero + "/" + total);
        texto(":: CodigoBureau ::", linha.bureau);
        preencherEtiqueta(e);
    }

    bool lido_ = false;
    std::string etiqueta_;
};

}  // namespace

void ImprimirVolumeReposicao(ExecucaoImpressao& execucao) {
    VolumeReposicao(execucao).executar();
}

}  // namespace etiquetas
