// The main window over its model, as a person at the packing bench meets it:
// title and lists, a file ticked and edited through the view, the keyboard,
// a 1024x768 screen, the printer choice kept across starts and the layout
// dialog opened where the user is.

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolTip>
#include <QtTest>
#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "ApoioJanela.h"
#include "comum/Arquivos.h"
#include "gui/FrmConfiguracao.h"
#include "gui/FrmEtiqueta.h"
#include "gui/TabelaGrade.h"

using namespace etiquetas;
using teste::achar;
using namespace Qt::StringLiterals;

namespace {

// Types into a cell through the view's own editor and leaves it with Enter.
void digitarNaCelula(QTableView& tabela, int linha, int coluna, const QString& texto) {
    const QModelIndex celula = tabela.model()->index(linha, coluna);
    tabela.setCurrentIndex(celula);
    tabela.edit(celula);
    auto* editor = tabela.viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits in a queued call
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor
}

// The accelerator letter of a caption ("Seleciona &Todos" -> 't'), 0 for none.
QChar acelerador(const QString& legenda) {
    for (qsizetype i = 0; i + 1 < legenda.size(); ++i) {
        if (legenda[i] != u'&') continue;
        if (legenda[i + 1] != u'&') return legenda[i + 1].toLower();
        ++i;  // "&&" is a plain ampersand
    }
    return {};
}

// The caption that carries the widget's accelerator: its own text, or the
// text of the label whose buddy it is.
QString legendaDe(QWidget& janela, QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    for (auto* l : janela.findChildren<QLabel*>())
        if (l->buddy() == w) return l->text();
    return {};
}

}  // namespace

class TesteJanela : public QObject {
    Q_OBJECT

  private slots:
    void init() { a_ = std::make_unique<teste::AplicacaoNaPasta>(); }
    void cleanup() { a_.reset(); }
    // A large file's rows are added to the grid as they are read, Imprimir off
    // until the whole is in; one refused at its end takes them away with its
    // message, and the grid shows the file loaded before. A file opened during
    // a read stops it at once, and only its own rows show.
    void arquivoGrandeMostraAsPrimeirasLinhasAntesDoFim() {
        const std::string texto =
            lerArquivo(a_->caminho() / "Quelmonte_Preco_Cartolina_teste.xml").value_or("");
        const auto inicio = texto.find("  <PedidoQuel ");
        const auto fim = texto.find("</PedidoQuel>", inicio) + 13;
        QVERIFY(inicio != std::string::npos && fim > inicio);
        std::string grande = texto.substr(0, inicio);
        for (int i = 0; i < 1000; ++i) grande.append(texto, inicio, fim - inicio);
        grande.append(texto, fim);
        std::ofstream(a_->caminho() / "grande.xml", std::ios::binary) << grande;
        std::ofstream(a_->caminho() / "cortado.xml", std::ios::binary)
            << grande.substr(0, grande.size() - 40);
        FrmEtiqueta janela(*a_->app);
        janela.show();
        auto* imprimir = teste::botao(janela, "cmdImprimir");
        QAbstractItemModel& modelo = *janela.sprPedidos().model();
        struct Vista {
            int linhas;
            bool lendo, imprimir;
        };
        std::vector<Vista> vistas;  // at each reset or addition of rows
        std::function<void()> aoMudar;
        const auto anotar = [&] {
            vistas.push_back(
                {modelo.rowCount(), a_->app->aberturaEmCurso(), imprimir->isEnabled()});
            if (aoMudar) aoMudar();
        };
        QObject::connect(&modelo, &QAbstractItemModel::modelReset, anotar);
        QObject::connect(&modelo, &QAbstractItemModel::rowsInserted, anotar);
        const auto algumasAntesDoFim = [&](int todas) {
            return std::any_of(vistas.begin(), vistas.end(), [&](const Vista& v) {
                return v.lendo && v.linhas > 0 && v.linhas < todas && !v.imprimir;
            });
        };

        a_->abrir("grande.xml");
        const int todas = modelo.rowCount();
        QCOMPARE(todas, 3000);
        QVERIFY(algumasAntesDoFim(todas));
        QVERIFY(imprimir->isEnabled());

        vistas.clear();
        a_->plataforma.mensagens.clear();
        a_->abrir("cortado.xml");
        QVERIFY(algumasAntesDoFim(todas));
        QCOMPARE(modelo.rowCount(), todas);
        QCOMPARE(a_->plataforma.mensagens.back().second, std::string("Formato Não Reconhecido"));
        QVERIFY(imprimir->isEnabled());

        QElapsedTimer relogio;
        aoMudar = [&] {
            if (!vistas.back().lendo || relogio.isValid()) return;
            relogio.start();
            QTimer::singleShot(0, [&] { a_->abrir("Quelmonte_Preco_Cartolina_teste.xml"); });
        };
        vistas.clear();
        a_->abrir("grande.xml");
        aoMudar = nullptr;
        QVERIFY(relogio.isValid());
        QVERIFY2(relogio.elapsed() < 1000, qPrintable(QString::number(relogio.elapsed())));
        QTest::qWait(300);  // anything the first read had sent
        QCOMPARE(modelo.rowCount(), 3);
        const auto primeiraDoSegundo = std::find_if(vistas.begin(), vistas.end(),
                                                    [](const Vista& v) { return v.linhas == 3; });
        QVERIFY(std::all_of(primeiraDoSegundo, vistas.end(),
                            [](const Vista& v) { return v.linhas == 3; }));

        // Escape during a read: it stops, and the file loaded before shows.
        bool escape = false;
        aoMudar = [&] {
            if (!vistas.back().lendo || std::exchange(escape, true)) return;
            QTimer::singleShot(0, [&] {
                QApplication::setActiveWindow(&janela);
                QTest::keyClick(&janela, Qt::Key_Escape);
            });
        };
        a_->abrir("grande.xml");
        aoMudar = nullptr;
        QVERIFY(escape);
        QCOMPARE(modelo.rowCount(), 3);
        QVERIFY(imprimir->isEnabled());
        QVERIFY(teste::botao(janela, "cmdCancelar")->isHidden());
    }
    void abreComTituloEListasDoModelo() {
        FrmEtiqueta janela(*a_->app);
        janela.show();
        QCOMPARE(janela.windowTitle(),
                 QStringLiteral(":: Quelmonte ::  Impressão de Etiquetas - Vs. (1.0.0.0)"));
        auto* impressoras = achar<QComboBox>(janela, "cmbImpressora");
        QVERIFY(impressoras->count() >= 4);
        QCOMPARE(impressoras->count(), a_->app->janela().cmbImpressora.contagem());
        QCOMPARE(impressoras->currentIndex(), 0);
        QCOMPARE(achar<QComboBox>(janela, "cmbCaminhoImpressora")->currentText(),
                 QStringLiteral("LPT1"));
        for (const char* oculto : {"cbvelocidade", "cbbitparada", "frmTipo", "cmdGerarTxt",
                                   "frameBarra", "lblDescImp", "lblTotalEtiquetas"})
            QVERIFY2(achar<QWidget>(janela, oculto)->isHidden(), oculto);
    }

    void arquivoAbertoMarcadoEEditadoPelaJanela() {
        auto janela = janelaAtiva();
        abrir("Amostra_Preco_Cartolina_GerarTxt.xml");
        auto& grade = a_->app->janela().sprPedidos;
        TabelaGrade& tabela = janela->sprPedidos();
        QCOMPARE(tabela.model()->rowCount(), grade.linhas());
        QCOMPARE(achar<QLabel>(*janela, "lblTipoArquivo")->text(),
                 QStringLiteral("Etiquetas de Preço (Cartolina)"));

        // Ticking with the keyboard, as a person does at the bench.
        tabela.setCurrentIndex(tabela.model()->index(1, 0));
        QTest::keyClick(&tabela, Qt::Key_Space);
        QCOMPARE(grade.texto(2, 1), std::string("1"));
        QVERIFY(tabela.model()->index(1, 3).data(Qt::FontRole).value<QFont>().bold());

        // Row 2 carries the range 3 to 5: below it and above it come back.
        QCOMPARE(grade.texto(2, 28) + "-" + grade.texto(2, 29), std::string("3-5"));
        for (const auto& [coluna, digitado, fica, avisos] :
             {std::tuple{22, u"2"_s, u"3"_s, 1u}, std::tuple{23, u"6"_s, u"5"_s, 2u},
              std::tuple{22, u"4"_s, u"4"_s, 2u}}) {
            digitarNaCelula(tabela, 1, coluna, digitado);
            QCOMPARE(tabela.model()->index(1, coluna).data().toString(), fica);
            QCOMPARE(a_->plataforma.mensagens.size(), std::size_t(avisos));
        }
        QCOMPARE(
            a_->plataforma.mensagens[0].first,
            std::string("Sequencia inicial precisa ser maior ou igual que a indicada no arquivo "
                        "de impressão! Informe de 3 a 5."));
    }

    // Printing through LPT1 saves no serial keys; the printer, model, speed and
    // temperature must still come back on the next start.
    void escolhaDaImpressoraVoltaDepoisDeImprimirEmLpt1() {
        {
            auto janela = janelaAtiva();
            auto& j = a_->app->janela();
            j.cmbImpressora.selecionar(1);
            j.cmbModelo.definirTexto("GC420t");
            j.cmdVelocidade.definirTexto("3");
            j.cmdTemperatura.definirTexto("20");
            QCOMPARE(j.cmbCaminhoImpressora.texto(), std::string("LPT1"));
            a_->plataforma.respostaPerguntas = Resposta::Nao;  // saved before the question
            QTest::mouseClick(achar<QPushButton>(*janela, "cmdImprimir"), Qt::LeftButton);
            QTRY_VERIFY(!a_->app->comandoEmCurso());
            QCOMPARE(a_->plataforma.mensagens.size(), std::size_t(1));
        }
        a_->reiniciar();
        auto janela = janelaAtiva();
        QStringList vistos;
        for (const char* lista : {"cmbImpressora", "cmbModelo", "cmdVelocidade", "cmdTemperatura",
                                  "cmbCaminhoImpressora"})
            vistos << achar<QComboBox>(*janela, lista)->currentText();
        QCOMPARE(vistos, (QStringList{u"ZEBRA,2,ZPL"_s, u"GC420t"_s, u"3"_s, u"20"_s, u"LPT1"_s}));
        QVERIFY(achar<QWidget>(*janela, "cbvelocidade")->isHidden());
        QVERIFY(achar<QWidget>(*janela, "CmZebra")->isVisible());  // the Zebra came back
    }

    // "Carregar Fonte Zebra" shows whenever the printer chosen is a Zebra.
    void cargaDeFonteSegueAImpressoraEscolhida() {
        auto janela = janelaAtiva();
        auto* impressoras = achar<QComboBox>(*janela, "cmbImpressora");
        auto* fonte = achar<QWidget>(*janela, "CmZebra");
        QVERIFY(fonte->isHidden());  // the table's first line is a Datamax
        impressoras->setFocus();
        QTest::keyClick(impressoras, Qt::Key_Down);
        QCOMPARE(impressoras->currentText(), u"ZEBRA,2,ZPL"_s);
        QVERIFY(fonte->isVisible());
        QTest::keyClick(impressoras, Qt::Key_Down);
        QVERIFY(fonte->isHidden());
    }

    void tabEntraESaiDaGrade() {
        auto janela = janelaAtiva();
        abrir("Quelmonte_Preco_Cartolina_teste.xml");
        TabelaGrade& tabela = janela->sprPedidos();
        QTRY_COMPARE(QApplication::focusWidget(), &tabela);  // the loaded grid takes the focus
        tabela.setCurrentIndex(tabela.model()->index(0, 0));
        // The arrows move between cells...
        QTest::keyClick(&tabela, Qt::Key_Down);
        QTest::keyClick(&tabela, Qt::Key_Right);
        QCOMPARE(tabela.currentIndex(),
                 tabela.model()->index(1, tabela.horizontalHeader()->logicalIndex(1)));
        QCOMPARE(QApplication::focusWidget(), &tabela);
        // ...and Tab goes on to the buttons below the grid, Shift+Tab comes back.
        QTest::keyClick(&tabela, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), achar<QWidget>(*janela, "cmdSelTodos"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), &tabela);
    }

    // From the first control, Tab visits every control that is shown and
    // enabled, with the serial lists and the Zebra font button shown too.
    void tabAlcancaCadaControle() {
        auto janela = janelaAtiva();
        abrir("Amostra_Preco_Cartolina_GerarTxt.xml");
        a_->app->janela().cmbImpressora.selecionar(1);
        a_->app->janela().cmbCaminhoImpressora.definirTexto("COM1");
        QApplication::processEvents();
        QWidget* inicio = achar<QWidget>(*janela, "cmdLocalizar");
        inicio->setFocus();
        std::set<QWidget*> visitados{inicio};
        for (int i = 0; i < 200 && QApplication::focusWidget(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (!visitados.insert(QApplication::focusWidget()).second) break;
        }
        for (auto* w : janela->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"_s)) continue;
            if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
            QVERIFY2(visitados.count(w), qPrintable(w->objectName()));
        }
    }

    void aceleradoresUnicosLevamAoSeuCampo() {
        auto janela = janelaAtiva();
        abrir("Amostra_Preco_Cartolina_GerarTxt.xml");  // every button shows
        std::map<QChar, QString> donos;
        for (auto* w : janela->findChildren<QWidget*>()) {
            const QString legenda = qobject_cast<QGroupBox*>(w)
                                        ? qobject_cast<QGroupBox*>(w)->title()
                                    : qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                               : legendaDe(*janela, w);
            const QChar letra = acelerador(legenda);
            if (letra.isNull() || qobject_cast<QLabel*>(w)) continue;  // labels count by buddy
            QVERIFY2(!donos.count(letra),
                     qPrintable(legenda + u" repete a letra de "_s + donos[letra]));
            donos[letra] = legenda;
        }
        for (auto* l : janela->findChildren<QLabel*>())
            QVERIFY2(acelerador(l->text()).isNull() || l->buddy(), qPrintable(l->text()));
        // The printer choice, the port and the local/network options each have
        // one that takes the focus to them.
        for (const char* nome : {"cmbImpressora", "cmbModelo", "cmdVelocidade", "cmdTemperatura",
                                 "cmbCaminhoImpressora", "optLocal", "optRede"}) {
            QWidget* campo = achar<QWidget>(*janela, nome);
            const QChar letra = acelerador(legendaDe(*janela, campo));
            QVERIFY2(!letra.isNull(), nome);
            QTest::keyClick(janela.get(), letra.toLatin1(), Qt::AltModifier);
            QVERIFY2(QApplication::focusWidget() == campo, nome);
        }
    }

    void cabeEm1024x768ComArquivoAberto_data() {
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<int>("impressora");
        QTest::addColumn<QString>("porta");
        QTest::newRow("preco, Datamax em LPT1")
            << u"Quelmonte_Preco_Cartolina_teste.xml"_s << 0 << u"LPT1"_s;
        // The most a window shows: the Zebra font button and the serial lists.
        QTest::newRow("preco, Zebra em COM1")
            << u"Amostra_Preco_Cartolina_GerarTxt.xml"_s << 1 << u"COM1"_s;
        QTest::newRow("volume, Zebra em COM1")
            << u"Amostra_Volume_Padrao_GerarTxt.xml"_s << 1 << u"COM1"_s;
    }

    // A 1024x768 screen less the title bar and a task bar.
    void cabeEm1024x768ComArquivoAberto() {
#ifdef Q_OS_WIN
        // Windows' offscreen platform measures text without the system's
        // fonts; the real window's fit is docs/janela-windows.png.
        QSKIP("offscreen no Windows: sem as fontes do sistema");
#endif
        QFETCH(QString, arquivo);
        QFETCH(int, impressora);
        QFETCH(QString, porta);
        auto janela = janelaAtiva();
        abrir(arquivo.toLatin1().constData());
        auto& j = a_->app->janela();
        j.cmbImpressora.selecionar(impressora);
        j.cmbCaminhoImpressora.definirTexto(porta.toStdString());
        j.gradeDoArquivo()->clicarCaixa(1);
        QApplication::processEvents();
        const QSize minimo = janela->minimumSizeHint();
        QVERIFY2(minimo.width() <= 1024, qPrintable(QString::number(minimo.width())));
        QVERIFY2(minimo.height() <= 700, qPrintable(QString::number(minimo.height())));
        const Grade& grade = *j.gradeDoArquivo();
        // The pictures in docs/: ETIQUETAS_CAPTURAS=folder, a range of rows
        // selected and the first edited cell being typed in.
        if (const QString pasta = qEnvironmentVariable("ETIQUETAS_CAPTURAS"); !pasta.isEmpty()) {
            janela->resize(1024, 768);
            QApplication::processEvents();
            TabelaGrade& t = j.tipoArquivo() == 1 ? janela->sprPedidos() : janela->vaVolume();
            int coluna = 1;
            while (!(grade.coluna(coluna + 1).editavel && !grade.coluna(coluna + 1).caixa))
                ++coluna;
            t.setFocus();
            t.setCurrentIndex(t.model()->index(0, coluna));
            QTest::keyClick(&t, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(&t, Qt::Key_F2);
            if (auto* editor = t.viewport()->findChild<QLineEdit*>())
                QTest::keyClicks(editor, u"2"_s);
            QTest::qWait(400);  // the ticked count comes once the ticks rest
            janela->grab().save(pasta + u'/' + QString::fromLatin1(QTest::currentDataTag()) +
                                u".png"_s);
            if (auto* editor = t.viewport()->findChild<QLineEdit*>())
                QTest::keyClick(editor, Qt::Key_Escape);
        }

        janela->resize(1024, 700);
        QApplication::processEvents();
        for (auto* w : janela->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->objectName().isEmpty() ||
                w->parentWidget() == janela->statusBar())
                continue;
            const QRect lugar(w->mapTo(janela.get(), QPoint(0, 0)), w->size());
            QVERIFY2(janela->rect().contains(lugar), qPrintable(w->objectName()));
        }
        // The tick column and the cells a worker edits or reads to edit are in
        // view without scrolling sideways.
        TabelaGrade& tabela = j.tipoArquivo() == 1 ? janela->sprPedidos() : janela->vaVolume();
        for (int c = 1; c <= grade.colunas(); ++c) {
            const ColunaGrade& coluna = grade.coluna(c);
            if (coluna.oculta || !(coluna.caixa || coluna.editavel || coluna.titulo == "Item" ||
                                   coluna.titulo == "Loja"))
                continue;
            const int x = tabela.columnViewportPosition(c - 1);
            QVERIFY2(x >= 0 && x + tabela.columnWidth(c - 1) <= tabela.viewport()->width(),
                     coluna.titulo.c_str());
        }
        // Captions read in full beside the serial lists.
        for (auto* l : janela->findChildren<QLabel*>())
            if (l->isVisible() && l->buddy())
                QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
    }

    void linhaMarcadaNaoCortaOsCodigos() {
        auto janela = janelaAtiva();
        abrir("Quelmonte_Preco_Cartolina_teste.xml");
        TabelaGrade& tabela = janela->sprPedidos();
        tabela.setCurrentIndex(tabela.model()->index(2, 0));
        QTest::keyClick(&tabela, Qt::Key_Space);  // row 3 turns bold, one point larger
        QApplication::processEvents();
        const auto& grade = a_->app->janela().sprPedidos;
        // The cell's own margins, as the style draws them.
        const int margens = 2 * (tabela.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        for (int c = 2; c <= grade.colunas(); ++c) {
            const ColunaGrade& coluna = grade.coluna(c);
            // Supplier and goods names may give up width to the codes.
            if (coluna.oculta || (coluna.largura >= 20 && !coluna.editavel)) continue;
            for (int l = 0; l < grade.linhas(); ++l) {
                const QModelIndex celula = tabela.model()->index(l, c - 1);
                const QVariant fonte = celula.data(Qt::FontRole);
                const QFontMetrics medidas(fonte.isValid() ? fonte.value<QFont>() : tabela.font());
                QVERIFY2(tabela.columnWidth(c - 1) >=
                             medidas.horizontalAdvance(celula.data().toString()) + margens,
                         qPrintable(QString::fromStdString(coluna.titulo)));
            }
        }
    }

    // Space ticks a Shift range, the filter narrows what Ctrl+A and Space touch
    // (and "Imprimir" says which ticked rows it hides), a sequence cell takes
    // no letters and a cut name shows whole in a tooltip.
    void gradeConduzidaPeloTeclado() {
        auto janela = janelaAtiva();
        abrir("Quelmonte_Preco_Cartolina_teste.xml");
        TabelaGrade& tabela = janela->sprPedidos();
        const auto& grade = a_->app->janela().sprPedidos;
        const auto marcadas = [&] {
            QString m;
            for (int l = 1; l <= grade.linhas(); ++l) m += grade.texto(l, 1) == "1" ? u'1' : u'0';
            return m;
        };
        tabela.setCurrentIndex(tabela.model()->index(0, 4));
        QTest::keyClick(&tabela, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&tabela, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&tabela, Qt::Key_Space);
        QCOMPARE(marcadas(), u"111"_s);
        auto* total = achar<QLabel>(*janela, "lblTotalEtiquetas");
        // In the file's unit, range numbers; the second tag of each pair is said apart.
        QTRY_COMPARE(total->text(), u"3 de 3 (+3 além das faixas)"_s);
        QTest::keyClick(&tabela, Qt::Key_Space);  // all ticked: Space unticks them
        QCOMPARE(marcadas(), u"000"_s);

        auto* filtro = achar<QLineEdit>(*janela, "txtFiltro");
        QTest::keyClick(janela.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), filtro);
        QTest::keyClicks(filtro, u"345002"_s);
        QCOMPARE(tabela.model()->rowCount(), 1);
        tabela.setFocus();
        QTest::keyClick(&tabela, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&tabela, Qt::Key_Space);
        QCOMPARE(marcadas(), u"010"_s);
        QTRY_COMPARE(total->text(), u"1 de 3 (+1 além das faixas)"_s);
        // Row 2 stays ticked out of view: "Imprimir" says so before anything.
        filtro->clear();
        QTest::keyClicks(filtro, u"345001"_s);
        a_->plataforma.respostaPerguntas = Resposta::Nao;
        QTest::mouseClick(achar<QPushButton>(*janela, "cmdImprimir"), Qt::LeftButton);
        QTRY_VERIFY(!a_->app->comandoEmCurso());
        QCOMPARE(a_->plataforma.mensagens.size(), std::size_t(1));
        QCOMPARE(a_->plataforma.mensagens[0].first,
                 std::string("Há 1 linha marcada fora do filtro: ela também será impressa.\n"
                             "Deseja continuar?"));
        QCOMPARE(marcadas(), u"010"_s);
        filtro->clear();
        QCOMPARE(tabela.model()->rowCount(), grade.linhas());

        const QModelIndex sequencia = tabela.model()->index(0, 22);
        tabela.setCurrentIndex(sequencia);
        tabela.edit(sequencia);
        auto* editor = tabela.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, u"a1b2"_s);
        QCOMPARE(editor->text(), u"12"_s);
        QTest::keyClick(editor, Qt::Key_Escape);

        const QModelIndex nome = tabela.model()->index(0, 1);
        QVERIFY(tabela.fontMetrics().horizontalAdvance(nome.data().toString()) >
                tabela.columnWidth(1));
        QHelpEvent dica(QEvent::ToolTip, tabela.visualRect(nome).center(),
                        tabela.viewport()->mapToGlobal(tabela.visualRect(nome).center()));
        QApplication::sendEvent(tabela.viewport(), &dica);
        QCOMPARE(QToolTip::text(), nome.data().toString());
    }

    // A refused value names the range the row allows and the row as the grid
    // numbers it, in the cell (a box count above the store's volumes while
    // ILPN labels are chosen too), and the focus comes back to the cell.
    void recusaNaCelulaDizAFaixaEVoltaACelula() {
        struct Caso {
            const char* arquivo;
            QString tipo;  // chosen in the label-variant list, "" none
            int coluna;    // of the view, on the grid's row 2
            QString digitado, fica;
            std::string mensagem;  // "" taken
        };
        const Caso casos[] = {
            {"Amostra_Preco_Cartolina_GerarTxt.xml", u""_s, 23, u"6"_s, u"5"_s,
             "Sequencia final precisa ser menor ou igual que a indicada no arquivo de impressão! "
             "Informe de 3 a 5."},
            {"Amostra_Volume_Ilpn.xml", u"Etiqueta ILPN"_s, 9, u"4"_s, u"3"_s,
             "Qtd. de Caixas precisa ser um número inteiro de 0 a 3! A linha 2 tem 3 volumes no "
             "arquivo de pedidos."},
            {"Amostra_Volume_Ilpn.xml", u"Etiqueta ILPN"_s, 9, u"02"_s, u"2"_s, ""},
            {"Amostra_Volume_Ilpn.xml", u"Etiqueta Volume"_s, 9, u"4"_s, u"4"_s, ""},
        };
        auto janela = janelaAtiva();
        a_->plataforma.caixasReais = true;
        for (const Caso& c : casos) {
            a_->plataforma.mensagens.clear();
            abrir(c.arquivo);
            if (!c.tipo.isEmpty()) {
                auto* tipos = achar<QComboBox>(*janela, "cbvTipoEtiq");
                tipos->setFocus();
                QTest::keyClick(tipos, Qt::Key_Home);
                while (tipos->currentText() != c.tipo) QTest::keyClick(tipos, Qt::Key_Down);
            }
            TabelaGrade& tabela =
                a_->app->janela().tipoArquivo() == 1 ? janela->sprPedidos() : janela->vaVolume();
            if (!c.mensagem.empty())
                teste::quandoAbrir<QMessageBox>(
                    [](QMessageBox& caixa) { QTest::keyClick(&caixa, Qt::Key_Return); });
            digitarNaCelula(tabela, 1, c.coluna, c.digitado);
            const QModelIndex celula = tabela.model()->index(1, c.coluna);
            QCOMPARE(celula.data().toString(), c.fica);
            QCOMPARE(a_->plataforma.mensagens.empty() ? std::string()
                                                      : a_->plataforma.mensagens.back().first,
                     c.mensagem);
            QTRY_COMPARE(QApplication::focusWidget(), &tabela);
            QCOMPARE(tabela.currentIndex(), celula);
        }
    }

    // A width the user drags is the grid's width for the next file and run.
    void largurasDasColunasVoltam() {
        {
            auto janela = janelaAtiva();
            abrir("Quelmonte_Preco_Cartolina_teste.xml");
            janela->sprPedidos().horizontalHeader()->resizeSection(2, 211);
        }
        a_->reiniciar();
        auto janela = janelaAtiva();
        abrir("Amostra_Preco_Cartolina_GerarTxt.xml");
        QCOMPARE(janela->sprPedidos().columnWidth(2), 211);
        QVERIFY(janela->vaVolume().columnWidth(2) != 211);  // the other grid keeps its own
    }

    void tiposDeEtiquetaDizemOQueImprimem() {
        auto janela = janelaAtiva();
        for (const char* arquivo : {"Amostra_Preco_Sku.xml", "Amostra_Volume_Ilpn.xml"}) {
            abrir(arquivo);
            auto* tipos = achar<QComboBox>(*janela, "cbvTipoEtiq");
            QCOMPARE(tipos->count(), 2);
            for (int i = 0; i < tipos->count(); ++i)
                QVERIFY2(tipos->itemData(i, Qt::ToolTipRole)
                             .toString()
                             .startsWith(tipos->itemText(i) + u": "_s),
                         qPrintable(tipos->itemText(i)));
        }
    }

    // Opened from the window, closed with Escape without saving, for one file
    // after another: the language of the printer chosen, the file's type and
    // layout, and a picture of it.
    void configuracaoAbreNaLinguagemENoTipoDoArquivo() {
        struct Caso {
            QString arquivo;  // "": none opened yet
            int impressora;
            bool novo;         // the file asked for the new layout
            QString esperado;  // language | type | layout
        };
        // The cosmetic, set and watch families: the dialog once left them to
        // hand edits of the INI file. A volume file whose variant list hides
        // prints ILPN labels, which no type of the dialog shapes: none is
        // chosen, and the standard volume's picture is not shown.
        const Caso casos[] = {
            {u""_s, 0, false, u"Datamax - DPL|Preço Cartolina|Clássico"_s},
            {u"Quelmonte_Preco_Adesiva_teste.xml"_s, 1, false,
             u"Zebra - ZPL|Preço Adesiva|Clássico"_s},
            {u"Amostra_Volume_Padrao_GerarTxt.xml"_s, 2, false,
             u"Datamax - DPL||Clássico sem imagem: As etiquetas ILPN não usam estes parâmetros."_s},
            {u"Amostra_Preco_Cosmetico.xml"_s, 1, true, u"Zebra - ZPL|Preço Cosmético|Novo"_s},
            {u"Amostra_Preco_Conjunto.xml"_s, 1, false,
             u"Zebra - ZPL|Preço Com/Sem e Conjunto|Clássico"_s},
            {u"Amostra_Preco_Relogio.xml"_s, 0, false, u"Datamax - DPL|Preço Relógio|Clássico"_s}};
        auto janela = janelaAtiva();
        const auto layout = lerArquivo(a_->app->PastaAplicacao() / "QuelmonteEtiqueta.ini");
        for (const Caso& c : casos) {
            QString arquivo = c.arquivo;
            if (c.novo) {
                auto xml = *lerArquivo(a_->caminho() / arquivo.toStdString());
                xml.replace(xml.find("LayoutNovo=\"False\""), 18, "LayoutNovo=\"True\" ");
                std::ofstream(a_->caminho() / "novo.xml", std::ios::binary) << xml;
                arquivo = u"novo.xml"_s;
            }
            if (!arquivo.isEmpty()) abrir(arquivo.toLatin1().constData());
            a_->app->janela().cmbImpressora.selecionar(c.impressora);
            QString visto;
            teste::quandoAbrir<FrmConfiguracao>([&](FrmConfiguracao& d) {
                for (const char* lista : {"cmbTipoImpressora", "cmbTipoEtiqueta", "cmbLayout"})
                    visto += (visto.isEmpty() ? u""_s : u"|"_s) +
                             qobject_cast<QComboBox*>(d.controle(lista))->currentText();
                if (qobject_cast<QLabel*>(d.controle("imgEtiqueta"))->pixmap().isNull())
                    visto += u" sem imagem: "_s +
                             qobject_cast<QLabel*>(d.controle("lblTipoEtiqueta"))->text();
                if (d.parentWidget() != janela.get()) visto += u" fora da janela"_s;
                QTest::keyClicks(d.controle("txtLargura"), u"9"_s);
                QTest::keyClick(d.controle("txtLargura"), Qt::Key_Escape);
            });
            QTest::mouseClick(achar<QPushButton>(*janela, "cmdConfiguracao"), Qt::LeftButton);
            QCOMPARE(c.arquivo + u": "_s + visto, c.arquivo + u": "_s + c.esperado);
            QVERIFY(!QApplication::activeModalWidget());
            QCOMPARE(lerArquivo(a_->app->PastaAplicacao() / "QuelmonteEtiqueta.ini"), layout);
        }
    }

  private:
    std::unique_ptr<FrmEtiqueta> janelaAtiva() {
        auto janela = std::make_unique<FrmEtiqueta>(*a_->app);
        janela->show();
        QApplication::setActiveWindow(janela.get());
        if (!QTest::qWaitForWindowActive(janela.get())) qFatal("janela inativa");
        return janela;
    }

    void abrir(const char* arquivo) {
        a_->abrir(arquivo);
        QVERIFY(a_->plataforma.mensagens.empty());
    }

    std::unique_ptr<teste::AplicacaoNaPasta> a_;
};

QTEST_MAIN(TesteJanela)
#include "TesteJanela.moc"
