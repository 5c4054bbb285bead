#pragma once
// A message service for tests: every question must have been scripted, in order, with the
// answer to give; an unexpected or unanswered question fails the test.
#include "model/Messages.h"

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class ScriptedMessages final : public MessageService {
public:
    struct Shown {
        std::string text, caption;
        MsgButtons buttons;
        MsgIcon icon;
        MsgAnswer defaultAnswer = MsgAnswer::Ok; // the button Enter chooses
    };

    ScriptedMessages() { SetMessageService(this); }
    ~ScriptedMessages() override {
        SetMessageService(nullptr);
        EXPECT_TRUE(script_.empty()) << script_.size() << " scripted answer(s) never asked for";
    }

    // The next message must contain `textPart` (empty matches any text) and gets `answer`.
    ScriptedMessages& expect(std::string textPart, MsgAnswer answer) {
        // Filled in place: GCC 12 warns of a false out-of-bounds copy when a step with its text
        // is moved into the queue.
        Step& step = script_.emplace_back();
        step.textPart = std::move(textPart);
        step.answer = answer;
        return *this;
    }

    MsgAnswer ask(const std::string& text, const std::string& caption, MsgButtons buttons,
                  MsgIcon icon) override {
        return askWithDefault(text, caption, buttons, icon,
                              buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes);
    }
    MsgAnswer askWithDefault(const std::string& text, const std::string& caption,
                             MsgButtons buttons, MsgIcon icon, MsgAnswer defaultAnswer) override {
        shown.push_back({text, caption, buttons, icon, defaultAnswer});
        if (script_.empty()) {
            ADD_FAILURE() << "unexpected message: [" << caption << "] " << text;
            return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
        }
        auto step = script_.front();
        script_.pop_front();
        EXPECT_NE(text.find(step.textPart), std::string::npos)
            << "expected a message with \"" << step.textPart << "\", got [" << caption << "] "
            << text;
        return step.answer;
    }

    std::vector<Shown> shown;

private:
    struct Step {
        std::string textPart;
        MsgAnswer answer{};
    };
    std::deque<Step> script_;
};
