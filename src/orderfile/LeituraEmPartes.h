#pragma once

// An order file read a piece at a time into one document, so that its rows
// can show while the rest is read. A piece ends after a whole order or a
// whole child of one (an item, a store): what it adds is complete, except
// that the root's last order may go on in the next piece. The document at
// the end is the one the whole-file load gives. A file this reading does not
// follow (a wide encoding, a DTD, something after the root, a piece the
// parser refuses) ends it with falhou(): the caller reads that file whole,
// whose load then decides.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>

#include "orderfile/Xml.h"

namespace etiquetas {

class LeituraEmPartes {
  public:
    // `parte`: how many bytes a piece holds at least, but the first, which is
    // small so that the first rows come at once.
    explicit LeituraEmPartes(const std::filesystem::path& caminho,
                             std::size_t parte = std::size_t{1} << 20);

    // The first call reads the start up to the root element; each later one
    // adds one piece. False at the end or on a failure.
    bool proxima();
    bool falhou() const { return estado_ == Estado::Falhou; }
    bool terminou() const { return estado_ == Estado::Terminou; }
    const std::shared_ptr<pugi::xml_document>& documento() const { return documento_; }
    // Bytes read into the document so far.
    std::uintmax_t lidos() const { return lidos_ - dados_.size(); }
    std::uintmax_t tamanho() const { return tamanho_; }

  private:
    enum class Estado { Inicio, Lendo, Terminou, Falhou };
    // Where a piece may end: after an element closes at the depth of the
    // orders or of their children.
    struct Corte {
        std::size_t fim = 0;
        int profundidade = 0;
        std::optional<std::size_t> abertura;  // of the order open there, if begun in the piece
        std::string nomeAberto;
    };
    struct Fechamento {
        std::size_t inicio = 0, fim = 0;
    };

    bool lerMais();
    std::size_t semCorte() const;
    bool lerCabeca();
    // Tokens from varrido_ on, as far as the bytes read hold whole ones;
    // false on what this reading does not follow.
    bool varrer();
    bool varrerMarcacao(std::size_t inicio, std::size_t& fim);
    void aoFecharElemento(std::size_t inicio, std::size_t fim);
    bool aplicar(const Corte& corte);
    bool anexar(pugi::xml_node pai, std::size_t de, std::size_t ate, const std::string& fecho = {});
    bool terminarNaRaiz();
    bool falhar();

    std::ifstream entrada_;
    std::uintmax_t tamanho_ = 0, lidos_ = 0;
    std::size_t parte_;
    bool fimDoArquivo_ = false;
    int pecas_ = 0;
    Estado estado_ = Estado::Inicio;
    Codificacao codificacao_ = Codificacao::Desconhecida;
    std::shared_ptr<pugi::xml_document> documento_;
    pugi::xml_node raiz_, pedidoAberto_;

    std::string dados_;  // from the start of the piece being read
    std::size_t varrido_ = 0;
    int profundidade_ = 1;                 // at varrido_; the root is depth 1
    int profundidadeInicial_ = 1;          // at the start of the piece
    std::optional<std::size_t> abertura_;  // the last order opened in the piece, and its name
    std::string nomeAberto_;
    std::optional<Corte> corte_;
    std::optional<Fechamento> fechamentoInicial_;  // of the order open at the start
    std::optional<Fechamento> fechoDaRaiz_;
};

}  // namespace etiquetas
