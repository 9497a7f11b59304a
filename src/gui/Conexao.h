#pragma once

// The core's signals know nothing of Qt object lifetimes: a view that goes
// away before its model must stop listening, or the next change would call
// into a destroyed widget.

#include <QObject>
#include <QPointer>
#include <QString>
#include <string>
#include <utility>

#include "app/Sinal.h"
#include "comum/Texto.h"

namespace etiquetas {

template <typename F, typename... Args>
void conectarEnquantoViver(QObject* dono, Sinal<Args...>& sinal, F funcao) {
    QPointer<QObject> vivo(dono);
    sinal.conectar([vivo, funcao = std::move(funcao)](Args... args) {
        if (vivo) funcao(args...);
    });
}

// Core text (Windows-1252) to the screen and back.
inline QString paraTela(const std::string& cp1252) {
    return QString::fromStdString(cp1252ParaUtf8(cp1252));
}
inline std::string daTela(const QString& texto) {
    return utf8ParaCp1252(texto.toStdString());
}

}  // namespace etiquetas
