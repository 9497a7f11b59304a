// A build without the printer-language readers checks nothing and says so.

#include "verificacao/VerificacaoTrabalhos.h"

namespace etiquetas {

struct VerificacaoTrabalhos::Estado {
    std::vector<Achado> achados;
    long long erros = 0, avisos = 0;
};
struct VerificacaoTrabalhos::Fila {};

VerificacaoTrabalhos::VerificacaoTrabalhos(ModelosDaExecucao, bool, int)
    : e_(std::make_unique<Estado>()) {}
VerificacaoTrabalhos::~VerificacaoTrabalhos() = default;
void VerificacaoTrabalhos::textoDoPedido(std::string_view) {}
void VerificacaoTrabalhos::textoDoPedido(LeituraPedido) {}
void VerificacaoTrabalhos::interrupcao(std::function<bool()>) {}
void VerificacaoTrabalhos::enviar(const Trabalho&) {}
void VerificacaoTrabalhos::terminar() {}
const std::vector<Achado>& VerificacaoTrabalhos::achados() const {
    return e_->achados;
}
long long VerificacaoTrabalhos::erros() const {
    return e_->erros;
}
long long VerificacaoTrabalhos::avisos() const {
    return e_->avisos;
}
long long VerificacaoTrabalhos::omitidos() const {
    return 0;
}
void VerificacaoTrabalhos::acrescentar(Achado achado) {
    (achado.gravidade == Gravidade::Erro ? e_->erros : e_->avisos)++;
    e_->achados.push_back(std::move(achado));
}

bool verificacaoDisponivel() {
    return false;
}

}  // namespace etiquetas
