#pragma once
// Printer set-up and colour dialog fakes for tests: each run takes the next scripted answer; a
// run without one fails the test, as does an answer left over.
#include "ports/PrintServices.h"

#include <deque>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

class ScriptedPrinterSetup final : public PrinterSetupService {
public:
    explicit ScriptedPrinterSetup(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}
    ~ScriptedPrinterSetup() override {
        EXPECT_TRUE(answers_.empty()) << answers_.size() << " printer set-up(s) never run";
    }
    void expect(bool accept) { answers_.push_back(accept); }

    bool runSetup() override {
        ++runs;
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected printer set-up";
            return false;
        }
        const bool accept = answers_.front();
        answers_.pop_front();
        return accept;
    }
    int runs = 0;

private:
    std::deque<bool> answers_;
};

class ScriptedColourDialog final : public ColourDialogService {
public:
    ~ScriptedColourDialog() override {
        EXPECT_TRUE(answers_.empty()) << answers_.size() << " colour choice(s) never asked for";
    }
    // The next run chooses `colour`, or is cancelled with std::nullopt.
    void expect(std::optional<ColorRef> colour) { answers_.push_back(colour); }

    bool pickColour(ColorRef& colour) override {
        openedOn.push_back(colour);
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected colour dialog";
            return false;
        }
        const auto answer = answers_.front();
        answers_.pop_front();
        if (answer) colour = *answer;
        return answer.has_value();
    }
    std::vector<ColorRef> openedOn; // the colour each run opened on

private:
    std::deque<std::optional<ColorRef>> answers_;
};
