// Settings the window keeps for the user besides the printer choice: where
// the layout dialog opens and the folder the file dialog opens in.

#include <algorithm>
#include <cctype>

#include "app/Aplicacao.h"
#include "app/ListasImpressoras.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "orderfile/Xml.h"
#include "render/FamiliasEtiqueta.h"
#include "render/VolumeIlpn.h"

namespace etiquetas {

namespace {

constexpr const char* kSecaoPastas = "Pastas";
constexpr const char* kChavePastaPedidos = "UltimaPastaPedidos";
constexpr const char* kSecaoColunas = "LargurasColunas";
constexpr int kMaiorLarguraColuna = 4000;

bool pastaExiste(const std::string& pasta) {
    std::error_code erro;
    return !pasta.empty() && std::filesystem::is_directory(caminhoDoTexto(pasta), erro);
}

}  // namespace

// The maker is the first word of the printer line: "ZEBRA,2,ZPL" of the
// table, or "Zebra - ZPL" of the list a missing table leaves.
bool impressoraZebra(const std::string& linha) {
    const std::string texto = aparar(linha);
    const auto fim = std::find_if_not(texto.begin(), texto.end(),
                                      [](unsigned char c) { return std::isalpha(c); });
    return maiusculas(std::string_view(texto.begin(), fim)) == "ZEBRA";
}

void Aplicacao::cmdConfiguracao() {
    if (mostrarDialogoConfiguracao) mostrarDialogoConfiguracao();
}

// The label type is the loaded file's, when the dialog offers it. ILPN
// labels take their values from the order file: no type of the dialog
// shapes them, and the standard volume's picture would say otherwise.
DialogoConfiguracao::Escolha Aplicacao::escolhaConfiguracao() const {
    const auto& j = janela_;
    DialogoConfiguracao::Escolha escolha;
    if (impressoraZebra(j.cmbImpressora.texto())) escolha.tipoImpressora = 1;
    if (j.tipoArquivo() != 0) {
        escolha.tipoEtiqueta = j.TipoEtiquetaPedido;
        escolha.layoutNovo = j.LayoutNovoArquivo;
    }
    const auto* familia = familiaEtiqueta(
        j.TipoEtiquetaPedido, varianteDoTexto(j.frmTipo.visivel(), j.cbvTipoEtiq.texto()));
    if (j.tipoArquivo() != 0 && familia && familia->rotina == ImprimirVolumeIlpn)
        escolha.semLayout = "As etiquetas ILPN não usam estes parâmetros.";
    return escolha;
}

std::string Aplicacao::pastaInicialDosPedidos() const {
    const std::string salva = aparar(LerArquivoConfig(pastas(), kSecaoPastas, kChavePastaPedidos));
    // The first time, and after the folder went away: the application
    // folder, where the sample and test files are.
    return pastaExiste(salva) ? salva : textoDoCaminho(pastas().dados);
}

// The settings file is Windows-1252: a folder whose name does not fit it is
// not remembered rather than remembered wrong.
void Aplicacao::lembrarPastaDosPedidos(const std::filesystem::path& arquivoEscolhido) {
    const auto pasta = arquivoEscolhido.parent_path();
    const std::string texto = textoDoCaminho(pasta);
    if (caminhoDoTexto(texto) == pasta && pastaExiste(texto))
        GravarArquivoConfig(pastas(), kSecaoPastas, kChavePastaPedidos, texto);
}

// "0,120,0,...": a width a column at a time. Anything that is not a sane
// width reads as the default, so a hand-edited file cannot hide a column.
std::vector<int> Aplicacao::largurasColunas(const std::string& grade) const {
    std::vector<int> larguras;
    const std::string texto = LerArquivoConfig(pastas(), kSecaoColunas, grade);
    if (texto.empty()) return larguras;
    std::size_t inicio = 0;
    for (;;) {
        const std::size_t fim = texto.find(',', inicio);
        const auto n = valorInteiro(aparar(texto.substr(inicio, fim - inicio)));
        larguras.push_back(n && *n > 0 && *n <= kMaiorLarguraColuna ? static_cast<int>(*n) : 0);
        if (fim == std::string::npos) return larguras;
        inicio = fim + 1;
    }
}

void Aplicacao::lembrarLargurasColunas(const std::string& grade, const std::vector<int>& larguras) {
    std::string texto;
    for (std::size_t i = 0; i < larguras.size(); ++i)
        texto += (i ? "," : "") + std::to_string(larguras[i]);
    GravarArquivoConfig(pastas(), kSecaoColunas, grade, texto);
}

}  // namespace etiquetas
