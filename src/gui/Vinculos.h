#pragma once

// Binds a widget to its control model: the model paints the widget whenever
// it changes, and what the user does goes to the model, which runs the
// window's reactions. Nothing is decided here.

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace etiquetas {

class BarraProgresso;
class BarraStatus;
class Botao;
class CaixaTexto;
class Controle;
class Lista;
class Opcao;
class Rotulo;

void vincular(QLabel& rotulo, Rotulo& modelo);
void vincular(QGroupBox& quadro, Rotulo& modelo);
void vincular(QPushButton& botao, Botao& modelo);
void vincular(QComboBox& lista, Lista& modelo);
void vincular(QLineEdit& caixa, CaixaTexto& modelo);
void vincular(QRadioButton& opcao, Opcao& modelo);
void vincular(QCheckBox& caixa, Opcao& modelo);
void vincular(QProgressBar& barra, BarraProgresso& modelo);
void vincular(QLabel& barra, BarraStatus& modelo);
// A widget that only follows a control's visibility and enabled state (the
// caption beside a list).
void vincularEstado(QWidget& widget, Controle& modelo);

}  // namespace etiquetas
