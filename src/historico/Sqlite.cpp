#include "historico/Sqlite.h"

#include <sqlite3.h>

#include "comum/Arquivos.h"

namespace etiquetas::sqlite {

bool Falha::corrompido() const {
    return codigo == SQLITE_CORRUPT || codigo == SQLITE_NOTADB;
}

bool Falha::ocupado() const {
    return codigo == SQLITE_BUSY || codigo == SQLITE_LOCKED;
}

std::string Falha::motivo() const {
    switch (codigo) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "outro programa o mantém ocupado";
        case SQLITE_FULL:
            return "o disco está cheio";
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return "não há permissão para gravar nele";
        case SQLITE_CANTOPEN:
            return "o arquivo ou a sua pasta não está acessível";
        case SQLITE_IOERR:
            return "erro de leitura ou gravação no disco";
        case SQLITE_NOMEM:
            return "memória insuficiente";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "o arquivo está danificado";
    }
    return "falha " + std::to_string(codigo) + " do SQLite";
}

Banco::Banco(const std::filesystem::path& arquivo, int esperaMs, bool somenteLeitura) {
    // SQLite takes its file names in UTF-8 on every system; a narrow path on
    // Windows would be in the ANSI code page.
    const int r = sqlite3_open_v2(
        utf8DoCaminho(arquivo).c_str(), &banco_,
        somenteLeitura ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
        nullptr);
    if (r != SQLITE_OK) {
        const std::string texto = banco_ ? sqlite3_errmsg(banco_) : sqlite3_errstr(r);
        sqlite3_close(banco_);
        banco_ = nullptr;
        throw Falha(r & 0xff, texto);
    }
    sqlite3_extended_result_codes(banco_, 0);
    sqlite3_busy_timeout(banco_, esperaMs);
}

Banco::~Banco() {
    sqlite3_close_v2(banco_);
}

void Banco::executar(const char* sql) {
    const int r = sqlite3_exec(banco_, sql, nullptr, nullptr, nullptr);
    if (r != SQLITE_OK) falhar(r);
}

long long Banco::ultimoId() const {
    return sqlite3_last_insert_rowid(banco_);
}

bool Banco::somenteLeitura() const {
    return sqlite3_db_readonly(banco_, "main") == 1;
}

void Banco::falhar(int codigo) const {
    throw Falha(codigo & 0xff, sqlite3_errmsg(banco_));
}

Comando::Comando(Banco& banco, const char* sql) : banco_(banco) {
    const int r = sqlite3_prepare_v2(banco.nativo(), sql, -1, &comando_, nullptr);
    if (r != SQLITE_OK) banco.falhar(r);
}

Comando::~Comando() {
    sqlite3_finalize(comando_);
}

Comando& Comando::ligar(int indice, long long valor) {
    const int r = sqlite3_bind_int64(comando_, indice, valor);
    if (r != SQLITE_OK) banco_.falhar(r);
    return *this;
}

Comando& Comando::ligar(int indice, std::string_view texto) {
    const int r = sqlite3_bind_text64(comando_, indice, texto.data(), texto.size(),
                                      SQLITE_TRANSIENT, SQLITE_UTF8);
    if (r != SQLITE_OK) banco_.falhar(r);
    return *this;
}

bool Comando::passo() {
    const int r = sqlite3_step(comando_);
    if (r == SQLITE_ROW) return true;
    if (r == SQLITE_DONE) return false;
    sqlite3_reset(comando_);
    banco_.falhar(r);
}

void Comando::executar() {
    while (passo()) {
    }
    reiniciar();
}

void Comando::reiniciar() {
    sqlite3_reset(comando_);
}

long long Comando::inteiro(int coluna) const {
    return sqlite3_column_int64(comando_, coluna);
}

std::string Comando::texto(int coluna) const {
    const auto* bytes = sqlite3_column_text(comando_, coluna);
    if (!bytes) return {};
    return {reinterpret_cast<const char*>(bytes),
            static_cast<std::size_t>(sqlite3_column_bytes(comando_, coluna))};
}

Transacao::Transacao(Banco& banco, bool imediata) : banco_(banco) {
    banco_.executar(imediata ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transacao::~Transacao() {
    if (aberta_) sqlite3_exec(banco_.nativo(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transacao::confirmar() {
    banco_.executar("COMMIT");
    aberta_ = false;
}

}  // namespace etiquetas::sqlite
