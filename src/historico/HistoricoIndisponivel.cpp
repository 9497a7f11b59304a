// A build without SQLite: the history says it is not there, and a print goes
// on only as a print without history would.

#include "historico/HistoricoImpressao.h"

namespace etiquetas {

namespace sqlite {
class Banco {};
class Comando {};
}  // namespace sqlite

bool historicoDisponivel() {
    return false;
}

HistoricoImpressao::HistoricoImpressao(const std::filesystem::path& arquivo, AberturaHistorico)
    : arquivo_(arquivo) {
    throw FalhaHistorico("O histórico de impressões não está disponível nesta versão do programa.");
}

HistoricoImpressao::~HistoricoImpressao() = default;

long long HistoricoImpressao::iniciarExecucao(const ExecucaoRegistrada&) {
    return 0;
}
std::vector<LinhaPedida> HistoricoImpressao::linhasPedidas(long long) {
    return {};
}
void HistoricoImpressao::registrarTrabalho(long long, int, const std::string&,
                                           const std::vector<OrigemRegistrada>&) {}
void HistoricoImpressao::concluirTrabalho(long long, int, DesfechoTrabalho) {}
void HistoricoImpressao::concluirExecucao(long long, DesfechoExecucao) {}
std::vector<ImpressaoAnterior> HistoricoImpressao::anteriores(const FaixaPedida&) {
    return {};
}
std::vector<std::vector<ImpressaoAnterior>> HistoricoImpressao::anteriores(
    const std::vector<FaixaPedida>& faixas) {
    return std::vector<std::vector<ImpressaoAnterior>>(faixas.size());
}
void HistoricoImpressao::percorrer(const FiltroHistorico&, long long, long long,
                                   const std::function<bool(const LinhaHistorico&)>&) {}
long long HistoricoImpressao::contar(const FiltroHistorico&) {
    return 0;
}
}  // namespace etiquetas
