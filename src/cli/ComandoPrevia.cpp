#include <cstdio>
#include <iostream>

#include "cli/ContextoCli.h"
#include "cli/Validadores.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "dpl/Spool.h"
#include "previa/DesenhoEtiqueta.h"
#include "render/FalhaImpressao.h"
#include "resolucao/Escala.h"

namespace etiquetas::cli {

namespace {

struct OpcoesPrevia {
    std::string spool;
    std::string prefixo;
    int dpmm = 8;
    int dpi = 0;  // given: the dots per millimetre of that resolution
};

// A warning quotes the spool, whose control bytes would act on the terminal:
// they show as <1B>.
std::string semControles(const std::string& texto) {
    std::string r;
    for (unsigned char c : texto) {
        if (c >= 0x20 && c != 0x7f) {
            r += static_cast<char>(c);
            continue;
        }
        char codigo[8];
        std::snprintf(codigo, sizeof codigo, "<%02X>", c);
        r += codigo;
    }
    return r;
}

void mensagem(const std::string& texto) {
    std::cerr << cp1252ParaUtf8("[Prévia] " + semControles(texto)) << '\n';
}

void mostrarAviso(const zpl::Aviso& a) {
    mensagem(a.etiqueta > 0 ? "etiqueta " + std::to_string(a.etiqueta) + ": " + a.texto : a.texto);
}

int previa(const OpcoesPrevia& o) {
    const std::filesystem::path spool(o.spool);
    const auto lido = lerArquivoLimitado(spool, kLimiteSpool);
    if (!lido) {
        mensagem("não foi possível ler o spool " + textoDoCaminho(spool) + ": " +
                 motivoFalhaLeitura(lido.falha, kLimiteSpool));
        return kFalha;
    }
    GravadorPrevia gravador(o.prefixo, o.dpi ? pontosPorMilimetro(o.dpi) : o.dpmm);
    try {
        gravador.ler(lido.conteudo);
    } catch (const FalhaImpressao& falha) {
        mensagem(falha.what());
        return kFalha;
    }
    return gravador.terminar();
}

}  // namespace

void mensagemPrevia(const std::string& texto) {
    mensagem(texto);
}

GravadorPrevia::GravadorPrevia(std::string prefixo, int dpmm)
    : prefixo_(std::move(prefixo)),
      dpmm_(dpmm),
      leitor_(dpmm, {[this](zpl::Etiqueta&& e) { gravar(e); }, mostrarAviso}) {}

void GravadorPrevia::gravar(const zpl::Etiqueta& etiqueta) {
    const int numero = leitor_.etiquetasLidas();
    const std::string nome = prefixo_ + "-" + std::to_string(numero) + ".png";
    if (!previa::gravarEtiqueta(etiqueta, dpmm_, caminhoDoArgumento(nome)))
        throw FalhaImpressao("não foi possível gravar " + utf8ParaCp1252(nome));
    std::cout << nome << '\n';
    if (etiqueta.configuracao.copias > 1)
        mensagem("etiqueta " + std::to_string(numero) + ": " +
                 std::to_string(etiqueta.configuracao.copias) + " cópias (" +
                 (leitor_.dpl() ? "Q" : "^PQ") + ")");
}

int GravadorPrevia::terminar() {
    leitor_.terminar();
    if (leitor_.etiquetasLidas() > 0) return kOk;
    mensagem(std::string("nenhuma etiqueta (") + (leitor_.dpl() ? "<STX>L ... E" : "^XA ... ^XZ") +
             ") no spool; nenhuma imagem gravada");
    return kFalha;
}

void registrarPrevia(CLI::App& app, ContextoCli&, Execucao& execucao) {
    auto opcoes = std::make_shared<OpcoesPrevia>();
    auto* comando = app.add_subcommand(
        "previa",
        utf8(u8"Desenha as etiquetas de um spool ZPL ou DPL, uma imagem PNG por etiqueta"));
    comando->add_option("SPOOL", opcoes->spool, utf8(u8"Arquivo de spool ZPL ou DPL"))->required();
    comando
        ->add_option("--saida", opcoes->prefixo,
                     utf8(u8"Prefixo das imagens: PREFIXO-1.png, PREFIXO-2.png, ..."))
        ->required()
        ->check(prefixoImagens());
    auto* dpmm =
        comando
            ->add_option("--dpmm", opcoes->dpmm, utf8(u8"Resolução da impressora em pontos por mm"))
            ->check(umDe({"8", "12", "24"}));
    comando
        ->add_option("--dpi", opcoes->dpi, utf8(u8"Resolução da impressora em pontos por polegada"))
        ->check(umDe({"203", "300", "600"}))
        ->excludes(dpmm);
    comando->callback([&execucao, opcoes] { execucao = [opcoes] { return previa(*opcoes); }; });
}

}  // namespace etiquetas::cli
