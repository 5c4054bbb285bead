#pragma once
// The main window with every form of the program, made as at start-up on the document a test
// resets first, and taken down after the test. No control may ask anything meanwhile.
#include "app/FormSet.h"
#include "gui/TestApp.h"
#include "mainwin/velquor2_MAIN.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <string>

#include <gtest/gtest.h>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(locks.isValid());
        resetDocument();
        ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
        form = MainForm;
    }
    void TearDown() override { DestroyForms(); }
    // The document the forms are made on; its options at their start values.
    virtual void resetDocument() { ResetModelState(); }

    ScriptedMessages messages;
    QTemporaryDir locks;
    Tvelquor2Form* form = nullptr;
};

inline std::string Utf8(const QString& s) {
    return s.toStdString();
}

inline QColor BackColour(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}
