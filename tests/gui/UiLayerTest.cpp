#include "TestApp.h"

#include "app/FormSet.h"
#include "document/FileDialogService.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "mainwin/dialogs/kabetsuika.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Overview.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"
#include "ui/Application.h"
#include "ui/Bindings.h"
#include "ui/DesktopBrowser.h"
#include "ui/FileDialogs.h"
#include "ui/Forms.h"
#include "ui/ScrollBarStyle.h"
#include "ui/StatusHints.h"
#include "ui/ViewCentre.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTranslator>
#include <QTreeView>

#include <cstdio>
#include <memory>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

void PressEscape(QWidget* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

class CountingPalette final : public PaletteForm {
public:
    using PaletteForm::PaletteForm;
    void FormShow() override { ++presets; }
    int presets = 0;
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ResetModelState();
    }
    void TearDown() override { DestroyForms(); }
    bool Create() { return CreateForms({QStringLiteral("velquor")}, locks.path()); }
    ScriptedMessages messages;
    QTemporaryDir locks;
};

} // namespace

TEST_F(FormsTest, TableCreatesEveryFormOnceInOrderAndDestroysThem) {
    ASSERT_TRUE(Create());
    std::vector<QObject*> made;
    for (const FormEntry& form : FormTable()) {
        QWidget* w = form.instance();
        ASSERT_NE(w, nullptr) << form.variableName;
        EXPECT_STREQ(w->metaObject()->className(), form.className);
        EXPECT_EQ(w->parent(), MainForm);
        made.push_back(w);
    }
    // The main window's children list its forms in the order they were made, each once.
    std::vector<QObject*> order;
    for (QObject* child : MainForm->children())
        if (std::find(made.begin(), made.end(), child) != made.end()) order.push_back(child);
    EXPECT_EQ(order, made);
    DestroyForms();
    EXPECT_EQ(MainForm, nullptr);
    for (const FormEntry& form : FormTable()) EXPECT_EQ(form.instance(), nullptr);
}

TEST_F(FormsTest, PaletteIsRaisedWithoutBeingShownAgainAndComesBackAfterClosing) {
    QWidget main;
    main.show();
    CountingPalette palette(&main);
    palette.showPalette();
    for (int i = 0; i < 5; ++i) palette.refreshPalette();
    EXPECT_TRUE(palette.isVisible());
    EXPECT_EQ(palette.presets, 1);
    EXPECT_EQ(palette.showings(), 1);

    PressEscape(&palette); // not a way to close a palette
    EXPECT_TRUE(palette.isVisible());
    palette.close(); // the close box
    ASSERT_FALSE(palette.isVisible());
    palette.refreshPalette();
    EXPECT_TRUE(palette.isVisible());
    EXPECT_EQ(palette.presets, 2);
}

// Any modal window hides the palettes until the last one closes; one shown meanwhile waits too,
// and one hidden meanwhile stays hidden.
TEST_F(FormsTest, PalettesStepAsideWhileAModalWindowIsOpen) {
    QWidget main;
    main.show();
    CountingPalette shown(&main), later(&main), closed(&main);
    shown.showPalette();
    closed.showPalette();
    ModalForm dialog(&main);
    QMessageBox box(&main);
    box.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    EXPECT_FALSE(shown.isVisible());
    later.showPalette();
    closed.hide();
    box.show();
    dialog.hide();
    EXPECT_FALSE(shown.isVisible() || later.isVisible());
    box.hide();
    EXPECT_TRUE(shown.isVisible() && later.isVisible());
    EXPECT_FALSE(closed.isVisible());
    EXPECT_EQ(later.presets, 1);
}

// The help goes to the desktop's opener only where a browser stands behind it, and what the
// opener writes stays off the program's terminal.
TEST(DesktopBrowser, OpensOnlyWhereTheDesktopHasABrowserAndKeepsTheTerminalQuiet) {
    TestApp();
    QTemporaryDir bin;
    const QString opened = bin.filePath(QStringLiteral("opened"));
    const auto script = [&](const char* name, const QString& body) {
        QFile file(bin.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    };
    script("xdg-open", "echo 'xdg-open: no method available' >&2; echo \"$1\" > " + opened);
    script("xdg-mime", QStringLiteral("exit 0")); // nothing chosen for web pages
    const QByteArray path = qgetenv("PATH"), display = qgetenv("DISPLAY");
    const QByteArray browser = qgetenv("BROWSER");
    qputenv("PATH", bin.path().toLocal8Bit());
    qputenv("DISPLAY", ":9");
    qunsetenv("BROWSER");
    const QUrl page = QUrl::fromLocalFile(QStringLiteral("/tmp/help/index.html"));
    EXPECT_FALSE(OpenInDesktopBrowser(page));

    script("xdg-mime", QStringLiteral("echo firefox.desktop"));
    QTemporaryFile terminal;
    ASSERT_TRUE(terminal.open());
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(terminal.handle(), 2);
    const bool started = OpenInDesktopBrowser(page);
    ProcessEventsUntil([&] { return QFileInfo(opened).size() > 0; });
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    EXPECT_TRUE(started);
    QFile record(opened);
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_EQ(record.readAll().trimmed(), page.toEncoded());
    QFile written(terminal.fileName()); // read from its start, not from where stderr stopped
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_FALSE(written.readAll().contains("xdg-open"));

    qunsetenv("DISPLAY"); // no display: no browser window could appear
    EXPECT_FALSE(OpenInDesktopBrowser(page));
    qputenv("PATH", path);
    if (!display.isNull()) qputenv("DISPLAY", display);
    if (!browser.isNull()) qputenv("BROWSER", browser);
}

TEST(Bindings, EveryKindRoundTripsAndKeepsWhatTheUserLeftAlone) {
    TestApp();
    QWidget page;
    RadioGroup kept(&page), fallback(&page);
    for (int i = 0; i < 3; ++i) {
        kept.add(new QRadioButton(&page), i);
        fallback.add(new QRadioButton(&page), i);
    }
    auto* box = new QCheckBox(&page);
    auto* combo = new QComboBox(&page);
    combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    auto* edit = new QLineEdit(&page);
    auto* number = new QLineEdit(&page);
    auto* era = new QComboBox(&page);
    auto* year = new QLineEdit(&page);

    int32_t keptField = 7, fallbackField = 9, tick = 1, index = 1;
    FixedText<9> text{"\x8a\xee\x91\x62"}; // 基礎
    FixedText<11> date{"5"};
    double area = 12.345;
    FieldBindings b;
    b.radios(kept, keptField)
        .radios(fallback, fallbackField, RadioRule::Fallback(2))
        .check(box, tick)
        .comboIndex(combo, index)
        .text(edit, text, 6)
        .number(number, area, "%6.2f", {"面積", 0, 99999.99, "㎡"})
        .date(era, year, date);
    b.load();
    EXPECT_EQ(kept.checkedId(), -1);
    EXPECT_EQ(fallback.checkedId(), 2);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("基礎"));
    EXPECT_EQ(number->text(), QStringLiteral("12.35"));
    EXPECT_EQ(era->currentIndex(), 5);
    EXPECT_EQ(year->text(), QString());

    // Nothing touched: every field as it was, the number not rounded.
    EXPECT_TRUE(b.store());
    EXPECT_EQ(keptField, 7);
    EXPECT_EQ(fallbackField, 2);
    EXPECT_EQ(area, 12.345);
    EXPECT_EQ(text.str(), "\x8a\xee\x91\x62");
    EXPECT_EQ(date.str(), "5");

    // The user's choices.
    kept.setCheckedId(1);
    box->setChecked(false);
    combo->setCurrentIndex(0);
    edit->setText(QStringLiteral("ab基礎c")); // 7 bytes: cut before the last character
    number->setText(QStringLiteral("１２．５"));
    era->setCurrentIndex(4);
    year->setText(QStringLiteral("１０"));
    EXPECT_TRUE(b.store());
    EXPECT_EQ(keptField, 1);
    EXPECT_EQ(tick, 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(text.str(), "ab\x8a\xee\x91\x62");
    EXPECT_EQ(area, 12.5);
    EXPECT_EQ(date.str(), "4    \x82\x50\x82\x4f");
    b.load();
    EXPECT_EQ(era->currentIndex(), 4);
    EXPECT_EQ(year->text(), QStringLiteral("１０"));

    // A text that is no number reads as 0. A value outside the range is refused with the
    // field's name, range and unit; nothing of the list is stored and the edit is selected.
    number->setText(QStringLiteral("."));
    EXPECT_TRUE(b.store());
    EXPECT_EQ(area, 0.0);
    b.load();
    ScriptedMessages messages;
    messages.expect("面積は 0〜99999.99 ㎡ の範囲で入力して下さい。", MsgAnswer::Ok);
    box->setChecked(true);
    number->setText(QStringLiteral("123456"));
    EXPECT_FALSE(b.store());
    EXPECT_EQ(tick, 0);
    EXPECT_EQ(area, 0.0);
    EXPECT_EQ(number->selectedText(), QStringLiteral("123456"));
}

// A paste longer than the field is cut on a character, one with a character CP932 cannot
// write loses that character; the status bar says what was dropped.
TEST(Bindings, PastesAreCutNotRefusedAndTheStatusBarSaysWhatWasDropped) {
    TestApp();
    QStatusBar bar;
    InstallStatusHints(&bar);
    QLineEdit edit;
    FixedText<9> text{};
    FieldBindings b;
    b.text(&edit, text, 6);
    b.load();
    edit.insert(QStringLiteral("ab基礎c"));
    EXPECT_EQ(edit.text(), QStringLiteral("ab基礎"));
    EXPECT_TRUE(bar.currentMessage().contains(QStringLiteral("「c」")))
        << bar.currentMessage().toStdString();
    edit.setText(QStringLiteral("a"));
    edit.setCursorPosition(0);
    edit.insert(QStringLiteral("x\U0001F600y")); // before the text that was there
    EXPECT_EQ(edit.text(), QStringLiteral("xya"));
    EXPECT_TRUE(bar.currentMessage().contains(QStringLiteral("\U0001F600")));
    InstallStatusHints(nullptr);
}

TEST(Bindings, TwoWayGroupsEmptyErasAndDigitOnlyNumbers) {
    TestApp();
    QWidget page;
    RadioGroup twoWay(&page);
    for (int i = 0; i < 2; ++i) twoWay.add(new QRadioButton(&page), i);
    auto* era = new QComboBox(&page);
    auto* year = new QLineEdit(&page);
    auto* number = new QLineEdit(&page);
    int32_t answer = 2;
    FixedText<11> date{"4    \x82\x50"};
    double area = 0;
    FieldBindings b;
    b.radios(twoWay, answer, RadioRule::OthersShowAs(1))
        .date(era, year, date)
        .number(number, area, "%6.2f", {"面積", 0, 99999.99, "㎡"});
    b.load();
    EXPECT_EQ(twoWay.checkedId(), 1); // anything but 0
    EXPECT_EQ(era->currentIndex(), 4);
    b.store();
    EXPECT_EQ(answer, 2) << "left as shown: kept";
    twoWay.clear();
    b.store();
    EXPECT_EQ(answer, 2); // none checked keeps the field

    // A date without an era digit never shows the era of the date before it.
    date.set("");
    b.load();
    EXPECT_EQ(era->currentIndex(), 5);

    for (const auto& [text, state] :
         {std::pair{"１２．５", QValidator::Acceptable}, std::pair{"12.", QValidator::Acceptable},
          std::pair{"-1", QValidator::Invalid}, std::pair{"1.2.3", QValidator::Invalid},
          std::pair{"1e3", QValidator::Invalid}}) {
        QString input = QString::fromUtf8(text);
        int pos = 0;
        EXPECT_EQ(number->validator()->validate(input, pos), state) << text;
    }
}

// Raising the palette of the mode again runs its preset no more: a mode changed meanwhile stays.
TEST_F(FormsTest, RaisingThePaletteAgainKeepsWhatChangedMeanwhile) {
    ASSERT_TRUE(Create());
    MainForm->show();
    App.InputMode = 0;
    MainForm->ShowToolDialog();
    ASSERT_TRUE(ShinDlg->isVisible());
    App.AxisEditMode = AxisModeAddY;
    for (int i = 0; i < 5; ++i) MainForm->RefreshToolDialog();
    EXPECT_EQ(App.AxisEditMode, AxisModeAddY);
    EXPECT_TRUE(ShinDlg->Rxadd->isChecked());
    App.InputMode = -1;
}

TEST_F(FormsTest, FileDialogsStartInTheDocumentsFolderAndThePanelFileGoesThroughTheService) {
    ASSERT_TRUE(Create());
    QTemporaryDir folder;
    App.FileName = QDir(folder.path()).filePath(QStringLiteral("house.vq2")).toStdString();
    auto dialog = BuildOpenDialog({{{"改修ファイル", {"vq2"}}}, {}, {}, {}});
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());

    struct Recorder final : FileDialogService {
        std::vector<FileDialogRequest> asked;
        std::optional<std::string> openFile(const FileDialogRequest& r) override {
            asked.push_back(r);
            return {};
        }
        std::optional<std::string> saveFile(const FileDialogRequest& r) override {
            asked.push_back(r);
            return {};
        }
    } recorder;
    FileDialogService* before = &FileDialogs();
    SetFileDialogService(&recorder);
    kabetsuikaDlg->BsaveClick();
    SetFileDialogService(before);
    ASSERT_EQ(recorder.asked.size(), 1u);
    EXPECT_EQ(recorder.asked[0].defaultExtension, "yd0");
    EXPECT_EQ(QtNameFilter(recorder.asked[0].filters[0]),
              QStringLiteral("面材データファイル (*.yd0 *.YD0)"));
}

// The open and save dialogs list a folder with each column as wide as what it shows: name,
// size, kind and the whole date of the change.
TEST_F(FormsTest, FileDialogsShowEveryColumnWhole) {
    ASSERT_TRUE(Create());
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("田中邸　耐震改修計画.vq2"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(123456, 'x'));
    file.close();
    const std::string initial = path.toStdString();
    const std::vector<FileFilter> filters = {{"改修ファイル", {"vq2"}}};
    std::unique_ptr<QFileDialog> dialogs[] = {BuildOpenDialog({filters, initial, {}, {}}),
                                              BuildSaveDialog({filters, initial, "vq2", {}})};
    for (auto& dialog : dialogs) {
        dialog->show();
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(view, nullptr);
        const QModelIndex root = view->rootIndex();
        QHeaderView* header = view->header();
        const auto fits = [&] {
            if (view->model()->rowCount(root) != 1) return false;
            for (int c = 0; c < header->count(); ++c) {
                if (header->isSectionHidden(c)) continue;
                const QString text = view->model()->index(0, c, root).data().toString();
                if (text.isEmpty()) return false; // not read yet
                // What the column needs, as the view itself measures it.
                const QAbstractItemView* items = view;
                if (header->sectionSize(c) < items->sizeHintForColumn(c)) return false;
            }
            return true;
        };
        EXPECT_TRUE(ProcessEventsUntil(fits));
        for (int c = 0; c < header->count(); ++c) {
            const QString text = view->model()->index(0, c, root).data().toString();
            EXPECT_GT(header->sectionSize(c), view->fontMetrics().horizontalAdvance(text))
                << text.toStdString();
        }
        dialog->hide();
    }
}

// A view that grows past its content can show the kept point nowhere but where the content
// stands; shrunk again, it brings the point back to its middle. A scroll of the user's is what
// it keeps from then on.
TEST(ViewCentreKeeper, KeepsThePointThroughAViewLargerThanItsContent) {
    TestApp();
    QScrollArea area;
    auto* content = new QWidget;
    content->resize(2000, 1500);
    area.setWidget(content);
    auto* keeper = new ViewCentreKeeper(&area);
    area.resize(400, 300);
    area.show();
    keeper->centreOn(QPointF(1200, 700));
    const auto middle = [&] {
        const QSize view = area.viewport()->size();
        return QPointF(area.horizontalScrollBar()->value() + view.width() / 2.0,
                       area.verticalScrollBar()->value() + view.height() / 2.0);
    };
    const auto settle = [] {
        for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
    };
    EXPECT_EQ(middle(), QPointF(1200, 700));
    area.resize(2400, 1800);
    settle();
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 0);
    area.resize(500, 333);
    settle();
    EXPECT_NEAR(middle().x(), 1200, 0.5);
    EXPECT_NEAR(middle().y(), 700, 0.5);
    area.horizontalScrollBar()->setValue(100);
    const QPointF scrolled = middle();
    area.resize(640, 480);
    settle();
    EXPECT_NEAR(middle().x(), scrolled.x(), 0.5);
    EXPECT_NEAR(middle().y(), scrolled.y(), 0.5);
}

TEST(Translations, QtsOwnDialogsSpeakJapanese) {
    QApplication& app = TestApp();
    ASSERT_GT(InstallQtTranslations(app), 0) << "qt6-translations-l10n is not installed";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
              QStringLiteral("キャンセル"));
    for (QTranslator* t : app.findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(Bindings, ComboTextFromCodeRunsNoHandlerTypingAndChoosingDo) {
    TestApp();
    QComboBox combo;
    combo.addItems({QString(), QStringLiteral("preset")});
    int changes = 0;
    FixedText<87> finding{"abc"};
    FieldBindings b;
    b.text(&combo, finding, 86);
    BindComboTyping(&combo, [&] { ++changes; });
    b.load();
    SetComboText(&combo, QStringLiteral("x"));
    EXPECT_EQ(changes, 0);
    for (int key = 0; key < 2; ++key) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
        QApplication::sendEvent(combo.lineEdit(), &press);
    }
    EXPECT_EQ(changes, 2);
    emit combo.activated(1);
    EXPECT_EQ(changes, 3);
    b.store();
    EXPECT_EQ(finding.str(), combo.currentText().toStdString());
    EXPECT_EQ(combo.count(), 2);
}

// A scroll bar drawn from the kept picture is the one the style draws, in every state, and a
// bar that moved or changed size is drawn anew.
TEST(ScrollBarStyle, KeptPicturesMatchTheStyleAndFollowEveryChange) {
    TestApp();
    const QString name = QApplication::style()->name();
    std::unique_ptr<QStyle> plain(QStyleFactory::create(name));
    ScrollBarStyle kept(name);
    const auto picture = [](QStyle* style, int value, int height) {
        QScrollBar bar(Qt::Vertical);
        bar.setStyle(style);
        bar.setRange(0, 1000);
        bar.setPageStep(100);
        bar.setValue(value);
        bar.resize(17, height);
        return bar.grab().toImage();
    };
    for (int value : {0, 0, 450, 1000})
        for (int height : {120, 540})
            EXPECT_TRUE(picture(&kept, value, height) == picture(plain.get(), value, height))
                << value << " " << height;
    EXPECT_FALSE(picture(&kept, 0, 540) == picture(&kept, 450, 540));
}
