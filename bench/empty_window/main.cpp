// The start-up baseline: an empty Qt window, shown, then the program ends.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget w;
    w.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
