#include "gui/FrmHistorico.h"

#include <QDate>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>

#include "app/Aplicacao.h"
#include "app/RegistroHistorico.h"
#include "app/Reimpressao.h"
#include "comum/Arquivos.h"
#include "gui/Conexao.h"

namespace etiquetas {

namespace {

constexpr const char* kTitulo = "Histórico de Impressões";

QLineEdit* campo(QWidget* pai, const char* nome, const char* dica) {
    auto* c = new QLineEdit(pai);
    c->setObjectName(QString::fromLatin1(nome));
    c->setPlaceholderText(paraTela(dica));
    c->setClearButtonEnabled(true);
    return c;
}

// "AAAA-MM-DD", or nothing.
bool dataValida(const QString& texto) {
    return texto.isEmpty() || QDate::fromString(texto, Qt::ISODate).isValid();
}

}  // namespace

FrmHistorico::FrmHistorico(Pessoa& pessoa, const std::filesystem::path& arquivo, QWidget* pai)
    : QDialog(pai), pessoa_(pessoa), modelo_(arquivo) {
    setObjectName(QStringLiteral("frmHistorico"));
    setWindowTitle(paraTela(kTitulo));
    montarTela(arquivo);
    filtrar();
}

void FrmHistorico::montarTela(const std::filesystem::path& arquivo) {
    auto* coluna = new QVBoxLayout(this);
    auto* caminho = new QLabel(this);
    caminho->setObjectName(QStringLiteral("lblArquivoHistorico"));
    caminho->setTextFormat(Qt::PlainText);
    caminho->setTextInteractionFlags(Qt::TextSelectableByMouse);
    caminho->setText(paraTela("Arquivo do histórico: ") +
                     (arquivo.empty() ? paraTela("(pasta de dados do usuário desconhecida)")
                                      : QString::fromStdU16String(arquivo.u16string())));
    coluna->addWidget(caminho);

    auto* filtros = new QHBoxLayout;
    arquivo_ = campo(this, "txtArquivo", "Arquivo de pedidos");
    pedido_ = campo(this, "txtPedido", "Pedido");
    variante_ = campo(this, "txtVariante", "Variante ou loja");
    desde_ = campo(this, "txtDesde", "De (AAAA-MM-DD)");
    ate_ = campo(this, "txtAte", "Até (AAAA-MM-DD)");
    filtros->addWidget(arquivo_, 3);
    for (auto* c : {pedido_, variante_, desde_, ate_}) filtros->addWidget(c, 1);
    auto* filtrarBotao = new QPushButton(paraTela("&Filtrar"), this);
    filtrarBotao->setObjectName(QStringLiteral("cmdFiltrar"));
    filtrarBotao->setDefault(true);
    connect(filtrarBotao, &QPushButton::clicked, this, [this] { filtrar(); });
    filtros->addWidget(filtrarBotao);
    coluna->addLayout(filtros);

    tabela_ = new QTableView(this);
    tabela_->setObjectName(QStringLiteral("tblHistorico"));
    tabela_->setModel(&modelo_);
    tabela_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela_->setTextElideMode(Qt::ElideMiddle);
    tabela_->setWordWrap(false);
    tabela_->verticalHeader()->setVisible(false);
    tabela_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ordenarColunas();
    coluna->addWidget(tabela_, 1);

    auto* base = new QHBoxLayout;
    base->addStretch(1);
    auto* exportar = new QPushButton(paraTela("&Exportar CSV"), this);
    exportar->setObjectName(QStringLiteral("cmdExportarCsv"));
    connect(exportar, &QPushButton::clicked, this, [this] { escolherExportacao(); });
    base->addWidget(exportar);
    auto* reimprimirBotao = new QPushButton(paraTela("&Reimprimir a partir de..."), this);
    reimprimirBotao->setObjectName(QStringLiteral("cmdReimprimir"));
    connect(reimprimirBotao, &QPushButton::clicked, this, [this] { escolherReimpressao(); });
    base->addWidget(reimprimirBotao);
    auto* fechar = new QPushButton(paraTela("Fe&char"), this);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    base->addWidget(fechar);
    coluna->addLayout(base);
    resize(1000, 600);
}

// What a worker looks for comes first on a 1024-pixel screen: the run, how
// it ended, when, and which labels; the file's and printer's details after.
// The export keeps the listing's order, which callers read by position.
void FrmHistorico::ordenarColunas() {
    static constexpr const char* kFrente[] = {
        "Nº",      "Impressão", "Resultado da impressão", "Reimpressão", "Data e hora",
        "Pedido",  "Item",      "Variante ou loja",       "Primeira",    "Última",
        "Desfecho"};
    const auto legendas = legendasCamposHistorico();
    auto* cabecalho = tabela_->horizontalHeader();
    int posicao = 0;
    for (const char* legenda : kFrente) {
        const auto c = std::find(legendas.begin(), legendas.end(), legenda);
        if (c == legendas.end()) continue;
        cabecalho->moveSection(cabecalho->visualIndex(static_cast<int>(c - legendas.begin())),
                               posicao++);
    }
}

bool FrmHistorico::filtrar() {
    for (auto* data : {desde_, ate_})
        if (!dataValida(data->text().trimmed())) {
            pessoa_.mensagem("Data inválida: " + daTela(data->text()) + " (use AAAA-MM-DD).",
                             kTitulo, Icone::Exclamacao, Botoes::Ok);
            data->setFocus();
            return false;
        }
    FiltroHistorico f;
    if (const QString arquivo = arquivo_->text().trimmed(); !arquivo.isEmpty()) {
        // The file where it lies now, or its bytes wherever it was printed from.
        const auto identificado =
            identificarArquivoPedidos(std::filesystem::path(arquivo.toStdU16String()));
        f.arquivo = identificado.caminho;
        f.md5 = identificado.md5;
    }
    f.pedido = daTela(pedido_->text().trimmed());
    f.variante = daTela(variante_->text().trimmed());
    f.varianteImpressa = varianteComoImpressa(f.variante);
    f.desde = daTela(desde_->text().trimmed());
    f.ate = daTela(ate_->text().trimmed());
    modelo_.filtrar(f);
    ajustarLarguras();
    mostrarErro();
    return true;
}

// Every column as wide as its first page needs; the paths give up their
// middle rather than push the rest out of view.
void FrmHistorico::ajustarLarguras() {
    constexpr int kColunasDeCaminho[] = {3, 16};
    tabela_->resizeColumnsToContents();
    const int maximo = fontMetrics().averageCharWidth() * 40;
    for (int c : kColunasDeCaminho)
        if (tabela_->columnWidth(c) > maximo) tabela_->setColumnWidth(c, maximo);
}

void FrmHistorico::mostrarErro() {
    if (!modelo_.erro().empty())
        pessoa_.mensagem(modelo_.erro(), kTitulo, Icone::Exclamacao, Botoes::Ok);
}

// Semicolons and a UTF-8 mark: a spreadsheet set for Brazil opens it in
// columns with its accents.
bool FrmHistorico::exportarCsv(const std::filesystem::path& destino) {
    constexpr char kSeparador = ';';
    std::ofstream saida(destino, std::ios::binary | std::ios::trunc);
    saida << "\xEF\xBB\xBF" << cp1252ParaUtf8(linhaCsv(legendasCamposHistorico(), kSeparador))
          << "\r\n";
    long long linhas = 0;
    try {
        if (auto* h = modelo_.historico())
            h->percorrer(modelo_.filtro(), 0, -1, [&](const LinhaHistorico& l) {
                saida << cp1252ParaUtf8(linhaCsv(camposHistorico(l), kSeparador)) << "\r\n";
                ++linhas;
                return static_cast<bool>(saida);
            });
    } catch (const FalhaHistorico& falha) {
        pessoa_.mensagem(falha.what(), kTitulo, Icone::Critico, Botoes::Ok);
        return false;
    }
    saida.close();
    if (!saida) {
        pessoa_.mensagem("O arquivo " + textoDoCaminho(destino) + " não pôde ser gravado.", kTitulo,
                         Icone::Critico, Botoes::Ok);
        return false;
    }
    pessoa_.mensagem(std::to_string(linhas) +
                         (linhas == 1 ? " linha exportada" : " linhas exportadas") + " para " +
                         textoDoCaminho(destino) + ".",
                     kTitulo, Icone::Informacao, Botoes::Ok);
    return true;
}

void FrmHistorico::escolherExportacao() {
    const QString nome = QFileDialog::getSaveFileName(this, paraTela("Exportar CSV"),
                                                      QStringLiteral("historico.csv"),
                                                      paraTela("Arquivos CSV (*.csv)"));
    if (!nome.isEmpty()) exportarCsv(std::filesystem::path(nome.toStdU16String()));
}

void FrmHistorico::escolherReimpressao() {
    const auto selecionadas = tabela_->selectionModel()->selectedRows();
    const int linha = selecionadas.isEmpty() ? -1 : selecionadas.front().row();
    if (linha < 0 || modelo_.linha(linha).origem.linha == 0) {
        pessoa_.mensagem("Escolha na tabela a linha da primeira etiqueta perdida.", kTitulo,
                         Icone::Informacao, Botoes::Ok);
        return;
    }
    const auto& o = modelo_.linha(linha).origem;
    bool ok = false;
    const int numero =
        QInputDialog::getInt(this, paraTela("Reimprimir a partir de..."),
                             paraTela("Sequência (ou caixa) da primeira etiqueta perdida:"),
                             static_cast<int>(o.primeira), static_cast<int>(o.primeira),
                             static_cast<int>(o.ultima), 1, &ok);
    if (ok) reimprimirDaLinha(linha, numero);
}

bool FrmHistorico::reimprimirDaLinha(int linha, long long aPartirDe) {
    auto* h = modelo_.historico();
    if (!h || !reimprimir || linha < 0 || linha >= modelo_.rowCount()) return false;
    const LinhaHistorico& l = modelo_.linha(linha);
    try {
        if (!reimprimir(restanteDaExecucao(*h, l.idExecucao, l.id, aPartirDe))) return false;
    } catch (const FalhaHistorico& falha) {
        pessoa_.mensagem(falha.what(), kTitulo, Icone::Exclamacao, Botoes::Ok);
        return false;
    }
    accept();
    return true;
}

void mostrarFrmHistorico(Aplicacao& aplicacao, QWidget* pai) {
    const auto& arquivo = aplicacao.servico().arquivoHistorico();
    FrmHistorico dialogo(aplicacao.plataforma(), arquivo ? *arquivo : std::filesystem::path(), pai);
    dialogo.reimprimir = [&aplicacao](const RestanteExecucao& r) {
        return aplicacao.reimprimirAPartirDe(r);
    };
    dialogo.exec();
}

}  // namespace etiquetas
