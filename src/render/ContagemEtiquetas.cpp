#include "render/ContagemEtiquetas.h"

#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "comum/CamposGrade.h"
#include "comum/Texto.h"
#include "render/FalhaImpressao.h"
#include "render/RotinaPreco.h"

namespace etiquetas {

namespace {

constexpr long long kMaiorUnidade = std::numeric_limits<int>::max();

long long unidadesDe(long long n, long long tamanho) {
    return (n + tamanho - 1) / tamanho;
}

// The range as the routines read it; a cell they refuse stops the run.
std::optional<long long> sequenciasDaLinha(const LinhaPreco& linha) {
    try {
        return parteInteira(linha[CampoPreco::SequenciaFinal], "") -
               parteInteira(linha[CampoPreco::SequenciaInicial], "") + 1;
    } catch (const FalhaImpressao&) {
        return std::nullopt;
    }
}

std::optional<ContagemEtiquetas> contarPelaRegra(const FamiliaEtiqueta& familia,
                                                 const LeitorGrade& grade,
                                                 const ParametrosImpressao& parametros) {
    ContagemEtiquetas contagem;
    ChaveSeparador anterior{kSemSeparador, kSemSeparador};
    for (int l = 0; l <= grade.linhas(); ++l) {
        if (!grade.marcada(l)) continue;
        const LinhaPreco linha(grade, l);
        const auto n = sequenciasDaLinha(linha);
        // Units past 32 bits stop the run.
        if (!n || (familia.contagem != RegraContagem::Unidades && *n > kMaiorUnidade))
            return std::nullopt;
        if (parametros.separadorPorPedido) {
            auto chave = chaveSeparador(linha, familia.separadorPor);
            if (chave != anterior) ++contagem.etiquetas;
            anterior = std::move(chave);
        }
        contagem.etiquetas += etiquetasDaFaixa(familia.contagem, *n);
    }
    return contagem;
}

// The grid with every ticked row cut to at most `limite` sequences (price
// rows) or boxes (volume rows); `quantas` says how many a cut row really has.
class AmostraDaGrade : public LeitorGrade {
  public:
    AmostraDaGrade(const LeitorGrade& grade, ArquivoFamilia arquivo, long long limite)
        : grade_(grade), limite_(limite) {
        for (int l = 1; l <= grade.linhas(); ++l)
            if (grade.marcada(l)) cortar(l, arquivo);
    }
    int linhas() const override { return grade_.linhas(); }
    int colunas() const override { return grade_.colunas(); }
    const std::string& texto(int linha, int coluna) const override {
        const auto cortada = cortadas_.find({linha, coluna});
        return cortada == cortadas_.end() ? grade_.texto(linha, coluna) : cortada->second.texto;
    }
    // What a cut row asks for; none for a row read whole.
    std::optional<double> quantas(int linha) const {
        const auto c = cortadas_.lower_bound({linha, 0});
        if (c == cortadas_.end() || c->first.first != linha) return std::nullopt;
        return c->second.quantas;
    }
    bool cortada() const { return !cortadas_.empty(); }

  private:
    void cortar(int l, ArquivoFamilia arquivo) {
        if (arquivo == ArquivoFamilia::Preco) {
            const LinhaPreco linha(grade_, l);
            const auto primeira = valorNumerico(linha[CampoPreco::SequenciaInicial]);
            const auto ultima = valorNumerico(linha[CampoPreco::SequenciaFinal]);
            if (primeira && ultima)
                cortarEm(l, coluna(CampoPreco::SequenciaFinal), std::trunc(*primeira),
                         std::trunc(*ultima) - std::trunc(*primeira) + 1);
        } else if (const auto caixas = valorNumerico(LinhaVolume(grade_, l)[CampoVolume::Caixas])) {
            cortarEm(l, coluna(CampoVolume::Caixas), 1, std::trunc(*caixas));
        }
    }
    // `quantas` counted from `primeira`, kept to the sample's size.
    void cortarEm(int l, int c, double primeira, double quantas) {
        if (quantas <= static_cast<double>(limite_)) return;
        cortadas_[{l, c}] = {std::to_string(static_cast<long long>(primeira) + limite_ - 1),
                             quantas};
    }

    struct Corte {
        std::string texto;
        double quantas = 0;
    };
    const LeitorGrade& grade_;
    const long long limite_;
    std::map<std::pair<int, int>, Corte> cortadas_;
};

// Labels per grid row; a job of several rows (a Datamax batch) shares its
// labels by the numbers each row put in it. Separators and set-up belong to
// no row.
class EtiquetasPorLinha : public SaidaTrabalhos {
  public:
    void enviar(const Trabalho& t) override {
        long long numeros = 0;
        for (const auto& o : t.origens) numeros += o.ultima - o.primeira + 1;
        if (t.origens.empty() || numeros <= 0) {
            semLinha += t.etiquetas;
            return;
        }
        for (const auto& o : t.origens)
            porLinha[o.linha] += static_cast<double>(t.etiquetas) *
                                 static_cast<double>(o.ultima - o.primeira + 1) /
                                 static_cast<double>(numeros);
    }
    long long semLinha = 0;
    std::map<int, double> porLinha;
};

// Two samples, the second twice the first: a cut row's labels go on from
// the larger one at the pace between them (sheets and batches make a start
// of their own that a plain ratio would scale up too).
std::optional<ContagemEtiquetas> contarPorAmostra(const FamiliaEtiqueta& familia,
                                                  const LeitorGrade& grade,
                                                  const RodarAmostra& rodar) {
    constexpr long long kMenor = kLimiteAmostra / 2;
    const AmostraDaGrade maior(grade, familia.arquivo, kLimiteAmostra);
    EtiquetasPorLinha daMaior, daMenor;
    const ResultadoImpressao r = rodar(maior, daMaior);
    if (r.interrompida) return ContagemEtiquetas{.interrompida = true};
    if (r.falha) return std::nullopt;
    if (!maior.cortada()) return ContagemEtiquetas{.etiquetas = r.etiquetas};
    const AmostraDaGrade menor(grade, familia.arquivo, kMenor);
    const ResultadoImpressao rMenor = rodar(menor, daMenor);
    if (rMenor.interrompida) return ContagemEtiquetas{.interrompida = true};
    if (rMenor.falha) return std::nullopt;
    double total = static_cast<double>(daMaior.semLinha);
    for (const auto& [linha, etiquetas] : daMaior.porLinha) {
        total += etiquetas;
        if (const auto quantas = maior.quantas(linha))
            total += (*quantas - kLimiteAmostra) * (etiquetas - daMenor.porLinha[linha]) /
                     static_cast<double>(kLimiteAmostra - kMenor);
    }
    return ContagemEtiquetas{.etiquetas = std::llround(total), .aproximada = true};
}

}  // namespace

long long etiquetasDaFaixa(RegraContagem regra, long long n) {
    if (n < 1) return 0;
    switch (regra) {
        case RegraContagem::Unidades:
        case RegraContagem::Amostra:
            return n;
        case RegraContagem::Pares:
            return 2 * unidadesDe(n, 2);
        case RegraContagem::Cinco:
            return 5 * unidadesDe(n, 5);
    }
    return n;
}

std::optional<ContagemEtiquetas> contarEtiquetas(const FamiliaEtiqueta& familia,
                                                 const LeitorGrade& grade,
                                                 const ParametrosImpressao& parametros,
                                                 const RodarAmostra& rodar) {
    if (familia.contagem != RegraContagem::Amostra && familia.arquivo == ArquivoFamilia::Preco)
        return contarPelaRegra(familia, grade, parametros);
    return contarPorAmostra(familia, grade, rodar);
}

}  // namespace etiquetas
