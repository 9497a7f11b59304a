#include "app/AberturaPedidos.h"

#include <pugixml.hpp>
#include <tuple>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "orderfile/Md5.h"
#include "orderfile/Xml.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

constexpr const char* kMensagemVersao =
    "Versão desatualizada para efetuar a impressão deste arquivo ! Acesse o Portal de "
    "Fornecedores e efetue o DOWNLOAD da nova versão do aplicativo de Etiquetas."
    "\rO Programa será encerrado !\r\n";

// Past this much a file's start shows before the whole is read: about a
// thousand rows, read in a few hundredths of a second.
constexpr std::size_t kInicioMostrado = 1u << 20;

ResultadoCarga carregarPedidos(short tipo, const pugi::xml_document& documento,
                               const std::string& digesto, const AvisoProgresso& aviso = {},
                               const std::vector<pugi::xml_node>* pedidos = nullptr) {
    return tipo == kArquivoPreco ? CarregarPedidosPreco(documento, digesto, aviso, pedidos)
                                 : CarregarPedidosVolume(documento, digesto, aviso, pedidos);
}

}  // namespace

InformacoesArquivo informacoesArquivo(const ArquivoAberto& a) {
    const auto seisDigitos = [](long n) { return formatarInteiro(n, "000000"); };
    const bool preco = a.tipoArquivo == kArquivoPreco;
    InformacoesArquivo i;
    i.totalPedidos = seisDigitos(a.pedidos);
    i.rotuloItens = preco ? "Total de Itens :" : "Total de Lojas :";
    i.totalItens = seisDigitos(preco ? a.itens : a.lojas);
    i.totalVariantes = seisDigitos(preco ? a.variantes : 0);
    if (a.carga.total) {
        i.descricaoTotal =
            preco ? "Total de Etiquetas a Imprimir:" : "Total de Peças dos Volumes :";
        i.total = formatarInteiro(*a.carga.total, "00000000");
    }
    return i;
}

ArquivoAberto abrirArquivoPedidos(SessaoImpressao& sessao, const std::filesystem::path& caminho,
                                  const std::function<void(long)>& inicio,
                                  const AvisoProgresso& aviso) {
    Pessoa& pessoa = sessao.pessoa();
    ArquivoAberto arquivo;
    arquivo.caminho = caminho;
    const auto recusar = [&] {
        sessao.mensagem("Arquivo " + textoDoCaminho(caminho) +
                            " não é um arquivo válido para impressão de etiquetas Quelmonte !",
                        "Formato Não Reconhecido", Icone::Critico);
        pessoa.cursorOcupado(false);
        arquivo.tipoArquivo = kArquivoNaoReconhecido;
        return std::move(arquivo);
    };
    // A missing file keeps the recognition's own message.
    const auto& origem = caminho;
    if (const auto falha = conferirArquivo(origem, kLimitePedidos);
        falha != FalhaLeitura::Nenhuma && falha != FalhaLeitura::Ausente) {
        sessao.mensagem(mensagemFalhaLeitura(origem, falha, kLimitePedidos), "Erro !",
                        Icone::Critico);
        return recusar();
    }
    auto documento = CarregarXML(origem);
    Reconhecimento r = reconhecerArquivo(*documento);
    if (!r.erro.empty()) sessao.mensagem(r.erro, "Erro !", Icone::Critico);
    if (!r.valido) return recusar();
    arquivo.legendaTipo = legendaTipoEtiqueta(
        r.tipoArquivo == kArquivoPreco ? ArquivoFamilia::Preco : ArquivoFamilia::Volume,
        r.codigoTipo);
    const auto& c = r.contagem;
    std::tie(arquivo.pedidos, arquivo.itens, arquivo.variantes, arquivo.lojas) =
        std::tuple(c.pedidos, c.itens, c.variantes, c.lojas);
    const short tipo = IdentificarTipoArquivo(documento.get());
    const long maximo = c.pedidos + (tipo == kArquivoPreco ? c.itens + c.variantes : c.lojas);
    if (inicio) inicio(maximo);
    pessoa.cursorOcupado(true);
    const std::string digesto = digestoDaVersao(sessao.maquina().versao());
    arquivo.carga = carregarPedidos(tipo, *documento, digesto, aviso, &c.listaPedidos);
    r.contagem.listaPedidos.clear();  // nodes of a document that may go
    if (!arquivo.carga.erro.empty()) {
        sessao.mensagem(arquivo.carga.erro, "Erro !", Icone::Critico);
        return recusar();
    }
    arquivo.tipoArquivo = tipo;
    arquivo.documento = std::move(documento);
    return arquivo;
}

std::optional<ArquivoAberto> abrirInicioPedidos(SessaoImpressao& sessao,
                                                const std::filesystem::path& caminho) {
    std::error_code erro;
    const auto tamanho = std::filesystem::file_size(caminho, erro);
    if (erro || tamanho <= kInicioMostrado ||
        conferirArquivo(caminho, kLimitePedidos) != FalhaLeitura::Nenhuma)
        return std::nullopt;
    const auto documento = CarregarInicioXML(caminho, kInicioMostrado);
    const Reconhecimento r = reconhecerArquivo(*documento);
    if (!r.valido || !r.erro.empty()) return std::nullopt;
    ArquivoAberto inicio;
    inicio.caminho = caminho;
    const short tipo = IdentificarTipoArquivo(documento.get());
    inicio.carga = carregarPedidos(tipo, *documento, digestoDaVersao(sessao.maquina().versao()));
    if (!inicio.carga.erro.empty() || inicio.carga.pedidoVersaoRecusada) return std::nullopt;
    inicio.tipoArquivo = tipo;
    return inicio;
}

void encerrarPorVersao(SessaoImpressao& sessao) {
    sessao.mensagem(kMensagemVersao, "", Icone::Nenhum, Botoes::Ok);
    sessao.pessoa().encerrarAplicacao();
}

}  // namespace etiquetas
