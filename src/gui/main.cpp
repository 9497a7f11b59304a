// etiquetas: the main window.

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    return 0;
}
