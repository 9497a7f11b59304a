#include "render/VolumeIlpn.h"

#include <array>
#include <vector>

#include "comum/Texto.h"
#include "orderfile/Xml.h"
#include "render/FalhaImpressao.h"
#include "render/MotorTemplate.h"
#include "render/RotinaVolume.h"
#include "render/ValoresSeguros.h"

namespace etiquetas {

namespace {

enum CampoIlpn {
    kNumVolume,
    kCodMercadoria,
    kCodBarra,
    kCodBarraCd,
    kCodDco,
    kTipoProduto,
    kQtdeTotal,
    kDesAuxiliar1,
    kDesAuxiliar2,
    kDesEndereco,
    kCamposIlpn
};
constexpr std::array<const char*, kCamposIlpn> kElementos{
    "numVolume",   "codMercadoria", "codBarra",      "codBarraCdAtual", "codDco",
    "tipoProduto", "qtdeTotal",     "desAuxiliar_1", "desAuxiliar_2",   "desEndereco"};
using Volume = std::array<std::string, kCamposIlpn>;

std::vector<pugi::xml_node> volumesDe(pugi::xml_node dados) {
    std::vector<pugi::xml_node> volumes;
    for (auto filho : dados.children())
        if (filho.type() == pugi::node_element) volumes.push_back(filho);
    return volumes;
}

class VolumeIlpn : public RotinaVolume {
  public:
    explicit VolumeIlpn(ExecucaoImpressao& execucao)
        : RotinaVolume(execucao, "SpoolEtqVolPad.PRN") {}

  private:
    void prepararExecucao() override {
        x_.TextoTemplate = x_.lerModelo(x_.nomeTemplate);
        preencherComandosImpressora(x_.TextoTemplate, x_.parametros.velocidade,
                                    formatarNumero(x_.parametros.temperatura, "00"));
    }

    void imprimirLinha(const LinhaVolumeLida& linha) override {
        x_.passo = kPassoVolumeQuantidade;
        const std::string loja = descricaoLoja(linha);
        const int caixas = quantidade(linha.caixas, "0000", "A quantidade de caixas da " + loja);
        const pugi::xml_node no = lojaDaLinha(linha);
        const std::string fornecedor = textoExigido(no, "NomeForn", "na " + loja);
        const auto volumes = volumesDe(filhoPorNome(no, "DADOS_VOLUME"));
        for (int i = 0; i < caixas; ++i) {
            if (static_cast<std::size_t>(i) >= volumes.size())
                throw FalhaImpressao("A " + loja + " tem " + std::to_string(volumes.size()) +
                                     " volumes no arquivo de pedidos e " + std::to_string(caixas) +
                                     " caixas a etiquetar.");
            const Volume volume = lerVolume(volumes[i], i + 1, loja);
            preencher(linha, fornecedor, volume);
            entregar(etiqueta_, linha, i + 1);
        }
    }

    Volume lerVolume(pugi::xml_node no, int numero, const std::string& loja) {
        x_.passo = kPassoVolumeEtiqueta;
        const std::string onde = "no volume " + std::to_string(numero) + " da " + loja;
        Volume v;
        for (int c = 0; c < kCamposIlpn; ++c) v[c] = textoExigido(no, kElementos[c], onde);
        v[kCodMercadoria] = artigoSemZeros(v[kCodMercadoria]);
        v[kQtdeTotal] = quantidadeTotal(v[kQtdeTotal], onde);
        return v;
    }

    static std::string quantidadeTotal(const std::string& texto, const std::string& onde) {
        const auto n = valorInteiro(texto);
        if (!n || *n < -32768 || *n > 32767)
            throw FalhaImpressao("qtdeTotal " + onde + " não é um número inteiro de -32768 a " +
                                 "32767: \"" + texto + "\".");
        return std::to_string(*n);
    }

    void preencher(const LinhaVolumeLida& linha, const std::string& fornecedor, const Volume& v) {
        std::string& e = etiqueta_;
        e = x_.TextoTemplate;
        texto(":: VOLUME_ATUAL ::", v[kNumVolume]);
        texto(":: ARTIGO ::", v[kCodMercadoria]);
        valor(":: COD_BARRAS ::", valorCodigoBarras(v[kCodBarra]));
        valor(":: COD_BARRAS_CD ::", valorCodigoBarras(v[kCodBarraCd]));
        texto(":: DCO ::", v[kCodDco]);
        texto(":: TIPO_PRODUTO ::", v[kTipoProduto]);
        valor(":: QTD_TOTAL ::", v[kQtdeTotal]);
        texto(":: PEDIDO ::", linha.pedido);
        texto(":: DESTINO ::", linha.loja);
        texto(":: FORNEC ::", fornecedor);
        texto(":: DES_1 ::", v[kDesAuxiliar1]);
        texto(":: DES_2 ::", v[kDesAuxiliar2]);
        texto(":: DES_3 ::", v[kDesEndereco]);
        preencherEtiqueta(e);
    }

    std::string etiqueta_;
};

}  // namespace

std::string artigoSemZeros(const std::string& codigo) {
    const auto primeiro = codigo.find_first_not_of('0');
    return primeiro == std::string::npos ? codigo : codigo.substr(primeiro);
}

void ImprimirVolumeIlpn(ExecucaoImpressao& execucao) {
    VolumeIlpn(execucao).executar();
}

}  // namespace etiquetas
