#include "app/ConsultaImpressora.h"

#include "comum/Texto.h"
#include "output/Despacho.h"
#include "output/PortasCom.h"
#include "render/FalhaImpressao.h"

namespace etiquetas {

namespace {

constexpr std::size_t kTamanhoAoLado = 80, kTamanhoDica = 300;

std::string cortado(const std::string& texto, std::size_t tamanho) {
    return texto.size() <= tamanho ? texto : esquerda(texto, tamanho - 3) + "...";
}

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

TextoDaConsulta textoDaConsulta(const ConsultaImpressora& c) {
    if (c.motivo.empty()) return {textoEstado(c.estado), {}};
    const std::string linha = c.motivo.substr(0, c.motivo.find('\n'));
    return {cortado(linha, kTamanhoAoLado), cortado(linha, kTamanhoDica)};
}

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
