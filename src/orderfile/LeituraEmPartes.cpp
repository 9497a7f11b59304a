#include "orderfile/LeituraEmPartes.h"

#include <algorithm>
#include <string_view>

namespace etiquetas {

namespace {

constexpr std::size_t kNaoAchado = std::string::npos;
// Past this much without a place to cut (a huge item, a tag or comment that
// does not end), the file is left to the whole-file load: a token searched
// again after every read stays cheap.
constexpr std::size_t kSemCorteMinimo = std::size_t{16} << 20;

bool comeca(const std::string& dados, std::size_t em, std::string_view prefixo) {
    return dados.compare(em, prefixo.size(), prefixo) == 0;
}

// The '>' that ends the tag begun at `inicio`; a '>' inside a quoted
// attribute value does not.
std::size_t fimDaEtiqueta(const std::string& dados, std::size_t inicio) {
    for (std::size_t i = inicio + 1;; ++i) {
        i = dados.find_first_of("\"'>", i);
        if (i == kNaoAchado || dados[i] == '>') return i;
        i = dados.find(dados[i], i + 1);  // the end of the quoted value
        if (i == kNaoAchado) return i;
    }
}

std::string nomeDaEtiqueta(const std::string& dados, std::size_t inicio) {
    const auto fim = dados.find_first_of(" \t\r\n/>", inicio + 1);
    return dados.substr(inicio + 1, fim - inicio - 1);
}

bool soEspacos(std::string_view texto) {
    return texto.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

LeituraEmPartes::LeituraEmPartes(const std::filesystem::path& caminho, std::size_t parte)
    : entrada_(caminho, std::ios::binary), parte_(std::max<std::size_t>(parte, 16)) {
    std::error_code erro;
    tamanho_ = std::filesystem::file_size(caminho, erro);
    if (erro || !entrada_) estado_ = Estado::Falhou;
}

std::size_t LeituraEmPartes::semCorte() const {
    return std::max(16 * parte_, kSemCorteMinimo);
}

bool LeituraEmPartes::falhar() {
    estado_ = Estado::Falhou;
    return false;
}

bool LeituraEmPartes::lerMais() {
    if (fimDoArquivo_) return false;
    const std::size_t antes = dados_.size();
    dados_.resize(antes + parte_);
    entrada_.read(dados_.data() + antes, static_cast<std::streamsize>(parte_));
    const auto lidos = static_cast<std::size_t>(std::max<std::streamsize>(0, entrada_.gcount()));
    dados_.resize(antes + lidos);
    lidos_ += lidos;
    if (lidos < parte_) fimDoArquivo_ = true;
    return lidos > 0;
}

// Up to the root's start tag, parsed with an end of its own: the kind of
// file and the root's attributes are known before any order is read.
bool LeituraEmPartes::lerCabeca() {
    if (!lerMais()) return falhar();
    if (codificacaoDoArquivo(dados_) == Codificacao::PeloBom) return falhar();
    std::size_t i = 0, fimDaRaiz = kNaoAchado;
    while (fimDaRaiz == kNaoAchado) {
        i = dados_.find('<', i);
        std::size_t fim = kNaoAchado;
        if (i != kNaoAchado && dados_.size() - i >= 4) {
            if (comeca(dados_, i, "<!--")) {
                fim = dados_.find("-->", i + 4);
                if (fim != kNaoAchado) fim += 2;
            } else if (comeca(dados_, i, "<?")) {
                fim = dados_.find("?>", i + 2);
                if (fim != kNaoAchado) fim += 1;
            } else if (comeca(dados_, i, "<!")) {
                return falhar();  // a DTD: the whole-file load refuses it
            } else {
                fimDaRaiz = fimDaEtiqueta(dados_, i);
                if (fimDaRaiz != kNaoAchado) break;
            }
        }
        if (fim != kNaoAchado) {
            i = fim + 1;
            continue;
        }
        if (i == kNaoAchado) i = dados_.size();
        if (dados_.size() > semCorte() || !lerMais()) return falhar();
    }
    if (dados_[fimDaRaiz - 1] == '/') return falhar();  // no orders
    // Known now that the declaration has been read whole.
    codificacao_ = codificacaoDoArquivo(dados_);
    if (codificacao_ == Codificacao::Desconhecida) return falhar();
    ++fimDaRaiz;
    documento_ =
        CarregarXMLDeBytes(dados_.substr(0, fimDaRaiz) + "</" + nomeDaEtiqueta(dados_, i) + ">");
    raiz_ = documento_->document_element();
    if (!raiz_) return falhar();
    dados_.erase(0, fimDaRaiz);
    estado_ = Estado::Lendo;
    return true;
}

bool LeituraEmPartes::proxima() {
    if (estado_ == Estado::Inicio) return lerCabeca();
    if (estado_ != Estado::Lendo) return false;
    const std::size_t alvo = pecas_ == 0 ? parte_ / 16 : parte_;
    for (;;) {
        if (!varrer()) return falhar();
        if (fechoDaRaiz_) return terminarNaRaiz();
        const bool cheio = dados_.size() > semCorte();
        if (corte_ && (corte_->fim >= alvo || fimDoArquivo_ || cheio)) return aplicar(*corte_);
        if (cheio) return falhar();
        if (!lerMais()) return falhar();  // the file ends inside the root
    }
}

bool LeituraEmPartes::varrer() {
    while (varrido_ < dados_.size()) {
        const auto inicio = dados_.find('<', varrido_);
        if (inicio == kNaoAchado) {
            varrido_ = dados_.size();
            return true;
        }
        // Too few bytes to tell a comment from a tag: wait for more.
        if (dados_.size() - inicio < 9 && !fimDoArquivo_) {
            varrido_ = inicio;
            return true;
        }
        std::size_t fim = kNaoAchado;
        if (!varrerMarcacao(inicio, fim)) return false;
        if (fim == kNaoAchado) {
            varrido_ = inicio;
            return true;
        }
        varrido_ = fim;
        if (fechoDaRaiz_) return true;
    }
    return true;
}

bool LeituraEmPartes::varrerMarcacao(std::size_t inicio, std::size_t& fim) {
    const auto ate = [&](std::string_view fecho, std::size_t de) {
        const auto p = dados_.find(fecho, de);
        fim = p == kNaoAchado ? kNaoAchado : p + fecho.size();
        return true;
    };
    if (comeca(dados_, inicio, "<!--")) return ate("-->", inicio + 4);
    if (comeca(dados_, inicio, "<![CDATA[")) return ate("]]>", inicio + 9);
    if (comeca(dados_, inicio, "<?")) return ate("?>", inicio + 2);
    if (comeca(dados_, inicio, "<!")) return false;
    if (comeca(dados_, inicio, "</")) {
        const auto p = dados_.find('>', inicio + 2);
        if (p == kNaoAchado) return true;
        fim = p + 1;
        aoFecharElemento(inicio, fim);
        return true;
    }
    const auto p = fimDaEtiqueta(dados_, inicio);
    if (p == kNaoAchado) return true;
    fim = p + 1;
    if (dados_[p - 1] == '/') {
        if (profundidade_ <= 2) corte_ = Corte{fim, profundidade_, abertura_, nomeAberto_};
    } else if (++profundidade_ == 2) {
        abertura_ = inicio;
        nomeAberto_ = nomeDaEtiqueta(dados_, inicio);
    }
    return true;
}

void LeituraEmPartes::aoFecharElemento(std::size_t inicio, std::size_t fim) {
    if (--profundidade_ == 0) {
        fechoDaRaiz_ = Fechamento{inicio, fim};
        return;
    }
    if (profundidade_ == 1 && profundidadeInicial_ == 2 && !fechamentoInicial_)
        fechamentoInicial_ = Fechamento{inicio, fim};
    if (profundidade_ <= 2) corte_ = Corte{fim, profundidade_, abertura_, nomeAberto_};
}

bool LeituraEmPartes::anexar(pugi::xml_node pai, std::size_t de, std::size_t ate,
                             const std::string& fecho) {
    if (de >= ate) return true;
    return anexarTrecho(pai, dados_.substr(de, ate - de) + fecho, codificacao_);
}

// The piece up to `corte`: the rest of the order left open by the last piece
// goes into it; whole orders go under the root; an order still open at the
// cut is parsed with an end of its own, and later pieces go on inside it.
bool LeituraEmPartes::aplicar(const Corte& corte) {
    std::size_t de = 0;
    if (profundidadeInicial_ == 2) {
        const bool fechou = fechamentoInicial_ && fechamentoInicial_->fim <= corte.fim;
        if (!anexar(pedidoAberto_, 0, fechou ? fechamentoInicial_->inicio : corte.fim))
            return falhar();
        if (fechou) de = fechamentoInicial_->fim;
    }
    if (de > 0 || profundidadeInicial_ == 1) {
        if (corte.profundidade == 2) {
            if (!corte.abertura || !anexar(raiz_, de, *corte.abertura) ||
                !anexar(raiz_, *corte.abertura, corte.fim, "</" + corte.nomeAberto + ">"))
                return falhar();
            pedidoAberto_ = raiz_.last_child();
        } else if (!anexar(raiz_, de, corte.fim)) {
            return falhar();
        }
    }
    dados_.erase(0, corte.fim);
    varrido_ -= corte.fim;
    if (fechoDaRaiz_) {
        fechoDaRaiz_->inicio -= corte.fim;
        fechoDaRaiz_->fim -= corte.fim;
    }
    if (abertura_ && *abertura_ >= corte.fim)
        *abertura_ -= corte.fim;
    else
        abertura_.reset();
    profundidadeInicial_ = corte.profundidade;
    fechamentoInicial_.reset();
    corte_.reset();
    ++pecas_;
    return true;
}

// The root closed: what came before its end tag is the last piece, and
// after it only blanks may follow.
bool LeituraEmPartes::terminarNaRaiz() {
    if (!aplicar(Corte{fechoDaRaiz_->inicio, 1, std::nullopt, {}})) return false;
    while (lerMais()) {
    }
    if (!soEspacos(std::string_view(dados_).substr(fechoDaRaiz_->fim))) return falhar();
    dados_.clear();
    estado_ = Estado::Terminou;
    return true;
}

}  // namespace etiquetas
