#include "cli/OpcoesImpressora.h"

#include <iostream>
#include <vector>

#include "cli/ContextoCli.h"
#include "cli/Validadores.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

// Command-line text (UTF-8) into the core's Windows-1252.
std::optional<std::string> doTerminal(const std::optional<std::string>& texto) {
    if (!texto) return std::nullopt;
    return utf8ParaCp1252(*texto);
}

std::vector<std::string> partesSerial(const std::string& texto) {
    std::vector<std::string> partes;
    std::size_t inicio = 0;
    for (auto virgula = texto.find(',');; virgula = texto.find(',', inicio)) {
        partes.push_back(aparar(texto.substr(inicio, virgula - inicio)));
        if (virgula == std::string::npos) break;
        inicio = virgula + 1;
    }
    return partes;
}

}  // namespace

void adicionarOpcoesImpressora(CLI::App& c, ArgumentosImpressora& o) {
    c.add_option("--impressora", o.impressora, "Linha N (a partir de 0) da tabela de impressoras");
    c.add_option("--modelo", o.modelo, "Modelo da impressora");
    c.add_option("--velocidade", o.velocidade, "Velocidade da impressora");
    c.add_option("--temperatura", o.temperatura, "Temperatura da impressora");
    c.add_option("--porta", o.porta, utf8(u8"Porta da impressora (LPT1 por omissão)"))
        ->check(umDe({"LPT1", "LPT2", "COM1", "COM2"}));
    c.add_option("--rede", o.rede, utf8(u8"Caminho da impressora de rede (opção \"Rede\")"));
    c.add_option("--serial", o.serial, utf8(u8"Porta serial: VELOCIDADE,PARIDADE,DADOS,PARADA"))
        ->check(CLI::Validator(
            [](std::string& v) -> std::string {
                return partesSerial(v).size() == 4 ? ""
                                                   : "esperado BAUD,PARIDADE,DADOS,PARADA: " + v;
            },
            "BAUD,PARIDADE,DADOS,PARADA"));
    c.add_option("--dpi", o.dpi, utf8(u8"Resolução da impressora em pontos por polegada"))
        ->check(CLI::IsMember({203, 300, 600}));
}

std::optional<ImpressoraEscolhida> impressoraEscolhida(const PastasAplicacao& pastas,
                                                       const ArgumentosImpressora& a) {
    OpcoesImpressora o;
    o.impressora = a.impressora;
    o.modelo = doTerminal(a.modelo);
    o.velocidade = doTerminal(a.velocidade);
    o.temperatura = doTerminal(a.temperatura);
    o.porta = a.porta.value_or("LPT1");
    o.portaInformada = a.porta || a.rede;
    o.rede = doTerminal(a.rede);
    o.resolucao = a.dpi;
    if (a.serial) {
        const auto p = partesSerial(*a.serial);
        o.serial = ConfiguracaoSerialImpressao{p[0], p[1], p[2], p[3]};
    }
    const EscolhaResolvida resolvida = escolherImpressora(pastas, o);
    if (!resolvida.escolha) {
        std::cerr << "--impressora " << *a.impressora
                  << cp1252ParaUtf8(": a tabela de impressoras tem ") << resolvida.impressoras
                  << " linhas\n";
        return std::nullopt;
    }
    if (a.rede && o.porta != "LPT1" && o.porta != "LPT2") {
        std::cerr << cp1252ParaUtf8("--rede vale só com as portas LPT1 e LPT2") << '\n';
        return std::nullopt;
    }
    return resolvida.escolha;
}

}  // namespace etiquetas::cli
