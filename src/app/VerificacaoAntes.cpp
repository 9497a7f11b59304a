#include "app/VerificacaoAntes.h"

#include <algorithm>
#include <functional>
#include <pugixml.hpp>
#include <string_view>

#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "orderfile/Xml.h"
#include "render/FamiliasEtiqueta.h"
#include "render/MotorTemplate.h"
#include "resolucao/Escala.h"

namespace etiquetas {

namespace {

// The templates a run fills, read as the routines read them; one that cannot
// be read is the run's own failure to report.
ModelosDaExecucao modelosDaExecucao(const PastasAplicacao& pastas, const FamiliaEtiqueta& familia,
                                    const ParametrosImpressao& p) {
    const auto lido = [&](const std::string& nome) {
        try {
            return ModeloVerificado{nome, lerTemplate(pastas.dados, nome)};
        } catch (const std::exception&) {
            return ModeloVerificado{nome, {}};
        }
    };
    return {
        lido(nomeTemplate(familia, p.layoutNovo, p.linguagem)),
        lido(nomeSeparador(familia, p.linguagem)),
        p.linguagem == Linguagem::DataMax ? lido(kArquivoConfiguracaoDatamax) : ModeloVerificado{}};
}

// "39,99", "1.234,50", "12": digits and separators; an empty price is the
// layout's choice (labels without price).
bool precoNumerico(const std::string& texto) {
    const std::string t = aparar(texto);
    return t.empty() || (t.find_first_not_of("0123456789.,") == std::string::npos &&
                         t.find_first_of("0123456789") != std::string::npos);
}

void conferirPrecos(const PedidoImpressao& pedido, VerificacaoTrabalhos& v) {
    if (!pedido.linhas || pedido.tipoArquivo != kArquivoPreco) return;
    for (int l = 1; l <= pedido.linhas->linhas(); ++l) {
        if (!pedido.linhas->marcada(l)) continue;
        const LinhaPreco linha(*pedido.linhas, l);
        if (precoNumerico(linha[CampoPreco::PrecoMaterial])) continue;
        v.acrescentar({Gravidade::Erro, 0,
                       OrigemTrabalho{l, linha[CampoPreco::Pedido], linha[CampoPreco::Item],
                                      linha[CampoPreco::Variante]},
                       false, "preço \"" + linha[CampoPreco::PrecoMaterial] + "\"",
                       "o preço não é um número", 0, ""});
    }
}

// The rows as the check reads them: a price row's range cut to its first
// unit, since the labels of one row differ only in their numbers (of the
// same width). The rest of the grid reads through.
class PrimeiraUnidadeDeCadaLinha : public LeitorGrade {
  public:
    explicit PrimeiraUnidadeDeCadaLinha(const LeitorGrade& g)
        : g_(g), finais_(static_cast<std::size_t>(std::max(0, g.linhas())) + 1) {}
    int linhas() const override { return g_.linhas(); }
    int colunas() const override { return g_.colunas(); }
    int linhaNaGrade(int linha) const override { return g_.linhaNaGrade(linha); }
    const std::string& texto(int linha, int c) const override {
        if (c != coluna(CampoPreco::SequenciaFinal) || linha < 1 || linha > g_.linhas())
            return g_.texto(linha, c);
        std::string& final = finais_[static_cast<std::size_t>(linha)];
        if (final.empty()) final = finalDaPrimeiraUnidade(linha);
        return final;
    }

  private:
    std::string finalDaPrimeiraUnidade(int linha) const {
        const std::string& final = g_.texto(linha, coluna(CampoPreco::SequenciaFinal));
        const auto inicial = valorInteiro(g_.texto(linha, coluna(CampoPreco::SequenciaInicial)));
        const auto ultima = valorInteiro(final);
        if (!inicial || !ultima || *ultima <= *inicial + 1) return final;
        return std::to_string(*inicial + 1);
    }
    const LeitorGrade& g_;
    mutable std::vector<std::string> finais_;
};

// Only a value with a token's delimiter in it can hold one; a large file has
// millions of values and nearly none has.
bool temDelimitador(const char* texto) {
    for (; *texto; ++texto)
        if (*texto == ':' || *texto == '%' || *texto == '#') return true;
    return false;
}

void lerTextoDoPedido(const pugi::xml_document& documento,
                      const std::function<void(std::string_view)>& texto) {
    const auto ler = [&texto](const char* valor) {
        if (temDelimitador(valor)) texto(valor);
    };
    paraCadaDescendente(documento, [&ler](const pugi::xml_node& no) {
        if (no.type() == pugi::node_pcdata || no.type() == pugi::node_cdata) ler(no.value());
        for (const auto& atributo : no.attributes()) ler(atributo.value());
    });
}

std::string contagem(long long n, const char* singular, const char* plural) {
    return std::to_string(n) + " " + (n == 1 ? singular : plural);
}

// The check reads the first unit of each price row only.
std::optional<ResultadoVerificacao> verificarFamilia(SessaoImpressao& sessao,
                                                     const FamiliaEtiqueta& familia,
                                                     const PedidoImpressao& pedido,
                                                     Acompanhamento& a,
                                                     std::optional<FalhaRotina>& falha) {
    const auto& p = pedido.parametros;
    auto modelos = modelosDaExecucao(sessao.pastas(), familia, p);
    const bool comPreco = modelos.etiqueta.texto.find(":: Preco ::") != std::string::npos ||
                          modelos.separador.texto.find(":: Preco ::") != std::string::npos;
    const bool volume = familia.arquivo == ArquivoFamilia::Volume;
    VerificacaoTrabalhos v(std::move(modelos), volume, pontosPorMilimetro(p.resolucao));
    v.interrupcao([&a] { return a.cancelado(); });
    if (pedido.documento)
        v.textoDoPedido([documento = pedido.documento](const auto& texto) {
            lerTextoDoPedido(*documento, texto);
        });
    PedidoImpressao resumido = pedido;
    std::optional<PrimeiraUnidadeDeCadaLinha> primeiras;
    if (pedido.linhas && pedido.tipoArquivo == kArquivoPreco)
        resumido.linhas = &primeiras.emplace(*pedido.linhas);
    const auto avisoDeResolucao = [&](const AvisoConversao& aviso, const Trabalho& t,
                                      int etiqueta) {
        v.acrescentar({Gravidade::Aviso, etiqueta,
                       t.origens.empty() ? std::nullopt : std::optional(t.origens.front()), volume,
                       aviso.campo, aviso.problema, 0, ""});
    };
    const ResultadoImpressao resultado =
        sessao.rodarSemEfeito(familia, resumido, v, a, avisoDeResolucao);
    a.mostrarStatus("");
    if (resultado.interrompida) return std::nullopt;
    if (resultado.falha) {
        falha = resultado.falha;
        return std::nullopt;
    }
    v.terminar();
    if (comPreco) conferirPrecos(pedido, v);
    ResultadoVerificacao r{v.achados(), v.erros(), v.avisos(), v.omitidos()};
    for (auto& achado : r.achados)
        if (achado.origem && pedido.linhas)
            achado.origem->linha = pedido.linhas->linhaNaGrade(achado.origem->linha);
    return r;
}

// A routine that stops the check stops the run too, after the labels before
// it went out: an error of the check, so that nothing goes out unless the
// user prints anyway.
ResultadoVerificacao falhaComoAchado(const FalhaRotina& falha, const PedidoImpressao& pedido) {
    Achado achado;
    achado.problema = falha.descricao;
    if (falha.linha > 0) {
        OrigemTrabalho& origem = achado.origem.emplace();
        origem.linha = pedido.linhas ? pedido.linhas->linhaNaGrade(falha.linha) : falha.linha;
        origem.pedido = falha.pedido;
        origem.item = falha.item;
    }
    return {{achado}, 1, 0, 0};
}

}  // namespace

std::string resumoVerificacao(const ResultadoVerificacao& r) {
    return "A verificação das etiquetas encontrou " + contagem(r.erros, "erro", "erros") + " e " +
           contagem(r.avisos, "aviso", "avisos") + ".";
}

std::string linhaAchado(const Achado& a) {
    return (a.gravidade == Gravidade::Erro ? "ERRO " : "AVISO ") + textoAchado(a);
}

std::string textoVerificacao(const ResultadoVerificacao& r, std::size_t linhas) {
    std::string texto = resumoVerificacao(r);
    const std::size_t mostradas = std::min(r.achados.size(), linhas);
    for (std::size_t i = 0; i < mostradas; ++i) texto += "\n" + linhaAchado(r.achados[i]);
    const long long resto = r.erros + r.avisos - static_cast<long long>(mostradas);
    if (resto > 0) texto += "\n... e mais " + std::to_string(resto);
    return texto;
}

std::optional<ResultadoVerificacao> verificarPedido(SessaoImpressao& sessao,
                                                    const PedidoImpressao& pedido,
                                                    Acompanhamento& a) {
    if (!sessao.impressoraCadastrada() || sessao.tipoSemEtiquetas(pedido)) return std::nullopt;
    const SessaoImpressao::Execucao execucao(sessao, a);
    if (!sessao.conferirSelecao(pedido, a) || !sessao.conferirVariante(pedido, a))
        return std::nullopt;
    const auto* familia = familiaEtiqueta(pedido.tipoEtiqueta, pedido.parametros.variante);
    if (sessao.conferirFamilia(familia, pedido.tipoEtiqueta) != DesfechoImpressao::Impressa)
        return std::nullopt;
    std::optional<FalhaRotina> falha;
    auto r = verificarFamilia(sessao, *familia, pedido, a, falha);
    if (falha) sessao.mensagem(mensagemFalha(*falha), "Erro !", Icone::Critico);
    return r;
}

bool aprovadoNaVerificacao(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                           const FamiliaEtiqueta& familia, Acompanhamento& a) {
    if (!verificacaoDisponivel()) return true;
    std::optional<FalhaRotina> falha;
    std::optional<ResultadoVerificacao> r;
    {
        // Locked while it reads the rows, as the run is; open again for the answer.
        const SessaoImpressao::Execucao execucao(sessao, a);
        r = verificarFamilia(sessao, familia, pedido, a, falha);
    }
    if (falha) r = falhaComoAchado(*falha, pedido);
    return !r || r->achados.empty() || a.prosseguirApesarDe(*r);
}

}  // namespace etiquetas
