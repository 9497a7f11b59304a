#include "app/AberturaPedidos.h"

#include <pugixml.hpp>
#include <tuple>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "orderfile/LeituraEmPartes.h"
#include "orderfile/Md5.h"
#include "orderfile/Xml.h"
#include "render/FamiliasEtiqueta.h"

namespace etiquetas {

namespace {

constexpr const char* kMensagemVersao =
    "Versão desatualizada para efetuar a impressão deste arquivo ! Acesse o Portal de "
    "Fornecedores e efetue o DOWNLOAD da nova versão do aplicativo de Etiquetas."
    "\rO Programa será encerrado !\r\n";

ResultadoCarga carregarPedidos(short tipo, const pugi::xml_document& documento,
                               const std::string& digesto, const AvisoProgresso& aviso = {},
                               const std::vector<pugi::xml_node>* pedidos = nullptr) {
    return tipo == kArquivoPreco ? CarregarPedidosPreco(documento, digesto, aviso, pedidos)
                                 : CarregarPedidosVolume(documento, digesto, aviso, pedidos);
}

// The kind, the caption of its label type and the counts of a recognised file.
void anotarReconhecimento(ArquivoAberto& arquivo, const Reconhecimento& r) {
    arquivo.legendaTipo = legendaTipoEtiqueta(
        r.tipoArquivo == kArquivoPreco ? ArquivoFamilia::Preco : ArquivoFamilia::Volume,
        r.codigoTipo);
    const auto& c = r.contagem;
    std::tie(arquivo.pedidos, arquivo.itens, arquivo.variantes, arquivo.lojas) =
        std::tuple(c.pedidos, c.itens, c.variantes, c.lojas);
}

// Stops the whole-file load of an open that was interrupted.
struct LeituraInterrompida {};

void entregarLinhas(CargaEmPartes& carga, short tipo, const AcompanhamentoLeitura& leitura) {
    LinhasLidas lidas;
    lidas.tipoArquivo = tipo;
    lidas.linhas = carga.retirarLinhas(lidas.celulas);
    if (lidas.linhas > 0 && leitura.linhas) leitura.linhas(std::move(lidas));
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
    anotarReconhecimento(arquivo, r);
    const auto& c = r.contagem;
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

std::optional<ArquivoAberto> abrirArquivoPedidosEmPartes(SessaoImpressao& sessao,
                                                         const std::filesystem::path& caminho,
                                                         const AcompanhamentoLeitura& leitura) {
    const auto interrompida = [&] { return leitura.interrompida && leitura.interrompida(); };
    const auto inteiro = [&]() -> std::optional<ArquivoAberto> {
        try {
            return abrirArquivoPedidos(sessao, caminho, {}, [&](long) {
                if (interrompida()) throw LeituraInterrompida{};
            });
        } catch (const LeituraInterrompida&) {
            return std::nullopt;
        }
    };
    if (conferirArquivo(caminho, kLimitePedidos) != FalhaLeitura::Nenhuma) return inteiro();
    LeituraEmPartes partes(caminho);
    if (!partes.proxima()) return inteiro();
    const short tipo = IdentificarTipoArquivo(partes.documento().get());
    if (tipo == kArquivoNaoReconhecido) return inteiro();
    CargaEmPartes carga(tipo, *partes.documento(), digestoDaVersao(sessao.maquina().versao()));
    while (partes.proxima()) {
        if (interrompida()) return std::nullopt;
        if (!carga.continuar()) return inteiro();
        entregarLinhas(carga, tipo, leitura);
        if (leitura.progresso) leitura.progresso(partes.lidos(), partes.tamanho());
    }
    if (!partes.terminou()) return inteiro();
    // The whole file's checks, on the document the pieces made.
    const Reconhecimento r = reconhecerArquivo(*partes.documento());
    if (!r.valido || !r.erro.empty() || r.contagem.listaPedidos != carga.pedidos())
        return inteiro();
    ArquivoAberto arquivo;
    arquivo.caminho = caminho;
    anotarReconhecimento(arquivo, r);
    arquivo.carga = carga.concluir();
    arquivo.linhasEntregues = true;
    arquivo.tipoArquivo = tipo;
    arquivo.documento = partes.documento();
    return arquivo;
}

void encerrarPorVersao(SessaoImpressao& sessao) {
    sessao.mensagem(kMensagemVersao, "", Icone::Nenhum, Botoes::Ok);
    sessao.pessoa().encerrarAplicacao();
}

}  // namespace etiquetas
