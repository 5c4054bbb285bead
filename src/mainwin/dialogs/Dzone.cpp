#include "mainwin/dialogs/Dzone.h"

#include <QLabel>
#include <QVBoxLayout>

TzoneDlg* zoneDlg = nullptr;

TzoneDlg::TzoneDlg(QWidget* mainWindow) : PaletteForm(mainWindow) {
    setWindowTitle(QStringLiteral("ゾーニングの入力"));
    auto* layout = new QVBoxLayout(this);
    for (const char* line :
         {"建物の分割診断の機能を加える予定です。", "開発中に付き現ﾊﾞｰｼﾞｮﾝでは動作しません。",
          "続けるには、他の入力を選択して下さい。"}) {
        layout->addWidget(new QLabel(QString::fromUtf8(line), this));
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
