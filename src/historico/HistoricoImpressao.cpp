#include "historico/HistoricoImpressao.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <map>
#include <tuple>

#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "historico/Sqlite.h"

namespace etiquetas {

namespace fs = std::filesystem;

namespace {

// A busy file is waited for this long before the write counts as failed.
constexpr int kEsperaMs = 4000;

// Step n takes a file of version n to n + 1. A new version appends a step;
// a step never changes once shipped.
constexpr const char* kMigracoes[] = {
    R"(CREATE TABLE execucoes(
         id INTEGER PRIMARY KEY,
         arquivo TEXT NOT NULL, md5 TEXT NOT NULL,
         tipo_etiqueta INTEGER NOT NULL, familia TEXT NOT NULL, volume INTEGER NOT NULL,
         impressora TEXT NOT NULL, linguagem TEXT NOT NULL, destino TEXT NOT NULL,
         usuario TEXT NOT NULL, inicio TEXT NOT NULL);
       CREATE INDEX execucoes_por_arquivo ON execucoes(arquivo);
       CREATE INDEX execucoes_por_md5 ON execucoes(md5);
       CREATE TABLE trabalhos(
         id INTEGER PRIMARY KEY,
         execucao INTEGER NOT NULL REFERENCES execucoes(id),
         numero INTEGER NOT NULL, tipo TEXT NOT NULL,
         linha INTEGER NOT NULL, pedido TEXT NOT NULL, item TEXT NOT NULL,
         variante TEXT NOT NULL, primeira INTEGER NOT NULL, ultima INTEGER NOT NULL,
         momento TEXT NOT NULL, desfecho INTEGER NOT NULL);
       CREATE INDEX trabalhos_enviados ON trabalhos(variante, ultima, primeira) WHERE desfecho = 1;
       CREATE INDEX trabalhos_por_execucao ON trabalhos(execucao, numero);)",
    // The check of a request reads every column it needs from the index of
    // sent jobs, without a visit to the table per job.
    R"(DROP INDEX trabalhos_enviados;
       CREATE INDEX trabalhos_enviados_cobertos
         ON trabalhos(variante, ultima, primeira, execucao, pedido, momento) WHERE desfecho = 1;)",
    // A run's rows as asked, so that a run cut short is taken up whole.
    R"(CREATE TABLE linhas_pedidas(
         execucao INTEGER NOT NULL REFERENCES execucoes(id), ordem INTEGER NOT NULL,
         linha INTEGER NOT NULL, primeira INTEGER NOT NULL, ultima INTEGER NOT NULL,
         PRIMARY KEY(execucao, ordem)) WITHOUT ROWID;)",
    // How each run ended, and whether it was a reprint.
    R"(ALTER TABLE execucoes ADD COLUMN reimpressao INTEGER NOT NULL DEFAULT 0;
       ALTER TABLE execucoes ADD COLUMN desfecho INTEGER NOT NULL DEFAULT 0;)",
};
static_assert(std::size(kMigracoes) == HistoricoImpressao::kVersaoEsquema);

std::string agora(const char* formato) {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char texto[32];
    std::strftime(texto, sizeof texto, formato, &local);
    return texto;
}

std::string utf8(const std::string& texto) {
    return cp1252ParaUtf8(texto);
}

std::string cp1252(const std::string& texto) {
    return utf8ParaCp1252(texto);
}

// The damaged file, its journal and shared memory under a name of their
// own; what remains in them is the user's to recover.
fs::path comSufixo(fs::path caminho, const std::string& sufixo) {
    return caminho += sufixo;
}

std::string separarDanificado(const fs::path& arquivo) {
    const fs::path base = comSufixo(arquivo, ".danificado-" + agora("%Y%m%d-%H%M%S"));
    fs::path destino = base;
    std::error_code erro;
    for (int n = 2; fs::exists(destino, erro); ++n)
        destino = comSufixo(base, "-" + std::to_string(n));
    fs::rename(arquivo, destino, erro);
    if (erro)
        throw FalhaHistorico("O histórico de impressões " + textoDoCaminho(arquivo) +
                             " está danificado e não pôde ser posto de lado: " + erro.message());
    for (const char* sufixo : {"-wal", "-shm"}) {
        fs::rename(comSufixo(arquivo, sufixo), comSufixo(destino, sufixo), erro);
        if (erro) fs::remove(comSufixo(arquivo, sufixo), erro);
    }
    return textoDoCaminho(destino);
}

// A file of an older version, read as it is, lacks the run's end and reprint
// mark: they read as none.
std::string selecaoLinhas(long long versao) {
    return std::string(
               "SELECT t.id, t.momento, e.arquivo, e.md5, e.tipo_etiqueta, e.familia, e.volume, "
               "e.impressora, e.linguagem, e.destino, e.usuario, t.tipo, t.linha, t.pedido, "
               "t.item, t.variante, t.primeira, t.ultima, t.desfecho, t.execucao, ") +
           (versao >= 4 ? "e.reimpressao, e.desfecho " : "0, 0 ") +
           "FROM trabalhos t JOIN execucoes e ON e.id = t.execucao ";
}

constexpr const char* kFiltro =
    "(?1 = '' OR e.arquivo = ?1 OR e.md5 = ?2) AND (?3 = '' OR t.pedido = ?3) "
    "AND (?4 = '' OR t.variante = ?4 OR t.variante LIKE ?4 || '-%' "
    "     OR (?11 <> '' AND (t.variante = ?11 OR t.variante LIKE ?11 || '-%'))) "
    "AND (?5 = '' OR t.momento >= ?5) AND (?6 = '' OR t.momento < ?6 || 'z') "
    "AND (?7 = 0 OR t.execucao = ?7) AND t.id < ?10 ";

void ligarFiltro(sqlite::Comando& c, const FiltroHistorico& f) {
    std::string md5;
    if (!f.arquivo.empty()) md5 = f.md5;
    c.ligar(1, utf8(f.arquivo))
        .ligar(2, md5)
        .ligar(3, utf8(f.pedido))
        .ligar(4, utf8(f.variante))
        .ligar(5, f.desde)
        .ligar(6, f.ate)
        .ligar(7, f.execucao)
        .ligar(11, utf8(f.varianteImpressa))
        // A plain bound lets the newest-first walk start at the row itself.
        .ligar(10, f.antesDe > 0 ? f.antesDe : std::numeric_limits<long long>::max());
}

LinhaHistorico lerLinha(const sqlite::Comando& c) {
    LinhaHistorico l;
    l.id = c.inteiro(0);
    l.momento = c.texto(1);
    l.execucao = {cp1252(c.texto(2)),
                  c.texto(3),
                  static_cast<int>(c.inteiro(4)),
                  cp1252(c.texto(5)),
                  c.inteiro(6) != 0,
                  cp1252(c.texto(7)),
                  cp1252(c.texto(8)),
                  cp1252(c.texto(9)),
                  cp1252(c.texto(10)),
                  caminhoDoUtf8(c.texto(2)),
                  {},
                  c.inteiro(20) != 0,
                  static_cast<DesfechoExecucao>(c.inteiro(21))};
    l.tipoTrabalho = cp1252(c.texto(11));
    l.origem = {static_cast<int>(c.inteiro(12)),
                cp1252(c.texto(13)),
                cp1252(c.texto(14)),
                cp1252(c.texto(15)),
                c.inteiro(16),
                c.inteiro(17)};
    l.desfecho = static_cast<DesfechoTrabalho>(c.inteiro(18));
    l.idExecucao = c.inteiro(19);
    return l;
}

}  // namespace

bool historicoDisponivel() {
    return true;
}

HistoricoImpressao::HistoricoImpressao(const fs::path& arquivo, AberturaHistorico abertura)
    : arquivo_(arquivo), leitura_(abertura == AberturaHistorico::Leitura) {
    try {
        abrir();
    } catch (const sqlite::Falha& f) {
        if (!f.corrompido() || leitura_) falhar(f, "aberto");
        banco_.reset();
        const std::string guardado = separarDanificado(arquivo_);
        aviso_ = "O histórico de impressões estava danificado e foi guardado como " + guardado +
                 "; um novo histórico foi iniciado em " + textoDoCaminho(arquivo_) + ".";
        try {
            abrir();
        } catch (const sqlite::Falha& f2) {
            falhar(f2, "aberto");
        }
    }
}

HistoricoImpressao::~HistoricoImpressao() = default;

void HistoricoImpressao::abrir() {
    if (leitura_) {
        banco_ = std::make_unique<sqlite::Banco>(arquivo_, kEsperaMs, true);
        criarOuMigrar();
        return prepararComandos();
    }
    std::error_code erro;
    fs::create_directories(arquivo_.parent_path(), erro);
    banco_ = std::make_unique<sqlite::Banco>(arquivo_, kEsperaMs);
    if (banco_->somenteLeitura())
        throw FalhaHistorico("O histórico de impressões " + textoDoCaminho(arquivo_) +
                             " só pode ser lido: nada do que for impresso ficaria registrado.");
    if (!modoWal())
        throw FalhaHistorico("O histórico de impressões " + textoDoCaminho(arquivo_) +
                             " não pôde passar ao modo WAL.");
    // A process that dies keeps what it wrote; only a power cut may lose the
    // last jobs, never the file.
    banco_->executar("PRAGMA synchronous = NORMAL");
    criarOuMigrar();
    prepararComandos();
}

void HistoricoImpressao::prepararComandos() {
    inserirTrabalho_ = std::make_unique<sqlite::Comando>(
        *banco_,
        "INSERT INTO trabalhos(execucao, numero, tipo, linha, pedido, item, variante, "
        "primeira, ultima, momento, desfecho) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, 0)");
    concluirTrabalho_ = std::make_unique<sqlite::Comando>(
        *banco_, "UPDATE trabalhos SET desfecho = ?3 WHERE execucao = ?1 AND numero = ?2");
    // The ranges a check asks about go in a table of this connection's own,
    // joined with the jobs sent in one statement: one look-up per range in
    // the index of sent jobs, without a statement per range.
    banco_->executar("PRAGMA temp_store = MEMORY");
    banco_->executar(
        "CREATE TEMP TABLE IF NOT EXISTS faixas_pedidas(n INTEGER PRIMARY KEY, "
        "tipo_etiqueta INTEGER NOT NULL, volume INTEGER NOT NULL, pedido TEXT NOT NULL, "
        "variante TEXT NOT NULL, primeira INTEGER NOT NULL, ultima INTEGER NOT NULL)");
    inserirFaixa_ = std::make_unique<sqlite::Comando>(
        *banco_, "INSERT INTO temp.faixas_pedidas VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    // CROSS JOIN keeps the ranges outermost, whatever the planner guesses of
    // a table it has no statistics for.
    anteriores_ = std::make_unique<sqlite::Comando>(
        *banco_,
        "SELECT f.n, t.execucao, t.primeira, t.ultima, t.momento, e.impressora, e.destino "
        "FROM temp.faixas_pedidas f CROSS JOIN trabalhos t CROSS JOIN execucoes e "
        "WHERE t.variante = f.variante AND t.desfecho = 1 AND t.ultima >= f.primeira "
        "AND t.primeira <= f.ultima AND e.id = t.execucao AND e.tipo_etiqueta = f.tipo_etiqueta "
        "AND e.volume = f.volume AND (f.volume = 0 OR t.pedido = f.pedido) ORDER BY f.n");
}

bool HistoricoImpressao::modoWal() {
    sqlite::Comando wal(*banco_, "PRAGMA journal_mode = WAL");
    return wal.passo() && wal.texto(0) == "wal";
}

void HistoricoImpressao::criarOuMigrar() {
    auto versao = [this] {
        sqlite::Comando c(*banco_, "PRAGMA user_version");
        return c.passo() ? c.inteiro(0) : 0;
    };
    versao_ = versao();
    if (versao_ > kVersaoEsquema)
        throw FalhaHistorico("O histórico de impressões " + textoDoCaminho(arquivo_) +
                             " foi gravado por uma versão mais nova do programa.");
    // The reader leaves the file as it is: what an older version lacks reads
    // as empty.
    if (leitura_) return;
    while (versao() < kVersaoEsquema) {
        sqlite::Transacao t(*banco_);
        // Another instance may have moved it on while this one waited.
        const long long atual = versao();
        if (atual >= kVersaoEsquema) break;
        banco_->executar(kMigracoes[atual]);
        banco_->executar(("PRAGMA user_version = " + std::to_string(atual + 1)).c_str());
        t.confirmar();
    }
    versao_ = kVersaoEsquema;
}

void HistoricoImpressao::falhar(const std::exception& e, const std::string& acao) const {
    if (const auto* f = dynamic_cast<const FalhaHistorico*>(&e)) throw *f;
    const auto* falha = dynamic_cast<const sqlite::Falha*>(&e);
    throw FalhaHistorico("O histórico de impressões " + textoDoCaminho(arquivo_) +
                         " não pôde ser " + acao + ": " +
                         (falha ? falha->motivo() : cp1252(e.what())) + ".");
}

template <typename F>
auto HistoricoImpressao::protegido(const std::string& acao, F&& f) {
    if (!banco_) throw FalhaHistorico("O histórico de impressões não está aberto.");
    try {
        return f();
    } catch (const sqlite::Falha& falha) {
        if (falha.corrompido() && !leitura_) {
            // The next start begins a new file rather than failing again.
            banco_.reset();
            const std::string guardado = separarDanificado(arquivo_);
            throw FalhaHistorico("O histórico de impressões está danificado e foi guardado como " +
                                 guardado + "; o próximo uso iniciará um novo histórico.");
        }
        falhar(falha, acao);
    }
}

long long HistoricoImpressao::iniciarExecucao(const ExecucaoRegistrada& e) {
    return protegido("gravado", [&] {
        sqlite::Transacao t(*banco_);
        sqlite::Comando c(*banco_,
                          "INSERT INTO execucoes(arquivo, md5, tipo_etiqueta, familia, volume, "
                          "impressora, linguagem, destino, usuario, inicio, reimpressao) "
                          "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
        // The path's own bytes (a name need not be UTF-8); it is read back
        // through caminhoDoUtf8.
        c.ligar(1, e.caminho.empty() ? utf8(e.arquivo) : utf8DoCaminho(e.caminho))
            .ligar(2, e.md5)
            .ligar(3, e.tipoEtiqueta)
            .ligar(4, utf8(e.familia))
            .ligar(5, e.volume ? 1 : 0)
            .ligar(6, utf8(e.impressora))
            .ligar(7, utf8(e.linguagem))
            .ligar(8, utf8(e.destino))
            .ligar(9, utf8(e.usuario))
            .ligar(10, agora("%Y-%m-%d %H:%M:%S"))
            .ligar(11, e.reimpressao ? 1 : 0);
        c.executar();
        const long long id = banco_->ultimoId();
        sqlite::Comando linha(*banco_, "INSERT INTO linhas_pedidas VALUES(?1, ?2, ?3, ?4, ?5)");
        for (std::size_t n = 0; n < e.linhasPedidas.size(); ++n) {
            const LinhaPedida& l = e.linhasPedidas[n];
            linha.ligar(1, id)
                .ligar(2, static_cast<long long>(n))
                .ligar(3, l.linha)
                .ligar(4, l.primeira)
                .ligar(5, l.ultima);
            linha.executar();
        }
        t.confirmar();
        return id;
    });
}

void HistoricoImpressao::concluirExecucao(long long execucao, DesfechoExecucao desfecho) {
    protegido("gravado", [&] {
        sqlite::Comando c(*banco_, "UPDATE execucoes SET desfecho = ?2 WHERE id = ?1");
        c.ligar(1, execucao).ligar(2, static_cast<int>(desfecho));
        c.executar();
    });
}

std::vector<LinhaPedida> HistoricoImpressao::linhasPedidas(long long execucao) {
    if (versao_ < 3) return {};
    return protegido("lido", [&] {
        sqlite::Comando c(*banco_,
                          "SELECT linha, primeira, ultima FROM linhas_pedidas WHERE execucao = ?1 "
                          "ORDER BY ordem");
        c.ligar(1, execucao);
        std::vector<LinhaPedida> r;
        while (c.passo()) r.push_back({static_cast<int>(c.inteiro(0)), c.inteiro(1), c.inteiro(2)});
        return r;
    });
}

void HistoricoImpressao::registrarTrabalho(long long execucao, int numero,
                                           const std::string& tipoTrabalho,
                                           const std::vector<OrigemRegistrada>& origens) {
    protegido("gravado", [&] {
        const std::string momento = agora("%Y-%m-%d %H:%M:%S");
        auto inserir = [&](const OrigemRegistrada& o) {
            inserirTrabalho_->ligar(1, execucao)
                .ligar(2, numero)
                .ligar(3, utf8(tipoTrabalho))
                .ligar(4, o.linha)
                .ligar(5, utf8(o.pedido))
                .ligar(6, utf8(o.item))
                .ligar(7, utf8(o.variante))
                .ligar(8, o.primeira)
                .ligar(9, o.ultima)
                .ligar(10, momento);
            inserirTrabalho_->executar();
        };
        if (origens.empty()) return inserir({});
        if (origens.size() == 1) return inserir(origens.front());
        sqlite::Transacao t(*banco_);
        for (const auto& o : origens) inserir(o);
        t.confirmar();
    });
}

void HistoricoImpressao::concluirTrabalho(long long execucao, int numero,
                                          DesfechoTrabalho desfecho) {
    protegido("gravado", [&] {
        concluirTrabalho_->ligar(1, execucao).ligar(2, numero).ligar(3, static_cast<int>(desfecho));
        concluirTrabalho_->executar();
    });
}

namespace {

struct Enviada {
    long long execucao;
    ImpressaoAnterior parte;
};

// The jobs of one run that follow each other read as one range; the parts
// in the order of their first number.
std::vector<ImpressaoAnterior> juntarPorExecucao(std::vector<Enviada>& enviadas) {
    std::sort(enviadas.begin(), enviadas.end(), [](const auto& a, const auto& b) {
        return std::tie(a.execucao, a.parte.primeira) < std::tie(b.execucao, b.parte.primeira);
    });
    std::vector<ImpressaoAnterior> r;
    for (std::size_t i = 0; i < enviadas.size(); ++i) {
        auto& e = enviadas[i];
        if (i > 0 && enviadas[i - 1].execucao == e.execucao &&
            e.parte.primeira <= r.back().ultima + 1) {
            r.back().ultima = std::max(r.back().ultima, e.parte.ultima);
            continue;
        }
        r.push_back(std::move(e.parte));
    }
    std::stable_sort(r.begin(), r.end(),
                     [](const auto& a, const auto& b) { return a.primeira < b.primeira; });
    return r;
}

}  // namespace

std::vector<ImpressaoAnterior> HistoricoImpressao::anteriores(const FaixaPedida& faixa) {
    return std::move(anteriores(std::vector<FaixaPedida>{faixa}).front());
}

std::vector<std::vector<ImpressaoAnterior>> HistoricoImpressao::anteriores(
    const std::vector<FaixaPedida>& faixas) {
    return protegido("lido", [&] {
        std::vector<std::vector<ImpressaoAnterior>> r(faixas.size());
        sqlite::Transacao t(*banco_, false);
        banco_->executar("DELETE FROM temp.faixas_pedidas");
        for (std::size_t n = 0; n < faixas.size(); ++n) {
            const FaixaPedida& f = faixas[n];
            inserirFaixa_->ligar(1, static_cast<long long>(n))
                .ligar(2, f.tipoEtiqueta)
                .ligar(3, f.volume ? 1 : 0)
                .ligar(4, utf8(f.pedido))
                .ligar(5, utf8(f.variante))
                .ligar(6, f.primeira)
                .ligar(7, f.ultima);
            inserirFaixa_->executar();
        }
        // Range by range; a run's printer and destination are read once.
        std::map<long long, std::pair<std::string, std::string>> ondeImpressa;
        std::vector<Enviada> daFaixa;
        std::size_t atual = 0;
        auto fecharFaixa = [&] {
            if (!daFaixa.empty()) r[atual] = juntarPorExecucao(daFaixa);
            daFaixa.clear();
        };
        sqlite::Comando& c = *anteriores_;
        while (c.passo()) {
            const auto n = static_cast<std::size_t>(c.inteiro(0));
            if (n != atual) fecharFaixa();
            atual = n;
            const long long execucao = c.inteiro(1);
            auto onde = ondeImpressa.find(execucao);
            if (onde == ondeImpressa.end())
                onde = ondeImpressa
                           .emplace(execucao, std::pair(cp1252(c.texto(5)), cp1252(c.texto(6))))
                           .first;
            const FaixaPedida& f = faixas[n];
            daFaixa.push_back(
                {execucao,
                 {std::max(c.inteiro(2), f.primeira), std::min(c.inteiro(3), f.ultima), c.texto(4),
                  onde->second.first, onde->second.second}});
        }
        fecharFaixa();
        c.reiniciar();
        banco_->executar("DELETE FROM temp.faixas_pedidas");
        t.confirmar();
        return r;
    });
}

void HistoricoImpressao::percorrer(const FiltroHistorico& filtro, long long deslocamento,
                                   long long limite,
                                   const std::function<bool(const LinhaHistorico&)>& visitar) {
    protegido("lido", [&] {
        sqlite::Comando c(*banco_, (selecaoLinhas(versao_) + "WHERE " + kFiltro +
                                    "ORDER BY t.id DESC LIMIT ?8 OFFSET ?9")
                                       .c_str());
        ligarFiltro(c, filtro);
        c.ligar(8, limite).ligar(9, deslocamento);
        while (c.passo())
            if (!visitar(lerLinha(c))) break;
    });
}

long long HistoricoImpressao::contar(const FiltroHistorico& filtro) {
    return protegido("lido", [&] {
        sqlite::Comando c(*banco_, (std::string("SELECT count(*) FROM trabalhos t JOIN execucoes "
                                                "e ON e.id = t.execucao WHERE ") +
                                    kFiltro)
                                       .c_str());
        ligarFiltro(c, filtro);
        return c.passo() ? c.inteiro(0) : 0;
    });
}

}  // namespace etiquetas
