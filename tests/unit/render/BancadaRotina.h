#pragma once

// A routine run against a throw-away folder, every job collected.

#include "ApoioImpressao.h"
#include "config/AtualizarConfiguracao.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas::teste {

struct BancadaRotina {
    PastaTemporaria pasta;
    ParametrosImpressao parametros = parametrosZebra();
    ProgressoGravado progresso;
    MemoriaImpressao memoria;
    ColetorTrabalhos saida;
    AtualizarConfiguracao cfg;
    ResultadoImpressao resultado;

    void datamax() {
        parametros.linguagem = Linguagem::DataMax;
        parametros.fabricante = "DATAMAX";
    }
    ExecucaoImpressao execucao(const Grade& grade, const std::string& modelo,
                               const std::string& separador = "") {
        return ExecucaoImpressao({parametros, cfg, pasta.caminho(), grade, "", modelo, separador,
                                  memoria, saida, progresso, nullptr});
    }
    void imprimir(RotinaFamilia rotina, const Grade& grade, const std::string& modelo,
                  const std::string& separador) {
        auto e = execucao(grade, modelo, separador);
        resultado = executarRotina(rotina, e);
    }
    const std::vector<Trabalho>& trabalhos() const { return saida.trabalhos; }
};

}  // namespace etiquetas::teste
