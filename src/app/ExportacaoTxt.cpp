#include "app/Aplicacao.h"
#include "comum/Texto.h"
#include "export/ArquivoSequencial.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

// The grid whose ticked rows the label type exports; none without export.
const LeitorGrade* gradeDoTipo(JanelaPrincipal& janela, int tipo) {
    const FamiliaEtiqueta* familia = familiaDoTipo(tipo);
    if (!familia || familia->registroTxt == RegistroTxt::Nenhum) return nullptr;
    if (familia->arquivo == ArquivoFamilia::Preco) return &janela.sprPedidos;
    return &janela.vaVolume;
}

}  // namespace

void Aplicacao::cmdGerarTxt() {
    GerarArquivoTxt();
}

std::optional<std::filesystem::path> Aplicacao::GerarArquivoTxt() {
    if (!VerificarPedidoSelecionado()) return std::nullopt;
    const int tipo = janela_.TipoEtiquetaPedido;
    const LeitorGrade* grade = gradeDoTipo(janela_, tipo);
    if (!grade) {
        plataforma_.cursorOcupado(false);
        return std::nullopt;
    }
    ArquivoSequencial arquivo(pasta_);
    arquivo.definirGrid(*grade);
    const bool gerado = arquivo.Gerar(tipo, plataforma_.agora());
    plataforma_.cursorOcupado(false);
    if (!gerado) {
        mensagem(arquivo.Erro(), "Gerar TXT", Icone::Critico);
        return std::nullopt;
    }
    mensagem("Arquivo gerado com sucesso!\nNome: " + utf8ParaCp1252(arquivo.NomeTXT().string()));
    return arquivo.NomeTXT();
}

}  // namespace etiquetas
