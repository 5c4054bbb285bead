#include "mainwin/dialogs/Dzone.h"

#include <QLabel>
#include <QVBoxLayout>

TzoneDlg* zoneDlg = nullptr;

TzoneDlg::TzoneDlg(QWidget* mainWindow) : PaletteForm(mainWindow) {
    // Single border without border icons: the palette closes only with a change of mode.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("ゾーニングの入力"));
    auto* layout = new QVBoxLayout(this);
    for (const char* line :
         {"建物の分割診断の機能を加える予定です。", "開発中に付き現ﾊﾞｰｼﾞｮﾝでは動作しません。",
          "続けるには、他の入力を選択して下さい。"}) {
        layout->addWidget(new QLabel(QString::fromUtf8(line), this));
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
