#include "config/AtualizarConfiguracao.h"

#include <cmath>
#include <limits>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"

namespace etiquetas {

namespace {

namespace fs = std::filesystem;

std::string sufixoDaImpressora(int tipoImpressora) {
    switch (tipoImpressora) {
        case 1:
            return "Zebra";
        case 0:
        case 2:
        case 3:
            return "Datamax";
        default:
            return "";
    }
}

// The stored text as a whole number of type T (rounded as typed), or
// nothing when it is no number or does not fit.
template <typename T>
std::optional<T> numeroArmazenado(const std::string& texto) {
    const auto valor = valorNumerico(texto);
    if (!valor) return std::nullopt;
    const double inteiro = std::round(*valor);
    if (inteiro < static_cast<double>(std::numeric_limits<T>::min()) ||
        inteiro > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(inteiro);
}

template <typename T>
void carregarNumero(const PastasAplicacao& pastas, const std::string& secao, const char* chave,
                    T& propriedade) {
    if (const auto valor = numeroArmazenado<T>(LerArquivoIni(pastas, secao, chave)))
        propriedade = *valor;
}

void carregarTexto(const PastasAplicacao& pastas, const std::string& secao, const char* chave,
                   std::string& propriedade) {
    auto valor = LerArquivoIni(pastas, secao, chave);
    if (!valor.empty()) propriedade = std::move(valor);
}

}  // namespace

std::string AtualizarConfiguracao::NomeSecao() const {
    std::string secao = RaizSecao;
    if (LayoutNovo) secao += "_NOVO";
    return secao + sufixoDaImpressora(TipoImpressora);
}

void AtualizarConfiguracao::Carregar(const PastasAplicacao& pastas) {
    const std::string secao = NomeSecao();
    carregarNumero(pastas, secao, "Repeticao", Repeticao);
    carregarNumero(pastas, secao, "Largura", LarguraEtiqueta);
    carregarNumero(pastas, secao, "MargemEsquerda", margemEsquerda);
    carregarNumero(pastas, secao, "MargemTopo", margemTopo);
    carregarTexto(pastas, secao, "FonteCodigo", CodigoFonte);
    carregarTexto(pastas, secao, "FonteNome", NomeFonte);
    CmdIniciar = LerArquivoIni(pastas, secao, "CmdIniciar");
    carregarPortaSerial(pastas);
}

void AtualizarConfiguracao::carregarPortaSerial(const PastasAplicacao& pastas) {
    Serial serial;
    serial.porta = LerArquivoIni(pastas, kSecaoPortaSerial, "Porta");
    carregarNumero(pastas, kSecaoPortaSerial, "BaudeRate", serial.BaudeRate);
    carregarNumero(pastas, kSecaoPortaSerial, "StopBit", serial.StopBit);
    carregarNumero(pastas, kSecaoPortaSerial, "DataBit", serial.DataBit);
    carregarNumero(pastas, kSecaoPortaSerial, "Paridade", serial.Paridade);
    PortaSerial = serial;
}

bool AtualizarConfiguracao::ValidarParametros() {
    erro_.clear();
    if (Repeticao < 1)
        erro_ = "Repetição deverá ser maior que 0";
    else if (LarguraEtiqueta <= 20)
        erro_ = "Largura da etiqueta deverá ser maior que 20.";
    else if (CodigoFonte == "@" && NomeFonte.empty())
        erro_ = "Informe o nome da fonte.";
    return erro_.empty();
}

Gravacao AtualizarConfiguracao::Configurar(const PastasAplicacao& pastas) {
    if (!ValidarParametros()) return Gravacao::Recusada;
    bool gravou = gravarParametros(pastas);
    if (PortaSerial) gravou = gravarPortaSerial(pastas) && gravou;
    return gravou ? Gravacao::Gravada : Gravacao::GravadaComErro;
}

bool AtualizarConfiguracao::gravarParametros(const PastasAplicacao& pastas) const {
    const std::string secao = NomeSecao();
    bool ok = GravarArquivoIni(pastas, secao, "Repeticao", formatarInteiro(Repeticao, "0000"));
    ok = GravarArquivoIni(pastas, secao, "Largura", formatarInteiro(LarguraEtiqueta, "0000")) && ok;
    ok = GravarArquivoIni(pastas, secao, "MargemEsquerda",
                          formatarInteiro(margemEsquerda, "0000")) &&
         ok;
    ok = GravarArquivoIni(pastas, secao, "MargemTopo", formatarInteiro(margemTopo, "0000")) && ok;
    ok = GravarArquivoIni(pastas, secao, "FonteCodigo", CodigoFonte) && ok;
    ok = GravarArquivoIni(pastas, secao, "FonteNome", NomeFonte) && ok;
    ok = GravarArquivoIni(pastas, secao, "CmdIniciar", CmdIniciar) && ok;
    return ok;
}

bool AtualizarConfiguracao::gravarPortaSerial(const PastasAplicacao& pastas) const {
    const Serial& s = *PortaSerial;
    bool ok = GravarArquivoIni(pastas, kSecaoPortaSerial, "Porta", s.porta);
    ok =
        GravarArquivoIni(pastas, kSecaoPortaSerial, "BaudeRate", std::to_string(s.BaudeRate)) && ok;
    ok = GravarArquivoIni(pastas, kSecaoPortaSerial, "StopBit", std::to_string(s.StopBit)) && ok;
    ok = GravarArquivoIni(pastas, kSecaoPortaSerial, "DataBit", std::to_string(s.DataBit)) && ok;
    ok = GravarArquivoIni(pastas, kSecaoPortaSerial, "Paridade", std::to_string(s.Paridade)) && ok;
    return ok;
}

bool AtualizarConfiguracao::Restaurar(const PastasAplicacao& pastas) {
    erro_.clear();
    const fs::path original = caminhoNaPasta(pastas.dados, kArquivoLayoutOriginal);
    std::error_code estado;
    if (!fs::is_regular_file(original, estado)) {
        erro_ =
            "Não foi encontrada a cópia original do arquivo de configuração "
            "(QuelmonteEtiqueta.original.ini). Nada foi alterado.";
        return false;
    }
    const std::string secao = NomeSecao();
    bool ok = true;
    for (const char* chave : {"Repeticao", "Largura", "MargemEsquerda", "MargemTopo", "FonteCodigo",
                              "FonteNome", "CmdIniciar"})
        ok = GravarArquivoIni(pastas, secao, chave, lerChaveIni(original, secao, chave)) && ok;
    if (!ok)
        erro_ =
            "Não foi possível gravar a restauração no arquivo de configuração "
            "(QuelmonteEtiqueta.ini).";
    return ok;
}

}  // namespace etiquetas
