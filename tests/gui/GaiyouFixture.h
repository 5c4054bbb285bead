#pragma once
// A fresh overview dialog of its own, on the document and program state of the process, both
// put back afterwards. A test's Prepare sets what the dialog is made on.
#include "TestApp.h"

#include "model/AppState.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "ui/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

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

// The scroll area of the page a page control shows.
inline QScrollArea* Scroll(const QTabWidget* pages) {
    return qobject_cast<QScrollArea*>(pages->currentWidget());
}

// Model text as the dialog's controls show it.
inline QString Q(std::string_view cp932Bytes) {
    return QStringFromCp932(cp932Bytes);
}

// What the controls show, by the controls' names: an edit's text, an editable combo's text, a
// list's index, "1" or "0" for a box, "1" for the checked radio.
using Shown = std::vector<std::pair<QString, QString>>;

// Checks that the controls show `v`, or (type) puts it into them as a user would; an edit
// that is disabled only shows its value.
inline void Walk(const Shown& v, bool type) {
    for (const auto& [name, value] : v) {
        QWidget* w = GaiyouDlg->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name.toStdString();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (type && !edit->isEnabled()) continue;
            if (type) edit->setText(value);
            EXPECT_EQ(edit->text(), value) << name.toStdString();
        } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable()) {
            if (type) combo->setEditText(value);
            EXPECT_EQ(combo->currentText(), value) << name.toStdString();
        } else if (combo) {
            if (type) combo->setCurrentIndex(value.toInt());
            EXPECT_EQ(combo->currentIndex(), value.toInt()) << name.toStdString();
        } else if (auto* box = qobject_cast<QAbstractButton*>(w)) {
            if (type) box->setChecked(value == "1");
            EXPECT_EQ(box->isChecked(), value == "1") << name.toStdString();
        }
    }
}
