// Settings the window keeps for the user besides the printer choice: where
// the layout dialog opens and the folder the file dialog opens in.

#include <algorithm>
#include <cctype>

#include "app/Aplicacao.h"
#include "comum/Texto.h"
#include "config/ArquivosIni.h"
#include "orderfile/Xml.h"

namespace etiquetas {

namespace {

constexpr const char* kSecaoPastas = "Pastas";
constexpr const char* kChavePastaPedidos = "UltimaPastaPedidos";

std::string textoDoCaminho(const std::filesystem::path& caminho) {
    const std::u8string utf8 = caminho.u8string();
    return utf8ParaCp1252(std::string(utf8.begin(), utf8.end()));
}

bool pastaExiste(const std::string& pasta) {
    std::error_code erro;
    return !pasta.empty() && std::filesystem::is_directory(caminhoDoTexto(pasta), erro);
}

// The maker is the first word of the printer line: "ZEBRA,2,ZPL" of the
// table, or "Zebra - ZPL" of the list a missing table leaves.
bool impressoraZebra(const std::string& linha) {
    const std::string texto = aparar(linha);
    const auto fim = std::find_if_not(texto.begin(), texto.end(),
                                      [](unsigned char c) { return std::isalpha(c); });
    return maiusculas(std::string_view(texto.begin(), fim)) == "ZEBRA";
}

}  // namespace

void Aplicacao::cmdConfiguracao() {
    if (mostrarDialogoConfiguracao) mostrarDialogoConfiguracao();
}

// The label type is the loaded file's, when the dialog offers it.
DialogoConfiguracao::Escolha Aplicacao::escolhaConfiguracao() const {
    const auto& j = janela_;
    DialogoConfiguracao::Escolha escolha;
    if (impressoraZebra(j.cmbImpressora.texto())) escolha.tipoImpressora = 1;
    if (j.tipoArquivo() != 0) escolha.tipoEtiqueta = j.TipoEtiquetaPedido;
    return escolha;
}

std::string Aplicacao::pastaInicialDosPedidos() const {
    const std::string salva = aparar(LerArquivoConfig(pastas(), kSecaoPastas, kChavePastaPedidos));
    // The first time, and after the folder went away: the application
    // folder, where the sample and test files are.
    return pastaExiste(salva) ? salva : textoDoCaminho(pastas().dados);
}

void Aplicacao::lembrarPastaDosPedidos(const std::string& arquivoEscolhido) {
    const std::string pasta = textoDoCaminho(caminhoDoTexto(arquivoEscolhido).parent_path());
    if (pastaExiste(pasta)) GravarArquivoConfig(pastas(), kSecaoPastas, kChavePastaPedidos, pasta);
}

}  // namespace etiquetas
