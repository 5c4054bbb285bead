#include "TestApp.h"

#include "ui/Controls.h"
#include "ui/MessageBoxes.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>

#include <utility>

#include <gtest/gtest.h>

namespace {

// A key press and release as the user types it.
void TypeKey(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        form = std::make_unique<QWidget>();
        layout = new QVBoxLayout(form.get());
    }
    template <typename W, typename... A>
    W* add(A&&... args) {
        auto* w = new W(std::forward<A>(args)..., form.get());
        layout->addWidget(w);
        return w;
    }
    std::unique_ptr<QWidget> form;
    QVBoxLayout* layout = nullptr;
};

} // namespace

TEST_F(ControlsTest, CheckBoxFromCodeRunsItsHandlerOncePerChange) {
    auto* box = add<QCheckBox>(QStringLiteral("改修注意"));
    int clicks = 0;
    BindCheckBox(box, [&] { ++clicks; });
    box->setChecked(true);
    EXPECT_EQ(clicks, 1);
    box->setChecked(true); // no change, no click
    EXPECT_EQ(clicks, 1);
    box->setChecked(false);
    EXPECT_EQ(clicks, 2);
    form->show();
    box->click(); // as the user clicks
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(ControlsTest, RadioFromCodeRunsItsHandlerOnlyWhenItBecomesChecked) {
    auto* r1 = add<QRadioButton>(QStringLiteral("柱"));
    auto* r2 = add<QRadioButton>(QStringLiteral("壁 (柱)"));
    int c1 = 0, c2 = 0;
    RadioGroup group(form.get());
    group.add(r1, 1, [&] { ++c1; });
    group.add(r2, 2, [&] { ++c2; });
    EXPECT_EQ(group.checkedId(), -1);

    r1->setChecked(true);
    EXPECT_EQ(c1, 1);
    group.setCheckedId(1); // already checked
    EXPECT_EQ(c1, 1);
    group.setCheckedId(2); // unchecking r1 runs nothing
    EXPECT_EQ(c1, 1);
    EXPECT_EQ(c2, 1);
    EXPECT_FALSE(r1->isChecked());

    group.clear(); // none checked, and no handler for it
    EXPECT_EQ(group.checkedId(), -1);
    EXPECT_FALSE(r2->isChecked());
    EXPECT_EQ(c2, 1);
    group.setCheckedId(99); // unknown: stays with none checked
    EXPECT_EQ(group.checkedId(), -1);

    // The group stays exclusive for the user after a clear.
    form->show();
    r2->click(); // as the user clicks
    r1->click(); // as the user clicks
    EXPECT_TRUE(r1->isChecked());
    EXPECT_FALSE(r2->isChecked());
    EXPECT_EQ(c1, 2);
    EXPECT_EQ(c2, 2);
}

TEST_F(ControlsTest, RadiosOfDifferentFieldsOnOneParentStayApart) {
    auto* a1 = add<QRadioButton>(QStringLiteral("1階"));
    auto* a2 = add<QRadioButton>(QStringLiteral("2階"));
    auto* b1 = add<QRadioButton>(QStringLiteral("現況"));
    RadioGroup storey(form.get()), scenario(form.get());
    storey.add(a1, 0);
    storey.add(a2, 1);
    scenario.add(b1, 0);
    storey.setCheckedId(1);
    scenario.setCheckedId(0);
    EXPECT_TRUE(a2->isChecked());
    EXPECT_TRUE(b1->isChecked());
}

TEST_F(ControlsTest, ComboIndexFromCodeRunsNoHandlerButTheUsersChoiceDoes) {
    auto* combo = add<QComboBox>();
    combo->addItems({"30", "50", "75", "100"});
    int changes = 0;
    BindComboChoice(combo, [&] { ++changes; });
    combo->setCurrentIndex(2);
    combo->setCurrentIndex(7); // out of range: no item, still no handler
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(changes, 0);

    combo->setCurrentIndex(1);
    form->show();
    combo->setFocus();
    TypeKey(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, EditableComboRunsItsHandlerWhenEditingEnds) {
    auto* combo = add<QComboBox>();
    combo->setEditable(true);
    combo->addItems({"75", "100"});
    int changes = 0;
    BindComboChoice(combo, [&] { ++changes; });
    combo->setEditText(QStringLiteral("120"));
    EXPECT_EQ(changes, 0);
    form->show();
    combo->setFocus();
    TypeKey(combo->lineEdit(), Qt::Key_Return);
    EXPECT_GE(changes, 1);
}

struct LimitCase {
    int maxBytes;
    const char* input;
    const char* typed; // what the edit keeps of it typed at the end
    const char* fixed; // what fixup keeps
};
class Cp932LimitTest : public ::testing::TestWithParam<LimitCase> {};
TEST_P(Cp932LimitTest, CountsBytesAndCutsOnWholeCharacters) {
    TestApp();
    Cp932LimitValidator v(GetParam().maxBytes, nullptr);
    QString text = QString::fromUtf8(GetParam().input);
    int pos = int(text.size());
    EXPECT_EQ(v.validate(text, pos), QValidator::Acceptable);
    EXPECT_EQ(text, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(pos, text.size());
    text = QString::fromUtf8(GetParam().input);
    v.fixup(text);
    EXPECT_EQ(text, QString::fromUtf8(GetParam().fixed));
}
INSTANTIATE_TEST_SUITE_P(
    Limits, Cp932LimitTest,
    ::testing::Values(LimitCase{4, "ab", "ab", "ab"},
                      LimitCase{4, "和室", "和室", "和室"},     // 2 + 2 bytes
                      LimitCase{4, "和室A", "和室", "和室"},    // 5 bytes
                      LimitCase{5, "和室洋室", "和室", "和室"}, // never half a character
                      LimitCase{5, "ｱｲｳｴｵｶ", "ｱｲｳｴｵ", "ｱｲｳｴｵ"}, // half-width kana: 1 byte each
                      LimitCase{8, "基礎Ⅰ", "基礎Ⅰ", "基礎Ⅰ"},  // CP932-only character
                      LimitCase{8, "a😀b", "ab", "ab"},          // not writable in CP932
                      // A byte a damaged file held (shown as U+FFFD) lets the rest be edited.
                      LimitCase{4, "a\uFFFDbc", "a\uFFFDbc", "abc"}));

TEST(MessageBoxes, ButtonsCarryJapaneseLabelsAndEscapeAnswersTheSafeChoice) {
    TestApp();
    struct Case {
        MsgButtons buttons;
        QStringList labels;
        MsgAnswer onEscape;
    };
    const Case cases[] = {
        {MsgButtons::Ok, {"OK"}, MsgAnswer::Ok},
        {MsgButtons::YesNo, {"はい", "いいえ"}, MsgAnswer::No},
        {MsgButtons::YesNoCancel, {"はい", "いいえ", "キャンセル"}, MsgAnswer::Cancel},
    };
    for (const Case& c : cases) {
        auto box = BuildMessageBox("保存してから終了しますか？\n\n保存して終了　　　はい", "終了",
                                   c.buttons, MsgIcon::Question);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("終了"));
        EXPECT_EQ(box->text(),
                  QStringLiteral("保存してから終了しますか？\n\n保存して終了　　　はい"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        QStringList labels;
        for (QAbstractButton* b : box->buttons()) labels << b->text();
        for (const QString& l : c.labels) EXPECT_TRUE(labels.contains(l)) << l.toStdString();
        EXPECT_EQ(labels.size(), c.labels.size());
        // Esc and the close box press the escape button.
        EXPECT_EQ(AnswerFor(*box, box->escapeButton(), c.buttons), c.onEscape);
        EXPECT_EQ(AnswerFor(*box, nullptr, c.buttons), c.onEscape);
    }
    auto box = BuildMessageBox("x", "y", MsgButtons::YesNoCancel, MsgIcon::Stop);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    // A question that would replace what the user has not seen names the button Enter presses.
    EXPECT_EQ(
        BuildMessageBox("x", "y", MsgButtons::YesNo, MsgIcon::Question, nullptr, MsgAnswer::No)
            ->defaultButton()
            ->text(),
        QStringLiteral("いいえ"));
    EXPECT_EQ(AnswerFor(*box, box->button(QMessageBox::Yes), MsgButtons::YesNoCancel),
              MsgAnswer::Yes);
    EXPECT_EQ(AnswerFor(*box, box->button(QMessageBox::No), MsgButtons::YesNoCancel),
              MsgAnswer::No);
    // Y and N answer はい and いいえ, as on Qt's own boxes (Alt with them goes through the same
    // shortcuts).
    for (const auto& [key, answer] :
         {std::pair{Qt::Key_Y, MsgAnswer::Yes}, std::pair{Qt::Key_N, MsgAnswer::No}}) {
        auto asked = BuildMessageBox("x", "y", MsgButtons::YesNo, MsgIcon::Question);
        asked->show();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(asked.get(), &press);
        for (int i = 0; i < 50 && !asked->clickedButton(); ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(10);
        }
        EXPECT_EQ(AnswerFor(*asked, asked->clickedButton(), MsgButtons::YesNo), answer) << key;
    }
}
