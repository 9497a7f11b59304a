#pragma once

// A thin hold on SQLite's C API: a connection and a prepared statement that
// close themselves, and a failure that carries SQLite's code and text.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace etiquetas::sqlite {

class Falha : public std::runtime_error {
  public:
    Falha(int codigo, const std::string& texto) : std::runtime_error(texto), codigo(codigo) {}
    int codigo;  // SQLite's primary result code
    bool corrompido() const;
    bool ocupado() const;
    // What went wrong in the user's words (SQLite's own text is English).
    std::string motivo() const;
};

class Banco {
  public:
    // Opens or creates the file (only opens it, to read); waits up to
    // `espera` for another writer.
    Banco(const std::filesystem::path& arquivo, int esperaMs, bool somenteLeitura = false);
    ~Banco();
    Banco(const Banco&) = delete;
    Banco& operator=(const Banco&) = delete;

    void executar(const char* sql);
    long long ultimoId() const;
    bool somenteLeitura() const;
    sqlite3* nativo() const { return banco_; }
    [[noreturn]] void falhar(int codigo) const;

  private:
    sqlite3* banco_ = nullptr;
};

class Comando {
  public:
    Comando(Banco& banco, const char* sql);
    ~Comando();
    Comando(const Comando&) = delete;
    Comando& operator=(const Comando&) = delete;

    // Parameters from 1, as SQLite numbers them.
    Comando& ligar(int indice, long long valor);
    Comando& ligar(int indice, std::string_view texto);
    // True while a row is there to read.
    bool passo();
    // Runs a statement that returns no rows, ready to run again.
    void executar();
    void reiniciar();

    long long inteiro(int coluna) const;
    std::string texto(int coluna) const;

  private:
    Banco& banco_;
    sqlite3_stmt* comando_ = nullptr;
};

// BEGIN IMMEDIATE at once (BEGIN when it writes only what is the
// connection's own, a TEMP table), ROLLBACK unless confirmar() was called.
class Transacao {
  public:
    explicit Transacao(Banco& banco, bool imediata = true);
    ~Transacao();
    void confirmar();

  private:
    Banco& banco_;
    bool aberta_ = true;
};

}  // namespace etiquetas::sqlite
