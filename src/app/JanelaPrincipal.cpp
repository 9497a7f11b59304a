#include "app/JanelaPrincipal.h"

#include <pugixml.hpp>
#include <vector>

#include "app/ColunasGrades.h"
#include "comum/Texto.h"

namespace etiquetas {

JanelaPrincipal::JanelaPrincipal()
    : sprPedidos("sprPedidos", colunasPedidosPreco()), vaVolume("vaVolume", colunasVolume()) {
    cbvTipoEtiq.dica = "Selecione o tipo de etiqueta";
    // Both boxes follow the lists beside them.
    txtvelocidade.dica =
        "Velocidade enviada à impressora: o código que a tabela de conversão dá à velocidade "
        "escolhida";
    txtTemperatura.dica = "Temperatura enviada à impressora";
    // Shown only once a file says so: the export button when the file allows
    // it, the label total and the progress frame while and after loading.
    for (Controle* c : std::vector<Controle*>{&cmdGerarTxt, &frameBarra, &lblDescImp,
                                              &lblTotalEtiquetas, &cmdCancelar})
        c->definirVisivel(false);
    ligarOpcoesExclusivas();
}

JanelaPrincipal::~JanelaPrincipal() = default;

void JanelaPrincipal::focar(const std::string& nomeControle) {
    foco_ = nomeControle;
    focoMudou.emitir();
}

void JanelaPrincipal::ligarOpcoesExclusivas() {
    const auto grupo = [](std::vector<Opcao*> opcoes) {
        for (Opcao* o : opcoes)
            o->mudou.conectar([o, opcoes] {
                if (!o->marcada()) return;
                for (Opcao* outra : opcoes)
                    if (outra != o) outra->definirMarcada(false);
            });
    };
    grupo({&optLocal, &optRede});
    grupo({&Option1, &Option2, &Option3, &Option4});
}

int JanelaPrincipal::tipoArquivo() const {
    const auto tipo = valorInteiro(lblTipoArquivo.tag());
    return tipo ? static_cast<int>(*tipo) : 0;
}

Grade* JanelaPrincipal::gradeDoArquivo() {
    switch (tipoArquivo()) {
        case 1:
            return &sprPedidos;
        case 2:
            return &vaVolume;
        default:
            return nullptr;
    }
}

}  // namespace etiquetas
