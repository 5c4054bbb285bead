#pragma once
// Every question and notice the program puts to the user goes through this interface, so
// that every unit can be tested with a scripted recorder. Texts are UTF-8.
#include <string>

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Question, Warning, Stop };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the message and returns the button the user chose. Closing the box without a
    // button answers No, or Cancel where Cancel is offered. Enter chooses the first button (OK
    // or Yes).
    virtual MsgAnswer ask(const std::string& text, const std::string& caption, MsgButtons buttons,
                          MsgIcon icon) = 0;
    // As ask, with `defaultAnswer` the button Enter chooses: a question whose Yes would replace
    // what the user has not seen defaults to the answer that keeps it. A service that shows no
    // buttons answers as ask does.
    virtual MsgAnswer askWithDefault(const std::string& text, const std::string& caption,
                                     MsgButtons buttons, MsgIcon icon, MsgAnswer defaultAnswer) {
        (void)defaultAnswer;
        return ask(text, caption, buttons, icon);
    }
};

// The service the program talks to; the window installs its message boxes at start-up,
// tests install a recorder. Until then every question is answered as if closed.
MessageService& Messages();
void SetMessageService(MessageService* service);
