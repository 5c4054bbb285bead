// The document commands in the main window: the menu items, the Qt file dialogs, the close
// question, a dropped file and the command-line file.
#include "TestApp.h"

#include "app/FormSet.h"
#include "document/DocumentCommands.h"
#include "mainwin/velquor2_About.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/CustomPanels.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "model/fileio/FileIo.h"
#include "support/FileFixtures.h"
#include "support/ScriptedMessages.h"
#include "ui/FileDialogs.h"
#include "ui/Forms.h"
#include "ui/SingleInstance.h"

#include <QAbstractItemView>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>

#include <fstream>
#include <functional>

#include <gtest/gtest.h>

namespace {

// Stands in for the user at every modal form: a file dialog gets `fileAnswer` (a name typed
// into it, or cancel when empty), any other form is closed with OK. Each showing is written
// down.
struct ModalUser {
    struct Shown {
        QString title;
        bool fileDialog;
        QStringList filters;
        QString defaultSuffix;
        QStringList selected;
    };
    std::vector<Shown> shown;
    QString fileAnswer;
    ModalUser() {
        SetModalRunner([this](QDialog& d) {
            auto* fd = qobject_cast<QFileDialog*>(&d);
            shown.push_back({d.windowTitle(),
                             fd != nullptr,
                             fd ? fd->nameFilters() : QStringList(),
                             fd ? fd->defaultSuffix() : QString(),
                             {}});
            if (!fd) return int(QDialog::Accepted);
            if (fileAnswer.isEmpty()) return int(QDialog::Rejected);
            fd->selectFile(fileAnswer);
            shown.back().selected = fd->selectedFiles();
            return int(QDialog::Accepted);
        });
    }
    ~ModalUser() { SetModalRunner({}); }
    int fileDialogs() const {
        return static_cast<int>(
            std::count_if(shown.begin(), shown.end(), [](const Shown& s) { return s.fileDialog; }));
    }
};

// A model file with one column in the middle of the grid and a deteriorated outer wall.
std::string HouseFileBytes(int topStorey = 1) {
    auto d = testfile::StartDocument();
    d->ColumnCount[0][0] = 1;
    d->Columns[0][0][0] = {50, 50, 1, 0, 0};
    d->DeteriorationSurvey.outerWallDeteriorated = 1;
    d->FoundationFloorSpec.foundationType = 0;
    for (int sc = 0; sc < Scenarios; ++sc) d->StoreyData.topStorey[sc] = topStorey;
    return WriteModelFile(*d, 0);
}

class DocumentWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(locks.isValid());
        ASSERT_TRUE(files.isValid());
        saved_ = std::make_unique<Document>(Doc);
        savedApp_ = App;
    }
    void TearDown() override {
        DestroyForms();
        Doc = *saved_;
        App = savedApp_;
    }
    QStringList Args(const QString& file = {}) const {
        QStringList a{QStringLiteral("velquor")};
        if (!file.isNull()) a << file;
        return a;
    }
    QString File(const char* name) const { return QDir(files.path()).filePath(name); }
    void Write(const QString& path, const std::string& bytes) {
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }
    // Creates the forms and runs the start-up sequence; `user` closes its About box.
    void Start(const QString& file = {}) {
        ASSERT_TRUE(CreateForms(Args(file), locks.path()));
        MainForm->show();
        ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->StartupDialogsPending == 0; }));
    }
    QTemporaryDir locks, files;

private:
    std::unique_ptr<Document> saved_;
    AppState savedApp_;
};

TEST_F(DocumentWindowTest, FileMenuItemsAreEnabled) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    for (QAction* item : {MainForm->FileNewItem, MainForm->FileOpenItem, MainForm->S2,
                          MainForm->FileSaveAsItem, MainForm->FileExitItem})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    EXPECT_EQ(MainForm->S2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
}

TEST_F(DocumentWindowTest, CommandLineFileIsOpenedAtTheFirstPaintBeforeTheAboutBox) {
    const QString path = File("田中邸.vq2");
    Write(path, HouseFileBytes());
    ScriptedMessages messages; // an unmodified document is replaced unasked
    ModalUser user;
    App.DeteriorationFactor = 0.8;
    Start(path);
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [") + path + "]");
    EXPECT_EQ(App.FileName, path.toStdString());
    EXPECT_EQ(App.Modified, 0);
    // Outer wall deteriorated; no exposed frame, no balcony: 1 - 4 / 19.
    EXPECT_DOUBLE_EQ(App.DeteriorationFactor, 1.0 - 4.0 / 19.0);
    EXPECT_EQ(Doc.FoundationFloorSpec.foundationClass, 0); // RC without cracks
    ASSERT_EQ(user.shown.size(), 2u);
    EXPECT_EQ(user.shown[0].title, AboutBox->windowTitle());
    EXPECT_EQ(user.shown[1].title, QStringLiteral("概要"));
}

TEST_F(DocumentWindowTest, DroppedFileOnAModifiedDocumentAsksBeforeDiscarding) {
    const QString path = File("dropped.vq2");
    Write(path, HouseFileBytes());
    ScriptedMessages messages;
    ModalUser user;
    Start();
    App.Modified = 1;

    messages.expect(OpenDiscardQuestion, MsgAnswer::No);
    MainForm->WMDropFiles({path});
    ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->PendingOpenFlag == 0; }));
    ProcessEventsUntil([&] { return messages.shown.size() == 1; });
    EXPECT_EQ(Doc.ColumnCount[0][0], 0);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [無題]"));

    messages.expect(OpenDiscardQuestion, MsgAnswer::Yes);
    MainForm->WMDropFiles({path});
    ASSERT_TRUE(ProcessEventsUntil([] { return Doc.ColumnCount[0][0] == 1; }));
    EXPECT_EQ(App.Modified, 0);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [") + path + "]");
    EXPECT_EQ(user.shown.size(), 2u) << "only the About box and the overview of the start";
}

TEST_F(DocumentWindowTest, SeveralDroppedFilesAreToldOfOnlyAfterTheDropHasEnded) {
    const QString first = File("first.vq2");
    Write(first, HouseFileBytes());
    ScriptedMessages messages;
    ModalUser user;
    Start();

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(File("second.vq2"))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window, as the platform's drop delivers it (past the drag manager).
    static_cast<QObject*>(MainForm)->event(&drop);
    // The program the files came from waits until the drop returns: nothing modal inside it.
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(messages.shown.empty());

    messages.expect("一つのファイルのみ入れて下さい。", MsgAnswer::Ok);
    ASSERT_TRUE(ProcessEventsUntil([] { return Doc.ColumnCount[0][0] == 1; }));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "ドラッグエラー");
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [") + first + "]");
}

TEST_F(DocumentWindowTest, OpenThroughTheMenuAndTheFileDialog) {
    const QString path = File("HOUSE.VQ2");
    Write(path, HouseFileBytes());
    ScriptedMessages messages;
    ModalUser user;
    Start();
    user.shown.clear();
    user.fileAnswer = path;
    MainForm->FileOpenItem->trigger();
    ASSERT_EQ(user.shown.size(), 2u);
    EXPECT_EQ(user.shown[0].title, QStringLiteral("開く"));
    EXPECT_EQ(user.shown[1].title, QStringLiteral("概要"));
    EXPECT_EQ(user.shown[0].filters, (QStringList{QStringLiteral("改修ファイル (*.vq2 *.VQ2)"),
                                                  QStringLiteral("診断ファイル (*.vq0 *.VQ0)"),
                                                  QStringLiteral("すべてのファイル (*)")}));
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [") + path + "]");
    EXPECT_EQ(App.DataLoading, 0);
}

TEST_F(DocumentWindowTest, OpenDialogListsModelFilesWhateverTheCaseOfTheirExtension) {
    for (const char* name : {"a.vq2", "B.VQ2", "c.Vq2", "d.txt", "e.vq0"}) Write(File(name), "x");
    TestApp();
    auto dialog = BuildOpenDialog({OpenDialogFilters(), {}, {}, {}});
    dialog->setDirectory(files.path());
    dialog->show();
    auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    auto names = [&] {
        QStringList shown;
        QAbstractItemModel* model = list->model();
        const QModelIndex root = list->rootIndex();
        for (int r = 0; r < model->rowCount(root); ++r)
            shown << model->index(r, 0, root).data().toString();
        shown.sort();
        return shown;
    };
    const QStringList models{"B.VQ2", "a.vq2", "c.Vq2"};
    ProcessEventsUntil([&] { return names() == models; });
    EXPECT_EQ(names(), models);
    dialog->hide();
}

TEST_F(DocumentWindowTest, SaveAsAddsTheDefaultExtensionAndOverwriteSaveKeepsABackup) {
    ScriptedMessages messages;
    ModalUser user;
    Start();
    user.shown.clear();
    App.Modified = 1;
    user.fileAnswer = File("copy"); // typed without an extension
    MainForm->FileSaveAsItem->trigger();
    ASSERT_EQ(user.shown.size(), 1u);
    EXPECT_EQ(user.shown[0].title, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(user.shown[0].defaultSuffix, QStringLiteral("vq2"));
    EXPECT_EQ(user.shown[0].filters, (QStringList{QStringLiteral("耐震ファイル (*.vq2 *.VQ2)"),
                                                  QStringLiteral("すべてのファイル (*)")}));
    const QString saved = File("copy.vq2");
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(App.Modified, 0);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [") + saved + "]");

    messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    App.Modified = 1;
    MainForm->S2->trigger();
    EXPECT_TRUE(QFile::exists(File("copy.BAK")));
    EXPECT_EQ(App.Modified, 0);
}

TEST_F(DocumentWindowTest, CloseAsksAndACancelledSaveKeepsTheWindowAndItsLock) {
    ScriptedMessages messages;
    ModalUser user;
    Start();
    App.Modified = 1;

    messages.expect(SaveOnCloseQuestion, MsgAnswer::Cancel);
    MainForm->FileExitItem->trigger();
    EXPECT_TRUE(MainForm->isVisible());

    user.fileAnswer.clear(); // the save dialog is cancelled
    messages.expect(SaveOnCloseQuestion, MsgAnswer::Yes);
    MainForm->close();
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_EQ(App.Modified, 1);
    {
        InstanceLock probe(locks.path());
        ASSERT_TRUE(probe.acquire());
        EXPECT_TRUE(probe.otherCopyRuns()) << "a window that stays keeps its lock";
    }

    messages.expect(SaveOnCloseQuestion, MsgAnswer::No);
    MainForm->close();
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_EQ(App.InputMode, -1);
    InstanceLock probe(locks.path());
    ASSERT_TRUE(probe.acquire());
    EXPECT_FALSE(probe.otherCopyRuns()) << "the closed window gave up its lock";
}

TEST_F(DocumentWindowTest, NewThroughTheMenuAsksWhenModified) {
    const QString path = File("house.vq2");
    Write(path, HouseFileBytes());
    ScriptedMessages messages;
    ModalUser user;
    Start(path);
    ASSERT_EQ(Doc.ColumnCount[0][0], 1);
    App.Modified = 1;
    messages.expect(NewDiscardQuestion, MsgAnswer::Yes);
    MainForm->FileNewItem->trigger();
    EXPECT_EQ(Doc.ColumnCount[0][0], 0);
    EXPECT_EQ(App.Modified, 0);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [無題]"));
}

} // namespace

TEST_F(DocumentWindowTest, StoreyButtonsFollowTheOpenedDocument) {
    // The buttons are first set from the document being closed (two storeys); the opened
    // file's storey count decides them afterwards.
    const QString three = File("three.vq2"), one = File("one.vq2");
    Write(three, HouseFileBytes(2));
    Write(one, HouseFileBytes(0));
    ScriptedMessages messages;
    ModalUser user;
    Start();

    user.fileAnswer = three;
    MainForm->FileOpenItem->trigger();
    EXPECT_TRUE(MainForm->R2kai->isEnabled());
    EXPECT_TRUE(MainForm->R3kai->isEnabled());

    user.fileAnswer = one;
    MainForm->FileOpenItem->trigger();
    EXPECT_FALSE(MainForm->R2kai->isEnabled());
    EXPECT_FALSE(MainForm->R3kai->isEnabled());
}
