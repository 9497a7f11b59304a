#include "app/ConsultaImpressora.h"

#include "output/Despacho.h"
#include "output/PortasCom.h"
#include "render/FalhaImpressao.h"

namespace etiquetas {

namespace {

std::string abrirPortaCom(Maquina& maquina, const PastasAplicacao& pastas,
                          const ParametrosImpressao& p) {
    const int numero = p.porta == "COM1" ? 1 : 2;
    const std::string dispositivo = dispositivoPortaCom(pastas, numero);
    const auto& s = p.serial;
    const std::string configuracao =
        s.velocidade + "," + s.paridade + "," + s.bitsDados + "," + s.bitsParada;
    if (maquina.portaSerial().abrir(dispositivo, configuracao)) return {};
    return "Não foi possível abrir a porta " + p.porta + " (" + dispositivo +
           "): " + maquina.portaSerial().ultimoErro();
}

}  // namespace

bool impressoraConsultavel(const ParametrosImpressao& p) {
    const bool serial = p.porta == "COM1" || p.porta == "COM2";
    return (serial || enderecoRede(p.destino)) && p.linguagem != Linguagem::Nenhuma;
}

ConsultaImpressora consultarImpressora(Maquina& maquina, const PastasAplicacao& pastas,
                                       const ParametrosImpressao& parametros) {
    if (!impressoraConsultavel(parametros)) return {estadoNaoConsultavel(), {}};
    const bool serial = parametros.porta == "COM1" || parametros.porta == "COM2";
    ConsultaImpressora r;
    try {
        bool imagemEnviada = false;
        Despacho despacho(maquina, parametros, pastas, imagemEnviada);
        if (serial) r.motivo = abrirPortaCom(maquina, pastas, parametros);
        r.estado = r.motivo.empty() ? despacho.consultarEstado() : estadoSemResposta();
    } catch (const FalhaImpressao& f) {
        r.estado = estadoSemResposta();
        r.motivo = f.what();
    }
    if (serial && maquina.portaSerial().aberta()) maquina.portaSerial().fechar();
    return r;
}

}  // namespace etiquetas
