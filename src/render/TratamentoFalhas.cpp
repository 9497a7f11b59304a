#include "render/TratamentoFalhas.h"

#include <new>
#include <string>

namespace etiquetas {

namespace {
void relatar(Plataforma& plataforma, const std::string& descricao, int passo) {
    plataforma.mensagem(descricao + "\n" + "Linha: " + std::to_string(passo), "Erro !",
                        Icone::Critico, Botoes::Ok);
}
}  // namespace

bool executarRotina(Plataforma& plataforma, const std::function<void(int& passo)>& corpo) {
    int passo = 0;
    try {
        corpo(passo);
        return true;
    } catch (const AplicacaoEncerrada&) {
        throw;  // the application is ending: not a failure of this run
    } catch (const std::bad_alloc&) {
        relatar(plataforma, "Memória insuficiente.", passo);
    } catch (const std::exception& e) {
        relatar(plataforma, e.what(), passo);
    }
    return false;
}

}  // namespace etiquetas
