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
    arquivo.carga = tipo == kArquivoPreco
                        ? CarregarPedidosPreco(*documento, digesto, aviso, &c.listaPedidos)
                        : CarregarPedidosVolume(*documento, digesto, aviso, &c.listaPedidos);
    r.contagem.listaPedidos.clear();  // nodes of a document that may go
    if (!arquivo.carga.erro.empty()) {
        sessao.mensagem(arquivo.carga.erro, "Erro !", Icone::Critico);
        return recusar();
    }
    arquivo.tipoArquivo = tipo;
    arquivo.documento = std::move(documento);
    return arquivo;
}

void encerrarPorVersao(SessaoImpressao& sessao) {
    sessao.mensagem(kMensagemVersao, "", Icone::Nenhum, Botoes::Ok);
    sessao.pessoa().encerrarAplicacao();
}

}  // namespace etiquetas
