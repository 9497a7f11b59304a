#include <QString>
#include <iostream>

#include "cli/ContextoCli.h"
#include "comum/Arquivos.h"
#include "comum/Texto.h"
#include "dpl/Spool.h"
#include "previa/DesenhoEtiqueta.h"

namespace etiquetas::cli {

namespace {

struct OpcoesPrevia {
    std::string spool;
    std::string prefixo;
    int dpmm = 8;
};

void mensagem(const std::string& texto) {
    std::cerr << cp1252ParaUtf8("[Prévia] " + texto) << '\n';
}

void mostrarAvisos(const std::vector<zpl::Aviso>& avisos) {
    for (const auto& a : avisos)
        mensagem(a.etiqueta > 0 ? "etiqueta " + std::to_string(a.etiqueta) + ": " + a.texto
                                : a.texto);
}

int previa(const OpcoesPrevia& o) {
    const auto bytes = lerArquivo(o.spool);
    if (!bytes) {
        mensagem("não foi possível ler o spool " + utf8ParaCp1252(o.spool));
        return kFalha;
    }
    return desenharPrevia(*bytes, o.prefixo, o.dpmm);
}

}  // namespace

void mensagemPrevia(const std::string& texto) {
    mensagem(texto);
}

int desenharPrevia(const std::string& spool, const std::string& prefixo, int dpmm) {
    const zpl::Interpretacao r = dpl::interpretarSpool(spool, dpmm);
    mostrarAvisos(r.avisos);
    if (r.etiquetas.empty()) {
        mensagem(std::string("nenhuma etiqueta (") +
                 (dpl::ehDpl(spool) ? "<STX>L ... E" : "^XA ... ^XZ") +
                 ") no spool; nenhuma imagem gravada");
        return kFalha;
    }
    QString erro;
    const auto gravados =
        previa::gravarEtiquetas(r.etiquetas, dpmm, QString::fromStdString(prefixo), erro);
    for (const QString& nome : gravados) std::cout << nome.toStdString() << '\n';
    if (!erro.isEmpty()) {
        mensagem("não foi possível gravar " + utf8ParaCp1252(erro.toStdString()));
        return kFalha;
    }
    return kOk;
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
        ->required();
    comando->add_option("--dpmm", opcoes->dpmm, utf8(u8"Resolução da impressora em pontos por mm"))
        ->check(CLI::IsMember({8, 12, 24}));
    comando->callback([&execucao, opcoes] { execucao = [opcoes] { return previa(*opcoes); }; });
}

}  // namespace etiquetas::cli
