#include "output/EstadoImpressora.h"

#include <array>
#include <optional>
#include <vector>

namespace etiquetas {

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr char kSoh = '\x01';

// Texts in the order a message names them: what the operator fixes first.
constexpr std::array<std::pair<FalhaImpressora, const char*>, 10> kTextosFalhas{{
    {FalhaImpressora::NaoRespondeu, "não respondeu"},
    {FalhaImpressora::SemPapel, "sem papel"},
    {FalhaImpressora::CabecaAberta, "cabeça aberta"},
    {FalhaImpressora::SemRibbon, "sem ribbon"},
    {FalhaImpressora::EmPausa, "em pausa"},
    {FalhaImpressora::BufferCheio, "buffer cheio"},
    {FalhaImpressora::TemperaturaBaixa, "temperatura baixa"},
    {FalhaImpressora::TemperaturaAlta, "temperatura alta"},
    {FalhaImpressora::MemoriaCorrompida, "memória corrompida"},
    {FalhaImpressora::Rebobinador, "falha no rebobinador"},
}};

bool digitos(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

long long numero(std::string_view s) {
    long long n = 0;
    for (char c : s) n = n * 10 + (c - '0');
    return n;
}

std::string_view semBrancos(std::string_view s) {
    const auto branco = [](char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\0'; };
    while (!s.empty() && branco(s.front())) s.remove_prefix(1);
    while (!s.empty() && branco(s.back())) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> campos(std::string_view quadro) {
    std::vector<std::string_view> r;
    for (;;) {
        const auto virgula = quadro.find(',');
        r.push_back(semBrancos(quadro.substr(0, virgula)));
        if (virgula == std::string_view::npos) return r;
        quadro.remove_prefix(virgula + 1);
    }
}

// ---- Zebra

// The <STX>...<ETX> frames whole so far; a frame begun again before its
// end (a torn answer) counts from the newer <STX>.
std::vector<std::string_view> quadrosZebra(std::string_view s) {
    std::vector<std::string_view> r;
    for (auto inicio = s.find(kStx); inicio != std::string_view::npos;) {
        const auto fim = s.find_first_of(std::string_view("\x02\x03", 2), inicio + 1);
        if (fim == std::string_view::npos) break;
        if (s[fim] == kEtx) r.push_back(s.substr(inicio + 1, fim - inicio - 1));
        inicio = s[fim] == kStx ? fim : s.find(kStx, fim + 1);
    }
    return r;
}

// Numbers only, and at least as many as the printer's frame carries.
std::optional<std::vector<long long>> camposNumericos(std::string_view quadro, std::size_t minimo) {
    const auto c = campos(quadro);
    if (c.size() < minimo) return std::nullopt;
    std::vector<long long> r;
    for (auto campo : c) {
        if (!digitos(campo)) return std::nullopt;
        r.push_back(numero(campo));
    }
    return r;
}

// ~HQES: "ERRORS: 1 00000000 00000005", the last group hexadecimal bits.
void lerErrosHqes(std::string_view bloco, EstadoImpressora& e) {
    const auto pos = bloco.find("ERRORS:");
    if (pos == std::string_view::npos) return;
    auto linha = bloco.substr(pos + 7);
    linha = semBrancos(linha.substr(0, linha.find('\n')));
    const auto grupo = semBrancos(linha.substr(linha.rfind(' ') + 1));
    unsigned long bits = 0;
    for (char c : grupo) {
        const int v = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : -1;
        if (v < 0) return;
        bits = (bits << 4) | static_cast<unsigned long>(v);
    }
    if (bits & 1) e.marcar(FalhaImpressora::SemPapel);
    if (bits & 2) e.marcar(FalhaImpressora::SemRibbon);
    if (bits & 4) e.marcar(FalhaImpressora::CabecaAberta);
}

void lerQuadro1(const std::vector<long long>& f, EstadoImpressora& e) {
    if (f[1]) e.marcar(FalhaImpressora::SemPapel);
    if (f[2]) e.marcar(FalhaImpressora::EmPausa);
    if (f[4] > 0) e.ocupada = true;
    if (f[5]) e.marcar(FalhaImpressora::BufferCheio);
    if (f[9]) e.marcar(FalhaImpressora::MemoriaCorrompida);
    if (f[10]) e.marcar(FalhaImpressora::TemperaturaBaixa);
    if (f[11]) e.marcar(FalhaImpressora::TemperaturaAlta);
}

void lerQuadro2(const std::vector<long long>& f, EstadoImpressora& e) {
    if (f[2]) e.marcar(FalhaImpressora::CabecaAberta);
    // Without thermal transfer there is no ribbon to miss.
    if (f[3] && f[4]) e.marcar(FalhaImpressora::SemRibbon);
    e.porImprimir = f[8];
    if (f[8] > 0) e.ocupada = true;
}

AnaliseResposta analisarZebra(std::string_view recebido) {
    AnaliseResposta a;
    std::vector<std::string_view> hs;
    for (auto q : quadrosZebra(recebido)) {
        if (q.find("ERRORS:") != std::string_view::npos ||
            q.find("PRINTER STATUS") != std::string_view::npos)
            lerErrosHqes(q, a.estado);
        else
            hs.push_back(q);
    }
    static constexpr std::size_t kMinimos[] = {12, 9};
    for (std::size_t i = 0; i < 2 && i < hs.size(); ++i) {
        const auto f = camposNumericos(hs[i], kMinimos[i]);
        if (!f) {
            a.leitura = LeituraResposta::Invalida;
            return a;
        }
        (i == 0 ? lerQuadro1 : lerQuadro2)(*f, a.estado);
    }
    a.util = hs.size() >= 2;
    if (hs.size() >= 3) a.leitura = LeituraResposta::Completa;
    return a;
}

// ---- Datamax

// <SOH>A: eight Y/N letters. a interpreter busy, b paper out or fault,
// c ribbon out or fault, d printing a batch, e busy printing, f paused,
// g label presented, h rewinder fault.
bool lerFlagsDatamax(std::string_view r, EstadoImpressora& e) {
    if (r.size() != 8) return false;
    for (char c : r)
        if (c != 'Y' && c != 'N') return false;
    const auto sim = [&](std::size_t i) { return r[i] == 'Y'; };
    if (sim(1)) e.marcar(FalhaImpressora::SemPapel);
    if (sim(2)) e.marcar(FalhaImpressora::SemRibbon);
    if (sim(5)) e.marcar(FalhaImpressora::EmPausa);
    if (sim(7)) e.marcar(FalhaImpressora::Rebobinador);
    e.ocupada = sim(0) || sim(3) || sim(4);
    return true;
}

// Records end in CR; what comes before the flags (noise on the line) is
// passed over. The count of <SOH>E is the record after them.
AnaliseResposta analisarDatamax(std::string_view recebido) {
    AnaliseResposta a;
    for (auto fim = recebido.find('\r'); fim != std::string_view::npos;
         recebido.remove_prefix(fim + 1), fim = recebido.find('\r')) {
        const auto registro = semBrancos(recebido.substr(0, fim));
        if (!a.util) {
            a.util = lerFlagsDatamax(registro, a.estado);
            continue;
        }
        if (digitos(registro) && registro.size() <= 9) {
            a.estado.porImprimir = numero(registro);
            if (a.estado.porImprimir > 0) a.estado.ocupada = true;
        }
        a.leitura = LeituraResposta::Completa;
        break;
    }
    return a;
}

}  // namespace

EstadoImpressora estadoNaoConsultavel() {
    EstadoImpressora e;
    e.consultavel = false;
    return e;
}

EstadoImpressora estadoSemResposta() {
    EstadoImpressora e;
    e.marcar(FalhaImpressora::NaoRespondeu);
    return e;
}

std::string textoEstado(const EstadoImpressora& estado) {
    if (!estado.consultavel) return "não consultável";
    if (estado.pronta()) return "pronta";
    std::string texto;
    for (const auto& [falha, nome] : kTextosFalhas) {
        if (!estado.tem(falha)) continue;
        if (!texto.empty()) texto += ", ";
        texto += nome;
    }
    return texto;
}

std::string pedidoEstado(Linguagem linguagem) {
    switch (linguagem) {
        case Linguagem::Zebra:
            return "~HQES~HS";
        case Linguagem::DataMax:
            return std::string{kSoh, 'A', kSoh, 'E'};
        case Linguagem::Nenhuma:
            break;
    }
    return {};
}

AnaliseResposta analisarResposta(Linguagem linguagem, std::string_view recebido) {
    if (linguagem == Linguagem::Zebra) return analisarZebra(recebido);
    if (linguagem == Linguagem::DataMax) return analisarDatamax(recebido);
    AnaliseResposta a;
    a.leitura = LeituraResposta::Invalida;
    return a;
}

EstadoImpressora estadoDaResposta(const AnaliseResposta& analise) {
    if (analise.leitura == LeituraResposta::Invalida || !analise.util) return estadoSemResposta();
    return analise.estado;
}

}  // namespace etiquetas
