#include <QApplication>
#include <QMainWindow>

#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt takes the C library locale from the environment; file fields and "%5.2f" need "C".
    std::setlocale(LC_NUMERIC, "C");
    QMainWindow window;
    window.setWindowTitle("Velquor");
    window.showMaximized();
    return app.exec();
}
