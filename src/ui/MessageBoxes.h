#pragma once
// The program's questions and notices as Qt message boxes. The texts name their buttons
// ("起動する　　　はい"), so the buttons carry the Japanese labels whatever the Qt translation.
#include "model/Messages.h"

#include <QMessageBox>

#include <memory>
#include <optional>

class QtMessageService final : public MessageService {
public:
    MsgAnswer ask(const std::string& text, const std::string& caption, MsgButtons buttons,
                  MsgIcon icon) override;
    MsgAnswer askWithDefault(const std::string& text, const std::string& caption,
                             MsgButtons buttons, MsgIcon icon, MsgAnswer defaultAnswer) override;
};

// The box ask() shows, built but not shown (tests look at it without running it). Its default
// button is the one of `defaultAnswer`, or the first (OK or Yes) without one.
std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text, const std::string& caption,
                                             MsgButtons buttons, MsgIcon icon,
                                             QWidget* parent = nullptr,
                                             std::optional<MsgAnswer> defaultAnswer = {});

// The answer for the button the user chose; nullptr (the box closed by Esc or its close box)
// answers No, or Cancel where Cancel is offered.
MsgAnswer AnswerFor(const QMessageBox& box, const QAbstractButton* clicked, MsgButtons buttons);

// Installs the Qt message boxes as the program's message service.
void InstallQtMessageService();
