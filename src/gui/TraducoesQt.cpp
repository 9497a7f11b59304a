#include "gui/TraducoesQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace etiquetas {

bool carregarTraducoesQt(QCoreApplication& aplicacao) {
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brasil);
    auto* traducao = new QTranslator(&aplicacao);
    // Beside the program first: an installation may carry its own copy.
    for (const QString& pasta : {QCoreApplication::applicationDirPath(),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (traducao->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"), pasta))
            return QCoreApplication::installTranslator(traducao);
    }
    delete traducao;
    return false;
}

}  // namespace etiquetas
