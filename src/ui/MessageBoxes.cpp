#include "ui/MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QPushButton>

namespace {

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer EscapeAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    }
    return MsgAnswer::No;
}

QMessageBox::StandardButton QtButton(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Ok:
        return QMessageBox::Ok;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

MsgAnswer Run(QMessageBox& box, MsgButtons buttons) {
    box.exec();
    return AnswerFor(box, box.clickedButton(), buttons);
}

} // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text, const std::string& caption,
                                             MsgButtons buttons, MsgIcon icon, QWidget* parent,
                                             std::optional<MsgAnswer> defaultAnswer) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QString::fromStdString(caption));
    box->setText(QString::fromStdString(text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(QtIcon(icon));
    // はい and いいえ take Y and N (with or without Alt), as Qt's own labels do by their mnemonics.
    const auto add = [&](QMessageBox::StandardButton button, const char* text, Qt::Key key) {
        QPushButton* b = box->addButton(button);
        b->setText(QString::fromUtf8(text));
        if (key != Qt::Key{}) b->setShortcut(QKeySequence(Qt::ALT | key));
        return b;
    };
    switch (buttons) {
    case MsgButtons::Ok: {
        QPushButton* ok = add(QMessageBox::Ok, "OK", Qt::Key{});
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
        break;
    }
    case MsgButtons::YesNo: {
        box->setDefaultButton(add(QMessageBox::Yes, "はい", Qt::Key_Y));
        box->setEscapeButton(add(QMessageBox::No, "いいえ", Qt::Key_N));
        break;
    }
    case MsgButtons::YesNoCancel: {
        box->setDefaultButton(add(QMessageBox::Yes, "はい", Qt::Key_Y));
        add(QMessageBox::No, "いいえ", Qt::Key_N);
        box->setEscapeButton(add(QMessageBox::Cancel, "キャンセル", Qt::Key{}));
        break;
    }
    }
    if (defaultAnswer) box->setDefaultButton(QtButton(*defaultAnswer));
    return box;
}

MsgAnswer AnswerFor(const QMessageBox& box, const QAbstractButton* clicked, MsgButtons buttons) {
    if (!clicked) return EscapeAnswer(buttons);
    switch (box.standardButton(const_cast<QAbstractButton*>(clicked))) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return EscapeAnswer(buttons);
    }
}

MsgAnswer QtMessageService::ask(const std::string& text, const std::string& caption,
                                MsgButtons buttons, MsgIcon icon) {
    return Run(*BuildMessageBox(text, caption, buttons, icon, QApplication::activeWindow()),
               buttons);
}

MsgAnswer QtMessageService::askWithDefault(const std::string& text, const std::string& caption,
                                           MsgButtons buttons, MsgIcon icon,
                                           MsgAnswer defaultAnswer) {
    return Run(
        *BuildMessageBox(text, caption, buttons, icon, QApplication::activeWindow(), defaultAnswer),
        buttons);
}

void InstallQtMessageService() {
    static QtMessageService service;
    SetMessageService(&service);
}
