#include "output/PreCargaZebra.h"

#include <cstddef>

namespace etiquetas {

namespace recursos {
extern const unsigned char kGraficoTesouras[];
extern const std::size_t kGraficoTesourasTamanho;
extern const unsigned char kFonteArial[];
extern const std::size_t kFonteArialTamanho;
}  // namespace recursos

namespace {

constexpr const char* kSpool = "SpoolEtq.PRN";
constexpr std::string_view kApagarGrafico = "^XA\r\n^IDR:TESOURAS\r\n^XZ";

std::string_view comoTexto(const unsigned char* dados, std::size_t tamanho) {
    return {reinterpret_cast<const char*>(dados), tamanho};
}

void enviar(SaidaTrabalhos& saida, TipoTrabalho tipo, std::string_view texto) {
    Trabalho trabalho{tipo, kSpool, std::string(texto), 0, {}};
    trabalho.texto += "\r\n";
    saida.enviar(trabalho);
}

}  // namespace

std::string_view RecursoGraficoZebra() {
    return comoTexto(recursos::kGraficoTesouras, recursos::kGraficoTesourasTamanho);
}

std::string_view RecursoFonteZebra() {
    return comoTexto(recursos::kFonteArial, recursos::kFonteArialTamanho);
}

void EnviarGraficoZebra(SaidaTrabalhos& saida) {
    const std::string_view grafico = RecursoGraficoZebra();
    enviar(saida, TipoTrabalho::Grafico, grafico.substr(0, grafico.size() - 1));
}

void EnviarFonteZebra(SaidaTrabalhos& saida) {
    enviar(saida, TipoTrabalho::Fonte, RecursoFonteZebra());
}

void ApagarGraficoZebra(SaidaTrabalhos& saida) {
    enviar(saida, TipoTrabalho::Exclusao, kApagarGrafico);
}

}  // namespace etiquetas
