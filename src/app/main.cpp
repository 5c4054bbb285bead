#include "mainwin/velquor2_MAIN.h"
#include "ui/Application.h"
#include "app/FormSet.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication(app);
    int result = 0;
    if (CreateForms(QApplication::arguments())) {
        MainForm->showMaximized();
        result = app.exec();
    }
    DestroyForms();
    return result;
}
