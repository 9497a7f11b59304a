#include "verificacao/VerificacaoTrabalhos.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <set>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "comum/Texto.h"
#include "dpl/Spool.h"
#include "render/MotorTemplate.h"
#include "zpl/Leitor.h"

namespace etiquetas {

namespace {

using zpl::Etiqueta;
using zpl::Retangulo;

constexpr std::size_t kTokenMaximo = 48;

bool semQuebra(std::string_view t) {
    return t.find_first_of("\r\n") == std::string_view::npos;
}

bool nomeDeMarcador(std::string_view t) {
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

// Every span of `texto` shaped like a token: ":: Nome ::", "%Nome%", "#NOME#".
template <typename F>
void cadaToken(std::string_view texto, F&& achou) {
    for (std::size_t i = texto.find("::"); i != std::string_view::npos;) {
        const std::size_t j = texto.find("::", i + 2);
        if (j == std::string_view::npos) break;
        const std::string_view dentro = texto.substr(i + 2, j - i - 2);
        if (dentro.find_first_not_of(' ') != std::string_view::npos &&
            dentro.size() <= kTokenMaximo && semQuebra(dentro)) {
            achou(texto.substr(i, j + 2 - i));
            i = texto.find("::", j + 2);
        } else {
            i = j;
        }
    }
    for (char delimitador : {'%', '#'}) {
        for (std::size_t i = texto.find(delimitador); i != std::string_view::npos;) {
            const std::size_t j = texto.find(delimitador, i + 1);
            if (j == std::string_view::npos) break;
            if (j - i - 1 <= kTokenMaximo && nomeDeMarcador(texto.substr(i + 1, j - i - 1))) {
                achou(texto.substr(i, j + 1 - i));
                i = texto.find(delimitador, j + 1);
            } else {
                i = j;
            }
        }
    }
}

// A line's width at the proportional font's average letter, as the DPL
// reader estimates it (a blank a third of that), or a bitmap font's cell.
long larguraEstimada(const zpl::OpTexto& t) {
    const long avanco = t.fonte == '0' ? t.largura * 3 / 5 : t.largura;
    long tercos = 0;  // in thirds, so that blanks stay exact
    for (char c : t.texto) {
        if ((c & 0xC0) == 0x80) continue;  // inside a character
        tercos += c == ' ' && t.fonte == '0' ? avanco : 3 * avanco;
    }
    return tercos / 3;
}

std::string trecho(std::string_view utf8) {
    std::string t(utf8.substr(0, 30));
    while (!t.empty() && (t.back() & 0xC0) == 0x80) t.pop_back();  // no half character
    if (!t.empty() && (t.back() & 0x80)) t.pop_back();
    return utf8ParaCp1252(t) + (utf8.size() > 30 ? "..." : "");
}

std::string posicao(int x, int y) {
    return " em " + std::to_string(x) + "," + std::to_string(y);
}

bool deitado(zpl::Orientacao o) {
    return o == zpl::Orientacao::Normal || o == zpl::Orientacao::Invertida;
}

Retangulo uniao(const std::vector<Retangulo>& rs) {
    if (rs.empty()) return {};
    int x0 = rs[0].x, y0 = rs[0].y, x1 = x0 + rs[0].largura, y1 = y0 + rs[0].altura;
    for (const auto& r : rs) {
        x0 = std::min(x0, r.x);
        y0 = std::min(y0, r.y);
        x1 = std::max(x1, r.x + r.largura);
        y1 = std::max(y1, r.y + r.altura);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

bool cruzam(const Retangulo& a, const Retangulo& b) {
    return a.x < b.x + b.largura && b.x < a.x + a.largura && a.y < b.y + b.altura &&
           b.y < a.y + a.altura;
}

// A finding of the reader about bar codes or a field off a Datamax label is
// a label printed wrong; the rest (a command ignored, a default used) may be
// meant.
Gravidade gravidadeDoAviso(std::string_view texto) {
    if (texto.starts_with("linha "))  // the DPL reader names the spool line first
        texto.remove_prefix(std::min(texto.size(), texto.find(": ") + 2));
    for (std::string_view prefixo : {"^B", "código", "campo além", "campos acima"})
        if (texto.starts_with(prefixo)) return Gravidade::Erro;
    return Gravidade::Aviso;
}

// A job read: its labels as the reader numbers them and as the run does
// (jobs of one row between its first and last are not read).
struct TrabalhoLido {
    int primeiraLeitor = 1, primeiraExecucao = 1;
    int quantidade = 0;
    std::vector<OrigemTrabalho> origens;
};

int formatosNoTexto(std::string_view texto) {
    int n = 0;
    const bool dpl = dpl::ehDpl(texto);
    const std::string_view inicio = dpl ? std::string_view("\x02L") : std::string_view("^XA");
    for (std::size_t i = texto.find(inicio); i != std::string_view::npos;
         i = texto.find(inicio, i + inicio.size()))
        ++n;
    return n;
}

}  // namespace

struct VerificacaoTrabalhos::Estado {
    void receber(const Trabalho& trabalho);

    Estado(bool volume, int dpmm)
        : volume(volume),
          leitor(dpmm, {[this](Etiqueta&& e) { verificarEtiqueta(e); },
                        [this](const zpl::Aviso& a) {
                            achar(gravidadeDoAviso(a.texto), a.etiqueta, "", a.texto);
                        }}) {}

    // `etiqueta`: as the reader numbers it; 0 outside any label.
    void achar(Gravidade g, int etiqueta, std::string campo, std::string problema) {
        const auto [numero, origem] = localizar(etiqueta);
        acrescentar({g, numero, origem, volume, std::move(campo), std::move(problema)});
    }

    void acharNoTrabalho(const TrabalhoLido& t, std::string problema) {
        acrescentar({Gravidade::Erro, t.primeiraExecucao,
                     t.origens.empty() ? std::nullopt : std::optional(t.origens.front()), volume,
                     "", std::move(problema)});
    }

    void acrescentar(Achado a) {
        (a.gravidade == Gravidade::Erro ? erros : avisos)++;
        std::string chave = a.campo + '\x1f' + a.problema;
        if (const auto i = indices.find(chave); i != indices.end()) {
            ++achados[i->second].outras;
        } else if (achados.size() < kAchadosGuardados) {
            indices.emplace(std::move(chave), achados.size());
            achados.push_back(std::move(a));
        } else {
            ++omitidos;
        }
    }

    std::pair<int, std::optional<OrigemTrabalho>> localizar(int etiqueta) {
        if (lidos.empty()) return {0, std::nullopt};
        if (etiqueta == 0) return {lidos.back().primeiraExecucao, std::nullopt};
        while (lidos.size() > 1 && etiqueta >= lidos[1].primeiraLeitor) lidos.pop_front();
        const TrabalhoLido& t = lidos.front();
        const int k = std::max(0, etiqueta - t.primeiraLeitor);
        const int numero = t.primeiraExecucao + k;
        if (t.origens.empty()) return {numero, std::nullopt};
        const auto n = t.origens.size();
        const auto i =
            static_cast<std::size_t>(t.quantidade) == n
                ? static_cast<std::size_t>(k)
                : static_cast<std::size_t>(k) * n / std::max<std::size_t>(1, t.quantidade);
        return {numero, t.origens[std::min(i, n - 1)]};
    }

    void ler(const Trabalho& t, const TrabalhoLido& lido) {
        lidos.push_back(lido);
        lidos.back().primeiraLeitor = formatosLidos + 1;
        formatosLidos += lido.quantidade;
        leitor.ler(t.texto);
    }

    void lerPendente() {
        if (!pendente) return;
        ler(pendente->first, pendente->second);
        pendente.reset();
    }

    void procurarTokens(const Trabalho& t, const TrabalhoLido& lido) {
        std::set<std::string_view, std::less<>> vistos;
        cadaToken(t.texto, [&](std::string_view token) {
            if (tokens.contains(token) && vistos.insert(token).second)
                acharNoTrabalho(lido, "\"" + std::string(token) + "\" não foi preenchido");
        });
        for (const auto& token : tokensLiterais)
            if (t.texto.find(token) != std::string::npos)
                acharNoTrabalho(lido, "\"" + token + "\" (posição) não foi preenchido");
    }

    // A field's name is made only for a finding: most labels have none.
    using NomeCampo = std::function<std::string()>;

    static std::string nomeCodigoBarras(const zpl::OpCodigoBarras& b, const Retangulo& r) {
        return "código de barras " + b.simbologia + " \"" + trecho(b.dados) + "\"" +
               posicao(r.x, r.y);
    }

    void verificarEtiqueta(const Etiqueta& e) {
        const int numero = leitor.etiquetasLidas();
        std::vector<std::pair<Retangulo, const zpl::OpCodigoBarras*>> barras;
        for (const auto& op : e.operacoes) {
            if (const auto* t = std::get_if<zpl::OpTexto>(&op)) {
                verificarTexto(e, *t, numero);
            } else if (const auto* c = std::get_if<zpl::OpCaixa>(&op)) {
                dentroDaEtiqueta(e, c->area, true, numero,
                                 [&] { return "caixa" + posicao(c->area.x, c->area.y); });
            } else if (const auto* b = std::get_if<zpl::OpCodigoBarras>(&op)) {
                if (b->barras.empty()) continue;
                const Retangulo r = uniao(b->barras);
                const NomeCampo campo = [&] { return nomeCodigoBarras(*b, r); };
                dentroDaEtiqueta(e, r, true, numero, campo);
                verificarZonaDeSilencio(*b, r, barras, numero, campo);
                barras.emplace_back(r, b);
            } else if (const auto* g = std::get_if<zpl::OpGrafico>(&op)) {
                dentroDaEtiqueta(
                    e, {g->x, g->y, g->largura * g->ampliacaoX, g->altura * g->ampliacaoY}, true,
                    numero, [&] { return "gráfico" + posicao(g->x, g->y); });
            }
        }
    }

    void verificarTexto(const Etiqueta& e, const zpl::OpTexto& t, int numero) {
        const NomeCampo campo = [&] {
            return "texto \"" + trecho(t.texto) + "\"" + posicao(t.x, t.y);
        };
        const long estimada = larguraEstimada(t);
        const int linhas = t.bloco ? std::max(1, t.bloco->linhas) : 1;
        const int largura =
            t.bloco ? t.bloco->largura : static_cast<int>(std::min(estimada, 100000L));
        const int altura = t.altura * linhas;
        const int topo = t.naLinhaBase ? t.y - t.altura : t.y;
        const Retangulo r = deitado(t.orientacao) ? Retangulo{t.x, topo, largura, altura}
                                                  : Retangulo{t.x, topo, altura, largura};
        // A block's size is the printer's; a line's width is only estimated.
        dentroDaEtiqueta(e, r, t.bloco.has_value(), numero, campo);
        if (t.bloco && t.bloco->largura > 0) {
            // Only well beyond the block: the estimate is an average letter.
            const long precisa = (estimada * 9 / 10 + t.bloco->largura - 1) / t.bloco->largura;
            if (precisa > linhas)
                achar(Gravidade::Aviso, numero, campo(),
                      "texto maior que o bloco: cerca de " + std::to_string(precisa) +
                          " linhas num bloco de " + std::to_string(linhas));
        }
    }

    void dentroDaEtiqueta(const Etiqueta& e, const Retangulo& r, bool exato, int numero,
                          const NomeCampo& campo) {
        const auto& c = e.configuracao;
        const bool foraX = r.x < 0 || (c.largura && r.x + r.largura > *c.largura);
        const bool foraY = r.y < 0 || (c.comprimento && r.y + r.altura > *c.comprimento);
        if (!foraX && !foraY) return;
        const std::string tamanho = std::to_string(c.largura.value_or(0)) + " x " +
                                    std::to_string(c.comprimento.value_or(0)) + " pontos";
        achar(exato ? Gravidade::Erro : Gravidade::Aviso, numero, campo(),
              std::string(exato ? "fica fora da etiqueta" : "pode passar da borda da etiqueta") +
                  " (" + tamanho + ")");
    }

    void verificarZonaDeSilencio(
        const zpl::OpCodigoBarras& b, const Retangulo& r,
        const std::vector<std::pair<Retangulo, const zpl::OpCodigoBarras*>>& outros, int numero,
        const NomeCampo& campo) {
        int modulo = r.largura;
        for (const auto& barra : b.barras) modulo = std::min(modulo, std::max(1, barra.largura));
        const int zona = 10 * modulo;
        const Retangulo comZona{r.x - zona, r.y, r.largura + 2 * zona, r.altura};
        for (const auto& [outro, barras] : outros) {
            if (!cruzam(comZona, outro) && !cruzam(r, outro)) continue;
            achar(Gravidade::Erro, numero, campo(),
                  "invade a zona de silêncio de " + nomeCodigoBarras(*barras, outro));
        }
    }

    const bool volume;
    dpl::LeitorSpool leitor;
    std::set<std::string, std::less<>> tokens;
    std::vector<std::string> tokensLiterais;
    std::deque<TrabalhoLido> lidos;
    int formatosEnviados = 0, formatosLidos = 0;
    int linhaAtual = 0;  // the grid row of the last job read, 0 none
    std::optional<std::pair<Trabalho, TrabalhoLido>> pendente;  // the row's latest job, unread
    std::string ultimaConfiguracao;
    std::vector<Achado> achados;
    std::unordered_map<std::string, std::size_t> indices;  // campo and problema: the finding
    long long erros = 0, avisos = 0, omitidos = 0;
};

VerificacaoTrabalhos::VerificacaoTrabalhos(std::vector<std::string> modelos, bool volume, int dpmm)
    : e_(std::make_unique<Estado>(volume, dpmm)) {
    for (const auto& m : modelos) {
        cadaToken(m, [&](std::string_view t) { e_->tokens.emplace(t); });
        for (const auto& lista : {kTokensDeslocamento, kTokensFixos})
            for (const auto t : lista)
                if (m.find(t) != std::string::npos) e_->tokensLiterais.emplace_back(t);
    }
    // Markers the routines take out are never sent.
    e_->tokens.emplace("#INICIO#");
    e_->tokens.emplace("#FIM#");
}

void VerificacaoTrabalhos::textoDoPedido(std::string_view texto) {
    cadaToken(texto, [&](std::string_view t) {
        if (const auto i = e_->tokens.find(t); i != e_->tokens.end()) e_->tokens.erase(i);
    });
}

// Jobs of one row differ only in their sequence or box numbers: the row's
// first and last jobs are read whole, the ones between only for tokens. The
// same Datamax set-up before every unit is read once.
void VerificacaoTrabalhos::Estado::receber(const Trabalho& trabalho) {
    auto& e = *this;
    const TrabalhoLido lido{0, e.formatosEnviados + 1, formatosNoTexto(trabalho.texto),
                            trabalho.origens};
    e.formatosEnviados += lido.quantidade;
    if (trabalho.tipo == TipoTrabalho::ConfiguracaoDatamax) {
        if (trabalho.texto.find('\x02') == std::string::npos)
            e.acharNoTrabalho({0, 0, 0, {}},
                              "a configuração da Datamax está vazia: as etiquetas saem sem ela");
        if (trabalho.texto == e.ultimaConfiguracao) return;
        e.ultimaConfiguracao = trabalho.texto;
        e.ler(trabalho, lido);
        return;
    }
    if (trabalho.tipo == TipoTrabalho::Etiqueta || trabalho.tipo == TipoTrabalho::Separador)
        e.procurarTokens(trabalho, lido);
    const int linha = trabalho.tipo == TipoTrabalho::Etiqueta && trabalho.origens.size() == 1
                          ? trabalho.origens.front().linha
                          : 0;
    if (linha != 0 && linha == e.linhaAtual) {
        e.pendente.emplace(trabalho, lido);
        return;
    }
    e.lerPendente();
    e.ler(trabalho, lido);
    e.linhaAtual = linha;
}

// The run makes the jobs on the caller's thread and a thread of the check's
// own reads them as the printer would, at once: a check takes about the time
// of the slower of the two, not of both. The queue is short, so memory does
// not grow with the file.
struct VerificacaoTrabalhos::Fila {
    // Handed over in batches: a hand-over per job would cost more than the
    // reading where both threads share one core.
    static constexpr std::size_t kLote = 32;
    static constexpr std::size_t kMaximo = 4 * kLote;
    std::mutex trava;
    std::condition_variable paraLer, paraEnviar;
    std::vector<Trabalho> trabalhos;
    bool fim = false;
    std::exception_ptr falha;
    std::thread leitor;

    void ler(Estado& e) {
        std::vector<Trabalho> lote;
        for (;;) {
            lote.clear();
            {
                std::unique_lock t(trava);
                paraLer.wait(t, [&] { return fim || trabalhos.size() >= kLote; });
                if (trabalhos.empty()) return;
                lote.swap(trabalhos);
            }
            paraEnviar.notify_one();
            try {
                for (const auto& trabalho : lote) e.receber(trabalho);
            } catch (...) {
                const std::scoped_lock t(trava);
                falha = std::current_exception();
                trabalhos.clear();
                fim = true;
                paraEnviar.notify_one();
                return;
            }
        }
    }

    void acrescentar(const Trabalho& trabalho) {
        std::unique_lock t(trava);
        paraEnviar.wait(t, [&] { return fim || trabalhos.size() < kMaximo; });
        if (fim) return;
        trabalhos.push_back(trabalho);
        if (trabalhos.size() == kLote) paraLer.notify_one();
    }

    void encerrar() {
        {
            const std::scoped_lock t(trava);
            fim = true;
        }
        paraLer.notify_one();
        paraEnviar.notify_one();
        if (leitor.joinable()) leitor.join();
    }
};

VerificacaoTrabalhos::~VerificacaoTrabalhos() {
    if (fila_) fila_->encerrar();
}

void VerificacaoTrabalhos::enviar(const Trabalho& trabalho) {
    if (!fila_) {
        fila_ = std::make_unique<Fila>();
        fila_->leitor = std::thread([this] { fila_->ler(*e_); });
    }
    fila_->acrescentar(trabalho);
}

void VerificacaoTrabalhos::terminar() {
    if (fila_) {
        fila_->encerrar();
        if (fila_->falha) std::rethrow_exception(fila_->falha);
    }
    e_->lerPendente();
    e_->leitor.terminar();
    // Labels are read whole only when the next one begins: findings come in
    // a little out of order.
    std::stable_sort(e_->achados.begin(), e_->achados.end(),
                     [](const Achado& a, const Achado& b) { return a.etiqueta < b.etiqueta; });
}

const std::vector<Achado>& VerificacaoTrabalhos::achados() const {
    return e_->achados;
}
long long VerificacaoTrabalhos::erros() const {
    return e_->erros;
}
long long VerificacaoTrabalhos::avisos() const {
    return e_->avisos;
}
long long VerificacaoTrabalhos::omitidos() const {
    return e_->omitidos;
}
void VerificacaoTrabalhos::acrescentar(Achado achado) {
    e_->acrescentar(std::move(achado));
}

bool verificacaoDisponivel() {
    return true;
}

}  // namespace etiquetas
