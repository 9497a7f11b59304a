#include "zpl/Interpretador.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "zpl/CodigoBarras.h"
#include "zpl/Colocacao.h"
#include "zpl/Comandos.h"
#include "zpl/Fontes.h"
#include "zpl/Graficos.h"
#include "zpl/MemoriaLeitura.h"
#include "zpl/TextoCampo.h"

namespace etiquetas::zpl {

namespace {

using Parametros = std::vector<std::string>;

enum class TipoCampo { Texto, Caixa, Circulo, Diagonal, Barras, Grafico };

struct Campo {
    bool aberto = false;
    int x = 0, y = 0;
    bool naLinhaBase = false;
    std::optional<char> fonte;
    std::optional<Orientacao> orientacao;
    int altura = 0, largura = 0;
    std::optional<Bloco> bloco;
    std::optional<char> indicadorHex;
    bool reverso = false;
    std::optional<std::string> dados;
    TipoCampo tipo = TipoCampo::Texto;
    std::string comandoTipo;  // "GB", "BC", "XG", ...
    Parametros parametrosTipo;
};

// Defaults that each format starts with.
struct Formato {
    Modulo modulo;
    int alturaBarras = 10;
    char fonte = 'A';
    Celula tamanho{9, 5};
    Orientacao orientacao = Orientacao::Normal;
};

bool mesmoFormato(const Formato& a, const Formato& b) {
    return a.modulo.largura == b.modulo.largura && a.modulo.razao == b.modulo.razao &&
           a.alturaBarras == b.alturaBarras && a.fonte == b.fonte && a.tamanho == b.tamanho &&
           a.orientacao == b.orientacao;
}

// What a field reads from outside itself: the format's defaults, the label
// home and the character set.
struct ContextoCampo {
    Formato formato;
    int origemX = 0, origemY = 0, codificacao = 0;

    bool operator==(const ContextoCampo& o) const {
        return mesmoFormato(formato, o.formato) && origemX == o.origemX && origemY == o.origemY &&
               codificacao == o.codificacao;
    }
};

// What a field leaves behind: the defaults it set, the command warnings name.
struct DepoisDoCampo {
    Formato formato;
    std::string origem;
};

using CampoLido = LeituraGuardada<ContextoCampo, DepoisDoCampo>;
using MemoriaCampos = MemoriaLeitura<CampoLido>;

// The commands of a field before its ^FD, and what they left.
struct PrefixoLido {
    std::string texto;
    ContextoCampo antes;
    bool guardado = false;
    std::vector<std::string> avisos;
    Campo campo;
    Formato formato;
    std::string origem;
};

// Not carried into a copy of the reader, as its field memory is not.
struct PrefixosLidos {
    std::vector<PrefixoLido> lugares;
    PrefixosLidos() = default;
    PrefixosLidos(const PrefixosLidos&) {}
    PrefixosLidos& operator=(const PrefixosLidos&) {
        lugares.clear();
        return *this;
    }
};

std::string_view parametro(const Parametros& p, std::size_t i) {
    return i < p.size() ? std::string_view(p[i]) : std::string_view();
}

std::string_view aparado(std::string_view t) {
    const auto a = t.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

std::optional<Orientacao> orientacao(char c) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'N':
            return Orientacao::Normal;
        case 'R':
            return Orientacao::Rotacionada;
        case 'I':
            return Orientacao::Invertida;
        case 'B':
            return Orientacao::DeBaixoParaCima;
    }
    return std::nullopt;
}

char letra(std::string_view t, char padrao) {
    const std::string_view a = aparado(t);
    return a.empty() ? padrao : static_cast<char>(std::toupper(static_cast<unsigned char>(a[0])));
}

bool ehPrefixo(char c) {
    return c == '^' || c == '~';
}

class Interpretador : public Leitor {
  public:
    Interpretador(int dpmm, DestinoLeitura destino) : dpmm_(dpmm), destino_(std::move(destino)) {}

    // Only what lies before the last prefix is surely whole: the command that
    // starts there may go on in the next piece.
    void ler(std::string_view pedaco) override {
        if (pendente_.empty()) return lerInteiro(pedaco);
        const std::size_t lidos = pendente_.size();
        pendente_.append(pedaco);
        std::size_t ultimo = std::string::npos;
        for (std::size_t i = pendente_.size(); i > std::max<std::size_t>(lidos, 1); --i)
            if (ehPrefixo(pendente_[i - 1])) {
                ultimo = i - 1;
                break;
            }
        if (ultimo == std::string::npos) return;
        executarTrecho(std::string_view(pendente_).substr(0, ultimo), false);
        pendente_.erase(0, ultimo);
    }

    // The same without copying the piece first: a job comes whole.
    void lerInteiro(std::string_view pedaco) {
        std::size_t aposUltimo = pedaco.size();
        while (aposUltimo > 0 && !ehPrefixo(pedaco[aposUltimo - 1])) --aposUltimo;
        if (aposUltimo <= 1) {
            pendente_.assign(pedaco);
            return;
        }
        const std::size_t ultimo = aposUltimo - 1;
        executarTrecho(pedaco.substr(0, ultimo), false);
        pendente_.assign(pedaco.substr(ultimo));
    }

    void terminar() override {
        executarTrecho(pendente_, true);
        pendente_.clear();
        if (dentro_) avisar("o spool termina sem ^XZ: a impressora não imprime esta etiqueta");
    }

    int etiquetasLidas() const override { return lidas_; }
    std::size_t objetosArmazenados() const override { return graficos_.quantidade(); }
    void redirecionar(DestinoLeitura destino) override { destino_ = std::move(destino); }
    std::unique_ptr<Leitor> copia() const override {
        return std::make_unique<Interpretador>(*this);
    }

  private:
    void executarTrecho(std::string_view trecho, bool fimDoSpool) {
        std::size_t i = inicioDosComandos(trecho);
        if (temTexto(trecho.substr(0, i)))
            avisar("texto fora de comandos ignorado antes do primeiro comando");
        while (i < trecho.size()) {
            if (aposSeparador_ && dentro_)
                if (const std::size_t fim = fimDoCampo(trecho, i); fim != std::string_view::npos) {
                    lerCampo(trecho.substr(i, fim - i));
                    i = fim;
                    continue;
                }
            i = executarComando(trecho, i, fimDoSpool);
        }
    }

    std::size_t executarComando(std::string_view trecho, std::size_t i, bool fimDoSpool) {
        i = lerComando(trecho, i, comando_);
        if (comando_.truncado) {
            aposSeparador_ = false;
            avisarIncompleto(comando_, fimDoSpool && i == trecho.size());
        } else {
            executar(comando_);
        }
        return i;
    }

    // ---- fields a template repeats from label to label

    // Where the field that starts at `i` ends: the command after its ^FS.
    // None when that is not in this piece, or the field is too long to keep.
    static std::size_t fimDoCampo(std::string_view trecho, std::size_t i) {
        const std::size_t fs = separadorAte(trecho, i, i + MemoriaCampos::kTextoMaximo);
        if (fs == std::string_view::npos) return std::string_view::npos;
        const std::size_t seguinte = inicioDosComandos(trecho, fs + 3);
        return seguinte == trecho.size() ? std::string_view::npos : seguinte;
    }

    // The first ^FS from `i`, starting by `limite`. A field has a caret every
    // few characters: find() would call memchr once a command.
    static std::size_t separadorAte(std::string_view t, std::size_t i, std::size_t limite) {
        const std::size_t fim = std::min(t.size(), limite + 3);
        for (; i + 3 <= fim; ++i)
            if (t[i] == '^' && t[i + 1] == 'F' && t[i + 2] == 'S') return i;
        return std::string_view::npos;
    }

    ContextoCampo contexto() const {
        return {formato_, impressora_.origemX, impressora_.origemY, impressora_.codificacao};
    }

    // A field right after a ^FS depends only on its text and its context: the
    // third time the same one comes at the same place of a label it is not
    // read again, its reading is.
    void lerCampo(std::string_view texto) {
        const std::size_t lugar = campoNaEtiqueta_++;
        const auto p = memoria_.passo(lugar, texto, contexto());
        switch (p.passo) {
            case PassoLeitura::Ler:
                return executarCampoNovo(texto, lugar);
            case PassoLeitura::Guardar:
                return guardar(*p.leitura, texto);
            case PassoLeitura::Repetir:
                return repetir(*p.leitura);
        }
    }

    void repetir(const CampoLido& c) {
        for (const auto& a : c.avisos) avisar(a);
        etiqueta_.operacoes.insert(etiqueta_.operacoes.end(), c.operacoes.begin(),
                                   c.operacoes.end());
        formato_ = c.depois.formato;
        origem_ = c.depois.origem;
        campo_ = Campo{};
        aposSeparador_ = true;
    }

    void guardar(CampoLido& c, std::string_view texto) {
        const std::size_t antes = etiqueta_.operacoes.size();
        c.avisos.clear();
        avisosGuardados_ = &c.avisos;
        c.repetivel = executarCampoRepetivel(texto);
        avisosGuardados_ = nullptr;
        c.guardada = true;
        // What else a piece held (a label's end, say) is read every time.
        if (!c.repetivel) return;
        c.operacoes.assign(etiqueta_.operacoes.begin() + static_cast<std::ptrdiff_t>(antes),
                           etiqueta_.operacoes.end());
        c.depois = {formato_, origem_};
    }

    void executarCampo(std::string_view texto, std::size_t i = 0) {
        while (i < texto.size()) i = executarComando(texto, i, false);
    }

    // A field whose data is new often keeps the commands before its ^FD
    // (origin, font, block, bar-code kind): what they leave is kept at the
    // field's place, and only the data onwards is read.
    void executarCampoNovo(std::string_view texto, std::size_t lugar) {
        const std::size_t dados = texto.find("^FD");
        if (dados == std::string_view::npos || dados == 0 || lugar >= MemoriaCampos::kLugares)
            return executarCampo(texto);
        if (lugar >= prefixos_.lugares.size()) prefixos_.lugares.resize(lugar + 1);
        PrefixoLido& p = prefixos_.lugares[lugar];
        const std::string_view prefixo = texto.substr(0, dados);
        const ContextoCampo antes = contexto();
        if (p.guardado && p.texto == prefixo && p.antes == antes) {
            for (const auto& a : p.avisos) avisar(a);
            campo_ = p.campo;
            formato_ = p.formato;
            origem_ = p.origem;
            aposSeparador_ = false;
        } else {
            guardarPrefixo(p, prefixo, antes);
        }
        executarCampo(texto, dados);
    }

    // Kept only when it held field commands alone and drew nothing.
    void guardarPrefixo(PrefixoLido& p, std::string_view prefixo, const ContextoCampo& antes) {
        p.texto.assign(prefixo);
        p.antes = antes;
        p.avisos.clear();
        const std::size_t operacoes = etiqueta_.operacoes.size();
        avisosGuardados_ = &p.avisos;
        const bool deCampo = executarComandosDeCampo(prefixo, false);
        avisosGuardados_ = nullptr;
        p.guardado = deCampo && etiqueta_.operacoes.size() == operacoes;
        if (!p.guardado) return;
        p.campo = campo_;
        p.formato = formato_;
        p.origem = origem_;
    }

    // The same, telling whether the field held only field commands and ended
    // with its ^FS.
    bool executarCampoRepetivel(std::string_view texto) {
        return executarComandosDeCampo(texto, true) && aposSeparador_;
    }

    // Runs `texto`, telling whether it held field commands alone, with a ^FS
    // as its last command when `comSeparador`, and none anywhere else.
    bool executarComandosDeCampo(std::string_view texto, bool comSeparador) {
        bool deCampo = true;
        for (std::size_t i = 0; i < texto.size();) {
            i = executarComando(texto, i, false);
            const Entrada* e = comando_.truncado ? nullptr : entrada(comando_);
            const bool separadorEsperado = comSeparador && i == texto.size();
            deCampo = deCampo && e && comandoDeCampo(*e) &&
                      (e->tratador == &Interpretador::separadorCampo) == separadorEsperado;
        }
        return deCampo;
    }

    using Tratador = void (Interpretador::*)(const Comando&);
    struct Entrada {
        char prefixo;
        const char* nome;
        Tratador tratador;
        bool deFormato;  // only between ^XA and ^XZ
    };
    static std::span<const Entrada> comandos();

    static bool comandoDeCampo(const Entrada& e) {
        static constexpr Tratador kDeCampo[] = {
            &Interpretador::comentario,  &Interpretador::padraoBarras,
            &Interpretador::fontePadrao, &Interpretador::orientacaoPadrao,
            &Interpretador::origemCampo, &Interpretador::origemTipografica,
            &Interpretador::fonte,       &Interpretador::dadosCampo,
            &Interpretador::hexadecimal, &Interpretador::bloco,
            &Interpretador::reverso,     &Interpretador::separadorCampo,
            &Interpretador::caixa,       &Interpretador::circulo,
            &Interpretador::diagonal,    &Interpretador::barras,
        };
        return std::find(std::begin(kDeCampo), std::end(kDeCampo), e.tratador) !=
               std::end(kDeCampo);
    }

    void avisarIncompleto(const Comando& c, bool noFim) {
        origem_ = rotulo(c);
        avisar(rotulo(c) + (noFim
                                ? ": comando incompleto no fim do spool"
                                : ": comando incompleto, cortado pelo comando seguinte; ignorado"));
    }

    void executar(const Comando& c) {
        aposSeparador_ = false;
        rotular(origem_, c);
        const Entrada* e = entrada(c);
        if (!e) return avisar(rotulo(c) + ": comando desconhecido, ignorado");
        if (e->deFormato && !dentro_) return avisar(rotulo(c) + ": fora de ^XA ... ^XZ, ignorado");
        (this->*e->tratador)(c);
    }

    // A label runs through this for every command: a table by prefix and
    // name, not a walk through the list.
    static std::size_t chave(char prefixo, std::string_view nome) {
        return (prefixo == '~' ? 1U << 14 : 0U) |
               (static_cast<unsigned char>(nome[0]) & 0x7FU) << 7 |
               (nome.size() > 1 ? static_cast<unsigned char>(nome[1]) & 0x7FU : 0U);
    }
    static const Entrada* entrada(const Comando& c) {
        static const auto indice = [] {
            std::array<std::int8_t, 2 << 14> t{};
            t.fill(-1);
            const auto lista = comandos();
            for (std::size_t i = 0; i < lista.size(); ++i)
                t[chave(lista[i].prefixo, lista[i].nome)] = static_cast<std::int8_t>(i);
            return t;
        }();
        if (c.nome.empty() || c.nome.size() > 2) return nullptr;
        const int i = indice[chave(c.prefixo, c.nome)];
        if (i < 0) return nullptr;
        const Entrada& e = comandos()[static_cast<std::size_t>(i)];
        return e.prefixo == c.prefixo && c.nome == e.nome ? &e : nullptr;
    }

    // ---- warnings and numbers

    // One warning is one line, whatever the spool put in it.
    void avisar(std::string texto) {
        for (char& c : texto)
            if (c == '\r' || c == '\n') c = ' ';
        if (avisosGuardados_) avisosGuardados_->push_back(texto);
        if (destino_.aviso) destino_.aviso({dentro_ ? lidas_ + 1 : 0, std::move(texto)});
    }
    void avisarTodos(std::vector<std::string>& avisos) {
        for (const auto& a : avisos) avisar(a);
        avisos.clear();
    }

    // Leading digits, as the printer takes them; out of range is clamped.
    int numero(std::string_view texto, int padrao, int minimo, int maximo) {
        const std::string_view t = aparado(texto);
        if (t.empty()) return padrao;
        long long v = 0;
        std::size_t i = 0;
        for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])) && v <= 1'000'000'000;
             ++i)
            v = v * 10 + (t[i] - '0');
        if (i == 0) {
            avisar(origem_ + ": valor \"" + citacao(t) + "\" inválido; usado o padrão");
            return padrao;
        }
        if (v < minimo || v > maximo) {
            avisar(origem_ + ": valor " + citacao(t) + " fora de " + std::to_string(minimo) +
                   " a " + std::to_string(maximo) + "; limitado");
            v = std::clamp<long long>(v, minimo, maximo);
        }
        return static_cast<int>(v);
    }
    int coordenada(std::string_view t) { return numero(t, 0, 0, kCoordenadaMaxima); }

    // Into one list kept from one command to the next: a label has dozens.
    const Parametros& dividir(std::string_view parametros) {
        dividirParametros(parametros, parametros_);
        return parametros_;
    }
    const Parametros& dividir(const Comando& c) { return dividir(c.parametros); }

    void semParametros(const Comando& c) {
        if (!aparado(c.parametros).empty())
            avisar(rotulo(c) + ": texto ignorado depois do comando (\"" + citacao(c.parametros) +
                   "\")");
    }

    // ---- formats

    void inicioFormato(const Comando& c) {
        semParametros(c);
        if (dentro_) return avisar("^XA dentro de um formato aberto, ignorado");
        dentro_ = true;
        campoNaEtiqueta_ = 0;
        etiqueta_.esvaziar(operacoesNaUltima_);
        formato_ = Formato{};
        campo_ = Campo{};
    }

    void fimFormato(const Comando& c) {
        semParametros(c);
        if (!dentro_) return avisar("^XZ sem ^XA, ignorado");
        if (campoPendente()) {
            avisar("campo sem ^FS no fim do formato");
            emitirCampo();
        }
        etiqueta_.configuracao = impressora_;
        operacoesNaUltima_ = etiqueta_.operacoes.size();
        ++lidas_;
        if (destino_.etiqueta) destino_.etiqueta(std::move(etiqueta_));
        etiqueta_.esvaziar(0);
        impressora_.copias = 1;
        dentro_ = false;
    }

    // ---- label settings, kept by the printer from one format to the next

    void larguraImpressao(const Comando& c) {
        impressora_.largura = numero(c.parametros, 0, 2, kLarguraMaxima);
    }
    void comprimentoEtiqueta(const Comando& c) {
        impressora_.comprimento = numero(dividir(c)[0], 0, 1, kComprimentoMaximo);
    }
    void origemEtiqueta(const Comando& c) {
        const auto& p = dividir(c);
        impressora_.origemX = coordenada(parametro(p, 0));
        impressora_.origemY = coordenada(parametro(p, 1));
    }
    void codificacao(const Comando& c) {
        const int n = numero(dividir(c)[0], 0, 0, 36);
        if (!codificacaoConhecida(n))
            avisar("^CI" + std::to_string(n) +
                   ": conjunto de caracteres não simulado; lido como Windows-1252");
        impressora_.codificacao = n;
    }
    void velocidade(const Comando& c) {
        impressora_.velocidade = std::string(aparado(c.parametros));
    }
    void tonalidade(const Comando& c) {
        impressora_.tonalidade = std::string(aparado(c.parametros));
    }
    void quantidade(const Comando& c) {
        impressora_.copias = numero(dividir(c)[0], 1, 1, 99'999'999);
    }
    void comentario(const Comando&) {}

    // ---- format defaults

    void padraoBarras(const Comando& c) {
        const auto& p = dividir(c);
        formato_.modulo.largura = numero(parametro(p, 0), formato_.modulo.largura, 1, 10);
        if (const std::string r(aparado(parametro(p, 1))); !r.empty()) {
            const double v = std::atof(r.c_str());
            formato_.modulo.razao = std::clamp(v, 2.0, 3.0);
            if (v < 2.0 || v > 3.0) avisar("^BY: razão " + r + " fora de 2,0 a 3,0; limitada");
        }
        formato_.alturaBarras =
            numero(parametro(p, 2), formato_.alturaBarras, 1, kCoordenadaMaxima);
    }
    void fontePadrao(const Comando& c) {
        const auto& p = dividir(c);
        formato_.fonte = fonteValida(letra(parametro(p, 0), formato_.fonte));
        formato_.tamanho.altura =
            numero(parametro(p, 1), formato_.tamanho.altura, 0, kCoordenadaMaxima);
        formato_.tamanho.largura =
            numero(parametro(p, 2), formato_.tamanho.largura, 0, kCoordenadaMaxima);
    }
    void orientacaoPadrao(const Comando& c) {
        if (const auto o = orientacao(letra(c.parametros, 'N'))) formato_.orientacao = *o;
    }

    char fonteValida(char f) {
        if (fonteResidente(f)) return f;
        avisar(std::string("fonte \"") + f + "\" não residente; desenhada com a fonte 0");
        return '0';
    }

    // ---- fields

    bool campoPendente() const {
        return campo_.aberto && (campo_.dados.has_value() || campo_.tipo != TipoCampo::Texto);
    }

    void novoCampo(const Comando& c, bool naLinhaBase) {
        const auto& p = dividir(c);
        // Commands given before the origin belong to the same field.
        Campo novo;
        if (campoPendente()) {
            avisar("campo sem ^FS antes de " + rotulo(c));
            emitirCampo();
            origem_ = rotulo(c);
        } else {
            novo.fonte = campo_.fonte;
            novo.orientacao = campo_.orientacao;
            novo.altura = campo_.altura;
            novo.largura = campo_.largura;
            novo.bloco = campo_.bloco;
            novo.indicadorHex = campo_.indicadorHex;
            novo.reverso = campo_.reverso;
        }
        campo_ = std::move(novo);
        campo_.aberto = true;
        campo_.naLinhaBase = naLinhaBase;
        campo_.x = std::min(coordenada(parametro(p, 0)) + impressora_.origemX, kCoordenadaMaxima);
        campo_.y = std::min(coordenada(parametro(p, 1)) + impressora_.origemY, kCoordenadaMaxima);
    }
    void origemCampo(const Comando& c) { novoCampo(c, false); }
    void origemTipografica(const Comando& c) { novoCampo(c, true); }

    void abrir() { campo_.aberto = true; }

    void fonte(const Comando& c) {
        abrir();
        const std::string& t = c.parametros;
        if (!t.empty() && t[0] == '@')
            return avisar("^A@: fontes carregadas não simuladas; usada a fonte 0");
        campo_.fonte = fonteValida(
            t.empty() ? formato_.fonte
                      : static_cast<char>(std::toupper(static_cast<unsigned char>(t[0]))));
        const auto& p = dividir(t.empty() ? std::string_view{} : std::string_view(t).substr(1));
        if (const auto o = orientacao(letra(parametro(p, 0), ' '))) campo_.orientacao = *o;
        campo_.altura = numero(parametro(p, 1), 0, 0, kCoordenadaMaxima);
        campo_.largura = numero(parametro(p, 2), 0, 0, kCoordenadaMaxima);
    }

    void dadosCampo(const Comando& c) { definirDados(c.parametros); }
    // ^SN v,n,z: the first label carries the starting value; the copies of
    // ^PQ count on from it.
    void serie(const Comando& c) { definirDados(dividir(c)[0]); }
    // ^SF: the data of the field counts on in the copies; the first is as
    // written.
    void serieCampo(const Comando&) { abrir(); }

    void definirDados(const std::string& dados) {
        abrir();
        if (campo_.dados) avisar("^FD repetido no mesmo campo: vale o último");
        campo_.dados = dados;
        if (campo_.dados->size() > kDadosCampoMaximo) {
            avisar("^FD: dados além de " + std::to_string(kDadosCampoMaximo) +
                   " caracteres cortados");
            campo_.dados->resize(kDadosCampoMaximo);
        }
    }
    void hexadecimal(const Comando& c) {
        abrir();
        campo_.indicadorHex = c.parametros.empty() ? '_' : c.parametros[0];
    }
    void bloco(const Comando& c) {
        abrir();
        const auto& p = dividir(c);
        Bloco b;
        b.largura = numero(parametro(p, 0), 0, 0, kCoordenadaMaxima);
        b.linhas = numero(parametro(p, 1), 1, 1, 9999);
        b.espacamento = numero(parametro(p, 2), 0, 0, 9999);
        b.justificacao = letra(parametro(p, 3), 'L');
        if (std::string_view("LCRJ").find(b.justificacao) == std::string_view::npos)
            b.justificacao = 'L';
        b.recuo = numero(parametro(p, 4), 0, 0, 9999);
        campo_.bloco = b;
    }
    void reverso(const Comando& c) {
        semParametros(c);
        abrir();
        campo_.reverso = true;
    }
    void tipoCampo(const Comando& c, TipoCampo tipo) {
        abrir();
        if (campo_.tipo != TipoCampo::Texto)
            avisar(rotulo(c) + ": segundo objeto no mesmo campo; vale o último");
        campo_.tipo = tipo;
        campo_.comandoTipo = c.nome;
        campo_.parametrosTipo = dividir(c);
    }
    void caixa(const Comando& c) { tipoCampo(c, TipoCampo::Caixa); }
    void circulo(const Comando& c) { tipoCampo(c, TipoCampo::Circulo); }
    void diagonal(const Comando& c) { tipoCampo(c, TipoCampo::Diagonal); }
    void barras(const Comando& c) { tipoCampo(c, TipoCampo::Barras); }
    void recuperarGrafico(const Comando& c) { tipoCampo(c, TipoCampo::Grafico); }

    void separadorCampo(const Comando& c) {
        semParametros(c);
        if (campoPendente()) emitirCampo();
        campo_ = Campo{};
        aposSeparador_ = true;
    }

    // ---- stored graphics

    void carregarGrafico(const Comando& c) {
        std::vector<std::string> avisos;
        graficos_.carregar(c.parametros, avisos);
        avisarTodos(avisos);
    }
    void apagarObjeto(const Comando& c) {
        std::vector<std::string> avisos;
        graficos_.apagar(dividir(c)[0], avisos);
        avisarTodos(avisos);
    }

    // ---- emitting a field

    Orientacao orientacaoCampo() const { return campo_.orientacao.value_or(formato_.orientacao); }

    void emitirCampo() {
        origem_ = "^" + (campo_.tipo == TipoCampo::Texto ? std::string("FD") : campo_.comandoTipo);
        switch (campo_.tipo) {
            case TipoCampo::Texto:
                return emitirTexto();
            case TipoCampo::Caixa:
                return emitirCaixa();
            case TipoCampo::Circulo:
                return emitirCirculo();
            case TipoCampo::Diagonal:
                return emitirDiagonal();
            case TipoCampo::Barras:
                return emitirBarras();
            case TipoCampo::Grafico:
                return emitirGrafico();
        }
    }

    std::string dadosLidos() {
        std::vector<std::string> avisos;
        std::string bytes = campo_.dados.value_or("");
        if (campo_.indicadorHex)
            bytes = decodificarHexadecimal(bytes, *campo_.indicadorHex, avisos);
        avisarTodos(avisos);
        return bytes;
    }

    void emitirTexto() {
        if (!campo_.dados) return;
        std::vector<std::string> avisos;
        OpTexto t;
        t.x = campo_.x;
        t.y = campo_.y;
        t.naLinhaBase = campo_.naLinhaBase;
        t.fonte = campo_.fonte.value_or(formato_.fonte);
        t.orientacao = orientacaoCampo();
        const Celula cel =
            tamanhoImpresso(t.fonte, campo_.altura, campo_.largura, formato_.tamanho, dpmm_);
        t.altura = cel.altura;
        t.largura = cel.largura;
        t.texto = caracteresImpressos(dadosLidos(), impressora_.codificacao, avisos);
        t.bloco = campo_.bloco;
        t.reverso = campo_.reverso;
        avisarTodos(avisos);
        acrescentar(std::move(t));
    }

    template <class Op>
    void acrescentar(Op&& op) {
        etiqueta_.operacoes.emplace_back(std::in_place_type<std::decay_t<Op>>,
                                         std::forward<Op>(op));
    }

    bool preta(std::string_view cor) {
        const char c = letra(cor, 'B');
        if (c != 'B' && c != 'W')
            avisar(origem_ + ": cor \"" + std::string(cor) + "\" desconhecida; preta");
        return c != 'W';
    }

    void emitirCaixa() {
        const auto& p = campo_.parametrosTipo;
        OpCaixa o;
        o.espessura = numero(parametro(p, 2), 1, 1, kCoordenadaMaxima);
        o.area = {campo_.x, campo_.y,
                  std::max(numero(parametro(p, 0), 1, 0, kCoordenadaMaxima), o.espessura),
                  std::max(numero(parametro(p, 1), 1, 0, kCoordenadaMaxima), o.espessura)};
        o.preta = preta(parametro(p, 3));
        o.arredondamento = numero(parametro(p, 4), 0, 0, 8);
        o.reverso = campo_.reverso;
        acrescentar(std::move(o));
    }

    void emitirCirculo() {
        const auto& p = campo_.parametrosTipo;
        OpCirculo o;
        o.x = campo_.x;
        o.y = campo_.y;
        o.diametro = numero(parametro(p, 0), 3, 3, 4095);
        o.espessura = numero(parametro(p, 1), 1, 1, 4095);
        o.preta = preta(parametro(p, 2));
        o.reverso = campo_.reverso;
        acrescentar(std::move(o));
    }

    void emitirDiagonal() {
        const auto& p = campo_.parametrosTipo;
        OpDiagonal o;
        o.espessura = numero(parametro(p, 2), 1, 1, kCoordenadaMaxima);
        o.area = {campo_.x, campo_.y, numero(parametro(p, 0), o.espessura, 3, kCoordenadaMaxima),
                  numero(parametro(p, 1), o.espessura, 3, kCoordenadaMaxima)};
        o.preta = preta(parametro(p, 3));
        const char sentido = letra(parametro(p, 4), 'R');
        o.subindo = sentido == 'R' || sentido == '/';
        o.reverso = campo_.reverso;
        acrescentar(std::move(o));
    }

    void emitirGrafico() {
        const auto& p = campo_.parametrosTipo;
        const GraficoArmazenado* g = graficos_.buscar(parametro(p, 0));
        if (!g)
            return avisar("^XG: gráfico " + nomeCompleto(parametro(p, 0)) + " não está na memória");
        OpGrafico o;
        o.x = campo_.x;
        o.y = campo_.y;
        o.bytesPorLinha = g->bytesPorLinha;
        o.largura = g->bytesPorLinha * 8;
        o.altura = g->linhas;
        o.ampliacaoX = numero(parametro(p, 1), 1, 1, 10);
        o.ampliacaoY = numero(parametro(p, 2), 1, 1, 10);
        o.bits = g->bits;
        o.reverso = campo_.reverso;
        acrescentar(std::move(o));
    }

    // ^BC o,h,f,g,e,m  ^BE o,h,f,g  ^B3 o,e,h,f,g  ^B2 o,h,f,g,e
    struct Leiaute {
        std::optional<Orientacao> orientacao;
        int altura = 0;
        bool legenda = true, legendaAcima = false;
    };

    Leiaute leiauteBarras(const Parametros& p, std::size_t iAltura, std::size_t iLegenda) {
        Leiaute l;
        l.orientacao = orientacao(letra(parametro(p, 0), ' '));
        l.altura = numero(parametro(p, iAltura), formato_.alturaBarras, 1, kCoordenadaMaxima);
        l.legenda = letra(parametro(p, iLegenda), 'Y') == 'Y';
        l.legendaAcima = letra(parametro(p, iLegenda + 1), 'N') == 'Y';
        return l;
    }

    void emitirBarras() {
        const std::string dados = dadosLidos();
        if (dados.empty()) return avisar(origem_ + ": código de barras sem dados; nada impresso");
        const auto& p = campo_.parametrosTipo;
        std::vector<std::string> avisos;
        SimboloLinear s;
        Leiaute l;
        const std::string& tipo = campo_.comandoTipo;
        if (tipo == "BC") {
            l = leiauteBarras(p, 1, 2);
            if (letra(parametro(p, 4), 'N') == 'Y')
                avisos.push_back("dígito UCC (modo U) não simulado");
            s = code128(dados, letra(parametro(p, 5), 'N'), formato_.modulo, avisos);
        } else if (tipo == "BE") {
            l = leiauteBarras(p, 1, 2);
            s = ean13(dados, formato_.modulo, avisos);
        } else if (tipo == "B3") {
            l = leiauteBarras(p, 2, 3);
            s = code39(dados, letra(parametro(p, 1), 'N') == 'Y', formato_.modulo, avisos);
        } else {
            l = leiauteBarras(p, 1, 2);
            s = interleaved2de5(dados, letra(parametro(p, 4), 'N') == 'Y', formato_.modulo, avisos);
        }
        avisarTodos(avisos);
        if (!s.barras.empty()) colocarBarras(s, l);
    }

    void colocarBarras(const SimboloLinear& s, const Leiaute& l) {
        const int alturaTexto = std::max(10, 9 * formato_.modulo.largura);
        const int espaco = l.legenda ? alturaTexto + formato_.modulo.largura : 0;
        const int topoBarras = l.legenda && l.legendaAcima ? espaco : 0;
        Colocacao c{.x = campo_.x,
                    .y = campo_.y,
                    .naLinhaBase = campo_.naLinhaBase,
                    .orientacao = l.orientacao.value_or(orientacaoCampo()),
                    .largura = s.largura,
                    .altura = l.altura + espaco,
                    .ancoraY = topoBarras + l.altura};
        OpCodigoBarras o;
        o.simbologia = s.simbologia;
        o.dados = s.dados;
        o.reverso = campo_.reverso;
        const Colocador colocar(c);
        o.barras.reserve(s.barras.size());
        for (const Barra& b : s.barras)
            o.barras.push_back(colocar({b.x, topoBarras, b.largura, l.altura}));
        acrescentar(std::move(o));
        if (l.legenda && !s.legenda.empty())
            colocarLegenda(s, c, l.legendaAcima ? 0 : l.altura + formato_.modulo.largura,
                           alturaTexto);
    }

    void colocarLegenda(const SimboloLinear& s, const Colocacao& c, int topo, int altura) {
        acrescentar(legendaDoSimbolo(s, c, topo, altura, campo_.reverso));
    }

    int dpmm_;
    DestinoLeitura destino_;
    std::string pendente_;  // from the last prefix read: maybe not whole yet
    int lidas_ = 0;         // labels ended with ^XZ
    bool dentro_ = false;
    ConfiguracaoEtiqueta impressora_;
    MemoriaGraficos graficos_;
    Etiqueta etiqueta_;
    Formato formato_;
    Campo campo_;
    std::string origem_;  // the command that warnings name
    Comando comando_;
    Parametros parametros_;
    MemoriaCampos memoria_;
    PrefixosLidos prefixos_;  // by place, as in memoria_
    std::size_t campoNaEtiqueta_ = 0;
    bool aposSeparador_ = false;  // a field may start here with nothing carried into it
    std::vector<std::string>* avisosGuardados_ = nullptr;  // the field being kept warns here
    std::size_t operacoesNaUltima_ = 0;  // room made at once for the next label     // the one
                                         // being run, its room kept from one to the next
};

std::span<const Interpretador::Entrada> Interpretador::comandos() {
    static const Entrada tabela[] = {
        {'^', "XA", &Interpretador::inicioFormato, false},
        {'^', "XZ", &Interpretador::fimFormato, false},
        {'^', "PW", &Interpretador::larguraImpressao, true},
        {'^', "LL", &Interpretador::comprimentoEtiqueta, true},
        {'^', "LH", &Interpretador::origemEtiqueta, true},
        {'^', "CI", &Interpretador::codificacao, true},
        {'^', "PR", &Interpretador::velocidade, true},
        {'~', "SD", &Interpretador::tonalidade, false},
        {'^', "PQ", &Interpretador::quantidade, true},
        {'^', "FX", &Interpretador::comentario, true},
        {'^', "BY", &Interpretador::padraoBarras, true},
        {'^', "CF", &Interpretador::fontePadrao, true},
        {'^', "FW", &Interpretador::orientacaoPadrao, true},
        {'^', "FO", &Interpretador::origemCampo, true},
        {'^', "FT", &Interpretador::origemTipografica, true},
        {'^', "A", &Interpretador::fonte, true},
        {'^', "FD", &Interpretador::dadosCampo, true},
        {'^', "SN", &Interpretador::serie, true},
        {'^', "SF", &Interpretador::serieCampo, true},
        {'^', "FH", &Interpretador::hexadecimal, true},
        {'^', "FB", &Interpretador::bloco, true},
        {'^', "FR", &Interpretador::reverso, true},
        {'^', "FS", &Interpretador::separadorCampo, true},
        {'^', "GB", &Interpretador::caixa, true},
        {'^', "GC", &Interpretador::circulo, true},
        {'^', "GD", &Interpretador::diagonal, true},
        {'^', "BC", &Interpretador::barras, true},
        {'^', "BE", &Interpretador::barras, true},
        {'^', "B3", &Interpretador::barras, true},
        {'^', "B2", &Interpretador::barras, true},
        {'^', "XG", &Interpretador::recuperarGrafico, true},
        {'~', "DG", &Interpretador::carregarGrafico, false},
        {'^', "ID", &Interpretador::apagarObjeto, false},
    };
    return tabela;
}

}  // namespace

std::string citacao(std::string_view texto) {
    constexpr std::size_t kMaximo = 40;
    std::string r(texto.substr(0, kMaximo));
    if (texto.size() > kMaximo) r += "...";
    return r;
}

std::unique_ptr<Leitor> novoLeitor(int dpmm, DestinoLeitura destino) {
    return std::make_unique<Interpretador>(dpmm, std::move(destino));
}

Interpretacao interpretarCom(Leitor& leitor, std::string_view spool) {
    Interpretacao r;
    leitor.redirecionar({[&r](Etiqueta&& e) { r.etiquetas.push_back(std::move(e)); },
                         [&r](const Aviso& a) { r.avisos.push_back(a); }});
    leitor.ler(spool);
    leitor.terminar();
    return r;
}

Interpretacao interpretar(std::string_view spool, int dpmm) {
    return interpretarCom(*novoLeitor(dpmm, {}), spool);
}

}  // namespace etiquetas::zpl
