#include "render/VolumePadrao.h"

#include <algorithm>

#include "comum/Texto.h"
#include "render/MotorTemplate.h"
#include "render/RotinaVolume.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

constexpr int kMaiorSerie = 999;

class VolumePadrao : public RotinaVolume {
  public:
    explicit VolumePadrao(ExecucaoImpressao& execucao)
        : RotinaVolume(execucao, "SpoolEtqVolPad.PRN") {}

  private:
    void prepararExecucao() override {
        x_.TextoTemplate = x_.lerModelo(x_.nomeTemplate);
        preencherComandosImpressora(x_.TextoTemplate, x_.parametros.velocidade,
                                    formatarNumero(x_.parametros.temperatura, "00"));
    }

    void imprimirLinha(const LinhaVolumeLida& linha) override {
        const pugi::xml_node loja = lojaDaLinha(linha);
        x_.passo = kPassoVolumeQuantidade;
        const std::string onde = "na " + descricaoLoja(linha);
        const int etiquetas = quantidade(textoExigido(loja, "QuantidadeEtiqueta", onde), "000",
                                         "QuantidadeEtiqueta da " + descricaoLoja(linha));
        const std::string grade =
            "[" + formatarNumero(textoExigido(loja, "QuantidadePecGrade", onde), "000") + "]";
        SerieVolumes serie(etiquetas);
        for (int i = 1; i <= etiquetas; ++i) {
            serie.avancar();
            preencher(linha, serie, grade);
            entregar(etiqueta_, linha, i);
        }
    }

    void preencher(const LinhaVolumeLida& linha, const SerieVolumes& serie,
                   const std::string& grade) {
        x_.passo = kPassoVolumeEtiqueta;
        const std::string volume = formatarInteiro(serie.volume(), "000");
        const std::string tamanho = formatarInteiro(serie.tamanho(), "000");
        std::string& e = etiqueta_;
        e = x_.TextoTemplate;
        valor("::CodBarras::", valorCodigoBarras(linha.material) + volume + tamanho);
        texto("::SemanaEntr::", linha.semana);
        texto("::Mercadoria::", linha.material);
        valor("::Volume::", volume + "/" + tamanho);
        texto("::QuantGrade::", grade);
        texto(":: CodigoBureau ::", linha.bureau);
        preencherEtiqueta(e);
    }

    std::string etiqueta_;
};

}  // namespace

SerieVolumes::SerieVolumes(int total) : total_(total), tamanho_(std::min(total, kMaiorSerie)) {}

void SerieVolumes::avancar() {
    ++etiqueta_;
    if (++volume_ <= tamanho_) return;
    volume_ = 1;
    tamanho_ = std::max(1, std::min(tamanho_ - 1, total_ - etiqueta_ + 1));
}

void ImprimirVolumePadrao(ExecucaoImpressao& execucao) {
    VolumePadrao(execucao).executar();
}

}  // namespace etiquetas
