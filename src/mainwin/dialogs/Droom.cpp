#include "mainwin/dialogs/Droom.h"

#include "document/Foundations.h"
#include "document/DocumentCommands.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "ui/Controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TRoomDlg* RoomDlg = nullptr;

TRoomDlg::TRoomDlg(QWidget* mainWindow)
    : PaletteForm(mainWindow, QStringLiteral("文字（室名）の入力")) {
    name = new QLineEdit(this);
    // Typing stops at what the model file keeps, so the placed text is what the user sees.
    name->setValidator(new Cp932LimitValidator(int(MaxRoomTextBytes), name));
    connect(name, &QLineEdit::textEdited, this, [this] { SetCurrentRoomText(RoomText()); });
    Ballclear = new QPushButton(QStringLiteral("この階の文字を全消去"), this);
    connect(Ballclear, &QPushButton::clicked, this, [this] { BallclearClick(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("入力：位置を２点指示（同一点でも可）"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("削除：文字を２点指示（訂正は再入力）"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("現在の文字 ＝ "), this), 1, 0, Qt::AlignRight);
    grid->addWidget(name, 1, 1);
    grid->addWidget(
        new QLabel(QStringLiteral("文字の位置は四角の点線で表示（同一点の場合は円）"), this), 2, 0);
    grid->addWidget(Ballclear, 2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

std::string TRoomDlg::RoomText() const {
    // The validator lets no character through that CP932 cannot write.
    return cp932::fromUtf8(name->text().toStdString()).value_or(std::string());
}

void TRoomDlg::ShowCurrentText() {
    name->setText(QString::fromStdString(cp932::toUtf8(App.CurRoomText)));
}

void TRoomDlg::BallclearClick() {
    if (ClearStoreyRoomTexts()) RepaintPlanSheet();
}
