#pragma once

// What the three volume families share: the walk over the ticked rows of the
// volume grid, the separator when order or item changes, the store of a row
// found again in the order file, and the way labels leave (one job each, or
// three to a job on a Datamax, the last partial batch at the end).

#include <optional>
#include <pugixml.hpp>
#include <string>

#include "comum/CamposGrade.h"
#include "orderfile/LojasVolume.h"
#include "render/ExecucaoImpressao.h"
#include "render/MotorTemplate.h"

namespace etiquetas {

// Steps of a volume run, as the failure message names them.
enum PassoVolume {
    kPassoVolumeInicio = 1,
    kPassoVolumeTemplate,
    kPassoVolumeAguarde,
    kPassoVolumeMarcada,
    kPassoVolumeColunas,
    kPassoVolumeSeparador,
    kPassoVolumeArquivoPedidos,
    kPassoVolumeQuantidade,
    kPassoVolumeEtiqueta,
    kPassoVolumeEnvio,
    kPassoVolumeLoteFinal,
    kPassoVolumeFim,
};

// The values of a ticked row that every volume family reads.
struct LinhaVolumeLida {
    std::string loja;      // store code, blanks removed
    std::string material;  // ten digits
    std::string pedido, item, bureau, semana;
    std::string caixas;  // the box count as typed
};

class RotinaVolume {
  public:
    RotinaVolume(ExecucaoImpressao& execucao, const char* spool);
    virtual ~RotinaVolume() = default;
    void executar();

  protected:
    // Before the first row (the standard and ILPN families read their
    // template here).
    virtual void prepararExecucao() {}
    virtual void imprimirLinha(const LinhaVolumeLida& linha) = 0;

    // A filled label: out on its own, or into the Datamax batch of three.
    // `caixa` is the box number the label carries in its row.
    void entregar(std::string& etiqueta, const LinhaVolumeLida& linha, long long caixa);
    // The row's store in the loaded order file; a row whose store is not
    // there ends the run.
    pugi::xml_node lojaDaLinha(const LinhaVolumeLida& linha);
    // The text of a store or volume element the label needs; ends the run
    // when it is missing.
    std::string textoExigido(pugi::xml_node no, const char* nome, const std::string& onde) const;
    // A count from the grid or the order file: whole part of the value in
    // `figura`, at most 32767. Text that is no number ends the run.
    int quantidade(const std::string& texto, const char* figura, const std::string& nome) const;

    // A label's values are given token by token, then go in at once, so a
    // value that looks like a later token prints as itself.
    void texto(std::string_view token, std::string_view valor);
    void valor(std::string_view token, std::string conteudo);
    void preencherEtiqueta(std::string& etiqueta);
    static std::string descricaoLoja(const LinhaVolumeLida& linha);

    ExecucaoImpressao& x_;

  private:
    void percorrerLinhas();
    void lerLinha(int numero);
    LinhaVolumeLida colunas(int numero) const;
    void imprimirSeparadorSeDevido(const LinhaVolumeLida& linha);
    void enviar(std::string& texto, int etiquetas);
    void enviarLotePendente();

    const char* spool_;
    std::optional<LojasVolume> lojas_;
    PreenchimentoUnidade preenchimento_;
    bool envioEmCurso_ = false;  // a failure now comes from the printer's side
};

}  // namespace etiquetas
