#include "app/EscolhaImpressora.h"

#include "app/ListasImpressoras.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "config/TabelasImpressoras.h"
#include "render/ParametrosImpressao.h"
#include "resolucao/Escala.h"

namespace etiquetas {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSecaoPessoal = "ConfigPess";
// One resolution per printer line, the line's text as the key: a user with a
// 203 and a 300 dpi printer keeps both.
constexpr const char* kSecaoResolucao = "ResolucaoImpressora";

fs::path tabela(const fs::path& pasta, std::string_view nome) {
    return caminhoNaPasta(pasta, nome);
}

std::optional<std::string> lerPessoal(const PastasAplicacao& pastas, const char* chave) {
    std::string valor = LerArquivoConfig(pastas, kSecaoPessoal, chave);
    if (aparar(valor).empty()) return std::nullopt;
    return valor;
}

// A value that is not a resolution leaves the templates' own.
std::optional<int> resolucaoSalva(const PastasAplicacao& pastas, const std::string& linha) {
    return resolucaoDoTexto(aparar(LerArquivoConfig(pastas, kSecaoResolucao, linha)));
}

// A frame of lists of its own, reacting as the window's do.
struct ListasProprias {
    Lista impressora{"cmbImpressora"}, modelo{"cmbModelo"}, velocidade{"cmdVelocidade"},
        temperatura{"cmdTemperatura"}, velocidadeCom{"cbvelocidade"}, paridade{"cbparidade"},
        bitDados{"cbbitdados"}, bitParada{"cbbitparada"};
    ListasImpressora listas() {
        return {impressora,    modelo,   velocidade, temperatura,
                velocidadeCom, paridade, bitDados,   bitParada};
    }
    explicit ListasProprias(const fs::path& pasta) {
        impressora.escolhido.conectar([this, pasta] { reagirImpressora(listas(), pasta); });
        modelo.escolhido.conectar([this, pasta] { reagirModelo(listas(), pasta); });
    }
};

}  // namespace

void preencherListasImpressora(ListasImpressora l, const fs::path& pasta) {
    l.impressora.limpar();
    l.impressora.adicionar("Datamax - DPL", 0);
    l.impressora.adicionar("Zebra - ZPL", 1);
    PopularListControldoArquivo(l.impressora, tabela(pasta, kTabelaImpressoras));
    PopularListControl(l.velocidadeCom, tabela(pasta, kTabelaVelocidadeCom));
    PopularListControl(l.paridade, tabela(pasta, kTabelaParidadeCom));
    PopularListControl(l.bitDados, tabela(pasta, kTabelaBitDadosCom));
    PopularListControl(l.bitParada, tabela(pasta, kTabelaBitParadaCom));
}

void reagirImpressora(ListasImpressora l, const fs::path& pasta) {
    l.modelo.limpar();
    PopularListModeloImpressora(l.modelo, idDaImpressora(l.impressora.texto()),
                                tabela(pasta, kTabelaModelos));
    if (l.modelo.contagem() > 0) {
        l.modelo.selecionar(0);
    } else {
        // A printer without models must not keep the previous printer's ranges.
        l.velocidade.limpar();
        l.temperatura.limpar();
    }
}

void reagirModelo(ListasImpressora l, const fs::path& pasta) {
    PopularListVelocidadeImpressora(l.velocidade, l.temperatura, l.modelo.texto(),
                                    idDaImpressora(l.impressora.texto()),
                                    tabela(pasta, kTabelaModelos));
}

void restaurarEscolha(Lista& lista, const std::optional<std::string>& salvo) {
    if (!salvo) return;
    for (const auto& item : lista.itens())
        if (item.texto == *salvo) return lista.definirTexto(*salvo);
}

// Every saved key comes back on its own: a user who prints through LPT1
// never saves the serial keys and must still find the printer chosen. Each
// choice runs its list's reaction, so the model, speed and temperature lists
// are rebuilt before their own values are set.
void restaurarListasImpressora(ListasImpressora l, const PastasAplicacao& pastas) {
    restaurarEscolha(l.impressora, lerPessoal(pastas, "Impressora"));
    restaurarEscolha(l.modelo, lerPessoal(pastas, "Modelo"));
    restaurarEscolha(l.velocidade, lerPessoal(pastas, "Velocidade"));
    restaurarEscolha(l.temperatura, lerPessoal(pastas, "Temperatura"));
    restaurarEscolha(l.velocidadeCom, lerPessoal(pastas, "VelocidadeCom"));
    restaurarEscolha(l.paridade, lerPessoal(pastas, "ParidadeCom"));
    restaurarEscolha(l.bitDados, lerPessoal(pastas, "BitdeDadoCom"));
    restaurarEscolha(l.bitParada, lerPessoal(pastas, "BitdeParadaCom"));
}

CaminhoSalvo lerCaminhoSalvo(const PastasAplicacao& pastas) {
    return {lerPessoal(pastas, "TipoCaminho"), lerPessoal(pastas, "CaminhoImpressora")};
}

int resolucaoDaImpressora(const PastasAplicacao& pastas, const std::string& linha) {
    return resolucaoSalva(pastas, linha).value_or(kResolucaoModelos);
}

bool portaParalela(const std::string& porta) {
    const std::string p = aparar(porta);
    return iguaisSemCaixa(p, "LPT1") || iguaisSemCaixa(p, "LPT2");
}

EscolhaResolvida escolherImpressora(const PastasAplicacao& pastas, const OpcoesImpressora& o) {
    ListasProprias proprias(pastas.dados);
    auto& l = proprias;
    preencherListasImpressora(l.listas(), pastas.dados);
    if (l.impressora.contagem() > 0) l.impressora.selecionar(0);
    restaurarListasImpressora(l.listas(), pastas);
    EscolhaResolvida resolvida;
    resolvida.impressoras = l.impressora.contagem();
    if (o.impressora) {
        if (*o.impressora < 0 || *o.impressora >= l.impressora.contagem()) return resolvida;
        l.impressora.selecionar(*o.impressora);
    }
    if (o.modelo) l.modelo.definirTexto(*o.modelo);
    if (o.velocidade) l.velocidade.definirTexto(*o.velocidade);
    if (o.temperatura) l.temperatura.definirTexto(*o.temperatura);
    ImpressoraEscolhida e;
    e.indice = l.impressora.indice();
    e.linha = l.impressora.texto();
    e.modelo = l.modelo.texto();
    e.velocidade = l.velocidade.texto();
    e.temperatura = l.temperatura.texto();
    e.porta = o.porta;
    e.rede = o.rede.has_value();
    e.destino = o.rede ? *o.rede : o.porta;
    e.portaInformada = o.portaInformada;
    e.resolucao = o.resolucao.value_or(resolucaoDaImpressora(pastas, e.linha));
    e.serial = o.serial ? *o.serial
                        : ConfiguracaoSerialImpressao{l.velocidadeCom.texto(), l.paridade.texto(),
                                                      l.bitDados.texto(), l.bitParada.texto()};
    resolvida.escolha = std::move(e);
    return resolvida;
}

bool salvarEscolhaPessoal(const PastasAplicacao& pastas, const ImpressoraEscolhida& e) {
    bool ok = true;
    const auto gravar = [&](const char* chave, const std::string& valor) {
        ok = GravarArquivoConfig(pastas, kSecaoPessoal, chave, valor) && ok;
    };
    gravar("Impressora", e.linha);
    gravar("Modelo", e.modelo);
    gravar("Velocidade", e.velocidade);
    gravar("Temperatura", e.temperatura);
    if (!portaParalela(e.porta)) {
        gravar("VelocidadeCom", e.serial.velocidade);
        gravar("ParidadeCom", e.serial.paridade);
        gravar("BitdeDadoCom", e.serial.bitsDados);
        gravar("BitdeParadaCom", e.serial.bitsParada);
    }
    // A printer line never set apart from 203 dpi adds nothing to the file.
    if (e.resolucao != kResolucaoModelos || resolucaoSalva(pastas, e.linha))
        ok = GravarArquivoConfig(pastas, kSecaoResolucao, e.linha, std::to_string(e.resolucao)) &&
             ok;
    if (!e.portaInformada) return ok;
    gravar("TipoCaminho", e.rede ? "Rede" : "Local");
    gravar("CaminhoImpressora", e.rede ? e.destino : e.porta);
    return ok;
}

std::string velocidadeConvertida(const fs::path& pasta, const ImpressoraEscolhida& e) {
    const std::string convertida =
        BuscaListaConvercao(e.linha, e.velocidade, tabela(pasta, kTabelaConversao));
    return convertida.empty() ? aparar(e.velocidade) : convertida;
}

std::string falhaConversaoVelocidade(const fs::path& pasta, const ImpressoraEscolhida& e) {
    const std::string fabricante = fabricanteImpressora(e.linha);
    // A Zebra takes the speed as it is; a DPL printer's template takes a
    // letter, and an empty speed has its default letter.
    if (linguagemDoFabricante(fabricante) != Linguagem::DataMax || aparar(e.velocidade).empty())
        return {};
    const fs::path arquivo = tabela(pasta, kTabelaConversao);
    if (const auto falha = conferirArquivo(arquivo, kLimiteTabela); falha != FalhaLeitura::Nenhuma)
        return mensagemFalhaLeitura(arquivo, falha, kLimiteTabela) +
               " Sem essa tabela, a velocidade da impressora " + fabricante + " não tem código.";
    if (!BuscaListaConvercao(e.linha, e.velocidade, arquivo).empty()) return {};
    return "A tabela " + textoDoCaminho(arquivo.filename()) + " não tem o código da velocidade " +
           aparar(e.velocidade) + " da impressora " + aparar(camposBrutos(e.linha).front()) + ".";
}

}  // namespace etiquetas
