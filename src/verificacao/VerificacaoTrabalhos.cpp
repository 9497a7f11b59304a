#include "verificacao/VerificacaoTrabalhos.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <set>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>

#include "comum/Texto.h"
#include "dpl/Spool.h"
#include "render/MotorTemplate.h"
#include "verificacao/CamposEtiqueta.h"
#include "zpl/Leitor.h"

namespace etiquetas {

namespace {

using zpl::Etiqueta;
using zpl::Retangulo;

constexpr std::size_t kTokenMaximo = 48;
constexpr std::size_t kNenhum = static_cast<std::size_t>(-1);

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

constexpr std::size_t kTrecho = 30;  // bytes of a text a name shows

// What a name shows of a text: its start, and whether there is more.
std::string_view visivelNoNome(std::string_view utf8) {
    return utf8.substr(0, kTrecho + 1);
}

// A name is made for the findings of every label: appended in place.
void anexarTrecho(std::string& s, std::string_view utf8) {
    std::string_view t = utf8.substr(0, kTrecho);
    while (!t.empty() && (t.back() & 0xC0) == 0x80) t.remove_suffix(1);  // no half character
    if (!t.empty() && (t.back() & 0x80)) t.remove_suffix(1);
    s += utf8ParaCp1252(t);
    if (utf8.size() > kTrecho) s += "...";
}

void anexarPosicao(std::string& s, int x, int y) {
    s += " em ";
    s += std::to_string(x);
    s += ',';
    s += std::to_string(y);
}

std::string_view semLinhaDoSpool(std::string_view texto) {
    if (texto.starts_with("linha "))  // the DPL reader names the spool line first
        texto.remove_prefix(std::min(texto.size(), texto.find(": ") + 2));
    return texto;
}

// The check measures each field against the label's edges itself, with its
// name: the DPL reader's own notes of the same are left out.
bool bordaJaMedida(std::string_view texto) {
    texto = semLinhaDoSpool(texto);
    return texto.starts_with("campo além") || texto.starts_with("campos acima");
}

// A finding of the reader about bar codes is a label printed wrong; the rest
// (a command ignored, a default used) may be meant.
Gravidade gravidadeDoAviso(std::string_view texto) {
    texto = semLinhaDoSpool(texto);
    for (std::string_view prefixo : {"^B", "código"})
        if (texto.starts_with(prefixo)) return Gravidade::Erro;
    return Gravidade::Aviso;
}

std::string nomeCampo(const Etiqueta& e, const CampoEtiqueta& c) {
    std::string nome;
    nome.reserve(80);
    const auto& op = e.operacoes[c.operacao];
    int x = c.area.x, y = c.area.y;
    if (const auto* t = std::get_if<zpl::OpTexto>(&op)) {
        nome += "texto \"";
        anexarTrecho(nome, t->texto);
        nome += '"';
        x = t->x;
        y = t->y;
    } else if (const auto* b = std::get_if<zpl::OpCodigoBarras>(&op)) {
        nome += "código de barras ";
        nome += b->simbologia;
        nome += " \"";
        anexarTrecho(nome, b->dados);
        nome += '"';
    } else if (const auto* g = std::get_if<zpl::OpGrafico>(&op)) {
        nome += "gráfico";
        x = g->x;
        y = g->y;
    } else {
        nome += "caixa";
    }
    anexarPosicao(nome, x, y);
    return nome;
}

// What a field loses past the label's edges, in dots; none when it lies
// inside. Without ^PW or ^LL that edge is not known.
int perdaNaBorda(const Retangulo& r, const zpl::ConfiguracaoEtiqueta& c) {
    int perda = std::max({0, -r.x, -r.y});
    if (c.largura) perda = std::max(perda, r.x + r.largura - *c.largura);
    if (c.comprimento) perda = std::max(perda, r.y + r.altura - *c.comprimento);
    return perda;
}

bool inteiramenteFora(const Retangulo& r, const zpl::ConfiguracaoEtiqueta& c) {
    return r.x + r.largura <= 0 || r.y + r.altura <= 0 || (c.largura && r.x >= *c.largura) ||
           (c.comprimento && r.y >= *c.comprimento);
}

std::string verboSobreposicao(const CampoEtiqueta& campo, const Sobreposicao& s) {
    if (campo.tipo == TipoCampo::CodigoBarras) return "invade a zona de silêncio de ";
    return s.soZona ? "sobrepõe a zona de silêncio de " : "sobrepõe ";
}

// A job read: its labels as the reader numbers them and as the run does
// (jobs of one row between its first and last are not read).
struct TrabalhoLido {
    int primeiraLeitor = 1, primeiraExecucao = 1;
    int quantidade = 0;
    std::vector<OrigemTrabalho> origens;
    std::string modelo;
    bool configuracao = false;  // the Datamax set-up: no label of the run
};

// Where a finding lies: the run's label, its row, the template filled.
struct Local {
    int etiqueta = 0;
    std::optional<OrigemTrabalho> origem;
    std::string modelo;
};

long long numerosDa(const OrigemTrabalho& o) {
    return std::max(1LL, o.ultima - o.primeira + 1);
}

// The row and the number a job's k-th label carries. A job's numbers are
// shared by its labels in order: a Datamax batch carries boxes of several
// rows, one a label; a pair's label carries two numbers.
OrigemTrabalho origemDoFormato(const TrabalhoLido& t, int k) {
    long long numeros = 0;
    for (const auto& o : t.origens) numeros += numerosDa(o);
    long long j = std::min(numeros - 1, k * numeros / std::max(1, t.quantidade));
    for (const auto& o : t.origens) {
        if (j < numerosDa(o)) {
            OrigemTrabalho r = o;
            if (r.primeira > 0) r.primeira = r.ultima = o.primeira + j;
            return r;
        }
        j -= numerosDa(o);
    }
    return t.origens.back();
}

// Sought by its rarer letter: a ZPL job has a caret every few characters.
int formatosNoTexto(std::string_view texto) {
    const bool dpl = dpl::ehDpl(texto);
    const std::string_view inicio = dpl ? std::string_view("\x02L") : std::string_view("^XA");
    const std::size_t ancora = dpl ? 0 : 1;
    int n = 0;
    for (std::size_t i = texto.find(inicio[ancora], ancora); i != std::string_view::npos;
         i = texto.find(inicio[ancora], i + 1))
        if (texto.substr(i - ancora).starts_with(inicio)) ++n;
    return n;
}

}  // namespace

struct VerificacaoTrabalhos::Estado {
    void receber(const Trabalho& trabalho);

    Estado(bool volume, int dpmm)
        : volume(volume),
          leitor(dpmm, {[this](Etiqueta&& e) { verificarEtiqueta(e); },
                        [this](const zpl::Aviso& a) {
                            if (!bordaJaMedida(a.texto))
                                achar(gravidadeDoAviso(a.texto), a.etiqueta, "", a.texto);
                        }}) {}

    // `etiqueta`: as the reader numbers it; 0 outside any label. A label's
    // findings come in the order of its fields: one that is the last label's
    // finding at the same turn is counted on it without being looked up.
    void achar(Gravidade g, int etiqueta, std::string_view campo, std::string problema) {
        const std::size_t vez = achadosDestaEtiqueta.size();
        if (vez < achadosDaUltima.size() && achadosDaUltima[vez] != kNenhum) {
            const std::scoped_lock t(travaAchados);
            Achado& a = achados[achadosDaUltima[vez]];
            if (a.gravidade == g && a.campo == campo && a.problema == problema &&
                a.modelo == modeloDa(etiqueta)) {
                contar(g);
                ++a.outras;
                achadosDestaEtiqueta.push_back(achadosDaUltima[vez]);
                return;
            }
        }
        Local l = localizar(etiqueta);
        achadosDestaEtiqueta.push_back(
            acrescentar({g, l.etiqueta, std::move(l.origem), volume, std::string(campo),
                         std::move(problema), 0, std::move(l.modelo)}));
    }

    void acharNoTrabalho(const TrabalhoLido& t, std::string problema) {
        acrescentar({Gravidade::Erro, t.primeiraExecucao,
                     t.origens.empty() ? std::nullopt : std::optional(t.origens.front()), volume,
                     "", std::move(problema), 0, t.modelo});
    }

    void contar(Gravidade g) { (g == Gravidade::Erro ? erros : avisos)++; }

    // The run's own findings (a resolution's) come from the run's thread
    // while the check's reads. Where the finding is kept; kNenhum past the
    // findings kept.
    std::size_t acrescentar(Achado a) {
        const std::scoped_lock t(travaAchados);
        contar(a.gravidade);
        std::string chave = a.modelo + '\x1f' + a.campo + '\x1f' + a.problema;
        if (const auto i = indices.find(chave); i != indices.end()) {
            ++achados[i->second].outras;
            return i->second;
        }
        if (achados.size() < kAchadosGuardados) {
            indices.emplace(std::move(chave), achados.size());
            achados.push_back(std::move(a));
            return achados.size() - 1;
        }
        ++omitidos;
        return kNenhum;
    }

    // Between the labels of a job: the job's own row, or the set-up.
    static Local foraDeEtiqueta(const TrabalhoLido& t) {
        if (t.configuracao) return {0, std::nullopt, t.modelo};
        return {t.primeiraExecucao,
                t.origens.empty() ? std::nullopt : std::optional(t.origens.front()), t.modelo};
    }

    const TrabalhoLido* lidoDa(int etiqueta) {
        if (lidos.empty()) return nullptr;
        if (etiqueta == 0) return &lidos.back();
        while (lidos.size() > 1 && etiqueta >= lidos[1].primeiraLeitor) lidos.pop_front();
        return &lidos.front();
    }

    std::string_view modeloDa(int etiqueta) {
        const TrabalhoLido* t = lidoDa(etiqueta);
        return t ? std::string_view(t->modelo) : std::string_view();
    }

    Local localizar(int etiqueta) {
        const TrabalhoLido* lido = lidoDa(etiqueta);
        if (!lido) return {};
        const TrabalhoLido& t = *lido;
        if (etiqueta == 0) return foraDeEtiqueta(t);
        const int k = std::max(0, etiqueta - t.primeiraLeitor);
        const int numero = t.primeiraExecucao + k;
        if (t.origens.empty()) return {numero, std::nullopt, t.modelo};
        return {numero, origemDoFormato(t, k), t.modelo};
    }

    void ler(const Trabalho& t, const TrabalhoLido& lido) {
        // A job whose labels were all read is found no more: a run without
        // findings does not keep every job it sent.
        while (lidos.size() > 1 && leitor.etiquetasLidas() >= lidos[1].primeiraLeitor)
            lidos.pop_front();
        lidos.push_back(lido);
        lidos.back().primeiraLeitor = formatosLidos + 1;
        formatosLidos += lido.quantidade;
        leitor.ler(t.texto);
    }

    std::string arquivoDo(TipoTrabalho tipo) const {
        switch (tipo) {
            case TipoTrabalho::Etiqueta:
                return arquivoEtiqueta;
            case TipoTrabalho::Separador:
                return arquivoSeparador;
            case TipoTrabalho::ConfiguracaoDatamax:
                return kArquivoConfiguracaoDatamax;
            default:
                return {};  // objects the application carries
        }
    }

    void lerPendente() {
        if (!pendente) return;
        ler(pendente->first, pendente->second);
        pendente.reset();
    }

    void procurarTokens(const Trabalho& t, const TrabalhoLido& lido) {
        std::set<std::string_view, std::less<>> vistos;
        cadaToken(t.texto, [&](std::string_view token) {
            if (naoPreenchido(token) && vistos.insert(token).second)
                acharNoTrabalho(lido, "\"" + std::string(token) + "\" não foi preenchido");
        });
        for (const auto& token : tokensLiterais)
            if (t.texto.find(token) != std::string::npos)
                acharNoTrabalho(lido, "\"" + token + "\" (posição) não foi preenchido");
    }

    bool naoPreenchido(std::string_view token) {
        if (!tokens.contains(token)) return false;
        if (pedidoPorLer)
            std::exchange(pedidoPorLer, nullptr)([this](std::string_view t) { retirar(t); });
        return tokens.contains(token);
    }

    // What the order file says is its own, not a token left unfilled.
    void retirar(std::string_view textoDoPedido) {
        cadaToken(textoDoPedido, [&](std::string_view t) {
            if (const auto i = tokens.find(t); i != tokens.end()) tokens.erase(i);
        });
    }

    void verificarEtiqueta(const Etiqueta& e) {
        const int numero = leitor.etiquetasLidas();
        const auto [indice, nova] = disposicoes.ler(e);
        disposicao = indice;
        const auto& campos = disposicoes[indice].campos;
        if (nova) nomes[indice].assign(campos.size(), std::nullopt);
        for (std::size_t i = 0; i < campos.size(); ++i) {
            const CampoEtiqueta& c = campos[i];
            // A field's name is made only for a finding: most labels have none.
            const auto nome = [this, &e, i]() -> const std::string& { return nomeDo(e, i); };
            dentroDaEtiqueta(e.configuracao, c, numero, nome);
            if (const auto* t = std::get_if<zpl::OpTexto>(&e.operacoes[c.operacao]))
                verificarBloco(*t, c.larguraTexto, numero, nome);
        }
        for (const auto& s : disposicoes[indice].sobreposicoes)
            achar(Gravidade::Erro, numero, nomeDo(e, s.campo),
                  verboSobreposicao(campos[s.campo], s) + nomeDo(e, s.outro));
        std::swap(achadosDaUltima, achadosDestaEtiqueta);
        achadosDestaEtiqueta.clear();
    }

    // A field's name, made once while the field prints the same at the same
    // place: the labels of a run name the same fields label after label.
    const std::string& nomeDo(const Etiqueta& e, std::size_t i) {
        const CampoEtiqueta& c = disposicoes[disposicao].campos[i];
        auto& guardado = nomes[disposicao][i];
        if (!guardado || !nomeValeAinda(*guardado, e.operacoes[c.operacao]))
            guardado = guardarNome(e, c);
        return guardado->nome;
    }

    struct NomeGuardado {
        std::string nome, texto, dados;  // and what of the field it shows
        int x = 0, y = 0;
    };

    static NomeGuardado guardarNome(const Etiqueta& e, const CampoEtiqueta& c) {
        NomeGuardado g{nomeCampo(e, c), {}, {}, 0, 0};
        const auto& op = e.operacoes[c.operacao];
        if (const auto* t = std::get_if<zpl::OpTexto>(&op)) {
            g.texto = visivelNoNome(t->texto);
            g.x = t->x;
            g.y = t->y;
        } else if (const auto* b = std::get_if<zpl::OpCodigoBarras>(&op)) {
            g.texto = b->simbologia;
            g.dados = visivelNoNome(b->dados);
        }
        return g;
    }

    // A box, a graphic or a bar code is named at its place, which the layout
    // holds; a text by its own place. A long text keeps its name while its
    // start does.
    static bool nomeValeAinda(const NomeGuardado& g, const zpl::Operacao& op) {
        if (const auto* t = std::get_if<zpl::OpTexto>(&op))
            return g.texto == visivelNoNome(t->texto) && g.x == t->x && g.y == t->y;
        if (const auto* b = std::get_if<zpl::OpCodigoBarras>(&op))
            return g.texto == b->simbologia && g.dados == visivelNoNome(b->dados);
        return true;
    }

    template <class Nome>
    void verificarBloco(const zpl::OpTexto& t, long estimada, int numero, const Nome& campo) {
        if (!t.bloco || t.bloco->largura <= 0) return;
        const int linhas = std::max(1, t.bloco->linhas);
        // A proportional font's width is an average letter: only well beyond
        // the block is it found. A bitmap font's is exact.
        const long medida = larguraFixa(t) ? estimada : estimada * 9 / 10;
        const long precisa = (medida + t.bloco->largura - 1) / t.bloco->largura;
        if (precisa > linhas)
            achar(Gravidade::Aviso, numero, campo(),
                  "texto maior que o bloco: cerca de " + std::to_string(precisa) +
                      " linhas num bloco de " + std::to_string(linhas));
    }

    // Nothing of a field off the label prints; one that crosses an edge loses
    // what lies beyond. A proportional text's width is estimated: it is only
    // a warning unless half of it would be lost.
    template <class Nome>
    void dentroDaEtiqueta(const zpl::ConfiguracaoEtiqueta& c, const CampoEtiqueta& campo,
                          int numero, const Nome& nome) {
        const int perda = perdaNaBorda(campo.area, c);
        if (perda <= 0) return;
        const std::string tamanho = " (" + std::to_string(c.largura.value_or(0)) + " x " +
                                    std::to_string(c.comprimento.value_or(0)) + " pontos)";
        if (inteiramenteFora(campo.area, c))
            return achar(Gravidade::Erro, numero, nome(), "fica fora da etiqueta" + tamanho);
        const int extensao = std::max(campo.area.largura, campo.area.altura);
        if (campo.exato || 2 * perda >= extensao)
            return achar(Gravidade::Erro, numero, nome(),
                         std::string(campo.exato ? "passa " : "passa cerca de ") +
                             std::to_string(perda) + (perda == 1 ? " ponto" : " pontos") +
                             " da borda da etiqueta" + tamanho);
        achar(Gravidade::Aviso, numero, nome(), "pode passar da borda da etiqueta" + tamanho);
    }

    const bool volume;
    dpl::LeitorSpool leitor;
    std::set<std::string, std::less<>> tokens;
    VerificacaoTrabalhos::LeituraPedido pedidoPorLer;  // unread until a token is found
    std::vector<std::string> tokensLiterais;
    std::deque<TrabalhoLido> lidos;
    int formatosEnviados = 0, formatosLidos = 0;
    int linhaAtual = 0;  // the grid row of the last job read, 0 none
    std::optional<std::pair<Trabalho, TrabalhoLido>> pendente;  // the row's latest job, unread
    std::string ultimaConfiguracao;
    std::string configuracaoGuardada;  // read before the first job, then cleared
    std::string arquivoEtiqueta, arquivoSeparador;
    DisposicoesEtiqueta disposicoes;
    std::size_t disposicao = 0;  // the label's
    std::array<std::vector<std::optional<NomeGuardado>>, DisposicoesEtiqueta::kAvulsa + 1>
        nomes;  // by layout and field, those named
    std::vector<std::size_t> achadosDaUltima, achadosDestaEtiqueta;  // kept where, in turn
    std::mutex travaAchados;
    std::vector<Achado> achados;
    std::unordered_map<std::string, std::size_t> indices;  // campo and problema: the finding
    long long erros = 0, avisos = 0, omitidos = 0;
};

VerificacaoTrabalhos::VerificacaoTrabalhos(ModelosDaExecucao modelos, bool volume, int dpmm)
    : e_(std::make_unique<Estado>(volume, dpmm)) {
    e_->arquivoEtiqueta = modelos.etiqueta.arquivo;
    e_->arquivoSeparador = modelos.separador.arquivo;
    if (modelos.configuracao.texto.find('\x02') != std::string::npos)
        e_->configuracaoGuardada = std::move(modelos.configuracao.texto);
    for (const auto* modelo : {&modelos.etiqueta, &modelos.separador}) {
        const std::string& m = modelo->texto;
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
    e_->retirar(texto);
}

void VerificacaoTrabalhos::interrupcao(std::function<bool()> cancelado) {
    cancelado_ = std::move(cancelado);
}

void VerificacaoTrabalhos::textoDoPedido(LeituraPedido ler) {
    e_->pedidoPorLer = std::move(ler);
}

// Jobs of one row differ only in their sequence or box numbers: the row's
// first and last jobs are read whole, the ones between only for tokens. The
// same Datamax set-up before every unit is read once.
void VerificacaoTrabalhos::Estado::receber(const Trabalho& trabalho) {
    auto& e = *this;
    // The labels are measured against the width the printer keeps; a set-up
    // the run sends reads after it.
    if (!e.configuracaoGuardada.empty()) {
        const Trabalho guardada{
            TipoTrabalho::ConfiguracaoDatamax, {}, e.configuracaoGuardada, 0, {}};
        e.configuracaoGuardada.clear();
        receber(guardada);
    }
    const TrabalhoLido lido{0,
                            e.formatosEnviados + 1,
                            formatosNoTexto(trabalho.texto),
                            trabalho.origens,
                            e.arquivoDo(trabalho.tipo),
                            trabalho.tipo == TipoTrabalho::ConfiguracaoDatamax};
    e.formatosEnviados += lido.quantidade;
    if (trabalho.tipo == TipoTrabalho::ConfiguracaoDatamax) {
        if (trabalho.texto.find('\x02') == std::string::npos)
            e.acharNoTrabalho({0, 0, 0, {}, kArquivoConfiguracaoDatamax, true},
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
    // A run stopped (Cancelar, a signal): what is queued is not read, and
    // the label being read is the last.
    std::atomic<bool> abandonada = false;
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
                for (const auto& trabalho : lote) {
                    if (abandonada.load(std::memory_order_relaxed)) return;
                    e.receber(trabalho);
                }
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

    // The run waits here while the check's thread reads long labels: it is
    // asked every 50 ms whether it was stopped meanwhile, and then nothing
    // more is read.
    void acrescentar(const Trabalho& trabalho, const std::function<bool()>& cancelado) {
        std::unique_lock t(trava);
        const auto haLugar = [&] { return fim || trabalhos.size() < kMaximo; };
        while (!paraEnviar.wait_for(t, std::chrono::milliseconds(50), haLugar)) {
            if (!cancelado) continue;
            t.unlock();
            const bool parar = cancelado();
            t.lock();
            if (parar) {
                abandonar();
                paraLer.notify_one();
                return;
            }
        }
        if (fim) return;
        trabalhos.push_back(trabalho);
        if (trabalhos.size() == kLote) paraLer.notify_one();
    }

    void abandonar() {
        fim = true;
        abandonada = true;
        trabalhos.clear();
    }

    void encerrar(bool abandonar) {
        {
            const std::scoped_lock t(trava);
            fim = true;
            if (abandonar) this->abandonar();
        }
        paraLer.notify_one();
        paraEnviar.notify_one();
        if (leitor.joinable()) leitor.join();
    }
};

// Ended without terminar: the run was stopped, and its check with it.
VerificacaoTrabalhos::~VerificacaoTrabalhos() {
    if (fila_) fila_->encerrar(true);
}

void VerificacaoTrabalhos::enviar(const Trabalho& trabalho) {
    if (!fila_) {
        fila_ = std::make_unique<Fila>();
        fila_->leitor = std::thread([this] { fila_->ler(*e_); });
    }
    fila_->acrescentar(trabalho, cancelado_);
}

void VerificacaoTrabalhos::terminar() {
    if (fila_) {
        fila_->encerrar(false);
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
