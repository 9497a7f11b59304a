#include "cli/OpcoesImpressora.h"

#include <iostream>
#include <vector>

#include "cli/ContextoCli.h"
#include "comum/Texto.h"

namespace etiquetas::cli {

namespace {

// Command-line text (UTF-8) into the core's Windows-1252.
std::string doTerminal(const std::string& texto) {
    return utf8ParaCp1252(texto);
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

int escolherImpressora(JanelaPrincipal& j, const OpcoesImpressora& o) {
    if (o.impressora) {
        if (*o.impressora < 0 || *o.impressora >= j.cmbImpressora.contagem()) {
            std::cerr << "--impressora " << *o.impressora
                      << cp1252ParaUtf8(": a tabela de impressoras tem ")
                      << j.cmbImpressora.contagem() << " linhas\n";
            return kArgumentos;
        }
        j.cmbImpressora.selecionar(*o.impressora);
    }
    // Each choice runs the window's reaction, which fills the next list.
    if (o.modelo) j.cmbModelo.definirTexto(doTerminal(*o.modelo));
    if (o.velocidade) j.cmdVelocidade.definirTexto(doTerminal(*o.velocidade));
    if (o.temperatura) j.cmdTemperatura.definirTexto(doTerminal(*o.temperatura));
    return kOk;
}

int escolherPorta(JanelaPrincipal& j, const OpcoesImpressora& o) {
    const bool serial = o.porta == "COM1" || o.porta == "COM2";
    if (o.rede && serial) {
        std::cerr << cp1252ParaUtf8("--rede vale só com as portas LPT1 e LPT2") << '\n';
        return kArgumentos;
    }
    j.optLocal.clicar();
    j.optRede.definirMarcada(false);
    j.cmbCaminhoImpressora.definirTexto(o.porta);
    j.txtCaminhoImpressora.definirTexto(o.porta);
    if (o.rede) {
        j.optRede.clicar();
        j.optLocal.definirMarcada(false);
        j.txtCaminhoImpressora.definirTexto(doTerminal(*o.rede));
    }
    if (o.serial) {
        const auto p = partesSerial(*o.serial);
        j.cbvelocidade.definirTexto(p[0]);
        j.cbparidade.definirTexto(p[1]);
        j.cbbitdados.definirTexto(p[2]);
        j.cbbitparada.definirTexto(p[3]);
    }
    return kOk;
}

}  // namespace

void adicionarOpcoesImpressora(CLI::App& c, OpcoesImpressora& o) {
    c.add_option("--impressora", o.impressora, "Linha N (a partir de 0) da tabela de impressoras");
    c.add_option("--modelo", o.modelo, "Modelo da impressora");
    c.add_option("--velocidade", o.velocidade, "Velocidade da impressora");
    c.add_option("--temperatura", o.temperatura, "Temperatura da impressora");
    c.add_option("--porta", o.porta, utf8(u8"Porta da impressora (LPT1 por omissão)"))
        ->check(CLI::IsMember({"LPT1", "LPT2", "COM1", "COM2"}));
    c.add_option("--rede", o.rede, utf8(u8"Caminho da impressora de rede (opção \"Rede\")"));
    c.add_option("--serial", o.serial, utf8(u8"Porta serial: VELOCIDADE,PARIDADE,DADOS,PARADA"))
        ->check(CLI::Validator(
            [](std::string& v) -> std::string {
                return partesSerial(v).size() == 4 ? ""
                                                   : "esperado BAUD,PARIDADE,DADOS,PARADA: " + v;
            },
            "BAUD,PARIDADE,DADOS,PARADA"));
}

int aplicarOpcoesImpressora(JanelaPrincipal& j, const OpcoesImpressora& o) {
    for (auto passo : {escolherImpressora, escolherPorta})
        if (const int r = passo(j, o); r != kOk) return r;
    return kOk;
}

int statusImpressao(const Aplicacao& app) {
    switch (app.ultimaImpressao()) {
        case DesfechoImpressao::Impressa:
        case DesfechoImpressao::SemRotina:
            return kOk;
        case DesfechoImpressao::Recusada:
        case DesfechoImpressao::Falhou:
        case DesfechoImpressao::Interrompida:
        case DesfechoImpressao::NadaImpresso:
            break;
    }
    return kFalha;
}

}  // namespace etiquetas::cli
