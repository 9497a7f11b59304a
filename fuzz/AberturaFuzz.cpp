// libFuzzer target over the open chain: parsing with the encodings, DTD
// refusal, recognition, the version gate and both loaders, then the window's
// open command and the grid commands on whatever loaded.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Aplicacao.h"
#include "orderfile/CargaPedidos.h"
#include "orderfile/Md5.h"
#include "orderfile/Reconhecimento.h"
#include "orderfile/Xml.h"

using namespace etiquetas;

namespace {

struct Encerrada {};

// A platform without a window and without Qt: boxes are answered, the end of
// the application is an exception the target catches.
class PlataformaFuzz : public Plataforma {
  public:
    Resposta mensagem(const std::string&, const std::string&, Icone, Botoes b) override {
        return b == Botoes::SimNao ? Resposta::Sim : Resposta::Ok;
    }
    std::filesystem::path escolherArquivo(const std::string&, const std::string&,
                                          const std::string&) override {
        return {};
    }
    void processarEventos() override {}
    void cursorOcupado(bool) override {}
    [[noreturn]] void encerrarAplicacao() override { throw Encerrada{}; }
    PortaSerial& portaSerial() override { std::abort(); }
    ResultadoProcesso executarEAguardar(const std::string&, const std::vector<std::string>&,
                                        std::chrono::milliseconds) override {
        return {};
    }
    ResultadoConexao conectar(const std::string&, int, std::chrono::milliseconds) override {
        return {nullptr, "sem rede"};
    }
    bool impressoraInstalada(const std::string&) override { return false; }
    ResultadoSpooler enviarAoSpooler(const std::string&, const std::string&, const std::string&,
                                     std::chrono::milliseconds) override {
        return {};
    }
    void pausar(std::chrono::milliseconds) override {}
    std::chrono::system_clock::time_point agora() const override { return {}; }
    Versao versao() const override { return kVersaoCompilada; }
};

// A folder of this process, removed when the fuzzer exits.
struct PastaTemporaria {
    std::filesystem::path caminho =
        std::filesystem::temp_directory_path() / ("etiquetas-fuzz-" + std::to_string(::getpid()));
    PastaTemporaria() { std::filesystem::create_directories(caminho); }
    ~PastaTemporaria() {
        std::error_code e;
        std::filesystem::remove_all(caminho, e);
    }
};

const std::filesystem::path& pasta() {
    static const PastaTemporaria p;
    return p.caminho;
}

// The loaders past the gate: the digest the file itself carries.
void carregarDireto(const pugi::xml_document& doc, const Reconhecimento& r) {
    if (!r.valido || r.contagem.listaPedidos.empty()) return;
    const std::string digesto = atributoNaPosicao(r.contagem.listaPedidos[0], 2).value_or("");
    if (r.tipoArquivo == kArquivoPreco)
        CarregarPedidosPreco(
            doc, digesto, [](long) {}, &r.contagem.listaPedidos);
    else
        CarregarPedidosVolume(doc, digesto, [](long) {});
}

void abrirNaJanela(const std::string& bytes) {
    const auto arquivo = pasta() / "pedido.xml";
    std::ofstream(arquivo, std::ios::binary) << bytes;
    PlataformaFuzz plataforma;
    Aplicacao app(plataforma, pasta());
    try {
        app.AbrirArquivoPedidos(arquivo.string());
        app.SelecionarTodasLinhas();
        app.VerificarPedidoSelecionado();
        app.janela().sprPedidos.editarPeloUsuario(1, 23, "5");
        app.janela().sprPedidos.editarPeloUsuario(1, 24, "x");
        app.janela().vaVolume.editarPeloUsuario(1, 10, "3");
        app.cmdAtualizaQtd();
        app.cmdDesmarcaTodos();
    } catch (const Encerrada&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string bytes(reinterpret_cast<const char*>(dados), tamanho);
    const auto doc = CarregarXMLDeBytes(bytes);
    const auto r = reconhecerArquivo(*doc);
    IdentificarTipoArquivo(doc.get());
    carregarDireto(*doc, r);
    if (doc->document_element()) selecionarNos(*doc, consultaLojaVolume("1", "'\"", "x"));
    abrirNaJanela(bytes);
    return 0;
}
