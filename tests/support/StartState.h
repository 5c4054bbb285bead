#pragma once
// The model, the application state and the services are globals that every test changes. A
// test binary run whole, in any order, gives each test the state the program starts in: the
// listener below puts it back after every test, so that no test inherits another's module,
// grid, scenario, pending notice or installed service.
#include "document/Recompute.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/ModelHooks.h"

#include <functional>
#include <memory>

#include <gtest/gtest.h>

class StartStateListener : public ::testing::EmptyTestEventListener {
public:
    // `extra` restores what only one binary has (the forms and the Qt services).
    explicit StartStateListener(std::function<void()> extra = {}) : extra_(std::move(extra)) {}

    void OnTestProgramStart(const ::testing::UnitTest&) override {
        doc_ = std::make_unique<Document>(Doc);
        app_ = std::make_unique<AppState>(App);
        grid_ = std::make_unique<GridState>(Grid);
    }

    void OnTestEnd(const ::testing::TestInfo&) override {
        if (extra_) extra_();
        // A repair nobody was told of would be told at the next test's first paint.
        SetMessageService(nullptr);
        if (GridResetNoticePending()) ShowGridResetNotice();
        SetModelHooks(nullptr);
        Doc = *doc_;
        App = *app_;
        Grid = *grid_;
        // The calculation notices of this test's document are not the next one's.
        MarkDocumentReplaced();
    }

    // Installs the listener once in the running binary; the initialiser of a namespace-scope
    // bool in the binary's own file calls it.
    static bool Install(std::function<void()> extra = {}) {
        ::testing::UnitTest::GetInstance()->listeners().Append(
            new StartStateListener(std::move(extra)));
        return true;
    }

private:
    std::function<void()> extra_;
    std::unique_ptr<Document> doc_;
    std::unique_ptr<AppState> app_;
    std::unique_ptr<GridState> grid_;
};
