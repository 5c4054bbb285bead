// The user panel material dialog: it edits a copy that OK commits and Cancel discards, keeps
// what is typed across repaints, loads into the copy, saves what it shows, limits names and
// symbols by CP932 bytes on whole characters, and is reached from the side panel's "変更".
#include "TestApp.h"

#include "app/FormSet.h"
#include "mainwin/dialogs/kabetsuika.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"
#include "ui/Forms.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const QString& s) {
    return s.toStdString();
}

// CP932 bytes of the texts used here.
const char* const SonotaCp932 = "\x82\xBB\x82\xCC\x91\xBC"; // その他
const char* const HeiCp932 = "\x95\xBD";                    // 平
const char* const BanCp932 = "\x94\xC2";                    // 板

// One record of a panel-material file, built from its layout: symbol slot 5 bytes, three
// numbers as thousandths in "%16li" and a zero byte, name slot 23 bytes.
struct FileRecord {
    std::string symbol;
    long long strength, stiffness, ratio; // thousandths
    std::string name;
};

std::string PanelFileBytes(const FileRecord (&records)[CustomPanelCount]) {
    std::string bytes("yd0", 4);
    auto slot = [&](const std::string& text, std::size_t width) {
        std::string field = text.substr(0, width - 1);
        field.resize(width, '\0');
        bytes += field;
    };
    auto number = [&](long long thousandths) {
        char field[32];
        std::snprintf(field, sizeof field, "%16lld", thousandths);
        bytes.append(field, 16);
        bytes += '\0';
    };
    for (const FileRecord& r : records) {
        slot(r.symbol, 5);
        number(r.strength);
        number(r.stiffness);
        number(r.ratio);
        slot(r.name, 23);
    }
    return bytes; // 4 + 10 x 79 = 794
}

// Ten materials: slot k has strength k + 0.346, stiffness 100k + 0.5, ratio 1.125 + k / 10.
std::string SampleFile() {
    FileRecord records[CustomPanelCount];
    for (int k = 0; k < CustomPanelCount; ++k) {
        records[k] = {"Y" + std::to_string(k), k * 1000 + 346, k * 100000 + 500, 1125 + k * 100,
                      std::string(SonotaCp932) + "L" + std::to_string(k)};
    }
    return PanelFileBytes(records);
}

// Types the text into the widget one character at a time, as the keyboard or the input
// method hands it over.
void TypeText(QWidget* w, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        const QString ch = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, ch);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, ch);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

class KabetsuikaTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ResetModelState();
        ResetPanelElements();
        dlg = std::make_unique<TkabetsuikaDlg>(nullptr);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { dlg.reset(); }

    QString write(const std::string& name, const std::string& bytes) {
        const QString path = dir.filePath(QString::fromStdString(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), qint64(bytes.size()));
        return path;
    }
    static std::string read(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return {};
        const QByteArray a = f.readAll();
        return std::string(a.constData(), std::size_t(a.size()));
    }

    ScriptedMessages messages;
    QTemporaryDir dir;
    std::unique_ptr<TkabetsuikaDlg> dlg;
};

TEST_F(KabetsuikaTest, ShowsTheDocumentsMaterialsWithTwoDecimals) {
    Doc.CustomPanels[3] = {FixedText<5>("(X2)"), 2.5, 1234.5, 1.25, FixedText<23>("abc")};
    dlg->show();
    EXPECT_EQ(Utf8(dlg->Ename[0]->text()), "その他1");
    EXPECT_EQ(Utf8(dlg->Ename[1]->text()), "その他1（胴縁）");
    EXPECT_EQ(Utf8(dlg->Ekigou[3]->text()), "(X2)");
    EXPECT_EQ(Utf8(dlg->Etairyoku[3]->text()), "2.50");
    EXPECT_EQ(Utf8(dlg->Egousei[3]->text()), "1234.50");
    EXPECT_EQ(Utf8(dlg->Ebairitsu[3]->text()), "1.25");
    EXPECT_EQ(Utf8(dlg->Etairyoku[0]->text()), "0.00");
    EXPECT_EQ(Utf8(dlg->windowTitle()), "壁要素（面材）変更");
}

TEST_F(KabetsuikaTest, AValueWiderThanItsEditIsShownWhole) {
    // A ratio of 12.5 needs five characters; the edit takes four when typing.
    Doc.CustomPanels[0].ratio = 12.5;
    Doc.CustomPanels[0].stiffness = 123456.0;
    dlg->show();
    EXPECT_EQ(Utf8(dlg->Ebairitsu[0]->text()), "12.50");
    EXPECT_EQ(Utf8(dlg->Egousei[0]->text()), "123456.00");
    dlg->OKBtnClick();
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[0].ratio, 12.5);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[0].stiffness, 123456.0);
    EXPECT_EQ(App.Modified, 0); // nothing changed
    EXPECT_EQ(dlg->Ebairitsu[1]->maxLength(), 4);
}

TEST_F(KabetsuikaTest, TypingSurvivesRepaintsUntilOk) {
    dlg->show();
    dlg->Etairyoku[4]->setText(QStringLiteral("3.5"));
    dlg->Ename[4]->setText(QStringLiteral("構造用合板"));
    dlg->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(Utf8(dlg->Etairyoku[4]->text()), "3.5");
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[4].strength, 0.0);

    dlg->OKBtnClick();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[4].strength, 3.5);
    EXPECT_EQ(Utf8(QString::fromStdString(cp932::toUtf8(Doc.CustomPanels[4].name.view()))),
              "構造用合板");
    EXPECT_EQ(App.Modified, 1);
}

TEST_F(KabetsuikaTest, CancelDiscardsWhatWasTyped) {
    dlg->show();
    dlg->Etairyoku[0]->setText(QStringLiteral("9.9"));
    dlg->reject();
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[0].strength, 0.0);
    EXPECT_EQ(App.Modified, 0);
    dlg->show(); // the next showing starts from the document again
    EXPECT_EQ(Utf8(dlg->Etairyoku[0]->text()), "0.00");
}

TEST_F(KabetsuikaTest, LoadThenCancelLeavesTheDocumentAsItWas) {
    const QString path = write("a.yd0", SampleFile());
    dlg->show();
    ASSERT_TRUE(dlg->LoadFrom(path));
    EXPECT_EQ(Utf8(dlg->Ekigou[2]->text()), "Y2");
    dlg->reject();
    EXPECT_EQ(Doc.CustomPanels[2].symbol.view(), "X2");
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[2].strength, 0.0);
}

TEST_F(KabetsuikaTest, LoadedValuesAreKeptExactlyUnlessEdited) {
    const QString path = write("a.yd0", SampleFile());
    dlg->show();
    ASSERT_TRUE(dlg->LoadFrom(path));
    // Slot 2: strength 2.346 shows as 2.35, stiffness 200.5, ratio 1.325; the edits show two
    // decimals, but a value nobody typed over keeps its thousandths.
    EXPECT_EQ(Utf8(dlg->Etairyoku[2]->text()), "2.35");
    EXPECT_EQ(Utf8(dlg->Egousei[2]->text()), "200.50");
    EXPECT_EQ(Utf8(dlg->Ename[2]->text()), "その他L2");
    dlg->Ebairitsu[3]->setText(QStringLiteral("2.5")); // typed: read as typed

    // Saved with nothing typed in slot 2, the file holds what was loaded.
    const QString out = dir.filePath(QStringLiteral("out.yd0"));
    ASSERT_TRUE(dlg->SaveTo(out));
    EXPECT_EQ(read(out).substr(4 + 2 * 79 + 5, 3 * 17), std::string("            2346\0"
                                                                    "          200500\0"
                                                                    "            1325\0",
                                                                    51));
    dlg->OKBtnClick();
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[2].strength, 2.346);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[2].ratio, 1.325);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[3].ratio, 2.5);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[3].strength, 3.346);
    EXPECT_EQ(Doc.CustomPanels[9].symbol.view(), "Y9");
    EXPECT_EQ(App.Modified, 1);
}

TEST_F(KabetsuikaTest, AFileWithoutTheTagChangesNothing) {
    std::string modelFile("qv8", 4);
    modelFile.resize(794, ' ');
    const QString path = write("house.vq2", modelFile);
    dlg->show();
    dlg->Etairyoku[1]->setText(QStringLiteral("7"));
    messages.expect("Velquorの面材データファイルではありません。", MsgAnswer::Ok);
    EXPECT_FALSE(dlg->LoadFrom(path));
    EXPECT_EQ(messages.shown.back().caption, "読み込みエラー");
    EXPECT_EQ(messages.shown.back().icon, MsgIcon::Information);
    EXPECT_EQ(Utf8(dlg->Etairyoku[1]->text()), "7");
    EXPECT_EQ(Utf8(dlg->Ekigou[0]->text()), "X1");
}

TEST_F(KabetsuikaTest, AShortFileIsRefusedWhole) {
    const QString path = write("short.yd0", SampleFile().substr(0, 4 + 79 * 3 + 10));
    dlg->show();
    messages.expect("", MsgAnswer::Ok);
    EXPECT_FALSE(dlg->LoadFrom(path));
    EXPECT_EQ(Utf8(dlg->Ekigou[0]->text()), "X1");
}

TEST_F(KabetsuikaTest, SaveWritesWhatTheDialogShows) {
    dlg->show();
    dlg->Etairyoku[0]->setText(QStringLiteral("2.5"));
    dlg->Ename[0]->setText(QStringLiteral("平 板"));
    dlg->Ebairitsu[0]->setText(QStringLiteral("x"));
    const QString path = dir.filePath(QStringLiteral("out.yd0"));
    ASSERT_TRUE(dlg->SaveTo(path));

    const std::string bytes = read(path);
    ASSERT_EQ(bytes.size(), 794u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("yd0", 4));
    EXPECT_EQ(bytes.substr(4, 5), std::string("X1\0\0\0", 5));
    // 2.5 kN/m as twelve blanks, 2500 and a zero byte; an unreadable ratio as 0.
    EXPECT_EQ(bytes.substr(9, 17), std::string("            2500\0", 17));
    EXPECT_EQ(bytes.substr(9 + 34, 17), std::string("               0\0", 17));
    // The name is saved whole, blank included.
    EXPECT_EQ(bytes.substr(60, 6), std::string(HeiCp932) + " " + BanCp932 + std::string(1, '\0'));
    // The document keeps its materials until OK.
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[0].strength, 0.0);
    EXPECT_EQ(App.Modified, 0);
}

TEST_F(KabetsuikaTest, SavingTheDefaultsKeepsTheOldFileAsBackup) {
    const QString path = write("p.yd0", "old");
    dlg->show();
    ASSERT_TRUE(dlg->SaveTo(path));
    EXPECT_EQ(read(dir.filePath(QStringLiteral("p.yd0.BAK"))), "old");
    const std::string bytes = read(path);
    ASSERT_EQ(bytes.size(), 794u);
    EXPECT_EQ(bytes.substr(60, 7), std::string(SonotaCp932) + "1");
}

TEST_F(KabetsuikaTest, AFailedSaveIsReported) {
    dlg->show();
    messages.expect("", MsgAnswer::Ok);
    EXPECT_FALSE(dlg->SaveTo(dir.filePath(QStringLiteral("missing/folder/p.yd0"))));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(KabetsuikaTest, NamesAndSymbolsAreLimitedInBytesOnWholeCharacters) {
    dlg->show();
    // Typed: a name takes at most 22 bytes (eleven double-byte characters), a symbol 4.
    dlg->Ename[0]->clear();
    TypeText(dlg->Ename[0], QStringLiteral("あいうえおかきくけこさしす"));
    EXPECT_EQ(Utf8(dlg->Ename[0]->text()), "あいうえおかきくけこさ");
    dlg->Ekigou[0]->clear();
    TypeText(dlg->Ekigou[0], QStringLiteral("XあYZ"));
    EXPECT_EQ(Utf8(dlg->Ekigou[0]->text()), "XあY");

    // Set from code (pasted past the editor): cut on whole characters when taken, characters
    // CP932 cannot write left out.
    dlg->Ekigou[1]->setText(QStringLiteral("ＡＢＣ"));
    dlg->Ename[1]->setText(QStringLiteral("A😀あいうえおかきくけこさ"));
    dlg->OKBtnClick();
    EXPECT_EQ(Doc.CustomPanels[1].symbol.view(), "\x82\x60\x82\x61"); // ＡＢ
    EXPECT_EQ(Doc.CustomPanels[1].name.str(),
              cp932::fromUtf8("Aあいうえおかきくけこ").value_or(""));
    EXPECT_EQ(Doc.CustomPanels[0].name.str(),
              cp932::fromUtf8("あいうえおかきくけこさ").value_or(""));
}

TEST_F(KabetsuikaTest, OkRefusesAValueTheFilesCannotHold) {
    dlg->show();
    // 1e13 kN/m is 10^16 thousandths: more than the 16 characters of the files' field.
    dlg->Egousei[3]->setText(QStringLiteral("1e13"));
    dlg->Etairyoku[0]->setText(QStringLiteral("4"));
    messages.expect("No.2（胴縁） の剛性が大き過ぎます。", MsgAnswer::Ok);
    dlg->OKBtnClick();
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[0].strength, 0.0);
    EXPECT_EQ(App.Modified, 0);
    dlg->Egousei[3]->setText(QStringLiteral("-1"));
    messages.expect("No.2（胴縁） の剛性は 0 以上で入力して下さい。", MsgAnswer::Ok);
    dlg->OKBtnClick();
    EXPECT_NE(dlg->result(), QDialog::Accepted);

    dlg->Egousei[3]->setText(QStringLiteral("1e11")); // 10^14 thousandths fit
    dlg->OKBtnClick();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[3].stiffness, 1e11);
}

struct NumberCase {
    const char* text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest,
                         ::testing::Values(NumberCase{"2.5", 2.5}, NumberCase{"  2.50", 2.5},
                                           NumberCase{"2.5kN", 2.5}, NumberCase{"-1.25", -1.25},
                                           NumberCase{"+3", 3}, NumberCase{"1e3", 1000},
                                           NumberCase{"", 0}, NumberCase{"abc", 0},
                                           NumberCase{"．５", 0.5}, NumberCase{"inf", 0},
                                           NumberCase{"nan", 0}, NumberCase{"1e999", 0}));

// From the main window: "変更" shows the dialog modally and repaints the plan after it.
TEST(KabetsuikaFromMainWindow, ChangeButtonShowsTheDialogAndCommitsItsOk) {
    TestApp();
    QTemporaryDir locks;
    ResetModelState();
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    ASSERT_NE(kabetsuikaDlg, nullptr);
    std::vector<QDialog*> shown;
    SetModalRunner([&](QDialog& d) {
        shown.push_back(&d);
        d.show();
        kabetsuikaDlg->Egousei[6]->setText(QStringLiteral("1500"));
        kabetsuikaDlg->OKBtnClick();
        return d.result();
    });
    MainForm->Bkabetsuika->click();
    SetModalRunner({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], kabetsuikaDlg);
    EXPECT_DOUBLE_EQ(Doc.CustomPanels[6].stiffness, 1500.0);
    EXPECT_EQ(App.Modified, 1);
    DestroyForms();
    EXPECT_EQ(kabetsuikaDlg, nullptr);
}

} // namespace
