#pragma once
// A fresh overview dialog of its own, on the document and program state of the process, both
// put back afterwards. A test's Prepare sets what the dialog is made on.
#include "TestApp.h"

#include "model/AppState.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "ui/Controls.h"

#include <memory>
#include <string_view>

#include <gtest/gtest.h>

class GaiyouFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        saved_ = std::make_unique<Document>(Doc);
        savedApp_ = App;
        Prepare();
        GaiyouDlg = new TGaiyouDlg(nullptr);
    }
    void TearDown() override {
        delete GaiyouDlg;
        GaiyouDlg = nullptr;
        Doc = *saved_;
        App = savedApp_;
    }
    virtual void Prepare() {}
    // A fresh showing, as every modal showing is.
    static void Show() {
        GaiyouDlg->hide();
        GaiyouDlg->show();
    }
    std::unique_ptr<Document> saved_;
    AppState savedApp_;
};

// Model text as the dialog's controls show it.
inline QString Q(std::string_view cp932Bytes) {
    return QStringFromCp932(cp932Bytes);
}
