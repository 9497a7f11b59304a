#include "app/Aplicacao.h"
#include "app/JanelaImpressaoApp.h"
#include "comum/Texto.h"
#include "config/AtualizarConfiguracao.h"
#include "output/Despacho.h"
#include "output/PortasCom.h"
#include "render/PrecoCartolina.h"

namespace etiquetas {

namespace {

struct Linguagem {
    std::string nome;      // "Zebra", "DataMax" or ""
    std::string extensao;  // ".zpl", ".prn" or ""
};

Linguagem linguagemDaImpressora(const std::string& linhaImpressora) {
    const std::string nome =
        maiusculas(aparar(linhaImpressora.substr(0, linhaImpressora.find(','))));
    if (nome == "DATAMAX" || nome == "ARGOX" || nome == "ELTRON") return {"DataMax", ".prn"};
    if (nome == "ZEBRA") return {"Zebra", ".zpl"};
    return {};
}

int varianteEtiqueta(const JanelaPrincipal& j) {
    if (!j.frmTipo.visivel()) return 9;
    const std::string& texto = j.cbvTipoEtiq.texto();
    if (texto == "Etiq.Interna") return 1;
    if (texto == "Etiq.Caixa") return 2;
    if (texto == "Etiqueta ILPN") return 3;
    if (texto == "Etiqueta Volume") return 4;
    return 0;
}

// The buttons come back and the port closes however the run ends.
class FimDaImpressao {
  public:
    FimDaImpressao(JanelaPrincipal& j, Plataforma& p) : j_(j), p_(p) {
        j_.cmdSair.definirHabilitado(false);
        j_.cmdImprimir.definirHabilitado(false);
    }
    ~FimDaImpressao() {
        p_.cursorOcupado(false);
        j_.cmdSair.definirHabilitado(true);
        j_.cmdImprimir.definirHabilitado(true);
    }
    void fecharPorta() {
        if (p_.portaSerial().aberta()) p_.portaSerial().fechar();
    }

  private:
    JanelaPrincipal& j_;
    Plataforma& p_;
};

}  // namespace

bool Aplicacao::prepararPortaCom() {
    const std::string& porta = janela_.cmbCaminhoImpressora.texto();
    if (porta != "COM1" && porta != "COM2") return true;
    PortaSerial& serial = plataforma_.portaSerial();
    if (serial.aberta()) return true;
    const int numero = porta == "COM1" ? 1 : 2;
    const std::string configuracao = janela_.cbvelocidade.texto() + "," +
                                     janela_.cbparidade.texto() + "," + janela_.cbbitdados.texto() +
                                     "," + janela_.cbbitparada.texto();
    if (!PortaComDisponivel(pasta_, numero)) {
        mensagem("Porta COM" + std::to_string(numero) + " não encontrada.", {}, Icone::Informacao);
        return false;
    }
    const std::string dispositivo = dispositivoPortaCom(pasta_, numero);
    if (!serial.abrir(dispositivo, configuracao)) {
        mensagem("Não foi possível abrir a porta " + porta + " (" + dispositivo +
                     "): " + serial.ultimoErro(),
                 "Porta " + porta, Icone::Critico);
        return false;
    }
    ImagemEnviada = false;
    return true;
}

void Aplicacao::cmdImprimir() {
    // The window's button calls this: nothing may escape into the toolkit.
    try {
        imprimirEtiquetas();
    } catch (const AplicacaoEncerrada&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(e.what(), "Erro !", Icone::Critico);
    }
}

void Aplicacao::imprimirEtiquetas() {
    auto& j = janela_;
    if (!prepararPortaCom()) return;
    salvarConfiguracaoPessoal();
    montavelocidadetemperatura();
    if (j.optRede.marcada() && aparar(j.txtCaminhoImpressora.texto()).empty()) {
        mensagem("Informe o caminho de rede da Impressora !", "Caminho para Impressora",
                 Icone::Critico);
        j.focar(j.txtCaminhoImpressora.nome);
        return;
    }
    if (mensagem("Confirma a Impressão das Etiquetas para os Pedidos Selecionados ?",
                 "impressão de Etiquetas", Icone::Pergunta, Botoes::SimNao) != Resposta::Sim)
        return;
    FimDaImpressao fim(j, plataforma_);
    if (!VerificarPedidoSelecionado()) return;
    const Linguagem linguagem = linguagemDaImpressora(j.cmbImpressora.texto());
    const int variante = varianteEtiqueta(j);
    if (variante == 0) {
        mensagem("Selecione o tipo de etiqueta a ser impressa !", "Tipo de Etiqueta",
                 Icone::Critico);
        j.focar(j.cbvTipoEtiq.nome);
        return;
    }
    AtualizarConfiguracao cfg;
    cfg.TipoImpressora = j.cmbImpressora.indice();
    cfg.TipoEtiqueta = j.TipoEtiquetaPedido;
    cfg.LayoutNovo = j.LayoutNovoArquivo;
    cfg.Carregar(pasta_);
    executarRotinaDoTipo(cfg, linguagem.nome, linguagem.extensao);
    fim.fecharPorta();
}

void Aplicacao::executarRotinaDoTipo(const AtualizarConfiguracao& cfg, const std::string& linguagem,
                                     const std::string& extensao) {
    const int tipo = cfg.TipoEtiqueta;
    if (tipo < 1 || tipo > 99) return;
    const std::string sufixo = janela_.LayoutNovoArquivo ? "_NOVO" : "";
    const std::string separador = "QuelmonteSeparador" + extensao;
    auto nome = [&](const char* base) { return base + sufixo + linguagem + extensao; };
    JanelaImpressaoApp janelaImpressao(janela_);
    Despacho despacho(plataforma_, janelaImpressao, pasta_, ImagemEnviada);
    AmbienteImpressao ambiente{despacho, modulo_, janela_.sprPedidos};
    switch (tipo) {
        case 1:
            ImprimirPrecoCartolina(ambiente, cfg, nome("QuelmonteEtiqPrecoCartolina"), separador,
                                   linguagem);
            return;
        case 5:
            ImprimirPrecoCartolinaComSem(ambiente, cfg, nome("QuelmonteEtiqPrecoComSem"), separador,
                                         linguagem);
            return;
        case 9:
            ImprimirPrecoConjunto(ambiente, cfg, nome("QuelmonteEtiqPrecoComSem"), separador,
                                  linguagem);
            return;
        case 2:
        case 3:
        case 4:
        case 6:
        case 7:
        case 11:
        case 99:
            mensagem("A impressão de etiquetas do tipo " + std::to_string(tipo) +
                         " ainda não está disponível nesta versão do aplicativo. Nenhuma "
                         "etiqueta foi impressa.",
                     "Tipo de Etiqueta", Icone::Critico);
            return;
        default:
            return;  // types without a routine end silently
    }
}

}  // namespace etiquetas
