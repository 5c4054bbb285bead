// The document commands with scripted answers, on real files in a temporary folder.
#include "document/DocumentCommands.h"
#include "model/ModelFile.h"

#include "model/FileQuestions.h"
#include "model/fileio/FileIo.h"
#include "support/FileFixtures.h"
#include "support/RecordingHooks.h"
#include "support/ScriptedMessages.h"
#include "support/SystemCallScript.h"

#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace testfile;

namespace {

// ---- Test doubles ----------------------------------------------------------------------------

// Stands in for the user at the file dialogs: every dialog must have been scripted, in order.
class ScriptedFileDialogs final : public FileDialogService {
public:
    enum class Kind { Open, Save };
    ScriptedFileDialogs() { SetFileDialogService(this); }
    ~ScriptedFileDialogs() override {
        SetFileDialogService(nullptr);
        EXPECT_TRUE(script_.empty()) << script_.size() << " scripted dialog(s) never shown";
    }
    // The next dialog must be of `kind`; nothing answers as if cancelled.
    ScriptedFileDialogs& expect(Kind kind, std::optional<std::string> answer) {
        script_.push_back({kind, std::move(answer)});
        return *this;
    }
    std::optional<std::string> openFile(const FileDialogRequest& r) override {
        return answer(Kind::Open, r);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override {
        return answer(Kind::Save, r);
    }
    std::vector<FileDialogRequest> requests;

private:
    std::optional<std::string> answer(Kind kind, const FileDialogRequest& r) {
        requests.push_back(r);
        if (script_.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return {};
        }
        auto step = script_.front();
        script_.pop_front();
        EXPECT_EQ(step.kind, kind) << "a different file dialog was shown";
        return step.answer;
    }
    struct Step {
        Kind kind;
        std::optional<std::string> answer;
    };
    std::deque<Step> script_;
};
using Dlg = ScriptedFileDialogs::Kind;

// The window as the commands see it: what they asked of it, in order.
class FakeView final : public DocumentView {
public:
    void resizeSheet() override { log.push_back("resize"); }
    void centreScrollBox() override { log.push_back("centre"); }
    void repaintPlan() override { log.push_back("repaint"); }
    bool showOverviewDialog() override {
        log.push_back("overview loading " + std::to_string(App.DataLoading));
        return false;
    }
    int count(const std::string& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }
    std::vector<std::string> log;
};

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
std::string ReadBytes(const std::string& path) {
    std::string error;
    return fileio::ReadWholeFile(path, error).value_or("<missing>");
}

// A document with a sound grid, one column at axis (50, 50) (the middle of the grid, so no
// centring is offered), a deteriorated roof and outer wall, no exposed frame, a balcony and
// a 玉石基礎 with 足固め.
std::unique_ptr<Document> HouseDocument(int columnAxis = 50) {
    auto d = StartDocument();
    d->ColumnCount[0][0] = 1;
    d->Columns[0][0][0] = {columnAxis, columnAxis, 1, 0, 0};
    d->DeteriorationSurvey.roofDeteriorated = 1;
    d->DeteriorationSurvey.outerWallDeteriorated = 1;
    d->DeteriorationSurvey.balcony = 1;
    d->FoundationFloorSpec.foundationType = 2;
    d->FoundationFloorSpec.footBracing = 1;
    return d;
}

// The open document: another house, modified, with the previous document's survey values.
void SetOpenDocument(const std::string& name) {
    Doc.ColumnCount[1][1] = 1;
    Doc.Columns[1][1][0] = {3, 4, 1, 0, 0};
    Doc.FoundationFloorSpec.foundationClass = 0;
    App.FileName = name;
    App.DeteriorationFactor = 0.9;
    App.Modified = 1;
}

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Doc.ColumnCount[0][0] = 0;
        App.FileName = UntitledName;
        App.Modified = 0;
        App.DataLoading = 0;
    }
    DocumentGuard guard;
    TempFolder folder;
    RecordingHooks hooks;
    FakeView view;
    DocumentCommands commands{view};
};

// ---- Paths -----------------------------------------------------------------------------------

struct TargetCase {
    const char* path;
    const char* target;
};
class OverwriteTargets : public ::testing::TestWithParam<TargetCase> {};
TEST_P(OverwriteTargets, ExtensionBecomesVq2UnlessItIsOneInAnyCase) {
    EXPECT_EQ(OverwriteTarget(GetParam().path), GetParam().target);
}
INSTANTIATE_TEST_SUITE_P(Paths, OverwriteTargets,
                         ::testing::Values(TargetCase{"/home/k/house.vq2", "/home/k/house.vq2"},
                                           TargetCase{"/home/k/HOUSE.VQ2", "/home/k/HOUSE.VQ2"},
                                           TargetCase{"/home/k/House.Vq2", "/home/k/House.Vq2"},
                                           TargetCase{"/home/k/house.txt", "/home/k/house.vq2"},
                                           TargetCase{"/home/k/house.vq0", "/home/k/house.vq2"},
                                           TargetCase{"/home/k/house", "/home/k/house.vq2"},
                                           TargetCase{"/home/k.old/house", "/home/k.old/house.vq2"},
                                           TargetCase{"/home/k/田中邸.BAK", "/home/k/田中邸.vq2"}));

// ---- New -------------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, NewOnAnUnmodifiedDocumentAsksNothing) {
    ScriptedMessages messages;
    SetOpenDocument("/home/k/old.vq2");
    App.Modified = 0;
    Doc.DeteriorationSurvey.outerWallDeteriorated = 1;
    EXPECT_TRUE(commands.NewDocument());
    EXPECT_EQ(Doc.ColumnCount[1][1], 0);
    EXPECT_EQ(App.FileName, "無題");
    EXPECT_EQ(hooks.caption, "Velquor [無題]");
    EXPECT_EQ(view.log, (std::vector<std::string>{"resize", "overview loading 0"}));
    EXPECT_EQ(App.Modified, 0);
    // The kept survey (outer wall deteriorated, nothing else present but the fixed items)
    // sets the points the table shows: 4 of 19, 1 - 4 / 19.
    EXPECT_EQ(App.DeteriorationPoints[3], 4);
    EXPECT_DOUBLE_EQ(App.DeteriorationFactor, 1.0 - 4.0 / 19.0);
}

TEST_F(DocumentCommandsTest, NewOnAModifiedDocumentAsksToDiscard) {
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        SetOpenDocument("/home/k/old.vq2");
        view.log.clear();
        ScriptedMessages messages;
        messages.expect(NewDiscardQuestion, answer);
        EXPECT_EQ(commands.NewDocument(), answer == MsgAnswer::Yes);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].caption, "終了");
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
        if (answer == MsgAnswer::No) {
            EXPECT_EQ(Doc.ColumnCount[1][1], 1);
            EXPECT_EQ(App.FileName, "/home/k/old.vq2");
            EXPECT_EQ(App.Modified, 1);
            EXPECT_TRUE(view.log.empty()) << "no overview dialog after No";
        } else {
            EXPECT_EQ(Doc.ColumnCount[1][1], 0);
            EXPECT_EQ(App.Modified, 0);
            EXPECT_EQ(view.count("overview loading 0"), 1);
        }
    }
}

// ---- Open ------------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, OpenReadsTheFileAndDerivesItsSurveyValues) {
    const std::string path = folder.file("田中邸.vq2");
    auto house = HouseDocument();
    WriteBytes(path, WriteModelFile(*house, 0));
    SetOpenDocument("/home/k/old.vq2");
    App.CurrentScenario = 2;

    ScriptedMessages messages;
    messages.expect(OpenDiscardQuestion, MsgAnswer::Yes);
    ScriptedFileDialogs dialogs;
    dialogs.expect(Dlg::Open, path);
    EXPECT_TRUE(commands.Open());

    ASSERT_EQ(dialogs.requests.size(), 1u);
    ASSERT_EQ(dialogs.requests[0].filters.size(), 3u);
    EXPECT_EQ(dialogs.requests[0].filters[0].extensions, std::vector<std::string>{"vq2"});
    EXPECT_EQ(dialogs.requests[0].filters[1].extensions, std::vector<std::string>{"vq0"});
    EXPECT_TRUE(dialogs.requests[0].filters[2].extensions.empty());

    EXPECT_EQ(Doc.ColumnCount[1][1], 0);
    ASSERT_EQ(Doc.ColumnCount[0][0], 1);
    EXPECT_EQ(Doc.Columns[0][0][0].x, 50);
    EXPECT_EQ(App.FileName, path);
    EXPECT_EQ(hooks.caption, "Velquor [" + path + "]");
    EXPECT_EQ(App.CurrentScenario, 0);
    EXPECT_EQ(App.Modified, 0);
    EXPECT_EQ(App.DataLoading, 0);
    // Resized after the reset, centred by CentreData, resized again, then the overview
    // dialog in loading mode.
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"resize", "centre", "resize", "overview loading 1"}));
    // Survey of HouseDocument: no exposed frame, a balcony: 24 - 2 = 22 existence points;
    // roof 2 + outer wall 4 = 6 deterioration points; 1 - 6 / 22.
    EXPECT_EQ(App.ExistencePoints[4], 0);
    EXPECT_EQ(App.ExistencePoints[5], 1);
    EXPECT_EQ(App.DeteriorationPoints[0], 2);
    EXPECT_EQ(App.DeteriorationPoints[3], 4);
    EXPECT_DOUBLE_EQ(App.DeteriorationFactor, 1.0 - 6.0 / 22.0);
    // 玉石基礎 with 足固め: 基礎Ⅱ.
    EXPECT_EQ(Doc.FoundationFloorSpec.foundationClass, 1);
}

TEST_F(DocumentCommandsTest, OpenDeclinedShowsNothingElse) {
    SetOpenDocument("/home/k/old.vq2");
    ScriptedMessages messages;
    messages.expect(OpenDiscardQuestion, MsgAnswer::No);
    ScriptedFileDialogs dialogs; // no file dialog may be shown
    EXPECT_FALSE(commands.Open());
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(Doc.ColumnCount[1][1], 1);
    EXPECT_EQ(App.Modified, 1);
}

TEST_F(DocumentCommandsTest, CancelledOpenDialogStillShowsTheOverviewDialogInLoadingMode) {
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    dialogs.expect(Dlg::Open, std::nullopt);
    Doc.ColumnCount[1][1] = 1;
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(view.log, (std::vector<std::string>{"overview loading 1"}));
    EXPECT_EQ(App.DataLoading, 0);
    EXPECT_EQ(Doc.ColumnCount[1][1], 1);
}

// A file that cannot be read (unknown tag, too short, cut off in the middle) leaves the open
// document, its name, its title and its survey values untouched, and no dialog follows.
class UnreadableFile : public DocumentCommandsTest,
                       public ::testing::WithParamInterface<const char*> {};
TEST_P(UnreadableFile, LeavesTheOpenDocumentUntouched) {
    const std::string valid = WriteModelFile(*HouseDocument(), 0);
    const std::string kind = GetParam();
    const std::string bytes = kind == "truncated" ? valid.substr(0, valid.size() / 2)
                              : kind == "tag"     ? "qv9" + valid.substr(3)
                                                  : std::string("qv");
    const std::string path = folder.file("broken.vq2");
    WriteBytes(path, bytes);
    SetOpenDocument("/home/k/old.vq2");
    hooks.caption = "Velquor [/home/k/old.vq2]";
    const std::string before = WriteModelFile(Doc, 0);

    ScriptedMessages messages;
    messages.expect(OpenDiscardQuestion, MsgAnswer::Yes).expect(UnreadableFileText, MsgAnswer::Ok);
    ScriptedFileDialogs dialogs;
    dialogs.expect(Dlg::Open, path);
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(messages.shown.back().caption, "読み込みエラー");
    EXPECT_EQ(WriteModelFile(Doc, 0), before);
    EXPECT_EQ(Doc.FoundationFloorSpec.foundationClass, 0);
    EXPECT_EQ(App.FileName, "/home/k/old.vq2");
    EXPECT_EQ(hooks.caption, "Velquor [/home/k/old.vq2]");
    EXPECT_EQ(App.DeteriorationFactor, 0.9);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_TRUE(view.log.empty());
}
INSTANTIATE_TEST_SUITE_P(Files, UnreadableFile, ::testing::Values("truncated", "tag", "short"));

TEST_F(DocumentCommandsTest, DataAwayFromTheMiddleIsOfferedToBeCentred) {
    const std::string path = folder.file("corner.vq2");
    WriteBytes(path, WriteModelFile(*HouseDocument(2), 0));
    ScriptedMessages messages;
    messages.expect("データ位置が偏っています。", MsgAnswer::No);
    EXPECT_TRUE(commands.ReadFile(path));
    EXPECT_EQ(Doc.Columns[0][0][0].x, 2);
    // The plan is repainted before the question, so that the user sees what is asked about.
    EXPECT_EQ(view.log, (std::vector<std::string>{"resize", "centre", "repaint", "resize"}));
}

// ---- Pending open (command line and drop) ---------------------------------------------------

TEST_F(DocumentCommandsTest, DroppedFileOnAModifiedDocumentAsksFirst) {
    const std::string path = folder.file("dropped.vq2");
    WriteBytes(path, WriteModelFile(*HouseDocument(), 0));
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        SetOpenDocument("/home/k/old.vq2");
        ScriptedMessages messages;
        messages.expect(OpenDiscardQuestion, answer);
        EXPECT_EQ(commands.OpenPending(path), answer == MsgAnswer::Yes);
        EXPECT_EQ(App.FileName, answer == MsgAnswer::Yes ? path : "/home/k/old.vq2");
        EXPECT_EQ(Doc.ColumnCount[1][1], answer == MsgAnswer::Yes ? 0 : 1);
    }
    EXPECT_EQ(view.count("overview loading 0") + view.count("overview loading 1"), 0)
        << "a pending open shows no overview dialog";
    EXPECT_DOUBLE_EQ(App.DeteriorationFactor, 1.0 - 6.0 / 22.0);
}

// ---- Overwrite save --------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, OverwriteSaveOfAnUntitledDocumentWritesNothing) {
    App.Modified = 1;
    ScriptedMessages messages;
    messages.expect(UntitledSaveNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Refused);
    EXPECT_EQ(messages.shown[0].caption, "ファイル名がありません");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_EQ(folder.entries(), 0u);
}

TEST_F(DocumentCommandsTest, OverwriteSaveRotatesTheBackup) {
    // The document came from house.txt: it is saved as house.vq2; the house.vq2 there becomes
    // house.BAK, and the older house.BAK goes.
    WriteBytes(folder.file("house.txt"), "the opened file");
    WriteBytes(folder.file("house.vq2"), "previous save");
    WriteBytes(folder.file("house.BAK"), "older backup");
    App.FileName = folder.file("house.txt");
    App.Modified = 1;
    ScriptedMessages messages;
    messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(messages.shown[0].caption, "上書き保存");
    EXPECT_EQ(ReadBytes(folder.file("house.vq2")), WriteModelFile());
    EXPECT_EQ(ReadBytes(folder.file("house.BAK")), "previous save");
    EXPECT_EQ(ReadBytes(folder.file("house.txt")), "the opened file");
    EXPECT_EQ(folder.entries(), 3u);
    EXPECT_EQ(App.FileName, folder.file("house.vq2"));
    EXPECT_EQ(hooks.caption, "Velquor [" + folder.file("house.vq2") + "]");
    EXPECT_EQ(App.Modified, 0);
    EXPECT_EQ(view.log, (std::vector<std::string>{"repaint"}));

    // Saved again: this save's file becomes the backup.
    const std::string first = ReadBytes(folder.file("house.vq2"));
    Doc.ColumnCount[0][0] = 1;
    Doc.Columns[0][0][0] = {10, 10, 1, 0, 0};
    messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(folder.file("house.BAK")), first);
    EXPECT_EQ(ReadBytes(folder.file("house.vq2")), WriteModelFile());
}

// The overwrite save's notice never says a backup was kept when the user went without one.
TEST_F(DocumentCommandsTest, OverwriteSaveWithoutBackupSaysSo) {
    WriteBytes(folder.file("house.vq2"), "previous save");
    std::filesystem::create_directory(folder.file("house.BAK"));
    App.FileName = folder.file("house.vq2");
    ScriptedMessages messages;
    messages.expect("バックアップを作らずに", MsgAnswer::Yes)
        .expect(SavedWithoutBackupNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(folder.file("house.vq2")), WriteModelFile());
    messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    std::filesystem::remove(folder.file("house.BAK"));
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
}

TEST_F(DocumentCommandsTest, OverwriteSaveKeepsACapitalExtension) {
    WriteBytes(folder.file("HOUSE.VQ2"), "previous save");
    App.FileName = folder.file("HOUSE.VQ2");
    ScriptedMessages messages;
    messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(folder.file("HOUSE.VQ2")), WriteModelFile());
    EXPECT_EQ(ReadBytes(folder.file("HOUSE.BAK")), "previous save");
    EXPECT_EQ(folder.entries(), 2u) << "no second file beside it";
    EXPECT_EQ(App.FileName, folder.file("HOUSE.VQ2"));
}

// Told also when there was no earlier file, but without claiming a backup.
TEST_F(DocumentCommandsTest, OverwriteSaveOfANewFileStillTellsTheUser) {
    App.FileName = folder.file("new.vq2");
    ScriptedMessages messages;
    messages.expect(SavedWithoutBackupNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(folder.entries(), 1u);
}

// What another program (or another copy of this one) wrote to the document's file since it
// was read or saved here is replaced only when the user says so, and Enter keeps it; the check
// sees the bytes, whatever the disk says of the file.
TEST_F(DocumentCommandsTest, OverwriteSaveAsksBeforeReplacingAFileChangedOnDisk) {
    const std::string path = folder.file("house.vq2");
    WriteBytes(path, WriteModelFile(*HouseDocument(), 0));
    ScriptedMessages messages;
    ASSERT_TRUE(commands.ReadFile(path));
    App.Modified = 1;
    messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved) << "read and saved: no question";
    const std::string question =
        std::string(ChangedOnDiskQuestion) + "\n\n" + path + "\n\n" + ReplaceOrCancelAnswers;

    // Another program's save; one byte changed in place with the time set back, as on FAT,
    // where a change of the same size within the same second keeps size and time; and a new
    // file of the same bytes, as a copy put back or a disk mounted again (which numbers its
    // files anew): the file the document knows, so nothing is asked.
    for (const std::string change : {"rewritten", "same size, time set back", "new, same bytes"}) {
        SCOPED_TRACE(change);
        std::string theirs = ReadBytes(path);
        struct stat before {};
        ::stat(path.c_str(), &before);
        App.Modified = 1;
        if (change == "new, same bytes") {
            WriteBytes(folder.file("theirs"), theirs);
            std::filesystem::rename(folder.file("theirs"), path);
            messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
            EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
            continue;
        }
        if (change == "rewritten") theirs = "another program's save";
        theirs[theirs.size() / 2] ^= 1;
        WriteBytes(path, theirs);
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        if (change != "rewritten") {
            ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        }
        messages.expect(question, MsgAnswer::No);
        EXPECT_EQ(commands.OverwriteSave(), SaveResult::Cancelled);
        EXPECT_EQ(messages.shown.back().caption, "保存の確認");
        EXPECT_EQ(messages.shown.back().buttons, MsgButtons::YesNo);
        EXPECT_EQ(messages.shown.back().icon, MsgIcon::Question);
        EXPECT_EQ(messages.shown.back().defaultAnswer, MsgAnswer::No);
        EXPECT_EQ(ReadBytes(path), theirs);
        EXPECT_EQ(App.Modified, 1);
        messages.expect(question, MsgAnswer::Yes).expect(OverwriteSavedNotice, MsgAnswer::Ok);
        EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
        EXPECT_EQ(ReadBytes(path), WriteModelFile());
        EXPECT_EQ(ReadBytes(folder.file("house.BAK")), theirs) << "their version is the backup";
        messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
        EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved) << "saved here: no question";
    }

    // Save as onto the document's own file, and the close question's Yes, which saves through
    // it, ask the same.
    WriteBytes(path, "changed again");
    ScriptedFileDialogs dialogs;
    dialogs.expect(Dlg::Save, path).expect(Dlg::Save, path);
    messages.expect(question, MsgAnswer::No);
    EXPECT_EQ(commands.SaveAs(), SaveResult::Cancelled);
    App.Modified = 1;
    messages.expect(SaveOnCloseQuestion, MsgAnswer::Yes).expect(question, MsgAnswer::No);
    EXPECT_FALSE(commands.QueryClose());
    EXPECT_EQ(ReadBytes(path), "changed again");

    // Saved under a new name, that file is the one watched.
    const std::string copy = folder.file("copy.vq2");
    dialogs.expect(Dlg::Save, copy);
    EXPECT_EQ(commands.SaveAs(), SaveResult::Saved);
    WriteBytes(copy, "changed");
    messages.expect(std::string(ChangedOnDiskQuestion) + "\n\n" + copy, MsgAnswer::No);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Cancelled);
    // A file gone meanwhile is written anew only when the user says so; Enter does not.
    std::filesystem::remove(copy);
    messages.expect(FileGoneQuestion, MsgAnswer::No);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Cancelled);
    EXPECT_EQ(messages.shown.back().defaultAnswer, MsgAnswer::No);
    EXPECT_FALSE(std::filesystem::exists(copy));
    // Made anew, it has no backup, and the notice does not claim one.
    messages.expect(FileGoneQuestion, MsgAnswer::Yes)
        .expect(SavedWithoutBackupNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
}

// A document read from an older file is saved under its ".vq2" name; another plan standing
// under that name is replaced only when the user says so, or the document goes to a name of
// the user's choice. Once saved there, later saves go on as usual.
TEST_F(DocumentCommandsTest, OverwriteSaveOfAnOlderFileAsksBeforeReplacingAnotherPlan) {
    const std::string old = folder.file("house.vq0"), target = folder.file("house.vq2");
    WriteBytes(old, WriteModelFile(*HouseDocument(), 0));
    WriteBytes(target, "another plan");
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    ASSERT_TRUE(commands.ReadFile(old));
    App.Modified = 1;
    const std::string question = std::string(OtherFileAtTargetQuestion) + "\n\n" + target + "\n\n" +
                                 ReplaceSaveAsOrCancelAnswers;
    messages.expect(question, MsgAnswer::Cancel);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Cancelled);
    EXPECT_EQ(messages.shown.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages.shown.back().icon, MsgIcon::Question);
    EXPECT_EQ(messages.shown.back().defaultAnswer, MsgAnswer::No) << "Enter saves elsewhere";
    // No: the save dialog, offering a name where nothing stands; cancelled there, nothing is
    // written.
    WriteBytes(folder.file("house_2.vq2"), "taken");
    messages.expect(question, MsgAnswer::No);
    dialogs.expect(Dlg::Save, std::nullopt);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Cancelled);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].initialPath, folder.file("house_3.vq2"));
    std::filesystem::remove(folder.file("house_2.vq2"));
    EXPECT_EQ(ReadBytes(target), "another plan");
    EXPECT_EQ(folder.entries(), 2u);
    EXPECT_EQ(App.FileName, old);
    EXPECT_EQ(App.Modified, 1);

    messages.expect(question, MsgAnswer::Yes).expect(OverwriteSavedNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(folder.file("house.BAK")), "another plan");
    EXPECT_EQ(ReadBytes(old), WriteModelFile(*HouseDocument(), 0)) << "the older file stays";
    App.Modified = 1;
    messages.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved) << "saved there: no question";

    // Read again from the older file, the plan goes to a name of the user's choice, without
    // the overwrite save's notice. (A ".vq2" of the older file's very bytes would ask nothing.)
    WriteBytes(target, "another plan");
    ASSERT_TRUE(commands.ReadFile(old));
    messages.expect(OtherFileAtTargetQuestion, MsgAnswer::No);
    dialogs.expect(Dlg::Save, folder.file("house 2.vq2"));
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(App.FileName, folder.file("house 2.vq2"));
    EXPECT_EQ(ReadBytes(folder.file("house 2.vq2")), WriteModelFile());

    // With nothing under the ".vq2" name there is nothing to ask, nor a backup to tell of.
    std::filesystem::remove(target);
    ASSERT_TRUE(commands.ReadFile(old));
    messages.expect(SavedWithoutBackupNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(App.FileName, target);
}

// A save that cannot be written leaves the file and its backup as they were, keeps the
// document modified under its old name, says so and does not claim success. Tests run as root,
// where permission bits do not stop a write: the failures are a missing folder, a file where
// the folder should be, and failed system calls at each step.
struct FailureCase {
    const char* name;
    const char* folderPart; // prefix of the target inside the temporary folder
    const char* call;       // the system call that fails (its first), if any
    int err;
};
class FailedSave : public DocumentCommandsTest,
                   public ::testing::WithParamInterface<FailureCase> {};
TEST_P(FailedSave, KeepsFileBackupAndModified) {
    WriteBytes(folder.file("house.vq2"), "previous save");
    WriteBytes(folder.file("house.BAK"), "older backup");
    WriteBytes(folder.file("plainfile"), "not a folder");
    const std::string target = folder.file(std::string(GetParam().folderPart) + "house.vq2");
    App.FileName = target;
    App.Modified = 1;
    ScriptedMessages messages;
    messages.expect(SaveFailedText, MsgAnswer::Ok);
    {
        const callscript::Script script(
            callscript::FailNth(GetParam().call, GetParam().err ? 1 : 0, GetParam().err));
        EXPECT_EQ(commands.OverwriteSave(), SaveResult::Failed);
    }
    ASSERT_EQ(messages.shown.size(), 1u) << "no success notice";
    EXPECT_EQ(messages.shown[0].caption, "保存エラー");
    EXPECT_NE(messages.shown[0].text.find(target), std::string::npos);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_EQ(App.FileName, target);
    EXPECT_EQ(ReadBytes(folder.file("house.vq2")), "previous save");
    EXPECT_EQ(ReadBytes(folder.file("house.BAK")), "older backup");
    EXPECT_EQ(folder.entries(), 3u) << "no temporary file left behind";
}
INSTANTIATE_TEST_SUITE_P(Causes, FailedSave,
                         ::testing::Values(FailureCase{"MissingFolder", "no/such/folder/", "", 0},
                                           FailureCase{"FileInPlaceOfTheFolder", "plainfile/", "",
                                                       0},
                                           FailureCase{"WriteFails", "", "write", ENOSPC},
                                           FailureCase{"SyncFails", "", "fsync", EIO},
                                           FailureCase{"BackupFails", "", "linkat", EIO}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Save as ---------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, SaveAsCancelledWritesNothing) {
    App.Modified = 1;
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    dialogs.expect(Dlg::Save, std::nullopt);
    EXPECT_EQ(commands.SaveAs(), SaveResult::Cancelled);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].initialPath, "") << "an untitled document proposes no name";
    EXPECT_EQ(dialogs.requests[0].defaultExtension, "vq2");
    ASSERT_EQ(dialogs.requests[0].filters.size(), 2u);
    EXPECT_EQ(dialogs.requests[0].filters[0].label, "耐震ファイル");
    EXPECT_EQ(App.Modified, 1);
    EXPECT_EQ(App.FileName, "無題");
    EXPECT_TRUE(view.log.empty());
}

TEST_F(DocumentCommandsTest, SaveAsOverAnExistingFileKeepsItAsBackupAndTellsNothing) {
    const std::string chosen = folder.file("copy.vq2");
    WriteBytes(chosen, "earlier copy");
    App.FileName = folder.file("house.vq0"); // read from a diagnosis file
    App.Modified = 1;
    ScriptedMessages messages; // no notice
    ScriptedFileDialogs dialogs;
    dialogs.expect(Dlg::Save, chosen);
    EXPECT_EQ(commands.SaveAs(), SaveResult::Saved);
    EXPECT_EQ(dialogs.requests[0].initialPath, folder.file("house.vq2")) << "never the old name";
    EXPECT_EQ(ReadBytes(chosen), WriteModelFile());
    EXPECT_EQ(ReadBytes(folder.file("copy.BAK")), "earlier copy");
    EXPECT_EQ(App.FileName, chosen);
    EXPECT_EQ(hooks.caption, "Velquor [" + chosen + "]");
    EXPECT_EQ(App.Modified, 0);
    EXPECT_EQ(view.log, (std::vector<std::string>{"repaint"}));
}

// ---- Close -----------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, CloseWithoutChangesAsksNothingAndHidesThePalettes) {
    App.InputMode = 2;
    ScriptedMessages messages;
    EXPECT_TRUE(commands.QueryClose());
    EXPECT_EQ(App.InputMode, -1);
    EXPECT_EQ(hooks.log.back(), "show tool dialog input -1 init 0");
}

struct CloseCase {
    const char* name;
    MsgAnswer answer;
    int saveDialog; // 0 not shown, 1 cancelled, 2 a writable file, 3 a file in a missing folder
    bool closes;
    bool written;
};
class CloseQuestion : public DocumentCommandsTest,
                      public ::testing::WithParamInterface<CloseCase> {};
TEST_P(CloseQuestion, ClosesOnlyWhenNothingIsLost) {
    const CloseCase& c = GetParam();
    App.Modified = 1;
    App.InputMode = 3;
    const std::string target =
        c.saveDialog == 3 ? folder.file("gone/house.vq2") : folder.file("house.vq2");
    ScriptedMessages messages;
    messages.expect(SaveOnCloseQuestion, c.answer);
    if (c.saveDialog == 3) messages.expect(SaveFailedText, MsgAnswer::Ok);
    ScriptedFileDialogs dialogs;
    if (c.saveDialog == 1) dialogs.expect(Dlg::Save, std::nullopt);
    if (c.saveDialog >= 2) dialogs.expect(Dlg::Save, target);

    EXPECT_EQ(commands.QueryClose(), c.closes);
    EXPECT_EQ(messages.shown[0].caption, "終了");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(App.InputMode, c.closes ? -1 : 3);
    EXPECT_EQ(std::filesystem::exists(folder.file("house.vq2")), c.written);
    EXPECT_EQ(App.Modified, c.written ? 0 : 1);
}
INSTANTIATE_TEST_SUITE_P(
    Answers, CloseQuestion,
    ::testing::Values(CloseCase{"Cancel", MsgAnswer::Cancel, 0, false, false},
                      CloseCase{"NoClosesWithoutSaving", MsgAnswer::No, 0, true, false},
                      CloseCase{"YesSaves", MsgAnswer::Yes, 2, true, true},
                      CloseCase{"YesButDialogCancelled", MsgAnswer::Yes, 1, false, false},
                      CloseCase{"YesButSaveFails", MsgAnswer::Yes, 3, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
