#pragma once

class QCoreApplication;

namespace etiquetas {

// Qt's own Brazilian Portuguese texts (standard buttons, the file dialog),
// whatever the system's language, so that they read like the rest of the
// window. False when the translations are not installed: Qt's English stays.
bool carregarTraducoesQt(QCoreApplication& aplicacao);

}  // namespace etiquetas
